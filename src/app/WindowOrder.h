#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace tavro {

// Remembers the order in which the program's top-level windows were shown,
// so that shut-down can close them newest first. A window shown again counts
// as opened anew. Install it on the application object.
class WindowOrder : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // The windows still alive, the most recently shown first.
    QList<QPointer<QWidget>> newestFirst() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QPointer<QWidget>> shown_; // oldest first
};

} // namespace tavro
