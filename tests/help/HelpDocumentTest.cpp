// The help pages: they load, their links and pictures resolve, the scoring tables
// follow the rules, and they use the language files' words.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>
#include <cmath>
#include <memory>

namespace {

const QList<std::pair<QString, QString>> kLanguages{
    {"en", "english"}, {"de", "deutsch"}, {"es", "spanish"}, {"it", "italian"}, {"fr", "french"}};

QDir sourceDir() {
    const QString root = qEnvironmentVariable("TAVRO_TEST_SOURCE_DIR");
    return QDir(root.isEmpty() ? QCoreApplication::applicationDirPath() + "/.." : root);
}

QString helpPath(const QString& page) {
    return sourceDir().filePath("help/" + page);
}

QStringList pagesOf(const QString& language) {
    return QDir(helpPath(language)).entryList({"*.html"}, QDir::Files, QDir::Name);
}

// A page as the help window's browser shows it.
std::unique_ptr<QTextBrowser> load(const QString& path) {
    auto browser = std::make_unique<QTextBrowser>();
    browser->resize(800, 600);
    browser->setSource(QUrl::fromLocalFile(path));
    return browser;
}

// The character formats of every fragment of a document, tables included.
QList<QTextCharFormat> formatsOf(const QTextDocument* document) {
    QList<QTextCharFormat> formats;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            formats << it.fragment().charFormat();
    return formats;
}

void addTextData() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("languageFile");
    for (const auto& [language, file] : kLanguages)
        QTest::newRow(qPrintable(language)) << language << file;
}

} // namespace

class HelpDocumentTest : public QObject {
    Q_OBJECT

private slots:
    void pagesLoadAndTheirLinksAndPicturesResolve_data() {
        QTest::addColumn<QString>("path");
        for (const auto& [language, file] : kLanguages)
            for (const QString& page : pagesOf(language))
                QTest::newRow(qPrintable(language + "/" + page)) << helpPath(language + "/" + page);
    }
    void pagesLoadAndTheirLinksAndPicturesResolve() {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringDecoder decode(QStringDecoder::Utf8);
        const QString html = decode(file.readAll());
        QVERIFY2(!decode.hasError(), "not valid UTF-8");
        const QUrl base = QUrl::fromLocalFile(path);

        const auto page = load(path);
        const QTextDocument* document = page->document();
        QVERIFY(!document->metaInformation(QTextDocument::DocumentTitle).isEmpty());
        QVERIFY2(document->toPlainText().size() > 400, "hardly any text");

        int links = 0, pictures = 0;
        QStringList problems;
        for (const QTextCharFormat& format : formatsOf(document)) {
            if (format.isImageFormat()) {
                const QTextImageFormat image = format.toImageFormat();
                const QImage picture(base.resolved(QUrl(image.name())).toLocalFile());
                ++pictures;
                if (picture.isNull() ||
                    (image.width() > 0 && int(image.width()) != picture.width()) ||
                    (image.height() > 0 && int(image.height()) != picture.height()))
                    problems << "picture missing or of another size: " + image.name();
            }
            const QUrl href(format.anchorHref());
            if (!format.isAnchor() || href.isEmpty() ||
                QStringList{"http", "https", "mailto"}.contains(href.scheme()))
                continue;
            ++links;
            const QUrl target = base.resolved(href);
            QStringList anchors;
            if (QFile::exists(target.toLocalFile()) && target.hasFragment())
                for (const QTextCharFormat& f : formatsOf(load(target.toLocalFile())->document()))
                    anchors << f.anchorNames();
            if (!QFile::exists(target.toLocalFile()) ||
                (target.hasFragment() && !anchors.contains(target.fragment())))
                problems << "link to a missing page or anchor: " + href.toString();
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("\n")));
        QVERIFY2(links > 0, "a page without links to the other topics");
        QVERIFY2(pictures > 0, "a page without the logo");
    }

    void scoringTablesFollowTheRules_data() { addTextData(); }
    void scoringTablesFollowTheRules() {
        QFETCH(QString, language);
        const QString path = helpPath(language + "/scoring.html");
        QVERIFY(load(path)->document()->toPlainText().contains(QString::fromUtf8("k² + 1")));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        // The rows "number | number ..." of every table that has such rows.
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

        // Points for a group of k blocks; the clearing bonus, halves to even.
        for (const auto& [k, points] : tables[0])
            QCOMPARE(points, k * k + 1);
        for (const auto& [before, after] : tables[1])
            QCOMPARE(after, std::lround(std::nearbyint(before * 1.5)));
    }

    void everyLanguageHasTheSameTopicsInTheGamesWords_data() { addTextData(); }
    void everyLanguageHasTheSameTopicsInTheGamesWords() {
        QFETCH(QString, language);
        QFETCH(QString, languageFile);
        QVERIFY(pagesOf(language).contains("index.html"));
        QCOMPARE(pagesOf(language), pagesOf("en"));
        // The language file's texts by id, without the ampersands of keyboard accelerators.
        QFile file(sourceDir().filePath("lang/" + languageFile + ".lng"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringDecoder decode("windows-1252");
        if (!decode.isValid())
            decode = QStringDecoder(QStringDecoder::Latin1);
        QHash<int, QString> texts;
        const QRegularExpression entry("^(\\d{4})=(.*?)\\s*$", QRegularExpression::MultilineOption);
        for (auto it = entry.globalMatch(decode(file.readAll())); it.hasNext();) {
            const auto match = it.next();
            texts.insert(match.captured(1).toInt(), match.captured(2).remove(u'&').trimmed());
        }
        // Toolbar tooltips and help menu; options dialog; high-score dialog; extras.
        const QList<std::pair<QString, QList<int>>> expected{
            {"window.html", {110, 111, 112, 113, 114, 117, 120, 122, 123}},
            {"options.html", {115, 116, 118, 119, 121, 129, 130, 131, 143}},
            {"highscores.html", {127, 128, 132, 133, 134, 136, 137, 144}},
            {"extras.html", {201, 202, 203, 204, 205, 206, 208, 218, 240, 241, 250}},
        };
        QStringList missing;
        for (const auto& [page, ids] : expected) {
            const QString text = load(helpPath(language + "/" + page))->document()->toPlainText();
            for (int id : ids)
                if (texts.value(id).isEmpty() ||
                    !text.contains(texts.value(id), Qt::CaseInsensitive))
                    missing << QString("%1 lacks %2 \"%3\"").arg(page).arg(id).arg(texts.value(id));
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join("\n")));
    }

    // The readme beside the program: one offline page with a complete section
    // per language, each naming its language and covering play, scoring, keys,
    // where the data lives, uninstalling and the licence.
    void readmeBesideTheProgram() {
        QFile file(QCoreApplication::applicationDirPath() + "/Readme.htm");
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QString page = QString::fromUtf8(file.readAll());
        QVERIFY(!page.contains(QRegularExpression("@[A-Z_]+@"))); // every value filled in
        QVERIFY(!page.contains("<link") && !page.contains("src="));
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
        QVERIFY(page.contains("Permission is hereby granted"));
    }
};

QTEST_MAIN(HelpDocumentTest)
#include "HelpDocumentTest.moc"
