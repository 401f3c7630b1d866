#include "MainWindowLayout.h"

#include <cmath>

namespace {

constexpr int kFrameWidth = 161; // both header frames
constexpr int kToolbarHeight = 105;
constexpr int kLogoWidth = 414;
constexpr int kBorder = 2;

// Halves go to the even neighbour, as in the window's own layout.
int roundEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

} // namespace

int MainWindowLayout::headerHeight() const {
    return roundEven(kToolbarHeight * 1.4);
}

QRect MainWindowLayout::boardFrame(int cols, int rows) const {
    const QSize outer(cols * kCell + 2 * kBorder, rows * kCell + 2 * kBorder);
    const int header = headerHeight();
    const int left = roundEven((window_.width() - outer.width()) / 2.0);
    const int top = roundEven((window_.height() - header - outer.height()) / 2.0) + header;
    return QRect(window_.topLeft() + QPoint(left, top), outer);
}

QPoint MainWindowLayout::boardOrigin(int cols, int rows) const {
    return boardFrame(cols, rows).topLeft() + QPoint(kBorder, kBorder);
}

QPoint MainWindowLayout::cellTopLeft(int cols, int rows, QPoint cell) const {
    return boardOrigin(cols, rows) + cell * kCell;
}

QPoint MainWindowLayout::cellCentre(int cols, int rows, QPoint cell) const {
    return cellTopLeft(cols, rows, cell) + QPoint(kCell / 2, kCell / 2);
}

int MainWindowLayout::logoLeft() const {
    return (window_.width() - kLogoWidth) / 2;
}

QPoint MainWindowLayout::toolbarFrame() const {
    const int right = logoLeft() + kLogoWidth;
    return window_.topLeft() + QPoint(right + (window_.width() - right - kFrameWidth) / 2,
                                      roundEven(kToolbarHeight * 0.2));
}

QPoint MainWindowLayout::displayFrame() const {
    return window_.topLeft() +
           QPoint((logoLeft() - kFrameWidth) / 2, roundEven(kToolbarHeight * 0.2));
}

QRect MainWindowLayout::button(int index) const {
    static constexpr QPoint positions[8] = {{16, 8},  {48, 8},   {112, 8}, {80, 8},
                                            {80, 40}, {112, 40}, {48, 40}, {16, 40}};
    return QRect(toolbarFrame() + positions[index], QSize(25, 24));
}

QRect MainWindowLayout::flag(int languageId) const {
    static constexpr int x[7] = {1, 32, 63, 127, -1, -1, 95};
    return QRect(toolbarFrame() + QPoint(x[languageId], 80), QSize(32, 20));
}

QPoint MainWindowLayout::scoreDigits() const {
    return displayFrame() + QPoint(64, 16);
}

QPoint MainWindowLayout::leftDigits() const {
    return displayFrame() + QPoint(64, 56);
}
