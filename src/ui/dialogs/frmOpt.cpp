#include "ui/dialogs/frmOpt.h"

#include "common/AppState.h"
#include "errors/AppError.h"
#include "errors/ErrorTrap.h"
#include "settings/SettingsSchema.h"
#include "ui/dialogs/DialogStyle.h"
#include "ui/dialogs/Palette16.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tavro {

namespace {

constexpr int kMinSize = 5;

// An element of a control array; a missing element fails like the classic
// control-array lookup.
template <typename Array> auto element(const Array& controls, int index) {
    if (index < 0 || index >= int(controls.size()))
        throw AppError(AppError::NoSuchControl,
                       QStringLiteral("Control array element '%1' doesn't exist").arg(index));
    return controls[index];
}

QButtonGroup* makeGroup(QWidget* owner, auto& buttons) {
    auto* group = new QButtonGroup(owner);
    for (int i = 0; i < int(buttons.size()); ++i)
        group->addButton(buttons[i], i);
    return group;
}

} // namespace

frmOpt::frmOpt(AppState& state, QWidget* parent)
    : LocalisedDialog(state.language, parent), state_(state) {
    setWindowTitle(QStringLiteral("Options"));
    setModal(true);
    buildControls();
    Form_Load();
}

void frmOpt::buildControls() {
    DialogStyle::apply(this);
    const QString numberStyle = QStringLiteral("QRadioButton { color: %1; font-weight: bold; }")
                                    .arg(DialogStyle::lightBlue().name());

    chkSound_ = new QCheckBox(QStringLiteral("Geräusche"), this);

    Frame3_ = new QGroupBox(QStringLiteral("Size"), this);
    Label1_ = new QLabel(QStringLiteral("Width"), Frame3_);
    Label2_ = new QLabel(QStringLiteral("Height"), Frame3_);
    cboNumCols_ = new QComboBox(Frame3_);
    cboNumRows_ = new QComboBox(Frame3_);
    cboNumCols_->setEditable(false);
    cboNumRows_->setEditable(false);
    cboNumCols_->setMinimumWidth(64);
    cboNumRows_->setMinimumWidth(64);
    auto* sizeGrid = new QGridLayout(Frame3_);
    sizeGrid->addWidget(Label1_, 0, 0);
    sizeGrid->addWidget(cboNumCols_, 0, 1);
    sizeGrid->addWidget(Label2_, 1, 0);
    sizeGrid->addWidget(cboNumRows_, 1, 1);
    sizeGrid->setColumnStretch(0, 1);

    Frame2_ = new QGroupBox(QStringLiteral("Number of block types"), this);
    auto* typesRow = new QHBoxLayout(Frame2_);
    for (int i = 0; i < int(optNumBlockTypes_.size()); ++i) {
        optNumBlockTypes_[i] = new QRadioButton(QString::number(i + 3), Frame2_);
        optNumBlockTypes_[i]->setStyleSheet(numberStyle);
        typesRow->addWidget(optNumBlockTypes_[i]);
    }
    grpBlockTypes_ = makeGroup(this, optNumBlockTypes_);

    Frame1_ = new QGroupBox(QStringLiteral("Minimum blocks to click"), this);
    auto* minRow = new QHBoxLayout(Frame1_);
    for (int i = 0; i < int(optMinBlocksToClick_.size()); ++i) {
        optMinBlocksToClick_[i] = new QRadioButton(QString::number(i + 2), Frame1_);
        optMinBlocksToClick_[i]->setStyleSheet(numberStyle);
        minRow->addWidget(optMinBlocksToClick_[i]);
    }
    minRow->addStretch();
    grpMinBlocks_ = makeGroup(this, optMinBlocksToClick_);

    Frame4_ = new QGroupBox(QStringLiteral("Background"), this);
    optBG_[0] = new QRadioButton(QStringLiteral("Transparent"), Frame4_);
    optBG_[1] = new QRadioButton(QStringLiteral("Color"), Frame4_);
    grpBG_ = makeGroup(this, optBG_);
    lblColor_ = new QLabel(Frame4_);
    lblColor_->setFixedSize(44, 44);
    lblColor_->setAutoFillBackground(true);
    cmdPrevColor_ = new QPushButton(QStringLiteral("\u25B2"), Frame4_);
    cmdNextColor_ = new QPushButton(QStringLiteral("\u25BC"), Frame4_);
    for (QPushButton* arrow : {cmdPrevColor_, cmdNextColor_}) {
        arrow->setFixedSize(28, 20);
        arrow->setStyleSheet(QStringLiteral("QPushButton { padding: 0; font-size: 9px; }"));
    }
    auto* bgGrid = new QGridLayout(Frame4_);
    bgGrid->addWidget(optBG_[0], 0, 0);
    bgGrid->addWidget(optBG_[1], 1, 0);
    bgGrid->addWidget(lblColor_, 0, 1, 2, 1, Qt::AlignCenter);
    bgGrid->addWidget(cmdPrevColor_, 0, 2, Qt::AlignBottom);
    bgGrid->addWidget(cmdNextColor_, 1, 2, Qt::AlignTop);
    bgGrid->setColumnStretch(0, 1);
    bgGrid->setVerticalSpacing(2);

    cmdOK_ = new QPushButton(QStringLiteral("&OK"), this);
    cmdCancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
    // Return presses the focused button (Qt's auto-default, as on every
    // desktop); OK only when the focus is elsewhere.
    cmdOK_->setDefault(true);

    auto* left = new QVBoxLayout;
    left->addWidget(Frame3_);
    left->addWidget(Frame4_);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(Frame2_);
    right->addWidget(Frame1_);
    right->addWidget(chkSound_);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addSpacing(6);
    columns->addLayout(right, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(14, 12, 14, 12);
    outer->addLayout(columns);
    outer->addSpacing(8);
    outer->addLayout(buttons);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(grpBlockTypes_, &QButtonGroup::idClicked, this, &frmOpt::optNumBlockTypes_Click);
    connect(grpMinBlocks_, &QButtonGroup::idClicked, this, &frmOpt::optMinBlocksToClick_Click);
    connect(grpBG_, &QButtonGroup::idClicked, this, &frmOpt::optBG_Click);
    connect(cmdNextColor_, &QPushButton::clicked, this, &frmOpt::cmdNextColor_Click);
    connect(cmdPrevColor_, &QPushButton::clicked, this, &frmOpt::cmdPrevColor_Click);
    connect(chkSound_, &QCheckBox::clicked, this, &frmOpt::chkSound_Click);
    connect(cmdOK_, &QPushButton::clicked, this, &frmOpt::cmdOK_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmOpt::cmdCancel_Click);
    connect(cboNumCols_, &QComboBox::activated, this, [this] { colsPicked_ = true; });
    connect(cboNumRows_, &QComboBox::activated, this, [this] { rowsPicked_ = true; });
}

void frmOpt::Form_Load() {
    GameSettings& s = state_.settings;
    ErrorTrap trap("frmOpt", "Form_Load");
    trap.run([&] { element(optNumBlockTypes_, s.BlockTypes - 3)->setChecked(true); });
    trap.run([&] { element(optMinBlocksToClick_, s.BlocksToClick - 2)->setChecked(true); });
    trap.run([&] { element(optBG_, s.Background ? 0 : 1)->setChecked(true); });
    trap.run([&] { showColor(); });
    trap.run([&] {
        // Never an empty list: a window too small for five cells still offers 5.
        for (int n = kMinSize; n <= std::max<int>(s.MaxCols, kMinSize); ++n)
            cboNumCols_->addItem(QString::number(n));
        for (int n = kMinSize; n <= std::max<int>(s.MaxRows, kMinSize); ++n)
            cboNumRows_->addItem(QString::number(n));
    });
    trap.run([&] {
        if (s.Cols == 0)
            s.Cols = 12;
        if (s.Rows == 0)
            s.Rows = 7;
    });
    if (trap.left())
        return;
    // From here on nothing can fail that would be worth a report. The lists
    // show the chosen size, or the nearest one that fits the window.
    const QSize chosen = state_.chosenBoard.width() > 0 && state_.chosenBoard.height() > 0
                             ? state_.chosenBoard
                             : QSize(s.Cols, s.Rows);
    chosenCols_ = int16_t(chosen.width());
    chosenRows_ = int16_t(chosen.height());
    selectListItem(cboNumCols_, chosenCols_);
    selectListItem(cboNumRows_, chosenRows_);
    presetCols_ = cboNumCols_->currentIndex();
    presetRows_ = cboNumRows_->currentIndex();
    chkSound_->setChecked(s.Sound);
}

void frmOpt::selectListItem(QComboBox* list, int value) {
    const int first = list->count() > 0 ? list->itemText(0).toInt() : kMinSize;
    list->setCurrentIndex(std::clamp(value - first, 0, int(list->count()) - 1));
}

void frmOpt::Sprache() {
    ErrorTrap trap("frmOpt", "Sprache");
    const Language& lang = state_.language;
    trap.run([&] {
        setWindowTitle(lang.GetLang(117));
        Frame3_->setTitle(lang.GetLang(115));
        Label1_->setText(lang.GetLang(116));
        Label2_->setText(lang.GetLang(118));
        Frame2_->setTitle(lang.GetLang(121));
        Frame4_->setTitle(lang.GetLang(129));
        optBG_[0]->setText(lang.GetLang(130));
        optBG_[1]->setText(lang.GetLang(131));
        chkSound_->setText(lang.GetLang(119));
        cmdCancel_->setText(lang.GetLang(143));
    });
}

void frmOpt::optNumBlockTypes_Click(int index) {
    state_.settings.BlockTypes = int16_t(index + 3);
}

void frmOpt::optMinBlocksToClick_Click(int index) {
    state_.settings.BlocksToClick = int16_t(index + 2);
}

void frmOpt::optBG_Click(int index) {
    state_.settings.Background = index == 0;
}

void frmOpt::cmdNextColor_Click() {
    ErrorTrap trap("frmOpt", "cmdNextColor_Click");
    trap.run([&] {
        int16_t& color = state_.settings.BGColor;
        color = int16_t(color + 1 >= Palette16::kSize ? 0 : color + 1);
    });
    trap.run([&] { showColor(); });
}

void frmOpt::cmdPrevColor_Click() {
    ErrorTrap trap("frmOpt", "cmdPrevColor_Click");
    trap.run([&] {
        int16_t& color = state_.settings.BGColor;
        color = int16_t(color - 1 < 0 ? Palette16::kSize - 1 : color - 1);
    });
    trap.run([&] { showColor(); });
}

void frmOpt::chkSound_Click(bool checked) {
    state_.settings.Sound = checked;
}

void frmOpt::showColor() {
    QPalette palette = lblColor_->palette();
    palette.setColor(QPalette::Window, Palette16::color(state_.settings.BGColor));
    lblColor_->setPalette(palette);
    lblColor_->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid white;")
                                 .arg(Palette16::color(state_.settings.BGColor).name()));
}

int16_t frmOpt::sizeToStore(const QComboBox* list, int preset, bool picked, int16_t chosen) {
    // A chosen size larger than the window allows is shown as the largest
    // that fits; unless the player picked another one, it stays chosen.
    const int shown = list->currentText().toInt();
    if (!picked && list->currentIndex() == preset && chosen > shown)
        return chosen;
    return int16_t(shown);
}

void frmOpt::cmdOK_Click() {
    GameSettings& s = state_.settings;
    ErrorTrap trap("frmOpt", "cmdOK_Click");
    QSize stored;
    trap.run([&] {
        stored.setWidth(sizeToStore(cboNumCols_, presetCols_, colsPicked_, chosenCols_));
        s.Cols = int16_t(cboNumCols_->currentText().toInt());
    });
    trap.run([&] {
        stored.setHeight(sizeToStore(cboNumRows_, presetRows_, rowsPicked_, chosenRows_));
        s.Rows = int16_t(cboNumRows_->currentText().toInt());
    });
    trap.run([&] {
        state_.chosenBoard = stored;
        GameSettings toStore = s;
        toStore.Cols = int16_t(stored.width());
        toStore.Rows = int16_t(stored.height());
        saveSettings(state_.store, toStore,
                     {Setting::BlockTypes, Setting::BlocksToClick, Setting::Cols, Setting::Rows,
                      Setting::Background, Setting::BGColor, Setting::Sound});
    });
    trap.run([&] { accept(); });
}

void frmOpt::cmdCancel_Click() {
    reject();
}

} // namespace tavro
