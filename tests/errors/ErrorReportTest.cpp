#include "Version.h"
#include "errors/AppError.h"
#include "errors/ErrPtnr.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

using namespace tavro;

// Receives the addresses the report opens instead of a browser or mail program.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class ErrorReportTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QStringList questions_;
    QStringList messages_;
    bool answerYes_ = true;
    UrlCatcher urls_;

    ErrPtnr& report() { return ErrPtnr::instance(); }

    QByteArray logContent() {
        QFile file(report().logFiles().logPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Once the report is on screen: runs `whileShown`, then presses a continue button.
    void pressWhenShown(int button, std::function<void(ErrPtnr&)> whileShown = {}) {
        QTimer::singleShot(0, this, [this, button, whileShown] {
            auto* dialog = qobject_cast<ErrPtnr*>(QApplication::activeModalWidget());
            if (!dialog) {
                pressWhenShown(button, whileShown); // not up yet: look again
                return;
            }
            if (whileShown)
                whileShown(*dialog);
            dialog->findChild<QPushButton*>(QStringLiteral("cmdContinue%1").arg(button))->click();
        });
    }

    static QString shownValue(const ErrPtnr& dialog, int index) {
        return dialog.findChild<QLabel*>(QStringLiteral("lblError%1").arg(index))->text();
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        ErrPtnr::install();
        report().setLogFiles(ErrorLogFiles(dir_.path(), QStringLiteral("tavro"), {}));
        report().setClock([] { return QDateTime(QDate(2024, 12, 31), QTime(23, 59, 58)); });
        report().setMessageBoxes(
            [this](const QString& q) {
                questions_.append(q);
                return answerYes_;
            },
            [this](const QString& m) { messages_.append(m); });
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &urls_, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &urls_, "open");
    }

    void cleanupTestCase() {
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        ErrPtnr::release();
    }

    void reportIsLoggedBeforeItShows() {
        QByteArray logWhileShown;
        QString module, procedure, number, progInfo;
        pressWhenShown(1, [&](ErrPtnr& dialog) {
            logWhileShown = logContent();
            number = shownValue(dialog, 0);
            module = shownValue(dialog, 1);
            procedure = shownValue(dialog, 2);
            progInfo = dialog.findChild<QLabel*>(QStringLiteral("lblProgInfo"))->text();
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Fehler / Error! "));
        });
        bool wentOn = false;
        ErrorTrap trap("basCommon", "PlayWAV");
        trap.run([] {
            throw AppError(AppError::ResourceNotFound, QStringLiteral("Resource not found"));
        });
        trap.run([&] { wentOn = true; });

        QVERIFY(wentOn);
        QCOMPARE(report().ContinueChoice(), int16_t(1));
        QVERIFY(report().isHidden());
        QCOMPARE(number, QStringLiteral("326 (Resource not found)"));
        QCOMPARE(module, QStringLiteral("basCommon"));
        QCOMPARE(procedure, QStringLiteral("PlayWAV"));
        QCOMPARE(progInfo,
                 QStringLiteral("%1  V%2.%3.%4")
                     .arg(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName())
                     .arg(TAVRO_VERSION_MAJOR)
                     .arg(TAVRO_VERSION_MINOR)
                     .arg(TAVRO_VERSION_PATCH));
        const QStringList lines =
            QString::fromLocal8Bit(logWhileShown).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.value(8), QStringLiteral("          Modul:\tbasCommon"));
        QCOMPARE(lines.value(11),
                 QStringLiteral("          Datum/Uhrzeit (Date/Time):\t12-31-2024 / 23:59:58"));
        QVERIFY(logWhileShown.endsWith(QByteArray(70, '-') + "\r\n\r\n"));
    }

    void retryShowsThePersistentFailureAgain() {
        const qsizetype before = logContent().count("SYSTEMINFO:");
        QStringList lines;
        for (int round = 0; round < 2; ++round)
            pressWhenShown(0,
                           [&](ErrPtnr& d) { lines.append(shownValue(d, 0) + shownValue(d, 3)); });
        pressWhenShown(2, [&](ErrPtnr& d) { lines.append(shownValue(d, 0) + shownValue(d, 3)); });
        int attempts = 0;
        ErrorTrap trap("frmTavro", "InitGame");
        trap.run([&] {
            ++attempts;
            throw AppError(AppError::Overflow, QStringLiteral("Overflow"));
        });
        QVERIFY(trap.left());
        QCOMPARE(attempts, 3);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[1], lines[0]);
        QCOMPARE(lines[2], lines[0]);
        QVERIFY(lines[0].startsWith(QStringLiteral("6 (Overflow)")));
        QCOMPARE(logContent().count("SYSTEMINFO:"), before + 3);
    }

    void saveAsksBeforeReplacing() {
        const QString path = report().logFiles().protocolPath();
        QFile::remove(path);
        questions_.clear();
        messages_.clear();
        report().cmdProtocol_Click(1);
        QVERIFY(questions_.isEmpty());
        QCOMPARE(messages_.value(0),
                 QStringLiteral("Das Fehlerprotokoll wurde in die Datei '%1' geschrieben!\r\n"
                                "Error protocoll was written to file '%1'!")
                     .arg(path));
        QFile first(path);
        QVERIFY(first.open(QIODevice::ReadOnly));
        const QByteArray saved = first.readAll();
        first.close();
        QVERIFY(saved.endsWith(QByteArray(70, '-') + "\r\n\r\n"));

        QVERIFY(QFile(path).open(QIODevice::WriteOnly | QIODevice::Truncate));
        answerYes_ = false;
        report().cmdProtocol_Click(1);
        QCOMPARE(questions_, QStringList{QStringLiteral("Vorhandene Datei '%1' überschreiben?\r\n"
                                                        "Overwrite file '%1' ?")
                                             .arg(path)});
        QCOMPARE(QFileInfo(path).size(), 0); // No keeps the old file
        answerYes_ = true;
        report().cmdProtocol_Click(1);
        QCOMPARE(QFileInfo(path).size(), saved.size());
    }

    void mailAndHomepageCopyTheProtocol() {
        messages_.clear();
        urls_.opened.clear();
        report().cmdProtocol_Click(2);
        QCOMPARE(messages_, QStringList{ErrPtnr::mailInstruction()});
        const QStringList instruction = ErrPtnr::mailInstruction().split(QStringLiteral("\r\n"));
        QCOMPARE(instruction.size(), 12);
        QVERIFY(instruction[10].endsWith(QStringLiteral("Ctrl + V or ")));
        QVERIFY(instruction[11].endsWith(QStringLiteral("program. ")));
        QVERIFY(!ErrPtnr::mailInstruction().endsWith(u'\n'));
        QCOMPARE(QGuiApplication::clipboard()->text(), report().BuildProtocol());
        QCOMPARE(urls_.opened.value(0), QUrl(QStringLiteral("mailto:" TAVRO_SUPPORT_MAIL_ADDRESS)));

        QGuiApplication::clipboard()->clear();
        report().cmdProtocol_Click(3);
        QCOMPARE(urls_.opened.value(1), QUrl(QStringLiteral(TAVRO_HOMEPAGE_URL)));
        QVERIFY(QGuiApplication::clipboard()->text().startsWith(QString(70, u'-')));
        QVERIFY(report().isHidden()); // protocol buttons never end the report
    }

    void printGoesToThePrinterOrSaysThereIsNone() {
        messages_.clear();
        report().setPrinterSource([] { return std::unique_ptr<QPrinter>(); });
        report().cmdProtocol_Click(0);
        QCOMPARE(messages_.size(), 1);
        QVERIFY(messages_[0].contains(QStringLiteral("There is no default printer.")));

        messages_.clear();
        const QString pdf = dir_.filePath(QStringLiteral("printed.pdf"));
        report().setPrinterSource([pdf] {
            auto printer = std::make_unique<QPrinter>();
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdf);
            return printer;
        });
        report().cmdProtocol_Click(0);
        QVERIFY(messages_.isEmpty());
        QVERIFY(QFileInfo(pdf).size() > 0);
    }

    void unwritableProgramFolderFallsBack() {
        const QString fallback = dir_.filePath(QStringLiteral("data/Tavro"));
        const ErrorLogFiles files(QStringLiteral("/nonexistent/folder"), QStringLiteral("tavro"),
                                  fallback);
        QCOMPARE(files.logPath(), fallback + QStringLiteral("/tavro.EPT"));
        QCOMPARE(files.protocolPath(), fallback + QStringLiteral("/tavro.ERR"));
        QVERIFY(files.appendToLog(QStringLiteral("one")));
        QVERIFY(files.appendToLog(QStringLiteral("two")));
        QFile log(files.logPath());
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(log.readAll(), QByteArray("one\r\ntwo\r\n"));

        const ErrorLogFiles beside(dir_.path() + u'/', QStringLiteral("tavro"), fallback);
        QCOMPARE(beside.logPath(), dir_.filePath(QStringLiteral("tavro.EPT")));

        // The save message names the path really written.
        const ErrorLogFiles previous = report().logFiles();
        report().setLogFiles(files);
        messages_.clear();
        report().cmdProtocol_Click(1);
        QVERIFY(messages_.value(0).contains(fallback + QStringLiteral("/tavro.ERR")));
        QVERIFY(QFile::exists(fallback + QStringLiteral("/tavro.ERR")));
        report().setLogFiles(previous);
    }

    void closingByOtherMeansDoesNotEndTheReport() {
        pressWhenShown(2, [](ErrPtnr& dialog) {
            dialog.close();
            QTest::keyClick(&dialog, Qt::Key_Escape);
            QVERIFY(dialog.isVisible());
        });
        QCOMPARE(report().OnError(QStringLiteral("frmOpt"), QStringLiteral("cmdOK_Click"),
                                  Failure{5, QStringLiteral("Invalid procedure call"), 0}),
                 int16_t(2));
    }

    void progInfoCanBeReplaced() {
        report().SetProgInfo(QStringLiteral("Tavro test build"));
        QVERIFY(report().BuildProtocol().contains(
            QStringLiteral("\r\n          Tavro test build\r\n")));
    }
};

QTEST_MAIN(ErrorReportTest)
#include "ErrorReportTest.moc"
