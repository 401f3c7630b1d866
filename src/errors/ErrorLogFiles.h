#pragma once

#include <QString>

namespace tavro {

// The error log (".EPT", appended at every report) and the saved protocol
// (".ERR") of the program: the program's folder and file name without its
// extension. When the program's folder cannot be written (an installed
// program), both go to the per-user data folder instead.
class ErrorLogFiles {
public:
    // The files of the running program.
    ErrorLogFiles();
    ErrorLogFiles(QString programFolder, QString programBaseName, QString fallbackFolder);

    // The paths the next write uses.
    QString logPath() const { return pathFor(QStringLiteral(".EPT")); }
    QString protocolPath() const { return pathFor(QStringLiteral(".ERR")); }

    // Appends text and CR LF to the log; false when it cannot be written.
    bool appendToLog(const QString& text) const;
    // Creates or replaces the saved protocol with text and CR LF.
    bool writeProtocol(const QString& text) const;

private:
    QString pathFor(const QString& extension) const;
    static bool write(const QString& path, const QString& text, bool append);

    QString programFolder_;
    QString baseName_;
    QString fallbackFolder_;
};

} // namespace tavro
