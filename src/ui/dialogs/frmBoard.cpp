#include "ui/dialogs/frmBoard.h"

#include "common/AppState.h"
#include "common/ScaledPicture.h"
#include "common/SoundPlayer.h"
#include "common/Theme.h"
#include "errors/ErrorTrap.h"
#include "settings/SettingsSchema.h"
#include "ui/dialogs/ClickableImage.h"
#include "ui/dialogs/DialogStyle.h"

#include <QEvent>
#include <QGridLayout>
#include <QPixmap>

namespace tavro {

namespace {
constexpr QSize kThumbSize(200, 150);
} // namespace

frmBoard::frmBoard(AppState& state, QWidget* parent)
    : LocalisedDialog(parent), state_(state), boardBefore_(state.settings.Board) {
    setWindowTitle(QStringLiteral("Select background picture..."));
    setModal(true);
    DialogStyle::apply(this);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setSpacing(10);
    for (int i = 0; i < kPictures; ++i) {
        auto* picture = new ClickableImage(this);
        // The thumbnail inside a single-line border.
        picture->setStyleSheet(
            QStringLiteral("border: 1px solid %1;").arg(theme::css(theme::kLightBlue)));
        picture->setFixedSize(kThumbSize + QSize(2, 2));
        const QImage thumbnail = loadScaledPicture(thumbnailPath(i), devicePixelRatioF());
        if (!thumbnail.isNull()) {
            const qreal ratio = thumbnail.devicePixelRatio();
            QPixmap pixmap = QPixmap::fromImage(thumbnail.scaled(kThumbSize * ratio));
            pixmap.setDevicePixelRatio(ratio);
            picture->setPixmap(pixmap);
        }
        picture->setCurrent(i == state_.settings.Board);
        imgBrett_[i] = picture;
        grid->addWidget(picture, i % 3, i / 3); // index runs down the columns
        connect(picture, &ClickableImage::clicked, this, [this, i] { imgBrett_Click(i); });
    }
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QString frmBoard::thumbnailPath(int index) {
    return QStringLiteral(":/thumbs/%1.jpg").arg(101 + index);
}

int16_t frmBoard::currentBoard() const {
    return state_.settings.Board;
}

void frmBoard::imgBrett_Click(int index) {
    ErrorTrap trap("frmBoard", "imgBrett_Click");
    GameSettings& s = state_.settings;
    trap.run([&] {
        if (s.Sound != 0)
            state_.sound.PlayWAV(SoundId::Click);
    });
    trap.run([&] {
        s.Board = int16_t(index);
        chosen_ = index;
    });
    trap.run([&] { saveSettings(state_.store, s, {Setting::Board}); });
    trap.run([&] { accept(); });
}

void frmBoard::Sprache() {
    setWindowTitle(state_.language.GetLang(113));
}

} // namespace tavro
