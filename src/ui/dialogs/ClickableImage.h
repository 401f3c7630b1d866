#pragma once

#include <QLabel>

namespace tavro {

// A picture (or a short text, such as a link) that acts like a button: a
// left click counts only when the button goes down on it and comes up over
// it again; released elsewhere it does nothing. Used for the picker grids,
// the language flags of both windows and the homepage link.
// In a picker grid the picture of the current choice carries a frame and the
// one under the pointer is lit.
class ClickableImage : public QLabel {
    Q_OBJECT
public:
    explicit ClickableImage(QWidget* parent = nullptr);
    // A picture of a fixed size, stretched to it; dark grey when it is missing.
    ClickableImage(const QPixmap& picture, QSize size, QWidget* parent = nullptr);

    void setCurrent(bool current);
    bool isCurrent() const { return current_; }
    bool isLit() const { return lit_; }

signals:
    void clicked();
    // True while the left button is held down after a press on the picture.
    void pressedChanged(bool pressed);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool pressed_ = false;
    bool picker_ = false; // marks shown: setCurrent() was called
    bool current_ = false;
    bool lit_ = false;
};

} // namespace tavro
