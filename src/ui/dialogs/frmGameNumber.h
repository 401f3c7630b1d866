#pragma once

#include "ui/dialogs/LocalisedDialog.h"

#include <cstdint>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tavro {

struct AppState;

// The "Game number" window: shows the number of the board in play, copies it
// to the clipboard, and takes a number to play. Accepted with chosenNumber()
// set when the player asks for a board; Close changes nothing.
//
//   frmGameNumber dlg(state, game.gameNumber(), this);
//   if (dlg.exec() == QDialog::Accepted) startGame(*dlg.chosenNumber());
class frmGameNumber : public LocalisedDialog {
    Q_OBJECT

public:
    frmGameNumber(AppState& state, uint32_t current, QWidget* parent = nullptr);

    std::optional<uint32_t> chosenNumber() const { return chosen_; }
    QLineEdit* txtCurrent() const { return current_; }
    QLineEdit* txtNumber() const { return number_; }
    QPushButton* cmdCopy() const { return copy_; }
    QPushButton* cmdPlay() const { return play_; }

    void Sprache() override;

private:
    void play();
    void numberEdited();

    AppState& state_;
    QLabel* currentCaption_ = nullptr;
    QLabel* numberCaption_ = nullptr;
    QLineEdit* current_ = nullptr;
    QLineEdit* number_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* play_ = nullptr;
    QPushButton* close_ = nullptr;
    std::optional<uint32_t> chosen_;
};

} // namespace tavro
