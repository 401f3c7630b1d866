// The window at 200 % (QT_SCALE_FACTOR=2): pictures from the 2x renditions,
// the layout in logical pixels; "Symbols on blocks" swaps the strip.

#include "MainWindowHarness.h"
#include "game/Game.h"
#include "ui/dialogs/frmOpt.h"
#include "ui/main/SymbolsExtra.h"

#include <QtWidgets>

using namespace tavro;
using namespace tavro::test;

namespace {

// A widget as the screen shows it, in device pixels.
QImage shot(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Square `index` of a strip file of `side` pixels high.
QImage square(const QString& strip, int index, QSize side) {
    return QImage(strip)
        .convertToFormat(QImage::Format_RGB32)
        .copy(QRect(QPoint(index * side.width(), 0), side));
}

// The first blocks of the board show their squares of `strip`.
void verifyCells(const TestWindow& window, const QString& strip) {
    const QImage screen = shot(window.picBoard());
    for (int i = 0; i < 8; ++i) {
        const BlockRec& b = window.game().board().block(i);
        QCOMPARE(
            screen.copy(QRect((QPoint(b.col, b.row) * 50 + QPoint(2, 2)) * 2, QSize(100, 100))),
            square(strip, b.type, QSize(100, 100)));
    }
}

} // namespace

class tst_HighResolution : public QObject {
    Q_OBJECT

private slots:
    void picturesAtDoubleSize() {
        Harness h;
        auto window = h.showActive();
        QCOMPARE(window->devicePixelRatioF(), 2.0);
        QCOMPARE(window->picBoard()->size(), QSize(12 * 50 + 4, 7 * 50 + 4));
        verifyCells(*window, ":/blocks/blocks00@2x.png");
        for (DigitDisplay* display : {window->imgScore(), window->imgLeft()}) {
            QCOMPARE(display->size(), QSize(90, 27));
            const QImage digits = shot(display);
            for (int i = 0; i < DigitDisplay::kDigits; ++i)
                QCOMPARE(digits.copy(i * 36, 0, 36, 54),
                         square(":/pictures/digits@2x.png", display->cell(i), QSize(36, 54)));
        }

        // Ctrl+B swaps the strip, not the game, and is remembered.
        const int left = window->game().blocksLeft();
        QTest::keyClick(window.get(), Qt::Key_B, Qt::ControlModifier);
        QVERIFY(window->symbols()->action()->isChecked());
        QCOMPARE(h.store.read("Extras", "Symbols", "none"), QStringLiteral("-1"));
        verifyCells(*window, ":/blocks/symbols00@2x.png");
        QCOMPARE(window->game().blocksLeft(), left);
        QCOMPARE(window->game().score(), 0);
        window.reset();
        auto again = h.showWindow();
        QVERIFY(again->symbols()->enabled());
        verifyCells(*again, ":/blocks/symbols00@2x.png");
        again->symbols()->action()->trigger();
        QCOMPARE(h.store.read("Extras", "Symbols", "none"), QStringLiteral("0"));
        verifyCells(*again, ":/blocks/blocks00@2x.png");

        // The middle of a check box holds the tick's dark blue only when checked.
        frmOpt dialog(h.state);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const auto darkPixels = [&](bool checked) {
            dialog.chkSound()->setChecked(checked);
            const QImage box = shot(dialog.chkSound());
            int dark = 0;
            for (int y = 0; y < box.height(); ++y)
                for (int x = 0; x < 26; ++x) {
                    const QColor c = box.pixelColor(x, y);
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
