// The high-score table without widgets: scrambling, place text, placement, storage.

#include "ui/dialogs/HighScoreTable.h"

#include "DialogTestSupport.h"
#include "common/Crypt.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace tavro;
using namespace tavro::test;

namespace {

GameSettings config(int cols, int rows = 7, int types = 4, int toClick = 2) {
    return {int16_t(cols), int16_t(rows), 0, 0, int16_t(toClick), int16_t(types)};
}

QString crypted(QString text) {
    return Crypt(text);
}

} // namespace

class HighScoreTableTest : public QObject {
    Q_OBJECT
private slots:
    void init() { wipeStore(); }

    // Bit 7 of the Windows-1252 byte toggled, in place; its own inverse for all but NUL.
    void cryptTogglesBitSeven() {
        // Š is byte 0x8A, 0x81 is undefined, 128 stays, Ł and 名 are not in Windows-1252.
        const QList<std::pair<QString, QString>> cases = {
            {"xyz", "\u00F8\u00F9\u00FA"}, {"\u00E9", "i"},
            {"\u20AC", "\u20AC"},          {"\u0160", "\n"},
            {"\u0001", "\u0081"},          {"\u0141\u540D", "\u0141\u540D"}};
        for (const auto& [plain, expected] : cases)
            QCOMPARE(crypted(plain), expected);
        QString text = "Player:1234;7";
        QCOMPARE(&Crypt(text), &text);
        for (char32_t u = 1; u <= 0xFFFF; ++u) {
            const QString one{QChar(char16_t(u))};
            if (crypted(crypted(one)) != one)
                QFAIL(qPrintable(QString("U+%1 does not come back").arg(uint(u), 4, 16)));
        }
    }

    // name ":" score ";" left: numbers are read up to the first non-digit (none: 0);
    // without both separators or with a number beyond 64 bits nothing is read.
    // Only positive scores are written; names lose separators and invisible characters.
    void placeText() {
        const QStringList expected =
            QStringLiteral("Player:1234;7 -> Player|1234|7/:5;0 -> |5|0/Ann:x;y -> Ann|0|0/"
                           "Ann:  12abc;  3.9x -> Ann|12|3/a;b:5 -> a;b|5|0/a:b:7;1 -> a|0|1/"
                           "N:-5;2 -> N|-5|2/ -> nothing/Player1234 -> nothing/"
                           "Player:1234 -> nothing/Player;1234 -> nothing/"
                           "H:9223372036854775808;1 -> nothing/"
                           "H:1;99999999999999999999999 -> nothing/"
                           "L:9223372036854775807;1 -> L|9223372036854775807|1")
                .split('/');
        QStringList actual;
        for (const QString& line : expected) {
            const QString plain = line.section(" -> ", 0, 0);
            const auto e = HighScoreSlot::parse(plain);
            actual
                << plain + " -> " +
                       (e ? QStringLiteral("%1|%2|%3").arg(e->name).arg(e->score).arg(e->blocksLeft)
                          : QStringLiteral("nothing"));
        }
        QCOMPARE(actual, expected);

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

    // Each configuration has its own table; every typable name comes back from
    // the file on disk, scrambled there; damaged places stay empty.
    void storage() {
        QCOMPARE(HighScoreTable::key(config(20, 15, 5, 2), 3), QStringLiteral("2015523"));
        QCOMPARE(HighScoreTable::key(config(12), 1), QStringLiteral("127421"));
        const QStringList names = {"Player",       "Zoë Müller",        "Łukasz",     "名前",
                                   "O'Brien, Jr.", "Šárka € ™ Ÿ",       "  spaced  ", "¬ » º ±",
                                   "a=b #c [d]",   "back\\slash \"q\"", "Ω😀",         "",
                                   "ÿþ\u00A0nbsp"};
        {
            SettingsStore store;
            for (int i = 0; i < names.size(); ++i) {
                HighScoreTable table;
                table.setEntry(1, {names[i], 1000 + i, i, true});
                table.write(store, config(5 + i, 9, 3, 2));
            }
            for (const GameSettings& other :
                 {config(5, 8, 3, 2), config(5, 9, 4, 2), config(5, 9, 3, 3), config(4, 9, 3, 2)}) {
                HighScoreTable table;
                table.read(store, other);
                QVERIFY(!table.entry(1).filled);
            }
        }
        QTemporaryDir dir; // an uncached reader of a copy: what is on disk
        QVERIFY(QFile::copy(SettingsStore().fileName(), dir.filePath("copy.conf")));
        QSettings disk(dir.filePath("copy.conf"), QSettings::IniFormat);
        for (int i = 0; i < names.size(); ++i) {
            const HighScoreEntry entry{names[i], 1000 + i, i, true};
            const QString value =
                disk.value("HighScore/" + HighScoreTable::key(config(5 + i, 9, 3, 2), 1))
                    .toString();
            QVERIFY2(value != HighScoreSlot::format(entry), "stored in the clear");
            QCOMPARE(HighScoreSlot::parse(crypted(value)).value_or(HighScoreEntry{}), entry);
        }

        QVERIFY(writeFile(SettingsStore().fileName(),
                          "[HighScore]\n127421=" + crypted("Good:300;2").toUtf8() +
                              "\n127422=" + crypted("Bad 300 2").toUtf8() + "\n127423=" +
                              crypted("Huge:123456789012345678901234567890;1").toUtf8() +
                              "\n127424=\xff\xfe\x80\\x\\\"junk, more, \x01\n"
                              "127425\n[Settings\n"));
        HighScoreTable table;
        SettingsStore store;
        table.read(store, config(12));
        QCOMPARE(table.entry(1), (HighScoreEntry{"Good", 300, 2, true}));
        for (int slot = 2; slot <= 5; ++slot)
            QVERIFY2(!table.entry(slot).filled, qPrintable(QString::number(slot)));
    }
};

QTEST_GUILESS_MAIN(HighScoreTableTest)
#include "HighScoreTableTest.moc"
