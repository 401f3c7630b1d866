#pragma once

#include <QAbstractButton>

namespace tavro {

// cmdBut: a small light-blue raised button that shows one bold symbol.
class PictureButton : public QAbstractButton {
    Q_OBJECT

public:
    PictureButton(const QString& glyph, const QFont& font, QWidget* parent = nullptr);

    QSize sizeHint() const override { return {25, 24}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tavro
