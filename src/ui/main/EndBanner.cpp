#include "ui/main/EndBanner.h"

#include "common/Language.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace tavro {

namespace {
constexpr int kPadding = 18;
constexpr int kLineGap = 6;
constexpr int kTitleText = 212;   // no move left
constexpr int kClearedText = 213; // board cleared, %1 bonus
constexpr int kScoreText = 214;   // final score %1
constexpr int kNewGameText = 215; // F2 starts a new game
} // namespace

EndBanner::EndBanner(QWidget* window) : QWidget(window) {
    setObjectName(QStringLiteral("endBanner"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    hide();
}

QStringList EndBanner::texts(const Language& language, int64_t score, bool cleared, int64_t bonus) {
    const QString title =
        cleared ? language.GetLang(kClearedText).arg(bonus) : language.GetLang(kTitleText);
    return {title, language.GetLang(kScoreText).arg(score), language.GetLang(kNewGameText)};
}

QFont EndBanner::lineFont(int line) const {
    QFont f = font();
    f.setPixelSize(line == 0 ? 24 : 16);
    f.setBold(line < 2);
    return f;
}

QSize EndBanner::sizeFor(const QStringList& lines) const {
    int width = 0, height = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QFontMetrics metrics(lineFont(i));
        width = std::max(width, metrics.horizontalAdvance(lines[i]));
        height += metrics.height() + (i > 0 ? kLineGap : 0);
    }
    return {width + 2 * kPadding, height + 2 * kPadding};
}

void EndBanner::showOver(const QRect& board, const QStringList& lines) {
    lines_ = lines;
    const QWidget* window = parentWidget();
    const QSize size = sizeFor(lines).boundedTo(window->size());
    QRect area(QPoint(0, 0), size);
    area.moveCenter(board.center());
    area.moveLeft(std::clamp(area.left(), 0, std::max(window->width() - size.width(), 0)));
    area.moveTop(std::clamp(area.top(), 0, std::max(window->height() - size.height(), 0)));
    setGeometry(area);
    show();
    raise();
    update();
}

void EndBanner::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath panel;
    panel.addRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 10, 10);
    painter.fillPath(panel, QColor(8, 14, 36, 215));
    painter.setPen(QPen(QColor(128, 178, 255), 2));
    painter.drawPath(panel);
    int y = kPadding;
    const QColor colours[] = {QColor(255, 255, 255), QColor(128, 178, 255), QColor(200, 200, 200)};
    for (int i = 0; i < lines_.size(); ++i) {
        painter.setFont(lineFont(i));
        painter.setPen(colours[std::min(i, 2)]);
        const int height = QFontMetrics(lineFont(i)).height();
        painter.drawText(QRect(0, y, width(), height), Qt::AlignCenter, lines_[i]);
        y += height + kLineGap;
    }
}

} // namespace tavro
