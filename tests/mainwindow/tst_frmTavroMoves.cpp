// The main window during moves: what the board shows after a click, what may
// happen while a move waits, the wait itself, and the board's repainting.

#include "MainWindowHarness.h"
#include "game/Game.h"
#include "ui/dialogs/ClickableImage.h"
#include "ui/main/HelpWindow.h"
#include "ui/main/PictureButton.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <ctime>

using namespace tavro;
using namespace tavro::test;

namespace {

// Clicks a group (on a new board if this one has none) and lets the event
// loop run until the move has ended or the window is gone.
bool clickAGroup(frmTavro& window, Qt::MouseButton button = Qt::LeftButton) {
    for (int attempt = 0; attempt < 50 && !cellWithGroup(window.game().board(), 2); ++attempt)
        window.cmdBut_Click(0);
    const QPointer<frmTavro> alive(&window);
    QTest::mouseClick(window.picBoard(), button, {},
                      cellPoint(cellWithGroup(window.game().board(), 2).value()));
    return QTest::qWaitFor([&] { return !alive || !alive->isMoving(); }, 10000);
}

// Every cell shows its block's square of the strip or the empty board.
void verifyBoardPixels(const frmTavro& window) {
    const Board& board = window.game().board();
    for (int row = 0; row < board.rows(); ++row)
        for (int col = 0; col < board.cols(); ++col) {
            const BlockRec& b = board.block(board.GetBlockFromCoord(col, row));
            const QImage expected = b.present ? window.picBlocks().copy(b.type * 50, 0, 50, 50)
                                              : window.picBG().copy(col * 50, row * 50, 50, 50);
            QVERIFY2(channelDistance(window.picBoard()->image().copy(col * 50, row * 50, 50, 50),
                                     expected) == 0,
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

    // Any button makes a move; emptied cells show the picture under the
    // board or its plain colour.
    void clickRemovesTheGroup_data() {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("picture") << "" << Qt::LeftButton;
        QTest::newRow("plain colour") << "Background=0 BGColor=3" << Qt::RightButton;
    }
    void clickRemovesTheGroup() {
        QFETCH(QString, settings);
        QFETCH(Qt::MouseButton, button);
        Harness h;
        h.storeSettings(settings);
        auto window = h.showWindow();
        QImage under = window->backgroundImage().copy(
            QRect(window->picBoard()->pos() + QPoint(2, 2), window->picBG().size()));
        if (!settings.isEmpty())
            under.fill(QColor(0, 128, 128));
        QCOMPARE_LE(channelDistance(window->picBG(), under), 1);
        verifyBoardPixels(*window);
        const int before = window->game().blocksLeft();
        QVERIFY(clickAGroup(*window, button));
        const int left = window->game().blocksLeft(), removed = before - left;
        QVERIFY(removed >= 2);
        QCOMPARE(window->game().score(), removed * removed + 1);
        verifyBoardPixels(*window);
        QCOMPARE(cells(window->imgLeft()).mid(3), (QList<int>{left / 10 % 10, left % 10}));
        QCOMPARE(window->imgScore()->cell(4), int(window->game().score() % 10));
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
            QTest::mouseClick(window->imgLang(1), Qt::LeftButton);
            window->mnuUeber()->trigger();
            window->mnuOnlinehelp()->trigger();
            window->mnuEMail()->trigger();
            checked = window->isMoving();
        });
        QVERIFY(clickAGroup(*window));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        QVERIFY(checked && window->helpWindow() && window->helpWindow()->isVisible());
        QCOMPARE(recorder.opened.size(), 1);
        QCOMPARE(built.count(), 0);
        QVERIFY(window->opened.isEmpty() && h.prompt.questions.isEmpty());
        QVERIFY(!window->mnuHelp()->isVisible());
        QCOMPARE(h.state.settings.LanguageId, 0);
        QCOMPARE(h.store.read("Settings", "Sprache", "none"), QStringLiteral("none"));
        verifyBoardPixels(*window);
    }

    // A resize builds a new board the abandoned move leaves alone; a window
    // deleted while a move waits is not touched again.
    void resizeOrDeleteDuringAMove() {
        Harness h;
        auto window = h.showWindow();
        QSignalSpy built(window.get(), &frmTavro::boardBuilt);
        QTimer::singleShot(5, window.get(), [&] {
            QVERIFY(window->isMoving());
            window->resize(1018, 740);
        });
        QVERIFY(clickAGroup(*window));
        QCOMPARE(built.count(), 1);
        QCOMPARE(window->game().score(), 0);
        QCOMPARE(window->game().blocksLeft(), 84);
        QCOMPARE(window->picBoard()->pos(), QPoint(207, 266));
        QCOMPARE(cells(window->imgScore()), QList<int>(5, 0));
        verifyBoardPixels(*window);
        QVERIFY(clickAGroup(*window));
        QVERIFY(window->game().score() > 0);

        QPointer<TestWindow> guard(window.release());
        QTimer::singleShot(5, [&] {
            QVERIFY(guard && guard->isMoving());
            guard->deleteLater();
        });
        QVERIFY(clickAGroup(*guard));
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

    // A refresh repaints exactly the cells changed since the last one; cells
    // outside the grid are ignored.
    void boardSurfaceRepaintsOnlyChangedCells() {
        constexpr int kCell = 4;
        QImage strip(3 * kCell, kCell, QImage::Format_RGB32);
        for (int type = 0; type < 3; ++type)
            QPainter(&strip).fillRect(type * kCell, 0, kCell, kCell, QColor(type * 100, 0, 200));
        // The empty board is a gradient: a cell copied from elsewhere shows.
        const auto gradient = [](int x, int y) { return qRgb(x * 10 % 256, y * 10 % 256, 0); };
        BoardSurface surface;
        surface.reset(QSize(6, 4), kCell, strip, [&](QPainter& painter, const QRect& area) {
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    painter.fillRect(x, y, 1, 1, QColor(gradient(x, y)));
        });
        QCOMPARE(surface.size(), QSize(6 * kCell + 4, 4 * kCell + 4));
        const QImage empty = surface.image();
        surface.show();
        QVERIFY(QTest::qWaitForWindowExposed(&surface));
        PaintRecorder recorder;
        surface.installEventFilter(&recorder);
        surface.showBlock({1, 1}, 0);
        surface.showBlock({2, 1}, 1);
        surface.showEmpty({5, 3}, {0, 0});
        surface.showBlock({1, 1}, 2); // twice in one refresh
        surface.showBlock({6, 0}, 1);
        surface.showEmpty({-1, 5}, {0, 0});
        QTest::qWait(20);
        QVERIFY(recorder.painted.isEmpty()); // nothing before the refresh
        surface.refresh();
        QTRY_VERIFY(!recorder.painted.isEmpty());
        const auto onWidget = [](int col, int row) {
            return QRect(2 + col * kCell, 2 + row * kCell, kCell, kCell);
        };
        QCOMPARE(recorder.painted, QRegion(onWidget(1, 1) | onWidget(2, 1)) + onWidget(5, 3));
        const QImage image = surface.image();
        QCOMPARE(image.pixel(kCell + 1, kCell + 1), qRgb(200, 0, 200));
        QCOMPARE(image.pixel(5 * kCell + 3, 3 * kCell + 2), gradient(3, 2));
        QCOMPARE(image.copy(0, kCell, kCell, kCell), empty.copy(0, kCell, kCell, kCell));
        const QImage shown = surface.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.copy(2, 2, 6 * kCell, 4 * kCell), image);
        recorder.painted = QRegion();
        surface.refresh(); // nothing changed since
        QTest::qWait(20);
        QVERIFY(recorder.painted.isEmpty());
    }

    // Closing the last window while a move waits ends the event loop at once;
    // the move neither paints nor scores after the close, the help goes too.
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
