#pragma once

#include <cstdint>

namespace tavro {

// The current settings of the running program; every field is 16-bit signed.
// Booleans follow the stored convention: true = -1, false = 0.
struct GameSettings {
    int16_t Cols = 0;
    int16_t Rows = 0;
    int16_t MaxCols = 0;
    int16_t MaxRows = 0;
    int16_t BlocksToClick = 0;
    int16_t BlockTypes = 0;
    int16_t BlockWidth = 0;
    int16_t BlockHeight = 0;
    int16_t Blocks = 0;
    int16_t BGColor = 0;
    int16_t Board = 0;
    int16_t Background = 0;
    int16_t Sound = 0;
    int16_t LanguageId = 0;
    int16_t GroupPreview = 0; // extra: outline the group under the pointer
    int16_t Symbols = 0; // extra "Symbols on blocks": 0 off, -1 on
    // The main window's place, kept between runs: the inner area when not
    // maximised (a width of 0: none remembered) and whether it is maximised.
    int16_t WindowLeft = 0;
    int16_t WindowTop = 0;
    int16_t WindowWidth = 0;
    int16_t WindowHeight = 0;
    int16_t WindowMaximized = 0;
};

} // namespace tavro
