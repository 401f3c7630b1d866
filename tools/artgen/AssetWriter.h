#pragma once

#include <QString>
#include <QStringList>

namespace tavro::art {

// Draws every picture and writes it under `resourceRoot` at its resource path
// (blocks/, backgrounds/, thumbs/, pictures/, icons/). Returns the relative
// paths written; throws std::runtime_error when a file cannot be written.
QStringList writeAssets(const QString& resourceRoot);

} // namespace tavro::art
