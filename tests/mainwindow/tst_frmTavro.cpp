// The main window without moves: loading, layout, digit displays, toolbar,
// help menu, language flags and help window.

#include "MainWindowHarness.h"
#include "Version.h"
#include "game/Game.h"
#include "ui/main/BoardSurface.h"
#include "ui/main/DigitDisplay.h"
#include "ui/main/FlagImage.h"
#include "ui/main/HelpWindow.h"
#include "ui/main/PictureButton.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

using namespace tavro;
using namespace tavro::test;

// Receives the addresses that the window hands to the shell.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

class tst_frmTavro : public QObject {
    Q_OBJECT

private slots:
    void init() { clearStore(); }

    void formLoadReadsDefaultsFromAnEmptyStore();
    void formLoadClampsStoredValues();
    void formLoadReportsABadColsOnceAndLoadsTheRest();

    void layoutArithmetic_data();
    void layoutArithmetic();
    void tinyAndMinimisedWindowsSurvive();
    void initialSizeKeepsTheStoredBoard();
    void backgroundIsThePictureStretchedBelowTheHeader();

    void digitDisplaysShowFiveDigits();
    void digitDisplayPixelsAreStripCells();

    void newGameButtonBuildsABoard();
    void quitAnsweredNoLeavesTheGame();
    void quitAnsweredYesRunsShutdown();
    void helpButtonPopsUpTheMenu();
    void dialogButtonsActAfterTheirDialogs();
    void realDialogsOpenModally();
    void homepageAndMailOpenTheirAddresses();
    void toolbarClickPlaysSound102OnlyWithSoundOn();
    void shortcutsReachTheirButtons();

    void flagSwitchesAllTextsAndStoresTheLanguage();
    void activationAppliesTheCurrentLanguage();
    void helpWindowFallsBackToEnglishOrSaysWhatIsMissing();
};

// ------------------------------------------------------------- loading

void tst_frmTavro::formLoadReadsDefaultsFromAnEmptyStore() {
    Harness h;
    TestWindow window(h.state);
    const GameSettings& s = h.state.settings;
    QCOMPARE(s.BlockTypes, 4);
    QCOMPARE(s.BlocksToClick, 2);
    QCOMPARE(s.Cols, 12);
    QCOMPARE(s.Rows, 7);
    QCOMPARE(s.Blocks, 0);
    QCOMPARE(s.Board, 1);
    QCOMPARE(s.Background, -1);
    QCOMPARE(s.BGColor, 0);
    QCOMPARE(s.Sound, -1);
    QCOMPARE(s.BlockWidth, 50);
    QCOMPARE(s.BlockHeight, 50);
    QVERIFY(!window.isMoving());
    QVERIFY(!window.isVisible());
    QVERIFY(!window.picBlocks().isNull());
    // Loading writes nothing.
    QCOMPARE(h.store.read("Settings", "Cols", "none"), QStringLiteral("none"));
    // Both displays show 00000 until the first board.
    for (int i = 0; i < DigitDisplay::kDigits; ++i) {
        QCOMPARE(window.imgScore()->cell(i), 0);
        QCOMPARE(window.imgLeft()->cell(i), 0);
    }
}

void tst_frmTavro::formLoadClampsStoredValues() {
    Harness h;
    h.store.write("Settings", "BlockTypes", "9");
    h.store.write("Settings", "BlocksToClick", "1");
    h.store.write("Settings", "Cols", "2");
    h.store.write("Settings", "Board", "20");
    h.store.write("Settings", "Background", "5");
    h.store.write("Settings", "Sound", "1");
    ReportCounter counter;
    TestWindow window(h.state);
    QVERIFY2(counter.reports.isEmpty(), qPrintable(counter.reports.join(", ")));
    QCOMPARE(h.state.settings.BlockTypes, 6);
    QCOMPARE(h.state.settings.BlocksToClick, 2);
    QCOMPARE(h.state.settings.Cols, 5);
    QCOMPARE(h.state.settings.Board, 8);
    QCOMPARE(h.state.settings.Background, -1);
    QCOMPARE(h.state.settings.Sound, 1);
}

void tst_frmTavro::formLoadReportsABadColsOnceAndLoadsTheRest() {
    Harness h;
    h.store.write("Settings", "Cols", "abc");
    h.store.write("Settings", "BlockTypes", "5");
    h.store.write("Settings", "BlocksToClick", "3");
    h.store.write("Settings", "Rows", "6");
    h.store.write("Settings", "Blocks", "2");
    h.store.write("Settings", "Board", "4");
    h.store.write("Settings", "Background", "0");
    h.store.write("Settings", "BGColor", "9");
    h.store.write("Settings", "Sound", "0");
    ReportCounter counter;
    TestWindow window(h.state);
    QCOMPARE(counter.reports, QStringList{QStringLiteral("frmTavro.Form_Load 13")});
    const GameSettings& s = h.state.settings;
    QCOMPARE(s.Cols, 0); // keeps the value it had before the read
    QCOMPARE(s.BlockTypes, 5);
    QCOMPARE(s.BlocksToClick, 3);
    QCOMPARE(s.Rows, 6);
    QCOMPARE(s.Blocks, 2);
    QCOMPARE(s.Board, 4);
    QCOMPARE(s.Background, 0);
    QCOMPARE(s.BGColor, 9);
    QCOMPARE(s.Sound, 0);

    // The first layout still builds a board of at least one column.
    window.resize(800, 600);
    window.show();
    QVERIFY(window.game().totalBlocks() >= 1);
    QCOMPARE(counter.reports.size(), 1);
}

// -------------------------------------------------------------- layout

void tst_frmTavro::layoutArithmetic_data() {
    QTest::addColumn<QSize>("inner");
    QTest::addColumn<int>("maxCols");
    QTest::addColumn<int>("maxRows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QPoint>("logo");
    QTest::addColumn<QPoint>("anzeige");
    QTest::addColumn<QPoint>("knopf");
    QTest::addColumn<QPoint>("board");

    // Board 604 x 354: left (1018 - 604) / 2, top (593 - 354) / 2 + 147 = 266.5 -> 266.
    QTest::newRow("1018x740") << QSize(1018, 740) << 17 << 9 << 12 << 7 << QPoint(302, 41)
                              << QPoint(70, 21) << QPoint(786, 21) << QPoint(207, 266);
    // 11 columns fit: 554 wide, left 97.5 -> 98; top 49.5 + 147 = 196.5 -> 196.
    QTest::newRow("749x600") << QSize(749, 600) << 11 << 7 << 11 << 7 << QPoint(167, 41)
                             << QPoint(3, 21) << QPoint(584, 21) << QPoint(98, 196);
    // As wide as the logo: the frames stand partly outside, nothing refused.
    QTest::newRow("414x600") << QSize(414, 600) << 5 << 7 << 5 << 7 << QPoint(0, 41)
                             << QPoint(-80, 21) << QPoint(334, 21) << QPoint(80, 196);
    // 2048 / 50 = 40.96 truncates to 40; 1100 - 147 = 953 -> 19 rows of 50 minus 2.
    QTest::newRow("2048x1100") << QSize(2048, 1100) << 37 << 17 << 12 << 7 << QPoint(817, 41)
                               << QPoint(328, 21) << QPoint(1559, 21) << QPoint(722, 446);
}

void tst_frmTavro::layoutArithmetic() {
    QFETCH(QSize, inner);
    QFETCH(int, maxCols);
    QFETCH(int, maxRows);
    QFETCH(int, cols);
    QFETCH(int, rows);
    QFETCH(QPoint, logo);
    QFETCH(QPoint, anzeige);
    QFETCH(QPoint, knopf);
    QFETCH(QPoint, board);

    Harness h;
    auto window = h.showWindow(inner);
    QCOMPARE(window->size(), inner);
    const GameSettings& s = h.state.settings;
    QCOMPARE(window->imgHeader()->geometry(), QRect(0, 0, inner.width(), 147));
    QCOMPARE(s.MaxCols, maxCols);
    QCOMPARE(s.MaxRows, maxRows);
    QCOMPARE(s.Cols, cols);
    QCOMPARE(s.Rows, rows);
    QCOMPARE(window->imgLogo()->pos(), logo);
    QCOMPARE(window->fraAnzeige()->pos(), anzeige);
    QCOMPARE(window->fraKnopf()->pos(), knopf);
    QCOMPARE(window->lblCopyright()->pos(), QPoint(10, inner.height() - 20));
    QCOMPARE(window->picBoard()->geometry(), QRect(board, QSize(cols * 50 + 4, rows * 50 + 4)));
    QCOMPARE(window->picBoard()->innerSize(), QSize(cols * 50, rows * 50));
    for (QWidget* part :
         {static_cast<QWidget*>(window->imgHeader()), window->fraAnzeige(), window->fraKnopf(),
          static_cast<QWidget*>(window->imgLogo()), static_cast<QWidget*>(window->picBoard())})
        QVERIFY(part->isVisible());
    QCOMPARE(window->game().totalBlocks(), cols * rows);
    QCOMPARE(window->game().blocksLeft(), cols * rows);
    // The lowered size lives in memory only.
    QCOMPARE(h.store.read("Settings", "Cols", "none"), QStringLiteral("none"));
}

void tst_frmTavro::tinyAndMinimisedWindowsSurvive() {
    Harness h;
    auto window = h.showWindow(QSize(60, 40));
    QCOMPARE(h.state.settings.MaxCols, -2);
    QCOMPARE(h.state.settings.MaxRows, -4);
    QCOMPARE(h.state.settings.Cols, 1);
    QCOMPARE(h.state.settings.Rows, 1);
    QCOMPARE(window->game().totalBlocks(), 1);
    QVERIFY(window->game().isGameOver());

    // A minimised window keeps its board; growing again lays out anew.
    window->resize(800, 600);
    QSignalSpy built(window.get(), &frmTavro::boardBuilt);
    window->showMinimized();
    window->resize(20, 20);
    QCoreApplication::processEvents();
    if (window->isMinimized())
        QCOMPARE(built.count(), 0);
    window->showNormal();
    window->resize(900, 700);
    QVERIFY(built.count() >= 1);
    QCOMPARE(h.state.settings.Rows, 1); // the in-memory size only ever goes down
}

void tst_frmTavro::initialSizeKeepsTheStoredBoard() {
    GameSettings s;
    s.Cols = 12;
    s.Rows = 7;
    QCOMPARE(frmTavro::initialInnerSize(s, QSize(4000, 3000)), QSize(750, 597));
    QCOMPARE(frmTavro::initialInnerSize(s, QSize(700, 500)), QSize(700, 500));
    s.Cols = 5; // never narrower than the header needs
    QCOMPARE(frmTavro::initialInnerSize(s, QSize(4000, 3000)).width(), 750);

    // Whatever is stored, the first layout at that size keeps it.
    for (const QSize& board : {QSize(12, 7), QSize(20, 12), QSize(17, 9), QSize(25, 14)}) {
        clearStore();
        Harness h;
        h.store.writeInt("Settings", "Cols", board.width());
        h.store.writeInt("Settings", "Rows", board.height());
        auto window = std::make_unique<TestWindow>(h.state);
        window->resize(frmTavro::initialInnerSize(h.state.settings, QSize(4000, 3000)));
        window->show();
        QCOMPARE(QSize(h.state.settings.Cols, h.state.settings.Rows), board);
    }
}

void tst_frmTavro::backgroundIsThePictureStretchedBelowTheHeader() {
    Harness h;
    h.store.write("Settings", "Board", "2");
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
            const QColor a = bg.pixelColor(x, 147 + y);
            const QColor b = expected.pixelColor(x, y);
            close += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                         std::abs(a.blue() - b.blue()) <
                     40;
        }
    QVERIFY2(close >= 50, qPrintable(QString::number(close))); // 56 samples
    // The board shows the picture under it through its empty cells.
    const QPoint inner = window->picBoard()->pos() + QPoint(2, 2);
    QVERIFY(channelDistance(window->picBG(), bg.copy(QRect(inner, window->picBG().size()))) <= 1);
}

// ------------------------------------------------------- digit displays

void tst_frmTavro::digitDisplaysShowFiveDigits() {
    Harness h;
    TestWindow window(h.state);
    const auto cells = [](const DigitDisplay* d) {
        QList<int> list;
        for (int i = 0; i < DigitDisplay::kDigits; ++i)
            list.append(d->cell(i));
        return list;
    };
    window.showScore(0);
    QCOMPARE(cells(window.imgScore()), (QList<int>{0, 0, 0, 0, 0}));
    window.showScore(12345);
    QCOMPARE(cells(window.imgScore()), (QList<int>{1, 2, 3, 4, 5}));
    window.showScore(100000);
    QCOMPARE(cells(window.imgScore()), (QList<int>{1, 0, 0, 0, 0}));
    window.showScore(9876543);
    QCOMPARE(cells(window.imgScore()), (QList<int>{9, 8, 7, 6, 5}));
    window.showLeft(7);
    QCOMPARE(cells(window.imgLeft()), (QList<int>{0, 0, 0, 0, 7}));
    QCOMPARE(cells(window.imgScore()), (QList<int>{9, 8, 7, 6, 5}));

    // A negative value names no cell: reported, the display is not broken.
    ReportCounter counter;
    window.showLeft(-7);
    QCOMPARE(counter.reports, QStringList{QStringLiteral("frmTavro.ShowNumber 5")});
    for (int cell : cells(window.imgLeft()))
        QVERIFY(cell >= 0 && cell <= 10);
}

void tst_frmTavro::digitDisplayPixelsAreStripCells() {
    Harness h;
    auto window = h.showWindow(QSize(900, 650));
    const QImage strip(QStringLiteral(":/pictures/digits.png"));
    QCOMPARE(strip.size(), QSize(198, 27));
    window->showScore(40719);
    const QImage shown = window->imgScore()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), QSize(90, 27));
    const int digits[] = {4, 0, 7, 1, 9};
    for (int i = 0; i < 5; ++i) {
        const QImage expected =
            DigitDisplay::stripCell(strip, digits[i]).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.copy(i * 18, 0, 18, 27), expected);
    }
    // The displays sit at their places in the black frame.
    QCOMPARE(window->imgScore()->pos(), QPoint(64, 16));
    QCOMPARE(window->imgLeft()->pos(), QPoint(64, 56));
}

// -------------------------------------------------------------- toolbar

void tst_frmTavro::newGameButtonBuildsABoard() {
    Harness h;
    auto window = h.showWindow(QSize(900, 650));
    QSignalSpy built(window.get(), &frmTavro::boardBuilt);
    window->showLeft(3);
    window->showScore(55);
    QTest::mouseClick(window->cmdBut(0), Qt::LeftButton);
    QCOMPARE(built.count(), 1);
    QCOMPARE(window->game().score(), 0);
    QCOMPARE(window->imgScore()->cell(4), 0);
    const int total = window->game().totalBlocks(); // 12 x 7 = 84
    QCOMPARE(total, 84);
    QCOMPARE(window->imgLeft()->cell(3), 8);
    QCOMPARE(window->imgLeft()->cell(4), 4);
}

void tst_frmTavro::quitAnsweredNoLeavesTheGame() {
    Harness h;
    h.state.settings.LanguageId = 1;
    auto window = h.showWindow(QSize(900, 650));
    int shutdowns = 0;
    window->setShutdownHandler([&] { ++shutdowns; });
    QSignalSpy built(window.get(), &frmTavro::boardBuilt);
    const QImage before = window->picBoard()->image();
    h.prompt.answers = {false};
    QTest::mouseClick(window->cmdBut(1), Qt::LeftButton);
    QCOMPARE(h.prompt.questions, QStringList{QStringLiteral("Quit|Really quit?")});
    QCOMPARE(shutdowns, 0);
    QCOMPARE(built.count(), 0);
    QVERIFY(window->isVisible());
    QCOMPARE(window->picBoard()->image(), before);
}

void tst_frmTavro::quitAnsweredYesRunsShutdown() {
    Harness h;
    auto window = h.showWindow(QSize(900, 650));
    int shutdowns = 0;
    window->setShutdownHandler([&] { ++shutdowns; });
    h.prompt.answers = {true};
    window->cmdBut_Click(1);
    QCOMPARE(h.prompt.questions, QStringList{QStringLiteral("Beenden|Wirklich beenden?")});
    QCOMPARE(shutdowns, 1);
    QVERIFY(!window->isVisible()); // the window unloads itself after Shutdown
}

void tst_frmTavro::helpButtonPopsUpTheMenu() {
    Harness h;
    auto window = h.showWindow(QSize(900, 650));
    QVERIFY(!window->mnuHelp()->isVisible());
    QTest::mouseClick(window->cmdBut(2), Qt::LeftButton);
    QTRY_VERIFY(window->mnuHelp()->isVisible());
    const QList<QAction*> entries = window->mnuHelp()->actions();
    QCOMPARE(entries.size(), 4);
    QCOMPARE(entries[0], window->mnuOnlinehelp());
    QVERIFY(entries[1]->isSeparator());
    QCOMPARE(entries[2], window->mnuEMail());
    QCOMPARE(entries[3], window->mnuUeber());
    window->mnuHelp()->hide();
}

void tst_frmTavro::dialogButtonsActAfterTheirDialogs() {
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

void tst_frmTavro::realDialogsOpenModally() {
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
    const auto closeNextDialog = [&] { closer.start(); };
    for (int index : {3, 5, 6, 7}) {
        closeNextDialog();
        window.cmdBut_Click(index);
    }
    closeNextDialog();
    window.mnuUeber()->trigger();
    QCOMPARE(seen, (QStringList{"tavro::frmOpt", "tavro::frmHighscore", "tavro::frmBlocks",
                                "tavro::frmBoard", "tavro::frmInfo"}));
    // A new game after the options and the block-set picker only.
    QCOMPARE(built.count(), 2);
    QVERIFY(window.isVisible());
}

void tst_frmTavro::homepageAndMailOpenTheirAddresses() {
    Harness h;
    auto window = h.showWindow(QSize(900, 650));
    UrlRecorder recorder;
    const QUrl homepage(QStringLiteral(TAVRO_HOMEPAGE_URL));
    QDesktopServices::setUrlHandler(homepage.scheme(), &recorder, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &recorder, "open");
    QTest::mouseClick(window->cmdBut(4), Qt::LeftButton);
    window->mnuEMail()->trigger();
    QDesktopServices::unsetUrlHandler(homepage.scheme());
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    QCOMPARE(recorder.urls.size(), 2);
    QCOMPARE(recorder.urls[0], homepage);
    QCOMPARE(recorder.urls[1].scheme(), QStringLiteral("mailto"));
    QCOMPARE(recorder.urls[1].path(), QStringLiteral(TAVRO_SUPPORT_MAIL_ADDRESS));
    QCOMPARE(recorder.urls[1].query(), QStringLiteral("subject=Tavro"));
    QVERIFY(window->cmdBut(4)->toolTip().contains(QStringLiteral(TAVRO_HOMEPAGE_URL)));
}

void tst_frmTavro::toolbarClickPlaysSound102OnlyWithSoundOn() {
    QFile file(QStringLiteral(":/wav/102.wav"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray wave102 = file.readAll();
    QFile other(QStringLiteral(":/wav/101.wav"));
    QVERIFY(other.open(QIODevice::ReadOnly));

    Harness h;
    auto window = h.showWindow(QSize(900, 650));
    h.sound.PlayWAV(101);
    window->cmdBut_Click(5); // high scores: no board sound after it
    QCOMPARE(h.sound.soundData(), wave102);

    h.state.settings.Sound = 0;
    h.sound.PlayWAV(101);
    window->cmdBut_Click(5);
    QCOMPARE(h.sound.soundData(), other.readAll());
}

void tst_frmTavro::shortcutsReachTheirButtons() {
    Harness h;
    auto window = h.showWindow(QSize(900, 650));
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QSignalSpy built(window.get(), &frmTavro::boardBuilt);
    QTest::keyClick(window.get(), Qt::Key_F2);
    QCOMPARE(built.count(), 1);
    QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(built.count(), 2);
    h.prompt.answers = {false};
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(h.prompt.questions.size(), 1);
    QVERIFY(window->isVisible());
    QTest::keyClick(window.get(), Qt::Key_F1);
    QVERIFY(window->helpWindow() && window->helpWindow()->isVisible());
    window->helpWindow()->close();
}

// ------------------------------------------------------------- language

void tst_frmTavro::flagSwitchesAllTextsAndStoresTheLanguage() {
    Harness h;
    auto window = h.showWindow(QSize(900, 650));
    window->Sprache();
    QCOMPARE(window->cmdBut(0)->toolTip(), QStringLiteral("Neues Spiel"));
    QCOMPARE(window->mnuUeber()->text(), QStringLiteral("Info"));
    const QString homepageTip = window->cmdBut(4)->toolTip();

    QTest::mouseClick(window->imgLang(1), Qt::LeftButton);
    QCOMPARE(h.state.settings.LanguageId, 1);
    QCOMPARE(h.store.read("Settings", "Sprache", "none"), QStringLiteral("1"));
    const std::pair<int, const char*> expected[] = {
        {0, "New game"},   {1, "Quit"},      {3, "Options"},     {2, "Help"},
        {7, "Background"}, {6, "Block set"}, {5, "High scores"},
    };
    for (const auto& [button, text] : expected)
        QCOMPARE(window->cmdBut(button)->toolTip(), QString::fromLatin1(text));
    QCOMPARE(window->mnuOnlinehelp()->text(), QStringLiteral("Help"));
    QCOMPARE(window->mnuEMail()->text(), QStringLiteral("Mail"));
    QCOMPARE(window->mnuUeber()->text(), QStringLiteral("About"));
    QCOMPARE(window->cmdBut(4)->toolTip(), homepageTip); // fixed, not translated
    QCOMPARE(window->mnuHelp()->title(), QStringLiteral("&Hilfe"));
    QCOMPARE(window->imgLang(2)->toolTip(), QStringLiteral("Espa\u00F1ol"));

    // The current language's flag stores nothing.
    clearStore();
    QTest::mouseClick(window->imgLang(1), Qt::LeftButton);
    QCOMPARE(h.store.read("Settings", "Sprache", "none"), QStringLiteral("none"));
    // Flags sit in one row below the buttons.
    QCOMPARE(window->imgLang(6)->geometry(), QRect(95, 80, 32, 20));
    QCOMPARE(window->imgLang(4), nullptr);
}

void tst_frmTavro::activationAppliesTheCurrentLanguage() {
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

void tst_frmTavro::helpWindowFallsBackToEnglishOrSaysWhatIsMissing() {
    Harness h;
    auto window = h.showWindow(QSize(900, 650));
    h.state.settings.LanguageId = 2;

    window->mnuOnlinehelp()->trigger();
    HelpWindow* help = window->helpWindow();
    QVERIFY(help && help->isVisible());
    QVERIFY(help->shownFile().isEmpty());
    QVERIFY(help->browser()->toPlainText().contains(QStringLiteral("Help not found")));
    QVERIFY(help->browser()->toPlainText().contains(QStringLiteral("help/es/index.html")));

    const QString folder = h.dir.path() + QStringLiteral("/help/");
    QDir().mkpath(folder + QStringLiteral("en"));
    QFile english(folder + QStringLiteral("en/index.html"));
    QVERIFY(english.open(QIODevice::WriteOnly));
    english.write("<html><body><h1>Tavro help</h1></body></html>");
    english.close();
    window->mnuOnlinehelp_Click();
    QCOMPARE(help->shownFile(), english.fileName());
    QVERIFY(help->browser()->toPlainText().contains(QStringLiteral("Tavro help")));

    QDir().mkpath(folder + QStringLiteral("es"));
    QFile spanish(folder + QStringLiteral("es/index.html"));
    QVERIFY(spanish.open(QIODevice::WriteOnly));
    spanish.write("<html><body><h1>Ayuda</h1></body></html>");
    spanish.close();
    window->mnuOnlinehelp_Click();
    QCOMPARE(help->shownFile(), spanish.fileName());
    QCOMPARE(window->helpWindow(), help); // one help window, reused

    // Closing the main window closes the help too.
    window->close();
    QVERIFY(!help->isVisible());
}

QTEST_MAIN(tst_frmTavro)
#include "tst_frmTavro.moc"
