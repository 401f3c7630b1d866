#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <cstdint>

namespace tavro {

// imgScore / imgLeft: five seven-segment digit images side by side, each a
// cell of the digit strip (clpZiffern: 11 cells of 18 x 27, cell 10 blank).
class DigitDisplay : public QWidget {
    Q_OBJECT

public:
    static constexpr int kDigits = 5;
    static constexpr int kCellWidth = 18;
    static constexpr int kCellHeight = 27;
    static constexpr int kBlankCell = 10;

    explicit DigitDisplay(QWidget* parent = nullptr);

    void setStrip(const QImage& strip);
    // Puts cell `cell` (0..10) of the strip into element `element` (0..4).
    // Throws AppError for a cell outside the strip.
    void setCell(int element, int cell);
    int cell(int element) const { return cells_.at(element); }

    // A value as the display writes it: at least five digits, zeros in front
    // ("00007", "123456"), a minus sign before a negative value ("-00012").
    static QString digitsOf(int64_t value);

    // The picture of cell k of a strip (at the strip's device pixel ratio).
    static QImage stripCell(const QImage& strip, int cell);
    // Cell k's rectangle in the strip's own pixels.
    static QRect sourceRect(const QImage& strip, int cell);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage strip_;
    std::array<int, kDigits> cells_;
};

} // namespace tavro
