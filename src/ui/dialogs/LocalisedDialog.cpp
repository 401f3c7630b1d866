#include "ui/dialogs/LocalisedDialog.h"

#include "ui/dialogs/TextFit.h"

#include <QEvent>
#include <QLayout>

namespace tavro {

bool LocalisedDialog::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    // Measured before the dialog is placed, which then places it at the size
    // its texts give it.
    if (event->type() == QEvent::Polish && designWidth_ == 0) {
        designWidth_ = language_
                           ? textfit::widestTranslation(this, *language_, [this] { Sprache(); })
                           : sizeHint().width();
        applyTexts();
    }
    if (event->type() == QEvent::WindowActivate)
        applyTexts();
    return handled;
}

void LocalisedDialog::showEvent(QShowEvent* event) {
    applyTexts();
    QDialog::showEvent(event);
}

void LocalisedDialog::applyTexts() {
    Sprache();
    if (designWidth_ > 0)
        textfit::fitToWidth(this, designWidth_);
}

} // namespace tavro
