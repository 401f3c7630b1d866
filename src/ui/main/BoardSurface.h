#pragma once

#include <QImage>
#include <QPointF>
#include <QWidget>

namespace tavro {

// picBoard: the board surface. It owns a persistent image of the inner area;
// drawing goes into that image and becomes visible with update(). A single
// fixed (sunken) border of 2 px surrounds the inner area, so the widget is
// the inner size plus 4 in each direction.
class BoardSurface : public QWidget {
    Q_OBJECT

public:
    static constexpr int kBorder = 2;

    explicit BoardSurface(QWidget* parent = nullptr);

    // Resizes the widget to inner + border and replaces the image by one of
    // that inner size, filled with `fill`.
    void setInnerSize(const QSize& inner, const QColor& fill);
    QSize innerSize() const { return image_.size(); }

    QImage& image() { return image_; }
    const QImage& image() const { return image_; }

    // A plain 50 x 50 (or any size) copy from source into the image.
    void blit(const QImage& source, const QRect& sourceRect, const QPoint& target);

signals:
    // A mouse button was released; the position is relative to the inner area
    // (negative or beyond the size when the pointer has left the board).
    void released(QPointF innerPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage image_;
};

} // namespace tavro
