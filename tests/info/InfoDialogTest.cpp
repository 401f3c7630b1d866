// The information window as start-up window and as about box: flags, link, hand-over.
#include "dialogs/DialogTestSupport.h"
#include "ui/dialogs/frmInfo.h"

#include <QDesktopServices>
#include <QLabel>
#include <QTest>

using namespace tavro;
using namespace tavro::test;

namespace {

struct CountingWindow : QWidget {
    int shown = 0;
    void showEvent(QShowEvent*) override { ++shown; }
};

} // namespace

class InfoDialogTest : public QObject {
    Q_OBJECT

private slots:
    // Shown at start: flags switch and store the language (only a change, only
    // a click let go on the flag); it hands over to the main window. The
    // timer's hand-over is checked with the whole program in the app test.
    void startupWindow() {
        Fixture f(0);
        CountingWindow main;
        f.state.StartupPending = true;
        auto info = std::make_unique<frmInfo>(f.state, &main);
        const auto label = [&info](const QString& name) { return info->findChild<QLabel*>(name); };
        const auto stored = [&f] { return f.store.read("Settings", "Sprache", "none"); };
        info->show();
        QVERIFY(!f.state.StartupPending && info->timerRunning());
        QVERIFY(info->findChild<QPushButton*>(QStringLiteral("cmdOK"))->isHidden());
        for (int id : {0, 1, 2, 3, 6})
            QVERIFY(label(QStringLiteral("imgLang%1").arg(id))->isVisible());
        QCOMPARE(label("Label3")->text(), QStringLiteral("Weitere Informationen siehe Readme.htm"));
        QTest::mousePress(label("imgLang1"), Qt::LeftButton);
        QTest::mouseRelease(label("imgLang1"), Qt::LeftButton, {}, QPoint(40, 30));
        QCOMPARE(stored(), QStringLiteral("none"));
        QTest::mouseClick(label("imgLang1"), Qt::LeftButton);
        QCOMPARE(f.state.settings.LanguageId, int16_t(1));
        QCOMPARE(stored(), QStringLiteral("1"));
        QCOMPARE(label("Label3")->text(), QStringLiteral("For more information see Readme.htm"));
        QTest::mouseClick(label("imgLang6"), Qt::LeftButton);
        QCOMPARE(label("Label3")->text(),
                 QStringLiteral("Pour plus d'informations, voir Readme.htm"));
        f.store.write("Settings", "Sprache", "x");
        QTest::mouseClick(label("imgLang6"), Qt::LeftButton);
        QCOMPARE(stored(), QStringLiteral("x"));

        info->cmdOK_Click();
        QVERIFY(f.state.MainShown && main.isVisible() && main.shown == 1);
    }

    // As about box: no timer, no flags, the link lights while pressed and
    // opens only when let go on it; OK never shows the main window.
    void aboutBox() {
        QCOMPARE(frmInfo::versionLine(2, 3, 255), QStringLiteral("Tavro   2.03.0255"));
        Fixture f(0);
        UrlCatcher urls;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &urls, "open");
        CountingWindow main;
        f.state.MainShown = true; // even a hidden main window stays hidden once it was shown
        frmInfo about(f.state, &main);
        about.show();
        QVERIFY(!about.timerRunning());
        for (int id : {0, 1, 2, 3, 6})
            QVERIFY(about.findChild<QLabel*>(QStringLiteral("imgLang%1").arg(id))->isHidden());
        QLabel* link = about.findChild<QLabel*>("lblHomepage");
        const auto colour = [link] { return link->palette().color(QPalette::WindowText); };
        QCOMPARE(colour(), QColor(0, 0, 192));
        QTest::mousePress(link, Qt::LeftButton);
        QCOMPARE(colour(), QColor(255, 0, 0));
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-5, 4)); // let go elsewhere
        QCOMPARE(colour(), QColor(0, 0, 255));
        QVERIFY(urls.opened.isEmpty());
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(urls.opened.size(), 1);
        QVERIFY(urls.opened[0].toString().startsWith(QStringLiteral("http")));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        about.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        QVERIFY(!about.isVisible());
        QCOMPARE(main.shown, 0);
    }
};

QTEST_MAIN(InfoDialogTest)
#include "InfoDialogTest.moc"
