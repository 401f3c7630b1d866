#include "common/Language.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>

using tavro::Language;

// Every text id that a window of the program looks up, in every language file
// that is shipped beside the program.
class LanguageFilesTest : public QObject {
    Q_OBJECT

    static QList<int16_t> idsInUse() {
        QList<int16_t> ids{102};
        for (int16_t id = 110; id <= 124; ++id)
            ids.append(id); // toolbar, menu, options dialog, quit question
        for (int16_t id = 126; id <= 137; ++id)
            ids.append(id); // high-score table, name box, options background
        ids.append({143, 144});
        return ids;
    }

private slots:
    void everyIdInEveryLanguage_data() {
        QTest::addColumn<int>("languageId");
        QTest::newRow("deutsch") << 0;
        QTest::newRow("english") << 1;
        QTest::newRow("spanish") << 2;
        QTest::newRow("italian") << 3;
        QTest::newRow("french") << 6;
    }

    void everyIdInEveryLanguage() {
        QFETCH(int, languageId);
        int16_t id = static_cast<int16_t>(languageId);
        Language language(id);
        language.fillPaths(QCoreApplication::applicationDirPath());
        QVERIFY(QFile::exists(language.LangFile[languageId]));
        for (int16_t textId : idsInUse()) {
            const QString text = language.GetLang(textId);
            QVERIFY2(!text.trimmed().isEmpty(), qPrintable(QStringLiteral("id %1").arg(textId)));
            QVERIFY2(!text.contains(QChar::ReplacementCharacter), qPrintable(text));
        }
    }

    void designCaptions() {
        int16_t id = 0;
        Language language(id);
        language.fillPaths(QCoreApplication::applicationDirPath());
        QCOMPARE(language.GetLang(102), QStringLiteral("Weitere Informationen siehe Readme.htm"));
        QCOMPARE(language.GetLang(119), QStringLiteral("Geräusche"));
        QCOMPARE(language.GetLang(120), QStringLiteral("Hilfe"));
        id = 1;
        QCOMPARE(language.GetLang(112), QStringLiteral("Select pieces..."));
        QCOMPARE(language.GetLang(113), QStringLiteral("Select background picture..."));
        QCOMPARE(language.GetLang(143), QStringLiteral("&Cancel"));
        id = 6;
        QCOMPARE(language.GetLang(129), QStringLiteral("Arrière-plan"));
    }

    // The files are Windows-1252: no UTF-8 sequences, CR LF line ends.
    void filesAreWindows1252() {
        const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/lang/");
        for (const char* name : {"deutsch", "english", "spanish", "italian", "french"}) {
            QFile file(dir + QLatin1String(name) + QStringLiteral(".lng"));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QVERIFY2(!bytes.contains("\xC3"), name); // lead byte of UTF-8 accents
            QVERIFY(bytes.startsWith("[Lang]\r\n"));
        }
    }
};

QTEST_GUILESS_MAIN(LanguageFilesTest)
#include "LanguageFilesTest.moc"
