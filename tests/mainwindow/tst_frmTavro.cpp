// The main window without moves: loading, layout, digit displays, toolbar,
// help menu, language flags and help window.

#include "MainWindowHarness.h"
#include "Version.h"
#include "game/Game.h"
#include "settings/SettingsSchema.h"
#include "ui/dialogs/ClickableImage.h"
#include "ui/main/BoardSurface.h"
#include "ui/main/HelpWindow.h"
#include "ui/main/PictureButton.h"
#include "ui/main/WindowLayout.h"
#include "ui/main/WindowPlacement.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

using namespace tavro;
using namespace tavro::test;

// Every loaded setting in one list, in the order the tests give them.
static QList<int> loaded(const GameSettings& s) {
    return {s.BlockTypes, s.BlocksToClick, s.Cols,    s.Rows, s.Blocks,
            s.Board,      s.Background,    s.BGColor, s.Sound};
}

class tst_frmTavro : public QObject {
    Q_OBJECT

private slots:
    void init() { wipeStore(); }

    void formLoadReadsDefaultsFromAnEmptyStore() {
        Harness h;
        TestWindow window(h.state);
        QCOMPARE(loaded(h.state.settings), (QList<int>{4, 2, 12, 7, 0, 1, true, 0, true}));
        QCOMPARE(QSize(h.state.settings.BlockWidth, h.state.settings.BlockHeight), QSize(50, 50));
        QVERIFY(!window.isMoving());
        QVERIFY(!window.isVisible());
        QVERIFY(!window.picBlocks().isNull());
        // Loading writes nothing.
        QCOMPARE(h.store.read("Settings", "Cols", "none"), QStringLiteral("none"));
        QCOMPARE(cells(window.imgScore()), (QList<int>{0, 0, 0, 0, 0}));
        QCOMPARE(cells(window.imgLeft()), (QList<int>{0, 0, 0, 0, 0}));
    }

    void formLoadClampsStoredValues() {
        Harness h;
        h.storeSettings("BlockTypes=9 BlocksToClick=1 Cols=2 Board=20 Background=5 Sound=1");
        ReportRecorder counter{Continue::Ignore};
        TestWindow window(h.state);
        QVERIFY2(counter.reports.isEmpty(), qPrintable(counter.reports.join(", ")));
        const GameSettings& s = h.state.settings;
        QCOMPARE(
            (QList<int>{s.BlockTypes, s.BlocksToClick, s.Cols, s.Board, s.Background, s.Sound}),
            (QList<int>{6, 2, 5, 8, true, true}));
    }

    void formLoadReportsABadColsOnceAndLoadsTheRest() {
        Harness h;
        h.storeSettings("Cols=abc BlockTypes=5 BlocksToClick=3 Rows=6 Blocks=2 Board=4 "
                        "Background=0 BGColor=9 Sound=0");
        ReportRecorder counter{Continue::Ignore};
        TestWindow window(h.state);
        QCOMPARE(counter.reports, QStringList{QStringLiteral("frmTavro/Form_Load")});
        QCOMPARE(counter.failures[0].number, 13);
        // Cols keeps the value it had before the read.
        QCOMPARE(loaded(h.state.settings), (QList<int>{5, 3, 0, 6, 2, 4, 0, 9, 0}));
        // The first layout still builds a board of at least one column.
        window.resize(800, 600);
        window.show();
        QVERIFY(window.game().totalBlocks() >= 1);
        QCOMPARE(counter.reports.size(), 1);
    }

    void layoutForAnInnerSize_data() {
        QTest::addColumn<QSize>("inner");
        QTest::addColumn<QList<int>>("sizes"); // MaxCols, MaxRows, Cols, Rows of a 12 x 7 choice
        QTest::addColumn<QList<QPoint>>("places"); // logo, digit frame, toolbar, board
        // Board 604 x 354: left (1018 - 604) / 2, top (593 - 354) / 2 + 147 = 266.5 -> 266.
        QTest::newRow("1018x740") << QSize(1018, 740) << QList<int>{17, 9, 12, 7}
                                  << QList<QPoint>{{302, 41}, {70, 21}, {786, 21}, {207, 266}};
        // 11 columns fit: 554 wide, left 97.5 -> 98; top 49.5 + 147 = 196.5 -> 196.
        QTest::newRow("749x600") << QSize(749, 600) << QList<int>{11, 7, 11, 7}
                                 << QList<QPoint>{{167, 41}, {3, 21}, {584, 21}, {98, 196}};
        // Too small for any board: still one cell.
        QTest::newRow("60x40") << QSize(60, 40) << QList<int>{-2, -4, 1, 1}
                               << QList<QPoint>{{-177, 41}, {-169, 21}, {68, 21}, {3, 66}};
    }

    void layoutForAnInnerSize() {
        QFETCH(QSize, inner);
        QFETCH(QList<int>, sizes);
        QFETCH(QList<QPoint>, places);
        const WindowLayout layout = layoutFor(inner);
        const QSize cells = layout.boardCells(QSize(12, 7));
        QCOMPARE(layout.header, QRect(0, 0, inner.width(), 147));
        QCOMPARE(layout.picture, QRect(0, 147, inner.width(), inner.height() - 147));
        QCOMPARE(layout.copyright, QPoint(10, inner.height() - 20));
        QCOMPARE((QList<int>{layout.maxCols, layout.maxRows, cells.width(), cells.height()}),
                 sizes);
        QCOMPARE((QList<QPoint>{layout.logo, layout.displays, layout.toolbar,
                                layout.boardRect(cells, 2).topLeft()}),
                 places);
        QCOMPARE(layout.boardRect(cells, 2).size(), cells * 50 + QSize(4, 4));
    }

    // The window puts its parts where its layout says and builds the board.
    void windowFollowsItsLayout() {
        Harness h;
        auto window = h.showWindow(QSize(1018, 740));
        const WindowLayout layout = layoutFor(window->size());
        const GameSettings& s = h.state.settings;
        QCOMPARE(window->imgHeader()->geometry(), layout.header);
        QCOMPARE((QList<QPoint>{window->imgLogo()->pos(), window->fraAnzeige()->pos(),
                                window->fraKnopf()->pos(), window->lblCopyright()->pos()}),
                 (QList<QPoint>{layout.logo, layout.displays, layout.toolbar, layout.copyright}));
        QCOMPARE((QList<int>{s.MaxCols, s.MaxRows, s.Cols, s.Rows}), (QList<int>{17, 9, 12, 7}));
        QCOMPARE(window->picBoard()->geometry(), layout.boardRect(QSize(12, 7), 2));
        QCOMPARE(window->picBoard()->innerSize(), QSize(600, 350));
        QCOMPARE(window->game().blocksLeft(), 84);
    }

    // A smaller window lowers the board for the moment only: made large again
    // it shows the chosen board, and nothing is ever stored.
    void boardReturnsToTheChosenSizeAndMinimisedWindowsSurvive() {
        Harness h;
        h.storeSettings("Cols=14 Rows=8");
        auto window = h.showWindow(QSize(60, 40));
        const GameSettings& s = h.state.settings;
        QCOMPARE(QSize(s.Cols, s.Rows), QSize(1, 1));
        QVERIFY(window->game().isGameOver());
        window->resize(749, 600);
        QCOMPARE(QSize(s.Cols, s.Rows), QSize(11, 7));
        window->resize(1018, 740);
        QCOMPARE(QSize(s.Cols, s.Rows), QSize(14, 8));
        QCOMPARE(window->game().totalBlocks(), 14 * 8);

        // A minimised window keeps its board; growing again lays out anew.
        QSignalSpy built(window.get(), &frmTavro::boardBuilt);
        window->showMinimized();
        window->resize(20, 20);
        QCoreApplication::processEvents();
        if (window->isMinimized())
            QCOMPARE(built.count(), 0);
        window->showNormal();
        window->resize(900, 700);
        QVERIFY(built.count() >= 1);
        QCOMPARE(QSize(s.Cols, s.Rows), QSize(14, 8));
        QCOMPARE(h.store.read("Settings", "Cols", "") + h.store.read("Settings", "Rows", ""),
                 QStringLiteral("148"));
    }

    // The first start opens at the default size whatever board is stored; later
    // starts open where the window was, brought back onto a screen.
    void windowPlacement() {
        const QList<QRect> screens = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
        const QSize least = innerSizeFor(QSize(12, 7));
        QCOMPARE(least, QSize(750, 597));
        QCOMPARE(innerSizeFor(QSize(30, 12)), QSize(1650, 847));
        // remembered Left Top Width Height Maximized ("" none), then where the window opens
        const QList<std::pair<QString, QRect>> cases = {
            {"", QRect(QPoint(585, 241), least)}, // centred on the first screen
            {"100 80 1000 700 1", QRect(100, 80, 1000, 700)},
            {"100 80 300 200 0", QRect(QPoint(100, 80), least)},  // never below the default
            {"5000 3000 900 650 0", QRect(1004, 382, 900, 650)}}; // pulled back onto a screen
        for (const auto& [remembered, expected] : cases) {
            wipeStore();
            Harness h;
            h.storeSettings("Cols=5 Rows=5");
            const QStringList values = remembered.split(' ', Qt::SkipEmptyParts);
            const QStringList keys = {"Left", "Top", "Width", "Height", "Maximized"};
            for (int i = 0; i < values.size(); ++i)
                h.store.write("Window", keys[i], values[i]);
            QWidget window;
            loadSection(h.store, kWindowSection, h.state.settings);
            WindowPlacement::restore(window, h.state.settings, screens);
            QCOMPARE(window.geometry(), expected);
            QCOMPARE(window.windowState().testFlag(Qt::WindowMaximized), remembered.endsWith('1'));
            QCOMPARE(h.store.read("Settings", "Cols", ""), QStringLiteral("5"));
        }

        // Closing a shown main window remembers its place in the section "Window".
        wipeStore();
        Harness h;
        h.state.MainShown = true;
        auto window = h.showWindow(QSize(780, 610));
        window->move(40, 30);
        const QRect shown = window->geometry();
        window->close();
        QStringList stored;
        for (const char* key : {"Left", "Top", "Width", "Height", "Maximized"})
            stored << h.store.read("Window", key, "");
        QCOMPARE(stored, (QStringList{QString::number(shown.left()), QString::number(shown.top()),
                                      "780", "610", "0"}));
        QWidget next;
        WindowPlacement::restore(next, h.state.settings, screens);
        QCOMPARE(next.geometry(), shown);
    }

    void backgroundIsThePictureStretchedBelowTheHeader() {
        Harness h;
        h.storeSettings("Board=2");
        auto window = h.showWindow(QSize(1000, 747));
        const QImage& bg = window->backgroundImage();
        QCOMPARE(bg.size(), QSize(1000, 747));
        QImage picture(QStringLiteral(":/backgrounds/103.png"));
        QVERIFY(!picture.isNull());
        // 800 x 600 stretched onto 1000 x 600 below the 147 header.
        const QImage expected =
            picture.scaled(1000, 600, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_RGB32);
        int close = 0;
        for (int y = 10; y < 600; y += 97)
            for (int x = 10; x < 1000; x += 131) {
                const QColor a = bg.pixelColor(x, 147 + y), b = expected.pixelColor(x, y);
                close += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                             std::abs(a.blue() - b.blue()) <
                         40;
            }
        QVERIFY2(close >= 50, qPrintable(QString::number(close))); // 56 samples
        // The board shows the picture under it through its empty cells.
        const QPoint inner = window->picBoard()->pos() + QPoint(2, 2);
        QVERIFY(channelDistance(window->picBG(), bg.copy(QRect(inner, window->picBG().size()))) <=
                1);
    }

    void digitDisplaysShowFiveDigits() {
        Harness h;
        TestWindow window(h.state);
        for (const auto& [score, shown] :
             std::initializer_list<std::pair<int, QList<int>>>{{0, {0, 0, 0, 0, 0}},
                                                               {12345, {1, 2, 3, 4, 5}},
                                                               {100000, {1, 0, 0, 0, 0}},
                                                               {9876543, {9, 8, 7, 6, 5}}}) {
            window.showScore(score);
            QCOMPARE(cells(window.imgScore()), shown);
        }
        window.showLeft(7);
        QCOMPARE(cells(window.imgLeft()), (QList<int>{0, 0, 0, 0, 7}));
        QCOMPARE(cells(window.imgScore()), (QList<int>{9, 8, 7, 6, 5}));

        // A negative value names no cell: reported, the display is not broken.
        ReportRecorder counter{Continue::Ignore};
        window.showLeft(-7);
        QCOMPARE(counter.reports, QStringList{QStringLiteral("frmTavro/ShowNumber")});
        QCOMPARE(counter.failures[0].number, 5);
        for (int cell : cells(window.imgLeft()))
            QVERIFY(cell >= 0 && cell <= 10);
    }

    void newGameButtonBuildsABoard() {
        Harness h;
        auto window = h.showWindow(QSize(900, 650));
        QSignalSpy built(window.get(), &frmTavro::boardBuilt);
        window->showLeft(3);
        window->showScore(55);
        QTest::mouseClick(window->cmdBut(0), Qt::LeftButton);
        QCOMPARE(built.count(), 1);
        QCOMPARE(window->game().score(), 0);
        QCOMPARE(window->imgScore()->cell(4), 0);
        QCOMPARE(window->game().totalBlocks(), 84); // 12 x 7
        QCOMPARE(cells(window->imgLeft()).mid(3), (QList<int>{8, 4}));
    }

    // No leaves the game as it was; Yes runs Shutdown and the window unloads.
    void quitAsksFirst() {
        Harness h;
        h.state.settings.LanguageId = 1;
        auto window = h.showWindow(QSize(900, 650));
        int shutdowns = 0;
        window->setShutdownHandler([&] { ++shutdowns; });
        QSignalSpy built(window.get(), &frmTavro::boardBuilt);
        const QImage before = window->picBoard()->image();
        h.prompt.yesNoAnswers = {false, true};
        QTest::mouseClick(window->cmdBut(1), Qt::LeftButton);
        QCOMPARE(h.prompt.questions, QStringList{QStringLiteral("Quit|Really quit?")});
        QCOMPARE(QList<qsizetype>({shutdowns, built.count()}), QList<qsizetype>({0, 0}));
        QVERIFY(window->isVisible());
        QCOMPARE(window->picBoard()->image(), before);
        window->cmdBut_Click(1);
        QCOMPARE(shutdowns, 1);
        QVERIFY(!window->isVisible());
    }

    void dialogButtonsActAfterTheirDialogs() {
        Harness h;
        auto window = h.showWindow(QSize(900, 650));
        QSignalSpy built(window.get(), &frmTavro::boardBuilt);

        // Options: a new game with what the dialog changed, however it closed.
        window->inOptions = [&] { h.state.settings.BlockTypes = 3; };
        window->cmdBut_Click(3);
        QCOMPARE(window->opened, QStringList{QStringLiteral("options")});
        QCOMPARE(built.count(), 1);
        for (int i = 0; i < window->game().board().blockCount(); ++i)
            QVERIFY(window->game().board().block(i).type < 3);

        // High scores: the game goes on.
        window->cmdBut_Click(5);
        QCOMPARE(window->opened.last(), QStringLiteral("highscore"));
        QCOMPARE(built.count(), 1);

        // Block set: the new set's strip, then a new game.
        const QImage oldStrip = window->picBlocks();
        window->inBlockPicker = [&] { h.state.settings.Blocks = 3; };
        window->cmdBut_Click(6);
        QCOMPARE(window->opened.last(), QStringLiteral("blocks"));
        QCOMPARE(built.count(), 2);
        QCOMPARE(window->picBlocks(), QImage(QStringLiteral(":/blocks/blocks03.png")));
        QVERIFY(window->picBlocks() != oldStrip);

        // Background unchanged: the game in progress goes on.
        const QImage oldBackground = window->backgroundImage();
        window->cmdBut_Click(7);
        QCOMPARE(window->opened.last(), QStringLiteral("board"));
        QCOMPARE(built.count(), 2);
        // Changed: repainted, then a new board over the new picture.
        window->inBoardPicker = [&] { h.state.settings.Board = 6; };
        window->cmdBut_Click(7);
        QCOMPARE(built.count(), 3);
        QVERIFY(window->backgroundImage() != oldBackground);
        const QPoint inner = window->picBoard()->pos() + QPoint(2, 2);
        QVERIFY(channelDistance(window->picBG(), window->backgroundImage().copy(
                                                     QRect(inner, window->picBG().size()))) <= 1);

        // The about entry opens the information dialog.
        window->mnuUeber()->trigger();
        QCOMPARE(window->opened.last(), QStringLiteral("info"));
        // Index 8 or more does nothing.
        window->cmdBut_Click(8);
        QCOMPARE(window->opened.size(), 6);
        QCOMPARE(built.count(), 3);
    }

    void realDialogsOpenModally() {
        Harness h;
        h.state.MainShown = true;
        frmTavro window(h.state);
        window.resize(900, 650);
        window.show();
        QSignalSpy built(&window, &frmTavro::boardBuilt);
        QStringList seen;
        // Closes the next modal dialog as soon as it is up.
        QTimer closer;
        closer.setInterval(10);
        connect(&closer, &QTimer::timeout, [&] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                closer.stop();
                seen.append(QString::fromLatin1(dialog->metaObject()->className()));
                dialog->close();
            }
        });
        // Each click returns with its dialog open; the work after it (a new
        // game) follows when the dialog has closed.
        for (int index : {3, 5, 6, 7}) {
            closer.start();
            window.cmdBut_Click(index);
            QVERIFY(window.findChild<QDialog*>());
            QTRY_COMPARE(seen.size(), qsizetype(index == 3 ? 1 : index - 3));
        }
        closer.start();
        window.mnuUeber()->trigger();
        QTRY_COMPARE(seen, (QStringList{"tavro::frmOpt", "tavro::frmHighscore", "tavro::frmBlocks",
                                        "tavro::frmBoard", "tavro::frmInfo"}));
        // A new game after the options and the block-set picker only; the
        // closed dialogs are gone.
        QTRY_COMPARE(built.count(), 2);
        QTRY_VERIFY(!window.findChild<QDialog*>());
        QVERIFY(window.isVisible());
    }

    void homepageAndMailOpenTheirAddresses() {
        Harness h;
        auto window = h.showWindow(QSize(900, 650));
        UrlCatcher recorder;
        const QUrl homepage(QStringLiteral(TAVRO_HOMEPAGE_URL));
        QDesktopServices::setUrlHandler(homepage.scheme(), &recorder, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &recorder, "open");
        QTest::mouseClick(window->cmdBut(4), Qt::LeftButton);
        window->mnuEMail()->trigger();
        QDesktopServices::unsetUrlHandler(homepage.scheme());
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        QCOMPARE(recorder.opened.size(), 2);
        QCOMPARE(recorder.opened[0], homepage);
        const QUrl& mail = recorder.opened[1];
        QCOMPARE((QStringList{mail.scheme(), mail.path(), mail.query()}),
                 (QStringList{"mailto", TAVRO_SUPPORT_MAIL_ADDRESS, "subject=Tavro"}));
        QVERIFY(window->cmdBut(4)->toolTip().contains(QStringLiteral(TAVRO_HOMEPAGE_URL)));
    }

    void toolbarClickPlaysSound102OnlyWithSoundOn() {
        QFile file(QStringLiteral(":/wav/102.wav"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QFile other(QStringLiteral(":/wav/101.wav"));
        QVERIFY(other.open(QIODevice::ReadOnly));

        Harness h;
        auto window = h.showWindow(QSize(900, 650));
        h.sound.PlayWAV(SoundId::Unused);
        window->cmdBut_Click(5); // high scores: no board sound after it
        QCOMPARE(h.sound.soundData(), file.readAll());

        h.state.settings.Sound = false;
        h.sound.PlayWAV(SoundId::Unused);
        window->cmdBut_Click(5);
        QCOMPARE(h.sound.soundData(), other.readAll());
    }

    // The keys of the toolbar: F2 and Ctrl+N a new game, Ctrl+Q quit, F1 help.
    void keysReachTheirButtons() {
        Harness h;
        auto window = h.showWindow(QSize(900, 650));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QSignalSpy built(window.get(), &frmTavro::boardBuilt);
        QTest::keyClick(window.get(), Qt::Key_F2);
        QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(built.count(), 2);
        QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(h.prompt.questions.size(), 1);
        QTest::keyClick(window.get(), Qt::Key_F1);
        QVERIFY(window->helpWindow() && window->helpWindow()->isVisible());
        window->helpWindow()->close();
    }

    void flagSwitchesAllTextsAndStoresTheLanguage() {
        Harness h;
        auto window = h.showWindow(QSize(900, 650));
        window->Sprache();
        QCOMPARE(window->cmdBut(0)->toolTip(), QStringLiteral("Neues Spiel"));
        QCOMPARE(window->mnuUeber()->text(), QStringLiteral("Info"));
        const QString homepageTip = window->cmdBut(4)->toolTip();

        QTest::mouseClick(window->imgLang(1), Qt::LeftButton);
        QCOMPARE(h.state.settings.LanguageId, 1);
        QCOMPARE(h.store.read("Settings", "Sprache", "none"), QStringLiteral("1"));
        QStringList tips;
        for (int button : {0, 1, 3, 2, 7, 6, 5})
            tips << window->cmdBut(button)->toolTip();
        QCOMPARE(tips, (QStringList{"New game", "Quit", "Options", "Help", "Background",
                                    "Block set", "High scores"}));
        QCOMPARE((QStringList{window->mnuOnlinehelp()->text(), window->mnuEMail()->text(),
                              window->mnuUeber()->text(), window->mnuHelp()->title()}),
                 (QStringList{"Help", "Mail", "About", "&Hilfe"}));
        // The help menu: help, a separator, mail, about.
        const QList<QAction*> entries = window->mnuHelp()->actions();
        QCOMPARE(entries.mid(0, 4), (QList<QAction*>{window->mnuOnlinehelp(), entries[1],
                                                     window->mnuEMail(), window->mnuUeber()}));
        QVERIFY(entries[1]->isSeparator());
        QCOMPARE(window->cmdBut(4)->toolTip(), homepageTip); // fixed, not translated
        QCOMPARE(window->imgLang(2)->toolTip(), QStringLiteral("Espa\u00F1ol"));

        // The current language's flag stores nothing.
        wipeStore();
        QTest::mouseClick(window->imgLang(1), Qt::LeftButton);
        QCOMPARE(SettingsStore().read("Settings", "Sprache", "none"), QStringLiteral("none"));
    }

    void activationAppliesTheCurrentLanguage() {
        Harness h;
        auto window = h.showWindow(QSize(900, 650));
        // Another window changed the language while this one was inactive.
        h.state.settings.LanguageId = 1;
        QCOMPARE(window->cmdBut(5)->toolTip(), QStringLiteral("Bestenliste"));
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTRY_COMPARE(window->cmdBut(5)->toolTip(), QStringLiteral("High scores"));
    }

    void helpWindowFallsBackToEnglishOrSaysWhatIsMissing() {
        Harness h;
        auto window = h.showWindow(QSize(900, 650));
        h.state.settings.LanguageId = 2;

        window->mnuOnlinehelp()->trigger();
        HelpWindow* help = window->helpWindow();
        QVERIFY(help && help->isVisible());
        QVERIFY(help->shownFile().isEmpty());
        QVERIFY(help->browser()->toPlainText().contains(QStringLiteral("Help not found")));
        QVERIFY(help->browser()->toPlainText().contains(QStringLiteral("help/es/index.html")));

        // Writes a help page and opens the help again.
        const auto writePage = [&](const QString& language, const QByteArray& heading) {
            const QString folder = h.dir.filePath(QStringLiteral("help/") + language);
            QFile page(folder + QStringLiteral("/index.html"));
            QVERIFY(QDir().mkpath(folder) && page.open(QIODevice::WriteOnly));
            page.write("<html><body><h1>" + heading + "</h1></body></html>");
            page.close();
            window->mnuOnlinehelp_Click();
            QCOMPARE(help->shownFile(), page.fileName());
        };
        writePage(QStringLiteral("en"), "Tavro help");
        QVERIFY(help->browser()->toPlainText().contains(QStringLiteral("Tavro help")));
        writePage(QStringLiteral("es"), "Ayuda");
        QCOMPARE(window->helpWindow(), help); // one help window, reused

        // Closing the main window closes the help too.
        window->close();
        QVERIFY(!help->isVisible());
    }
};

QTEST_MAIN(tst_frmTavro)
#include "tst_frmTavro.moc"
