#pragma once

#include <QString>
#include <cstdint>

namespace tavro {

// Converts stored decimal text to a 16-bit integer the way the store's values
// were always read: blanks around the number are allowed, a fraction is
// rounded to the nearest integer with halves going to the even neighbour.
// Throws AppError (type mismatch) for text that is not a number and
// AppError (overflow) for a value outside -32768..32767.
int16_t toInt16(const QString& text);

// Rounds half to even, as every division of the layout and the bonus does.
int64_t roundHalfEven(double value);

} // namespace tavro
