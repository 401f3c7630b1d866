#include "ui/dialogs/LocalisedDialog.h"

#include <QEvent>

namespace tavro {

bool LocalisedDialog::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        Sprache();
    return QDialog::event(event);
}

void LocalisedDialog::showEvent(QShowEvent* event) {
    Sprache();
    QDialog::showEvent(event);
}

} // namespace tavro
