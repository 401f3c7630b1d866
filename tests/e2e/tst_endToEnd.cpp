// The built game as a player meets it: started on a private X server without
// a window manager, played with real mouse clicks and key presses, and
// checked only through what the screen shows and what the settings file
// holds. Screenshots of the key moments land in <build>/e2e-shots.
#include "BoardModel.h"
#include "ColourRegions.h"
#include "Desktop.h"
#include "MainWindowLayout.h"
#include "TemplateMatcher.h"
#include "VirtualDisplay.h"
#include "common/Crypt.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

namespace {

constexpr QSize kScreen{1280, 1024};
constexpr int kStartupTimeoutMs = 20000;
constexpr int kWindowTimeoutMs = 10000;
constexpr int kMoveTimeoutMs = 10000;
constexpr int kPollMs = 100;
// The start-up window closes itself after 2.5 s; the main window cannot be
// on the screen sooner after the program was started.
constexpr int kStartupWindowMs = 2500;
const QColor kButtonBlue{128, 178, 255};
const QString kPlayer = QStringLiteral("Tester");
// A corner of the screen that no window covers: the pointer rests there after
// a toolbar click, so no tooltip pops up over what the test looks at.
constexpr QPoint kPointerRest{1275, 1019};
// The board the options dialog is set to.
constexpr int kCols = 5;
constexpr int kRows = 5;
constexpr int kTypes = 3;
// High-score key: Cols, Rows, BlockTypes, BlocksToClick and the slot.
const QString kFirstPlaceKey = QStringLiteral("HighScore/55321");

int roundEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

QString fiveDigits(int value) {
    return QString::number(value).rightJustified(5, u'0');
}

QPoint centreOf(const QRect& r) {
    return r.topLeft() + QPoint(r.width() / 2, r.height() / 2);
}

} // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT

    VirtualDisplay display_;
    std::unique_ptr<Desktop> desktop_;
    QTemporaryDir home_;
    QProcess game_;
    QElapsedTimer sinceStart_;
    ScreenWindow main_;
    std::optional<TemplateMatcher> blocks_;
    std::optional<TemplateMatcher> digits_;
    std::optional<TemplateMatcher> englishFlag_;
    QString shotsFolder_;
    int shotCount_ = 0;

    // What the first run leaves for the second one to find.
    bool firstRunDone_ = false;
    QString storedEntry_;

    // ------------------------------------------------------------ helpers

    QString settingsFile() const {
        return home_.filePath(QStringLiteral("config/Tavro/Tavro.conf"));
    }

    QString stored(const QString& key) const {
        QSettings file(settingsFile(), QSettings::IniFormat);
        return file.value(key).toString();
    }

    QImage shot(const QString& name) {
        const QImage image = desktop_->grab();
        image.save(QStringLiteral("%1/%2-%3.png")
                       .arg(shotsFolder_)
                       .arg(++shotCount_, 2, 10, QLatin1Char('0'))
                       .arg(name));
        return image;
    }

    // A click on a toolbar button or flag, the pointer moved away after it.
    void press(const QRect& control) {
        desktop_->click(centreOf(control));
        desktop_->moveMouse(kPointerRest);
    }

    QList<ScreenWindow> windows() const {
        QList<ScreenWindow> found = desktop_->windowsOf(game_.processId());
        found.removeIf([](const ScreenWindow& w) { return w.geometry.isEmpty(); });
        return found;
    }

    std::optional<ScreenWindow> waitForWindow(const QString& title, int timeoutMs) {
        const QDeadlineTimer deadline(timeoutMs);
        do {
            for (const ScreenWindow& w : windows())
                if (w.title == title)
                    return w;
            QTest::qWait(kPollMs);
        } while (!deadline.hasExpired() && game_.state() == QProcess::Running);
        return std::nullopt;
    }

    bool waitForWindowGone(const QString& id, int timeoutMs) {
        const QDeadlineTimer deadline(timeoutMs);
        do {
            const QList<ScreenWindow> now = windows();
            if (std::none_of(now.begin(), now.end(),
                             [&](const ScreenWindow& w) { return w.id == id; }))
                return true;
            QTest::qWait(kPollMs);
        } while (!deadline.hasExpired());
        return false;
    }

    static QString describeRegions(const QList<QRect>& regions) {
        QStringList parts;
        for (const QRect& r : regions)
            parts << QStringLiteral("%1x%2+%3+%4")
                         .arg(r.width())
                         .arg(r.height())
                         .arg(r.x())
                         .arg(r.y());
        return parts.join(u' ');
    }

    QString describeWindows() const {
        QStringList lines;
        for (const ScreenWindow& w : windows())
            lines << QStringLiteral("'%1' at %2,%3 %4x%5")
                         .arg(w.title)
                         .arg(w.geometry.x())
                         .arg(w.geometry.y())
                         .arg(w.geometry.width())
                         .arg(w.geometry.height());
        return lines.isEmpty() ? QStringLiteral("no window") : lines.join(QStringLiteral("; "));
    }

    // The five digits of a display; a blank digit reads as " ", an unknown
    // picture as "?".
    QString readDigits(const QImage& screen, QPoint first) const {
        QString text;
        for (int i = 0; i < 5; ++i) {
            const int cell = digits_->match(screen, first + QPoint(i * 18, 0));
            text += cell < 0 ? QChar(u'?') : cell == 10 ? QChar(u' ') : QChar(u'0' + cell);
        }
        return text;
    }

    BoardModel readBoard(const QImage& screen, int cols, int rows) const {
        const MainWindowLayout layout(main_.geometry);
        BoardModel board(cols, rows);
        for (int row = 0; row < rows; ++row)
            for (int col = 0; col < cols; ++col)
                board.set({col, row},
                          blocks_->match(screen, layout.cellTopLeft(cols, rows, {col, row})));
        return board;
    }

    // The board's sunken frame: grey outer line top left, white bottom right.
    bool boardFrameAt(const QImage& screen, int cols, int rows) const {
        const QRect frame = MainWindowLayout(main_.geometry).boardFrame(cols, rows);
        return screen.pixel(frame.topLeft() + QPoint(3, 0)) == qRgb(128, 128, 128) &&
               screen.pixel(frame.bottomRight() - QPoint(3, 0)) == qRgb(255, 255, 255);
    }

    // Checks that a fresh board of cols x rows with `types` block types fills
    // the screen's board and both displays show its start.
    void verifyFreshBoard(const QImage& screen, int cols, int rows, int types) {
        QVERIFY2(boardFrameAt(screen, cols, rows),
                 qPrintable(QStringLiteral("no %1 x %2 board frame centred below the header")
                                .arg(cols)
                                .arg(rows)));
        const BoardModel board = readBoard(screen, cols, rows);
        QVERIFY2(board.blocksLeft() == cols * rows,
                 qPrintable(QStringLiteral("every cell of a new board holds a block; seen:\n") +
                            board.toText()));
        for (int row = 0; row < rows; ++row)
            for (int col = 0; col < cols; ++col)
                QVERIFY2(board.at({col, row}) < types,
                         qPrintable(QStringLiteral("only the first %1 block types may appear:\n%2")
                                        .arg(types)
                                        .arg(board.toText())));
        const MainWindowLayout layout(main_.geometry);
        QCOMPARE(readDigits(screen, layout.scoreDigits()), fiveDigits(0));
        QCOMPARE(readDigits(screen, layout.leftDigits()), fiveDigits(cols * rows));
    }

    void startGame() {
        QProcessEnvironment env = display_.environment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home_.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home_.filePath(QStringLiteral("runtime")));
        env.insert(QStringLiteral("HOME"), home_.path());
        QDir(home_.path()).mkpath(QStringLiteral("runtime"));
        QFile::setPermissions(home_.filePath(QStringLiteral("runtime")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        game_.setProcessEnvironment(env);
        game_.setProcessChannelMode(QProcess::ForwardedChannels);
        game_.setProgram(program());
        desktop_->moveMouse(kPointerRest);
        sinceStart_.start();
        game_.start();
        QVERIFY2(game_.waitForStarted(10000), qPrintable(game_.errorString()));
    }

    // The start-up window comes first, closes itself, and the main window
    // takes its place.
    void waitForMainWindow() {
        QString startupId;
        const QDeadlineTimer deadline(kStartupTimeoutMs);
        while (!deadline.hasExpired() && game_.state() == QProcess::Running) {
            const QList<ScreenWindow> now = windows();
            if (startupId.isEmpty() && !now.isEmpty()) {
                startupId = now.first().id;
                shot(QStringLiteral("startup-window"));
            }
            const bool startupGone = std::none_of(
                now.begin(), now.end(), [&](const ScreenWindow& w) { return w.id == startupId; });
            if (!startupId.isEmpty() && startupGone && !now.isEmpty()) {
                // The largest window: a tooltip may stand beside it.
                main_ = *std::max_element(now.begin(), now.end(), [](const auto& a, const auto& b) {
                    return a.geometry.width() * a.geometry.height() <
                           b.geometry.width() * b.geometry.height();
                });
                break;
            }
            QTest::qWait(kPollMs);
        }
        QVERIFY2(game_.state() == QProcess::Running, "the game ended during start-up");
        QVERIFY2(!startupId.isEmpty(), "no start-up window appeared");
        QVERIFY2(!main_.id.isEmpty(),
                 qPrintable(QStringLiteral("the start-up window did not give way to the main "
                                           "window; on screen: ") +
                            describeWindows()));
        QVERIFY2(sinceStart_.elapsed() >= kStartupWindowMs,
                 qPrintable(QStringLiteral("the main window appeared %1 ms after the start, "
                                           "before the start-up window's 2.5 s were up")
                                .arg(sinceStart_.elapsed())));
        // The layout runs when the window is shown; let its first paint land.
        QTest::qWait(500);
    }

    void quitThroughToolbar() {
        press(MainWindowLayout(main_.geometry).button(1));
        const auto question = waitForWindow(QStringLiteral("Quit"), kWindowTimeoutMs);
        QVERIFY2(question, qPrintable(QStringLiteral("no question titled 'Quit' after the quit "
                                                     "button; on screen: ") +
                                      describeWindows()));
        shot(QStringLiteral("quit-question"));
        desktop_->focus(question->id);
        desktop_->pressKey(QStringLiteral("Return")); // Yes is the default answer
        QVERIFY2(game_.waitForFinished(kWindowTimeoutMs), "the game did not end after Yes");
        QCOMPARE(game_.exitStatus(), QProcess::NormalExit);
        QCOMPARE(game_.exitCode(), 0);
    }

    QString program() const {
        const QString given = qEnvironmentVariable("TAVRO_E2E_PROGRAM");
        return given.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/tavro")
                               : given;
    }

    // -------------------------------------------------------- first run

    void switchToEnglish() {
        const QImage screen = desktop_->grab();
        const QRect flag = MainWindowLayout(main_.geometry).flag(1);
        QVERIFY2(englishFlag_->match(screen, flag.topLeft()) == 0,
                 "the English flag is not where the toolbar frame puts it");
        press(flag);
        QTRY_COMPARE_WITH_TIMEOUT(stored(QStringLiteral("Settings/Sprache")), QStringLiteral("1"),
                                  5000);
    }

    // Opens a drop-down list with a click and picks its entry "5" by typing.
    void chooseFive(const QRect& comboBox, const char* what) {
        QStringList before;
        for (const ScreenWindow& w : windows())
            before << w.id;
        desktop_->click(centreOf(comboBox));
        // The list is a window of its own, opened over the box.
        std::optional<ScreenWindow> list;
        const QDeadlineTimer deadline(5000);
        while (!list && !deadline.hasExpired()) {
            for (const ScreenWindow& w : windows())
                if (!before.contains(w.id) && w.geometry.left() <= comboBox.right() &&
                    w.geometry.right() >= comboBox.left())
                    list = w;
            if (!list)
                QTest::qWait(kPollMs);
        }
        QVERIFY2(list, qPrintable(QStringLiteral("the list of %1 did not open").arg(what)));
        desktop_->typeText(QStringLiteral("5"));
        desktop_->pressKey(QStringLiteral("Return"));
        QVERIFY2(waitForWindowGone(list->id, 5000),
                 qPrintable(QStringLiteral("the list of %1 did not close").arg(what)));
    }

    void chooseSmallBoard() {
        press(MainWindowLayout(main_.geometry).button(3));
        const auto dialog = waitForWindow(QStringLiteral("Options"), kWindowTimeoutMs);
        QVERIFY2(dialog, qPrintable(QStringLiteral("no dialog titled 'Options' (in English) after "
                                                   "the options button; on screen: ") +
                                    describeWindows()));
        const QImage screen = shot(QStringLiteral("options-dialog"));
        const QRect area = dialog->geometry;
        const int middle = area.center().x();
        // Light blue controls: the two size lists on the left, the round
        // option buttons of the block types on the right, OK at the bottom.
        const QList<QRect> blue = colourRegions(screen, area, kButtonBlue, 12);
        QList<QRect> lists, rings, buttons;
        for (const QRect& r : blue) {
            if (r.width() >= 40 && r.height() >= 16 && r.height() <= 40)
                (r.center().x() < middle ? lists : buttons).append(r);
            else if (r.width() >= 9 && r.width() <= 16 && std::abs(r.width() - r.height()) <= 2 &&
                     r.center().x() > middle)
                rings.append(r);
        }
        const auto byY = [](const QRect& a, const QRect& b) { return a.y() < b.y(); };
        std::sort(lists.begin(), lists.end(), byY);
        std::sort(rings.begin(), rings.end(), byY);
        QVERIFY2(lists.size() == 2, qPrintable(QStringLiteral("expected the width and height lists "
                                                              "in the options dialog, found %1")
                                                   .arg(lists.size())));
        QVERIFY2(rings.size() >= 4,
                 qPrintable(QStringLiteral("no row of block-type option buttons in the options "
                                           "dialog; light blue areas: ") +
                            describeRegions(blue)));
        QList<QRect> typeRow;
        for (const QRect& r : rings)
            if (std::abs(r.center().y() - rings.first().center().y()) <= 3)
                typeRow.append(r);
        std::sort(typeRow.begin(), typeRow.end(),
                  [](const QRect& a, const QRect& b) { return a.x() < b.x(); });
        QVERIFY2(typeRow.size() == 4, "the block-type row should offer 3, 4, 5 and 6");
        QVERIFY2(buttons.size() >= 2, "no OK and Cancel buttons in the options dialog");
        std::sort(buttons.begin(), buttons.end(), [](const QRect& a, const QRect& b) {
            return std::pair(a.bottom(), -a.x()) > std::pair(b.bottom(), -b.x());
        });
        const QRect ok = buttons.first(); // bottom row, leftmost: OK before Cancel

        chooseFive(lists[0], "columns");
        chooseFive(lists[1], "rows");
        desktop_->click(centreOf(typeRow.first()));
        QTest::qWait(300);
        shot(QStringLiteral("options-chosen"));
        desktop_->click(centreOf(ok));
        QVERIFY2(waitForWindowGone(dialog->id, kWindowTimeoutMs), "OK did not close the options");

        QCOMPARE(stored(QStringLiteral("Settings/Cols")), QStringLiteral("5"));
        QCOMPARE(stored(QStringLiteral("Settings/Rows")), QStringLiteral("5"));
        QCOMPARE(stored(QStringLiteral("Settings/BlockTypes")), QStringLiteral("3"));
        QCOMPARE(stored(QStringLiteral("Settings/BlocksToClick")), QStringLiteral("2"));
    }

    // Waits until the screen shows `expected` with the given score and
    // blocks left, twice in a row (the collapse has come to rest).
    void waitForBoard(const BoardModel& expected, int score) {
        const MainWindowLayout layout(main_.geometry);
        const QDeadlineTimer deadline(kMoveTimeoutMs);
        BoardModel seen;
        QString seenScore, seenLeft;
        int agreeing = 0;
        while (!deadline.hasExpired() && agreeing < 2) {
            const QImage screen = desktop_->grab();
            seen = readBoard(screen, expected.cols(), expected.rows());
            seenScore = readDigits(screen, layout.scoreDigits());
            seenLeft = readDigits(screen, layout.leftDigits());
            const bool agrees = seen == expected && seenScore == fiveDigits(score) &&
                                seenLeft == fiveDigits(expected.blocksLeft());
            agreeing = agrees ? agreeing + 1 : 0;
            if (agreeing < 2)
                QTest::qWait(150);
        }
        QVERIFY2(agreeing == 2,
                 qPrintable(QStringLiteral("after the move the screen should show\n%1score %2, "
                                           "left %3\nbut shows\n%4score %5, left %6")
                                .arg(expected.toText(), fiveDigits(score),
                                     fiveDigits(expected.blocksLeft()), seen.toText(), seenScore,
                                     seenLeft)));
    }

    // Plays until no group is left, largest group first; returns the final
    // score (with the clearing bonus) and the blocks left.
    void playWholeGame(int& finalScore, int& finalLeft) {
        const MainWindowLayout layout(main_.geometry);
        QImage screen = shot(QStringLiteral("small-board"));
        verifyFreshBoard(screen, kCols, kRows, kTypes);
        if (QTest::currentTestFailed())
            return;
        BoardModel board = readBoard(screen, kCols, kRows);
        // A board without any move is possible, if unlikely: deal again.
        for (int deal = 0; board.largestGroup(2).isEmpty() && deal < 5; ++deal) {
            press(layout.button(0));
            QTest::qWait(500);
            board = readBoard(desktop_->grab(), kCols, kRows);
        }
        QVERIFY2(!board.largestGroup(2).isEmpty(), "five new boards without a single move");

        int score = 0;
        int moves = 0;
        for (QList<QPoint> group = board.largestGroup(2); !group.isEmpty();
             group = board.largestGroup(2)) {
            desktop_->click(layout.cellCentre(kCols, kRows, group.first()));
            board.removeAndCollapse(group);
            score += int(group.size() * group.size()) + 1;
            ++moves;
            if (board.largestGroup(2).isEmpty())
                break; // the last move ends in the high-score dialog
            waitForBoard(board, score);
            if (QTest::currentTestFailed())
                return;
            if (moves == 1)
                shot(QStringLiteral("after-first-move"));
        }
        finalLeft = board.blocksLeft();
        finalScore = finalLeft == 0 ? roundEven(score * 1.5) : score;
        qInfo("played %d moves: %d points, %d blocks left", moves, finalScore, finalLeft);
    }

    void enterHighScore(int finalScore, int finalLeft) {
        const auto nameBox = waitForWindow(QStringLiteral("New high score"), kMoveTimeoutMs);
        QVERIFY2(nameBox, qPrintable(QStringLiteral("the first result of a configuration must ask "
                                                    "for a name ('New high score'); on screen: ") +
                                     describeWindows()));
        shot(QStringLiteral("name-box"));
        desktop_->focus(nameBox->id);
        desktop_->typeText(kPlayer);
        desktop_->pressKey(QStringLiteral("Return"));

        const auto table = waitForWindow(QStringLiteral("Champions"), kWindowTimeoutMs);
        QVERIFY2(table, qPrintable(QStringLiteral("no 'Champions' table after the name; on "
                                                  "screen: ") +
                                   describeWindows()));
        QTest::qWait(300);
        const QImage screen = shot(QStringLiteral("champions-after-game"));
        // The final board stays on screen beside the table.
        const MainWindowLayout layout(main_.geometry);
        QCOMPARE(readDigits(screen, layout.scoreDigits()), fiveDigits(finalScore));
        QCOMPARE(readDigits(screen, layout.leftDigits()), fiveDigits(finalLeft));
        closeChampions(*table, screen);
    }

    // OK is the right one of the two buttons at the bottom of the table.
    void closeChampions(const ScreenWindow& table, const QImage& screen) {
        QList<QRect> buttons = colourRegions(screen, table.geometry, kButtonBlue, 12);
        buttons.removeIf([](const QRect& r) { return r.width() < 30 || r.height() < 16; });
        QVERIFY2(buttons.size() == 2, qPrintable(QStringLiteral("expected Reset and OK in the "
                                                                "table, found %1 buttons")
                                                     .arg(buttons.size())));
        const QRect ok = std::max(buttons[0], buttons[1],
                                  [](const QRect& a, const QRect& b) { return a.x() < b.x(); });
        desktop_->click(centreOf(ok));
        QVERIFY2(waitForWindowGone(table.id, kWindowTimeoutMs), "OK did not close the table");
    }

    // The stored first place, unscrambled: "name:score;left".
    QString firstPlace() const {
        QString text = stored(kFirstPlaceKey);
        return tavro::Crypt(text);
    }

private slots:
    void initTestCase() {
        for (const char* tool : {"Xvfb", "xdotool", "import"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                QSKIP(qPrintable(QStringLiteral("%1 is not installed (scripts/setup installs it)")
                                     .arg(QString::fromLatin1(tool))));
        QVERIFY2(QFileInfo(program()).isExecutable(),
                 qPrintable(QStringLiteral("the game is not built at ") + program()));
        QVERIFY(home_.isValid());

        const QString source = qEnvironmentVariable("TAVRO_TEST_SOURCE_DIR");
        QVERIFY2(!source.isEmpty(), "TAVRO_TEST_SOURCE_DIR is not set");
        const QString pictures = source + QStringLiteral("/src/resources/");
        blocks_.emplace(QImage(pictures + QStringLiteral("blocks/blocks00.png")), QSize(50, 50), 7);
        digits_.emplace(QImage(pictures + QStringLiteral("pictures/digits.png")), QSize(18, 27),
                        11);
        englishFlag_.emplace(QImage(pictures + QStringLiteral("pictures/flag1.png")), QSize(32, 20),
                             1);
        QVERIFY(blocks_->isValid() && digits_->isValid() && englishFlag_->isValid());

        shotsFolder_ = QCoreApplication::applicationDirPath() + QStringLiteral("/../e2e-shots");
        QDir(shotsFolder_).removeRecursively();
        QVERIFY(QDir().mkpath(shotsFolder_));

        QString error;
        QVERIFY2(display_.start(kScreen.width(), kScreen.height(), 10000, &error),
                 qPrintable(error));
        desktop_ = std::make_unique<Desktop>(display_.environment());
        qInfo("X server %s, screenshots in %s", qPrintable(display_.name()),
              qPrintable(QDir::cleanPath(shotsFolder_)));
    }

    void cleanup() {
        // A failed step must not leave the game running.
        if (game_.state() != QProcess::NotRunning) {
            shot(QStringLiteral("at-failure"));
            game_.kill();
            game_.waitForFinished(5000);
        }
    }

    void cleanupTestCase() { display_.stop(); }

    // Start-up, language flag, options, a whole game, high score, quit.
    void firstRunPlaysAWholeGame() {
        QElapsedTimer clock;
        clock.start();
        startGame();
        waitForMainWindow();
        if (QTest::currentTestFailed())
            return;
        // First start: German defaults, a 12 x 7 board of 4 block types.
        verifyFreshBoard(shot(QStringLiteral("main-window")), 12, 7, 4);
        if (QTest::currentTestFailed())
            return;
        QVERIFY2(!QFile::exists(settingsFile()) ||
                     stored(QStringLiteral("Settings/Sprache")).isEmpty(),
                 "nothing is stored before the player changes something");

        switchToEnglish();
        if (QTest::currentTestFailed())
            return;
        chooseSmallBoard();
        if (QTest::currentTestFailed())
            return;

        int finalScore = 0;
        int finalLeft = 0;
        playWholeGame(finalScore, finalLeft);
        if (QTest::currentTestFailed())
            return;
        enterHighScore(finalScore, finalLeft);
        if (QTest::currentTestFailed())
            return;
        storedEntry_ = QStringLiteral("%1:%2;%3").arg(kPlayer).arg(finalScore).arg(finalLeft);
        QCOMPARE(firstPlace(), storedEntry_);

        shot(QStringLiteral("after-game"));
        quitThroughToolbar();
        if (QTest::currentTestFailed())
            return;
        firstRunDone_ = true;
        qInfo("first run took %lld ms", clock.elapsed());
    }

    // The same settings folder again: options, language and the high score
    // are still there.
    void secondRunKeepsSettingsAndScore() {
        if (!firstRunDone_)
            QSKIP("the first run did not finish");
        QElapsedTimer clock;
        clock.start();
        startGame();
        waitForMainWindow();
        if (QTest::currentTestFailed())
            return;
        verifyFreshBoard(shot(QStringLiteral("second-start")), kCols, kRows, kTypes);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(stored(QStringLiteral("Settings/Cols")), QStringLiteral("5"));
        QCOMPARE(stored(QStringLiteral("Settings/Rows")), QStringLiteral("5"));
        QCOMPARE(stored(QStringLiteral("Settings/BlockTypes")), QStringLiteral("3"));
        QCOMPARE(stored(QStringLiteral("Settings/Sprache")), QStringLiteral("1"));
        QVERIFY2(!stored(kFirstPlaceKey).isEmpty(), "the high-score entry is gone");
        QCOMPARE(firstPlace(), storedEntry_);

        // The table from the toolbar, in English: shown, closed, unchanged.
        press(MainWindowLayout(main_.geometry).button(5));
        const auto table = waitForWindow(QStringLiteral("Champions"), kWindowTimeoutMs);
        QVERIFY2(table, qPrintable(QStringLiteral("the high-score button opened no 'Champions' "
                                                  "table; on screen: ") +
                                   describeWindows()));
        QTest::qWait(300);
        closeChampions(*table, shot(QStringLiteral("champions-from-toolbar")));
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(firstPlace(), storedEntry_);

        quitThroughToolbar();
        qInfo("second run took %lld ms", clock.elapsed());
    }
};

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_endToEnd.moc"
