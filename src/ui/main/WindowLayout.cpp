#include "ui/main/WindowLayout.h"

#include "settings/NumberConversion.h"

#include <algorithm>

namespace tavro {

namespace {

using D = WindowDesign;

// Both operands rounded half to even, the quotient truncated toward zero.
int intDiv(double a, double b) {
    return static_cast<int>(roundHalfEven(a) / roundHalfEven(b));
}

// Wide enough for the logo with both frames beside it.
constexpr int kHeaderMinWidth = 750;

} // namespace

WindowLayout layoutFor(QSize inner) {
    const double W = inner.width();
    const double H = inner.height();
    const double K = D::kKnopfHeight;
    WindowLayout layout;
    layout.inner = inner;
    layout.header = QRect(0, 0, inner.width(), roundHalfEven(K * 1.4));
    layout.logo = QPoint(intDiv(W - D::kLogoSize.width(), 2),
                         intDiv(layout.header.height() - D::kLogoSize.height(), 2));
    layout.copyright = QPoint(10, roundHalfEven(H - D::kCopyrightSize.height() * 1.2));
    layout.displays = QPoint(intDiv(layout.logo.x() - D::kFrameWidth, 2), roundHalfEven(K * 0.2));
    const int right = layout.logo.x() + D::kLogoSize.width();
    layout.toolbar = QPoint(right + intDiv(W - right - D::kFrameWidth, 2), roundHalfEven(K * 0.2));
    const int top = layout.header.height();
    layout.picture = QRect(0, top, inner.width(), inner.height() - top);
    layout.maxCols = intDiv(W, D::kBlockSize) - 3;
    layout.maxRows = intDiv(H - top, D::kBlockSize) - 2;
    return layout;
}

QSize WindowLayout::boardCells(QSize chosen) const {
    return {std::max(std::min(chosen.width(), maxCols), 1),
            std::max(std::min(chosen.height(), maxRows), 1)};
}

QRect WindowLayout::boardRect(QSize cells, int border) const {
    const QSize outer = cells.expandedTo(QSize(0, 0)) * D::kBlockSize + QSize(2, 2) * border;
    const int top = header.height();
    const double left = (inner.width() - outer.width()) / 2.0;
    const double y = (inner.height() - top - outer.height()) / 2.0 + top;
    return {QPoint(roundHalfEven(left), roundHalfEven(y)), outer};
}

QSize innerSizeFor(QSize cells) {
    const QSize board = cells.expandedTo(D::kDefaultBoard);
    const int header = layoutFor(QSize()).header.height();
    return {std::max((board.width() + 3) * D::kBlockSize, kHeaderMinWidth),
            header + (board.height() + 2) * D::kBlockSize};
}

QRect bringOntoScreen(QRect wanted, const QList<QRect>& screens) {
    if (screens.isEmpty())
        return wanted;
    QRect screen = screens.first();
    qint64 best = 0;
    for (const QRect& candidate : screens) {
        const QRect common = candidate.intersected(wanted);
        const qint64 area = qint64(common.width()) * common.height();
        if (area > best) {
            best = area;
            screen = candidate;
        }
    }
    const QSize size = wanted.size().boundedTo(screen.size());
    const int left = std::clamp(wanted.left(), screen.left(), screen.right() + 1 - size.width());
    const int top = std::clamp(wanted.top(), screen.top(), screen.bottom() + 1 - size.height());
    return {QPoint(left, top), size};
}

} // namespace tavro
