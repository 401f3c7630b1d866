#include "ui/main/BoardSurface.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <algorithm>

namespace tavro {

BoardSurface::BoardSurface(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::PointingHandCursor);
}

void BoardSurface::reset(QSize cells, int cellSize, const QImage& strip, EmptyPainter emptyBoard) {
    cells_ = cells.expandedTo(QSize(0, 0));
    cellSize_ = std::max(cellSize, 1);
    strip_ = strip;
    emptyBoard_ = std::move(emptyBoard);
    grid_.assign(static_cast<size_t>(cells_.width()) * static_cast<size_t>(cells_.height()),
                 Cell{});
    for (int row = 0; row < cells_.height(); ++row) {
        for (int col = 0; col < cells_.width(); ++col) {
            Cell& cell = *cellAt({col, row});
            cell.sourceCol = static_cast<int16_t>(col);
            cell.sourceRow = static_cast<int16_t>(row);
        }
    }
    dirty_.clear();
    setFixedSize(innerSize() + QSize(2 * kBorder, 2 * kBorder));
    update();
}

void BoardSurface::setStrip(const QImage& strip) {
    strip_ = strip;
    update();
}

BoardSurface::Cell* BoardSurface::cellAt(QPoint cell) {
    if (cell.x() < 0 || cell.y() < 0 || cell.x() >= cells_.width() || cell.y() >= cells_.height())
        return nullptr;
    return &grid_[static_cast<size_t>(cell.y()) * static_cast<size_t>(cells_.width()) +
                  static_cast<size_t>(cell.x())];
}

void BoardSurface::showBlock(QPoint cell, int type) {
    if (Cell* target = cellAt(cell)) {
        target->block = static_cast<int16_t>(std::clamp(type, 0, 32767));
        markDirty(cell);
    }
}

void BoardSurface::showEmpty(QPoint cell, QPoint source) {
    if (Cell* target = cellAt(cell)) {
        target->block = -1;
        target->sourceCol = static_cast<int16_t>(std::clamp(source.x(), -32768, 32767));
        target->sourceRow = static_cast<int16_t>(std::clamp(source.y(), -32768, 32767));
        markDirty(cell);
    }
}

void BoardSurface::markDirty(QPoint cell) {
    Cell* target = cellAt(cell);
    if (!target->dirty) {
        target->dirty = true;
        dirty_.push_back(cell);
    }
}

void BoardSurface::refresh() {
    if (dirty_.empty())
        return;
    // One rectangle per horizontal run of changed cells, sorted by row and
    // column, is the banded form QRegion takes without merging cost.
    std::sort(dirty_.begin(), dirty_.end(),
              [](QPoint a, QPoint b) { return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x(); });
    std::vector<QRect> runs;
    for (QPoint cell : dirty_) {
        cellAt(cell)->dirty = false;
        const QRect rect = cellRect(cell.x(), cell.y()).translated(kBorder, kBorder);
        if (!runs.empty() && runs.back().top() == rect.top() &&
            runs.back().right() + 1 == rect.left())
            runs.back().setRight(rect.right());
        else
            runs.push_back(rect);
    }
    dirty_.clear();
    QRegion region;
    region.setRects(runs.data(), static_cast<int>(runs.size()));
    update(region);
}

QRect BoardSurface::cellRect(int col, int row) const {
    return QRect(col * cellSize_, row * cellSize_, cellSize_, cellSize_);
}

QImage BoardSurface::image() const {
    QImage picture(innerSize(), QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    paintCells(painter, picture.rect());
    return picture;
}

QImage BoardSurface::emptyBoardImage() const {
    QImage picture(innerSize(), QImage::Format_RGB32);
    picture.fill(Qt::black);
    if (emptyBoard_) {
        QPainter painter(&picture);
        emptyBoard_(painter, picture.rect());
    }
    return picture;
}

void BoardSurface::paintCells(QPainter& painter, const QRect& area) const {
    const QRect visible = area & QRect(QPoint(0, 0), innerSize());
    if (visible.isEmpty())
        return;
    const int firstCol = visible.left() / cellSize_, lastCol = visible.right() / cellSize_;
    const int firstRow = visible.top() / cellSize_, lastRow = visible.bottom() / cellSize_;
    const auto cell = [this](int col, int row) -> const Cell& {
        return grid_[static_cast<size_t>(row) * static_cast<size_t>(cells_.width()) +
                     static_cast<size_t>(col)];
    };
    const auto emptyInPlace = [&](int col, int row) {
        const Cell& c = cell(col, row);
        return c.block < 0 && c.sourceCol == col && c.sourceRow == row;
    };
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (int row = firstRow; row <= lastRow; ++row) {
        // Runs of cells that show the empty board in place are painted in one
        // go, so a stretched picture is sampled once per pixel.
        for (int col = firstCol; col <= lastCol;) {
            if (!emptyInPlace(col, row)) {
                ++col;
                continue;
            }
            int end = col;
            while (end + 1 <= lastCol && emptyInPlace(end + 1, row))
                ++end;
            const QRect run = (cellRect(col, row) | cellRect(end, row)) & visible;
            if (emptyBoard_) {
                painter.save();
                painter.setClipRect(run, Qt::IntersectClip);
                emptyBoard_(painter, run);
                painter.restore();
            }
            col = end + 1;
        }
        for (int col = firstCol; col <= lastCol; ++col) {
            const Cell& c = cell(col, row);
            const QRect target = cellRect(col, row);
            if (c.block >= 0) {
                // A strip for a high-resolution screen holds more pixels per
                // cell: the source is in its pixels, the target in logical ones.
                const QRect part = target & visible;
                const QRectF source =
                    part.translated(c.block * cellSize_ - target.x(), -target.y()).toRectF();
                const qreal scale = strip_.devicePixelRatio();
                painter.drawImage(part, strip_,
                                  QRectF(source.topLeft() * scale, source.size() * scale));
            } else if (!emptyInPlace(col, row) && emptyBoard_) {
                const QRect source = cellRect(c.sourceCol, c.sourceRow);
                painter.save();
                painter.setClipRect(target & visible, Qt::IntersectClip);
                painter.translate(target.topLeft() - source.topLeft());
                emptyBoard_(painter, source);
                painter.restore();
            }
        }
    }
}

void BoardSurface::paintFrame(QPainter& painter) const {
    const QRect outer = rect();
    // Sunken 3D frame: dark top-left, light bottom-right, two lines each.
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(outer.topLeft(), outer.topRight());
    painter.drawLine(outer.topLeft(), outer.bottomLeft());
    painter.setPen(QColor(255, 255, 255));
    painter.drawLine(outer.bottomLeft(), outer.bottomRight());
    painter.drawLine(outer.topRight(), outer.bottomRight());
    const QRect inner1 = outer.adjusted(1, 1, -1, -1);
    painter.setPen(QColor(64, 64, 64));
    painter.drawLine(inner1.topLeft(), inner1.topRight());
    painter.drawLine(inner1.topLeft(), inner1.bottomLeft());
    painter.setPen(QColor(212, 208, 200));
    painter.drawLine(inner1.bottomLeft(), inner1.bottomRight());
    painter.drawLine(inner1.topRight(), inner1.bottomRight());
}

void BoardSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    paintFrame(painter);
    painter.translate(kBorder, kBorder);
    for (const QRect& area : event->region())
        paintCells(painter, area.translated(-kBorder, -kBorder));
}

void BoardSurface::mouseReleaseEvent(QMouseEvent* event) {
    emit released(event->position() - QPointF(kBorder, kBorder));
}

} // namespace tavro
