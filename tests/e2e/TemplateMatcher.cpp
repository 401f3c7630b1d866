#include "TemplateMatcher.h"

#include <cstdlib>
#include <limits>

TemplateMatcher::TemplateMatcher(const QImage& strip, QSize cellSize, int count)
    : cellSize_(cellSize) {
    if (strip.width() < cellSize.width() * count || strip.height() < cellSize.height())
        return;
    const QImage rgb = strip.convertToFormat(QImage::Format_RGB32);
    for (int i = 0; i < count; ++i)
        cells_.append(rgb.copy(QRect(QPoint(i * cellSize.width(), 0), cellSize)));
}

double TemplateMatcher::difference(const QImage& screen, QPoint topLeft, int index) const {
    const QImage& cell = cells_.at(index);
    if (!screen.rect().contains(QRect(topLeft, cellSize_)))
        return std::numeric_limits<double>::max();
    long long sum = 0;
    int samples = 0;
    for (int y = 0; y < cellSize_.height(); ++y) {
        const auto* want = reinterpret_cast<const QRgb*>(cell.constScanLine(y));
        const auto* seen = reinterpret_cast<const QRgb*>(screen.constScanLine(topLeft.y() + y));
        for (int x = 0; x < cellSize_.width(); ++x) {
            const QRgb a = want[x];
            const QRgb b = seen[topLeft.x() + x];
            sum += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                   std::abs(qBlue(a) - qBlue(b));
            samples += 3;
        }
    }
    return double(sum) / samples;
}

int TemplateMatcher::match(const QImage& screen, QPoint topLeft, double tolerance) const {
    int best = -1;
    double bestDifference = tolerance;
    for (int i = 0; i < cells_.size(); ++i) {
        const double d = difference(screen, topLeft, i);
        if (d <= bestDifference) {
            best = i;
            bestDifference = d;
        }
    }
    return best;
}
