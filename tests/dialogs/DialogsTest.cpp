// The options, high-score and picker dialogs. With TAVRO_SCREENSHOT_DIR set,
// every dialog is also saved there as "<dialog>-<language>.png" for a look by eye.

#include "DialogTestSupport.h"
#include "ui/dialogs/ClickableImage.h"
#include "ui/dialogs/MessageBoxPrompt.h"
#include "ui/dialogs/Palette16.h"
#include "ui/dialogs/frmBlocks.h"
#include "ui/dialogs/frmBoard.h"
#include "ui/dialogs/frmHighscore.h"
#include "ui/dialogs/frmOpt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavro;
using namespace tavro::test;

namespace {

const QColor kLightBlue(128, 178, 255);
const QStringList kSevenKeys = {"BlockTypes", "BlocksToClick", "Cols", "Rows",
                                "Background", "BGColor",       "Sound"};

QImage grabOf(QWidget* widget) {
    QWidget* window = widget->window();
    return window->grab(QRect(widget->mapTo(window, QPoint(0, 0)), widget->size())).toImage();
}

QColor centreColour(QWidget* widget) {
    const QImage image = widget->grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

// Whether a label on the black dialog shows its text in `color`: its brightest pixel,
// scaled back to full strength (antialiasing blends with black), matches closely.
bool showsColor(QWidget* label, const QColor& color) {
    const QImage image = grabOf(label);
    QColor brightest(Qt::black);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).value() > brightest.value())
                brightest = image.pixelColor(x, y);
    const double scale = 255.0 / std::max(brightest.value(), 1);
    auto near = [scale](int channel, int expected) {
        return std::abs(channel * scale - expected) <= 8;
    };
    return brightest.value() >= 96 && near(brightest.red(), color.red()) &&
           near(brightest.green(), color.green()) && near(brightest.blue(), color.blue());
}

// Clicks near the left edge: on the indicator of option buttons and check boxes.
void click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(8, widget->height() / 2));
}

HighScoreTable storedTable(Fixture& f) {
    HighScoreTable table;
    table.read(f.store, f.state.settings);
    return table;
}

struct NullView : BoardView {
    void drawFromStrip(int, int, int) override {}
    void eraseFromEmptyBoard(int, int, int, int) override {}
    void refreshBoard() override {}
    bool Pause(double, std::function<void()>) override { return false; }
    void stopPause() override {}
    void showScore(int64_t) override {}
    void showLeft(int) override {}
    void showHighscore() override {}
};

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    // Each dialog takes its title from the language at every showing.
    void titlesFollowTheLanguageAtEveryShowing() {
        Fixture f{0};
        frmOpt options(f.state);
        frmHighscore scores(f.state, CurrentGame{301, 5, 84, false}, nullptr);
        frmBlocks blocks(f.state);
        frmBoard board(f.state);
        const QList<std::pair<QDialog*, int16_t>> dialogs = {
            {&options, 117}, {&scores, 127}, {&blocks, 112}, {&board, 113}};
        for (int16_t language : {0, 1}) {
            f.state.settings.LanguageId = language;
            for (const auto& [dialog, title] : dialogs) {
                dialog->show();
                QCOMPARE(dialog->windowTitle(), f.state.language.GetLang(title));
                dialog->hide();
            }
        }
        QCOMPARE(options.cmdCancel()->text(), QStringLiteral("&Cancel"));
        QVERIFY(f.errors.reports.isEmpty());
    }

    // Return presses OK unless another button has the focus (Qt's auto-default).
    void okIsTheDefaultButton() {
        Fixture f;
        frmOpt options(f.state);
        frmHighscore scores(f.state, CurrentGame{10, 3, 84, false}, nullptr);
        QVERIFY(options.cmdOK()->isDefault() && scores.cmdOK()->isDefault());
        QVERIFY(!options.cmdCancel()->isDefault() && !scores.cmdDelHighscore()->isDefault());
    }

    // Qt's own buttons speak the game's language and follow a switch at once.
    void qtButtonsFollowTheLanguage() {
        Fixture f{0};
        MessageBoxPrompt prompt;
        const auto buttonsOfNextBox = [this](std::function<void()> open) {
            QStringList texts;
            QTimer::singleShot(0, this, [&texts] {
                QWidget* box = QApplication::activeModalWidget();
                for (QAbstractButton* button : box->findChildren<QAbstractButton*>())
                    texts << button->text().remove(u'&');
                texts.sort();
                box->close();
            });
            open();
            return texts;
        };
        const auto quitQuestion = [&] {
            prompt.askYesNo(f.state.language.GetLang(111), f.state.language.GetLang(124));
        };
        const auto nameBox = [&] { prompt.askText("Tavro", "Name", QString()); };
        const QList<std::tuple<int, std::function<void()>, QStringList>> cases = {
            {0, quitQuestion, {"Ja", "Nein"}},     {1, quitQuestion, {"No", "Yes"}},
            {6, quitQuestion, {"Non", "Oui"}},     {0, nameBox, {"Abbrechen", "OK"}},
            {2, nameBox, {"Aceptar", "Cancelar"}}, {3, nameBox, {"Annulla", "OK"}}};
        for (const auto& [language, open, texts] : cases) {
            f.state.settings.LanguageId = int16_t(language);
            QCOMPARE(buttonsOfNextBox(open), texts);
        }
    }

    void optionsListsOfferFiveUpToTheMaxima() {
        Fixture f;
        f.state.settings.MaxRows = 6;
        frmOpt dlg(f.state);
        QCOMPARE(dlg.cboNumCols()->count(), 16);
        for (int i = 0; i < 16; ++i)
            QCOMPARE(dlg.cboNumCols()->itemText(i), QString::number(5 + i));
        QCOMPARE(dlg.cboNumRows()->count(), 2);
        QCOMPARE(dlg.cboNumRows()->itemText(1), QStringLiteral("6"));
        f.state.settings.MaxCols = 4; // never an empty list
        frmOpt tiny(f.state);
        QCOMPARE(tiny.cboNumCols()->count(), 1);
        QCOMPARE(tiny.cboNumCols()->currentText(), QStringLiteral("5"));
    }

    void optionsStartFromTheCurrentSettings() {
        Fixture f;
        GameSettings& s = f.state.settings;
        s.BlockTypes = 5;
        s.BlocksToClick = 4;
        s.Background = 0;
        s.BGColor = 12;
        s.Sound = 0;
        frmOpt dlg(f.state);
        QVERIFY(dlg.optNumBlockTypes(2)->isChecked());
        QVERIFY(dlg.optMinBlocksToClick(2)->isChecked());
        QVERIFY(dlg.optBG(1)->isChecked());
        QVERIFY(!dlg.chkSound()->isChecked());
        QCOMPARE(centreColour(dlg.lblColor()), QColor(255, 0, 0));
        QVERIFY(f.errors.reports.isEmpty());

        s.BlockTypes = 9; // no option button for it
        frmOpt reported(f.state);
        QCOMPARE(f.errors.reports, QStringList{"frmOpt/Form_Load"});
    }

    void optionsColourArrowsWrapAndRepaintTheSample() {
        Fixture f;
        f.state.settings.BGColor = 15;
        frmOpt dlg(f.state);
        dlg.show();
        QTest::mouseClick(dlg.cmdNextColor(), Qt::LeftButton);
        QCOMPARE(f.state.settings.BGColor, 0);
        QCOMPARE(centreColour(dlg.lblColor()), Palette16::color(0));
        QTest::mouseClick(dlg.cmdPrevColor(), Qt::LeftButton);
        QCOMPARE(f.state.settings.BGColor, 15);
        QTest::mouseClick(dlg.cmdPrevColor(), Qt::LeftButton);
        QCOMPARE(f.state.settings.BGColor, 14);
        QCOMPARE(centreColour(dlg.lblColor()), QColor(255, 255, 0));
        f.state.settings.BGColor = 1; // only below 0 wraps
        QTest::mouseClick(dlg.cmdPrevColor(), Qt::LeftButton);
        QCOMPARE(f.state.settings.BGColor, 0);
    }

    void optionsCancelKeepsTheSizeButNotTheImmediateChanges() {
        Fixture f;
        frmOpt dlg(f.state);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.cboNumCols()->setCurrentIndex(dlg.cboNumCols()->findText("15"));
        dlg.cboNumRows()->setCurrentIndex(dlg.cboNumRows()->findText("9"));
        for (QWidget* control : std::initializer_list<QWidget*>{
                 dlg.optNumBlockTypes(3), dlg.optMinBlocksToClick(1), dlg.optBG(1), dlg.chkSound()})
            click(control);
        QTest::mouseClick(dlg.cmdNextColor(), Qt::LeftButton);
        QTest::mouseClick(dlg.cmdCancel(), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        const GameSettings& s = f.state.settings;
        QCOMPARE(QList<int>({s.Cols, s.Rows, s.BlockTypes, s.BlocksToClick, s.Background, s.Sound,
                             s.BGColor}),
                 QList<int>({12, 7, 6, 3, 0, 0, 1}));
        for (const QString& key : kSevenKeys)
            QCOMPARE(f.store.read("Settings", key, "unset"), QStringLiteral("unset"));
    }

    void optionsOkStoresAllSevenKeysEvenWithoutChange() {
        Fixture f;
        f.state.settings.Sound = true; // stored as 1
        frmOpt dlg(f.state);
        dlg.show();
        QTest::mouseClick(dlg.cmdOK(), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        const QStringList expected = {"4", "2", "12", "7", "-1", "0", "1"};
        for (int i = 0; i < kSevenKeys.size(); ++i)
            QCOMPARE(f.store.read("Settings", kSevenKeys[i], "unset"), expected[i]);
    }

    // The lists show the chosen size (0 means the default 12 x 7) or the nearest
    // one they offer; OK takes the shown size for the game and stores it, except
    // a chosen size too large for the window that the player left alone.
    void optionsBoardSize() {
        // chosen (or current) size, size picked in the dialog ("keys": the same one,
        // by keyboard), OK, then "cols x rows" shown, in the game, stored
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
            if (picked == "keys") {
                for (QComboBox* list : {dlg.cboNumCols(), dlg.cboNumRows()}) {
                    QTest::keyClick(list, Qt::Key_Up);
                    QTest::keyClick(list, Qt::Key_Down);
                }
            } else if (!picked.isEmpty()) {
                dlg.cboNumCols()->setCurrentIndex(
                    dlg.cboNumCols()->findText(picked.section(' ', 0, 0)));
                dlg.cboNumRows()->setCurrentIndex(
                    dlg.cboNumRows()->findText(picked.section(' ', 2)));
            }
            QTest::mouseClick(ok ? dlg.cmdOK() : dlg.cmdCancel(), Qt::LeftButton);
            seen << QStringLiteral("%1 x %2").arg(f.state.settings.Cols).arg(f.state.settings.Rows)
                 << f.store.read("Settings", "Cols", "") + " x " +
                        f.store.read("Settings", "Rows", "");
            QCOMPARE(seen, expected);
        }
    }

    void highscoreFromTheToolbarShowsStatisticsAndNeverAsks() {
        Fixture f;
        tableOf({500, 400}).write(f.store, f.state.settings);
        frmHighscore dlg(f.state, CurrentGame{321, 17, 84, false}, nullptr);
        const QList<std::pair<QLabel*, QString>> shown = {
            {dlg.lblAktScore(), "321"}, {dlg.lblBlocksLeft(), "17"}, {dlg.lblTotalBlocks(), "84"},
            {dlg.lblCols(), "12"},      {dlg.lblRows(), "7"},        {dlg.lblNumBlockTypes(), "4"},
            {dlg.lblHName(2), "P2"},    {dlg.lblHScore(2), "400"},   {dlg.lblLeft(2), "2"},
            {dlg.lblHScore(3), ""}};
        for (const auto& [label, text] : shown)
            QCOMPARE(label->text(), text);
        QVERIFY(f.prompt.textPresets.isEmpty());
        QVERIFY(f.sound.played.empty());
    }

    void highscorePlacingResultAsksNameGoesAboveTieAndIsMarked() {
        Fixture f;
        tableOf({500, 400, 300, 200, 100}).write(f.store, f.state.settings);
        f.state.lastPlayerName = "Bob";
        f.prompt.textAnswers = {QStringLiteral("Ann")};
        int cleared = 0;
        frmHighscore dlg(f.state, CurrentGame{300, 4, 84, true}, [&] { ++cleared; });
        QCOMPARE(f.prompt.textPresets, QStringList{"Bob"});
        QCOMPARE(f.state.lastPlayerName, QStringLiteral("Ann"));
        QCOMPARE(dlg.lblHName(3)->text() + '|' + dlg.lblHName(4)->text(), QStringLiteral("Ann|P3"));
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QVERIFY(showsColor(dlg.lblHName(3), kLightBlue) &&
                showsColor(dlg.lblHScore(3), kLightBlue) &&
                showsColor(dlg.lblHScore(4), Qt::white));
        // On disk before the dialog closes; place 5 (score 100) dropped.
        const HighScoreTable stored = storedTable(f);
        QCOMPARE(stored.entry(3), (HighScoreEntry{"Ann", 300, 4, true}));
        QCOMPARE(stored.entry(5).score, 200);
        QCOMPARE(cleared, 0);
    }

    void highscoreBelowAllFiveWritesNothing() {
        Fixture f;
        tableOf({500, 400, 300, 200, 100}).write(f.store, f.state.settings);
        const QByteArray before = readFile(f.store.fileName());
        frmHighscore dlg(f.state, CurrentGame{99, 3, 84, true}, nullptr);
        QVERIFY(f.prompt.textPresets.isEmpty());
        QCOMPARE(readFile(f.store.fileName()), before);
        QCOMPARE(dlg.lblHScore(5)->text(), QStringLiteral("100"));
    }

    void highscoreCancelledNameIsRecordedEmptyAndPresetsTheNextBox() {
        Fixture f;
        f.state.lastPlayerName = "Bob";
        f.prompt.textAnswers = {std::nullopt, QStringLiteral("Eve: the 2nd; best")};
        { frmHighscore first(f.state, CurrentGame{50, 2, 84, true}, nullptr); }
        QCOMPARE(f.state.lastPlayerName, QString());
        QCOMPARE(storedTable(f).entry(1), (HighScoreEntry{"", 50, 2, true}));
        frmHighscore second(f.state, CurrentGame{60, 1, 84, true}, nullptr);
        QCOMPARE(f.prompt.textPresets, (QStringList{"Bob", ""}));
        // Separators in the answer cannot break the stored table.
        QCOMPARE(storedTable(f).entry(1).name, QStringLiteral("Eve. the 2nd, best"));
        QCOMPARE(storedTable(f).entry(2).name, QString());
    }

    void highscoreZeroScoreIsShownButNotStored() {
        Fixture f;
        f.prompt.textAnswers = {QStringLiteral("Zed")};
        {
            frmHighscore dlg(f.state, CurrentGame{0, 5, 84, true}, nullptr);
            QCOMPARE(dlg.lblHName(1)->text(), QStringLiteral("Zed"));
            QCOMPARE(dlg.lblHScore(1)->text(), QStringLiteral("0"));
        }
        frmHighscore again(f.state, CurrentGame{0, 5, 84, false}, nullptr);
        QCOMPARE(again.lblHName(1)->text() + '|' + again.lblHScore(1)->text(), QStringLiteral("|"));
    }

    void highscoreResetAsksAndEmptiesOnlyThisConfiguration() {
        Fixture f;
        tableOf({500, 400, 300}).write(f.store, f.state.settings);
        GameSettings other = f.state.settings;
        other.Cols = 13;
        tableOf({77}).write(f.store, other);

        frmHighscore dlg(f.state, CurrentGame{10, 3, 84, false}, nullptr);
        f.prompt.yesNoAnswers = {false, true};
        QTest::mouseClick(dlg.cmdDelHighscore(), Qt::LeftButton);
        QCOMPARE(storedTable(f).entry(1).score, 500);
        QCOMPARE(dlg.lblHName(1)->text(), QStringLiteral("P1"));
        QTest::mouseClick(dlg.cmdDelHighscore(), Qt::LeftButton);
        QCOMPARE(f.prompt.questions, QStringList(2, "Tavro|" + f.state.language.GetLang(135)));
        for (int slot = 1; slot <= 5; ++slot) {
            QCOMPARE(dlg.lblHName(slot)->text() + '|' + dlg.lblHScore(slot)->text() + '|' +
                         dlg.lblLeft(slot)->text(),
                     QStringLiteral("|0|0"));
            QCOMPARE(f.store.read("HighScore", HighScoreTable::key(f.state.settings, slot), "x"),
                     QString());
        }
        HighScoreTable untouched;
        untouched.read(f.store, other);
        QCOMPARE(untouched.entry(1).score, 77);
    }

    void highscoreOnlyOkEndsTheShowingAndClearsTheFlag() {
        Fixture f;
        f.prompt.textAnswers = {QStringLiteral("Ann")};
        int cleared = 0;
        frmHighscore dlg(f.state, CurrentGame{40, 0, 84, true}, [&] { ++cleared; });
        dlg.show();
        QTest::mouseClick(dlg.cmdOK(), Qt::LeftButton);
        QCOMPARE(QList<int>({cleared, dlg.result()}), QList<int>({1, QDialog::Accepted}));
        QVERIFY(!dlg.isVisible());

        frmHighscore viaEscape(f.state, CurrentGame{10, 3, 84, false}, [&] { ++cleared; });
        viaEscape.show();
        QTest::keyClick(&viaEscape, Qt::Key_Escape);
        QCOMPARE(cleared, 2);
        QVERIFY(!viaEscape.isVisible());
        QVERIFY(!(viaEscape.windowFlags() & Qt::WindowCloseButtonHint));
    }

    void highscoreClearedBoardPlaysSoundOnlyWhenFinishedAndSoundOn() {
        Fixture f;
        f.prompt.textAnswers = {QStringLiteral("A"), QStringLiteral("B")};
        { frmHighscore dlg(f.state, CurrentGame{90, 0, 84, true}, nullptr); }
        QCOMPARE(f.sound.played, std::vector<int>{105});
        { frmHighscore dlg(f.state, CurrentGame{90, 0, 84, false}, nullptr); }
        f.state.settings.Sound = 0;
        { frmHighscore dlg(f.state, CurrentGame{95, 0, 84, true}, nullptr); }
        QCOMPARE(f.sound.played, std::vector<int>{105});
        QVERIFY(f.errors.reports.isEmpty());
    }

    void highscoreReadsAndClearsTheFlagOfARealGame() {
        Fixture f;
        NullView view;
        Game game(f.state.settings, view, f.sound);
        game.loadBoard(5, 5, std::vector<int16_t>(25, 0));
        game.setGameFinished(true);
        f.prompt.textAnswers = {QStringLiteral("Ann")};
        frmHighscore dlg(f.state, game);
        QCOMPARE(dlg.lblTotalBlocks()->text(), QString::number(game.totalBlocks()));
        QCOMPARE(dlg.lblBlocksLeft()->text(), QString::number(game.blocksLeft()));
        QCOMPARE(f.prompt.textPresets.size(), 1);
        dlg.show();
        QTest::mouseClick(dlg.cmdOK(), Qt::LeftButton);
        QVERIFY(!game.gameFinished());
    }

    void pickersStoreTheChoiceAndNewGameOnlyForAChangedBackground() {
        Fixture f;
        f.state.settings.Board = 1;
        for (int index : {13, 0}) {
            frmBlocks dlg(f.state);
            dlg.show();
            click(dlg.imgBlocks(index));
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
            QVERIFY(!dlg.isVisible());
            QCOMPARE(dlg.chosenIndex(), std::optional<int>(index));
            QCOMPARE(f.state.settings.Blocks, index);
            QCOMPARE(f.store.read("Settings", "Blocks", "unset"), QString::number(index));
        }
        for (bool changed : {true, false}) {
            frmBoard dlg(f.state);
            dlg.show();
            click(dlg.imgBrett(0));
            QVERIFY(dlg.choiceMade());
            QCOMPARE(f.state.settings.Board, 0);
            QCOMPARE(f.store.read("Settings", "Board", "unset"), QStringLiteral("0"));
            QCOMPARE(dlg.pictureChanged(), changed);
            QCOMPARE(dlg.newGameNeeded(), changed);
        }
        QCOMPARE(f.sound.played, (std::vector<int>{107, 107, 102, 102}));
        f.state.settings.Sound = 0;
        frmBlocks silentBlocks(f.state);
        silentBlocks.show();
        click(silentBlocks.imgBlocks(3));
        frmBoard silent(f.state);
        silent.show();
        click(silent.imgBrett(8));
        QCOMPARE(QList<int>({f.state.settings.Blocks, f.state.settings.Board}), QList<int>({3, 8}));
        QCOMPARE(f.sound.played.size(), size_t(4));
    }

    void pickersClosedWithoutAChoiceChangeNothing() {
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
        QVERIFY(!blocks.choiceMade() && !board.choiceMade() && !board.pictureChanged());
        QCOMPARE(QList<int>({f.state.settings.Blocks, f.state.settings.Board}), QList<int>({4, 6}));
        QCOMPARE(f.store.read("Settings", "Blocks", "unset"), QStringLiteral("unset"));
        QCOMPARE(f.store.read("Settings", "Board", "unset"), QStringLiteral("unset"));
        QVERIFY(f.sound.played.empty());
    }

    // Block sets in two columns of seven (0-5 and 12 left, 6-11 and 13 right),
    // backgrounds running down three columns of three. Set 0 has seven types
    // of 50 x 50 blocks, the others six.
    void pickerPictures() {
        Fixture f;
        frmBlocks blocks(f.state);
        frmBoard board(f.state);
        blocks.show();
        board.show();
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
        for (int index : {0, 13})
            QCOMPARE(frmBlocks::blockStrip(index).size(), QSize(index == 0 ? 350 : 300, 50));
        QVERIFY(frmBlocks::blockStrip(14).isNull() && frmBlocks::blockStrip(-1).isNull());
        for (int i = 0; i < 9; ++i)
            QCOMPARE(frmBoard::thumbnailPath(i), QStringLiteral(":/thumbs/%1.jpg").arg(101 + i));
    }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
