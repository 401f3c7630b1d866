#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>

// A top-level window as the X server shows it.
struct ScreenWindow {
    QString id;
    QString title;
    QRect geometry; // in screen coordinates
};

// What a person does at the screen: look at it (ImageMagick's import), move
// the mouse, click and type (xdotool, through the XTEST extension, so the
// program sees ordinary input events).
class Desktop {
public:
    explicit Desktop(const QProcessEnvironment& environment);

    QImage grab(const QRect& area = QRect()) const;
    void click(const QPoint& position) const;
    void moveMouse(const QPoint& position) const;
    void typeText(const QString& text) const;
    void pressKey(const QString& keyName) const;
    void focus(const QString& windowId) const;

    // The visible top-level windows of one process, in stacking order.
    QList<ScreenWindow> windowsOf(qint64 pid) const;

private:
    QByteArray run(const QString& program, const QStringList& arguments) const;

    QProcessEnvironment environment_;
};
