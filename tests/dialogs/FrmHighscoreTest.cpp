// The high-score dialog with its real widgets, a scripted prompt and the real
// settings store.

#include "ui/dialogs/frmHighscore.h"

#include "DialogTestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace tavro;
using namespace tavro::test;

namespace {

const QColor kLightBlue(128, 178, 255);

// Writes a table of the given scores (names P1..P5, blocks left = slot).
void storeTable(Fixture& f, std::initializer_list<int64_t> scores) {
    HighScoreTable table;
    int slot = 1;
    for (int64_t score : scores) {
        table.setEntry(slot, {QStringLiteral("P%1").arg(slot), score, slot, true});
        ++slot;
    }
    table.write(f.store, f.state.settings);
}

HighScoreTable storedTable(Fixture& f) {
    HighScoreTable table;
    table.read(f.store, f.state.settings);
    return table;
}

QByteArray storeFile(Fixture& f) {
    QFile file(f.store.fileName());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The text colour of a label on the black dialog: the brightest pixel of its
// area in the dialog's grab, scaled back to full strength (antialiased strokes are the colour
// blended with black). Compared with a small tolerance.
bool showsColor(QWidget* label, const QColor& color) {
    QWidget* window = label->window();
    const QImage image =
        window->grab(QRect(label->mapTo(window, QPoint(0, 0)), label->size())).toImage();
    QColor brightest(Qt::black);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).value() > brightest.value())
                brightest = image.pixelColor(x, y);
    if (brightest.value() < 96)
        return false;
    const double scale = 255.0 / brightest.value();
    auto near = [scale](int channel, int expected) {
        return std::abs(channel * scale - expected) <= 8;
    };
    return near(brightest.red(), color.red()) && near(brightest.green(), color.green()) &&
           near(brightest.blue(), color.blue());
}

// A board surface that draws nothing.
class NullView : public BoardView {
public:
    void drawFromStrip(int, int, int) override {}
    void eraseFromEmptyBoard(int, int, int, int) override {}
    void refreshBoard() override {}
    void Pause(double) override {}
    void showScore(int64_t) override {}
    void showLeft(int) override {}
    void showHighscore() override {}
};

struct Counter {
    int calls = 0;
    std::function<void()> callback() {
        return [this] { ++calls; };
    }
};

} // namespace

class FrmHighscoreTest : public QObject {
    Q_OBJECT
private slots:
    void toolbarShowingShowsStatisticsAndNeverAsks() {
        Fixture f;
        storeTable(f, {500, 400});
        frmHighscore dlg(f.state, CurrentGame{321, 17, 84, false}, nullptr);
        QCOMPARE(dlg.lblAktScore()->text(), QStringLiteral("321"));
        QCOMPARE(dlg.lblBlocksLeft()->text(), QStringLiteral("17"));
        QCOMPARE(dlg.lblTotalBlocks()->text(), QStringLiteral("84"));
        QCOMPARE(dlg.lblCols()->text(), QStringLiteral("12"));
        QCOMPARE(dlg.lblRows()->text(), QStringLiteral("7"));
        QCOMPARE(dlg.lblNumBlockTypes()->text(), QStringLiteral("4"));
        QCOMPARE(dlg.lblHName(2)->text(), QStringLiteral("P2"));
        QCOMPARE(dlg.lblHScore(2)->text(), QStringLiteral("400"));
        QCOMPARE(dlg.lblLeft(2)->text(), QStringLiteral("2"));
        QCOMPARE(dlg.lblHScore(3)->text(), QString());
        QVERIFY(f.prompt.textPresets.isEmpty());
        QVERIFY(f.sound.played.empty());
    }

    void placingResultAsksNameGoesAboveTieAndIsMarked() {
        Fixture f;
        storeTable(f, {500, 400, 300, 200, 100});
        f.state.lastPlayerName = "Bob";
        f.prompt.textAnswers = {QStringLiteral("Ann")};
        Counter cleared;
        frmHighscore dlg(f.state, CurrentGame{300, 4, 84, true}, cleared.callback());
        QCOMPARE(f.prompt.textPresets, QStringList{"Bob"});
        QCOMPARE(f.state.lastPlayerName, QStringLiteral("Ann"));
        QCOMPARE(dlg.lblHName(3)->text(), QStringLiteral("Ann"));
        QCOMPARE(dlg.lblHName(4)->text(), QStringLiteral("P3"));
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QVERIFY(showsColor(dlg.lblHName(3), kLightBlue));
        QVERIFY(showsColor(dlg.lblHScore(3), kLightBlue));
        QVERIFY(!showsColor(dlg.lblHScore(4), kLightBlue));
        QVERIFY(showsColor(dlg.lblHScore(4), Qt::white));
        // On disk before the dialog closes; slot 5 (score 100) dropped.
        const HighScoreTable stored = storedTable(f);
        QCOMPARE(stored.entry(3), (HighScoreEntry{"Ann", 300, 4, true}));
        QCOMPARE(stored.entry(5).score, 200);
        QCOMPARE(cleared.calls, 0);
    }

    void scoreBelowAllFiveWritesNothing() {
        Fixture f;
        storeTable(f, {500, 400, 300, 200, 100});
        const QByteArray before = storeFile(f);
        frmHighscore dlg(f.state, CurrentGame{99, 3, 84, true}, nullptr);
        QVERIFY(f.prompt.textPresets.isEmpty());
        QCOMPARE(storeFile(f), before);
        QCOMPARE(dlg.lblHScore(5)->text(), QStringLiteral("100"));
    }

    void cancelledNameIsRecordedEmptyAndPresetsTheNextBox() {
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

    void zeroScoreIsShownButNotStored() {
        Fixture f;
        f.prompt.textAnswers = {QStringLiteral("Zed")};
        {
            frmHighscore dlg(f.state, CurrentGame{0, 5, 84, true}, nullptr);
            QCOMPARE(dlg.lblHName(1)->text(), QStringLiteral("Zed"));
            QCOMPARE(dlg.lblHScore(1)->text(), QStringLiteral("0"));
        }
        frmHighscore again(f.state, CurrentGame{0, 5, 84, false}, nullptr);
        QCOMPARE(again.lblHName(1)->text(), QString());
        QCOMPARE(again.lblHScore(1)->text(), QString());
    }

    void resetAsksAndEmptiesOnlyThisConfiguration() {
        Fixture f;
        storeTable(f, {500, 400, 300});
        GameSettings other = f.state.settings;
        other.Cols = 13;
        HighScoreTable otherTable;
        otherTable.setEntry(1, {"Other", 77, 1, true});
        otherTable.write(f.store, other);

        frmHighscore dlg(f.state, CurrentGame{10, 3, 84, false}, nullptr);
        f.prompt.yesNoAnswers = {false, true};
        QTest::mouseClick(dlg.cmdDelHighscore(), Qt::LeftButton);
        QCOMPARE(storedTable(f).entry(1).score, 500);
        QCOMPARE(dlg.lblHName(1)->text(), QStringLiteral("P1"));
        QTest::mouseClick(dlg.cmdDelHighscore(), Qt::LeftButton);
        QCOMPARE(f.prompt.questions.size(), 2);
        QCOMPARE(f.prompt.questions[0], f.state.language.GetLang(135));
        for (int slot = 1; slot <= 5; ++slot) {
            QCOMPARE(dlg.lblHName(slot)->text(), QString());
            QCOMPARE(dlg.lblHScore(slot)->text(), QStringLiteral("0"));
            QCOMPARE(dlg.lblLeft(slot)->text(), QStringLiteral("0"));
            QCOMPARE(f.store.read("HighScore", HighScoreTable::key(f.state.settings, slot), "x"),
                     QString());
        }
        HighScoreTable untouched;
        untouched.read(f.store, other);
        QCOMPARE(untouched.entry(1).name, QStringLiteral("Other"));
    }

    void onlyOkEndsTheShowingAndClearsTheFlag() {
        Fixture f;
        f.prompt.textAnswers = {QStringLiteral("Ann")};
        Counter cleared;
        frmHighscore dlg(f.state, CurrentGame{40, 0, 84, true}, cleared.callback());
        dlg.show();
        QTest::mouseClick(dlg.cmdOK(), Qt::LeftButton);
        QCOMPARE(cleared.calls, 1);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(!dlg.isVisible());

        Counter escaped;
        frmHighscore viaEscape(f.state, CurrentGame{10, 3, 84, false}, escaped.callback());
        viaEscape.show();
        QTest::keyClick(&viaEscape, Qt::Key_Escape);
        QCOMPARE(escaped.calls, 1);
        QVERIFY(!viaEscape.isVisible());
        QVERIFY(!(viaEscape.windowFlags() & Qt::WindowCloseButtonHint));
    }

    void clearedBoardPlaysSoundOnlyWhenFinishedAndSoundOn() {
        Fixture f;
        f.prompt.textAnswers = {QStringLiteral("A"), QStringLiteral("B")};
        { frmHighscore dlg(f.state, CurrentGame{90, 0, 84, true}, nullptr); }
        QCOMPARE(f.sound.played, std::vector<int>{105});
        { frmHighscore dlg(f.state, CurrentGame{90, 0, 84, false}, nullptr); }
        f.state.settings.Sound = 0;
        { frmHighscore dlg(f.state, CurrentGame{95, 0, 84, true}, nullptr); }
        QCOMPARE(f.sound.played, std::vector<int>{105});
        QVERIFY(f.errors.isEmpty());
    }

    void readsAndClearsTheFlagOfARealGame() {
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

    void captionsFollowTheLanguageOnEveryShowing() {
        Fixture f(0);
        frmHighscore dlg(f.state, CurrentGame{}, nullptr);
        dlg.show();
        const QString german = dlg.windowTitle();
        QCOMPARE(german, f.state.language.GetLang(127));
        QVERIFY(!german.isEmpty());
        dlg.hide();
        f.state.settings.LanguageId = 1;
        dlg.show();
        QCOMPARE(dlg.windowTitle(), f.state.language.GetLang(127));
        QVERIFY(dlg.windowTitle() != german);
    }
};

QTEST_MAIN(FrmHighscoreTest)
#include "FrmHighscoreTest.moc"
