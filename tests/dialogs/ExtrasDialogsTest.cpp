// The extras in the dialogs: the high-score dialog's game number, its line for
// a helped game and the score in the name box; the pickers' marks and set
// names; the game-number window.

#include "DialogTestSupport.h"
#include "ui/dialogs/ClickableImage.h"
#include "ui/dialogs/frmBlocks.h"
#include "ui/dialogs/frmBoard.h"
#include "ui/dialogs/frmGameNumber.h"
#include "ui/dialogs/frmHighscore.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <set>

using namespace tavro;
using namespace tavro::test;

class ExtrasDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void highScoreDialogShowsNumberAndScore() {
        Fixture f;
        f.prompt.textAnswers = {QStringLiteral("Ann")};
        frmHighscore dlg(f.state, CurrentGame{4321, 3, 84, true}, nullptr, nullptr,
                         CurrentGameExtras{987654321u, false});
        dlg.show();
        QCOMPARE(dlg.lblGameNumber()->text(), QStringLiteral("987654321"));
        QVERIFY(dlg.lblGameNumber()->isVisible() && !dlg.lblNoEntry()->isVisible());
        QCOMPARE(f.prompt.textPrompts.size(), 1);
        QVERIFY(f.prompt.textPrompts[0].endsWith(QStringLiteral("Your score: 4321 points")));
        QCOMPARE(dlg.table().entry(1).name, QStringLiteral("Ann"));
    }

    void helpedGameAsksNoName() {
        Fixture f;
        // As the window passes it: finished but helped by undo or restart.
        frmHighscore dlg(f.state, CurrentGame{500, 0, 84, false}, nullptr, nullptr,
                         CurrentGameExtras{1u, true});
        dlg.show();
        QVERIFY(f.prompt.textPresets.isEmpty());
        QVERIFY(!dlg.table().entry(1).filled);
        QVERIFY(dlg.lblNoEntry()->isVisible());
        QVERIFY(dlg.lblNoEntry()->text().contains(QStringLiteral("no name")));
        QVERIFY(f.sound.played.empty());
    }

    void pickersMarkTheCurrentChoiceAndNameTheSets() {
        Fixture f;
        f.state.settings.Blocks = 13;
        f.state.settings.Board = 4;
        frmBlocks blocks(f.state);
        frmBoard board(f.state);
        blocks.show();
        board.show();
        for (int i = 0; i < frmBlocks::kSets; ++i)
            QCOMPARE(blocks.imgBlocks(i)->isCurrent(), i == 13);
        for (int i = 0; i < 9; ++i)
            QCOMPARE(board.imgBrett(i)->isCurrent(), i == 4);
        // The one under the pointer is lit, and looks different.
        ClickableImage* picture = board.imgBrett(2);
        const QImage plain = picture->grab().toImage();
        QTest::mouseMove(picture, QPoint(20, 20));
        QEnterEvent enterEvent(QPointF(20, 20), QPointF(20, 20), QPointF(20, 20));
        QCoreApplication::sendEvent(picture, &enterEvent);
        QVERIFY(picture->isLit());
        QVERIFY(picture->grab().toImage() != plain);
        // Tooltips name the sets in every language, each name different.
        QCOMPARE(blocks.imgBlocks(2)->toolTip(), QStringLiteral("Gems"));
        QCOMPARE(blocks.imgBlocks(13)->toolTip(), QStringLiteral("Dice"));
        for (int16_t language : {0, 1, 2, 3, 6}) {
            f.state.settings.LanguageId = language;
            blocks.Sprache();
            std::set<QString> names;
            for (int i = 0; i < frmBlocks::kSets; ++i)
                names.insert(blocks.imgBlocks(i)->toolTip());
            QVERIFY2(names.size() == frmBlocks::kSets && !names.count(QString()),
                     qPrintable(QString::number(language)));
        }
    }

    void gameNumberWindowCopiesAndPlays() {
        Fixture f;
        frmGameNumber dlg(f.state, 4294967295u);
        dlg.show();
        QCOMPARE(dlg.txtCurrent()->text(), QStringLiteral("4294967295"));
        QTest::mouseClick(dlg.cmdCopy(), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("4294967295"));
        QVERIFY(!dlg.cmdPlay()->isEnabled());
        QTest::keyClicks(dlg.txtNumber(), QStringLiteral("4294967296"));
        QVERIFY(!dlg.cmdPlay()->isEnabled()); // beyond 32 bits
        dlg.txtNumber()->clear();
        QTest::keyClicks(dlg.txtNumber(), QStringLiteral("12a34"));
        QCOMPARE(dlg.txtNumber()->text(), QStringLiteral("1234"));
        QTest::keyClick(dlg.txtNumber(), Qt::Key_Return);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.chosenNumber(), std::optional<uint32_t>(1234));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Game number"));
    }
};

QTEST_MAIN(ExtrasDialogsTest)
#include "ExtrasDialogsTest.moc"
