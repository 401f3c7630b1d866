#pragma once

#include <QDialog>

namespace tavro {

// A dialog whose texts come from the language files: Sprache() puts them in
// place every time the dialog is shown or activated, so a language switched
// meanwhile shows at once.
//
// No text makes the dialog wider than half again its design width (its width
// with the captions it was built with): the widest texts are elided, and the
// whole text becomes their tooltip. Real translations never come near it; a
// damaged language file with endless texts cannot push the buttons off screen.
class LocalisedDialog : public QDialog {
    Q_OBJECT

public:
    using QDialog::QDialog;

    virtual void Sprache() = 0;

    // The widest the texts may make the dialog; 0 until the dialog is polished.
    int maximumTextWidth() const { return designWidth_ * 3 / 2; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void applyTexts();
    void fitTexts();

    int designWidth_ = 0;
};

} // namespace tavro
