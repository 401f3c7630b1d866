#include "ui/dialogs/frmHighscore.h"

#include "common/AppState.h"
#include "common/Prompt.h"
#include "common/SoundPlayer.h"
#include "errors/ErrorTrap.h"
#include "ui/dialogs/DialogStyle.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavro {

namespace {

constexpr int kNameWidth = 170;

QLabel* valueLabel(QWidget* parent, Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter) {
    auto* label = new QLabel(parent);
    label->setAlignment(alignment);
    return label;
}

} // namespace

frmHighscore::frmHighscore(AppState& state, const CurrentGame& game,
                           std::function<void()> clearFinished, QWidget* parent,
                           const CurrentGameExtras& extras)
    : LocalisedDialog(state.language, parent), state_(state), game_(game), extras_(extras),
      clearFinished_(std::move(clearFinished)) {
    setWindowTitle(QStringLiteral("Champions"));
    setModal(true);
    // No close box: only OK ends the showing (see reject()).
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    buildControls();
    Form_Load();
}

QLabel* frmHighscore::addStatistic(const QString& caption, const QString& name) {
    auto* grid = static_cast<QGridLayout*>(Frame1_->layout());
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(caption, Frame1_), row, 0, 1, 4);
    QLabel* value = valueLabel(Frame1_);
    value->setObjectName(name);
    grid->addWidget(value, row, 4);
    return value;
}

void frmHighscore::buildControls() {
    DialogStyle::apply(this);
    const QStringList designCaptions = {
        "Score:",       "Blocks left:", "Columns:", "Rows",       "Total blocks:",
        "Block types:", "Name",         "Score",    "Blocks left"};
    for (int i = 0; i < int(captions_.size()); ++i)
        captions_[i] = new QLabel(designCaptions[i], this);

    Frame1_ = new QGroupBox(QStringLiteral("Statistics"), this);
    lblCols_ = valueLabel(Frame1_);
    lblRows_ = valueLabel(Frame1_);
    lblNumBlockTypes_ = valueLabel(Frame1_);
    lblAktScore_ = valueLabel(Frame1_);
    lblTotalBlocks_ = valueLabel(Frame1_);
    lblBlocksLeft_ = valueLabel(Frame1_);
    auto* stats = new QGridLayout(Frame1_);
    // Board on the left (Label3, Label4, Label6), game on the right (Label1, Label5, Label2).
    const std::array<std::pair<int, QLabel*>, 6> pairs = {{{2, lblCols_},
                                                           {3, lblRows_},
                                                           {5, lblNumBlockTypes_},
                                                           {0, lblAktScore_},
                                                           {4, lblTotalBlocks_},
                                                           {1, lblBlocksLeft_}}};
    for (int i = 0; i < int(pairs.size()); ++i) {
        const int row = i % 3;
        const int column = (i / 3) * 3;
        captions_[pairs[i].first]->setParent(Frame1_);
        stats->addWidget(captions_[pairs[i].first], row, column);
        stats->addWidget(pairs[i].second, row, column + 1);
    }
    // The board's game number, on a row of its own below.
    lblGameNumberCaption_ = new QLabel(Frame1_);
    lblGameNumber_ = valueLabel(Frame1_, Qt::AlignLeft | Qt::AlignVCenter);
    lblGameNumber_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    stats->addWidget(lblGameNumberCaption_, 3, 0);
    stats->addWidget(lblGameNumber_, 3, 1, 1, 4);
    stats->setColumnMinimumWidth(1, 48);
    stats->setColumnMinimumWidth(2, 28);
    stats->setColumnMinimumWidth(4, 56);

    fraHsc_ = new QGroupBox(QStringLiteral("Champions"), this);
    auto* grid = new QGridLayout(fraHsc_);
    for (int i = 6; i < 9; ++i)
        captions_[i]->setParent(fraHsc_);
    captions_[6]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    captions_[7]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    captions_[8]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (QLabel* heading : {captions_[6], captions_[7], captions_[8]})
        heading->setStyleSheet(
            QStringLiteral("color: %1; font-weight: bold;").arg(theme::css(theme::kHeading)));
    grid->addWidget(captions_[6], 0, 1);
    grid->addWidget(captions_[7], 0, 2);
    grid->addWidget(captions_[8], 0, 3);
    for (int i = 0; i < HighScoreTable::kSlots; ++i) {
        lblPos_[i] = valueLabel(fraHsc_);
        lblPos_[i]->setText(QStringLiteral("%1.").arg(i + 1));
        lblHName_[i] = valueLabel(fraHsc_, Qt::AlignLeft | Qt::AlignVCenter);
        lblHName_[i]->setFixedWidth(kNameWidth);
        lblHScore_[i] = valueLabel(fraHsc_);
        lblLeft_[i] = valueLabel(fraHsc_);
        grid->addWidget(lblPos_[i], i + 1, 0);
        grid->addWidget(lblHName_[i], i + 1, 1);
        grid->addWidget(lblHScore_[i], i + 1, 2);
        grid->addWidget(lblLeft_[i], i + 1, 3);
    }
    grid->setColumnMinimumWidth(2, 64);
    grid->setColumnMinimumWidth(3, 72);
    grid->setHorizontalSpacing(12);

    cmdDelHighscore_ = new QPushButton(QStringLiteral("Reset"), this);
    cmdOK_ = new QPushButton(QStringLiteral("&OK"), this);
    // Return presses the focused button (Qt's auto-default); OK otherwise.
    // The table opens with the focus on OK, so Return closes it.
    cmdOK_->setDefault(true);
    cmdOK_->setFocus();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdDelHighscore_);
    buttons->addStretch();
    buttons->addWidget(cmdOK_);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(14, 12, 14, 12);
    outer->addWidget(Frame1_);
    outer->addWidget(fraHsc_);
    lblNoEntry_ = new QLabel(this);
    lblNoEntry_->setWordWrap(true);
    lblNoEntry_->hide();
    outer->addWidget(lblNoEntry_);
    outer->addSpacing(6);
    outer->addLayout(buttons);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdDelHighscore_, &QPushButton::clicked, this, &frmHighscore::cmdDelHighscore_Click);
    connect(cmdOK_, &QPushButton::clicked, this, &frmHighscore::cmdOK_Click);
}

void frmHighscore::Form_Load() {
    const GameSettings& s = state_.settings;
    ErrorTrap trap("frmHighscore", "Form_Load");
    trap.run([&] {
        if (game_.blocksLeft == 0 && game_.finished && s.Sound != 0)
            state_.sound.PlayWAV(SoundId::BoardCleared);
    });
    trap.run([&] {
        lblTotalBlocks_->setText(QString::number(game_.totalBlocks));
        lblCols_->setText(QString::number(s.Cols));
        lblRows_->setText(QString::number(s.Rows));
        lblBlocksLeft_->setText(QString::number(game_.blocksLeft));
        lblNumBlockTypes_->setText(QString::number(s.BlockTypes));
        lblAktScore_->setText(QString::number(game_.score));
        lblGameNumber_->setText(extras_.gameNumber ? QString::number(*extras_.gameNumber)
                                                   : QString());
        lblGameNumberCaption_->setVisible(extras_.gameNumber.has_value());
        lblGameNumber_->setVisible(extras_.gameNumber.has_value());
        lblNoEntry_->setVisible(extras_.noEntry);
    });
    trap.run([&] { GetScores(); });
    trap.run([&] {
        if (game_.finished)
            CheckHS();
    });
    trap.run([&] { ZeigeScores(); });
}

void frmHighscore::GetScores() {
    ErrorTrap trap("frmHighscore", "GetScores");
    trap.run([&] { table_.read(state_.store, state_.settings); });
}

void frmHighscore::CheckHS() {
    ErrorTrap trap("frmHighscore", "CheckHS");
    int slot = 0;
    trap.run([&] { GetScores(); });
    trap.run([&] { slot = table_.placeFor(game_.score); });
    if (slot == 0)
        return;
    trap.run([&] {
        const Language& lang = state_.language;
        // The prompt names the score the name is asked for.
        const QString prompt =
            lang.GetLang(126) + QStringLiteral("\n\n") + lang.GetLang(216).arg(game_.score);
        const auto answer = state_.prompt.askText(lang.GetLang(128), prompt, state_.lastPlayerName);
        state_.lastPlayerName = HighScoreSlot::cleanName(answer.value_or(QString()));
    });
    trap.run([&] {
        table_.insert(slot, {state_.lastPlayerName, game_.score, game_.blocksLeft, true});
    });
    trap.run([&] { WriteScores(); });
}

void frmHighscore::WriteScores() {
    ErrorTrap trap("frmHighscore", "WriteScores");
    trap.run([&] { table_.write(state_.store, state_.settings); });
}

void frmHighscore::ZeigeScores() {
    ErrorTrap trap("frmHighscore", "ZeigeScores");
    for (int slot = 1; slot <= HighScoreTable::kSlots; ++slot) {
        trap.run([&] { showSlot(slot); });
        trap.run([&] { markSlot(slot); });
    }
}

void frmHighscore::showSlot(int slot) {
    const HighScoreEntry& e = table_.entry(slot);
    QLabel* name = lblHName(slot);
    const QFontMetrics metrics(name->font());
    name->setText(metrics.elidedText(e.name, Qt::ElideRight, kNameWidth));
    name->setToolTip(e.name);
    lblHScore(slot)->setText(e.filled ? QString::number(e.score) : QString());
    lblLeft(slot)->setText(e.filled ? QString::number(e.blocksLeft) : QString());
}

void frmHighscore::markSlot(int slot) {
    const HighScoreEntry& e = table_.entry(slot);
    const bool currentGame = e.name == state_.lastPlayerName && e.blocksLeft == game_.blocksLeft &&
                             e.score == game_.score;
    const QColor color = currentGame ? DialogStyle::lightBlue() : DialogStyle::white();
    for (QLabel* label : {lblHName(slot), lblHScore(slot), lblLeft(slot)})
        DialogStyle::setTextColor(label, color);
}

void frmHighscore::ResetScores() {
    ErrorTrap trap("frmHighscore", "ResetScores");
    trap.run([&] { table_.reset(); });
    for (int slot = 1; slot <= HighScoreTable::kSlots; ++slot)
        trap.run([&] { showSlot(slot); });
    trap.run([&] { WriteScores(); });
}

void frmHighscore::cmdDelHighscore_Click() {
    if (state_.prompt.askYesNo(QStringLiteral("Tavro"), state_.language.GetLang(135)))
        ResetScores();
}

void frmHighscore::cmdOK_Click() {
    ErrorTrap trap("frmHighscore", "cmdOK_Click");
    trap.run([&] {
        if (clearFinished_)
            clearFinished_();
        game_.finished = false;
    });
    trap.run([&] { accept(); });
}

void frmHighscore::reject() {
    // Escape and a close request from the window system end the showing the
    // way OK does, so the game-finished flag never outlives the showing and
    // the same game cannot be entered a second time.
    cmdOK_Click();
}

void frmHighscore::Sprache() {
    ErrorTrap trap("frmHighscore", "Sprache");
    const Language& lang = state_.language;
    trap.run([&] {
        setWindowTitle(lang.GetLang(127));
        Frame1_->setTitle(lang.GetLang(132));
        constexpr std::array<int16_t, 9> ids = {137, 134, 116, 118, 133, 121, 144, 137, 134};
        for (int i = 0; i < int(ids.size()); ++i)
            captions_[i]->setText(lang.GetLang(ids[i]));
        fraHsc_->setTitle(lang.GetLang(127));
        cmdDelHighscore_->setText(lang.GetLang(136));
        lblGameNumberCaption_->setText(lang.GetLang(210));
        lblNoEntry_->setText(lang.GetLang(211));
    });
}

} // namespace tavro
