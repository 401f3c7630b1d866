// The options, picker, game-number and information windows, each driven as a
// player does: open, look, change, OK or cancel, and what the store holds.

#include "DialogTestSupport.h"
#include "ui/dialogs/ClickableImage.h"
#include "ui/dialogs/Palette16.h"
#include "ui/dialogs/frmBlocks.h"
#include "ui/dialogs/frmBoard.h"
#include "ui/dialogs/frmGameNumber.h"
#include "ui/dialogs/frmHighscore.h"
#include "ui/dialogs/frmInfo.h"
#include "ui/dialogs/frmOpt.h"

#include <QtTest>
#include <QtWidgets>

using namespace tavro;
using namespace tavro::test;

namespace {

const QStringList kSevenKeys = {"BlockTypes", "BlocksToClick", "Cols", "Rows",
                                "Background", "BGColor",       "Sound"};

QStringList storedOptions(Fixture& f) {
    QStringList values;
    for (const QString& key : kSevenKeys)
        values << f.store.read("Settings", key, "unset");
    return values;
}

QColor centreColour(QWidget* widget) {
    const QImage image = widget->grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

// Clicks near the left edge: on the indicator of option buttons and check boxes.
void click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(8, widget->height() / 2));
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void optionsDialog() {
        Fixture f;
        GameSettings& s = f.state.settings;
        const auto items = [](QComboBox* list) {
            QStringList texts;
            for (int i = 0; i < list->count(); ++i)
                texts << list->itemText(i);
            return texts.join(',');
        };
        s.MaxCols = 4; // never an empty list
        s.MaxRows = 6;
        QCOMPARE(items(frmOpt(f.state).cboNumCols()) + ' ' + items(frmOpt(f.state).cboNumRows()),
                 QStringLiteral("5 5,6"));
        s.MaxCols = 20;
        s.MaxRows = 15;
        // OK stores all seven keys even without a change.
        frmOpt unchanged(f.state);
        unchanged.show();
        QVERIFY(unchanged.cmdOK()->isDefault() && !unchanged.cmdCancel()->isDefault());
        QCOMPARE(items(unchanged.cboNumCols()), "5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20");
        QTest::mouseClick(unchanged.cmdOK(), Qt::LeftButton);
        QCOMPARE(unchanged.result(), int(QDialog::Accepted));
        const QStringList stored = {"4", "2", "12", "7", "-1", "0", "1"};
        QCOMPARE(storedOptions(f), stored);

        s.BlockTypes = 5;
        s.BlocksToClick = 4;
        s.Background = false;
        s.BGColor = 12;
        s.Sound = false;
        frmOpt dlg(f.state);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QVERIFY(dlg.optNumBlockTypes(2)->isChecked() && dlg.optMinBlocksToClick(2)->isChecked());
        QVERIFY(dlg.optBG(1)->isChecked() && !dlg.chkSound()->isChecked());
        QCOMPARE(centreColour(dlg.lblColor()), QColor(255, 0, 0));
        // The colour arrows wrap below 0 and above 15 and repaint the sample.
        for (int step = 0; step < 4; ++step)
            QTest::mouseClick(dlg.cmdNextColor(), Qt::LeftButton);
        QCOMPARE(s.BGColor, 0);
        QCOMPARE(centreColour(dlg.lblColor()), Palette16::color(0));
        QTest::mouseClick(dlg.cmdPrevColor(), Qt::LeftButton);
        QTest::mouseClick(dlg.cmdPrevColor(), Qt::LeftButton);
        QCOMPARE(s.BGColor, 14);
        QCOMPARE(centreColour(dlg.lblColor()), QColor(255, 255, 0));
        s.BGColor = 1;
        QTest::mouseClick(dlg.cmdPrevColor(), Qt::LeftButton);
        QCOMPARE(s.BGColor, 0);

        // Cancel keeps the immediate changes for the game, not the size; stores nothing.
        dlg.cboNumCols()->setCurrentIndex(dlg.cboNumCols()->findText("15"));
        dlg.cboNumRows()->setCurrentIndex(dlg.cboNumRows()->findText("9"));
        for (QWidget* control : std::initializer_list<QWidget*>{
                 dlg.optNumBlockTypes(3), dlg.optMinBlocksToClick(1), dlg.optBG(0), dlg.chkSound()})
            click(control);
        QTest::mouseClick(dlg.cmdNextColor(), Qt::LeftButton);
        QTest::mouseClick(dlg.cmdCancel(), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(QList<int>({s.Cols, s.Rows, s.BlockTypes, s.BlocksToClick, s.Background, s.Sound,
                             s.BGColor}),
                 QList<int>({12, 7, 6, 3, 1, 1, 1}));
        QCOMPARE(storedOptions(f), stored);

        s.BlockTypes = 9; // no option button for it
        frmOpt reported(f.state);
        QCOMPARE(f.errors.reports, QStringList{"frmOpt/Form_Load"});
    }

    // The lists show the chosen size (0: 12 x 7) or the nearest they offer; OK
    // takes the shown size for the game and stores it, except a chosen size too
    // large that the player left alone. Cases: chosen, picked ("keys": the same
    // by keyboard), OK, then "cols x rows" shown, in the game, stored.
    void optionsBoardSize() {
        const QList<std::tuple<QSize, QString, bool, QStringList>> cases = {
            {{0, 0}, "", false, {"12 x 7", "12 x 7", " x "}}, // zero is the default, even cancelled
            {{12, 7}, "20 x 5", true, {"12 x 7", "20 x 5", "20 x 5"}},
            {{30, 3}, "", true, {"20 x 5", "20 x 5", "30 x 5"}}, // too wide: stays chosen
            {{30, 17}, "keys", true, {"20 x 15", "20 x 15", "20 x 15"}},
            {{30, 17}, "8 x 15", true, {"20 x 15", "8 x 15", "8 x 17"}}}; // rows left alone
        for (const auto& [chosen, picked, ok, expected] : cases) {
            Fixture f;
            f.state.settings.Cols =
                int16_t(std::min(chosen.width(), 20)); // as the layout left them
            f.state.settings.Rows = int16_t(std::min(chosen.height(), 15));
            f.state.chosenBoard = chosen;
            frmOpt dlg(f.state);
            QStringList seen = {dlg.cboNumCols()->currentText() + " x " +
                                dlg.cboNumRows()->currentText()};
            dlg.show();
            for (QComboBox* list : {dlg.cboNumCols(), dlg.cboNumRows()}) {
                if (picked == "keys") {
                    QTest::keyClick(list, Qt::Key_Up);
                    QTest::keyClick(list, Qt::Key_Down);
                } else if (!picked.isEmpty()) {
                    list->setCurrentIndex(
                        list->findText(picked.split(' ')[list == dlg.cboNumCols() ? 0 : 2]));
                }
            }
            QTest::mouseClick(ok ? dlg.cmdOK() : dlg.cmdCancel(), Qt::LeftButton);
            seen << QStringLiteral("%1 x %2").arg(f.state.settings.Cols).arg(f.state.settings.Rows)
                 << f.store.read("Settings", "Cols", "") + " x " +
                        f.store.read("Settings", "Rows", "");
            QCOMPARE(seen, expected);
        }
    }

    // Both pickers: the choice marked, the one under the pointer lit, the layout;
    // closed without a choice nothing changes.
    void pickers() {
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
        ClickableImage* picture = board.imgBrett(2);
        const QImage plain = picture->grab().toImage();
        QTest::mouseMove(picture, QPoint(20, 20));
        QEnterEvent enterEvent(QPointF(20, 20), QPointF(20, 20), QPointF(20, 20));
        QCoreApplication::sendEvent(picture, &enterEvent);
        QVERIFY(picture->isLit() && picture->grab().toImage() != plain);
        // Sets in two columns of seven (0-5 and 12 left, 6-11 and 13 right),
        // backgrounds running down three columns of three.
        const auto set = [&](int i) { return blocks.imgBlocks(i)->mapTo(&blocks, QPoint()); };
        const int left[] = {0, 1, 2, 3, 4, 5, 12}, right[] = {6, 7, 8, 9, 10, 11, 13};
        for (int row = 0; row < 7; ++row) {
            QCOMPARE(set(left[row]).x(), set(0).x());
            QCOMPARE(set(right[row]), QPoint(set(6).x(), set(left[row]).y()));
            QVERIFY(row == 0 || set(left[row]).y() > set(left[row - 1]).y());
        }
        const auto thumb = [&](int i) { return board.imgBrett(i)->mapTo(&board, QPoint()); };
        for (int i = 0; i < 9; ++i)
            QCOMPARE(thumb(i), QPoint(thumb(3 * (i / 3)).x(), thumb(i % 3).y()));
        QVERIFY(set(6).x() > set(0).x() && thumb(1).y() > thumb(0).y() &&
                thumb(3).x() > thumb(0).x());
        QVERIFY(frmBlocks::blockStrip(14).isNull() && frmBlocks::blockStrip(-1).isNull());
        blocks.close();
        QTest::keyClick(&board, Qt::Key_Escape);
        QVERIFY(!board.isVisible() && !blocks.choiceMade() && !board.choiceMade());
        QVERIFY(!board.pictureChanged() && f.sound.played.empty());
        QCOMPARE(f.store.read("Settings", "Blocks", "unset") +
                     f.store.read("Settings", "Board", "unset"),
                 "unsetunset");

        // A click stores and closes, with its sound when the sound is on.
        f.state.settings.Board = 1;
        for (const auto& [index, sound] : {std::pair(0, true), {13, true}, {3, false}}) {
            f.state.settings.Sound = sound;
            frmBlocks dlg(f.state);
            dlg.show();
            click(dlg.imgBlocks(index));
            QVERIFY(dlg.result() == QDialog::Accepted && !dlg.isVisible());
            QVERIFY(dlg.chosenIndex() == index && f.state.settings.Blocks == index);
            QCOMPARE(f.store.read("Settings", "Blocks", "unset"), QString::number(index));
        }
        for (const auto& [index, changed] : {std::pair(0, true), {0, false}, {8, true}}) {
            f.state.settings.Sound = index == 0;
            frmBoard dlg(f.state);
            dlg.show();
            click(dlg.imgBrett(index));
            QVERIFY(dlg.choiceMade() && f.state.settings.Board == index);
            QCOMPARE(f.store.read("Settings", "Board", "unset"), QString::number(index));
            QCOMPARE(dlg.pictureChanged(), changed);
        }
        QCOMPARE(f.sound.played, (std::vector<int>{107, 107, 102, 102}));
    }

    void gameNumberWindow() {
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
    }

    // At start the flags switch and store the language (only a change, only a
    // click let go on the flag) and OK hands over to the main window (its timer:
    // the app test). As about box: no timer, no flags, the link lights while
    // pressed and opens only when let go on it; OK leaves the main window alone.
    void infoWindow() {
        QCOMPARE(frmInfo::versionLine(2, 3, 255), QStringLiteral("Tavro   2.03.0255"));
        Fixture f(0);
        QWidget main;
        f.state.StartupPending = true;
        auto info = std::make_unique<frmInfo>(f.state, &main);
        const auto label = [&info](const QString& name) { return info->findChild<QLabel*>(name); };
        const auto stored = [&f] { return f.store.read("Settings", "Sprache", "none"); };
        info->show();
        QVERIFY(!f.state.StartupPending && info->timerRunning());
        QVERIFY(info->findChild<QPushButton*>(QStringLiteral("cmdOK"))->isHidden());
        for (int id : {0, 1, 2, 3, 6})
            QVERIFY(label(QStringLiteral("imgLang%1").arg(id))->isVisible());
        QCOMPARE(label("Label3")->text(), QStringLiteral("Weitere Informationen siehe Readme.htm"));
        QTest::mousePress(label("imgLang1"), Qt::LeftButton);
        QTest::mouseRelease(label("imgLang1"), Qt::LeftButton, {}, QPoint(40, 30));
        QCOMPARE(stored(), QStringLiteral("none"));
        QTest::mouseClick(label("imgLang1"), Qt::LeftButton);
        QCOMPARE(f.state.settings.LanguageId, int16_t(1));
        QCOMPARE(stored(), QStringLiteral("1"));
        QCOMPARE(label("Label3")->text(), QStringLiteral("For more information see Readme.htm"));
        QTest::mouseClick(label("imgLang6"), Qt::LeftButton);
        QCOMPARE(label("Label3")->text(),
                 QStringLiteral("Pour plus d'informations, voir Readme.htm"));
        f.store.write("Settings", "Sprache", "x");
        QTest::mouseClick(label("imgLang6"), Qt::LeftButton);
        QCOMPARE(stored(), QStringLiteral("x"));
        info->cmdOK_Click();
        QVERIFY(f.state.MainShown && main.isVisible());

        main.hide(); // a main window shown once stays hidden
        UrlCatcher urls;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &urls, "open");
        info = std::make_unique<frmInfo>(f.state, &main);
        info->show();
        QVERIFY(!info->timerRunning());
        for (int id : {0, 1, 2, 3, 6})
            QVERIFY(label(QStringLiteral("imgLang%1").arg(id))->isHidden());
        QLabel* link = label("lblHomepage");
        const auto colour = [link] { return link->palette().color(QPalette::WindowText); };
        QCOMPARE(colour(), QColor(0, 0, 192));
        QTest::mousePress(link, Qt::LeftButton);
        QCOMPARE(colour(), QColor(255, 0, 0));
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-5, 4)); // let go elsewhere
        QCOMPARE(colour(), QColor(0, 0, 255));
        QVERIFY(urls.opened.isEmpty());
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(urls.opened.size(), 1);
        QVERIFY(urls.opened[0].toString().startsWith(QStringLiteral("http")));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        info->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        QVERIFY(!info->isVisible() && !main.isVisible());
    }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
