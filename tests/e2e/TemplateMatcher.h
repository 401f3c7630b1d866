#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QSize>

// Recognises pictures that the program copies to the screen unchanged (the
// cells of a block strip, the digits of the displays) by comparing a screen
// area with each cell of the same strip file the program draws from.
class TemplateMatcher {
public:
    // Cuts `strip` into `count` cells of `cellSize`, side by side.
    TemplateMatcher(const QImage& strip, QSize cellSize, int count);

    bool isValid() const { return !cells_.isEmpty(); }
    QSize cellSize() const { return cellSize_; }

    // The cell whose picture lies at `topLeft` of `screen`, or -1 when none
    // is close enough (mean difference per colour channel above `tolerance`).
    int match(const QImage& screen, QPoint topLeft, double tolerance = 6.0) const;
    // The mean difference per colour channel between cell `index` and the
    // screen area at `topLeft`.
    double difference(const QImage& screen, QPoint topLeft, int index) const;

private:
    QSize cellSize_;
    QList<QImage> cells_;
};
