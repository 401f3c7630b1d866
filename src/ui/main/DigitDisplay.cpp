#include "ui/main/DigitDisplay.h"

#include "errors/AppError.h"

#include <QPainter>

namespace tavro {

DigitDisplay::DigitDisplay(QWidget* parent) : QWidget(parent) {
    cells_.fill(kBlankCell);
    setFixedSize(kDigits * kCellWidth, kCellHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DigitDisplay::setStrip(const QImage& strip) {
    strip_ = strip;
    update();
}

void DigitDisplay::setCell(int element, int cell) {
    if (cell < 0 || cell > kBlankCell)
        throw AppError(AppError::InvalidCall, QStringLiteral("Invalid procedure call or argument"));
    cells_.at(element) = cell;
    update();
}

QString DigitDisplay::digitsOf(int64_t value) {
    const QString digits = QString::number(value < 0 ? -(value + 1) + uint64_t(1) : uint64_t(value))
                               .rightJustified(kDigits, QLatin1Char('0'));
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

QImage DigitDisplay::stripCell(const QImage& strip, int cell) {
    QImage picture = strip.copy(sourceRect(strip, cell));
    picture.setDevicePixelRatio(strip.devicePixelRatio());
    return picture;
}

QRect DigitDisplay::sourceRect(const QImage& strip, int cell) {
    // A strip for a high-resolution screen has the same cells in more pixels.
    const int scale = static_cast<int>(strip.devicePixelRatio());
    return QRect(cell * kCellWidth * scale, 0, kCellWidth * scale, kCellHeight * scale);
}

void DigitDisplay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    for (int i = 0; i < kDigits; ++i)
        painter.drawImage(QRect(i * kCellWidth, 0, kCellWidth, kCellHeight), strip_,
                          sourceRect(strip_, cells_[i]));
}

} // namespace tavro
