// The error trap and the error report: choices, window, files, print layout.
#include "Version.h"
#include "dialogs/TestTools.h"
#include "errors/AppError.h"
#include "errors/ErrPtnr.h"
#include "errors/ProtocolText.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVersionNumber>

using namespace tavro;
using namespace tavro::test;

const Failure kInvalidCall{5, QStringLiteral("Invalid procedure call"), 0};

class ErrorsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QStringList questions_, messages_;
    bool answerYes_ = true;
    UrlCatcher urls_;
    QString stuck_; // a report that did not come up or did not end

    ErrPtnr& report() { return ErrPtnr::instance(); }

    // Once the report is up: runs `whileShown`, then Return on the focused
    // continue button; one not shown or not ended is noted, never waited for.
    void answerWhenShown(int button, std::function<void(ErrPtnr&)> whileShown) {
        stuck_ = "report not shown";
        QTimer::singleShot(0, this, [=, this] {
            auto* dialog = qobject_cast<ErrPtnr*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            whileShown(*dialog);
            auto* b = dialog->findChild<QPushButton*>(QStringLiteral("cmdContinue%1").arg(button));
            b->setFocus();
            QTest::keyClick(b, Qt::Key_Return);
            stuck_ = dialog->isVisible() ? "report not ended" : "";
            if (dialog->isVisible())
                dialog->QDialog::done(int(Continue::Leave));
        });
    }

private slots:
    void initTestCase() {
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

    // Three statements, the second failing `failureCount` times: answers,
    // failures, statements that ran.
    void trapRunsWhatTheAnswersSay() {
        const QList<std::tuple<QList<int>, int, QList<int>>> cases = {
            {{0, 0, 1}, 5, {1, 2, 2, 2, 3}}, // retry reports a persistent failure again
            {{0}, 1, {1, 2, 2, 3}},          // retry that succeeds
            {{1}, 1, {1, 2, 3}},             // ignore
            {{2}, 1, {1, 2}},                // leave
            {{7}, 1, {1, 2}},                // anything else leaves
            {{-1}, 1, {1, 2}}};
        for (const auto& [answers, failureCount, expectedRan] : cases) {
            ReportRecorder handler;
            QList<int> script = answers;
            handler.answer = [&script] {
                return script.isEmpty() ? int(Continue::Leave) : script.takeFirst();
            };
            QList<int> ran;
            int failures = failureCount;
            ErrorTrap trap("basCommon", "PlayWAV");
            trap.run([&] { ran << 1; });
            trap.run([&] {
                if (ran << 2; failures-- > 0)
                    throw AppError(AppError::InvalidCall, kInvalidCall.description);
            });
            trap.run([&] { ran << 3; });
            QCOMPARE(ran, expectedRan);
            QCOMPARE(handler.reports, QStringList(answers.size(), "basCommon/PlayWAV"));
        }
        ReportRecorder handler;
        ErrorTrap("basBlocks", "Drop").run([] { (void)std::vector<int>{}.at(3); });
        QCOMPARE(handler.failures.value(0).number, int(AppError::SubscriptOutOfRange));
    }

    // Logged before it shows; only the continue buttons end it (Return the
    // focused one); same size at every showing.
    void reportShowsLogsAndAnswers() {
        QStringList shown;
        QByteArray logWhileShown;
        answerWhenShown(1, [&](ErrPtnr& dialog) {
            logWhileShown = readFile(report().logFiles().logPath());
            for (const char* label :
                 {"lblError0", "lblError1", "lblError2", "lblError3", "lblProgInfo"})
                shown << dialog.findChild<QLabel*>(label)->text();
            shown << dialog.windowTitle() << dialog.BuildProtocol();
        });
        bool wentOn = false;
        ErrorTrap trap("basCommon", "PlayWAV");
        trap.run([] {
            throw AppError(AppError::ResourceNotFound, QStringLiteral("Resource not found"));
        });
        trap.run([&] { wentOn = true; });
        QVERIFY2(stuck_.isEmpty(), qPrintable(stuck_));
        QVERIFY(wentOn && report().isHidden());
        const QString program =
            QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
        QCOMPARE(shown.mid(0, 6),
                 (QStringList{"326 (Resource not found)", "basCommon", "PlayWAV", shown[3],
                              program + "  V" TAVRO_VERSION_STRING, "Fehler / Error! "}));
        QVERIFY(shown[3].toInt() > 0);
        QVERIFY(shown.value(6).contains("12-31-2024 / 23:59:58"));
        QVERIFY(logWhileShown.endsWith((shown.value(6) + "\r\n").toLocal8Bit()));

        QList<QSize> sizes;
        QList<Continue> choices;
        for (int button : {0, 2, 3}) {
            answerWhenShown(button, [&](ErrPtnr& dialog) {
                sizes << dialog.size();
                dialog.close();
                QTest::keyClick(&dialog, Qt::Key_Escape);
                QVERIFY(dialog.isVisible());
            });
            choices << report().OnError("frmOpt", "Sprache", kInvalidCall);
            QVERIFY2(stuck_.isEmpty(), qPrintable(stuck_));
        }
        QCOMPARE(choices, (QList<Continue>{Continue::Retry, Continue::Leave, Continue::End}));
        QCOMPARE(sizes, QList<QSize>(3, sizes.value(0)));
    }

    // Save asks before replacing and names the path; mail and homepage copy
    // the protocol; print without a printer says so.
    void protocolButtons() {
        const QString fallback = dir_.filePath(QStringLiteral("data/Tavro"));
        const ErrorLogFiles files(QStringLiteral("/nonexistent/folder"), QStringLiteral("tavro"),
                                  fallback);
        QVERIFY(files.appendToLog(QStringLiteral("one")) && files.appendToLog("two"));
        QCOMPARE(readFile(fallback + "/tavro.EPT"), QByteArray("one\r\ntwo\r\n"));
        report().setLogFiles(files);
        const QString path = fallback + QStringLiteral("/tavro.ERR");
        report().cmdProtocol_Click(1);
        QVERIFY(questions_.isEmpty());
        QCOMPARE(messages_.value(0),
                 QStringLiteral("Das Fehlerprotokoll wurde in die Datei '%1' geschrieben!\r\n"
                                "Error protocoll was written to file '%1'!")
                     .arg(path));
        const QByteArray saved = readFile(path);
        QVERIFY(saved.endsWith(QByteArray(70, '-') + "\r\n\r\n"));
        QVERIFY(writeFile(path, ""));
        answerYes_ = false;
        report().cmdProtocol_Click(1);
        QCOMPARE(questions_, QStringList{QStringLiteral("Vorhandene Datei '%1' überschreiben?\r\n"
                                                        "Overwrite file '%1' ?")
                                             .arg(path)});
        QCOMPARE(QFileInfo(path).size(), 0);
        answerYes_ = true;
        report().cmdProtocol_Click(1);
        QCOMPARE(readFile(path), saved);

        messages_.clear();
        report().cmdProtocol_Click(2);
        QCOMPARE(messages_, QStringList{ErrPtnr::mailInstruction()});
        QCOMPARE(QGuiApplication::clipboard()->text(), report().BuildProtocol());
        QCOMPARE(urls_.opened.value(0), QUrl(QStringLiteral("mailto:" TAVRO_SUPPORT_MAIL_ADDRESS)));
        QGuiApplication::clipboard()->clear();
        report().cmdProtocol_Click(3);
        QCOMPARE(urls_.opened.value(1), QUrl(QStringLiteral(TAVRO_HOMEPAGE_URL)));
        QVERIFY(QGuiApplication::clipboard()->text().startsWith(QString(70, u'-')));

        report().setPrinterSource([] { return std::unique_ptr<QPrinter>(); });
        report().cmdProtocol_Click(0);
        QVERIFY(messages_.value(1).contains(QStringLiteral("There is no default printer.")));
        QVERIFY(report().isHidden()); // protocol buttons never end the report
    }

    void protocolTextAndPrint() {
        // Build 84581: only the low 16 bits (19045) show.
        OsVersionInfo os{"Windows NT", "10.0", 0x00014A65, QByteArray("Service Pack 3\0junk", 19)};
        const ProtocolFields fields{
            "Programm-Info:",
            "tavro  V1.0.0",
            "Fehlerbeschreibung / error description:",
            {"Fehler-Nr / error :", "Modul:", "Prozedur / procedure:", "Zeile / Line:"},
            {"9 (Subscript out of range)", "basCommon", "PlayWAV", "42"}};
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
        QCOMPARE(buildProtocolText(fields, when, os).split(u'\n'),
                 expected.replace(u'|', u'\t').replace(u'\n', QStringLiteral("\r\n")).split(u'\n'));
        os.csdVersion = QByteArray("no terminator"); // not a C string: no service pack
        QVERIFY(buildProtocolText(fields, when, os).contains("\r\n          Build:\t19045   \r\n"));

        // Version and build come from the kernel, not the distribution.
        for (const auto& [type, kernel, name, shown] :
             {std::tuple("linux", "6.1.0-18-amd64", "Debian 12", "Debian 12|6.1|0"),
              {"linux", "5.15.146.1-microsoft", "Ubuntu", "Ubuntu|5.15|146"},
              {"winnt", "10.0.19045", "Windows 10", "Windows NT|10.0|19045"}}) {
            const OsVersionInfo os = OsVersionInfo::fromKernel(type, kernel, name);
            QCOMPARE(os.platform + '|' + os.version + '|' + QString::number(os.buildNumber), shown);
        }
        const QVersionNumber kernel = QVersionNumber::fromString(QSysInfo::kernelVersion());
        QCOMPARE(OsVersionInfo::current().version,
                 QStringLiteral("%1.%2").arg(kernel.majorVersion()).arg(kernel.minorVersion()));

        // Printing wraps at 73 characters between words, continuations
        // indented by 20; every line ends in a blank.
        const QString words = QStringLiteral("word1abc word2abc word3abc word4abc word5abc "
                                             "word6abc word7abc word8abc word9abc");
        const QString indent(20, u' '), longWord(80, u'x'), x36(36, u'x');
        const QList<std::pair<QString, QStringList>> cases = {
            {words + "\r\n", {words.left(72), indent + "word9abc ", " "}},
            {longWord, {longWord + ' '}}, // alone on its line
            {"short " + longWord, {"short ", indent + longWord + ' '}},
            {"a\r\n\r\nb", {"a ", " ", "b "}},
            // With its blank a line of 72 just fits; one of exactly 73 wraps its last word.
            {x36 + ' ' + QString(35, u'y'), {x36 + ' ' + QString(35, u'y') + ' '}},
            {x36 + ' ' + QString(36, u'y'), {x36 + ' ', indent + QString(36, u'y') + ' '}}};
        for (const auto& [protocol, printed] : cases)
            QCOMPARE(wrapProtocolForPrint(protocol), printed);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ErrorsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ErrorsTest.moc"
