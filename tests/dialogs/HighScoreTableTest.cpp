// The high-score table without widgets: scrambling, the slot text, placement
// and the stored form in the real settings store.

#include "ui/dialogs/HighScoreTable.h"

#include "common/Crypt.h"
#include "settings/GameSettings.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavro;

namespace {

GameSettings config(int cols, int rows, int types, int toClick) {
    GameSettings s;
    s.Cols = int16_t(cols);
    s.Rows = int16_t(rows);
    s.BlockTypes = int16_t(types);
    s.BlocksToClick = int16_t(toClick);
    return s;
}

HighScoreEntry entry(const QString& name, int64_t score, int64_t left) {
    return {name, score, left, true};
}

HighScoreTable tableOf(std::initializer_list<int64_t> scores) {
    HighScoreTable table;
    int slot = 1;
    for (int64_t score : scores) {
        table.setEntry(slot, entry(QStringLiteral("P%1").arg(slot), score, slot));
        ++slot;
    }
    return table;
}

QString crypted(QString text) {
    return Crypt(text);
}

void wipeStore() {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Tavro", "Tavro");
    settings.clear();
    settings.sync();
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
    }

    void cryptIsItsOwnInverseForEveryCharacterButNul() {
        for (char32_t u = 1; u <= 0xFFFF; ++u) {
            const QString one{QChar(char16_t(u))};
            const QString twice = crypted(crypted(one));
            if (twice != one)
                QFAIL(qPrintable(QString("U+%1 does not come back").arg(uint(u), 4, 16)));
        }
    }

    void slotTextIsParsedByItsSeparators_data() {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("score");
        QTest::addColumn<qint64>("left");
        QTest::newRow("plain") << "Player:1234;7" << true << "Player" << 1234LL << 7LL;
        QTest::newRow("empty name") << ":5;0" << true << "" << 5LL << 0LL;
        QTest::newRow("blanks and junk after numbers")
            << "Ann:  12abc;  3.9x" << true << "Ann" << 12LL << 3LL;
        QTest::newRow("no digits reads 0") << "Ann:x;y" << true << "Ann" << 0LL << 0LL;
        QTest::newRow("semicolon before colon") << "a;b:5" << true << "a;b" << 5LL << 0LL;
        QTest::newRow("second colon belongs to the score field")
            << "a:b:7;1" << true << "a" << 0LL << 1LL;
        QTest::newRow("negative") << "N:-5;2" << true << "N" << -5LL << 2LL;
        QTest::newRow("largest") << "L:9223372036854775807;1" << true << "L"
                                 << 9223372036854775807LL << 1LL;
        QTest::newRow("no separators") << "Player1234" << false << "" << 0LL << 0LL;
        QTest::newRow("colon only") << "Player:1234" << false << "" << 0LL << 0LL;
        QTest::newRow("semicolon only") << "Player;1234" << false << "" << 0LL << 0LL;
        QTest::newRow("empty") << "" << false << "" << 0LL << 0LL;
        QTest::newRow("huge score") << "H:9223372036854775808;1" << false << "" << 0LL << 0LL;
        QTest::newRow("huge left") << "H:1;99999999999999999999999" << false << "" << 0LL << 0LL;
    }
    void slotTextIsParsedByItsSeparators() {
        QFETCH(QString, plain);
        QFETCH(bool, valid);
        const auto parsed = HighScoreSlot::parse(plain);
        QCOMPARE(parsed.has_value(), valid);
        if (!valid)
            return;
        QFETCH(QString, name);
        QFETCH(qint64, score);
        QFETCH(qint64, left);
        QCOMPARE(parsed->name, name);
        QCOMPARE(parsed->score, score);
        QCOMPARE(parsed->blocksLeft, left);
    }

    void slotTextIsFormattedOnlyForPositiveScores() {
        QCOMPARE(HighScoreSlot::format(entry("Player", 1234, 7)), QStringLiteral("Player:1234;7"));
        QCOMPARE(HighScoreSlot::format(entry("Zero", 0, 3)), QString());
        QCOMPARE(HighScoreSlot::format(HighScoreEntry{}), QString());
    }

    void nameBoxAnswerLosesOnlySeparatorsAndControls() {
        QCOMPARE(HighScoreSlot::cleanName("Dr. No: 007; Bond"),
                 QStringLiteral("Dr. No. 007, Bond"));
        QCOMPARE(HighScoreSlot::cleanName("Tab\there\n"), QStringLiteral("Tabhere"));
        const QString kept = QStringLiteral("Zoë Łukasz 名前 €™ ¬»º");
        QCOMPARE(HighScoreSlot::cleanName(kept), kept);
        // A cleaned name always parses back whole.
        const QString name = HighScoreSlot::cleanName("a:b;c");
        QCOMPARE(HighScoreSlot::parse(HighScoreSlot::format(entry(name, 9, 1)))->name, name);
    }

    void keyJoinsTheConfigurationAndSlot() {
        QCOMPARE(HighScoreTable::key(config(20, 15, 5, 2), 3), QStringLiteral("2015523"));
        QCOMPARE(HighScoreTable::key(config(12, 7, 4, 2), 1), QStringLiteral("127421"));
    }

    void placementGoesAboveEqualScoresAndShiftsDown() {
        HighScoreTable table = tableOf({500, 400, 300, 200, 100});
        QCOMPARE(table.placeFor(300), 3);
        table.insert(3, entry("New", 300, 0));
        const QList<QString> names = {"P1", "P2", "New", "P3", "P4"};
        const QList<int64_t> scores = {500, 400, 300, 300, 200};
        for (int slot = 1; slot <= 5; ++slot) {
            QCOMPARE(table.entry(slot).name, names[slot - 1]);
            QCOMPARE(table.entry(slot).score, scores[slot - 1]);
        }
        table.insert(1, entry("Top", 900, 0));
        QCOMPARE(table.entry(1).name, QStringLiteral("Top"));
        QCOMPARE(table.entry(5).name, QStringLiteral("P3"));
        table.insert(5, entry("Last", 250, 0));
        QCOMPARE(table.entry(4).name, QStringLiteral("New"));
        QCOMPARE(table.entry(5).name, QStringLiteral("Last"));
    }

    void scoreBelowAllFiveFindsNoPlace() {
        QCOMPARE(tableOf({500, 400, 300, 200, 100}).placeFor(99), 0);
        QCOMPARE(tableOf({500, 400}).placeFor(0), 3); // empty places count as 0
        QCOMPARE(HighScoreTable().placeFor(0), 1);
    }

    void resetLeavesZeroEntriesThatAreStoredEmpty() {
        SettingsStore store;
        const GameSettings s = config(12, 7, 4, 2);
        HighScoreTable table = tableOf({500, 400, 300, 200, 100});
        table.write(store, s);
        table.reset();
        for (int slot = 1; slot <= 5; ++slot)
            QCOMPARE(table.entry(slot), entry("", 0, 0));
        table.write(store, s);
        for (int slot = 1; slot <= 5; ++slot)
            QCOMPARE(store.read("HighScore", HighScoreTable::key(s, slot), "missing"), QString());
        HighScoreTable reread;
        reread.read(store, s);
        QCOMPARE(reread.entry(1).filled, false);
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
            QString value =
                disk.value("HighScore/" + HighScoreTable::key(config(5 + i, 9, 3, 2), 1))
                    .toString();
            QVERIFY2(value != HighScoreSlot::format(entry(names[i], 1000 + i, i)),
                     "stored in the clear");
            const auto parsed = HighScoreSlot::parse(Crypt(value));
            QVERIFY2(parsed, qPrintable(names[i]));
            QCOMPARE(parsed->name, names[i]);
            QCOMPARE(parsed->score, 1000 + i);
            QCOMPARE(parsed->blocksLeft, i);
        }
    }

    void configurationsKeepSeparateTables() {
        SettingsStore store;
        const GameSettings base = config(12, 7, 4, 2);
        const QList<GameSettings> others = {config(13, 7, 4, 2), config(12, 8, 4, 2),
                                            config(12, 7, 5, 2), config(12, 7, 4, 3)};
        tableOf({500}).write(store, base);
        for (const GameSettings& other : others) {
            HighScoreTable table;
            table.read(store, other);
            QCOMPARE(table.entry(1).filled, false);
        }
        HighScoreTable table;
        table.read(store, base);
        QCOMPARE(table.entry(1), entry("P1", 500, 1));
    }

    void corruptedSlotsStayEmpty() {
        const GameSettings s = config(12, 7, 4, 2);
        QString good = "Good:300;2";
        QString noSeparators = "Bad 300 2";
        QString huge = "Huge:123456789012345678901234567890;1";
        {
            // Hand-edited file: broken escapes, a list, undecodable bytes.
            QFile file(SettingsStore().fileName());
            QVERIFY(file.open(QIODevice::WriteOnly));
            QByteArray text = "[HighScore]\n127421=" + Crypt(good).toUtf8() +
                              "\n127422=" + Crypt(noSeparators).toUtf8() +
                              "\n127423=" + Crypt(huge).toUtf8() +
                              "\n127424=\xff\xfe\x80\\x\\\"junk, more, \x01\n"
                              "127425\n[Settings\n";
            file.write(text);
        }
        SettingsStore store;
        HighScoreTable table;
        table.read(store, s);
        QCOMPARE(table.entry(1), entry("Good", 300, 2));
        for (int slot = 2; slot <= 5; ++slot)
            QVERIFY2(!table.entry(slot).filled, qPrintable(QString::number(slot)));
    }
};

QTEST_GUILESS_MAIN(HighScoreTableTest)
#include "HighScoreTableTest.moc"
