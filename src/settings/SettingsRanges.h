#pragma once

#include <QString>
#include <cstdint>

namespace tavro {

// Brings a value read from the store into the range the options dialog and
// the pickers can produce, so that hand-edited values never reach the rules:
//   BlockTypes 3..6, BlocksToClick 2..4, Cols and Rows at least 5 (the layout
//   lowers them to what fits), Blocks 0..13, Board 0..8, BGColor 0..15,
//   Background -1 or 0 (any non-zero shows the picture), Sound unchanged
//   (any non-zero is on). "Sprache" is not clamped: ids without a language
//   simply have no texts. Unknown keys pass through.
int16_t clampSetting(const QString& key, int16_t value);

} // namespace tavro
