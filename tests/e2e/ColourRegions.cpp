#include "ColourRegions.h"

#include <algorithm>
#include <cmath>

namespace {

bool near(QRgb pixel, const QColor& colour, int tolerance) {
    // The brightness of the pixel relative to the colour, measured on the
    // colour's strongest channel.
    const int strongest = std::max({colour.red(), colour.green(), colour.blue()});
    const int seen = colour.blue() == strongest    ? qBlue(pixel)
                     : colour.green() == strongest ? qGreen(pixel)
                                                   : qRed(pixel);
    const double shade = double(seen) / strongest;
    if (shade < 1.0 / 3.0 || shade > 1.1)
        return false;
    return std::abs(qRed(pixel) - colour.red() * shade) <= tolerance &&
           std::abs(qGreen(pixel) - colour.green() * shade) <= tolerance &&
           std::abs(qBlue(pixel) - colour.blue() * shade) <= tolerance;
}

} // namespace

QList<QRect> colourRegions(const QImage& image, const QRect& area, const QColor& colour,
                           int tolerance) {
    const QRect bounds = area.intersected(image.rect());
    QList<bool> seen(qsizetype(bounds.width()) * bounds.height(), false);
    const auto slot = [&](QPoint p) {
        return qsizetype(p.y() - bounds.top()) * bounds.width() + (p.x() - bounds.left());
    };
    QList<QRect> regions;
    for (int y = bounds.top(); y <= bounds.bottom(); ++y)
        for (int x = bounds.left(); x <= bounds.right(); ++x) {
            const QPoint start(x, y);
            if (seen[slot(start)] || !near(image.pixel(start), colour, tolerance))
                continue;
            QRect box(start, start);
            QList<QPoint> open{start};
            seen[slot(start)] = true;
            while (!open.isEmpty()) {
                const QPoint p = open.takeLast();
                box = box.united(QRect(p, p));
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const QPoint next = p + QPoint(dx, dy);
                        if (bounds.contains(next) && !seen[slot(next)] &&
                            near(image.pixel(next), colour, tolerance)) {
                            seen[slot(next)] = true;
                            open.append(next);
                        }
                    }
            }
            regions.append(box);
        }
    return regions;
}
