#pragma once

#include <QStringList>
#include <QWidget>
#include <cstdint>

namespace tavro {

class Language;

// The banner over a finished board: that no move is left (or that the board
// was cleared, with its bonus), the final score, and how to start a new game.
// It lets the mouse through, so the finished board reacts to clicks exactly
// as without it.
class EndBanner : public QWidget {
    Q_OBJECT

public:
    explicit EndBanner(QWidget* window);

    // The banner's lines in the current language; bonus counts only for a
    // cleared board.
    static QStringList texts(const Language& language, int64_t score, bool cleared, int64_t bonus);

    // Shows the lines centred over `board` (window coordinates), kept inside
    // the window.
    void showOver(const QRect& board, const QStringList& lines);
    const QStringList& lines() const { return lines_; }
    // The size the lines need.
    QSize sizeFor(const QStringList& lines) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont lineFont(int line) const;

    QStringList lines_;
};

} // namespace tavro
