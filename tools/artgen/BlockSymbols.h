#pragma once

class QPainter;

namespace tavro::art {

// Draws the symbol of a block type (0..6) in the middle of a square cell of
// `side` pixels: white with a dark rim, so that it reads on every colour and
// the types can be told apart without colour.
void drawTypeSymbol(QPainter& p, int type, double side);

} // namespace tavro::art
