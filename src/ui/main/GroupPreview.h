#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

class QLabel;

namespace tavro {

class Game;
class GroupOutline;
class Language;

// The group preview: while the pointer rests on a group that a click would
// remove, the group is outlined over the board and the notice line at the
// bottom of the window says what it would score ("7 blocks: 50 points"). A
// lone block, a group too small, an empty cell, a running move or a finished
// board show nothing. Off, it leaves the board's mouse handling untouched.
class GroupPreview : public QObject {
    Q_OBJECT

public:
    GroupPreview(QWidget* boardSurface, QLabel* notice, const Game& game, const Language& language,
                 int cellSize);

    void setOn(bool on);
    bool isOn() const { return on_; }
    // The board or the game changed: shows what lies under the pointer now.
    void refresh();
    GroupOutline* outline() const { return outline_; }

    // The notice text for a group of k blocks.
    static QString pointsText(const Language& language, int blocks);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showAt(QPoint position);
    void clear();

    QWidget* board_;
    QLabel* notice_;
    const Game& game_;
    const Language& language_;
    int cellSize_;
    GroupOutline* outline_;
    QPoint shownCell_{-1, -1}; // the cell the preview was last worked out for
    QString savedNotice_;
    bool noticeTaken_ = false;
    bool on_ = false;
};

} // namespace tavro
