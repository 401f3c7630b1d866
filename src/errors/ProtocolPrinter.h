#pragma once

#include <QStringList>

class QPagedPaintDevice;

namespace tavro {

// Prints the wrapped protocol lines in a fixed-pitch font, one per line,
// starting a new page when one is full. False when the device cannot be painted.
bool printProtocolLines(const QStringList& lines, QPagedPaintDevice& device);

} // namespace tavro
