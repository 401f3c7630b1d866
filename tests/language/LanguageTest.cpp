#include "common/Language.h"

#include "errors/AppError.h"
#include "errors/ErrorTrap.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tavro;

class LanguageTest : public QObject {
    Q_OBJECT

    struct Report {
        QString module, procedure;
        Failure failure;
    };

    QTemporaryDir dir_;

    void writeLang(const QString& name, const QByteArray& content) {
        QDir(dir_.path()).mkpath(QStringLiteral("lang"));
        QFile file(dir_.filePath(QStringLiteral("lang/") + name));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        writeLang(QStringLiteral("deutsch.lng"), "[Lang]\r\n0101=Eins\r\n0005=f\xFC"
                                                 "nf\r\n12345=lang\r\n0102=  \"Zitat\"  \r\n");
        writeLang(QStringLiteral("english.lng"), "[lang]\r\n0101=One\r\n");
        writeLang(QStringLiteral("french.lng"), "[Lang]\r\n0101=Un\r\n");
    }

    void pathsPerLanguageId() {
        int16_t id = 0;
        Language language(id);
        language.fillPaths(QStringLiteral("/prog"));
        QCOMPARE(language.LangFile[0], QStringLiteral("/prog/lang/deutsch.lng"));
        QCOMPARE(language.LangFile[1], QStringLiteral("/prog/lang/english.lng"));
        QCOMPARE(language.LangFile[2], QStringLiteral("/prog/lang/spanish.lng"));
        QCOMPARE(language.LangFile[3], QStringLiteral("/prog/lang/italian.lng"));
        QCOMPARE(language.LangFile[6], QStringLiteral("/prog/lang/french.lng"));
        for (int empty : {4, 5, 7, 8, 9, 10})
            QVERIFY(language.LangFile[empty].isEmpty());
    }

    void lookupFollowsTheCurrentLanguage() {
        int16_t id = 0;
        Language language(id);
        language.fillPaths(dir_.path());
        QCOMPARE(language.GetLang(101), QStringLiteral("Eins"));
        QCOMPARE(language.GetLang(5), QStringLiteral("fünf"));
        QCOMPARE(language.GetLang(12345), QStringLiteral("lang"));
        QCOMPARE(language.GetLang(102), QStringLiteral("Zitat"));
        QCOMPARE(language.GetLang(103), QString());
        id = 1;
        QCOMPARE(language.GetLang(101), QStringLiteral("One"));
        id = 6;
        QCOMPARE(language.GetLang(101), QStringLiteral("Un"));
        // Spanish has no file here, 4 has no path: both give empty texts quietly.
        for (int16_t silent : {2, 4, 10}) {
            id = silent;
            QCOMPARE(language.GetLang(101), QString());
        }
    }

    void idOutsideTheTableIsReported() {
        std::vector<Report> reports;
        const ErrorHandler previous =
            setErrorHandler([&](const QString& m, const QString& p, const Failure& f) {
                reports.push_back({m, p, f});
                return int(Continue::Leave);
            });
        int16_t id = 11;
        Language language(id);
        language.fillPaths(dir_.path());
        QCOMPARE(language.GetLang(101), QString());
        id = -1;
        QCOMPARE(language.GetLang(101), QString());
        setErrorHandler(previous);

        QCOMPARE(reports.size(), size_t(2));
        for (const Report& r : reports) {
            QCOMPARE(r.module, QStringLiteral("basCommon"));
            QCOMPARE(r.procedure, QStringLiteral("GetLang"));
            QCOMPARE(r.failure.number, int(AppError::SubscriptOutOfRange));
            QVERIFY(r.failure.line > 0);
        }
    }

    void missingLanguageFolderGivesEmptyTexts() {
        int16_t id = 0;
        Language language(id);
        language.fillPaths(dir_.filePath(QStringLiteral("nowhere")));
        QCOMPARE(language.GetLang(101), QString());
    }
};

QTEST_GUILESS_MAIN(LanguageTest)
#include "LanguageTest.moc"
