#include "ui/main/PictureButton.h"

#include "common/Theme.h"

#include <QPainter>

namespace tavro {

PictureButton::PictureButton(const QString& glyph, const QFont& font, QWidget* parent)
    : QAbstractButton(parent) {
    setText(glyph);
    QFont bold = font;
    bold.setBold(true);
    setFont(bold);
    setFixedSize(sizeHint());
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool down = isDown();
    const QRect outer = rect().adjusted(0, 0, -1, -1);
    QColor face = theme::kLightBlue;
    if (!down && underMouse())
        face = theme::kLightBlue.lighter(112);
    painter.fillRect(rect(), face);

    // Raised (or, while pressed, sunken) bevel of two lines.
    const QColor light = down ? theme::kBevelDark : theme::kBevelLight;
    const QColor dark = down ? theme::kBevelLight : theme::kBevelDark;
    painter.setPen(light);
    painter.drawLine(outer.topLeft(), outer.topRight());
    painter.drawLine(outer.topLeft(), outer.bottomLeft());
    painter.setPen(dark);
    painter.drawLine(outer.bottomLeft(), outer.bottomRight());
    painter.drawLine(outer.topRight(), outer.bottomRight());
    painter.setPen(dark.lighter(130));
    painter.drawLine(outer.bottomLeft() + QPoint(1, -1), outer.bottomRight() + QPoint(-1, -1));
    painter.drawLine(outer.topRight() + QPoint(-1, 1), outer.bottomRight() + QPoint(-1, -1));

    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font());
    painter.setPen(QColor(0, 0, 64));
    const QRect textRect = rect().translated(down ? 1 : 0, down ? 1 : 0);
    painter.drawText(textRect, Qt::AlignCenter, text());
}

} // namespace tavro
