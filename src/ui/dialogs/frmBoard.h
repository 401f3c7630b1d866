#pragma once

#include "ui/dialogs/LocalisedDialog.h"

#include <array>
#include <cstdint>
#include <optional>

namespace tavro {

struct AppState;
class ClickableImage;

// The background picker: nine thumbnails in three columns, the index running
// down the columns. A click plays sound 102 (when Sound is on), sets and
// stores "Board" in section "Settings" and closes the dialog. The close box
// closes without a choice and changes nothing.
//
//   frmBoard dlg(state, this);
//   dlg.exec();                       // Accepted when a picture was clicked
//   if (dlg.pictureChanged()) { PaintBG(); new game; }
class frmBoard : public LocalisedDialog {
    Q_OBJECT
public:
    static constexpr int kPictures = 9;

    explicit frmBoard(AppState& state, QWidget* parent = nullptr);

    // The thumbnail of background index (":/thumbs/<101 + index>.jpg").
    static QString thumbnailPath(int index);

    std::optional<int> chosenIndex() const { return chosen_; }
    bool choiceMade() const { return chosen_.has_value(); }
    // Board differs from its value when the dialog was created: the caller
    // repaints the background and starts a new game.
    bool pictureChanged() const { return currentBoard() != boardBefore_; }
    bool newGameNeeded() const { return pictureChanged(); }

    ClickableImage* imgBrett(int index) const { return imgBrett_.at(index); }

    void Sprache() override;

private:
    void imgBrett_Click(int index);
    int16_t currentBoard() const;

    AppState& state_;
    int16_t boardBefore_ = 0;
    std::array<ClickableImage*, kPictures> imgBrett_{};
    std::optional<int> chosen_;
};

} // namespace tavro
