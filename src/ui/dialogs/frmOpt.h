#pragma once

#include "ui/dialogs/LocalisedDialog.h"

#include <array>
#include <cstdint>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tavro {

struct AppState;

// The options dialog. Works directly on state.settings: the option buttons,
// the colour arrows and the sound box change the settings at once; OK also
// takes the board size and stores the seven keys "BlockTypes",
// "BlocksToClick", "Cols", "Rows", "Background", "BGColor", "Sound";
// Cancel (or the close box, or Escape) stores nothing and keeps Cols and Rows.
//
//   frmOpt dlg(state, this);
//   dlg.exec();            // Accepted after OK, Rejected otherwise
//   // either way: start a new game with state.settings
//
// Form_Load runs in the constructor (presets the controls; Cols 0 becomes 12
// and Rows 0 becomes 7 in the settings themselves). The language texts are
// applied each time the dialog is shown or activated.
//
// The lists offer 5 up to MaxCols and MaxRows (just 5 when less fits) and show
// the chosen board size (state.chosenBoard, else Cols and Rows), or the
// nearest size they offer. OK sets Cols and Rows to the shown sizes; it stores
// the shown sizes too, except that a chosen size larger than the window
// allows stays stored while the player leaves its list alone.
class frmOpt : public LocalisedDialog {
    Q_OBJECT
public:
    explicit frmOpt(AppState& state, QWidget* parent = nullptr);

    // Controls, for the tests and the screenshots.
    QComboBox* cboNumCols() const { return cboNumCols_; }
    QComboBox* cboNumRows() const { return cboNumRows_; }
    QRadioButton* optNumBlockTypes(int index) const { return optNumBlockTypes_.at(index); }
    QRadioButton* optMinBlocksToClick(int index) const { return optMinBlocksToClick_.at(index); }
    QRadioButton* optBG(int index) const { return optBG_.at(index); }
    QPushButton* cmdNextColor() const { return cmdNextColor_; }
    QPushButton* cmdPrevColor() const { return cmdPrevColor_; }
    QLabel* lblColor() const { return lblColor_; }
    QCheckBox* chkSound() const { return chkSound_; }
    QPushButton* cmdOK() const { return cmdOK_; }
    QPushButton* cmdCancel() const { return cmdCancel_; }

    void Sprache() override;

private:
    void buildControls();
    void Form_Load();
    void optNumBlockTypes_Click(int index);
    void optMinBlocksToClick_Click(int index);
    void optBG_Click(int index);
    void cmdNextColor_Click();
    void cmdPrevColor_Click();
    void chkSound_Click(bool checked);
    void cmdOK_Click();
    void cmdCancel_Click();
    void showColor();
    void selectListItem(QComboBox* list, int value);
    static int16_t sizeToStore(const QComboBox* list, int preset, bool picked, int16_t chosen);

    AppState& state_;
    QGroupBox* Frame1_ = nullptr;
    QGroupBox* Frame2_ = nullptr;
    QGroupBox* Frame3_ = nullptr;
    QGroupBox* Frame4_ = nullptr;
    QLabel* Label1_ = nullptr;
    QLabel* Label2_ = nullptr;
    QComboBox* cboNumCols_ = nullptr;
    QComboBox* cboNumRows_ = nullptr;
    std::array<QRadioButton*, 4> optNumBlockTypes_{};
    std::array<QRadioButton*, 3> optMinBlocksToClick_{};
    std::array<QRadioButton*, 2> optBG_{};
    QButtonGroup* grpBlockTypes_ = nullptr;
    QButtonGroup* grpMinBlocks_ = nullptr;
    QButtonGroup* grpBG_ = nullptr;
    QPushButton* cmdNextColor_ = nullptr;
    QPushButton* cmdPrevColor_ = nullptr;
    QLabel* lblColor_ = nullptr;
    QCheckBox* chkSound_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    int16_t chosenCols_ = 0, chosenRows_ = 0; // the chosen board size when loaded
    int presetCols_ = -1, presetRows_ = -1;   // list positions shown when loaded
    bool colsPicked_ = false, rowsPicked_ = false;
};

} // namespace tavro
