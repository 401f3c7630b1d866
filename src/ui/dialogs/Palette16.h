#pragma once

#include <QColor>

namespace tavro {

// The fixed 16-colour palette that BGColor indexes: the options dialog's
// sample and the plain board background.
class Palette16 {
public:
    static constexpr int kSize = 16;

    // The colour of index 0..15; an index outside wraps into the table
    // (modulo 16) so that a hand-edited setting still paints something.
    static QColor color(int index);
};

} // namespace tavro
