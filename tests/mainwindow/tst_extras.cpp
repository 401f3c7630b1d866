// The extras through the real main window, from their menu entries or keys.

#include "MainWindowHarness.h"
#include "game/Game.h"
#include "ui/dialogs/frmHighscore.h"
#include "ui/main/BoardExtras.h"
#include "ui/main/EndBanner.h"
#include "ui/main/GroupOutline.h"
#include "ui/main/GroupPreview.h"
#include "ui/main/KeyboardCursor.h"
#include "ui/main/SolverAssist.h"

#include <QtTest>
#include <QtWidgets>

using namespace tavro;
using namespace tavro::test;

namespace {

// The outline shows exactly the group.
void verifyOutline(const GroupOutline* outline, const std::set<std::pair<int, int>>& group) {
    QCOMPARE(outline->cells().size(), group.size());
    for (const QPoint& p : outline->cells())
        QVERIFY(group.count({p.x(), p.y()}));
}

} // namespace

class tst_extras : public QObject {
    Q_OBJECT

private slots:
    void init() { wipeStore(); }

    // Untouched, nothing shows and nothing is stored; switched on, the group
    // under the pointer is outlined and the notice names its points.
    void groupPreviewOnlyWhenSwitchedOn() {
        Harness h;
        auto window = h.showActive();
        BoardExtras* extras = window->extras();
        const GroupOutline* outline = extras->preview()->outline();
        const QString notice = window->lblCopyright()->text();
        const QImage board = window->picBoard()->image().convertToFormat(QImage::Format_RGB32);
        const auto screen = [&] {
            const QImage grabbed = window->picBoard()->grab().toImage();
            return grabbed.copy(2, 2, grabbed.width() - 4, grabbed.height() - 4)
                .convertToFormat(QImage::Format_RGB32);
        };
        const QPoint cell = cellWithGroup(window->game().board(), 2).value();
        QTest::mouseMove(window->picBoard(), cellPoint(cell));
        QVERIFY(!outline->isVisible() && !extras->cursor()->isVisible());
        QVERIFY(!extras->banner()->isVisible() && !window->picBoard()->hasMouseTracking());
        QCOMPARE(screen(), board);
        QCOMPARE(window->lblCopyright()->text(), notice);
        QVERIFY(!readFile(h.store.fileName()).contains("Extras"));
        // The extras sit below separators of the help menu, with their shortcuts.
        QStringList entries;
        for (const QAction* action : window->mnuHelp()->actions())
            entries << (action->isSeparator() ? "-" : action->shortcut().toString());
        QCOMPARE(entries, (QStringList{"", "-", "", "", "-", "Ctrl+B", "-", "H", "V", "-", "Ctrl+Z",
                                       "Ctrl+Shift+Z", "Ctrl+R", "Ctrl+G", ""}));

        extras->mnuPreview()->trigger();
        QCOMPARE(h.store.read("Extras", "GroupPreview", ""), QStringLiteral("-1"));
        QTest::mouseMove(window->picBoard(), cellPoint(cell) + QPoint(1, 1));
        QVERIFY(outline->isVisible());
        const auto group = groupAt(window->game().board(), cell);
        verifyOutline(outline, group);
        const int k = int(group.size());
        QCOMPARE(window->lblCopyright()->text(),
                 QStringLiteral("%1 blocks: %2 points").arg(k).arg(k * k + 1));
        QCOMPARE(window->picBoard()->image().convertToFormat(QImage::Format_RGB32), board);
        QVERIFY(screen() != board);
        // A lone block shows nothing and gives the notice back.
        if (const auto lone = cellWithGroup(window->game().board(), 0)) {
            QTest::mouseMove(window->picBoard(), cellPoint(*lone));
            QVERIFY(!outline->isVisible());
            QCOMPARE(window->lblCopyright()->text(), notice);
            QCOMPARE(screen(), board);
        }
        QTest::mouseMove(window->picBoard(), cellPoint(cell));
        extras->mnuPreview()->trigger();
        QVERIFY(!outline->isVisible() && !window->picBoard()->hasMouseTracking());
        QCOMPARE(h.store.read("Extras", "GroupPreview", ""), QStringLiteral("0"));
    }

    // Cursor keys, Space and Return as clicks, undo, redo and restart; keys in
    // another window reach nothing.
    void keyboardPlayUndoRedoAndRestart() {
        Harness h;
        auto window = h.showActive();
        KeyboardCursor* cursor = window->extras()->cursor();
        const Board& board = window->game().board();
        const int right = board.cols() - 1, bottom = board.rows() - 1;
        const std::pair<Qt::Key, QPoint> steps[] = {
            {Qt::Key_Up, {0, bottom}},          {Qt::Key_Up, {0, bottom - 1}},
            {Qt::Key_End, {right, bottom - 1}}, {Qt::Key_Right, {right, bottom - 1}},
            {Qt::Key_Down, {right, bottom}},    {Qt::Key_Home, {0, bottom}}};
        for (const auto& [key, cell] : steps) {
            QTest::keyClick(window.get(), key);
            QVERIFY(cursor->isVisible());
            QCOMPARE(cursor->cell(), cell);
        }
        const auto playAt = [&](QPoint target, Qt::Key play) {
            for (QPoint at = cursor->cell(); at != target; at = cursor->cell())
                QTest::keyClick(window.get(),
                                at.y() != target.y()
                                    ? (at.y() < target.y() ? Qt::Key_Down : Qt::Key_Up)
                                    : (at.x() < target.x() ? Qt::Key_Right : Qt::Key_Left));
            QTest::keyClick(window.get(), play);
            QTRY_VERIFY(!window->isMoving());
        };
        const QImage start = window->picBoard()->image();
        const QList<int> startDigits = cells(window->imgScore()) + cells(window->imgLeft());
        const uint32_t number = window->game().gameNumber();
        const QPoint cell = cellWithGroup(board, 2).value();
        const int k = int(groupAt(board, cell).size()), left = window->game().blocksLeft();
        playAt(cell, Qt::Key_Space);
        QCOMPARE(window->game().blocksLeft(), left - k);
        QCOMPARE(window->game().score(), int64_t(k) * k + 1);
        QVERIFY(window->extras()->mnuUndo()->isEnabled());
        const QImage after = window->picBoard()->image();
        const QList<int> afterDigits = cells(window->imgScore()) + cells(window->imgLeft());
        if (const auto lone = cellWithGroup(board, 0))
            playAt(*lone, Qt::Key_Return);
        QCOMPARE(window->picBoard()->image(), after);

        QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(window->picBoard()->image(), start);
        QCOMPARE(cells(window->imgScore()) + cells(window->imgLeft()), startDigits);
        QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(cells(window->imgScore()) + cells(window->imgLeft()), afterDigits);
        QTest::keyClick(window.get(), Qt::Key_Z,
                        Qt::ControlModifier | Qt::ShiftModifier); // nothing left to redo
        QCOMPARE(window->picBoard()->image(), after);
        QTest::mousePress(window->picBoard(), Qt::LeftButton, {}, QPoint(-5, -5));
        QVERIFY(!cursor->isVisible());
        QDialog other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTest::keyClick(&other, Qt::Key_Up);
        QTest::keyClick(&other, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!cursor->isVisible());
        QCOMPARE(window->picBoard()->image(), after);
        window->extras()->mnuRestart()->trigger();
        QCOMPARE(window->picBoard()->image(), start);
        QCOMPARE(window->game().gameNumber(), number);
        QVERIFY(window->game().historyUsed());
        window->cmdBut_Click(0);
        QVERIFY(!window->game().historyUsed());
    }

    // The end banner with the high-score table, taken back by undo; it fits
    // in every language.
    void endOfTheGame() {
        Harness h;
        auto window = h.showActive();
        EndBanner* banner = window->extras()->banner();
        bool shownWithTable = false;
        window->inHighscore = [&] {
            QCoreApplication::processEvents();
            shownWithTable = banner->isVisible() && window->game().gameFinished();
        };
        window->game().loadBoard(3, 1, {2, 2, 1});
        clickAndWait(*window, QPoint(0, 0));
        QVERIFY(shownWithTable);
        QCOMPARE(banner->lines(),
                 (QStringList{"No more moves", "Final score: 5", "F2 starts a new game"}));
        window->extras()->undo();
        QVERIFY(!banner->isVisible());
        window->game().loadBoard(2, 1, {1, 1});
        clickAndWait(*window, QPoint(1, 0));
        // 5 points, times 1.5 with 7.5 going to 8.
        QCOMPARE(banner->lines().mid(0, 2),
                 (QStringList{"Board cleared! +3 bonus", "Final score: 8"}));
        QCOMPARE(cells(window->imgScore()) + cells(window->imgLeft()),
                 (QList<int>{0, 0, 0, 0, 8, 0, 0, 0, 0, 0}));
        clickAndWait(*window, QPoint(0, 0));
        QCOMPARE(window->opened, (QStringList{"highscore", "highscore"}));
        window->cmdBut_Click(0);
        QCoreApplication::processEvents();
        QVERIFY(!banner->isVisible());

        window->resize(750, 500);
        for (int16_t language : {0, 1, 2, 3, 6}) {
            h.state.settings.LanguageId = language;
            const QStringList lines = EndBanner::texts(h.state.language, 99999, true, 33333);
            QCOMPARE(lines.size(), 3);
            for (const QString& line : lines)
                QVERIFY2(!line.isEmpty() && !line.contains('%'), qPrintable(line));
            banner->showOver(window->picBoard()->geometry(), lines);
            QVERIFY(window->rect().contains(banner->geometry()));
            QVERIFY(banner->sizeFor(lines).width() <= banner->width());
        }
    }

    // H outlines a removable group until the next click, never on a newer
    // board; V is kept and the high-score dialog shows the best score found.
    void hintAndVerdict() {
        Harness h;
        auto window = h.showActive();
        auto* outline = window->findChild<GroupOutline*>(QStringLiteral("hintOutline"));
        const QImage board = window->picBoard()->image();
        QTest::keyClick(window.get(), Qt::Key_H);
        QTRY_VERIFY_WITH_TIMEOUT(!outline->cells().empty(), 30000);
        QVERIFY(outline->isVisible());
        const auto group = groupAt(window->game().board(), outline->cells().front());
        QVERIFY(int(group.size()) >= 2);
        verifyOutline(outline, group);
        QCOMPARE(window->picBoard()->image(), board);
        QTest::mouseClick(window->picBoard(), Qt::LeftButton, {}, QPoint(0, 0));
        QVERIFY(outline->cells().empty());
        QTRY_VERIFY(!window->isMoving()); // even a click off the blocks is a move
        QTest::keyClick(window.get(), Qt::Key_H);
        window->startGame(std::nullopt); // before the search can answer
        QTest::qWait(1500);
        QVERIFY(outline->cells().empty());
        QTest::keyClick(window.get(), Qt::Key_V);
        QCOMPARE(h.store.read("Extras", "Verdict", {}), QStringLiteral("1"));

        // A window made later starts with the choice.
        h.storeSettings(QStringLiteral("Cols=5 Rows=4 BlockTypes=3"));
        window = h.showActive();
        auto* assist = window->findChild<SolverAssist*>();
        QVERIFY(window->findChild<QAction*>(QStringLiteral("mnuVerdict"))->isChecked());
        QTRY_VERIFY_WITH_TIMEOUT(assist->verdict().has_value(), 30000);
        const int64_t best = *assist->verdict();
        QString shown;
        window->inHighscore = [&] {
            frmHighscore dialog(h.state, window->game(), window.get());
            assist->addVerdictTo(dialog, h.state.language);
            auto* label = dialog.findChild<QLabel*>(QStringLiteral("lblVerdict"));
            shown = label ? label->text() : QStringLiteral("no line");
        };
        while (!window->game().isGameOver())
            clickAndWait(*window);
        QTRY_VERIFY(!shown.isEmpty());
        QCOMPARE(shown, QString::number(std::max(best, window->game().score())));
    }
};

QTEST_MAIN(tst_extras)
#include "tst_extras.moc"
