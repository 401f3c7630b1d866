// The error report on screen, its log and protocol files, and its print layout.
#include "Version.h"
#include "dialogs/TestTools.h"
#include "errors/AppError.h"
#include "errors/ErrPtnr.h"
#include "errors/LPSTRToVBString.h"
#include "errors/ProtocolText.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QVersionNumber>

using namespace tavro;
using namespace tavro::test;

class ErrorReportTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QStringList questions_, messages_;
    bool answerYes_ = true;
    UrlCatcher urls_;

    ErrPtnr& report() { return ErrPtnr::instance(); }

    // Once the report is on screen: runs `whileShown`, then presses a continue button.
    void pressWhenShown(int button, std::function<void(ErrPtnr&)> whileShown = {}) {
        QTimer::singleShot(0, this, [this, button, whileShown] {
            auto* dialog = qobject_cast<ErrPtnr*>(QApplication::activeModalWidget());
            if (!dialog)
                return pressWhenShown(button, whileShown); // not up yet: look again
            if (whileShown)
                whileShown(*dialog);
            dialog->findChild<QPushButton*>(QStringLiteral("cmdContinue%1").arg(button))->click();
        });
    }

    static QString shown(const ErrPtnr& dialog, const QString& label) {
        return dialog.findChild<QLabel*>(label)->text();
    }

    static ProtocolFields playWavFailure() {
        return {"Programm-Info:",
                "tavro  V1.0.0",
                "Fehlerbeschreibung / error description:",
                {"Fehler-Nr / error :", "Modul:", "Prozedur / procedure:", "Zeile / Line:"},
                {"9 (Subscript out of range)", "basCommon", "PlayWAV", "42"}};
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
    void init() {
        questions_.clear();
        messages_.clear();
        urls_.opened.clear();
    }

    // The report keeps its size from the first showing on, and Return
    // presses the focused continue button.
    void sameSizeEveryTimeAndReturnPressesTheFocusedButton() {
        QTemporaryDir logs; // the log of these reports goes elsewhere
        const ErrorLogFiles previous = report().logFiles();
        report().setLogFiles(ErrorLogFiles(logs.path(), QStringLiteral("tavro"), {}));
        QList<QSize> sizes;
        QList<Continue> choices;
        for (int choice : {2, 1, 3}) {
            QTimer::singleShot(0, this, [&sizes, choice] {
                auto* dialog = qobject_cast<ErrPtnr*>(QApplication::activeModalWidget());
                sizes << dialog->size();
                auto* button =
                    dialog->findChild<QPushButton*>(QStringLiteral("cmdContinue%1").arg(choice));
                button->setFocus();
                QTest::keyClick(button, Qt::Key_Return);
                if (dialog->isVisible()) // Return did nothing: end the report another way
                    dialog->findChild<QPushButton*>(QStringLiteral("cmdContinue0"))->click();
            });
            choices << report().OnError(QStringLiteral("frmOpt"), QStringLiteral("Sprache"),
                                        Failure{5, QStringLiteral("Invalid procedure call"), 0});
        }
        report().setLogFiles(previous);
        QCOMPARE(choices, (QList<Continue>{Continue::Leave, Continue::Ignore, Continue::End}));
        QCOMPARE(sizes, QList<QSize>(3, sizes.value(0)));
        QVERIFY(sizes[0].width() >= 520);
    }

    void reportIsLoggedBeforeItShows() {
        QByteArray logWhileShown;
        QStringList values;
        pressWhenShown(1, [&](ErrPtnr& dialog) {
            logWhileShown = readFile(report().logFiles().logPath());
            for (const char* label : {"lblError0", "lblError1", "lblError2", "lblProgInfo"})
                values << shown(dialog, label);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Fehler / Error! "));
        });
        bool wentOn = false;
        ErrorTrap trap("basCommon", "PlayWAV");
        trap.run([] {
            throw AppError(AppError::ResourceNotFound, QStringLiteral("Resource not found"));
        });
        trap.run([&] { wentOn = true; });

        QVERIFY(wentOn);
        QCOMPARE(report().ContinueChoice(), Continue::Ignore);
        QVERIFY(report().isHidden());
        QCOMPARE(values, (QStringList{
                             "326 (Resource not found)", "basCommon", "PlayWAV",
                             QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
                                 "  V" TAVRO_VERSION_STRING}));
        const QStringList lines =
            QString::fromLocal8Bit(logWhileShown).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.value(8), QStringLiteral("          Modul:\tbasCommon"));
        QCOMPARE(lines.value(11),
                 QStringLiteral("          Datum/Uhrzeit (Date/Time):\t12-31-2024 / 23:59:58"));
        QVERIFY(logWhileShown.endsWith(QByteArray(70, '-') + "\r\n\r\n"));
    }

    void retryShowsThePersistentFailureAgain() {
        const qsizetype before = readFile(report().logFiles().logPath()).count("SYSTEMINFO:");
        QStringList lines;
        for (int button : {0, 0, 2})
            pressWhenShown(button, [&](ErrPtnr& d) {
                lines.append(shown(d, "lblError0") + shown(d, "lblError3"));
            });
        int attempts = 0;
        ErrorTrap trap("frmTavro", "InitGame");
        trap.run([&] {
            ++attempts;
            throw AppError(AppError::Overflow, QStringLiteral("Overflow"));
        });
        QVERIFY(trap.left());
        QCOMPARE(attempts, 3);
        QCOMPARE(lines, QStringList(3, lines.value(0)));
        QVERIFY(lines[0].startsWith(QStringLiteral("6 (Overflow)")));
        QCOMPARE(readFile(report().logFiles().logPath()).count("SYSTEMINFO:"), before + 3);
    }

    void closingByOtherMeansDoesNotEndTheReport() {
        pressWhenShown(2, [](ErrPtnr& dialog) {
            dialog.close();
            QTest::keyClick(&dialog, Qt::Key_Escape);
            QVERIFY(dialog.isVisible());
        });
        QCOMPARE(report().OnError(QStringLiteral("frmOpt"), QStringLiteral("cmdOK_Click"),
                                  Failure{5, QStringLiteral("Invalid procedure call"), 0}),
                 Continue::Leave);
    }

    void saveAsksBeforeReplacing() {
        const QString path = report().logFiles().protocolPath();
        QFile::remove(path);
        report().cmdProtocol_Click(1);
        QVERIFY(questions_.isEmpty());
        QCOMPARE(messages_.value(0),
                 QStringLiteral("Das Fehlerprotokoll wurde in die Datei '%1' geschrieben!\r\n"
                                "Error protocoll was written to file '%1'!")
                     .arg(path));
        const QByteArray saved = readFile(path);
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
        QCOMPARE(readFile(path), saved);
    }

    void mailAndHomepageCopyTheProtocol() {
        report().cmdProtocol_Click(2);
        QCOMPARE(messages_, QStringList{ErrPtnr::mailInstruction()});
        QCOMPARE(QGuiApplication::clipboard()->text(), report().BuildProtocol());
        QCOMPARE(urls_.opened.value(0), QUrl(QStringLiteral("mailto:" TAVRO_SUPPORT_MAIL_ADDRESS)));

        QGuiApplication::clipboard()->clear();
        report().cmdProtocol_Click(3);
        QCOMPARE(urls_.opened.value(1), QUrl(QStringLiteral(TAVRO_HOMEPAGE_URL)));
        QVERIFY(QGuiApplication::clipboard()->text().startsWith(QString(70, u'-')));
        QVERIFY(report().isHidden()); // protocol buttons never end the report
    }

    void printGoesToThePrinterOrSaysThereIsNone() {
        report().setPrinterSource([] { return std::unique_ptr<QPrinter>(); });
        report().cmdProtocol_Click(0);
        QCOMPARE(messages_.size(), 1);
        QVERIFY(messages_[0].contains(QStringLiteral("There is no default printer.")));

        const QString pdf = dir_.filePath(QStringLiteral("printed.pdf"));
        report().setPrinterSource([pdf] {
            auto printer = std::make_unique<QPrinter>();
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdf);
            return printer;
        });
        report().cmdProtocol_Click(0);
        QCOMPARE(messages_.size(), 1);
        QVERIFY(QFileInfo(pdf).size() > 0);
    }

    void unwritableProgramFolderFallsBack() {
        const QString fallback = dir_.filePath(QStringLiteral("data/Tavro"));
        const ErrorLogFiles files(QStringLiteral("/nonexistent/folder"), QStringLiteral("tavro"),
                                  fallback);
        QCOMPARE(files.logPath(), fallback + QStringLiteral("/tavro.EPT"));
        QVERIFY(files.appendToLog(QStringLiteral("one")));
        QVERIFY(files.appendToLog(QStringLiteral("two")));
        QCOMPARE(readFile(files.logPath()), QByteArray("one\r\ntwo\r\n"));
        const ErrorLogFiles beside(dir_.path() + u'/', QStringLiteral("tavro"), fallback);
        QCOMPARE(beside.logPath(), dir_.filePath(QStringLiteral("tavro.EPT")));

        // The save message names the path really written.
        const ErrorLogFiles previous = report().logFiles();
        report().setLogFiles(files);
        report().cmdProtocol_Click(1);
        QVERIFY(messages_.value(0).contains(fallback + QStringLiteral("/tavro.ERR")));
        QVERIFY(QFile::exists(fallback + QStringLiteral("/tavro.ERR")));
        report().setLogFiles(previous);
    }

    void protocolLineByLine() {
        // Build 84581: only the low 16 bits (19045) show.
        OsVersionInfo os{"Windows NT", "10.0", 0x00014A65, QByteArray("Service Pack 3\0junk", 19)};
        const QDateTime when(QDate(2024, 3, 7), QTime(14, 5, 9));
        const QString dashes(70, u'-');
        // "|" stands for a tab.
        QString expected = dashes + R"(
F E H L E R P R O T O K O L L  /  E R R O R   P R O T O C O L L
)" + dashes + R"(
PROGRAMM-INFO:
          tavro  V1.0.0
)" + dashes + R"(
FEHLERBESCHREIBUNG / ERROR DESCRIPTION:
          Fehler-Nr / error :|9 (Subscript out of range)
          Modul:|basCommon
          Prozedur / procedure:|PlayWAV
          Zeile / Line:|42
          Datum/Uhrzeit (Date/Time):|03-07-2024 / 14:05:09
)" + dashes + R"(
SYSTEMINFO:
          Plattform/Environment:|Windows NT
          Version:|10.0
          Build:|19045   Service Pack 3
)" + dashes + u'\n';
        QCOMPARE(buildProtocolText(playWavFailure(), when, os).split(u'\n'),
                 expected.replace(u'|', u'\t').replace(u'\n', QStringLiteral("\r\n")).split(u'\n'));

        os.csdVersion = QByteArray("no terminator"); // not a C string: no service pack
        QVERIFY(buildProtocolText(playWavFailure(), when, os)
                    .contains(QStringLiteral("\r\n          Build:\t19045   \r\n")));
    }

    void cStringConversion() {
        QCOMPARE(LPSTRToVBString(QByteArray("abc\0def", 7)), QStringLiteral("abc"));
        QCOMPARE(LPSTRToVBString(QByteArray("\0abc", 4)), QString());
        QCOMPARE(LPSTRToVBString(QByteArray("abc")), QString());
        QCOMPARE(LPSTRToVBString(QByteArray()), QString());
        const OsVersionInfo os = OsVersionInfo::current();
        QVERIFY(!os.platform.isEmpty() && !os.version.isEmpty());
        QCOMPARE(LPSTRToVBString(os.csdVersion), QString());
    }

    // Version and build come from the kernel alone, never mixed with the
    // distribution's release number.
    void systemLinesFromOneSource() {
        const auto lines = [](const OsVersionInfo& os) {
            return QStringList{os.platform, os.version, QString::number(os.buildNumber)};
        };
        QCOMPARE(lines(OsVersionInfo::fromKernel("linux", "6.1.0-18-amd64", "Debian 12")),
                 (QStringList{"Debian 12", "6.1", "0"}));
        QCOMPARE(lines(OsVersionInfo::fromKernel("linux", "5.15.146.1-microsoft", "Ubuntu")),
                 (QStringList{"Ubuntu", "5.15", "146"}));
        QCOMPARE(lines(OsVersionInfo::fromKernel("winnt", "10.0.19045", "Windows 10")),
                 (QStringList{"Windows NT", "10.0", "19045"}));
        const QVersionNumber kernel = QVersionNumber::fromString(QSysInfo::kernelVersion());
        QCOMPARE(OsVersionInfo::current().version,
                 QStringLiteral("%1.%2").arg(kernel.majorVersion()).arg(kernel.minorVersion()));
    }

    // Lines wrap at 73 characters between words, continuations indented by 20
    // blanks; every printed line ends in a blank, an empty one is one blank.
    void printWrapping() {
        const QString words = QStringLiteral("word1abc word2abc word3abc word4abc word5abc "
                                             "word6abc word7abc word8abc word9abc");
        const QString indent(20, u' '), longWord(80, u'x');
        const QList<std::pair<QString, QStringList>> cases = {
            {words + "\r\n", {words.left(72), indent + "word9abc ", " "}}, // ninth word wraps
            {longWord, {longWord + ' '}},                                  // alone on its line
            {"short " + longWord, {"short ", indent + longWord + ' '}},
            {"a\r\n\r\nb", {"a ", " ", "b "}},
            // With its blank a line of 72 just fits; one of exactly 73 wraps its last word.
            {QString(36, u'x') + ' ' + QString(35, u'y'),
             {QString(36, u'x') + ' ' + QString(35, u'y') + ' '}},
            {QString(36, u'x') + ' ' + QString(36, u'y'),
             {QString(36, u'x') + ' ', indent + QString(36, u'y') + ' '}}};
        for (const auto& [protocol, printed] : cases)
            QCOMPARE(wrapProtocolForPrint(protocol), printed);
    }

    void printOfAWholeProtocol() {
        ProtocolFields fields = playWavFailure();
        fields.values[0] = "440 (" + QString(50, u'd') + " and more words)";
        const QStringList printed =
            wrapProtocolForPrint(buildProtocolText(fields, QDateTime::currentDateTime(), {}));
        // 18 lines, the long error line takes two, and a final empty line.
        QCOMPARE(printed.size(), 20);
        QCOMPARE(printed.last(), QStringLiteral(" "));
        for (const QString& line : printed)
            QVERIFY(line.endsWith(u' '));
        QVERIFY(printed[8].startsWith(QString(20, u' ')));
    }
};

QTEST_MAIN(ErrorReportTest)
#include "ErrorReportTest.moc"
