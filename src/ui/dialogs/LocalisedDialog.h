#pragma once

#include <QDialog>

namespace tavro {

class Language;

// A dialog whose texts come from the language files: Sprache() puts them in
// place every time the dialog is shown or activated, so a language switched
// meanwhile shows at once.
//
// No text makes the dialog wider than its design width: the width it takes
// with its widest shipped translation (measured against the copies of the
// language files built into the program), or with its design captions where
// it has no language to measure. Longer texts are elided, the whole text in
// their tooltip, so a damaged language file with endless texts can never push
// the buttons off the screen.
class LocalisedDialog : public QDialog {
    Q_OBJECT

public:
    explicit LocalisedDialog(QWidget* parent = nullptr) : QDialog(parent) {}
    explicit LocalisedDialog(const Language& language, QWidget* parent = nullptr)
        : QDialog(parent), language_(&language) {}

    virtual void Sprache() = 0;

    // The widest the texts may make the dialog; 0 until the dialog is polished.
    int designWidth() const { return designWidth_; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void applyTexts();

    const Language* language_ = nullptr;
    int designWidth_ = 0;
};

} // namespace tavro
