// The main window during moves: clicks on the real board, what other handlers
// may and may not do while a move waits, and the wait itself.

#include "MainWindowHarness.h"
#include "game/Board.h"
#include "game/Game.h"
#include "ui/dialogs/ClickableImage.h"
#include "ui/main/BoardSurface.h"
#include "ui/main/HelpWindow.h"
#include "ui/main/PictureButton.h"

#include <QAction>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <ctime>
#include <optional>

using namespace tavro;
using namespace tavro::test;

namespace {

// A present block that has a neighbour of its type to the right or below.
std::optional<QPoint> removableCell(const Board& board) {
    for (int row = 0; row < board.rows(); ++row)
        for (int col = 0; col < board.cols(); ++col) {
            const BlockRec& b = board.block(board.GetBlockFromCoord(col, row));
            for (const QPoint& next : {QPoint(col + 1, row), QPoint(col, row + 1)}) {
                const int16_t n = board.GetBlockFromCoord(next.x(), next.y());
                if (b.present && n >= 0 && board.block(n).present && board.block(n).type == b.type)
                    return QPoint(col, row);
            }
        }
    return std::nullopt;
}

// Mouse position on the board widget of the centre of a cell.
QPoint cellCentre(const QPoint& cell) {
    return QPoint(cell.x() * 50 + 25 + BoardSurface::kBorder,
                  cell.y() * 50 + 25 + BoardSurface::kBorder);
}

// Builds boards until one has a group to remove, clicks it and lets the
// event loop run until the move has ended (or the window is gone).
bool clickAGroup(frmTavro& window, Qt::MouseButton button = Qt::LeftButton) {
    const QPointer<frmTavro> alive(&window);
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (const auto cell = removableCell(window.game().board())) {
            QTest::mouseClick(window.picBoard(), button, {}, cellCentre(*cell));
            return QTest::qWaitFor([&] { return !alive || !alive->isMoving(); }, 10000);
        }
        window.cmdBut_Click(0);
    }
    return false;
}

// Every cell of the board image shows either its block's strip square or
// the empty board under it.
void verifyBoardPixels(const frmTavro& window) {
    const Board& board = window.game().board();
    const QImage image = window.picBoard()->image();
    const QImage background = window.backgroundImage();
    const QPoint inner = window.picBoard()->pos() + QPoint(2, 2);
    for (int row = 0; row < board.rows(); ++row)
        for (int col = 0; col < board.cols(); ++col) {
            const BlockRec& b = board.block(board.GetBlockFromCoord(col, row));
            const QImage shown = image.copy(col * 50, row * 50, 50, 50);
            const QImage expected =
                b.present ? window.picBlocks().copy(b.type * 50, 0, 50, 50)
                          : background.copy(inner.x() + col * 50, inner.y() + row * 50, 50, 50);
            QVERIFY2(channelDistance(shown, expected) <= (b.present ? 0 : 1),
                     qPrintable(
                         QStringLiteral("cell %1,%2 present %3").arg(col).arg(row).arg(b.present)));
        }
}

} // namespace

class tst_frmTavroMoves : public QObject {
    Q_OBJECT

private slots:
    // A move that ends the game opens the test window's recorded high-score
    // dialog, never a real modal one.
    void init() { wipeStore(); }

    void clickRemovesTheGroupAndShowsTheBackground() {
        Harness h;
        auto window = h.showWindow(QSize(900, 650));
        verifyBoardPixels(*window);
        const int before = window->game().blocksLeft();
        QVERIFY(clickAGroup(*window));
        QVERIFY(!window->isMoving());
        const int removed = before - window->game().blocksLeft();
        QVERIFY(removed >= 2);
        QCOMPARE(window->game().score(), removed * removed + 1);
        verifyBoardPixels(*window);
        // The displays show the new values.
        const int left = window->game().blocksLeft();
        QCOMPARE(cells(window->imgLeft()).mid(3), (QList<int>{left / 10 % 10, left % 10}));
        QCOMPARE(window->imgScore()->cell(4), int(window->game().score() % 10));
    }

    void plainColourBoardErasesToItsColour() {
        Harness h;
        h.storeSettings("Background=0 BGColor=3");
        auto window = h.showWindow(QSize(900, 650));
        QVERIFY(clickAGroup(*window, Qt::RightButton)); // every button makes a move
        const Board& board = window->game().board();
        int emptyCells = 0;
        for (int i = 0; i < board.blockCount(); ++i) {
            const BlockRec& b = board.block(i);
            if (b.present)
                continue;
            ++emptyCells;
            const QImage cell = window->picBoard()->image().copy(b.x, b.y, 50, 50);
            for (const QPoint& p : {QPoint(0, 0), QPoint(49, 49), QPoint(25, 10)})
                QCOMPARE(cell.pixelColor(p), QColor(0, 128, 128));
        }
        QVERIFY(emptyCells >= 2);
    }

    void clearingTheBoardEndsTheGameWithTheHighScoreDialog() {
        Harness h;
        auto window = h.showWindow(QSize(900, 650));
        bool finishedWhenShown = false;
        window->inHighscore = [&] { finishedWhenShown = window->game().gameFinished(); };
        // A pair on a board of its own: removing it clears the board.
        window->game().loadBoard(2, 1, {1, 1});
        QTest::mouseClick(window->picBoard(), Qt::LeftButton, {}, cellCentre(QPoint(1, 0)));
        QTRY_COMPARE(window->opened, QStringList{QStringLiteral("highscore")});
        QVERIFY(finishedWhenShown);
        QCOMPARE(window->game().score(), 8); // 5 points, times 1.5 with 7.5 going to 8
        QCOMPARE(cells(window->imgScore()), (QList<int>{0, 0, 0, 0, 8}));
        QCOMPARE(cells(window->imgLeft()), (QList<int>{0, 0, 0, 0, 0}));
        // A finished board ignores further clicks.
        QTest::mouseClick(window->picBoard(), Qt::LeftButton, {}, cellCentre(QPoint(0, 0)));
        QCOMPARE(window->opened.size(), 1);
    }

    void onlyHelpAndMailWorkDuringAMove() {
        Harness h;
        auto window = h.showWindow(QSize(900, 650));
        UrlCatcher recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &recorder, "open");
        window->setShutdownHandler([] { QFAIL("no shutdown during a move"); });
        QSignalSpy built(window.get(), &frmTavro::boardBuilt);
        bool checked = false;
        QTimer::singleShot(5, window.get(), [&] {
            QVERIFY(window->isMoving());
            h.prompt.yesNoAnswers = {true};
            for (int index = 0; index < 8; ++index)
                QTest::mouseClick(window->cmdBut(index), Qt::LeftButton);
            QTest::mouseClick(window->imgLang(1), Qt::LeftButton);
            window->mnuUeber()->trigger();
            window->imgLang_Click(6);
            window->mnuOnlinehelp()->trigger();
            window->mnuEMail()->trigger();
            QVERIFY(window->isMoving());
            checked = true;
        });
        QVERIFY(clickAGroup(*window));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        QVERIFY(checked);
        QVERIFY(window->helpWindow() && window->helpWindow()->isVisible());
        QCOMPARE(recorder.opened.size(), 1);
        QCOMPARE(built.count(), 0);
        QVERIFY(window->opened.isEmpty());
        QVERIFY(h.prompt.questions.isEmpty());
        QVERIFY(!window->mnuHelp()->isVisible());
        QCOMPARE(h.state.settings.LanguageId, 0);
        QCOMPARE(h.store.read("Settings", "Sprache", "none"), QStringLiteral("none"));
        verifyBoardPixels(*window);
    }

    void resizeDuringAMoveBuildsAConsistentBoard() {
        Harness h;
        auto window = h.showWindow(QSize(900, 650));
        QSignalSpy built(window.get(), &frmTavro::boardBuilt);
        bool resized = false;
        QTimer::singleShot(5, window.get(), [&] {
            QVERIFY(window->isMoving());
            window->resize(1018, 740);
            resized = true;
        });
        QVERIFY(clickAGroup(*window));
        QVERIFY(resized);
        QCOMPARE(built.count(), 1);
        QVERIFY(!window->isMoving());
        // The abandoned move left the new board alone.
        QCOMPARE(window->game().score(), 0);
        QCOMPARE(window->game().blocksLeft(), window->game().totalBlocks());
        QCOMPARE(window->game().totalBlocks(), 84);
        QCOMPARE(window->picBoard()->pos(), QPoint(207, 266));
        QCOMPARE(cells(window->imgScore()), (QList<int>{0, 0, 0, 0, 0}));
        verifyBoardPixels(*window);
        // And the next click plays normally.
        QVERIFY(clickAGroup(*window));
        QVERIFY(window->game().score() > 0);
        verifyBoardPixels(*window);
    }

    void closeDuringAMoveEndsCleanly() {
        Harness h;
        auto window = h.showWindow(QSize(900, 650));
        bool closed = false;
        QImage atClose;
        QTimer::singleShot(5, window.get(), [&] {
            QVERIFY(window->isMoving());
            window->mnuOnlinehelp()->trigger();
            closed = window->close();
            atClose = window->picBoard()->image().copy();
        });
        QVERIFY(clickAGroup(*window));
        QVERIFY(closed);
        QVERIFY(!window->isVisible());
        QVERIFY(!window->isMoving());
        QVERIFY(!window->helpWindow()->isVisible());
        // The abandoned move neither painted nor scored after the close.
        QCOMPARE(window->picBoard()->image(), atClose);
        QCOMPARE(window->game().score(), 0);
        window.reset();
        QCoreApplication::processEvents();
    }

    void deleteDuringAMoveEndsCleanly() {
        Harness h;
        TestWindow* window = h.showWindow(QSize(900, 650)).release();
        QPointer<TestWindow> guard(window);
        QTimer::singleShot(5, [&] {
            QVERIFY(guard && guard->isMoving());
            guard->deleteLater();
        });
        // The move starts here; the window goes while it waits, and the move
        // comes back without touching it.
        QVERIFY(clickAGroup(*window));
        QVERIFY(guard.isNull());
        QCoreApplication::processEvents();
    }

    void movesWaitTheirFullTimeWithoutBurningCpu() {
        Harness h;
        h.storeSettings("Cols=1 Rows=15");
        auto window = h.showWindow(QSize(900, 1018));
        // Ten blocks under five: ten falling passes and the one that finds
        // nothing more, after the wait behind the erased group.
        window->game().loadBoard(1, 15, {2, 3, 2, 3, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
        const qint64 expected = 20 + 11 * 80;
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
        ticker.start(50);
        QElapsedTimer clock;
        clock.start();
        const std::clock_t cpuBefore = std::clock();
        QTest::mouseClick(window->picBoard(), Qt::LeftButton, {}, cellCentre(QPoint(0, 14)));
        QVERIFY(window->isMoving()); // the click returned at the first wait
        QVERIFY(QTest::qWaitFor([&] { return !window->isMoving(); }, 10000));
        const qint64 elapsed = clock.elapsed();
        const double cpu = double(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
        qInfo("move with 12 waits: %lld ms elapsed (%lld ms of waits), %.4f s CPU, %d timer "
              "events",
              elapsed, expected, cpu, ticks);
        QVERIFY(elapsed >= expected);
        QVERIFY(ticks >= int(expected / 50) - 2); // the window kept handling events
        QVERIFY2(cpu < 0.1, qPrintable(QString::number(cpu)));
        QCOMPARE(window->game().score(), 101);
        verifyBoardPixels(*window);
    }
};

QTEST_MAIN(tst_frmTavroMoves)
#include "tst_frmTavroMoves.moc"
