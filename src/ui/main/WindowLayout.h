#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace tavro {

// Design sizes of the main window's parts, in pixels.
struct WindowDesign {
    static constexpr int kBlockSize = 50;
    static constexpr int kFrameWidth = 161;    // fraAnzeige and fraKnopf
    static constexpr int kAnzeigeHeight = 102; // fraAnzeige
    static constexpr int kKnopfHeight = 105;   // fraKnopf
    static constexpr QSize kLogoSize{414, 65}; // imgLogo's picture
    static constexpr QSize kCopyrightSize{257, 17};
    static constexpr QSize kDefaultBoard{12, 7};
};

// Where the main window's parts go for an inner size: the header band across
// the top, the logo in its middle, the digit displays centred left of the logo,
// the toolbar centred right of it, the notice at the bottom left, the
// background picture below the header, and the largest board that fits (three
// cells spare across, two down). Positions are those of each part's top left
// corner in the window. Divisions round both operands half to even and
// truncate the quotient, so odd sizes place parts exactly as the classic
// layout did.
struct WindowLayout {
    QSize inner;
    QRect header;
    QPoint logo;
    QPoint copyright;
    QPoint displays; // fraAnzeige
    QPoint toolbar;  // fraKnopf
    QRect picture;   // the background picture, stretched
    int maxCols = 0;
    int maxRows = 0;

    // The board for a chosen size: the chosen columns and rows as far as they
    // fit, at least one cell each way.
    QSize boardCells(QSize chosen) const;
    // The board's outer rectangle (cells of 50 and a border of `border`),
    // centred in the area below the header.
    QRect boardRect(QSize cells, int border) const;
};

WindowLayout layoutFor(QSize inner);

// The smallest inner size whose layout fits a board of `cells`, and never
// smaller than the one for the default 12 x 7 board with the whole header
// visible.
QSize innerSizeFor(QSize cells);

// A window rectangle moved (and, when larger, shrunk) so that it lies on the
// screen it overlaps most, or on the first screen when it overlaps none.
// `screens` are the available areas of the screens.
QRect bringOntoScreen(QRect wanted, const QList<QRect>& screens);

} // namespace tavro
