#pragma once

#include "ui/dialogs/LocalisedDialog.h"

#include <QImage>
#include <array>
#include <optional>

namespace tavro {

struct AppState;
class ClickableImage;

// The block-set picker: the 14 block strips in two columns of seven (left
// sets 0-5 and 12, right 6-11 and 13). A click plays sound 107 (when Sound is
// on), sets and stores "Blocks" in section "Settings" and closes the dialog.
// The close box closes without a choice and changes nothing.
//
//   frmBlocks dlg(state, this);
//   dlg.exec();                        // Accepted when a set was clicked
//   picBlocks = frmBlocks::blockStrip(state.settings.Blocks);
//   // then a new game, whether or not a set was chosen
class frmBlocks : public LocalisedDialog {
    Q_OBJECT
public:
    static constexpr int kSets = 14;

    explicit frmBlocks(AppState& state, QWidget* parent = nullptr);

    // The strip of block set index (":/blocks/blocksNN.png", 50 px high,
    // block type t at x = 50 t); a null image when the set does not exist.
    // The strip of block set `index` in the rendition for a device pixel
    // ratio, with the type symbols drawn on the blocks when asked; null for
    // an index outside the sets.
    static QImage blockStrip(int index, qreal devicePixelRatio = 1, bool symbols = false);

    // The set clicked in this showing, if any.
    std::optional<int> chosenIndex() const { return chosen_; }
    bool choiceMade() const { return chosen_.has_value(); }
    ClickableImage* imgBlocks(int index) const { return imgBlocks_.at(index); }

    void Sprache() override;

private:
    void imgBlocks_Click(int index);

    AppState& state_;
    std::array<ClickableImage*, kSets> imgBlocks_{};
    std::optional<int> chosen_;
};

} // namespace tavro
