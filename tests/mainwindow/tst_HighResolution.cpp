// The window on a screen at 200 %: pictures come from the 2x renditions
// while every size of the layout stays in logical pixels; the extra "Symbols
// on blocks" swaps the strip without touching the game.

#include "MainWindowHarness.h"
#include "game/Board.h"
#include "game/Game.h"
#include "ui/dialogs/frmOpt.h"
#include "ui/main/BoardSurface.h"
#include "ui/main/SymbolsExtra.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QTest>

using namespace tavro;
using namespace tavro::test;

namespace {

// Square `type` of a strip file, in its own pixels.
QImage square(const QString& strip, int type, int side) {
    QImage image =
        QImage(strip).convertToFormat(QImage::Format_RGB32).copy(type * side, 0, side, side);
    image.setDevicePixelRatio(1);
    return image;
}

// Cell (col, row) of the board as the screen shows it, in device pixels.
QImage shownCell(BoardSurface* board, QPoint cell) {
    QImage shot = board->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int ratio = static_cast<int>(shot.devicePixelRatio());
    shot.setDevicePixelRatio(1);
    return shot.copy((BoardSurface::kBorder + cell.x() * 50) * ratio,
                     (BoardSurface::kBorder + cell.y() * 50) * ratio, 50 * ratio, 50 * ratio);
}

// The type of the block at (col, row) of the window's board.
int typeAt(const TestWindow& window, QPoint cell) {
    const Board& board = window.game().board();
    return board.block(board.GetBlockFromCoord(cell.x(), cell.y())).type;
}

} // namespace

class tst_HighResolution : public QObject {
    Q_OBJECT

private slots:
    void init() { wipeStore(); }

    void boardAndDisplaysShowTheDoubleSizePictures() {
        Harness h;
        auto window = h.showWindow(QSize(900, 650));
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(window->devicePixelRatioF(), 2.0);
        // The layout keeps its logical sizes: 50 x 50 cells, 90 x 27 displays.
        QCOMPARE(window->picBoard()->size(),
                 QSize(h.state.settings.Cols * 50 + 4, h.state.settings.Rows * 50 + 4));
        const QString strip = QStringLiteral(":/blocks/blocks00@2x.png");
        for (int i = 0; i < 8; ++i) {
            const QPoint cell(i % 4, i / 4);
            const QImage shown = shownCell(window->picBoard(), cell);
            QCOMPARE(shown.size(), QSize(100, 100));
            QCOMPARE(channelDistance(shown, square(strip, typeAt(*window, cell), 100)), 0);
        }
        // Drawn at that size, not the small picture enlarged.
        const QImage enlarged =
            square(":/blocks/blocks00.png", 0, 50)
                .scaled(100, 100, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QVERIFY(channelDistance(enlarged, square(strip, 0, 100)) > 40);

        // Both displays cell by cell from the 2x digit strip.
        QImage digits = QImage(":/pictures/digits@2x.png").convertToFormat(QImage::Format_RGB32);
        digits.setDevicePixelRatio(1);
        for (DigitDisplay* display : {window->imgScore(), window->imgLeft()}) {
            QCOMPARE(display->size(), QSize(90, 27));
            QImage shot = display->grab().toImage().convertToFormat(QImage::Format_RGB32);
            shot.setDevicePixelRatio(1);
            QCOMPARE(shot.size(), QSize(180, 54));
            for (int i = 0; i < DigitDisplay::kDigits; ++i)
                QCOMPARE(shot.copy(i * 36, 0, 36, 54),
                         digits.copy(display->cell(i) * 36, 0, 36, 54));
        }
    }

    void symbolsOnBlocksSwapTheStripAndAreRemembered() {
        Harness h;
        auto window = h.showWindow(QSize(900, 650));
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QAction* action = window->symbols()->action();
        QVERIFY(!action->isChecked());
        QVERIFY(window->mnuHelp()->actions().contains(action));
        QCOMPARE(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_B));
        const int left = window->game().blocksLeft();
        const int64_t score = window->game().score();
        QTest::keyClick(window.get(), Qt::Key_B, Qt::ControlModifier);
        QVERIFY(action->isChecked());
        QCOMPARE(h.store.read("Extras", "Symbols", "none"), QStringLiteral("-1"));
        const QString symbols = QStringLiteral(":/blocks/symbols00@2x.png");
        for (const QPoint cell : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1)}) {
            const QImage shown = shownCell(window->picBoard(), cell);
            QCOMPARE(channelDistance(shown, square(symbols, typeAt(*window, cell), 100)), 0);
            QVERIFY(channelDistance(shown, square(":/blocks/blocks00@2x.png", typeAt(*window, cell),
                                                  100)) > 40);
        }
        // The game goes on as it was.
        QCOMPARE(window->game().blocksLeft(), left);
        QCOMPARE(window->game().score(), score);

        // A new window starts with the stored choice; switching off stores "0".
        window.reset();
        auto again = h.showWindow(QSize(900, 650));
        QVERIFY(again->symbols()->enabled());
        QCOMPARE(again->picBlocks().devicePixelRatio(), 2.0);
        QCOMPARE(again->picBlocks().convertToFormat(QImage::Format_RGB32),
                 QImage(symbols).convertToFormat(QImage::Format_RGB32));
        again->symbols()->action()->trigger();
        QCOMPARE(h.store.read("Extras", "Symbols", "none"), QStringLiteral("0"));
        QCOMPARE(again->picBlocks().convertToFormat(QImage::Format_RGB32),
                 QImage(":/blocks/blocks00@2x.png").convertToFormat(QImage::Format_RGB32));
    }

    void checkedBoxShowsATick() {
        Harness h;
        auto window = h.showWindow(QSize(900, 650)); // loads the settings the dialog shows
        frmOpt dialog(h.state);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCheckBox* box = dialog.chkSound();
        // The indicator's middle: with a tick it holds the tick's dark blue,
        // without one only the box's light blue or black.
        auto darkPixels = [&](bool checked) {
            box->setChecked(checked);
            const QImage shot = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
            const int r = static_cast<int>(shot.devicePixelRatio());
            int dark = 0;
            for (int y = 0; y < shot.height(); ++y)
                for (int x = 0; x < 13 * r; ++x) {
                    const QColor c = shot.pixelColor(x, y);
                    dark += c.blue() < 90 && c.blue() > 30 && c.red() < 40;
                }
            return dark;
        };
        QCOMPARE(darkPixels(false), 0);
        QVERIFY(darkPixels(true) >= 6);
    }
};

QTEST_MAIN(tst_HighResolution)
#include "tst_HighResolution.moc"
