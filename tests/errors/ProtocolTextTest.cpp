#include "errors/ProtocolText.h"

#include "errors/LPSTRToVBString.h"

#include <QTest>

using namespace tavro;

class ProtocolTextTest : public QObject {
    Q_OBJECT

    static ProtocolFields playWavFailure() {
        ProtocolFields f;
        f.progInfoCaption = QStringLiteral("Programm-Info:");
        f.progInfo = QStringLiteral("tavro  V1.0.0");
        f.errorCaption = QStringLiteral("Fehlerbeschreibung / error description:");
        f.titles = {QStringLiteral("Fehler-Nr / error :"), QStringLiteral("Modul:"),
                    QStringLiteral("Prozedur / procedure:"), QStringLiteral("Zeile / Line:")};
        f.values = {QStringLiteral("9 (Subscript out of range)"), QStringLiteral("basCommon"),
                    QStringLiteral("PlayWAV"), QStringLiteral("42")};
        return f;
    }

private slots:
    void protocolLineByLine() {
        OsVersionInfo os;
        os.platform = QStringLiteral("Windows NT");
        os.version = QStringLiteral("10.0");
        os.buildNumber = 0x00014A65; // 84581: only the low 16 bits (19045) show
        os.csdVersion = QByteArray("Service Pack 3\0junk", 19);
        const QDateTime when(QDate(2024, 3, 7), QTime(14, 5, 9));
        const QString text = buildProtocolText(playWavFailure(), when, os);

        QVERIFY(text.endsWith(QStringLiteral("\r\n")));
        const QStringList lines = text.chopped(2).split(QStringLiteral("\r\n"));
        const QString dashes(70, u'-');
        const QString ten(10, u' ');
        const QStringList expected = {
            dashes,
            QStringLiteral("F E H L E R P R O T O K O L L  /  E R R O R   P R O T O C O L L"),
            dashes,
            QStringLiteral("PROGRAMM-INFO:"),
            ten + QStringLiteral("tavro  V1.0.0"),
            dashes,
            QStringLiteral("FEHLERBESCHREIBUNG / ERROR DESCRIPTION:"),
            ten + QStringLiteral("Fehler-Nr / error :\t9 (Subscript out of range)"),
            ten + QStringLiteral("Modul:\tbasCommon"),
            ten + QStringLiteral("Prozedur / procedure:\tPlayWAV"),
            ten + QStringLiteral("Zeile / Line:\t42"),
            ten + QStringLiteral("Datum/Uhrzeit (Date/Time):\t03-07-2024 / 14:05:09"),
            dashes,
            QStringLiteral("SYSTEMINFO:"),
            ten + QStringLiteral("Plattform/Environment:\tWindows NT"),
            ten + QStringLiteral("Version:\t10.0"),
            ten + QStringLiteral("Build:\t19045   Service Pack 3"),
            dashes,
        };
        QCOMPARE(lines.size(), expected.size());
        for (qsizetype i = 0; i < lines.size(); ++i)
            QCOMPARE(lines[i], expected[i]);
    }

    void buildLineOfUnterminatedServicePack() {
        OsVersionInfo os;
        os.buildNumber = 7;
        os.csdVersion = QByteArray("no terminator");
        const QString text = buildProtocolText(playWavFailure(), QDateTime::currentDateTime(), os);
        QVERIFY(text.contains(QStringLiteral("\r\n          Build:\t7   \r\n")));
    }

    void currentSystemFillsEveryLine() {
        const OsVersionInfo os = OsVersionInfo::current();
        QVERIFY(!os.platform.isEmpty());
        QVERIFY(!os.version.isEmpty());
        QCOMPARE(LPSTRToVBString(os.csdVersion), QString());
    }

    void cStringConversion() {
        QCOMPARE(LPSTRToVBString(QByteArray("abc\0def", 7)), QStringLiteral("abc"));
        QCOMPARE(LPSTRToVBString(QByteArray("\0abc", 4)), QString());
        QCOMPARE(LPSTRToVBString(QByteArray("abc")), QString());
        QCOMPARE(LPSTRToVBString(QByteArray()), QString());
    }

    void printWrapsLongLines() {
        // 9 words of 9 characters incl. blank each: 8 fit into 73, the 9th wraps.
        QString line;
        for (int i = 1; i <= 9; ++i)
            line += QStringLiteral("word%1abc ").arg(i);
        line.chop(1);
        const QStringList printed = wrapProtocolForPrint(line + QStringLiteral("\r\n"));
        QCOMPARE(printed.size(), 3);
        QCOMPARE(printed[0], line.left(72));
        QCOMPARE(printed[1], QString(20, u' ') + QStringLiteral("word9abc "));
        QCOMPARE(printed[2], QStringLiteral(" ")); // the empty line after the final CR LF
    }

    void printKeepsLongWordsWhole() {
        const QString longWord(80, u'x');
        const QStringList alone = wrapProtocolForPrint(longWord);
        QCOMPARE(alone, QStringList{longWord + u' '}); // begins its line: no indent

        const QStringList after = wrapProtocolForPrint(QStringLiteral("short ") + longWord);
        QCOMPARE(after,
                 (QStringList{QStringLiteral("short "), QString(20, u' ') + longWord + u' '}));
    }

    void printShowsEmptyLinesAsOneBlank() {
        const QStringList printed = wrapProtocolForPrint(QStringLiteral("a\r\n\r\nb"));
        QCOMPARE(printed,
                 (QStringList{QStringLiteral("a "), QStringLiteral(" "), QStringLiteral("b ")}));
    }

    void printOfAWholeProtocol() {
        OsVersionInfo os;
        ProtocolFields fields = playWavFailure();
        fields.values[0] =
            QStringLiteral("440 (") + QString(50, u'd') + QStringLiteral(" and more words)");
        const QString protocol = buildProtocolText(fields, QDateTime::currentDateTime(), os);
        const QStringList printed = wrapProtocolForPrint(protocol);
        // 18 lines, the long error line takes two, and a final empty line.
        QCOMPARE(printed.size(), 20);
        QCOMPARE(printed.last(), QStringLiteral(" "));
        for (const QString& line : printed)
            QVERIFY(line.endsWith(u' '));
        QVERIFY(printed[8].startsWith(QString(20, u' ')));
    }
};

QTEST_GUILESS_MAIN(ProtocolTextTest)
#include "ProtocolTextTest.moc"
