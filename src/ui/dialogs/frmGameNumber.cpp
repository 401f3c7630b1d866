#include "ui/dialogs/frmGameNumber.h"

#include "common/AppState.h"
#include "game/GameNumber.h"
#include "ui/dialogs/DialogStyle.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace tavro {

namespace {
constexpr int16_t kTitle = 206, kCurrent = 207, kCopy = 208, kNumber = 209, kPlay = 218,
                  kClose = 219;
}

frmGameNumber::frmGameNumber(AppState& state, uint32_t current, QWidget* parent)
    : LocalisedDialog(state.language, parent), state_(state) {
    setObjectName(QStringLiteral("frmGameNumber"));
    setModal(true);
    DialogStyle::apply(this);
    currentCaption_ = new QLabel(this);
    numberCaption_ = new QLabel(this);
    current_ = new QLineEdit(QString::number(current), this);
    current_->setReadOnly(true);
    number_ = new QLineEdit(this);
    number_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,10}")), this));
    number_->setPlaceholderText(QStringLiteral("0 - 4294967295"));
    copy_ = new QPushButton(this);
    play_ = new QPushButton(this);
    close_ = new QPushButton(this);
    play_->setEnabled(false);
    play_->setDefault(true);
    copy_->setAutoDefault(false);
    close_->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(14, 12, 14, 12);
    grid->addWidget(currentCaption_, 0, 0);
    grid->addWidget(current_, 0, 1);
    grid->addWidget(copy_, 0, 2);
    grid->addWidget(numberCaption_, 1, 0);
    grid->addWidget(number_, 1, 1);
    grid->addWidget(play_, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close_);
    grid->addLayout(buttons, 2, 0, 1, 3);
    grid->setColumnMinimumWidth(1, 120);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(copy_, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(current_->text()); });
    connect(play_, &QPushButton::clicked, this, &frmGameNumber::play);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
    connect(number_, &QLineEdit::textChanged, this, &frmGameNumber::numberEdited);
    connect(number_, &QLineEdit::returnPressed, this, &frmGameNumber::play);
    number_->setFocus();
}

void frmGameNumber::numberEdited() {
    play_->setEnabled(GameNumber::parse(number_->text().toStdString()).has_value());
}

void frmGameNumber::play() {
    chosen_ = GameNumber::parse(number_->text().toStdString());
    if (chosen_)
        accept();
}

void frmGameNumber::Sprache() {
    const Language& lang = state_.language;
    setWindowTitle(lang.GetLang(kTitle));
    currentCaption_->setText(lang.GetLang(kCurrent));
    copy_->setText(lang.GetLang(kCopy));
    numberCaption_->setText(lang.GetLang(kNumber));
    play_->setText(lang.GetLang(kPlay));
    close_->setText(lang.GetLang(kClose));
}

} // namespace tavro
