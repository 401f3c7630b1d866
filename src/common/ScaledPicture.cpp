#include "common/ScaledPicture.h"

#include <algorithm>
#include <cmath>

namespace tavro {

namespace {

QString renditionPath(const QString& path, int scale) {
    if (scale == 1)
        return path;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return path.left(dot) + QStringLiteral("@%1x").arg(scale) + path.mid(dot);
}

} // namespace

int renditionScale(qreal devicePixelRatio) {
    // A fractional ratio takes the next larger rendition: scaling down stays sharp.
    return std::clamp(static_cast<int>(std::ceil(devicePixelRatio - 0.01)), 1, 3);
}

QImage loadScaledPicture(const QString& path, qreal devicePixelRatio) {
    for (int scale = renditionScale(devicePixelRatio); scale > 1; --scale) {
        QImage image(renditionPath(path, scale));
        if (!image.isNull()) {
            image.setDevicePixelRatio(scale);
            return image;
        }
    }
    return QImage(path);
}

} // namespace tavro
