#include "app/Program.h"
#include "errors/ErrPtnr.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tavro"));
    QApplication::setApplicationName(QStringLiteral("Tavro"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tavro-256.png")));
    tavro::ErrPtnr::install();

    int status = 0;
    {
        tavro::Program program;
        if (program.Main() == tavro::Program::StartResult::AlreadyRunning)
            return 0;
        status = QApplication::exec();
    }
    tavro::ErrPtnr::release();
    return status;
}
