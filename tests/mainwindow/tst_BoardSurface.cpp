// The board surface: what each cell shows, and that a refresh repaints exactly
// the cells that changed.

#include "ui/main/BoardSurface.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTest>

using namespace tavro;

namespace {

constexpr int kCell = 4;

// Strip squares in plain colours; the empty board is a gradient, so a cell
// copied from elsewhere is told apart from one shown in place.
QRgb gradientAt(int x, int y) {
    return qRgb(x * 10 % 256, y * 10 % 256, 0);
}

QImage colourStrip() {
    QImage strip(3 * kCell, kCell, QImage::Format_RGB32);
    for (int type = 0; type < 3; ++type)
        QPainter(&strip).fillRect(type * kCell, 0, kCell, kCell,
                                  QColor(type == 0 ? 255 : 0, type == 1 ? 255 : 0, 200));
    return strip;
}

void gradient(QPainter& painter, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            painter.fillRect(x, y, 1, 1, QColor(gradientAt(x, y)));
}

// Records the region of every paint event the surface receives.
class PaintRecorder : public QObject {
public:
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

} // namespace

class tst_BoardSurface : public QObject {
    Q_OBJECT
private slots:
    void cellsShowBlocksAndTheEmptyBoard() {
        BoardSurface surface;
        surface.reset(QSize(3, 2), kCell, colourStrip(), gradient);
        QCOMPARE(surface.size(), QSize(3 * kCell + 4, 2 * kCell + 4));
        QCOMPARE(surface.image(), surface.emptyBoardImage());

        surface.showBlock({1, 0}, 2);
        surface.showEmpty({2, 1}, {0, 0}); // a copy of the top-left empty cell
        surface.showBlock({3, 0}, 1);      // outside the grid: ignored
        surface.showEmpty({-1, 5}, {0, 0});
        const QImage image = surface.image();
        QCOMPARE(image.pixel(kCell + 1, 1), qRgb(0, 0, 200));
        QCOMPARE(image.pixel(2 * kCell + 3, kCell + 2), gradientAt(3, 2));
        QCOMPARE(image.pixel(2 * kCell + 3, 1), gradientAt(2 * kCell + 3, 1));
        QCOMPARE(image.pixel(0, kCell), gradientAt(0, kCell));

        // Back in place, the cell shows the empty board under it again.
        surface.showEmpty({1, 0}, {1, 0});
        surface.showEmpty({2, 1}, {2, 1});
        QCOMPARE(surface.image(), surface.emptyBoardImage());
    }

    void refreshRepaintsOnlyChangedCells() {
        BoardSurface surface;
        surface.reset(QSize(6, 4), kCell, colourStrip(), gradient);
        surface.show();
        QVERIFY(QTest::qWaitForWindowExposed(&surface));
        PaintRecorder recorder;
        surface.installEventFilter(&recorder);

        const auto cellOnWidget = [](int col, int row) {
            return QRect(2 + col * kCell, 2 + row * kCell, kCell, kCell);
        };
        surface.showBlock({1, 1}, 0);
        surface.showBlock({2, 1}, 1);
        surface.showEmpty({5, 3}, {0, 0});
        surface.showBlock({1, 1}, 2); // twice in one refresh
        QTest::qWait(20);
        QVERIFY(recorder.painted.isEmpty()); // nothing before the refresh
        surface.refresh();
        QTRY_VERIFY(!recorder.painted.isEmpty());
        QCOMPARE(recorder.painted,
                 QRegion(cellOnWidget(1, 1) | cellOnWidget(2, 1)) + cellOnWidget(5, 3));

        // What the screen shows is the surface's image.
        const QImage shown = surface.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.copy(2, 2, 6 * kCell, 4 * kCell), surface.image());

        recorder.painted = QRegion();
        surface.refresh(); // nothing changed since
        QTest::qWait(20);
        QVERIFY(recorder.painted.isEmpty());
    }
};

QTEST_MAIN(tst_BoardSurface)
#include "tst_BoardSurface.moc"
