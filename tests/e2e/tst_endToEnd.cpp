// The built game as a player meets it: started on a private X server without
// a window manager, played with real mouse clicks and key presses, and
// checked only through what the screen shows and what the settings file
// holds. Screenshots of the key moments land in <build>/e2e-shots.
#include "ScreenTools.h"
#include "common/Crypt.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

// Leaves the test function when the step before has failed.
#define STEP(call)                                                                                 \
    if (call; QTest::currentTestFailed())                                                          \
    return

namespace {

const QString kPlayer = QStringLiteral("Tester");
// A corner that no window covers: the pointer rests there after a toolbar
// click, so no tooltip pops up over what the test looks at.
constexpr QPoint kPointerRest{1275, 1019};
// The board stored before the first start, and its high-score key (Cols,
// Rows, BlockTypes, BlocksToClick and the slot).
constexpr int kSize = 5, kTypes = 3;
const QString kFirstPlaceKey = QStringLiteral("HighScore/55321");
// The toolbar's buttons are solid light blue; their places in reading order.
constexpr QRgb kButtonColour = qRgb(128, 178, 255);
enum ToolbarSpot { Quit = 1, HighScores = 7 };

// Both digit displays as the screen should show them: "score left".
QString expectedDisplays(int score, int left) {
    return QStringLiteral("%1 %2").arg(score, 5, 10, QChar('0')).arg(left, 5, 10, QChar('0'));
}

// A top-level window as the X server shows it, in screen coordinates.
struct ScreenWindow {
    QString id, title;
    QRect geometry;
};

} // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT

    QProcess xvfb_;
    QProcessEnvironment display_ = QProcessEnvironment::systemEnvironment();
    QTemporaryDir home_;
    QString program_;
    QProcess game_;
    ScreenWindow main_;
    std::optional<Strip> blocks_, digits_, germanFlag_, englishFlag_;
    // Found on the screen of each start.
    QPoint boardTopLeft_, scoreDigits_, leftDigits_;
    QList<QPoint> toolbar_;
    QString shotsFolder_;
    int shotCount_ = 0;
    // What the first run leaves for the second one.
    bool firstRunDone_ = false;
    QString storedEntry_;

    QString storeFile() const { return home_.filePath("config/Tavro/Tavro.conf"); }
    QString stored(const QString& key) const {
        return QSettings(storeFile(), QSettings::IniFormat).value(key).toString();
    }
    // The stored first place, unscrambled: "name:score;left".
    QString firstPlace() const {
        QString text = stored(kFirstPlaceKey);
        return tavro::Crypt(text);
    }

    // What a person does at the screen: look at it (import), and move the
    // mouse, click and type through xdotool (the XTEST extension, so the
    // program sees ordinary input events).
    QByteArray run(const QString& program, const QStringList& arguments) const {
        QProcess tool;
        tool.setProcessEnvironment(display_);
        tool.start(program, arguments);
        if (tool.waitForFinished(10000))
            return tool.readAllStandardOutput();
        tool.kill();
        tool.waitForFinished();
        return {};
    }
    QByteArray xdo(const QStringList& arguments) const { return run("xdotool", arguments); }
    void moveMouse(QPoint p, const QStringList& then = {}) const {
        xdo(QStringList{"mousemove", QString::number(p.x()), QString::number(p.y())} + then);
    }
    void click(QPoint p) const { moveMouse(p, {"click", "1"}); }
    // A click on a control of the header; the pointer moves away after it.
    void press(QPoint p) const {
        click(p);
        moveMouse(kPointerRest);
    }
    void typeAndReturn(const QString& windowId, const QString& text) const {
        xdo({"windowfocus", windowId});
        if (!text.isEmpty())
            xdo({"type", "--delay", "40", text});
        xdo({"key", "Return"});
    }
    QImage grab() const {
        return QImage::fromData(run("import", {"-silent", "-window", "root", "ppm:-"}), "PPM")
            .convertToFormat(QImage::Format_RGB32);
    }
    QImage shot(const QString& name) {
        const QImage image = grab();
        image.save(QStringLiteral("%1/%2-%3.png")
                       .arg(shotsFolder_)
                       .arg(++shotCount_, 2, 10, QChar('0'))
                       .arg(name));
        return image;
    }

    // The game's visible top-level windows that have a size.
    QList<ScreenWindow> windows() const {
        QList<ScreenWindow> windows;
        const QByteArray ids =
            xdo({"search", "--onlyvisible", "--pid", QString::number(game_.processId())});
        for (const QByteArray& id : ids.split('\n')) {
            if (id.trimmed().isEmpty())
                continue;
            ScreenWindow w{QString::fromLatin1(id.trimmed()), {}, {}};
            w.title = QString::fromUtf8(xdo({"getwindowname", w.id}).trimmed());
            QMap<QByteArray, int> v; // --shell prints X=, Y=, WIDTH=, HEIGHT= lines
            for (const QByteArray& line : xdo({"getwindowgeometry", "--shell", w.id}).split('\n'))
                if (const QList<QByteArray> parts = line.split('='); parts.size() == 2)
                    v[parts[0]] = parts[1].toInt();
            w.geometry = QRect(v["X"], v["Y"], v["WIDTH"], v["HEIGHT"]);
            if (!w.geometry.isEmpty())
                windows.append(w);
        }
        return windows;
    }
    QString missing(const QString& what) const {
        QString text = "no " + what + "; on screen:";
        for (const ScreenWindow& w : windows())
            QDebug(&text) << w.title << w.geometry;
        return text;
    }
    // Polls until `done` holds; false after the timeout or once the game has ended.
    bool waitUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
        for (const QDeadlineTimer deadline(timeoutMs); !done(); QTest::qWait(100))
            if (deadline.hasExpired() || game_.state() != QProcess::Running)
                return false;
        return true;
    }
    std::optional<ScreenWindow> waitForWindow(const QString& title) {
        std::optional<ScreenWindow> found;
        waitUntil([&] {
            for (const ScreenWindow& w : windows())
                if (w.title == title)
                    found = w;
            return found.has_value();
        });
        return found;
    }
    bool waitForWindowGone(const QString& id) {
        return waitUntil([&] {
            return std::ranges::none_of(windows(),
                                        [&](const ScreenWindow& w) { return w.id == id; });
        });
    }

    // Both digit displays as "score left"; a blank digit reads as " ", an
    // unknown picture as "?".
    QString displays(const QImage& screen) const {
        QString text;
        for (const QPoint first : {scoreDigits_, leftDigits_}) {
            for (int i = 0; i < 5; ++i) {
                const int cell =
                    digits_->match(screen, first + QPoint(i * digits_->size_.width(), 0));
                text += cell < 0 ? QChar('?') : cell == 10 ? QChar(' ') : QChar('0' + cell);
            }
            text += ' ';
        }
        return text.chopped(1);
    }
    // The cells of the board lie side by side, a block picture each.
    BoardModel readBoard(const QImage& screen) const {
        BoardModel board{kSize, kSize, {}};
        const QSize cell = blocks_->size_;
        for (int i = 0; i < kSize * kSize; ++i)
            board.cells << blocks_->match(
                screen,
                boardTopLeft_ + QPoint(i % kSize * cell.width(), i / kSize * cell.height()));
        return board;
    }

    // Finds the board, the displays and the toolbar on a fresh board: every
    // cell holds one of the first block types, the displays show its start.
    void findFreshBoard(const QImage& screen) {
        QList<QPoint> blocks;
        for (int type = 0; type < blocks_->cells_.size(); ++type)
            blocks += blocks_->find(screen, type, main_.geometry);
        QCOMPARE(blocks.size(), kSize * kSize);
        boardTopLeft_ = {std::ranges::min(blocks, {}, &QPoint::x).x(),
                         std::ranges::min(blocks, {}, &QPoint::y).y()};
        // The sunken frame round the cells: grey outer line on top, white below.
        const QPoint bottomRight =
            boardTopLeft_ + QPoint(kSize * blocks_->size_.width(), kSize * blocks_->size_.height());
        QVERIFY2(screen.pixel(boardTopLeft_ + QPoint(1, -2)) == qRgb(128, 128, 128) &&
                     screen.pixel(bottomRight + QPoint(-2, 1)) == qRgb(255, 255, 255),
                 "no sunken frame round the board");
        const BoardModel board = readBoard(screen);
        QVERIFY2(std::ranges::all_of(board.cells, [](int t) { return t >= 0 && t < kTypes; }),
                 qPrintable("every cell must hold one of the first block types; seen:\n" +
                            board.toText()));

        // "00000" above "00025": the first zero of each display.
        const QList<QPoint> zeros = digits_->find(screen, 0, main_.geometry);
        QVERIFY2(!zeros.isEmpty(), "no digit display");
        const auto below =
            std::ranges::find_if(zeros, [&](QPoint p) { return p.y() != zeros[0].y(); });
        QVERIFY2(below != zeros.end(), "only one digit display");
        std::tie(scoreDigits_, leftDigits_) = std::pair(zeros.first(), *below);
        QCOMPARE(displays(screen), expectedDisplays(0, kSize * kSize));

        // The toolbar: above the row of flags, from the first flag rightwards.
        const QList<QPoint> flag = germanFlag_->find(screen, 0, main_.geometry);
        QCOMPARE(flag.size(), 1);
        const QRect header(QPoint(flag[0].x(), main_.geometry.top()),
                           QPoint(main_.geometry.right(), flag[0].y() - 1));
        toolbar_ = buttonGrid(screen, header, kButtonColour);
        QCOMPARE(toolbar_.size(), 8);
    }

    // The start-up window comes first, closes itself after 2.5 s, and the
    // main window takes its place.
    void startGame() {
        QProcessEnvironment env = display_;
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("XDG_CONFIG_HOME", home_.filePath("config"));
        env.insert("XDG_DATA_HOME", home_.filePath("data"));
        env.insert("XDG_RUNTIME_DIR", home_.filePath("runtime"));
        env.insert("HOME", home_.path());
        QDir(home_.path()).mkpath("runtime");
        QFile::setPermissions(home_.filePath("runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        game_.setProcessEnvironment(env);
        game_.setProcessChannelMode(QProcess::ForwardedChannels);
        moveMouse(kPointerRest);
        QElapsedTimer sinceStart;
        sinceStart.start();
        game_.start(program_);
        QVERIFY2(game_.waitForStarted(10000), qPrintable(game_.errorString()));

        QString startupId;
        main_ = {};
        const QDeadlineTimer deadline(20000);
        while (main_.id.isEmpty() && !deadline.hasExpired() && game_.state() == QProcess::Running) {
            const QList<ScreenWindow> now = windows();
            if (startupId.isEmpty() && !now.isEmpty()) {
                startupId = now.first().id;
                shot("startup-window");
            }
            if (!startupId.isEmpty() && !now.isEmpty() &&
                std::ranges::none_of(now, [&](const ScreenWindow& w) { return w.id == startupId; }))
                // The largest window: a tooltip may stand beside it.
                main_ = *std::ranges::max_element(now, {}, [](const ScreenWindow& w) {
                    return w.geometry.width() * w.geometry.height();
                });
            else
                QTest::qWait(100);
        }
        QVERIFY2(game_.state() == QProcess::Running, "the game ended during start-up");
        QVERIFY2(!startupId.isEmpty(), "no start-up window appeared");
        QVERIFY2(!main_.id.isEmpty(),
                 qPrintable(missing("main window in place of the start-up window")));
        QCOMPARE_GE(sinceStart.elapsed(), 2500); // the start-up window's time
        QTest::qWait(500); // the layout runs when the window is shown; let its first paint land
        findFreshBoard(shot("main-window"));
    }

    void quitThroughToolbar() {
        press(toolbar_[Quit]);
        const auto question = waitForWindow("Quit");
        QVERIFY2(question, qPrintable(missing("window titled 'Quit'")));
        shot("quit-question");
        typeAndReturn(question->id, {}); // Yes is the default answer
        QVERIFY2(game_.waitForFinished(10000), "the game did not end after Yes");
        QCOMPARE(game_.exitStatus(), QProcess::NormalExit);
        QCOMPARE(game_.exitCode(), 0);
    }

    // Waits until the screen shows `expected` with the given score and
    // blocks left, twice in a row (the collapse has come to rest).
    void waitForBoard(const BoardModel& expected, int score) {
        const QString digits = expectedDisplays(score, expected.blocksLeft());
        const QDeadlineTimer deadline(10000);
        for (int agreeing = 0; agreeing < 2; QTest::qWait(150)) {
            const QImage screen = grab();
            const BoardModel seen = readBoard(screen);
            const QString seenDigits = displays(screen);
            agreeing = seen == expected && seenDigits == digits ? agreeing + 1 : 0;
            QVERIFY2(agreeing == 2 || !deadline.hasExpired(),
                     qPrintable(QStringLiteral("after the move the screen should show\n%1%2\nbut "
                                               "shows\n%3%4")
                                    .arg(expected.toText(), digits, seen.toText(), seenDigits)));
        }
    }

    // Plays until no group is left, largest group first, following every
    // move on the screen; then enters the name for the high score.
    void playWholeGame() {
        BoardModel board = readBoard(grab());
        // Five by five cells of three types without a pair: about once in ten million.
        QVERIFY2(!board.largestGroup(2).isEmpty(), "a new board without a single move");
        const QSize cell = blocks_->size_;
        int score = 0, moves = 0;
        for (QList<QPoint> group = board.largestGroup(2); !group.isEmpty();
             group = board.largestGroup(2)) {
            const QPoint at = group.first();
            click(boardTopLeft_ + QPoint(at.x() * cell.width(), at.y() * cell.height()) +
                  QPoint(cell.width() / 2, cell.height() / 2));
            board.removeAndCollapse(group);
            score += int(group.size() * group.size()) + 1;
            ++moves;
            if (board.largestGroup(2).isEmpty())
                break; // the last move ends in the high-score dialog
            STEP(waitForBoard(board, score));
            if (moves == 1)
                shot("after-first-move");
        }
        const int left = board.blocksLeft();
        const int finalScore = left == 0 ? int(std::nearbyint(score * 1.5)) : score;
        qInfo("played %d moves: %d points, %d blocks left", moves, finalScore, left);

        const auto nameBox = waitForWindow("New high score");
        QVERIFY2(nameBox, qPrintable(missing("window titled 'New high score'")));
        shot("name-box");
        typeAndReturn(nameBox->id, kPlayer);
        const auto table = waitForWindow("Champions");
        QVERIFY2(table, qPrintable(missing("window titled 'Champions'")));
        QTest::qWait(300);
        // The final board stays on screen beside the table.
        QCOMPARE(displays(shot("champions-after-game")), expectedDisplays(finalScore, left));
        STEP(closeChampions(*table));
        storedEntry_ = QStringLiteral("%1:%2;%3").arg(kPlayer).arg(finalScore).arg(left);
    }

    // OK is the table's default button.
    void closeChampions(const ScreenWindow& table) {
        typeAndReturn(table.id, {});
        QVERIFY2(waitForWindowGone(table.id), "Return did not close the table");
    }

private slots:
    void initTestCase() {
        for (const QString tool : {"Xvfb", "xdotool", "import"})
            if (QStandardPaths::findExecutable(tool).isEmpty())
                QSKIP(qPrintable(tool + " is not installed (scripts/setup installs it)"));
        program_ = qEnvironmentVariable("TAVRO_E2E_PROGRAM",
                                        QCoreApplication::applicationDirPath() + "/tavro");
        QVERIFY2(QFileInfo(program_).isExecutable(), qPrintable("no game built at " + program_));
        QVERIFY(home_.isValid());
        const QString source = qEnvironmentVariable("TAVRO_TEST_SOURCE_DIR");
        QVERIFY2(!source.isEmpty(), "TAVRO_TEST_SOURCE_DIR is not set");
        blocks_.emplace(source + "/src/resources/blocks/blocks00.png", QSize(50, 50), 7);
        digits_.emplace(source + "/src/resources/pictures/digits.png", QSize(18, 27), 11);
        germanFlag_.emplace(source + "/src/resources/pictures/flag0.png", QSize(32, 20), 1);
        englishFlag_.emplace(source + "/src/resources/pictures/flag1.png", QSize(32, 20), 1);
        QVERIFY(blocks_->isValid() && digits_->isValid() && germanFlag_->isValid() &&
                englishFlag_->isValid());

        shotsFolder_ = QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../e2e-shots");
        QDir(shotsFolder_).removeRecursively();
        QVERIFY(QDir().mkpath(shotsFolder_));
        // Xvfb picks a free display number itself (-displayfd), so parallel
        // runs never fight over one; under setpriv it dies with this process.
        const QStringList arguments =
            QStringLiteral("-displayfd 1 -screen 0 1280x1024x24 -nolisten tcp -noreset").split(' ');
        if (QStandardPaths::findExecutable("setpriv").isEmpty())
            xvfb_.start("Xvfb", arguments);
        else
            xvfb_.start("setpriv", QStringList{"--pdeathsig", "KILL", "Xvfb"} + arguments);
        const QDeadlineTimer deadline(10000);
        while (!xvfb_.canReadLine() && xvfb_.state() != QProcess::NotRunning &&
               !deadline.hasExpired())
            xvfb_.waitForReadyRead(100);
        QVERIFY2(xvfb_.canReadLine(),
                 qPrintable("Xvfb reported no display: " + xvfb_.errorString() +
                            xvfb_.readAllStandardError()));
        display_.insert("DISPLAY", ':' + QString::fromLatin1(xvfb_.readLine().trimmed()));
        qInfo("X server %s, screenshots in %s", qPrintable(display_.value("DISPLAY")),
              qPrintable(shotsFolder_));
    }

    void cleanupTestCase() {
        xvfb_.terminate();
        if (!xvfb_.waitForFinished(5000))
            xvfb_.kill();
        xvfb_.waitForFinished(5000);
    }

    void cleanup() {
        // A failed step must not leave the game running.
        if (game_.state() != QProcess::NotRunning) {
            shot("at-failure");
            game_.kill();
            game_.waitForFinished(5000);
        }
    }

    // Start-up, language flag, a whole game, high score, quit; the board's
    // size and block types are stored before the first start.
    void firstRunPlaysAWholeGame() {
        QVERIFY(QDir().mkpath(QFileInfo(storeFile()).path()));
        QFile store(storeFile());
        QVERIFY(store.open(QIODevice::WriteOnly));
        store.write("[Settings]\nCols=5\nRows=5\nBlockTypes=3\n");
        store.close();
        STEP(startGame());
        QVERIFY2(stored("Settings/Sprache").isEmpty(),
                 "nothing is stored before the player changes something");

        const QList<QPoint> flag = englishFlag_->find(grab(), 0, main_.geometry);
        QCOMPARE(flag.size(), 1);
        press(QRect(flag[0], englishFlag_->size_).center());
        QTRY_COMPARE_WITH_TIMEOUT(stored("Settings/Sprache"), QStringLiteral("1"), 5000);

        STEP(playWholeGame());
        QCOMPARE(firstPlace(), storedEntry_);
        shot("after-game");
        STEP(quitThroughToolbar());
        firstRunDone_ = true;
    }

    // The same settings folder again: board, language and the high score
    // are still there, and the table from the toolbar leaves them unchanged.
    void secondRunKeepsSettingsAndScore() {
        if (!firstRunDone_)
            QSKIP("the first run did not finish");
        STEP(startGame());
        for (const auto& [key, value] :
             {std::pair("Cols", "5"), {"Rows", "5"}, {"BlockTypes", "3"}, {"Sprache", "1"}})
            QCOMPARE(stored(QStringLiteral("Settings/") + key), QString(value));
        QCOMPARE(firstPlace(), storedEntry_);

        press(toolbar_[HighScores]);
        const auto table = waitForWindow("Champions");
        QVERIFY2(table, qPrintable(missing("window titled 'Champions'")));
        QTest::qWait(300);
        shot("champions-from-toolbar");
        STEP(closeChampions(*table));
        QCOMPARE(firstPlace(), storedEntry_);
        STEP(quitThroughToolbar());
    }
};

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_endToEnd.moc"
