#include "errors/ErrorLogFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace tavro {

namespace {

bool canWriteInto(const QString& folder, const QString& path) {
    const QFileInfo file(path);
    if (file.exists())
        return file.isFile() && file.isWritable();
    return QFileInfo(folder).isDir() && QFileInfo(folder).isWritable();
}

} // namespace

ErrorLogFiles::ErrorLogFiles()
    : ErrorLogFiles(QCoreApplication::applicationDirPath(),
                    QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName(),
                    QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)) {}

ErrorLogFiles::ErrorLogFiles(QString programFolder, QString programBaseName, QString fallbackFolder)
    : programFolder_(std::move(programFolder)), baseName_(std::move(programBaseName)),
      fallbackFolder_(std::move(fallbackFolder)) {}

QString ErrorLogFiles::pathFor(const QString& extension) const {
    const auto join = [&](const QString& folder) {
        return folder.endsWith(u'/') ? folder + baseName_ + extension
                                     : folder + u'/' + baseName_ + extension;
    };
    const QString inProgramFolder = join(programFolder_);
    if (canWriteInto(programFolder_, inProgramFolder) || fallbackFolder_.isEmpty())
        return inProgramFolder;
    return join(fallbackFolder_);
}

bool ErrorLogFiles::write(const QString& path, const QString& text, bool append) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    const QIODevice::OpenMode mode =
        QIODevice::WriteOnly | (append ? QIODevice::Append : QIODevice::Truncate);
    if (!file.open(mode))
        return false;
    const QByteArray bytes = (text + QStringLiteral("\r\n")).toLocal8Bit();
    return file.write(bytes) == bytes.size() && file.flush();
}

bool ErrorLogFiles::appendToLog(const QString& text) const {
    return write(logPath(), text, true);
}

bool ErrorLogFiles::writeProtocol(const QString& text) const {
    return write(protocolPath(), text, false);
}

} // namespace tavro
