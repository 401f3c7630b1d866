// Language files and their reader, stored numbers, the help pages and readme.
#include "common/Language.h"

#include "common/ProfileReader.h"
#include "dialogs/TestTools.h"
#include "errors/AppError.h"
#include "settings/NumberConversion.h"

#include <QtTest>
#include <QtWidgets>
#include <cmath>

using namespace tavro;
using namespace tavro::test;

namespace {

QString find(const QByteArray& content, const QString& key, const QString& section = "Lang") {
    return ProfileReader::findValue(content, section, key);
}

const QString kSource = qEnvironmentVariable("TAVRO_TEST_SOURCE_DIR");

QStringList pagesOf(const QString& language) {
    return QDir(kSource + "/help/" + language).entryList({"*.html"}, QDir::Files, QDir::Name);
}

// A page as the help window's browser shows it, and the character formats of
// all its fragments, tables included.
struct Page {
    QTextBrowser browser;
    QList<QTextCharFormat> formats;
    explicit Page(const QString& path) {
        browser.setSource(QUrl::fromLocalFile(path));
        for (QTextBlock b = browser.document()->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                formats << it.fragment().charFormat();
    }
    QString text() const { return browser.document()->toPlainText(); }
};

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT

private slots:
    // Texts of the current language, read anew at every lookup; "" when a file
    // or path is missing, for an id outside the table (reported) and for a file
    // above 1 MB (reported once).
    void languageFiles() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("lang"));
        const QString english = dir.filePath("lang/english.lng");
        QVERIFY(writeFile(
            dir.filePath("lang/deutsch.lng"),
            "[Lang]\r\n0101=Eins\r\n0005=f\xFCnf\r\n12345=lang\r\n0102=  \"Zitat\"  \r\n"));
        QVERIFY(writeFile(english, "[lang]\r\n0101=One\r\n"));
        QVERIFY(writeFile(dir.filePath("lang/french.lng"), "[Lang]\r\n0101=Un\r\n"));
        int16_t id = 0;
        Language language(id);
        language.fillPaths(dir.path());
        ReportRecorder recorder;
        // Spanish (2) has no file here, 4 and 10 have no path; 11 and -1 are outside.
        const QList<std::tuple<int16_t, int16_t, QString>> cases = {
            {0, 101, "Eins"}, {0, 5, "fünf"},  {0, 12345, "lang"}, {0, 102, "Zitat"},
            {0, 103, ""},     {1, 101, "One"}, {6, 101, "Un"},     {2, 101, ""},
            {4, 101, ""},     {10, 101, ""},   {11, 101, ""},      {-1, 101, ""}};
        for (const auto& [lang, key, expected] : cases) {
            id = lang;
            QCOMPARE(language.GetLang(key), expected);
        }
        QCOMPARE(recorder.reports, QStringList(2, "basCommon/GetLang"));
        for (const Failure& f : recorder.failures)
            QVERIFY(f.number == int(AppError::SubscriptOutOfRange) && f.line > 0);

        const auto read = [](const QString& file, const char* section, const char* key) {
            return ProfileReader::readString(file, section, key, QStringLiteral("dflt  "));
        };
        QVERIFY(writeFile(english, "[Lang]\r\n0101=old\r\n"));
        QCOMPARE(read(QString(), "Lang", "0101") + read(dir.path(), "Lang", "0101") +
                     read(english, "Lang", "0101") + read(english, "Lang", "0102") +
                     read(english, "Other", "0101"),
                 QStringLiteral("dfltdfltolddfltdflt"));
        QCOMPARE(ProfileReader::readString(english, "Lang", "0102", QString(255, u' ')), QString());
        id = 1;
        QCOMPARE(language.GetLang(101), QStringLiteral("old"));
        QList<FileProblem> problems;
        language.setProblemHandler([&](const FileProblem& p) { problems.append(p); });
        const auto sized = [](qint64 size) {
            QByteArray content = "[Lang]\r\n0101=One\r\n;";
            return content.append(size - content.size(), 'x');
        };
        QVERIFY(writeFile(english, sized(ProfileReader::kMaxFileBytes)));
        QCOMPARE(language.GetLang(101), QStringLiteral("One"));
        QVERIFY(writeFile(english, sized(ProfileReader::kMaxFileBytes + 1)));
        QCOMPARE(language.GetLang(101) + language.GetLang(101), QString());
        QCOMPARE(problems.size(), 1);
        QCOMPARE(problems[0].cause, FileProblem::Cause::TooLarge);
        QCOMPARE(language.textOrEnglish(263, "fallback"), QStringLiteral("fallback"));
    }

    // Sections and names match without case; the wanted section ends at the
    // next section line, a second copy further down is not searched. Each
    // value, last in the file or before CR LF: one pair of quotes removed, a
    // NUL ends it, at most 254 characters, Windows-1252 decoded.
    void profileReaderRules() {
        const QByteArray content = "[other]\r\n0101=wrong\r\nx=other\r\n[LANG]\r\n0101=first\r\n"
                                   "AbC=mixed\r\n[Next]\r\n0102=next\r\n[Lang]\r\n0103=again\r\n";
        QCOMPARE(find(content, "0101") + find(content, "abc") + find(content, "ABC", "lang"),
                 QStringLiteral("firstmixedmixed"));
        QCOMPARE(find(content, "x") + find(content, "0102") + find(content, "0103"), QString());
        QCOMPARE(find("[Lang\n0101=unclosed section\n", "0101"), QString());
        QCOMPARE(find("[]\n=no key\n[Lang]\n=\n0101\n0101=ok", "0101"), QStringLiteral("ok"));
        QByteArray high; // 0x80-0x9F, the five undefined bytes as their C1 controls
        for (int byte = 0x80; byte <= 0x9F; ++byte)
            high += char(byte);
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
            {"0101=Espa\xF1ol \xE4\xF6\xFC\xDF\xA0\xFF", "Español äöüß\u00A0ÿ"},
            {"0101=" + high, QStringDecoder("windows-1252")(high)}};
        for (const auto& [line, expected] : cases) {
            QCOMPARE(find("[Lang]\n" + line, "0101"), expected);
            QCOMPARE(find("[Lang]\r\n" + line + "\r\n", "0101"), expected);
        }
    }

    // Stored settings are decimal text, rounded half to even into 16 bits;
    // only plain decimal notation with ASCII digits counts as a number.
    void storedNumbers() {
        const auto convert = [](const QString& text) {
            try {
                return QString::number(toInt16(text));
            } catch (const AppError& e) {
                return QStringLiteral("error %1").arg(e.number());
            }
        };
        const QString overflow = QStringLiteral("error %1").arg(int(AppError::Overflow));
        const QString mismatch = QStringLiteral("error %1").arg(int(AppError::TypeMismatch));
        QList<std::pair<QString, QString>> cases = {
            {"12", "12"},       {"  12  ", "12"},     {"\t7\t", "7"},       {"+5", "5"},
            {"2.5", "2"},       {"3.5", "4"},         {"-0.5", "0"},        {"-1.5", "-2"},
            {"2.49", "2"},      {".6", "1"},          {"6.", "6"},          {"0007", "7"},
            {"32767", "32767"}, {"32767.4", "32767"}, {"-32768", "-32768"}, {"-32768.5", "-32768"}};
        for (const char* text : {"32767.5", "32768", "-32769", "99999999999999999999999"})
            cases.append({text, overflow});
        for (const char* text :
             {"abc", "", "   ", "1e3", "0x10", "1,5", "1.2.3", "-", "1 2", "\u0661\u0662"})
            cases.append({text, mismatch});
        for (const auto& [text, expected] : cases)
            QCOMPARE(text + " -> " + convert(text), text + " -> " + expected);
    }

    // In every shipped file: Windows-1252 text for the ids no help page names,
    // and no two captions of one menu or dialog share an access key ("&&" is
    // a plain ampersand; fixed captions join their dialog's group).
    void shippedFiles() {
        const QList<std::pair<QList<int16_t>, QStringList>> groups = {
            {{120, 122, 123}, {}},                                    // help menu
            {{115, 116, 118, 119, 121, 129, 130, 131, 143}, {"&OK"}}, // options
            {{127, 128, 129, 132, 133, 134, 136, 137}, {"&OK"}},      // high scores
        };
        int16_t languageId = 0;
        Language language(languageId);
        language.fillPaths(QCoreApplication::applicationDirPath());
        QStringList faults;
        for (int16_t lang : {0, 1, 2, 3, 6}) {
            languageId = lang;
            const QByteArray bytes = readFile(language.LangFile[lang]);
            QVERIFY2(bytes.startsWith("[Lang]\r\n") && !bytes.contains("\xC3"), // UTF-8 accents
                     qPrintable(language.LangFile[lang]));
            for (int16_t id : {102, 124, 126, 135})
                if (language.GetLang(id).trimmed().isEmpty())
                    faults << QStringLiteral("%1: no text %2").arg(lang).arg(id);
            for (const auto& [group, fixed] : groups) {
                QHash<QChar, QString> owner;
                QStringList captions = fixed;
                for (int16_t id : group)
                    captions << language.GetLang(id);
                for (const QString& caption : captions) {
                    const QString plain = QString(caption).replace("&&", "");
                    const qsizetype at = plain.indexOf(u'&');
                    if (at < 0 || at + 1 >= plain.size())
                        continue;
                    const QChar key = plain[at + 1].toCaseFolded();
                    if (owner.contains(key))
                        faults << QStringLiteral("%1: \"%2\" and \"%3\"")
                                      .arg(lang)
                                      .arg(owner[key], caption);
                    owner.insert(key, caption);
                }
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(", ")));
    }

    void helpPages_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("id");
        for (const auto& [language, id] :
             {std::pair("en", 1), {"de", 0}, {"es", 2}, {"it", 3}, {"fr", 6}})
            QTest::newRow(language) << QString(language) << id;
    }
    // Every language has the same pages; each is UTF-8 with a title, text, the
    // logo and links that resolve; scoring tables follow the rules; the pages
    // use the words the game shows in that language.
    void helpPages() {
        QFETCH(QString, language);
        QFETCH(int, id);
        QVERIFY(pagesOf(language).contains("index.html"));
        QCOMPARE(pagesOf(language), pagesOf("en"));
        QStringList problems;
        for (const QString& name : pagesOf(language)) {
            const QString path = kSource + "/help/" + language + "/" + name;
            QFile file(path);
            QStringDecoder decode(QStringDecoder::Utf8);
            const QString html = decode(file.open(QIODevice::ReadOnly) ? file.readAll() : "");
            const Page page(path);
            if (decode.hasError() || page.browser.documentTitle().isEmpty() ||
                page.text().size() < 400)
                problems << name + ": not UTF-8, no title or hardly any text";
            int links = 0, pictures = 0;
            for (const QTextCharFormat& format : page.formats) {
                const bool picture = format.isImageFormat();
                const QUrl href(picture ? format.toImageFormat().name() : format.anchorHref());
                if (href.isEmpty() ||
                    QStringList{"http", "https", "mailto"}.contains(href.scheme()))
                    continue;
                (picture ? pictures : links)++;
                const QString target = QUrl::fromLocalFile(path).resolved(href).toLocalFile();
                QStringList anchors;
                if (href.hasFragment() && QFile::exists(target))
                    for (const QTextCharFormat& f : Page(target).formats)
                        anchors << f.anchorNames();
                if ((picture && QImage(target).isNull()) || !QFile::exists(target) ||
                    (href.hasFragment() && !anchors.contains(href.fragment())))
                    problems << name + ": missing picture, page or anchor " + href.toString();
            }
            if (links == 0 || pictures == 0)
                problems << name + ": no links to the other topics or no logo";
            if (name != "scoring.html")
                continue;
            // Rows of the points table (k, k² + 1) and the bonus table (x 1.5, halves to even).
            QVERIFY(page.text().contains(QString::fromUtf8("k² + 1")));
            const QRegularExpression row("<tr><td[^>]*>\\s*(\\d+)\\s*</td><td[^>]*>\\s*(\\d+)");
            int points = 0, bonus = 0;
            for (auto it = row.globalMatch(html); it.hasNext();) {
                const auto match = it.next();
                const long before = match.captured(1).toLong(), after = match.captured(2).toLong();
                if (after == before * before + 1)
                    ++points;
                else if (after == std::lround(std::nearbyint(before * 1.5)))
                    ++bonus;
                else
                    problems << name + ": wrong row " + match.captured(0);
            }
            QVERIFY(points > 2 && bonus > 2);
        }
        // Toolbar tooltips and help menu; options dialog; high-score dialog; extras.
        const QList<std::pair<QString, QList<int16_t>>> words{
            {"window.html", {110, 111, 112, 113, 114, 117, 120, 122, 123}},
            {"options.html", {115, 116, 118, 119, 121, 129, 130, 131, 143}},
            {"highscores.html", {127, 128, 132, 133, 134, 136, 137, 144}},
            {"extras.html", {201, 202, 203, 204, 205, 206, 208, 218, 240, 241, 250}},
        };
        const int16_t languageId = int16_t(id);
        Language texts(languageId);
        texts.fillPaths(kSource);
        for (const auto& [name, ids] : words) {
            const QString text = Page(kSource + "/help/" + language + "/" + name).text();
            for (int16_t textId : ids) {
                const QString word = texts.GetLang(textId).remove(u'&').trimmed();
                if (word.isEmpty() || !text.contains(word, Qt::CaseInsensitive))
                    problems << QString("%1 lacks %2 \"%3\"").arg(name).arg(textId).arg(word);
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("\n")));
    }

    // One offline page with a complete section per language, each naming its
    // language and covering play, scoring, keys, where the data lives,
    // uninstalling and the licence.
    void readmeBesideTheProgram() {
        QFile file(QCoreApplication::applicationDirPath() + "/Readme.htm");
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QString page = QString::fromUtf8(file.readAll());
        QVERIFY(!page.contains(QRegularExpression("@[A-Z_]+@"))); // every value filled in
        QVERIFY(!page.contains("<link") && !page.contains("src="));
        QVERIFY(page.contains("Permission is hereby granted"));
        for (const auto& [code, name] : {std::pair("de", "Deutsch"),
                                         {"en", "English"},
                                         {"es", "Espa\u00F1ol"},
                                         {"it", "Italiano"},
                                         {"fr", "Fran\u00E7ais"}}) {
            const qsizetype start = page.indexOf(QString("<section id=\"%1\"").arg(code));
            const QString section = page.mid(start, page.indexOf("</section>", start) - start);
            QVERIFY2(start >= 0 && section.contains(QString("<h2>%1</h2>").arg(name)), code);
            for (const char* needed :
                 {"k\u00B2 + 1", "\u00D7 1", "F1", "F2", "+Q", "Tavro.conf", "tavro.EPT",
                  ".local/share/Tavro", "apt remove tavro", "lib/tavro", "MIT"})
                QVERIFY2(section.contains(QString::fromUtf8(needed)), code);
        }
    }
};

QTEST_MAIN(LanguageTest)
#include "LanguageTest.moc"
