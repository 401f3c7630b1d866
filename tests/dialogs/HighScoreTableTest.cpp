// The high-score table without widgets: scrambling, place text, placement, storage.

#include "ui/dialogs/HighScoreTable.h"

#include "DialogTestSupport.h"
#include "common/Crypt.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavro;
using namespace tavro::test;

namespace {

GameSettings config(int cols, int rows = 7, int types = 4, int toClick = 2) {
    return {int16_t(cols), int16_t(rows), 0, 0, int16_t(toClick), int16_t(types)};
}

HighScoreEntry entry(const QString& name, int64_t score, int64_t left) {
    return {name, score, left, true};
}

QString crypted(QString text) {
    return Crypt(text);
}

} // namespace

class HighScoreTableTest : public QObject {
    Q_OBJECT
private slots:
    void init() { wipeStore(); }

    void cryptTogglesBitSevenOfTheWindows1252Byte() {
        QCOMPARE(crypted("xyz"), QString(QChar(248)) + QChar(249) + QChar(250));
        QCOMPARE(crypted(QString(QChar(0xE9))), QStringLiteral("i"));      // é <-> i
        QCOMPARE(crypted("\u20AC"), QStringLiteral("\u20AC"));             // 128 stays
        QCOMPARE(crypted("\u0160"), QStringLiteral("\n"));                 // Š is byte 0x8A
        QCOMPARE(crypted("\u0001"), QStringLiteral("\u0081"));             // undefined 0x81
        QCOMPARE(crypted("\u0141\u540D"), QStringLiteral("\u0141\u540D")); // not in 1252
        QString text = "Player:1234;7";
        QCOMPARE(&Crypt(text), &text);
        QCOMPARE(text.size(), 13);
        for (char32_t u = 1; u <= 0xFFFF; ++u) { // its own inverse for all but NUL
            const QString one{QChar(char16_t(u))};
            if (crypted(crypted(one)) != one)
                QFAIL(qPrintable(QString("U+%1 does not come back").arg(uint(u), 4, 16)));
        }
    }

    // name ":" score ";" left: numbers are read up to the first non-digit (none: 0);
    // without both separators or with a number beyond 64 bits nothing is read.
    void placeTextIsParsedByItsSeparators() {
        const auto parsed = [](const QString& plain) {
            const auto e = HighScoreSlot::parse(plain);
            return plain + " -> " +
                   (e ? QStringLiteral("%1|%2|%3").arg(e->name).arg(e->score).arg(e->blocksLeft)
                      : QStringLiteral("nothing"));
        };
        const QStringList expected = {"Player:1234;7 -> Player|1234|7",
                                      ":5;0 -> |5|0",
                                      "Ann:x;y -> Ann|0|0",
                                      "Ann:  12abc;  3.9x -> Ann|12|3",
                                      "a;b:5 -> a;b|5|0",
                                      "a:b:7;1 -> a|0|1",
                                      "N:-5;2 -> N|-5|2",
                                      "Player1234 -> nothing",
                                      "Player:1234 -> nothing",
                                      "Player;1234 -> nothing",
                                      " -> nothing",
                                      "H:9223372036854775808;1 -> nothing",
                                      "H:1;99999999999999999999999 -> nothing",
                                      "L:9223372036854775807;1 -> L|9223372036854775807|1"};
        QStringList actual;
        for (const QString& line : expected)
            actual << parsed(line.section(" -> ", 0, 0));
        QCOMPARE(actual, expected);
    }

    void placeTextIsFormattedOnlyForPositiveScoresAndCleanNames() {
        QCOMPARE(HighScoreSlot::format(entry("Player", 1234, 7)), QStringLiteral("Player:1234;7"));
        QCOMPARE(HighScoreSlot::format(entry("Zero", 0, 3)), QString());
        QCOMPARE(HighScoreSlot::format(HighScoreEntry{}), QString());
        // The name box answer loses separators; invisible characters become one blank.
        QCOMPARE(HighScoreSlot::cleanName("Dr. No: 007; Bond"),
                 QStringLiteral("Dr. No. 007, Bond"));
        QCOMPARE(HighScoreSlot::cleanName(" Tab\there\n\r\nnext\u2028line  \u2029end\u00A0 "),
                 QStringLiteral("Tab here next line end"));
        QCOMPARE(HighScoreSlot::cleanName("\u202EevoL\u202C \u200BAnn\U000E0041"),
                 QStringLiteral("evoL Ann"));
        QCOMPARE(HighScoreSlot::cleanName("\t\u2028 \n"), QString());
        const QString kept = QStringLiteral("Zoë Łukasz 名前 €™ ¬»º");
        QCOMPARE(HighScoreSlot::cleanName(kept), kept);
        const QString name = HighScoreSlot::cleanName("a:b;c");
        QCOMPARE(HighScoreSlot::parse(HighScoreSlot::format(entry(name, 9, 1)))->name, name);
    }

    void placementGoesAboveEqualScoresAndShiftsDown() {
        HighScoreTable table = tableOf({500, 400, 300, 200, 100});
        QCOMPARE(table.placeFor(300), 3);
        QCOMPARE(table.placeFor(99), 0);
        QCOMPARE(tableOf({500, 400}).placeFor(0), 3); // empty places count as 0
        QCOMPARE(HighScoreTable().placeFor(0), 1);
        table.insert(3, entry("New", 300, 0));
        table.insert(1, entry("Top", 900, 0));
        table.insert(5, entry("Last", 250, 0));
        QStringList places;
        for (int slot = 1; slot <= 5; ++slot)
            places << table.entry(slot).name + QString::number(table.entry(slot).score);
        QCOMPARE(places, QStringList({"Top900", "P1500", "P2400", "New300", "Last250"}));
    }

    void configurationsKeepSeparateTables() {
        SettingsStore store;
        const GameSettings base = config(12);
        QCOMPARE(HighScoreTable::key(config(20, 15, 5, 2), 3), QStringLiteral("2015523"));
        QCOMPARE(HighScoreTable::key(base, 1), QStringLiteral("127421"));
        tableOf({500}).write(store, base);
        for (const GameSettings& other :
             {config(13), config(12, 8), config(12, 7, 5), config(12, 7, 4, 3)}) {
            HighScoreTable table;
            table.read(store, other);
            QVERIFY(!table.entry(1).filled);
        }
        HighScoreTable table;
        table.read(store, base);
        QCOMPARE(table.entry(1), entry("P1", 500, 1));
    }

    void everyTypableNameRoundTripsThroughTheStoreFile() {
        const QStringList names = {"Player",       "Zoë Müller",        "Łukasz",     "名前",
                                   "O'Brien, Jr.", "Šárka € ™ Ÿ",       "  spaced  ", "¬ » º ±",
                                   "a=b #c [d]",   "back\\slash \"q\"", "Ω😀",         "",
                                   "ÿþ\u00A0nbsp"};
        SettingsStore store;
        for (int i = 0; i < names.size(); ++i) {
            HighScoreTable table;
            table.setEntry(1, entry(names[i], 1000 + i, i));
            table.write(store, config(5 + i, 9, 3, 2));
        }
        // Read a copy of the file through an uncached reader: what is on disk.
        QTemporaryDir dir;
        const QString copy = dir.filePath("copy.conf");
        QVERIFY(QFile::copy(store.fileName(), copy));
        QSettings disk(copy, QSettings::IniFormat);
        for (int i = 0; i < names.size(); ++i) {
            const QString value =
                disk.value("HighScore/" + HighScoreTable::key(config(5 + i, 9, 3, 2), 1))
                    .toString();
            QVERIFY2(value != HighScoreSlot::format(entry(names[i], 1000 + i, i)),
                     "stored in the clear");
            QCOMPARE(HighScoreSlot::parse(crypted(value)).value_or(HighScoreEntry{}),
                     entry(names[i], 1000 + i, i));
        }
    }

    void corruptedPlacesStayEmpty() {
        // Hand-edited file: broken escapes, a list, undecodable bytes.
        QVERIFY(writeFile(SettingsStore().fileName(),
                          "[HighScore]\n127421=" + crypted("Good:300;2").toUtf8() +
                              "\n127422=" + crypted("Bad 300 2").toUtf8() + "\n127423=" +
                              crypted("Huge:123456789012345678901234567890;1").toUtf8() +
                              "\n127424=\xff\xfe\x80\\x\\\"junk, more, \x01\n"
                              "127425\n[Settings\n"));
        SettingsStore store;
        HighScoreTable table;
        table.read(store, config(12));
        QCOMPARE(table.entry(1), entry("Good", 300, 2));
        for (int slot = 2; slot <= 5; ++slot)
            QVERIFY2(!table.entry(slot).filled, qPrintable(QString::number(slot)));
    }
};

QTEST_GUILESS_MAIN(HighScoreTableTest)
#include "HighScoreTableTest.moc"
