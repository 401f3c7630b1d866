#pragma once

// The shared test doubles, and the recorder of opened addresses (a QObject:
// every test program that includes this header lists it for moc).

#include "support/TestDoubles.h"

#include <QObject>
#include <QUrl>

namespace tavro::test {

// Receives the addresses opened through QDesktopServices instead of a browser
// or mail program.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

} // namespace tavro::test
