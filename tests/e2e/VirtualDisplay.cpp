#include "VirtualDisplay.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

VirtualDisplay::~VirtualDisplay() {
    stop();
}

bool VirtualDisplay::start(int width, int height, int timeoutMs, QString* error) {
    if (!dir_.isValid()) {
        *error = QStringLiteral("no temporary folder for the display number");
        return false;
    }
    const QString numberFile = dir_.filePath(QStringLiteral("display"));
    // The shell only opens descriptor 3 on the file and becomes the server,
    // so the process handle is the server itself. Where setpriv exists the
    // server dies with this process, even when a timeout kills it.
    const QString guard = QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty()
                              ? QString()
                              : QStringLiteral("setpriv --pdeathsig KILL ");
    server_.setProgram(QStringLiteral("/bin/sh"));
    server_.setArguments(
        {QStringLiteral("-c"),
         QStringLiteral("exec %1Xvfb -displayfd 3 -screen 0 %2x%3x24 -nolisten tcp "
                        "-noreset 3>\"$0\"")
             .arg(guard)
             .arg(width)
             .arg(height),
         numberFile});
    server_.setProcessChannelMode(QProcess::MergedChannels);
    server_.start();
    if (!server_.waitForStarted(timeoutMs)) {
        *error = QStringLiteral("Xvfb did not start: %1").arg(server_.errorString());
        return false;
    }
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        QFile file(numberFile);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray text = file.readAll();
            if (text.endsWith('\n')) {
                name_ = QStringLiteral(":") + QString::fromLatin1(text.trimmed());
                return true;
            }
        }
        if (server_.state() == QProcess::NotRunning) {
            *error = QStringLiteral("Xvfb ended at once: %1")
                         .arg(QString::fromLocal8Bit(server_.readAll()));
            return false;
        }
        QThread::msleep(50);
    }
    *error = QStringLiteral("Xvfb did not report its display within %1 ms").arg(timeoutMs);
    stop();
    return false;
}

void VirtualDisplay::stop() {
    if (server_.state() == QProcess::NotRunning)
        return;
    server_.terminate();
    if (!server_.waitForFinished(5000)) {
        server_.kill();
        server_.waitForFinished(5000);
    }
}

QProcessEnvironment VirtualDisplay::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), name_);
    return env;
}
