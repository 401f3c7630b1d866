#pragma once

#include <QImage>
#include <QString>

namespace tavro {

// The pictures come in renditions for 1x, 2x and some for 3x screens
// ("name.png", "name@2x.png", "name@3x.png"). These load the rendition that
// suits a device pixel ratio, with the image's own ratio set so that it keeps
// its logical size in every layout; a missing rendition falls back to the
// next smaller one. A null image when not even the plain picture exists.
int renditionScale(qreal devicePixelRatio);
QImage loadScaledPicture(const QString& path, qreal devicePixelRatio);

} // namespace tavro
