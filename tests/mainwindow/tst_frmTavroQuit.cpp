// Closing the main window in the middle of a move ends the program's event
// loop cleanly: the waiting move is abandoned and nothing runs on.

#include "MainWindowHarness.h"
#include "game/Board.h"
#include "game/Game.h"
#include "ui/main/BoardSurface.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

using namespace tavro;
using namespace tavro::test;

class tst_frmTavroQuit : public QObject {
    Q_OBJECT

private slots:
    void closingDuringAMoveEndsTheEventLoop() {
        wipeStore();
        Harness h;
        auto window = h.showWindow(QSize(900, 650));
        // Two blocks of one type on a board of their own: a move with a collapse.
        window->game().loadBoard(3, 2, {0, 1, 2, 1, 1, 3});
        bool wasMoving = false;
        bool moveReturned = false;
        QTimer::singleShot(0, window.get(), [&] {
            QTest::mouseClick(window->picBoard(), Qt::LeftButton, {},
                              QPoint(75 + BoardSurface::kBorder, 25 + BoardSurface::kBorder));
            moveReturned = true;
        });
        QTimer::singleShot(10, window.get(), [&] {
            wasMoving = window->isMoving();
            window->close(); // the last window: the application quits
        });
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(wasMoving);
        QVERIFY(moveReturned);
        QVERIFY(!window->isMoving());
        QVERIFY(clock.elapsed() < 2000);
        // The abandoned move scored nothing.
        QCOMPARE(window->game().score(), 0);
    }
};

QTEST_MAIN(tst_frmTavroQuit)
#include "tst_frmTavroQuit.moc"
