#include "ui/dialogs/frmBlocks.h"

#include "common/AppState.h"
#include "common/ScaledPicture.h"
#include "common/SoundPlayer.h"
#include "errors/ErrorTrap.h"
#include "settings/SettingsSchema.h"
#include "ui/dialogs/ClickableImage.h"
#include "ui/dialogs/DialogStyle.h"

#include <QEvent>
#include <QGridLayout>
#include <QPixmap>

namespace tavro {

namespace {

constexpr int kStripHeight = 50;
constexpr int kStripWidth = 350;   // set 0; the others are 300 wide
constexpr int kFirstSetName = 220; // texts 220 .. 233 name the sets

// Grid cell (row, column) of each set: left column 0-5 and 12, right column
// 6-11 and 13.
std::pair<int, int> cellOf(int index) {
    if (index == 12)
        return {6, 0};
    if (index == 13)
        return {6, 1};
    return {index % 6, index / 6};
}

} // namespace

frmBlocks::frmBlocks(AppState& state, QWidget* parent) : LocalisedDialog(parent), state_(state) {
    setWindowTitle(QStringLiteral("Select pieces..."));
    setModal(true);
    DialogStyle::apply(this);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(8);
    for (int i = 0; i < kSets; ++i) {
        auto* picture = new ClickableImage(this);
        const QImage strip = blockStrip(i, devicePixelRatioF());
        if (!strip.isNull())
            picture->setPixmap(QPixmap::fromImage(strip));
        picture->setFixedSize(strip.isNull() ? QSize(i == 0 ? kStripWidth : 300, kStripHeight)
                                             : strip.deviceIndependentSize().toSize());
        picture->setCurrent(i == state_.settings.Blocks);
        imgBlocks_[i] = picture;
        const auto [row, column] = cellOf(i);
        grid->addWidget(picture, row, column, Qt::AlignLeft | Qt::AlignVCenter);
        connect(picture, &ClickableImage::clicked, this, [this, i] { imgBlocks_Click(i); });
    }
    grid->setColumnMinimumWidth(0, kStripWidth);
    grid->setColumnMinimumWidth(1, kStripWidth);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QImage frmBlocks::blockStrip(int index, qreal devicePixelRatio, bool symbols) {
    if (index < 0 || index >= kSets)
        return QImage();
    return loadScaledPicture(
        QStringLiteral(":/blocks/%1%2.png")
            .arg(symbols ? QStringLiteral("symbols") : QStringLiteral("blocks"))
            .arg(index, 2, 10, QLatin1Char('0')),
        devicePixelRatio);
}

void frmBlocks::imgBlocks_Click(int index) {
    ErrorTrap trap("frmBlocks", "imgblocks_Click");
    GameSettings& s = state_.settings;
    trap.run([&] {
        if (s.Sound != 0)
            state_.sound.PlayWAV(SoundId::Landed);
    });
    trap.run([&] {
        s.Blocks = int16_t(index);
        chosen_ = index;
    });
    trap.run([&] { saveSettings(state_.store, s, {Setting::Blocks}); });
    trap.run([&] { accept(); });
}

void frmBlocks::Sprache() {
    setWindowTitle(state_.language.GetLang(112));
    // Each set's tooltip is its name.
    for (int i = 0; i < kSets; ++i)
        imgBlocks_[i]->setToolTip(state_.language.GetLang(int16_t(kFirstSetName + i)));
}

} // namespace tavro
