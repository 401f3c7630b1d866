// The main window during moves, and the board's repainting.

#include "MainWindowHarness.h"
#include "game/Game.h"
#include "ui/dialogs/ClickableImage.h"
#include "ui/main/HelpWindow.h"
#include "ui/main/PictureButton.h"

#include <QtTest>
#include <QtWidgets>
#include <ctime>

using namespace tavro;
using namespace tavro::test;

namespace {

// Every cell shows its block's square of the strip or the empty board (a
// stretched picture drawn in parts may differ by rounding in the last bit).
void verifyBoardPixels(const frmTavro& window) {
    const Board& board = window.game().board();
    for (int row = 0; row < board.rows(); ++row)
        for (int col = 0; col < board.cols(); ++col) {
            const BlockRec& b = board.block(board.GetBlockFromCoord(col, row));
            const QImage expected = b.present ? window.picBlocks().copy(b.type * 50, 0, 50, 50)
                                              : window.picBG().copy(col * 50, row * 50, 50, 50);
            QVERIFY2(channelDistance(window.picBoard()->image().copy(col * 50, row * 50, 50, 50),
                                     expected) <= (b.present ? 0 : 1),
                     qPrintable(QStringLiteral("cell %1,%2").arg(col).arg(row)));
        }
}

struct PaintRecorder : QObject {
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

} // namespace

class tst_frmTavroMoves : public QObject {
    Q_OBJECT

private slots:
    void init() { wipeStore(); }

    // Any button makes a move; a plain-colour board shows its colour.
    void rightClickOnAPlainColourBoard() {
        Harness h;
        h.storeSettings("Background=0 BGColor=3");
        auto window = h.showWindow();
        QImage teal(window->picBG().size(), QImage::Format_RGB32);
        teal.fill(QColor(0, 128, 128));
        QCOMPARE(window->picBG().convertToFormat(QImage::Format_RGB32), teal);
        const int before = window->game().blocksLeft();
        QVERIFY(clickAndWait(*window, std::nullopt, Qt::RightButton));
        const int removed = before - window->game().blocksLeft();
        QVERIFY(removed >= 2);
        QCOMPARE(window->game().score(), removed * removed + 1);
        verifyBoardPixels(*window);
    }

    void onlyHelpAndMailWorkDuringAMove() {
        Harness h;
        auto window = h.showWindow();
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
            QTest::mouseClick(window->imgLang(0), Qt::LeftButton);
            window->mnuUeber()->trigger();
            window->mnuOnlinehelp()->trigger();
            window->mnuEMail()->trigger();
            checked = window->isMoving();
        });
        QVERIFY(clickAndWait(*window));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        QVERIFY(checked && window->helpWindow() && window->helpWindow()->isVisible());
        QCOMPARE(recorder.opened.size(), 1);
        QCOMPARE(built.count(), 0);
        QVERIFY(window->opened.isEmpty() && h.prompt.questions.isEmpty());
        QVERIFY(!window->mnuHelp()->isVisible());
        QCOMPARE(h.state.settings.LanguageId, 1);
        QCOMPARE(h.store.read("Settings", "Sprache", "none"), QStringLiteral("none"));
        verifyBoardPixels(*window);
    }

    // The abandoned move leaves a resized board alone and a deleted window.
    void resizeOrDeleteDuringAMove() {
        Harness h;
        auto window = h.showWindow();
        QSignalSpy built(window.get(), &frmTavro::boardBuilt);
        QTimer::singleShot(5, window.get(), [&] {
            QVERIFY(window->isMoving());
            window->resize(1018, 740);
        });
        QVERIFY(clickAndWait(*window));
        QCOMPARE(built.count(), 1);
        QCOMPARE(window->game().score(), 0);
        QCOMPARE(window->game().blocksLeft(), 84);
        QCOMPARE(window->picBoard()->pos(), QPoint(207, 266));
        verifyBoardPixels(*window);
        QVERIFY(clickAndWait(*window));
        QVERIFY(window->game().score() > 0);

        QPointer<TestWindow> guard(window.release());
        QTimer::singleShot(5, [&] {
            QVERIFY(guard && guard->isMoving());
            guard->deleteLater();
        });
        QVERIFY(clickAndWait(*guard));
        QVERIFY(guard.isNull());
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
        QTest::mouseClick(window->picBoard(), Qt::LeftButton, {}, cellPoint(QPoint(0, 14)));
        QVERIFY(window->isMoving()); // the click returned at the first wait
        QVERIFY(QTest::qWaitFor([&] { return !window->isMoving(); }, 10000));
        const qint64 elapsed = clock.elapsed();
        const double cpu = double(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
        qInfo("move with 12 waits: %lld ms (%lld ms of waits), %.4f s CPU, %d timer events",
              elapsed, expected, cpu, ticks);
        QVERIFY(elapsed >= expected && cpu < 0.1);
        QVERIFY(ticks >= int(expected / 50) - 2); // the window kept handling events
        QCOMPARE(window->game().score(), 101);
        verifyBoardPixels(*window);
    }

    // A refresh repaints exactly the changed cells; others are ignored.
    void boardSurfaceRepaintsOnlyChangedCells() {
        QImage strip(150, 50, QImage::Format_RGB32);
        strip.fill(Qt::blue);
        BoardSurface surface;
        surface.reset(QSize(6, 4), 50, strip, [](QPainter& painter, const QRect& area) {
            painter.fillRect(area, Qt::red);
        });
        surface.show();
        QVERIFY(QTest::qWaitForWindowExposed(&surface));
        PaintRecorder recorder;
        surface.installEventFilter(&recorder);
        surface.showBlock({1, 1}, 0);
        surface.showBlock({2, 1}, 1);
        surface.showEmpty({5, 3}, {0, 0});
        surface.showBlock({6, 0}, 1);
        surface.showEmpty({-1, 5}, {0, 0});
        QTest::qWait(20);
        QVERIFY(recorder.painted.isEmpty()); // nothing before the refresh
        surface.refresh();
        QTRY_VERIFY(!recorder.painted.isEmpty());
        QCOMPARE(recorder.painted, QRegion(52, 52, 100, 50) + QRect(252, 152, 50, 50));
        recorder.painted = QRegion();
        surface.refresh(); // nothing changed since
        QTest::qWait(20);
        QVERIFY(recorder.painted.isEmpty());
    }

    // Closing the last window mid-move ends the event loop at once; the move
    // neither paints nor scores after it.
    void closingDuringAMoveEndsTheEventLoop() {
        Harness h;
        auto window = h.showWindow();
        window->game().loadBoard(3, 2, {0, 1, 2, 1, 1, 3}); // a move with a collapse
        bool wasMoving = false, moveReturned = false;
        QImage atClose;
        QTimer::singleShot(0, window.get(), [&] {
            QTest::mouseClick(window->picBoard(), Qt::LeftButton, {}, cellPoint(QPoint(1, 0)));
            moveReturned = true;
        });
        QTimer::singleShot(10, window.get(), [&] {
            wasMoving = window->isMoving();
            window->mnuOnlinehelp()->trigger();
            window->close();
            atClose = window->picBoard()->image().copy();
        });
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(wasMoving && moveReturned && !window->isMoving());
        QCOMPARE_LT(clock.elapsed(), 2000);
        QVERIFY(!window->helpWindow()->isVisible());
        QTest::qWait(200);
        QCOMPARE(window->picBoard()->image(), atClose);
        QCOMPARE(window->game().score(), 0);
    }
};

QTEST_MAIN(tst_frmTavroMoves)
#include "tst_frmTavroMoves.moc"
