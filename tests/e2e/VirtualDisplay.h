#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

// A private X server (Xvfb) for one test run. The server picks a free display
// number itself (-displayfd) and writes it to a file, so runs in parallel
// never fight over a number.
class VirtualDisplay {
public:
    VirtualDisplay() = default;
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // Starts the server with one screen of the given size; false with a
    // reason in `error` when it does not come up within the timeout.
    bool start(int width, int height, int timeoutMs, QString* error);
    void stop();

    QString name() const { return name_; } // ":N"
    // The calling process's environment with DISPLAY pointing here.
    QProcessEnvironment environment() const;

private:
    QTemporaryDir dir_;
    QProcess server_;
    QString name_;
};
