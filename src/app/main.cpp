#include "app/Program.h"
#include "errors/ErrPtnr.h"

#include <QApplication>
#include <QIcon>

namespace {

// Runs the program; the report window is released by the caller while the
// application object still exists.
int runTavro() {
    tavro::Program program;
    if (program.Main() == tavro::Program::StartResult::AlreadyRunning)
        return 0;
    // A start-up left half-way through (the player cancelled a report) may
    // have opened no window at all: then there is nothing to run.
    if (!program.mainWindow() && !program.startupWindow())
        return 0;
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tavro"));
    QApplication::setApplicationName(QStringLiteral("Tavro"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tavro-256.png")));
    tavro::ErrPtnr::install();
    const int status = runTavro();
    tavro::ErrPtnr::release();
    return status;
}
