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
    // Every size of the icon, so each screen and scale finds a sharp one.
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tavro-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    tavro::ErrPtnr::install();
    const int status = runTavro();
    tavro::ErrPtnr::release();
    return status;
}
