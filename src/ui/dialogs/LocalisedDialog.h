#pragma once

#include <QDialog>

namespace tavro {

// A dialog whose texts come from the language files: Sprache() puts them in
// place every time the dialog is shown or activated, so a language switched
// meanwhile shows at once.
class LocalisedDialog : public QDialog {
    Q_OBJECT

public:
    using QDialog::QDialog;

    virtual void Sprache() = 0;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

} // namespace tavro
