#pragma once

#include <QColor>
#include <QString>

namespace tavro::theme {

// The game's colours: black windows, light-blue controls and symbols.
inline constexpr QColor kLightBlue{128, 178, 255}; // buttons, lists, symbols, marked rows
inline constexpr QColor kLightBlueHover{156, 196, 255};
inline constexpr QColor kLightBluePressed{96, 146, 230};
inline constexpr QColor kLightBlueEdge{70, 110, 180}; // border of buttons and lists
inline constexpr QColor kBevelLight{224, 236, 255};
inline constexpr QColor kBevelDark{40, 70, 147};
inline constexpr QColor kFrameLine{0x5a, 0x6f, 0x8f}; // group box outline
inline constexpr QColor kHeading{0xb8, 0xc8, 0xe8};   // column headings

// A colour as written in style sheets: "rgb(r, g, b)".
inline QString css(const QColor& colour) {
    return QStringLiteral("rgb(%1, %2, %3)")
        .arg(colour.red())
        .arg(colour.green())
        .arg(colour.blue());
}

} // namespace tavro::theme
