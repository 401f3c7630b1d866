// Hint and verdict in the main window: the outline marks a removable group
// over an unchanged board and goes at the next click; a search that a new
// board overtakes shows nothing; the verdict switch is kept and the
// high-score dialog of a finished game shows the best score found.

#include "MainWindowHarness.h"
#include "game/Game.h"
#include "solver/GamePosition.h"
#include "ui/dialogs/frmHighscore.h"
#include "ui/main/BoardSurface.h"
#include "ui/main/GroupOutline.h"
#include "ui/main/SolverAssist.h"

#include <QAction>
#include <QLabel>
#include <QtTest>
#include <algorithm>

using namespace tavro;
using namespace tavro::test;

namespace {

std::vector<std::pair<int, int>> sorted(const std::vector<QPoint>& cells) {
    std::vector<std::pair<int, int>> out;
    for (const QPoint& p : cells)
        out.emplace_back(p.x(), p.y());
    std::sort(out.begin(), out.end());
    return out;
}

// Clicks the largest group, each move to its end, until the game ends.
void playToTheEnd(frmTavro& window) {
    while (!window.game().isGameOver()) {
        const solver::Position p = solver::positionOf(window.game().board());
        std::vector<solver::Move> best;
        for (int col = 0; col < p.shape.cols; ++col)
            for (int row = 0; row < p.shape.rows; ++row) {
                const auto group = solver::groupAt(p, {int16_t(col), int16_t(row)});
                if (group.size() > best.size())
                    best = group;
            }
        const QPoint at(best.front().col * 50 + 25 + BoardSurface::kBorder,
                        best.front().row * 50 + 25 + BoardSurface::kBorder);
        QTest::mouseClick(window.picBoard(), Qt::LeftButton, {}, at);
        if (!QTest::qWaitFor([&] { return !window.isMoving(); }, 10000))
            return;
    }
}

} // namespace

class tst_SolverAssist : public QObject {
    Q_OBJECT

private slots:
    void init() { wipeStore(); }

    void hintOutlinesAGroupUntilTheNextClick() {
        Harness h;
        auto window = h.showWindow(QSize(900, 650));
        auto* hint = window->findChild<QAction*>(QStringLiteral("mnuHint"));
        auto* outline = window->findChild<GroupOutline*>(QStringLiteral("hintOutline"));
        QVERIFY(hint && outline);
        QCOMPARE(hint->shortcut(), QKeySequence(Qt::Key_H));
        const QImage board = window->picBoard()->image();
        hint->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!outline->cells().empty(), 30000);
        QVERIFY(outline->isVisible());
        // The outline is exactly one removable group of the board.
        const solver::Position p = solver::positionOf(window->game().board());
        const QPoint first = outline->cells().front();
        const auto group = solver::groupAt(p, {int16_t(first.x()), int16_t(first.y())});
        QVERIFY(int(group.size()) >= window->game().board().blocksToClick());
        std::vector<QPoint> groupCells;
        for (const solver::Move& m : group)
            groupCells.emplace_back(m.col, m.row);
        QCOMPARE(sorted(outline->cells()), sorted(groupCells));
        // Drawn over the board: the board's own cells are untouched.
        QCOMPARE(window->picBoard()->image(), board);
        // The next click, even one off the board, takes it away.
        QTest::mouseClick(window->picBoard(), Qt::LeftButton, {}, QPoint(0, 0));
        QVERIFY(outline->cells().empty());

        // A hint overtaken by a new board shows nothing on the new one.
        hint->trigger();
        window->cmdBut_Click(0);
        QTest::qWait(2500);
        QVERIFY(outline->cells().empty());
    }

    void verdictSwitchIsKeptAndShownAtTheEnd() {
        Harness h;
        h.storeSettings(QStringLiteral("Cols=5 Rows=4 BlockTypes=3"));
        auto window = h.showWindow(QSize(900, 650));
        auto* verdict = window->findChild<QAction*>(QStringLiteral("mnuVerdict"));
        auto* assist = window->findChild<SolverAssist*>();
        QVERIFY(verdict && assist);
        QVERIFY(!verdict->isChecked() && !assist->verdictEnabled());
        verdict->trigger();
        QVERIFY(assist->verdictEnabled());
        QCOMPARE(h.store.read("Extras", "Verdict", {}), QStringLiteral("1"));
        QTRY_VERIFY_WITH_TIMEOUT(assist->verdict().has_value(), 30000);
        const int64_t best = *assist->verdict();

        QString shown;
        window->inHighscore = [&] {
            frmHighscore dialog(h.state, window->game(), window.get());
            assist->addVerdictTo(dialog, h.state.language);
            auto* label = dialog.findChild<QLabel*>(QStringLiteral("lblVerdict"));
            shown = label ? label->text() : QStringLiteral("no line");
        };
        playToTheEnd(*window);
        QTRY_VERIFY(!shown.isEmpty());
        QCOMPARE(shown, QString::number(std::max(best, window->game().score())));
        QVERIFY(best >= 0);

        // A window made later starts with the stored choice.
        auto again = h.showWindow(QSize(900, 650));
        QVERIFY(again->findChild<QAction*>(QStringLiteral("mnuVerdict"))->isChecked());
        QVERIFY(again->findChild<SolverAssist*>()->verdictEnabled());
    }
};

QTEST_MAIN(tst_SolverAssist)
#include "tst_SolverAssist.moc"
