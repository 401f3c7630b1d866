#include "ui/dialogs/Palette16.h"

#include <array>

namespace tavro {

QColor Palette16::color(int index) {
    static constexpr std::array<QRgb, kSize> kColors = {
        qRgb(0, 0, 0),       qRgb(0, 0, 128),   qRgb(0, 128, 0),   qRgb(0, 128, 128),
        qRgb(128, 0, 0),     qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(0, 0, 255),   qRgb(0, 255, 0),   qRgb(0, 255, 255),
        qRgb(255, 0, 0),     qRgb(255, 0, 255), qRgb(255, 255, 0), qRgb(255, 255, 255)};
    const int wrapped = ((index % kSize) + kSize) % kSize;
    return QColor(kColors[wrapped]);
}

} // namespace tavro
