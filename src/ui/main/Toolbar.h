#pragma once

#include <QKeyCombination>
#include <QPoint>
#include <array>
#include <cstdint>

namespace tavro {

// The toolbar buttons; the value is the button's index in cmdBut.
enum class ToolButton : int {
    NewGame = 0,
    Quit = 1,
    Help = 2,
    Options = 3,
    Homepage = 4,
    HighScores = 5,
    BlockSet = 6,
    Background = 7,
};

// One button of the toolbar frame: position, symbol (the Unicode form of the
// classic symbol-font character) and its size in points, the text id of its
// tooltip (0: a fixed, untranslated tooltip) and up to two keys that press it.
struct ToolButtonDesign {
    ToolButton button;
    QPoint position;
    const char16_t* glyph;
    double points;
    int16_t tooltipId;
    std::array<QKeyCombination, 2> keys;
};

// In the order their tooltips are set.
inline constexpr std::array<ToolButtonDesign, 8> kToolbar{{
    {ToolButton::NewGame, {16, 8}, u"\u27A2", 14, 110, {Qt::Key_F2, Qt::CTRL | Qt::Key_N}},
    {ToolButton::Quit, {48, 8}, u"\u25A0", 14, 111, {Qt::CTRL | Qt::Key_Q}},
    {ToolButton::Options, {80, 8}, u"\u2327", 16, 117, {}},
    {ToolButton::Help, {112, 8}, u"?", 13.5, 120, {}},
    {ToolButton::Background, {16, 40}, u"\u25FB", 16, 113, {}},
    {ToolButton::BlockSet, {48, 40}, u"\u274D", 16, 112, {}},
    {ToolButton::Homepage, {80, 40}, u"\u262F", 16, 0, {}},
    {ToolButton::HighScores, {112, 40}, u"\u263A", 16, 114, {}},
}};

} // namespace tavro
