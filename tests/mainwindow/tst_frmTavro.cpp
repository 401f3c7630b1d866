// The main window without moves: loading, layout, placement, digit displays,
// toolbar, keys, language flags and the help window.

#include "MainWindowHarness.h"
#include "Version.h"
#include "game/Game.h"
#include "settings/SettingsSchema.h"
#include "ui/dialogs/ClickableImage.h"
#include "ui/main/HelpWindow.h"
#include "ui/main/PictureButton.h"
#include "ui/main/WindowPlacement.h"

#include <QtTest>
#include <QtWidgets>

using namespace tavro;
using namespace tavro::test;

class tst_frmTavro : public QObject {
    Q_OBJECT

private slots:
    void init() { wipeStore(); }

    // Every setting loads; at three sizes the board shows what fits of the
    // chosen 14 x 8; a minimised window keeps its board; nothing is stored.
    void loadingAndLayout() {
        Harness h;
        h.storeSettings("Cols=14 Rows=8 BlockTypes=5 BlocksToClick=3 Blocks=2 Board=4 "
                        "Background=0 BGColor=9 Sound=0");
        const QByteArray file = readFile(h.store.fileName());
        auto window = h.showWindow(QSize(60, 40));
        const GameSettings& s = h.state.settings;
        QCOMPARE((QList<int>{s.BlockTypes, s.BlocksToClick, s.Blocks, s.Board, s.Background,
                             s.BGColor, s.Sound}),
                 (QList<int>{5, 3, 2, 4, 0, 9, 0}));
        struct Step {
            QSize inner;
            QList<int> sizes;    // MaxCols, MaxRows, Cols, Rows
            QList<QPoint> parts; // logo, digit frame, toolbar, board
        };
        const Step steps[] = {
            {{60, 40}, {-2, -4, 1, 1}, {{-177, 41}, {-169, 21}, {68, 21}, {3, 66}}},
            // 11 columns fit: 554 wide, left 97.5 -> 98; top 49.5 + 147 = 196.5 -> 196.
            {{749, 600}, {11, 7, 11, 7}, {{167, 41}, {3, 21}, {584, 21}, {98, 196}}},
            // 704 x 404: left (1018 - 704) / 2; top (593 - 404) / 2 + 147 = 241.5 -> 242.
            {{1018, 740}, {17, 9, 14, 8}, {{302, 41}, {70, 21}, {786, 21}, {157, 242}}}};
        for (const Step& step : steps) {
            window->resize(step.inner);
            QCOMPARE(window->imgHeader()->geometry(), QRect(0, 0, step.inner.width(), 147));
            QCOMPARE(window->lblCopyright()->pos(), QPoint(10, step.inner.height() - 20));
            QCOMPARE((QList<int>{s.MaxCols, s.MaxRows, s.Cols, s.Rows}), step.sizes);
            QCOMPARE((QList<QPoint>{window->imgLogo()->pos(), window->fraAnzeige()->pos(),
                                    window->fraKnopf()->pos(), window->picBoard()->pos()}),
                     step.parts);
            QCOMPARE(window->picBoard()->size(), QSize(s.Cols, s.Rows) * 50 + QSize(4, 4));
            QCOMPARE(window->game().totalBlocks(), s.Cols * s.Rows);
        }
        const auto small = [](const QImage& image) {
            return image.scaled(100, 60, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        };
        QCOMPARE_LE(channelDistance(small(window->backgroundImage().copy(0, 147, 1018, 593)),
                                    small(QImage(":/backgrounds/105.png"))),
                    8);
        QSignalSpy built(window.get(), &frmTavro::boardBuilt);
        window->showMinimized();
        window->resize(20, 20);
        QCoreApplication::processEvents();
        QCOMPARE(built.count(), 0);
        window->showNormal();
        window->resize(900, 700);
        QCOMPARE(QSize(s.Cols, s.Rows), QSize(14, 8));
        QCOMPARE(readFile(h.store.fileName()), file);
    }

    // The first start opens at the default size, later ones where the window
    // was when it closed, brought back onto a screen.
    void windowPlacement() {
        const QList<QRect> screens = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
        const QSize least(750, 597); // room for the default 12 x 7 board
        // Left Top Width Height Maximized remembered ("" none), and where the window opens.
        const QList<std::pair<QString, QRect>> cases = {
            {"", QRect(QPoint(585, 241), least)}, // centred on the first screen
            {"100 80 1000 700 1", QRect(100, 80, 1000, 700)},
            {"100 80 300 200 0", QRect(QPoint(100, 80), least)},
            {"5000 3000 900 650 0", QRect(1004, 382, 900, 650)}};
        const QStringList keys = {"Left", "Top", "Width", "Height", "Maximized"};
        for (const auto& [remembered, expected] : cases) {
            wipeStore();
            SettingsStore store;
            const QStringList values = remembered.split(' ', Qt::SkipEmptyParts);
            for (int i = 0; i < values.size(); ++i)
                store.write("Window", keys[i], values[i]);
            GameSettings settings;
            settings.Cols = 30; // a board larger than the default
            loadSection(store, kWindowSection, settings);
            QWidget window;
            WindowPlacement::restore(window, settings, screens);
            QCOMPARE(window.geometry(), expected);
            QCOMPARE(window.isMaximized(), remembered.endsWith('1'));
        }
        wipeStore();
        Harness h;
        h.state.MainShown = true;
        auto window = h.showWindow(QSize(780, 610));
        window->move(40, 30);
        window->close();
        QStringList stored;
        for (const QString& key : keys)
            stored << h.store.read("Window", key, "");
        QCOMPARE(stored.join(' '), QStringLiteral("%1 %2 780 610 0")
                                       .arg(window->geometry().x())
                                       .arg(window->geometry().y()));
    }

    // Every toolbar button and key, with the dialogs' work after they close.
    void toolbarButtons() {
        Harness h;
        auto window = h.showActive();
        QSignalSpy built(window.get(), &frmTavro::boardBuilt);
        // The first five digits of a larger number; a negative one is reported.
        window->showScore(9876543);
        window->showLeft(7);
        QCOMPARE(cells(window->imgScore()) + cells(window->imgLeft()),
                 (QList<int>{9, 8, 7, 6, 5, 0, 0, 0, 0, 7}));
        ReportRecorder counter{Continue::Ignore};
        window->showLeft(-7);
        QCOMPARE(counter.reports, QStringList{QStringLiteral("frmTavro/ShowNumber")});
        QCOMPARE(counter.failures[0].number, 5);
        QVERIFY(
            std::ranges::all_of(cells(window->imgLeft()), [](int c) { return c >= 0 && c <= 10; }));
        QTest::mouseClick(window->cmdBut(0), Qt::LeftButton);
        QCOMPARE(cells(window->imgScore()) + cells(window->imgLeft()),
                 (QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 8, 4}));
        window->inOptions = [&] { h.state.settings.BlockTypes = 3; };
        QTest::mouseClick(window->cmdBut(3), Qt::LeftButton);
        QCOMPARE(built.count(), 2); // a new game with what the options changed
        for (int i = 0; i < window->game().board().blockCount(); ++i)
            QVERIFY(window->game().board().block(i).type < 3);
        // High scores: the game goes on; the click sounds only with sound on.
        for (const bool sound : {true, false}) {
            h.state.settings.Sound = sound;
            h.sound.PlayWAV(SoundId::Unused);
            QTest::mouseClick(window->cmdBut(5), Qt::LeftButton);
            QCOMPARE(h.sound.soundData(), readFile(sound ? ":/wav/102.wav" : ":/wav/101.wav"));
        }
        window->inBlockPicker = [&] { h.state.settings.Blocks = 3; };
        QTest::mouseClick(window->cmdBut(6), Qt::LeftButton);
        QCOMPARE(window->picBlocks(), QImage(":/blocks/blocks03.png"));
        // Background: a new board only when the picture changed.
        const QImage oldBackground = window->backgroundImage();
        QTest::mouseClick(window->cmdBut(7), Qt::LeftButton);
        QCOMPARE(built.count(), 3);
        window->inBoardPicker = [&] { h.state.settings.Board = 6; };
        QTest::mouseClick(window->cmdBut(7), Qt::LeftButton);
        QCOMPARE(built.count(), 4);
        QVERIFY(window->backgroundImage() != oldBackground);
        const QRect inner(window->picBoard()->pos() + QPoint(2, 2), window->picBG().size());
        QCOMPARE_LE(channelDistance(window->picBG(), window->backgroundImage().copy(inner)), 1);
        UrlCatcher urls;
        const QUrl homepage(QStringLiteral(TAVRO_HOMEPAGE_URL));
        QDesktopServices::setUrlHandler(homepage.scheme(), &urls, "open");
        QDesktopServices::setUrlHandler("mailto", &urls, "open");
        QTest::mouseClick(window->cmdBut(4), Qt::LeftButton);
        window->mnuEMail()->trigger();
        QDesktopServices::unsetUrlHandler(homepage.scheme());
        QDesktopServices::unsetUrlHandler("mailto");
        QCOMPARE(urls.opened, (QList<QUrl>{homepage, QUrl("mailto:" TAVRO_SUPPORT_MAIL_ADDRESS
                                                          "?subject=Tavro")}));
        window->mnuUeber()->trigger();
        window->cmdBut_Click(8); // no such button: nothing
        QCOMPARE(window->opened, (QStringList{"options", "highscore", "highscore", "blocks",
                                              "board", "board", "info"}));
        QTest::keyClick(window.get(), Qt::Key_F2);
        QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(built.count(), 6);

        // Quit asks first: No leaves the game as it was, Yes shuts down.
        int shutdowns = 0;
        window->setShutdownHandler([&] { ++shutdowns; });
        const QImage board = window->picBoard()->image();
        h.prompt.yesNoAnswers = {false, true};
        QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(h.prompt.questions, QStringList{"Quit|Do you really want to quit Tavro?"});
        QVERIFY(shutdowns == 0 && window->isVisible() && window->picBoard()->image() == board);
        QTest::mouseClick(window->cmdBut(1), Qt::LeftButton);
        QCOMPARE(shutdowns, 1);
        QVERIFY(!window->isVisible());
    }

    // Each button returns with its real dialog open, modal; a new game follows
    // the closing of options and block set.
    void realDialogsOpenModally() {
        Harness h;
        frmTavro window(h.state);
        window.resize(900, 650);
        window.show();
        QSignalSpy built(&window, &frmTavro::boardBuilt);
        QStringList seen;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                closer.stop();
                seen.append(QString::fromLatin1(dialog->metaObject()->className()));
                dialog->close();
            }
        });
        for (int index : {3, 5, 6, 7, -1}) {
            closer.start(10);
            index < 0 ? window.mnuUeber()->trigger() : window.cmdBut_Click(index);
            QVERIFY(window.findChild<QDialog*>());
            QTRY_VERIFY(!closer.isActive());
        }
        QCOMPARE(seen, (QStringList{"tavro::frmOpt", "tavro::frmHighscore", "tavro::frmBlocks",
                                    "tavro::frmBoard", "tavro::frmInfo"}));
        QTRY_VERIFY(!window.findChild<QDialog*>());
        QCOMPARE(built.count(), 2);
    }

    // Flags switch all texts and store only a change; activation applies the
    // current language; help pages fall back to English, else say what is missing.
    void languagesAndHelp() {
        Harness h;
        h.state.settings.LanguageId = 0;
        auto window = h.showActive();
        QCOMPARE(window->cmdBut(0)->toolTip(), QStringLiteral("Neues Spiel"));
        QTest::mouseClick(window->imgLang(1), Qt::LeftButton);
        QCOMPARE(h.store.read("Settings", "Sprache", "none"), QStringLiteral("1"));
        QStringList texts;
        for (int button : {0, 1, 3, 2, 7, 6, 5, 4})
            texts << window->cmdBut(button)->toolTip();
        texts << window->mnuOnlinehelp()->text() << window->mnuEMail()->text()
              << window->mnuUeber()->text() << window->mnuHelp()->title();
        QCOMPARE(texts, (QStringList{"New game", "Quit", "Options", "Help",
                                     "Select background picture...", "Select pieces...",
                                     "Show high scores", "Homepage: " TAVRO_HOMEPAGE_URL, "Help",
                                     "&Mail to the author", "&About...", "&Hilfe"}));
        QCOMPARE(window->imgLang(2)->toolTip(), QStringLiteral("Espa\u00F1ol"));
        const QByteArray file = readFile(h.store.fileName());
        QTest::mouseClick(window->imgLang(1), Qt::LeftButton);
        QCOMPARE(readFile(h.store.fileName()), file);
        // Another window changed the language while this one was inactive.
        h.state.settings.LanguageId = 2;
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QCOMPARE(window->cmdBut(0)->toolTip(), QStringLiteral("New game"));
        window->activateWindow();
        QTRY_COMPARE(window->cmdBut(0)->toolTip(), QStringLiteral("Nueva partida"));

        QTest::keyClick(window.get(), Qt::Key_F1);
        HelpWindow* help = window->helpWindow();
        QVERIFY(help && help->isVisible() && help->shownFile().isEmpty());
        QVERIFY(help->browser()->toPlainText().contains("Help not found"));
        QVERIFY(help->browser()->toPlainText().contains("help/es/index.html"));
        for (const char* language : {"en", "es"}) {
            const QString page = h.dir.filePath(QStringLiteral("help/%1/index.html").arg(language));
            QVERIFY(QDir().mkpath(QFileInfo(page).path()));
            QVERIFY(writeFile(page, QByteArray("<html><body><h1>Help ") + language + "</h1>"));
            window->mnuOnlinehelp()->trigger();
            QCOMPARE(help->shownFile(), page);
            QVERIFY(help->browser()->toPlainText().contains(QStringLiteral("Help ") + language));
        }
        QCOMPARE(window->helpWindow(), help);
        window->close();
        QVERIFY(!help->isVisible());
    }
};

QTEST_MAIN(tst_frmTavro)
#include "tst_frmTavro.moc"
