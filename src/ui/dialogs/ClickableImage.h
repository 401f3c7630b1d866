#pragma once

#include <QLabel>

namespace tavro {

// A picture that reports a left click, for the picker grids. The picture of
// the current choice carries a frame, and the one under the pointer is lit.
class ClickableImage : public QLabel {
    Q_OBJECT
public:
    explicit ClickableImage(QWidget* parent = nullptr);

    void setCurrent(bool current);
    bool isCurrent() const { return current_; }
    bool isLit() const { return lit_; }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool current_ = false;
    bool lit_ = false;
};

} // namespace tavro
