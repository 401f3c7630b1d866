#include "ui/dialogs/LocalisedDialog.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <algorithm>
#include <functional>

namespace tavro {

namespace {

// A one-line text of a control, with the means to replace it.
struct TextSlot {
    QWidget* widget;
    QString text;
    std::function<void(const QString&)> set;
};

QList<TextSlot> textSlots(QWidget* dialog) {
    QList<TextSlot> found;
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (!label->wordWrap() && !label->text().isEmpty())
            found.append({label, label->text(), [label](const QString& t) { label->setText(t); }});
    }
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        if (!button->text().isEmpty())
            found.append(
                {button, button->text(), [button](const QString& t) { button->setText(t); }});
    }
    for (QGroupBox* box : dialog->findChildren<QGroupBox*>()) {
        if (!box->title().isEmpty())
            found.append({box, box->title(), [box](const QString& t) { box->setTitle(t); }});
    }
    return found;
}

int textWidth(const TextSlot& slot) {
    return slot.widget->fontMetrics().horizontalAdvance(slot.text);
}

} // namespace

bool LocalisedDialog::event(QEvent* event) {
    if (event->type() == QEvent::Polish && designWidth_ == 0)
        designWidth_ = sizeHint().width();
    if (event->type() == QEvent::WindowActivate)
        applyTexts();
    return QDialog::event(event);
}

void LocalisedDialog::showEvent(QShowEvent* event) {
    applyTexts();
    QDialog::showEvent(event);
}

void LocalisedDialog::applyTexts() {
    Sprache();
    fitTexts();
}

void LocalisedDialog::fitTexts() {
    if (designWidth_ == 0)
        return;
    if (layout())
        layout()->activate();
    // Elide the widest text by what the dialog is too wide, until it fits.
    for (int round = 0; round < 64; ++round) {
        const int excess = sizeHint().width() - maximumTextWidth();
        if (excess <= 0)
            return;
        const QList<TextSlot> found = textSlots(this);
        if (found.isEmpty())
            return;
        const TextSlot& widest =
            *std::max_element(found.begin(), found.end(), [](const TextSlot& a, const TextSlot& b) {
                return textWidth(a) < textWidth(b);
            });
        const int target = std::max(textWidth(widest) - excess, 16);
        if (textWidth(widest) <= 16)
            return;
        if (widest.widget->toolTip().isEmpty())
            widest.widget->setToolTip(widest.text);
        widest.set(widest.widget->fontMetrics().elidedText(widest.text, Qt::ElideRight, target));
        if (layout())
            layout()->activate();
    }
}

} // namespace tavro
