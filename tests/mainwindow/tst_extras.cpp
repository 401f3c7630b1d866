// The extras driven through the real main window: group preview, keyboard
// play, undo, redo and restart, the end banner in five languages, and what
// the window looks like with none of them used.

#include "MainWindowHarness.h"
#include "game/Board.h"
#include "game/Game.h"
#include "ui/main/BoardExtras.h"
#include "ui/main/BoardSurface.h"
#include "ui/main/EndBanner.h"
#include "ui/main/GroupOutline.h"
#include "ui/main/GroupPreview.h"
#include "ui/main/KeyboardCursor.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <set>

using namespace tavro;
using namespace tavro::test;

namespace {

QPoint widgetPoint(QPoint cell) {
    return cell * 50 + QPoint(25 + BoardSurface::kBorder, 25 + BoardSurface::kBorder);
}

// The group the rules collect from a cell, as (col, row) pairs.
std::set<std::pair<int, int>> rulesGroup(const Board& board, QPoint cell) {
    Board copy = board;
    copy.SameBlocks().clear();
    copy.FindSameBlocks(copy.GetBlockFromCoord(cell.x(), cell.y()));
    std::set<std::pair<int, int>> group;
    for (const int16_t index : copy.SameBlocks())
        group.insert({copy.block(index).col, copy.block(index).row});
    return group;
}

// First cell whose group has `minimum` or more blocks (or, with 0, a lone block).
std::optional<QPoint> cellWithGroup(const Board& board, int minimum) {
    for (int col = 0; col < board.cols(); ++col)
        for (int row = 0; row < board.rows(); ++row) {
            const int size = int(rulesGroup(board, QPoint(col, row)).size());
            if (board.block(board.GetBlockFromCoord(col, row)).present &&
                (minimum == 0 ? size == 0 : size >= minimum))
                return QPoint(col, row);
        }
    return std::nullopt;
}

std::unique_ptr<TestWindow> activeWindow(Harness& h, const QString& settings = {}) {
    h.state.language.fillPaths(qEnvironmentVariable("TAVRO_TEST_SOURCE_DIR"));
    h.state.settings.LanguageId = 1;
    if (!settings.isEmpty())
        h.storeSettings(settings);
    auto window = h.showWindow(QSize(900, 650));
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        qFatal("window not active");
    QCoreApplication::processEvents();
    return window;
}

} // namespace

class tst_extras : public QObject {
    Q_OBJECT

private slots:
    void init() { wipeStore(); }

    void untouchedWithoutExtras() {
        Harness h;
        auto window = activeWindow(h);
        BoardExtras* extras = window->extras();
        const QString notice = window->lblCopyright()->text();
        const auto cell = cellWithGroup(window->game().board(), 2);
        QVERIFY(cell);
        QTest::mouseMove(window->picBoard(), widgetPoint(*cell));
        QVERIFY(!window->picBoard()->hasMouseTracking());
        QVERIFY(!extras->preview()->outline()->isVisible());
        QVERIFY(!extras->cursor()->isVisible() && !extras->banner()->isVisible());
        QCOMPARE(window->lblCopyright()->text(), notice);
        // The extras sit below a separator of the help menu, with shortcuts.
        const QList<QAction*> actions = window->mnuHelp()->actions();
        const qsizetype undo = actions.indexOf(extras->mnuUndo());
        QVERIFY(undo > 0 && actions[undo - 1]->isSeparator());
        QCOMPARE(extras->mnuUndo()->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
        QCOMPARE(extras->mnuGameNumber()->shortcut(), QKeySequence(QStringLiteral("Ctrl+G")));
        QVERIFY(!extras->mnuUndo()->isEnabled() && !extras->mnuRedo()->isEnabled());
        QCOMPARE(h.store.read("Extras", "GroupPreview", "none"), QStringLiteral("none"));
    }

    void previewOutlinesTheGroupUnderThePointer() {
        Harness h;
        auto window = activeWindow(h);
        BoardExtras* extras = window->extras();
        const QString notice = window->lblCopyright()->text();
        extras->mnuPreview()->trigger();
        QCOMPARE(h.store.read("Extras", "GroupPreview", ""), QStringLiteral("-1"));
        const QImage board = window->picBoard()->image();

        const auto cell = cellWithGroup(window->game().board(), 2);
        QVERIFY(cell);
        QTest::mouseMove(window->picBoard(), widgetPoint(*cell));
        const GroupOutline* outline = extras->preview()->outline();
        QVERIFY(outline->isVisible());
        std::set<std::pair<int, int>> outlined;
        for (const QPoint& p : outline->cells())
            outlined.insert({p.x(), p.y()});
        const auto group = rulesGroup(window->game().board(), *cell);
        QCOMPARE(outlined, group);
        const int k = int(group.size());
        QCOMPARE(window->lblCopyright()->text(),
                 QStringLiteral("%1 blocks: %2 points").arg(k).arg(k * k + 1));
        // Drawn over the board: the board's own cells are unchanged, the
        // screen shows the outline.
        QCOMPARE(window->picBoard()->image(), board);
        const auto screen = [&] {
            const QImage grabbed = window->picBoard()->grab().toImage();
            return grabbed.copy(2, 2, grabbed.width() - 4, grabbed.height() - 4)
                .convertToFormat(QImage::Format_RGB32);
        };
        QVERIFY(screen() != board.convertToFormat(QImage::Format_RGB32));

        // A lone block shows nothing and gives the notice back.
        if (const auto lone = cellWithGroup(window->game().board(), 0)) {
            QTest::mouseMove(window->picBoard(), widgetPoint(*lone));
            QVERIFY(!outline->isVisible());
            QCOMPARE(window->lblCopyright()->text(), notice);
            QCOMPARE(screen(), board.convertToFormat(QImage::Format_RGB32));
        }
        // Switched off: nothing again, and stored.
        QTest::mouseMove(window->picBoard(), widgetPoint(*cell));
        extras->mnuPreview()->trigger();
        QVERIFY(!outline->isVisible() && !window->picBoard()->hasMouseTracking());
        QCOMPARE(h.store.read("Extras", "GroupPreview", ""), QStringLiteral("0"));
    }

    void keyboardMovesTheCursorAndPlays() {
        Harness h;
        auto window = activeWindow(h);
        KeyboardCursor* cursor = window->extras()->cursor();
        const Board& board = window->game().board();
        QTest::keyClick(window.get(), Qt::Key_Up);
        QVERIFY(cursor->isVisible());
        QCOMPARE(cursor->cell(), QPoint(0, board.rows() - 1));
        QTest::keyClick(window.get(), Qt::Key_Up);
        QTest::keyClick(window.get(), Qt::Key_End);
        QCOMPARE(cursor->cell(), QPoint(board.cols() - 1, board.rows() - 2));
        QTest::keyClick(window.get(), Qt::Key_Right); // stays on the board
        QTest::keyClick(window.get(), Qt::Key_Home);
        QCOMPARE(cursor->cell(), QPoint(0, board.rows() - 2));

        // Walk to a removable group and take it with Space: the same move as a click.
        const auto cell = cellWithGroup(board, 2);
        QVERIFY(cell);
        while (cursor->cell().y() > cell->y())
            QTest::keyClick(window.get(), Qt::Key_Up);
        while (cursor->cell().y() < cell->y())
            QTest::keyClick(window.get(), Qt::Key_Down);
        while (cursor->cell().x() < cell->x())
            QTest::keyClick(window.get(), Qt::Key_Right);
        const int k = int(rulesGroup(board, *cell).size());
        const int left = window->game().blocksLeft();
        QTest::keyClick(window.get(), Qt::Key_Space);
        QTRY_VERIFY(!window->isMoving()); // the move ends on the window's timer
        QCOMPARE(window->game().blocksLeft(), left - k);
        QCOMPARE(window->game().score(), int64_t(k) * k + 1);

        // A lone block is refused as a click on it is.
        if (const auto lone = cellWithGroup(board, 0)) {
            while (cursor->cell() != *lone) {
                const QPoint at = cursor->cell();
                QTest::keyClick(window.get(),
                                at.y() != lone->y()
                                    ? (at.y() < lone->y() ? Qt::Key_Down : Qt::Key_Up)
                                    : (at.x() < lone->x() ? Qt::Key_Right : Qt::Key_Left));
            }
            const QImage before = window->picBoard()->image();
            QTest::keyClick(window.get(), Qt::Key_Return);
            QTRY_VERIFY(!window->isMoving()); // the move ends on the window's timer
            QCOMPARE(window->picBoard()->image(), before);
            QCOMPARE(window->game().blocksLeft(), left - k);
        }
        // The mouse hides the cursor; keys in another window do not reach it.
        QTest::mousePress(window->picBoard(), Qt::LeftButton, {}, QPoint(-5, -5));
        QVERIFY(!cursor->isVisible());
        QDialog other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTest::keyClick(&other, Qt::Key_Up);
        QTest::keyClick(&other, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!cursor->isVisible());
        QCOMPARE(window->game().blocksLeft(), left - k);
    }

    void undoRedoAndRestartThroughTheWindow() {
        Harness h;
        auto window = activeWindow(h);
        const QImage start = window->picBoard()->image();
        const QList<int> leftDigits = cells(window->imgLeft());
        const uint32_t number = window->game().gameNumber();
        const auto cell = cellWithGroup(window->game().board(), 2);
        QTest::mouseClick(window->picBoard(), Qt::LeftButton, {}, widgetPoint(*cell));
        QTRY_VERIFY(!window->isMoving()); // the move ends on the window's timer
        QCoreApplication::processEvents();
        QVERIFY(window->extras()->mnuUndo()->isEnabled());
        const QImage after = window->picBoard()->image();
        const QList<int> afterScore = cells(window->imgScore());

        QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(window->picBoard()->image(), start);
        QCOMPARE(cells(window->imgLeft()), leftDigits);
        QCOMPARE(cells(window->imgScore()), (QList<int>{0, 0, 0, 0, 0}));
        QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(window->picBoard()->image(), after);
        QCOMPARE(cells(window->imgScore()), afterScore);
        QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(window->picBoard()->image(), after); // nothing left to redo

        QTest::keyClick(window.get(), Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(window->picBoard()->image(), start);
        QCOMPARE(window->game().gameNumber(), number);
        QVERIFY(window->game().historyUsed());
        window->cmdBut_Click(0);
        QVERIFY(!window->game().historyUsed());
    }

    void endBannerSaysHowTheGameEnded() {
        Harness h;
        auto window = activeWindow(h);
        EndBanner* banner = window->extras()->banner();
        bool shownWithTable = false;
        window->inHighscore = [&] {
            QCoreApplication::processEvents();
            shownWithTable = banner->isVisible();
        };
        window->game().loadBoard(3, 1, {2, 2, 1});
        QTest::mouseClick(window->picBoard(), Qt::LeftButton, {}, widgetPoint(QPoint(0, 0)));
        QTRY_VERIFY(!window->isMoving()); // the move ends on the window's timer
        QCoreApplication::processEvents();
        QVERIFY(shownWithTable && banner->isVisible());
        QCOMPARE(banner->lines(),
                 (QStringList{"No more moves", "Final score: 5", "F2 starts a new game"}));
        // Undo takes the end back; a cleared board names its bonus.
        window->extras()->undo();
        QVERIFY(!banner->isVisible());
        window->game().loadBoard(2, 2, {1, 1, 1, 1});
        QTest::mouseClick(window->picBoard(), Qt::LeftButton, {}, widgetPoint(QPoint(0, 0)));
        QTRY_VERIFY(!window->isMoving()); // the move ends on the window's timer
        QCoreApplication::processEvents();
        QCOMPARE(banner->lines().mid(0, 2),
                 (QStringList{"Board cleared! +9 bonus", "Final score: 26"}));
        window->cmdBut_Click(0);
        QCoreApplication::processEvents();
        QVERIFY(!banner->isVisible());
    }

    void bannerTextsFitInEveryLanguage() {
        Harness h;
        auto window = activeWindow(h, QStringLiteral("Cols=5 Rows=5"));
        window->resize(750, 500);
        EndBanner* banner = window->extras()->banner();
        for (int16_t language : {0, 1, 2, 3, 6}) {
            h.state.settings.LanguageId = language;
            const QStringList lines = EndBanner::texts(h.state.language, 99999, true, 33333);
            QCOMPARE(lines.size(), 3);
            for (const QString& line : lines)
                QVERIFY2(!line.isEmpty() && !line.contains('%'), qPrintable(line));
            banner->showOver(window->picBoard()->geometry(), lines);
            // Every line fits inside the banner, and the banner inside the
            // window; the pictures stay in the test's home folder to look at.
            QVERIFY(window->rect().contains(banner->geometry()));
            QVERIFY(banner->sizeFor(lines).width() <= banner->width());
            const QImage shot = banner->grab().toImage();
            QVERIFY(!shot.isNull());
            shot.save(QDir::home().filePath(QStringLiteral("tavro-banner-%1.png").arg(language)));
        }
    }
};

QTEST_MAIN(tst_extras)
#include "tst_extras.moc"
