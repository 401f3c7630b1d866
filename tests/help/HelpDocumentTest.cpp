// The help pages in every language and the readme beside the program.
#include "common/Language.h"

#include <QDir>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>
#include <cmath>

using namespace tavro;

namespace {

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

class HelpDocumentTest : public QObject {
    Q_OBJECT

private slots:
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
            QList<std::pair<QUrl, bool>> targets; // address, whether a picture
            for (const QTextCharFormat& format : page.formats) {
                if (format.isImageFormat())
                    targets.append({QUrl(format.toImageFormat().name()), true});
                if (format.isAnchor() && !format.anchorHref().isEmpty())
                    targets.append({QUrl(format.anchorHref()), false});
            }
            for (const auto& [href, picture] : targets) {
                if (QStringList{"http", "https", "mailto"}.contains(href.scheme()))
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
            // Points for a group of k blocks; the clearing bonus, halves to even.
            QVERIFY(page.text().contains(QString::fromUtf8("k² + 1")));
            const QRegularExpression row("<tr><td[^>]*>\\s*(\\d+)\\s*</td><td[^>]*>\\s*(\\d+)");
            QList<QList<std::pair<long, long>>> tables;
            for (const QString& table : html.split("<table").mid(1)) {
                QList<std::pair<long, long>> pairs;
                for (auto it = row.globalMatch(table); it.hasNext();) {
                    const auto match = it.next();
                    pairs.append({match.captured(1).toLong(), match.captured(2).toLong()});
                }
                if (!pairs.isEmpty())
                    tables << pairs;
            }
            QCOMPARE(tables.size(), 2);
            for (const auto& [k, points] : tables[0])
                QCOMPARE(points, k * k + 1);
            for (const auto& [before, after] : tables[1])
                QCOMPARE(after, std::lround(std::nearbyint(before * 1.5)));
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

QTEST_MAIN(HelpDocumentTest)
#include "HelpDocumentTest.moc"
