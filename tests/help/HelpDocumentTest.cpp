// Checks the help document that the help window shows: every page of every
// language loads, every local link and picture resolves, the scoring tables
// agree with the game's rules, and the pages name buttons and dialogs with the
// words of the language files.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextTable>
#include <QtTest>
#include <cmath>

namespace {

const QStringList kLanguages{"en", "de", "es", "it", "fr"};

QString languageFile(const QString& language) {
    static const QHash<QString, QString> files{{"en", "english"},
                                               {"de", "deutsch"},
                                               {"es", "spanish"},
                                               {"it", "italian"},
                                               {"fr", "french"}};
    return files.value(language) + QStringLiteral(".lng");
}

QDir sourceDir() {
    const QString root = qEnvironmentVariable("TAVRO_TEST_SOURCE_DIR");
    return QDir(root.isEmpty() ? QCoreApplication::applicationDirPath() + "/.." : root);
}

QDir helpDir() {
    const QDir source(sourceDir().filePath("help"));
    return source.exists() ? source : QDir(QCoreApplication::applicationDirPath() + "/help");
}

QStringList pagesOf(const QString& language) {
    return QDir(helpDir().filePath(language)).entryList({"*.html"}, QDir::Files, QDir::Name);
}

QString readUtf8(const QString& path, bool* valid = nullptr) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder decode(QStringDecoder::Utf8);
    const QString text = decode(file.readAll());
    if (valid)
        *valid = !decode.hasError();
    return text;
}

// A page as the help window's browser shows it.
struct LoadedPage {
    LoadedPage(const QString& path) {
        browser.resize(800, 600);
        browser.setSource(QUrl::fromLocalFile(path));
    }
    QTextDocument* document() { return browser.document(); }
    QTextBrowser browser;
};

// Every fragment of a document, tables included.
template <typename Visit> void forEachFragment(QTextDocument* document, Visit visit) {
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            visit(it.fragment());
}

QStringList anchorNames(const QString& path) {
    LoadedPage page(path);
    QStringList names;
    forEachFragment(page.document(), [&](const QTextFragment& fragment) {
        names << fragment.charFormat().anchorNames();
    });
    return names;
}

QList<QTextTable*> tablesOf(QTextDocument* document) {
    QList<QTextTable*> tables;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        if (auto* table = qobject_cast<QTextTable*>(document->frameAt(block.position()));
            table && !tables.contains(table))
            tables << table;
    return tables;
}

// The number a table cell starts with; false when it starts with none.
bool leadingNumber(QTextTable* table, int row, int column, long* value) {
    const QTextTableCell cell = table->cellAt(row, column);
    QTextCursor cursor = cell.firstCursorPosition();
    cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    const auto match = QRegularExpression("^\\s*(\\d+)").match(cursor.selectedText());
    if (match.hasMatch())
        *value = match.captured(1).toLong();
    return match.hasMatch();
}

// Rows of a two-column table whose cells both start with a number.
QList<QPair<long, long>> numberPairs(QTextTable* table) {
    QList<QPair<long, long>> pairs;
    if (table->columns() != 2)
        return pairs;
    for (int row = 0; row < table->rows(); ++row) {
        long left = 0, right = 0;
        if (leadingNumber(table, row, 0, &left) && leadingNumber(table, row, 1, &right))
            pairs.append({left, right});
    }
    return pairs;
}

long roundHalfEven(double value) {
    return std::lround(std::nearbyint(value)); // default rounding mode: halves to even
}

// The language file's texts by id, without the ampersands of keyboard accelerators.
QHash<int, QString> gameTexts(const QString& language) {
    QFile file(sourceDir().filePath("lang/" + languageFile(language)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder decode("windows-1252");
    if (!decode.isValid())
        decode = QStringDecoder(QStringDecoder::Latin1);
    QHash<int, QString> texts;
    for (const QString& line : QString(decode(file.readAll())).split(QRegularExpression("\r?\n"))) {
        const auto match = QRegularExpression("^(\\d{4})=(.*)$").match(line);
        if (match.hasMatch())
            texts.insert(match.captured(1).toInt(), match.captured(2).remove(u'&').trimmed());
    }
    return texts;
}

} // namespace

class HelpDocumentTest : public QObject {
    Q_OBJECT

private slots:
    void everyLanguageHasTheSameTopics_data();
    void everyLanguageHasTheSameTopics();
    void pagesLoad_data();
    void pagesLoad();
    void linksAndPicturesResolve_data() { pagesLoad_data(); }
    void linksAndPicturesResolve();
    void scoringTablesFollowTheRules_data();
    void scoringTablesFollowTheRules();
    void pagesUseTheGamesWords_data() { scoringTablesFollowTheRules_data(); }
    void pagesUseTheGamesWords();
};

void HelpDocumentTest::everyLanguageHasTheSameTopics_data() {
    QTest::addColumn<QString>("language");
    for (const QString& language : kLanguages)
        QTest::newRow(qPrintable(language)) << language;
}

void HelpDocumentTest::everyLanguageHasTheSameTopics() {
    QFETCH(QString, language);
    const QStringList pages = pagesOf(language);
    QVERIFY2(pages.contains("index.html"), qPrintable(language + " has no index.html"));
    QCOMPARE(pages, pagesOf("en"));
}

void HelpDocumentTest::pagesLoad_data() {
    QTest::addColumn<QString>("path");
    for (const QString& language : kLanguages)
        for (const QString& page : pagesOf(language))
            QTest::newRow(qPrintable(language + "/" + page))
                << helpDir().filePath(language + "/" + page);
}

void HelpDocumentTest::pagesLoad() {
    QFETCH(QString, path);
    bool utf8 = false;
    const QString html = readUtf8(path, &utf8);
    QVERIFY2(utf8, "not valid UTF-8");
    QVERIFY(html.contains(QLatin1String("<meta charset=\"utf-8\">")));

    LoadedPage page(path);
    QVERIFY(!page.document()->metaInformation(QTextDocument::DocumentTitle).isEmpty());
    const QString text = page.document()->toPlainText();
    QVERIFY2(text.size() > 400, qPrintable(QString("only %1 characters").arg(text.size())));
    QVERIFY(page.document()->begin().isValid());
    // A page shown with the game's dark look: the shared style sheet took effect.
    QCOMPARE(page.document()->rootFrame()->frameFormat().background().color(), QColor("#0a1633"));
}

void HelpDocumentTest::linksAndPicturesResolve() {
    QFETCH(QString, path);
    const QUrl base = QUrl::fromLocalFile(path);
    const QString html = readUtf8(path);

    // Style sheets are read by the parser and are not part of the document.
    const QRegularExpression styleLink("<link[^>]*href=\"([^\"]+)\"");
    for (auto it = styleLink.globalMatch(html); it.hasNext();) {
        const QString target = base.resolved(QUrl(it.next().captured(1))).toLocalFile();
        QVERIFY2(QFile::exists(target), qPrintable("missing style sheet " + target));
    }

    LoadedPage page(path);
    int links = 0, pictures = 0;
    QStringList problems;
    forEachFragment(page.document(), [&](const QTextFragment& fragment) {
        const QTextCharFormat format = fragment.charFormat();
        if (format.isImageFormat()) {
            const QTextImageFormat image = format.toImageFormat();
            const QString file = base.resolved(QUrl(image.name())).toLocalFile();
            const QImage picture(file);
            ++pictures;
            if (picture.isNull())
                problems << "picture not loadable: " + image.name();
            else if ((image.width() > 0 && int(image.width()) != picture.width()) ||
                     (image.height() > 0 && int(image.height()) != picture.height()))
                problems << QString("%1 is %2x%3, the page says %4x%5")
                                .arg(image.name())
                                .arg(picture.width())
                                .arg(picture.height())
                                .arg(image.width())
                                .arg(image.height());
        }
        if (!format.isAnchor() || format.anchorHref().isEmpty())
            return;
        const QUrl href(format.anchorHref());
        if (href.scheme() == "http" || href.scheme() == "https" || href.scheme() == "mailto")
            return;
        ++links;
        const QUrl target = base.resolved(href);
        const QString file = target.toLocalFile();
        if (!QFile::exists(file))
            problems << "link to a missing page: " + href.toString();
        else if (target.hasFragment() && !anchorNames(file).contains(target.fragment()))
            problems << "link to a missing anchor: " + href.toString();
    });
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join("\n")));
    QVERIFY2(links > 0, "a page without links to the other topics");
    QVERIFY2(pictures > 0, "a page without the logo");
}

void HelpDocumentTest::scoringTablesFollowTheRules_data() {
    everyLanguageHasTheSameTopics_data();
}

void HelpDocumentTest::scoringTablesFollowTheRules() {
    QFETCH(QString, language);
    LoadedPage page(helpDir().filePath(language + "/scoring.html"));
    QVERIFY(page.document()->toPlainText().contains(QString::fromUtf8("k² + 1")));

    QList<QList<QPair<long, long>>> tables;
    for (QTextTable* table : tablesOf(page.document()))
        if (const auto pairs = numberPairs(table); !pairs.isEmpty())
            tables << pairs;
    QCOMPARE(tables.size(), 2);

    // Points for a group of k blocks, including the sizes every player asks about.
    QList<long> sizes;
    for (const auto& [k, points] : tables[0]) {
        QCOMPARE(points, k * k + 1);
        sizes << k;
    }
    for (long k : {2, 3, 4, 5, 10, 20})
        QVERIFY2(sizes.contains(k), qPrintable(QString("no row for %1 blocks").arg(k)));

    // The clearing bonus: × 1.5 with halves going to the even neighbour, shown
    // with at least one example that rounds down and one that rounds up.
    bool roundsDown = false, roundsUp = false;
    for (const auto& [before, after] : tables[1]) {
        QCOMPARE(after, roundHalfEven(before * 1.5));
        roundsDown |= before % 2 != 0 && after < before * 1.5;
        roundsUp |= before % 2 != 0 && after > before * 1.5;
    }
    QVERIFY(roundsDown && roundsUp);
}

void HelpDocumentTest::pagesUseTheGamesWords() {
    QFETCH(QString, language);
    const QHash<int, QString> texts = gameTexts(language);
    QVERIFY2(!texts.isEmpty(), "language file not readable");
    const auto plainText = [&](const QString& page) {
        LoadedPage loaded(helpDir().filePath(language + "/" + page));
        return loaded.document()->toPlainText();
    };
    // Tooltips of the toolbar and the entries of the help menu.
    // Options dialog captions; the high-score dialog's captions and buttons.
    const QList<QPair<QString, QList<int>>> expected{
        {"window.html", {110, 111, 112, 113, 114, 117, 120, 122, 123}},
        {"options.html", {115, 116, 118, 119, 121, 129, 130, 131, 143}},
        {"highscores.html", {127, 128, 132, 133, 134, 136, 137, 144}},
    };
    QStringList missing;
    for (const auto& [page, ids] : expected) {
        const QString text = plainText(page);
        for (int id : ids)
            if (texts.value(id).isEmpty() || !text.contains(texts.value(id), Qt::CaseInsensitive))
                missing << QString("%1 lacks %2 \"%3\"").arg(page).arg(id).arg(texts.value(id));
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join("\n")));
}

QTEST_MAIN(HelpDocumentTest)
#include "HelpDocumentTest.moc"
