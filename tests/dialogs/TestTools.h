#pragma once

// Small pieces shared by the dialog, error, language, info and start-up tests.

#include "errors/ErrorTrap.h"

#include <QFile>
#include <QObject>
#include <QStringList>
#include <QUrl>

namespace tavro::test {

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(content) == content.size();
}

// Receives the addresses opened through QDesktopServices instead of a browser
// or mail program.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

// While it lives, every error report is recorded ("module/procedure" and the
// failure) and answered by `answer` (Leave unless set).
struct ReportRecorder {
    QStringList reports;
    QList<Failure> failures;
    std::function<int()> answer = [] { return int(Continue::Leave); };
    ErrorHandler previous =
        setErrorHandler([this](const QString& module, const QString& procedure, const Failure& f) {
            reports << module + u'/' + procedure;
            failures << f;
            return answer();
        });
    ~ReportRecorder() { setErrorHandler(previous); }
};

} // namespace tavro::test
