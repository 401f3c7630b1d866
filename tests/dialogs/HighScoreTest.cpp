// The high-score dialog through a player's evening, and its table without
// widgets: scrambling, place text, storage.

#include "DialogTestSupport.h"
#include "common/Crypt.h"
#include "game/GameTestSupport.h"
#include "ui/dialogs/frmHighscore.h"

#include <QtTest>
#include <QtWidgets>

using namespace tavro;
using namespace tavro::test;

namespace {

GameSettings config(int cols, int rows = 7, int types = 4, int toClick = 2) {
    return {int16_t(cols), int16_t(rows), 0, 0, int16_t(toClick), int16_t(types)};
}

QString crypted(QString text) {
    return Crypt(text);
}

// Whether a label on the black dialog shows its text in `color`: its brightest
// pixel, scaled back to full strength (antialiasing blends with black), matches.
bool showsColor(QWidget* label, const QColor& color) {
    QWidget* window = label->window();
    const QImage image =
        window->grab(QRect(label->mapTo(window, QPoint()), label->size())).toImage();
    QColor bright(Qt::black);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).value() > bright.value())
                bright = image.pixelColor(x, y);
    const double scale = 255.0 / std::max(bright.value(), 96);
    return std::abs(bright.red() * scale - color.red()) <= 8 &&
           std::abs(bright.green() * scale - color.green()) <= 8 &&
           std::abs(bright.blue() * scale - color.blue()) <= 8;
}

HighScoreTable storedTable(Fixture& f, const GameSettings& settings) {
    HighScoreTable table;
    table.read(f.store, settings);
    return table;
}

QString place(frmHighscore& dlg, int slot) {
    return dlg.lblHName(slot)->text() + '|' + dlg.lblHScore(slot)->text() + '|' +
           dlg.lblLeft(slot)->text();
}

} // namespace

class HighScoreTest : public QObject {
    Q_OBJECT
private slots:
    // One configuration's table through a player's evening.
    void highscoreDialog() {
        Fixture f;
        GameSettings other = f.state.settings;
        other.Cols = 13;
        tableOf({77}).write(f.store, other);
        tableOf({500, 400, 300, 200, 100}).write(f.store, f.state.settings);
        int cleared = 0;
        const auto clear = [&cleared] { ++cleared; };
        {
            frmHighscore look(f.state, CurrentGame{321, 17, 84, false}, clear, nullptr,
                              CurrentGameExtras{987654321u, false});
            look.show();
            QStringList shown;
            for (QLabel* label :
                 {look.lblAktScore(), look.lblBlocksLeft(), look.lblTotalBlocks(), look.lblCols(),
                  look.lblRows(), look.lblNumBlockTypes(), look.lblGameNumber()})
                shown << label->text();
            QCOMPARE(shown.join(' '), QStringLiteral("321 17 84 12 7 4 987654321"));
            QCOMPARE(place(look, 2), QStringLiteral("P2|400|2"));
            QVERIFY(look.lblGameNumber()->isVisible() && !look.lblNoEntry()->isVisible());
            QVERIFY(look.cmdOK()->isDefault() && !look.cmdDelHighscore()->isDefault());
            QVERIFY(!(look.windowFlags() & Qt::WindowCloseButtonHint));
            QTest::keyClick(&look, Qt::Key_Escape); // acts as OK
            QVERIFY(!look.isVisible() && cleared == 1);
        }
        QVERIFY(f.prompt.textPresets.isEmpty() && f.sound.played.empty());

        // A cleared board placing third: name asked with the score, above the
        // tie, marked, on disk before OK, the fanfare played.
        f.state.lastPlayerName = "Bob";
        f.prompt.textAnswers = {QStringLiteral("Ann")};
        {
            frmHighscore dlg(f.state, CurrentGame{300, 0, 84, true}, clear);
            QCOMPARE(f.prompt.textPresets, QStringList{"Bob"});
            QVERIFY(f.prompt.textPrompts[0].endsWith(QStringLiteral("Your score: 300 points")));
            QCOMPARE(f.state.lastPlayerName, QStringLiteral("Ann"));
            QCOMPARE(place(dlg, 3) + ' ' + place(dlg, 4), QStringLiteral("Ann|300|0 P3|300|3"));
            dlg.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dlg));
            const QColor lightBlue(128, 178, 255);
            QVERIFY(showsColor(dlg.lblHName(3), lightBlue) &&
                    showsColor(dlg.lblHScore(3), lightBlue) &&
                    showsColor(dlg.lblHScore(4), Qt::white));
            QCOMPARE(storedTable(f, f.state.settings).entry(3),
                     (HighScoreEntry{"Ann", 300, 0, true}));
            QCOMPARE(storedTable(f, f.state.settings).entry(5).score, 200);
            QCOMPARE(f.sound.played, std::vector<int>{105});
            QCOMPARE(cleared, 1);
            QTest::mouseClick(dlg.cmdOK(), Qt::LeftButton);
            QVERIFY(cleared == 2 && dlg.result() == QDialog::Accepted && !dlg.isVisible());
        }

        // Below all five: no name, nothing written.
        const QByteArray before = readFile(f.store.fileName());
        { frmHighscore low(f.state, CurrentGame{199, 3, 84, true}, nullptr); }
        QCOMPARE(readFile(f.store.fileName()), before);
        QCOMPARE(f.prompt.textPresets.size(), 1);

        // A cancelled name is entered empty and presets the next box; separators
        // in a name cannot break the table. No fanfare without sound or clearing.
        f.prompt.textAnswers = {std::nullopt, QStringLiteral("Eve: the 2nd; best")};
        f.state.settings.Sound = false;
        { frmHighscore cancelled(f.state, CurrentGame{600, 0, 84, true}, nullptr); }
        f.state.settings.Sound = true;
        QCOMPARE(storedTable(f, f.state.settings).entry(1), (HighScoreEntry{"", 600, 0, true}));
        { frmHighscore next(f.state, CurrentGame{700, 1, 84, true}, nullptr); }
        QCOMPARE(f.prompt.textPresets, (QStringList{"Bob", "Ann", ""}));
        QCOMPARE(storedTable(f, f.state.settings).entry(1).name, "Eve. the 2nd, best");

        // A finished game that undo or restart helped: shown as from the toolbar.
        frmHighscore helped(f.state, CurrentGame{900, 0, 84, false}, nullptr, nullptr,
                            CurrentGameExtras{1u, true});
        helped.show();
        QVERIFY(helped.lblNoEntry()->isVisible());
        QVERIFY(helped.lblNoEntry()->text().contains(QStringLiteral("no name")));
        QCOMPARE(f.prompt.textPresets.size(), 3);
        QCOMPARE(f.sound.played.size(), size_t(1));

        // Reset asks; No keeps, Yes empties only this configuration.
        f.prompt.yesNoAnswers = {false, true};
        QTest::mouseClick(helped.cmdDelHighscore(), Qt::LeftButton);
        QCOMPARE(place(helped, 1), QStringLiteral("Eve. the 2nd, best|700|1"));
        QTest::mouseClick(helped.cmdDelHighscore(), Qt::LeftButton);
        QCOMPARE(f.prompt.questions, QStringList(2, "Tavro|" + f.state.language.GetLang(135)));
        for (int slot = 1; slot <= 5; ++slot) {
            QCOMPARE(place(helped, slot), QStringLiteral("|0|0"));
            QCOMPARE(f.store.read("HighScore", HighScoreTable::key(f.state.settings, slot), "x"),
                     QString());
        }
        QCOMPARE(storedTable(f, other).entry(1).score, 77);

        // A zero score is shown in the table but not kept.
        f.prompt.textAnswers = {QStringLiteral("Zed")};
        {
            frmHighscore zero(f.state, CurrentGame{0, 5, 84, true}, nullptr);
            QCOMPARE(place(zero, 1), QStringLiteral("Zed|0|5"));
        }
        frmHighscore again(f.state, CurrentGame{0, 5, 84, false}, nullptr);
        QCOMPARE(place(again, 1), QStringLiteral("||"));
        QVERIFY(f.errors.reports.isEmpty());
    }

    void highscoreOfARealGame() {
        Fixture f;
        RecordingView view;
        Game game(f.state.settings, view, view);
        game.loadBoard(5, 5, std::vector<int16_t>(25, 0));
        game.setGameFinished(true);
        f.prompt.textAnswers = {QStringLiteral("Ann")};
        frmHighscore dlg(f.state, game);
        QCOMPARE(dlg.lblTotalBlocks()->text() + '/' + dlg.lblBlocksLeft()->text(),
                 QStringLiteral("%1/%2").arg(game.totalBlocks()).arg(game.blocksLeft()));
        QCOMPARE(f.prompt.textPresets.size(), 1);
        dlg.show();
        QTest::mouseClick(dlg.cmdOK(), Qt::LeftButton);
        QVERIFY(!game.gameFinished());
    }

    // Scrambling toggles bit 7 of the Windows-1252 byte (Š is 0x8A, 0x81 is
    // undefined, 128 stays, Ł and 名 have no byte). A place is name ":" score
    // ";" left, numbers read up to the first non-digit; without both
    // separators or beyond 64 bits nothing is read. Only positive scores are
    // written; names lose separators and invisible characters.
    void placeText() {
        const QList<std::pair<QString, QString>> crypt = {
            {"xyz", "\u00F8\u00F9\u00FA"}, {"\u00E9", "i"},
            {"\u20AC", "\u20AC"},          {"\u0160", "\n"},
            {"\u0001", "\u0081"},          {"\u0141\u540D", "\u0141\u540D"}};
        for (const auto& [plain, expected] : crypt)
            QCOMPARE(crypted(plain), expected);
        for (char32_t u = 1; u <= 0xFFFF; ++u) // its own inverse for all but NUL
            if (const QString one{QChar(char16_t(u))}; crypted(crypted(one)) != one)
                QFAIL(qPrintable(QString("U+%1 does not come back").arg(uint(u), 4, 16)));
        const QStringList expected =
            QStringLiteral("Player:1234;7 -> Player|1234|7/:5;0 -> |5|0/Ann:x;y -> Ann|0|0/"
                           "Ann:  12abc;  3.9x -> Ann|12|3/a;b:5 -> a;b|5|0/a:b:7;1 -> a|0|1/"
                           "N:-5;2 -> N|-5|2/ -> nothing/Player:1234 -> nothing/"
                           "Player;1234 -> nothing/H:9223372036854775808;1 -> nothing/"
                           "H:1;99999999999999999999999 -> nothing/"
                           "L:9223372036854775807;1 -> L|9223372036854775807|1")
                .split('/');
        for (const QString& line : expected) {
            const QString plain = line.section(" -> ", 0, 0);
            const auto e = HighScoreSlot::parse(plain);
            QCOMPARE(
                plain + " -> " +
                    (e ? QStringLiteral("%1|%2|%3").arg(e->name).arg(e->score).arg(e->blocksLeft)
                       : QStringLiteral("nothing")),
                line);
        }
        QCOMPARE(HighScoreSlot::format({"Player", 1234, 7, true}), QStringLiteral("Player:1234;7"));
        QCOMPARE(HighScoreSlot::format({"Zero", 0, 3, true}) + HighScoreSlot::format({}),
                 QString());
        const QString kept = QStringLiteral("Zoë Łukasz 名前 €™ ¬»º");
        const QList<std::pair<QString, QString>> names = {
            {"Dr. No: 007; Bond", "Dr. No. 007, Bond"},
            {" Tab\there\n\r\nnext\u2028line  \u2029end\u00A0 ", "Tab here next line end"},
            {"\u202EevoL\u202C \u200BAnn\U000E0041", "evoL Ann"},
            {"\t\u2028 \n", ""},
            {kept, kept}};
        for (const auto& [typed, clean] : names)
            QCOMPARE(HighScoreSlot::cleanName(typed), clean);
    }

    // Each configuration has its own key; typable names come back from the
    // file, scrambled there; damaged places stay empty.
    void storage() {
        wipeStore();
        QCOMPARE(HighScoreTable::key(config(20, 15, 5, 2), 3), QStringLiteral("2015523"));
        QCOMPARE(HighScoreTable::key(config(12), 1), QStringLiteral("127421"));
        const QStringList names = {"Zoë Łukasz 名前 Ω😀", "O'Brien, Jr. ¬ » º ±",
                                   "Šárka € ™ Ÿ ÿþ\u00A0", "a=b #c [d] back\\slash \"q\"", ""};
        HighScoreTable written, table;
        for (int slot = 1; slot <= 5; ++slot)
            written.setEntry(slot, {names[slot - 1], 1000 - slot, slot, true});
        SettingsStore store;
        written.write(store, config(12));
        table.read(SettingsStore(), config(12));
        for (int slot = 1; slot <= 5; ++slot)
            QCOMPARE(table.entry(slot), written.entry(slot));
        QVERIFY2(!readFile(store.fileName()).contains("999;1"), "stored in the clear");

        QVERIFY(writeFile(store.fileName(),
                          "[HighScore]\n127421=" + crypted("Good:300;2").toUtf8() +
                              "\n127422=" + crypted("Bad 300 2").toUtf8() + "\n127423=" +
                              crypted("Huge:123456789012345678901234567890;1").toUtf8() +
                              "\n127424=\xff\xfe\x80\\x\\\"junk, more, \x01\n"
                              "127425\n[Settings\n"));
        HighScoreTable damaged;
        damaged.read(SettingsStore(), config(12));
        QCOMPARE(damaged.entry(1), (HighScoreEntry{"Good", 300, 2, true}));
        for (int slot = 2; slot <= 5; ++slot)
            QVERIFY2(!damaged.entry(slot).filled, qPrintable(QString::number(slot)));
    }
};

QTEST_MAIN(HighScoreTest)
#include "HighScoreTest.moc"
