#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the main window's parts lie on the screen for a given window
// geometry, after the window's layout rules: a header 1.4 times the toolbar
// frame high, the digit frame centred left of the logo, the toolbar frame
// centred right of it, the board centred below the header.
class MainWindowLayout {
public:
    static constexpr int kCell = 50;

    explicit MainWindowLayout(const QRect& window) : window_(window) {}

    int headerHeight() const;
    // Top left corner of the board's inner area (inside its 2-pixel frame).
    QPoint boardOrigin(int cols, int rows) const;
    QRect boardFrame(int cols, int rows) const;
    QPoint cellTopLeft(int cols, int rows, QPoint cell) const;
    QPoint cellCentre(int cols, int rows, QPoint cell) const;

    // Toolbar button `index` (0 new game, 1 quit, 3 options, 5 high scores ...).
    QRect button(int index) const;
    // The language flag of a language id (0 German, 1 English, ...).
    QRect flag(int languageId) const;
    // The first digit of the score and of the blocks-left display.
    QPoint scoreDigits() const;
    QPoint leftDigits() const;

private:
    QPoint toolbarFrame() const;
    QPoint displayFrame() const;
    int logoLeft() const;

    QRect window_;
};
