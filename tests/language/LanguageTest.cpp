// Language files, their reader and lookup, and the conversion of stored numbers.
#include "common/Language.h"

#include "common/ProfileReader.h"
#include "dialogs/TestTools.h"
#include "errors/AppError.h"
#include "errors/ErrorTrap.h"
#include "settings/NumberConversion.h"
#include "settings/Windows1252.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace tavro;
using namespace tavro::test;

class LanguageTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    static QString find(const QByteArray& content, const QString& key,
                        const QString& section = QStringLiteral("Lang")) {
        return ProfileReader::findValue(content, section, key);
    }

    static QString converted(const QString& text) {
        try {
            return QString::number(toInt16(text));
        } catch (const AppError& e) {
            return QStringLiteral("error %1").arg(e.number());
        }
    }

private slots:
    void initTestCase() {
        QVERIFY(QDir(dir_.path()).mkpath("lang"));
        const QList<std::pair<QString, QByteArray>> files = {
            {"deutsch",
             "[Lang]\r\n0101=Eins\r\n0005=f\xFCnf\r\n12345=lang\r\n0102=  \"Zitat\"  \r\n"},
            {"english", "[lang]\r\n0101=One\r\n"},
            {"french", "[Lang]\r\n0101=Un\r\n"}};
        for (const auto& [name, content] : files)
            QVERIFY(writeFile(dir_.filePath("lang/" + name + ".lng"), content));
    }

    void pathsPerLanguageId() {
        const int16_t id = 0;
        Language language(id);
        language.fillPaths(QStringLiteral("/prog"));
        QCOMPARE(QStringList(language.LangFile.begin(), language.LangFile.end()).join(','),
                 QStringLiteral("/prog/lang/deutsch.lng,/prog/lang/english.lng,/prog/lang/"
                                "spanish.lng,/prog/lang/italian.lng,,,/prog/lang/french.lng,,,,"));
    }

    void lookupFollowsTheCurrentLanguage() {
        int16_t id = 0;
        Language language(id);
        language.fillPaths(dir_.path());
        // Spanish (2) has no file here, 4 and 10 have no path: empty texts, quietly.
        const QList<std::tuple<int16_t, int16_t, QString>> cases = {
            {0, 101, "Eins"}, {0, 5, "fünf"}, {0, 12345, "lang"}, {0, 102, "Zitat"}, {0, 103, ""},
            {1, 101, "One"},  {6, 101, "Un"}, {2, 101, ""},       {4, 101, ""},      {10, 101, ""}};
        for (const auto& [lang, key, expected] : cases) {
            id = lang;
            QCOMPARE(language.GetLang(key), expected);
        }
        id = 0;
        language.fillPaths(dir_.filePath("nowhere"));
        QCOMPARE(language.GetLang(101), QString());
    }

    void idOutsideTheTableIsReported() {
        ReportRecorder recorder;
        int16_t id = 11;
        Language language(id);
        language.fillPaths(dir_.path());
        QCOMPARE(language.GetLang(101), QString());
        id = -1;
        QCOMPARE(language.GetLang(101), QString());
        QCOMPARE(recorder.reports, QStringList(2, "basCommon/GetLang"));
        for (const Failure& f : recorder.failures)
            QVERIFY(f.number == int(AppError::SubscriptOutOfRange) && f.line > 0);
    }

    void namesMatchWithoutCaseInTheirOwnSection() {
        const QByteArray content = "[other]\r\n0101=wrong\r\nx=other\r\n[LANG]\r\n0101=first\r\n"
                                   "AbC=mixed\r\n[Next]\r\n0102=next\r\n";
        QCOMPARE(find(content, "0101"), QStringLiteral("first"));
        QCOMPARE(find(content, "abc"), QStringLiteral("mixed"));
        QCOMPARE(find(content, "ABC", "lang"), QStringLiteral("mixed"));
        QCOMPARE(find(content, "x"), QString());
        QCOMPARE(find(content, "0102"), QString());
        // An unclosed section line starts no section; lines without a key are skipped.
        QCOMPARE(find("[Lang\n0101=unclosed section\n", "0101"), QString());
        QCOMPARE(find("[]\n=no key\n[Lang]\n=\n0101\n0101=ok", "0101"), QStringLiteral("ok"));
    }

    // Each value line, last in the file and before a CR LF: one pair of quotes is removed,
    // a NUL ends the line, at most 254 characters are delivered, Windows-1252 is decoded.
    void blanksQuotesAndLength() {
        const QList<std::pair<QByteArray, QString>> cases = {
            {"  0101 \t=   hello world  \t", "hello world"},
            {"0101=\"  quoted  \"", "  quoted  "},
            {"0101= 'single' ", "single"},
            {"0101=\"\"inner\"\"", "\"inner\""},
            {"0101=\"mixed'", "\"mixed'"},
            {"0101=\"", "\""},
            {"0101=\"\"", ""},
            {"0101=a=b", "a=b"},
            {QByteArray("0101=ab\0cd", 10), "ab"},
            {"0101=" + QByteArray(300, 'x'), QString(254, u'x')},
            {"0101=" + QByteArray(254, 'y'), QString(254, u'y')},
            {"0101=Espa\xF1ol \x80", "Español €"}};
        for (const auto& [line, expected] : cases) {
            QCOMPARE(find("[Lang]\n" + line, "0101"), expected);
            QCOMPARE(find("[Lang]\r\n" + line + "\r\n", "0101"), expected);
        }
    }

    // All 32 bytes 0x80..0x9F through the profile reader, one by one.
    void windows1252HighControlRange() {
        const char16_t expected[32] = {
            0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
            0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
            0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
        for (int byte = 0x80; byte <= 0x9F; ++byte) {
            const QByteArray line = "[Lang]\n0101=a" + QByteArray(1, char(byte)) + "b\n";
            QCOMPARE(find(line, "0101"), QString(u'a') + QChar(expected[byte - 0x80]) + u'b');
        }
        QCOMPARE(windows1252::decode("\xE4\xF6\xFC\xDF\xA0\xFF"), QStringLiteral("äöüß\u00A0ÿ"));
    }

    // The wanted section ends at the next section line: a second copy of it
    // further down is not searched.
    void secondCopyOfTheSectionIsNotSearched() {
        const QByteArray content = "[Lang]\n0101=one\n[Other]\n0102=x\n[LANG]\n0102=two\n";
        QCOMPARE(find(content, "0101"), QStringLiteral("one"));
        QCOMPARE(find(content, "0102"), QString());
    }

    // Only a regular file of at most 1 MB is read; anything else counts as
    // missing, without waiting, and is reported once per file.
    void languageFilesThatAreNotRegularOrTooLarge() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("lang"));
        const QString english = dir.filePath("lang/english.lng");
        const auto sized = [](qint64 size) {
            QByteArray content = "[Lang]\r\n0101=One\r\n;";
            return content.append(size - content.size(), 'x');
        };
        const int16_t id = 1;
        Language language(id);
        language.fillPaths(dir.path());
        QList<FileProblem> problems;
        language.setProblemHandler([&](const FileProblem& p) { problems.append(p); });

        QVERIFY(writeFile(english, sized(ProfileReader::kMaxFileBytes)));
        QCOMPARE(language.GetLang(101), QStringLiteral("One"));
        QVERIFY(writeFile(english, sized(ProfileReader::kMaxFileBytes + 1)));
        QCOMPARE(language.GetLang(101), QString());
        QCOMPARE(language.GetLang(101), QString());
        QCOMPARE(problems.size(), 1);
        QCOMPARE(problems[0].cause, FileProblem::Cause::TooLarge);

        QElapsedTimer clock;
        clock.start();
        for (const bool fifo : {true, false}) {
            QFile::remove(english);
            QVERIFY(fifo ? ::mkfifo(QFile::encodeName(english), 0644) == 0
                         : QFile::link("/dev/zero", english));
            QCOMPARE(language.GetLang(101), QString());
        }
        QVERIFY(clock.elapsed() < 2000);
        QCOMPARE(problems.size(), 1); // the same file, already reported
        QCOMPARE(language.textOrEnglish(263, QStringLiteral("fallback")),
                 QStringLiteral("fallback"));
    }

    void filesAreReadAnewAndMissingThingsGiveTheTrimmedDefault() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("test.lng"));
        const auto read = [](const QString& file, const char* section, const char* key) {
            return ProfileReader::readString(file, section, key, QStringLiteral("dflt  "));
        };
        QCOMPARE(read(QString(), "Lang", "0101"), QStringLiteral("dflt"));
        QCOMPARE(read(path, "Lang", "0101"), QStringLiteral("dflt"));       // no file yet
        QCOMPARE(read(dir.path(), "Lang", "0101"), QStringLiteral("dflt")); // a folder
        QVERIFY(writeFile(path, "[Lang]\r\n0101=old\r\n"));
        QCOMPARE(read(path, "Lang", "0101"), QStringLiteral("old"));
        QCOMPARE(read(path, "Lang", "0102"), QStringLiteral("dflt"));
        QCOMPARE(read(path, "Other", "0101"), QStringLiteral("dflt"));
        QVERIFY(writeFile(path, "[Lang]\n0101=new\n"));
        QCOMPARE(read(path, "Lang", "0101"), QStringLiteral("new"));
        QCOMPARE(ProfileReader::readString(path, "Lang", "0102", QString(255, u' ')), QString());
    }

    // Stored settings are decimal text, rounded half to even into 16 bits;
    // only plain decimal notation with ASCII digits counts as a number.
    void storedNumbers() {
        QStringList actual, expected;
        const auto expect = [&](const QString& text, const QString& result) {
            actual << text + " -> " + converted(text);
            expected << text + " -> " + result;
        };
        const QList<std::pair<QString, int>> numbers = {
            {"12", 12},       {"  12  ", 12},     {"\t7\t", 7},       {"+5", 5},
            {"2.5", 2},       {"3.5", 4},         {"-0.5", 0},        {"-1.5", -2},
            {"2.49", 2},      {".6", 1},          {"6.", 6},          {"0007", 7},
            {"32767", 32767}, {"32767.4", 32767}, {"-32768", -32768}, {"-32768.5", -32768}};
        for (const auto& [text, value] : numbers)
            expect(text, QString::number(value));
        for (const char* text : {"32767.5", "32768", "-32769", "99999999999999999999999"})
            expect(text, QStringLiteral("error %1").arg(int(AppError::Overflow)));
        for (const char* text :
             {"abc", "", "   ", "1e3", "0x10", "1,5", "1.2.3", "-", "1 2", "\u0661\u0662"})
            expect(text, QStringLiteral("error %1").arg(int(AppError::TypeMismatch)));
        QCOMPARE(actual, expected);
    }
    // Every id that a window of the program looks up, in every shipped file.
    void everyIdInEveryLanguage() {
        QList<int16_t> ids{102, 143, 144};
        for (int16_t id = 110; id <= 137; ++id)
            if (id != 125)
                ids << id; // toolbar, menu, dialogs, quit question, high-score table
        int16_t languageId = 0;
        Language language(languageId);
        language.fillPaths(QCoreApplication::applicationDirPath());
        for (int16_t lang : {0, 1, 2, 3, 6}) {
            languageId = lang;
            QFile file(language.LangFile[lang]);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
            const QByteArray bytes = file.readAll();
            QVERIFY(bytes.startsWith("[Lang]\r\n"));
            QVERIFY2(!bytes.contains("\xC3"), qPrintable(file.fileName())); // UTF-8 accents
            for (int16_t id : ids) {
                const QString text = language.GetLang(id);
                QVERIFY2(
                    !text.trimmed().isEmpty() && !text.contains(QChar::ReplacementCharacter),
                    qPrintable(QStringLiteral("%1: id %2 \"%3\"").arg(lang).arg(id).arg(text)));
            }
        }
    }

    // Within one menu or dialog no two captions share an access key ("&x";
    // "&&" is a plain ampersand). Fixed captions of a dialog join its group.
    void accessKeysAreUniquePerMenuAndDialog() {
        const QList<std::pair<QList<int16_t>, QStringList>> groups = {
            {{120, 122, 123}, {}},                                    // help menu
            {{115, 116, 118, 119, 121, 129, 130, 131, 143}, {"&OK"}}, // options
            {{127, 128, 129, 132, 133, 134, 136, 137}, {"&OK"}},      // high scores
        };
        const auto keyOf = [](const QString& caption) {
            for (qsizetype i = caption.indexOf(u'&'); i >= 0 && i + 1 < caption.size();
                 i = caption.indexOf(u'&', i + 2))
                if (caption[i + 1] != u'&')
                    return caption[i + 1].toCaseFolded();
            return QChar();
        };
        int16_t languageId = 0;
        Language language(languageId);
        language.fillPaths(QCoreApplication::applicationDirPath());
        QStringList clashes;
        for (int16_t lang : {0, 1, 2, 3, 6}) {
            languageId = lang;
            for (const auto& [ids, fixed] : groups) {
                QStringList captions = fixed;
                for (int16_t id : ids)
                    captions << language.GetLang(id);
                QHash<QChar, QString> owner;
                for (const QString& caption : captions) {
                    const QChar key = keyOf(caption);
                    if (!key.isNull() && owner.contains(key))
                        clashes << QStringLiteral("%1: \"%2\" and \"%3\"")
                                       .arg(lang)
                                       .arg(owner[key], caption);
                    owner.insert(key, caption);
                }
            }
        }
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(", ")));
    }
};

QTEST_GUILESS_MAIN(LanguageTest)
#include "LanguageTest.moc"
