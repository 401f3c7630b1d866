// The block-set and background pickers, clicked with the mouse.

#include "DialogTestSupport.h"
#include "ui/dialogs/ClickableImage.h"
#include "ui/dialogs/frmBlocks.h"
#include "ui/dialogs/frmBoard.h"

#include <QtTest>

using namespace tavro;
using namespace tavro::test;

namespace {

void clickPicture(ClickableImage* picture) {
    QTest::mouseClick(picture, Qt::LeftButton, {}, picture->rect().center());
}

QPoint topLeftIn(QWidget* widget, QWidget* dialog) {
    return widget->mapTo(dialog, QPoint(0, 0));
}

} // namespace

class PickersTest : public QObject {
    Q_OBJECT
private slots:
    void blockSetIsStoredAndAlwaysLeadsToANewGame() {
        Fixture f;
        for (int index : {13, 0}) {
            frmBlocks dlg(f.state);
            dlg.show();
            clickPicture(dlg.imgBlocks(index));
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
            QVERIFY(!dlg.isVisible());
            QCOMPARE(dlg.chosenIndex(), std::optional<int>(index));
            QCOMPARE(f.state.settings.Blocks, index);
            QCOMPARE(f.store.read("Settings", "Blocks", "unset"), QString::number(index));
        }
        QVERIFY(frmBlocks::newGameNeeded());
        QCOMPARE(f.sound.played, (std::vector<int>{107, 107}));
    }

    void backgroundIsStoredAndNewGameOnlyWhenItChanged() {
        Fixture f;
        f.state.settings.Board = 1;
        {
            frmBoard dlg(f.state);
            dlg.show();
            clickPicture(dlg.imgBrett(0));
            QCOMPARE(f.state.settings.Board, 0);
            QCOMPARE(f.store.read("Settings", "Board", "unset"), QStringLiteral("0"));
            QVERIFY(dlg.pictureChanged());
            QVERIFY(dlg.newGameNeeded());
        }
        frmBoard same(f.state);
        same.show();
        clickPicture(same.imgBrett(0));
        QVERIFY(same.choiceMade());
        QVERIFY(!same.pictureChanged());
        QVERIFY(!same.newGameNeeded());
        QCOMPARE(f.sound.played, (std::vector<int>{102, 102}));
    }

    void soundOffPlaysNothing() {
        Fixture f;
        f.state.settings.Sound = 0;
        frmBlocks blocks(f.state);
        blocks.show();
        clickPicture(blocks.imgBlocks(3));
        frmBoard board(f.state);
        board.show();
        clickPicture(board.imgBrett(8));
        QVERIFY(f.sound.played.empty());
        QCOMPARE(f.state.settings.Board, 8);
    }

    void closingWithoutAChoiceChangesNothing() {
        Fixture f;
        f.state.settings.Blocks = 4;
        f.state.settings.Board = 6;
        frmBlocks blocks(f.state);
        blocks.show();
        blocks.close();
        frmBoard board(f.state);
        board.show();
        QTest::keyClick(&board, Qt::Key_Escape);
        QVERIFY(!board.isVisible());
        QVERIFY(!blocks.choiceMade());
        QVERIFY(!board.choiceMade());
        QVERIFY(!board.pictureChanged());
        QCOMPARE(f.state.settings.Blocks, 4);
        QCOMPARE(f.state.settings.Board, 6);
        QCOMPARE(f.store.read("Settings", "Blocks", "unset"), QStringLiteral("unset"));
        QCOMPARE(f.store.read("Settings", "Board", "unset"), QStringLiteral("unset"));
        QVERIFY(f.sound.played.empty());
    }

    void blockSetsStandInTwoColumnsOfSeven() {
        Fixture f;
        frmBlocks dlg(f.state);
        dlg.show();
        auto pos = [&](int i) { return topLeftIn(dlg.imgBlocks(i), &dlg); };
        const QList<int> left = {0, 1, 2, 3, 4, 5, 12};
        const QList<int> right = {6, 7, 8, 9, 10, 11, 13};
        for (int row = 0; row < 7; ++row) {
            QCOMPARE(pos(left[row]).x(), pos(0).x());
            QCOMPARE(pos(right[row]).x(), pos(6).x());
            QCOMPARE(pos(right[row]).y(), pos(left[row]).y());
            if (row > 0)
                QVERIFY(pos(left[row]).y() > pos(left[row - 1]).y());
        }
        QVERIFY(pos(6).x() >= pos(0).x() + 350);
        QCOMPARE(dlg.imgBlocks(0)->size(), QSize(350, 50));
        QCOMPARE(dlg.imgBlocks(13)->size(), QSize(300, 50));
        // The strip the main window takes: 50 x 50 blocks side by side.
        QCOMPARE(frmBlocks::blockStrip(0).size(), QSize(350, 50));
        QCOMPARE(frmBlocks::blockStrip(13).size(), QSize(300, 50));
        QVERIFY(frmBlocks::blockStrip(14).isNull());
        QVERIFY(frmBlocks::blockStrip(-1).isNull());
        QCOMPARE(dlg.windowTitle(), f.state.language.GetLang(112));
    }

    void thumbnailsRunDownThreeColumns() {
        Fixture f;
        frmBoard dlg(f.state);
        dlg.show();
        auto pos = [&](int i) { return topLeftIn(dlg.imgBrett(i), &dlg); };
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(pos(i).x(), pos(3 * (i / 3)).x());
            QCOMPARE(pos(i).y(), pos(i % 3).y());
        }
        QVERIFY(pos(1).y() > pos(0).y());
        QVERIFY(pos(3).x() > pos(0).x() + 200);
        QCOMPARE(frmBoard::thumbnailPath(0), QStringLiteral(":/thumbs/101.jpg"));
        QCOMPARE(frmBoard::thumbnailPath(8), QStringLiteral(":/thumbs/109.jpg"));
        QCOMPARE(dlg.windowTitle(), f.state.language.GetLang(113));
    }
};

QTEST_MAIN(PickersTest)
#include "PickersTest.moc"
