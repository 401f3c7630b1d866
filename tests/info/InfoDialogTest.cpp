// The information window as start-up window and as about box, its flags and link.
#include "dialogs/DialogTestSupport.h"
#include "ui/dialogs/frmInfo.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

using namespace tavro;
using namespace tavro::test;

namespace {

struct CountingWindow : QWidget {
    int shown = 0;
    void showEvent(QShowEvent*) override { ++shown; }
};

QLabel* label(QWidget* window, const QString& name) {
    return window->findChild<QLabel*>(name);
}

} // namespace

class InfoDialogTest : public QObject {
    Q_OBJECT

private slots:
    void versionLineDigits() {
        QCOMPARE(frmInfo::versionLine(2, 3, 255), QStringLiteral("Tavro   2.03.0255"));
        QCOMPARE(frmInfo::versionLine(12, 34, 5678), QStringLiteral("Tavro   12.34.5678"));
    }

    // The hand-over's timing is checked with the whole program in test_startup.
    void startupWindowShowsTheMainWindowOnce() {
        Fixture f(0);
        CountingWindow main;
        f.state.StartupPending = true;
        QPointer<frmInfo> info = new frmInfo(f.state, &main);
        info->show();
        QVERIFY(!f.state.StartupPending);
        QVERIFY(info->timerRunning());
        QVERIFY(info->findChild<QPushButton*>(QStringLiteral("cmdOK"))->isHidden());
        for (int id : {0, 1, 2, 3, 6})
            QVERIFY(label(info, QStringLiteral("imgLang%1").arg(id))->isVisible());
        QCOMPARE(label(info, "Label3")->text(),
                 QStringLiteral("Weitere Informationen siehe Readme.htm"));
        QTest::qWait(2000);
        QVERIFY(!main.isVisible()); // not before its time
        QTRY_VERIFY_WITH_TIMEOUT(main.isVisible(), 3000);
        QTRY_VERIFY(info.isNull()); // the start-up window is gone
        QVERIFY(f.state.MainShown);
        QCOMPARE(main.shown, 1);
    }

    void aboutBoxNeverShowsTheMainWindow() {
        Fixture f(0);
        CountingWindow main;
        f.state.MainShown = true; // even a hidden main window stays hidden once it was shown
        frmInfo about(f.state, &main);
        QTimer::singleShot(300, &about, [&about] {
            QVERIFY(!about.timerRunning());
            for (int id : {0, 1, 2, 3, 6})
                QVERIFY(label(&about, QStringLiteral("imgLang%1").arg(id))->isHidden());
            about.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        });
        about.exec();
        QCOMPARE(main.shown, 0);
    }

    void flagClickSwitchesAndStoresTheLanguage() {
        Fixture f(0);
        CountingWindow main;
        f.state.StartupPending = true;
        frmInfo info(f.state, &main);
        info.setAttribute(Qt::WA_DeleteOnClose, false);
        info.show();
        const auto stored = [&f] { return f.store.read("Settings", "Sprache", "none"); };
        QLabel* hint = label(&info, "Label3");
        // Let go elsewhere: no click.
        QTest::mousePress(label(&info, "imgLang1"), Qt::LeftButton);
        QTest::mouseRelease(label(&info, "imgLang1"), Qt::LeftButton, {}, QPoint(40, 30));
        QCOMPARE(stored(), QStringLiteral("none"));
        QTest::mouseClick(label(&info, "imgLang1"), Qt::LeftButton);
        QCOMPARE(f.state.settings.LanguageId, int16_t(1));
        QCOMPARE(stored(), QStringLiteral("1"));
        QCOMPARE(hint->text(), QStringLiteral("For more information see Readme.htm"));
        QTest::mouseClick(label(&info, "imgLang6"), Qt::LeftButton);
        QCOMPARE(f.state.settings.LanguageId, int16_t(6));
        QCOMPARE(hint->text(), QStringLiteral("Pour plus d'informations, voir Readme.htm"));

        // The current language's flag stores nothing.
        f.store.write("Settings", "Sprache", "x");
        QTest::mouseClick(label(&info, "imgLang6"), Qt::LeftButton);
        QCOMPARE(stored(), QStringLiteral("x"));
        info.cmdOK_Click();
        QCOMPARE(main.shown, 1);
    }

    void linkColoursAndClick() {
        Fixture f(0);
        UrlCatcher urls;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &urls, "open");
        CountingWindow main;
        f.state.MainShown = true;
        frmInfo about(f.state, &main);
        about.show();
        QLabel* link = label(&about, "lblHomepage");
        const auto colour = [link] { return link->palette().color(QPalette::WindowText); };
        QCOMPARE(colour(), QColor(0, 0, 192));
        QTest::mousePress(link, Qt::LeftButton);
        QCOMPARE(colour(), QColor(255, 0, 0));
        QVERIFY(urls.opened.isEmpty());
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-5, 4)); // let go elsewhere
        QCOMPARE(colour(), QColor(0, 0, 255));
        QVERIFY(urls.opened.isEmpty());
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(urls.opened.size(), 1);
        QVERIFY(urls.opened[0].toString().startsWith(QStringLiteral("http")));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        about.cmdOK_Click();
    }
};

QTEST_MAIN(InfoDialogTest)
#include "InfoDialogTest.moc"
