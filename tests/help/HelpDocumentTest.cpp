// The help pages in every language and the readme beside the program.
#include <QDir>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>
#include <cmath>
#include <memory>

namespace {

QString sourcePath(const QString& path) {
    const QString root = qEnvironmentVariable("TAVRO_TEST_SOURCE_DIR");
    return QDir(root.isEmpty() ? QCoreApplication::applicationDirPath() + "/.." : root)
        .filePath(path);
}

QStringList pagesOf(const QString& language) {
    return QDir(sourcePath("help/" + language)).entryList({"*.html"}, QDir::Files, QDir::Name);
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
        QTest::addColumn<QString>("languageFile");
        for (const auto& [language, file] : QList<std::pair<QString, QString>>{{"en", "english"},
                                                                               {"de", "deutsch"},
                                                                               {"es", "spanish"},
                                                                               {"it", "italian"},
                                                                               {"fr", "french"}})
            QTest::newRow(qPrintable(language)) << language << file;
    }
    // Every language has the same pages; each is UTF-8 with a title, text, the
    // logo and links that resolve; scoring tables follow the rules; the pages
    // use the words the game shows in that language.
    void helpPages() {
        QFETCH(QString, language);
        QFETCH(QString, languageFile);
        QVERIFY(pagesOf(language).contains("index.html"));
        QCOMPARE(pagesOf(language), pagesOf("en"));
        QStringList problems;
        for (const QString& name : pagesOf(language)) {
            const QString path = sourcePath("help/" + language + "/" + name);
            QFile file(path);
            QStringDecoder decode(QStringDecoder::Utf8);
            const QString html = decode(file.open(QIODevice::ReadOnly) ? file.readAll() : "");
            const Page page(path);
            if (decode.hasError() || html.isEmpty())
                problems << name + ": unreadable or not UTF-8";
            if (page.browser.documentTitle().isEmpty() || page.text().size() < 400)
                problems << name + ": no title or hardly any text";
            const QUrl base = QUrl::fromLocalFile(path);
            int links = 0, pictures = 0;
            for (const QTextCharFormat& format : page.formats) {
                if (format.isImageFormat()) {
                    const QTextImageFormat image = format.toImageFormat();
                    const QImage picture(base.resolved(QUrl(image.name())).toLocalFile());
                    ++pictures;
                    if (picture.isNull() ||
                        (image.width() > 0 && int(image.width()) != picture.width()) ||
                        (image.height() > 0 && int(image.height()) != picture.height()))
                        problems << name + ": picture missing or of another size: " + image.name();
                }
                const QUrl href(format.anchorHref());
                if (!format.isAnchor() || href.isEmpty() ||
                    QStringList{"http", "https", "mailto"}.contains(href.scheme()))
                    continue;
                ++links;
                const QString target = base.resolved(href).toLocalFile();
                QStringList anchors;
                if (QFile::exists(target) && href.hasFragment())
                    for (const QTextCharFormat& f : Page(target).formats)
                        anchors << f.anchorNames();
                if (!QFile::exists(target) ||
                    (href.hasFragment() && !anchors.contains(href.fragment())))
                    problems << name + ": link to a missing page or anchor: " + href.toString();
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

        // The language file's texts by id, without the ampersands of access keys.
        QFile file(sourcePath("lang/" + languageFile + ".lng"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QHash<int, QString> texts;
        const QRegularExpression entry("^(\\d{4})=(.*?)\\s*$", QRegularExpression::MultilineOption);
        for (auto it = entry.globalMatch(QStringDecoder("windows-1252")(file.readAll()));
             it.hasNext();) {
            const auto match = it.next();
            texts.insert(match.captured(1).toInt(), match.captured(2).remove(u'&').trimmed());
        }
        // Toolbar tooltips and help menu; options dialog; high-score dialog; extras.
        const QList<std::pair<QString, QList<int>>> words{
            {"window.html", {110, 111, 112, 113, 114, 117, 120, 122, 123}},
            {"options.html", {115, 116, 118, 119, 121, 129, 130, 131, 143}},
            {"highscores.html", {127, 128, 132, 133, 134, 136, 137, 144}},
            {"extras.html", {201, 202, 203, 204, 205, 206, 208, 218, 240, 241, 250}},
        };
        for (const auto& [name, ids] : words) {
            const QString text = Page(sourcePath("help/" + language + "/" + name)).text();
            for (int id : ids)
                if (texts.value(id).isEmpty() ||
                    !text.contains(texts.value(id), Qt::CaseInsensitive))
                    problems
                        << QString("%1 lacks %2 \"%3\"").arg(name).arg(id).arg(texts.value(id));
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
        const QList<std::pair<QString, QString>> sections = {{"de", "Deutsch"},
                                                             {"en", "English"},
                                                             {"es", "Espa\u00F1ol"},
                                                             {"it", "Italiano"},
                                                             {"fr", "Fran\u00E7ais"}};
        for (const auto& [code, name] : sections) {
            const qsizetype start = page.indexOf("<section id=\"" + code + "\"");
            QVERIFY2(start >= 0, qPrintable(code));
            const QString section = page.mid(start, page.indexOf("</section>", start) - start);
            QVERIFY(section.contains("<h2>" + name + "</h2>"));
            for (const char* needed :
                 {"k\u00B2 + 1", "\u00D7 1", "F1", "F2", "+Q", "Tavro.conf", "tavro.EPT",
                  ".local/share/Tavro", "apt remove tavro", "lib/tavro", "MIT"})
                QVERIFY2(section.contains(QString::fromUtf8(needed)),
                         qPrintable(code + ": " + QString::fromUtf8(needed)));
        }
    }
};

QTEST_MAIN(HelpDocumentTest)
#include "HelpDocumentTest.moc"
