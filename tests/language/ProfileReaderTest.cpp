#include "common/ProfileReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using tavro::ProfileReader;

class ProfileReaderTest : public QObject {
    Q_OBJECT

    QString writeFile(const QTemporaryDir& dir, const QByteArray& content) {
        const QString path = dir.filePath(QStringLiteral("test.lng"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write %s", qPrintable(path));
        file.write(content);
        return path;
    }

    static QString find(const QByteArray& content, const char* key) {
        return ProfileReader::findValue(content, QStringLiteral("Lang"), QString::fromLatin1(key));
    }

private slots:
    void namesMatchWithoutCase() {
        const QByteArray content = "[other]\r\n0101=wrong\r\n[LANG]\r\n0101=first\r\nAbC=mixed\r\n";
        QCOMPARE(find(content, "0101"), QStringLiteral("first"));
        QCOMPARE(find(content, "abc"), QStringLiteral("mixed"));
        QCOMPARE(ProfileReader::findValue(content, QStringLiteral("lang"), QStringLiteral("ABC")),
                 QStringLiteral("mixed"));
        // A key of another section is not found in this one.
        QCOMPARE(ProfileReader::findValue(content, QStringLiteral("Lang"), QStringLiteral("x")),
                 QString());
        QCOMPARE(ProfileReader::findValue("[Lang]\n0101=a\n[Next]\n0102=b\n",
                                          QStringLiteral("Lang"), QStringLiteral("0102")),
                 QString());
    }

    void blanksAndQuotes_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("expected");
        QTest::newRow("blanks around key and value")
            << QByteArray("  0101 \t=   hello world  \t") << QStringLiteral("hello world");
        QTest::newRow("double quotes")
            << QByteArray("0101=\"  quoted  \"") << QStringLiteral("  quoted  ");
        QTest::newRow("single quotes") << QByteArray("0101= 'single' ") << QStringLiteral("single");
        QTest::newRow("only one pair removed")
            << QByteArray("0101=\"\"inner\"\"") << QStringLiteral("\"inner\"");
        QTest::newRow("mismatched quotes kept")
            << QByteArray("0101=\"mixed'") << QStringLiteral("\"mixed'");
        QTest::newRow("lone quote kept") << QByteArray("0101=\"") << QStringLiteral("\"");
        QTest::newRow("empty quotes") << QByteArray("0101=\"\"") << QString();
        QTest::newRow("equals inside value") << QByteArray("0101=a=b") << QStringLiteral("a=b");
        QTest::newRow("NUL ends the line") << QByteArray("0101=ab\0cd", 10) << QStringLiteral("ab");
    }

    void blanksAndQuotes() {
        QFETCH(QByteArray, line);
        QFETCH(QString, expected);
        QCOMPARE(find("[Lang]\r\n" + line + "\r\n", "0101"), expected);
        // The last line needs no line end.
        QCOMPARE(find("[Lang]\n" + line, "0101"), expected);
    }

    void longValuesAreCut() {
        const QByteArray value(300, 'x');
        QCOMPARE(find("[Lang]\n0101=" + value + "\n", "0101"), QString(254, u'x'));
        QCOMPARE(find("[Lang]\n0101=" + QByteArray(254, 'y') + "\n", "0101"), QString(254, u'y'));
    }

    void windows1252Decoding() {
        QCOMPARE(ProfileReader::decodeWindows1252("\x80"), QStringLiteral("\u20AC"));
        QCOMPARE(ProfileReader::decodeWindows1252("\xE4\xF6\xFC\xDF"), QStringLiteral("äöüß"));
        QCOMPARE(ProfileReader::decodeWindows1252("\x93x\x94 \x85 \x9F"),
                 QStringLiteral("\u201Cx\u201D \u2026 \u0178"));
        // Bytes the code page leaves undefined keep their number.
        QCOMPARE(ProfileReader::decodeWindows1252("\x81\x8D\x8F\x90\x9D"),
                 QStringLiteral("\u0081\u008D\u008F\u0090\u009D"));
        QCOMPARE(find("[Lang]\n0101=Espa\xF1ol \x80\n", "0101"), QStringLiteral("Español €"));
    }

    void missingThingsGiveTheTrimmedDefault() {
        QTemporaryDir dir;
        const QString blanks(255, u' ');
        QCOMPARE(ProfileReader::readString(QString(), QStringLiteral("Lang"),
                                           QStringLiteral("0101"), blanks),
                 QString());
        QCOMPARE(ProfileReader::readString(dir.filePath(QStringLiteral("none.lng")),
                                           QStringLiteral("Lang"), QStringLiteral("0101"),
                                           QStringLiteral("dflt  ")),
                 QStringLiteral("dflt"));
        // A folder is no file.
        QCOMPARE(ProfileReader::readString(dir.path(), QStringLiteral("Lang"),
                                           QStringLiteral("0101"), blanks),
                 QString());
        const QString path = writeFile(dir, "[Lang]\r\n0101=there\r\n");
        QCOMPARE(
            ProfileReader::readString(path, QStringLiteral("Lang"), QStringLiteral("0101"), blanks),
            QStringLiteral("there"));
        QCOMPARE(
            ProfileReader::readString(path, QStringLiteral("Lang"), QStringLiteral("0102"), blanks),
            QString());
        QCOMPARE(ProfileReader::readString(path, QStringLiteral("Other"), QStringLiteral("0101"),
                                           blanks),
                 QString());
    }

    void fileIsReadAnewOnEveryCall() {
        QTemporaryDir dir;
        const QString path = writeFile(dir, "[Lang]\n0101=old\n");
        QCOMPARE(ProfileReader::readString(path, QStringLiteral("Lang"), QStringLiteral("0101")),
                 QStringLiteral("old"));
        writeFile(dir, "[Lang]\n0101=new\n");
        QCOMPARE(ProfileReader::readString(path, QStringLiteral("Lang"), QStringLiteral("0101")),
                 QStringLiteral("new"));
    }

    void junkDoesNotBreakTheReader() {
        QByteArray junk;
        for (int i = 0; i < 4096; ++i)
            junk.append(static_cast<char>((i * 7919) % 256));
        QCOMPARE(find(junk, "0101"), QString());
        QCOMPARE(find(junk + "\n[Lang]\n0101=found\n", "0101"), QStringLiteral("found"));
        QCOMPARE(find("[Lang\n0101=unclosed section\n", "0101"), QString());
        QCOMPARE(find("[]\n=no key\n[Lang]\n=\n0101\n0101=ok", "0101"), QStringLiteral("ok"));
    }
};

QTEST_GUILESS_MAIN(ProfileReaderTest)
#include "ProfileReaderTest.moc"
