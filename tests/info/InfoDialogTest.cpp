#include "common/AppState.h"
#include "common/Prompt.h"
#include "common/SoundPlayer.h"
#include "settings/SettingsStore.h"
#include "ui/dialogs/frmInfo.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>

using namespace tavro;

namespace {

class SilentPrompt : public Prompt {
public:
    bool askYesNo(const QString&, const QString&) override { return false; }
    void showMessage(const QString&, const QString&) override {}
    std::optional<QString> askText(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
};

// A main window that counts how often it is shown.
class CountingWindow : public QWidget {
public:
    int shown = 0;

protected:
    void showEvent(QShowEvent*) override { ++shown; }
};

} // namespace

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class InfoDialogTest : public QObject {
    Q_OBJECT

    SettingsStore store_;
    SilentPrompt prompt_;
    SoundPlayer sound_;
    std::unique_ptr<AppState> state_;

    QLabel* label(QWidget& w, const char* name) {
        return w.findChild<QLabel*>(QLatin1String(name));
    }

private slots:
    void init() {
        state_ = std::make_unique<AppState>(store_, prompt_, sound_);
        state_->language.fillPaths(QCoreApplication::applicationDirPath());
        state_->settings.LanguageId = 0;
        store_.write(QStringLiteral("Settings"), QStringLiteral("Sprache"), QStringLiteral("0"));
    }

    void versionLineDigits() {
        QCOMPARE(frmInfo::versionLine(2, 3, 255), QStringLiteral("Tavro   2.03.0255"));
        QCOMPARE(frmInfo::versionLine(1, 0, 0), QStringLiteral("Tavro   1.00.0000"));
        QCOMPARE(frmInfo::versionLine(12, 34, 5678), QStringLiteral("Tavro   12.34.5678"));
    }

    void startupWindowShowsTheMainWindowOnce() {
        CountingWindow main;
        state_->StartupPending = true;
        QPointer<frmInfo> info = new frmInfo(*state_, &main);
        info->show();
        QVERIFY(!state_->StartupPending);
        QVERIFY(info->timerRunning());
        QVERIFY(info->findChild<QPushButton*>(QStringLiteral("cmdOK"))->isHidden());
        for (int id : {0, 1, 2, 3, 6})
            QVERIFY(label(*info, qPrintable(QStringLiteral("imgLang%1").arg(id)))->isVisible());
        QCOMPARE(label(*info, "Label3")->text(),
                 QStringLiteral("Weitere Informationen siehe Readme.htm"));

        QElapsedTimer clock;
        clock.start();
        QTest::qWait(2000);
        QVERIFY(!main.isVisible()); // not before its time
        QTRY_VERIFY_WITH_TIMEOUT(main.isVisible(), 3000);
        const qint64 elapsed = clock.elapsed();
        QVERIFY2(elapsed >= 2400 && elapsed < 4000, qPrintable(QString::number(elapsed)));
        QTRY_VERIFY(info.isNull()); // the start-up window is gone
        QVERIFY(state_->MainShown);
        QCOMPARE(main.shown, 1);
    }

    void aboutBoxNeverShowsTheMainWindow() {
        CountingWindow main;
        state_->StartupPending = false;
        state_->MainShown = true;
        main.hide(); // even a hidden main window stays hidden once it was shown
        frmInfo about(*state_, &main);
        QTimer::singleShot(300, &about, [&about] {
            QVERIFY(!about.timerRunning());
            for (int id : {0, 1, 2, 3, 6})
                QVERIFY(about.findChild<QLabel*>(QStringLiteral("imgLang%1").arg(id))->isHidden());
            about.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        });
        about.exec();
        QCOMPARE(main.shown, 0);
        QVERIFY(!main.isVisible());
    }

    void flagClickSwitchesAndStoresTheLanguage() {
        CountingWindow main;
        state_->StartupPending = true;
        frmInfo info(*state_, &main);
        info.setAttribute(Qt::WA_DeleteOnClose, false);
        info.show();
        QLabel* hint = label(info, "Label3");
        QTest::mouseClick(label(info, "imgLang1"), Qt::LeftButton);
        QCOMPARE(state_->settings.LanguageId, int16_t(1));
        QCOMPARE(store_.read(QStringLiteral("Settings"), QStringLiteral("Sprache"), QString()),
                 QStringLiteral("1"));
        QCOMPARE(hint->text(), QStringLiteral("For more information see Readme.htm"));

        QTest::mouseClick(label(info, "imgLang6"), Qt::LeftButton);
        QCOMPARE(state_->settings.LanguageId, int16_t(6));
        QCOMPARE(hint->text(), QStringLiteral("Pour plus d'informations, voir Readme.htm"));

        // The current language's flag stores nothing.
        store_.write(QStringLiteral("Settings"), QStringLiteral("Sprache"), QStringLiteral("x"));
        QTest::mouseClick(label(info, "imgLang6"), Qt::LeftButton);
        QCOMPARE(store_.read(QStringLiteral("Settings"), QStringLiteral("Sprache"), QString()),
                 QStringLiteral("x"));
        info.cmdOK_Click();
        QCOMPARE(main.shown, 1);
    }

    void linkColoursAndClick() {
        UrlCatcher urls;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &urls, "open");
        CountingWindow main;
        state_->MainShown = true;
        frmInfo about(*state_, &main);
        about.show();
        QLabel* link = label(about, "lblHomepage");
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 192));
        QTest::mousePress(link, Qt::LeftButton);
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QVERIFY(urls.opened.isEmpty());
        QTest::mouseRelease(link, Qt::LeftButton);
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QCOMPARE(urls.opened.size(), 1);
        QVERIFY(urls.opened[0].toString().startsWith(QStringLiteral("http")));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        about.cmdOK_Click();
    }
};

QTEST_MAIN(InfoDialogTest)
#include "InfoDialogTest.moc"
