#include "app/WindowOrder.h"

#include <QEvent>
#include <algorithm>

namespace tavro {

QList<QPointer<QWidget>> WindowOrder::newestFirst() const {
    QList<QPointer<QWidget>> windows;
    for (auto it = shown_.crbegin(); it != shown_.crend(); ++it)
        if (*it)
            windows.append(*it);
    return windows;
}

bool WindowOrder::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow()) {
            shown_.removeIf([widget](const QPointer<QWidget>& w) { return !w || w == widget; });
            shown_.append(widget);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tavro
