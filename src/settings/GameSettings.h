#pragma once

#include <cstdint>

namespace tavro {

// The current settings of the running program: numbers are 16-bit signed as
// stored; flags are bool here and get their stored values (-1 or 1 for true,
// 0 for false) only in the settings table.
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
    bool Background = false;
    bool Sound = false;
    int16_t LanguageId = 0;
    bool GroupPreview = false; // extra: outline the group under the pointer
    bool Symbols = false;      // extra: symbols on the blocks
    // The main window's place, kept between runs: the inner area when not
    // maximised (a width of 0: none remembered) and whether it is maximised.
    int16_t WindowLeft = 0;
    int16_t WindowTop = 0;
    int16_t WindowWidth = 0;
    int16_t WindowHeight = 0;
    bool WindowMaximized = false;
};

} // namespace tavro
