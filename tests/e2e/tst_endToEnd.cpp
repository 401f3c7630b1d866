// The built game on a private X server, played with real clicks and keys and
// checked through the screen (the pictures it copies unchanged) and the
// settings file. Screenshots land in <build>/e2e-shots.
#include "common/Crypt.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

namespace {

// The cells of a picture strip, found on the screen where shown unchanged.
struct Strip {
    QSize size;
    QList<QImage> cells;

    Strip(const QString& file, QSize cellSize) : size(cellSize) {
        const QImage strip =
            QImage(qEnvironmentVariable("TAVRO_TEST_SOURCE_DIR") + "/src/resources/" + file)
                .convertToFormat(QImage::Format_RGB32);
        for (int x = 0; x + size.width() <= strip.width(); x += size.width())
            cells.append(strip.copy(QRect(QPoint(x, 0), size)));
    }
    // The cell shown at `topLeft`, or -1.
    int at(const QImage& screen, QPoint topLeft) const {
        return int(cells.indexOf(screen.copy(QRect(topLeft, size))));
    }
    // The top-left corners where cell `i` is shown, in reading order.
    QList<QPoint> find(const QImage& screen, int i) const {
        const QPoint probe(size.width() / 2, size.height() / 2);
        QList<QPoint> found;
        for (int y = 0; y + size.height() <= screen.height(); ++y)
            for (int x = 0; x + size.width() <= screen.width(); ++x)
                if (screen.pixel(QPoint(x, y) + probe) == cells[i].pixel(probe) &&
                    screen.copy(QRect(QPoint(x, y), size)) == cells[i])
                    found.append({x, y});
        return found;
    }
};

// The board as columns of block letters, bottom up.
struct Board {
    QStringList columns;

    QString at(QPoint p) const { return columns.value(p.x()).mid(p.y(), 1); }
    QList<QPoint> largestGroup() const {
        QList<QPoint> best;
        for (int col = 0; col < columns.size(); ++col)
            for (int row = 0; row < columns[col].size(); ++row) {
                QList<QPoint> group{{col, row}};
                for (int next = 0; next < group.size(); ++next)
                    for (const QPoint step :
                         {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
                        if (const QPoint n = group[next] + step;
                            at(n) == at(group[0]) && !group.contains(n))
                            group << n;
                if (group.size() >= 2 && group.size() > best.size())
                    best = group;
            }
        return best;
    }
    void remove(QList<QPoint> group) {
        std::ranges::sort(group, std::greater{}, &QPoint::y);
        for (const QPoint p : group)
            columns[p.x()].remove(p.y(), 1);
        columns.removeAll(QString());
    }
    QString text() const {
        QStringList all;
        for (int col = 0; col < 5; ++col)
            all << columns.value(col).leftJustified(5, '.');
        return all.join('|');
    }
};

// Leaves the test function when the step has failed.
#define STEP(call)                                                                                 \
    if (call; QTest::currentTestFailed())                                                          \
    return

QString displayText(int score, int left) {
    return QStringLiteral("%1 %2").arg(score, 5, 10, QChar('0')).arg(left, 5, 10, QChar('0'));
}

} // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT

    QProcess xvfb_, game_;
    QProcessEnvironment display_ = QProcessEnvironment::systemEnvironment();
    QTemporaryDir home_;
    QString program_, shots_;
    int shotCount_ = 0;
    const Strip blocks_{"blocks/blocks00.png", {50, 50}}, digits_{"pictures/digits.png", {18, 27}};
    // The next flag covers a flag's last column.
    const Strip german_{"pictures/flag0.png", {31, 20}}, english_{"pictures/flag1.png", {31, 20}};
    QPoint boardAt_, scoreAt_, leftAt_; // found on the screen of each start
    QList<QPoint> toolbar_;             // the toolbar buttons' centres, in reading order

    QString stored(const QString& key) const {
        QString value = QSettings(home_.filePath("config/Tavro/Tavro.conf"), QSettings::IniFormat)
                            .value(key)
                            .toString();
        return key.startsWith("HighScore/") ? tavro::Crypt(value) : value;
    }

    QByteArray run(const QString& program, const QStringList& arguments) const {
        QProcess tool;
        tool.setProcessEnvironment(display_);
        tool.start(program, arguments);
        if (!tool.waitForFinished(10000))
            tool.kill(), tool.waitForFinished();
        return tool.readAllStandardOutput();
    }
    QByteArray xdo(const QStringList& arguments) const { return run("xdotool", arguments); }
    // The pointer rests in a corner, so no tooltip hides what is looked at.
    void click(QPoint p) const {
        xdo({"mousemove", QString::number(p.x()), QString::number(p.y()), "click", "1", "mousemove",
             "1275", "1019"});
    }
    void typeAndReturn(const QString& window, const QString& text = {}) const {
        xdo({"windowfocus", window});
        if (!text.isEmpty())
            xdo({"type", "--delay", "40", text});
        xdo({"key", "Return"});
    }
    QImage shot(const QString& name = {}) {
        const QImage image =
            QImage::fromData(run("import", {"-silent", "-window", "root", "ppm:-"}), "PPM")
                .convertToFormat(QImage::Format_RGB32);
        if (!name.isEmpty())
            image.save(QStringLiteral("%1/%2-%3.png").arg(shots_).arg(++shotCount_).arg(name));
        return image;
    }
    QStringList windows(const QString& title = ".*") const {
        return QString(xdo({"search", "--all", "--onlyvisible", "--pid",
                            QString::number(game_.processId()), "--name", '^' + title + '$'}))
            .split('\n', Qt::SkipEmptyParts);
    }
    // Polls until `done` holds; false after 10 s or once the game has ended.
    bool waitUntil(const std::function<bool()>& done) {
        for (const QDeadlineTimer deadline(10000); !done(); QTest::qWait(100))
            if (deadline.hasExpired() || game_.state() != QProcess::Running)
                return false;
        return true;
    }
    QString waitForWindow(const QString& title) {
        QStringList found;
        waitUntil([&] { return !(found = windows(title)).isEmpty(); });
        return found.value(0);
    }

    // The board as Board::text() shows it, then the displays as "score left".
    QString look(const QImage& screen) const {
        QString text;
        for (int i = 0; i < 25; ++i) {
            const QPoint cell(i / 5 * 50, (4 - i % 5) * 50); // column by column, bottom up
            text += QString(i % 5 || !i ? "" : "|") +
                    ".ABCDEFG"[blocks_.at(screen, boardAt_ + cell) + 1];
        }
        for (int i = 0; i < 10; ++i) {
            const QPoint digit(i % 5 * digits_.size.width(), 0);
            text += QString(i % 5 ? "" : " ") +
                    "?0123456789 "[digits_.at(screen, (i < 5 ? scoreAt_ : leftAt_) + digit) + 1];
        }
        return text;
    }

    // The start-up window makes way after 2.5 s for the main window: a 5 x 5
    // board of three types in a sunken frame, "00000" above "00025", the flags.
    void startGame() {
        QProcessEnvironment env = display_;
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("XDG_CONFIG_HOME", home_.filePath("config"));
        env.insert("XDG_DATA_HOME", home_.filePath("data"));
        env.insert("HOME", home_.path());
        env.insert("XDG_RUNTIME_DIR", home_.filePath("runtime")); // no sound server of the runner
        QDir(home_.path()).mkpath("runtime");
        QFile::setPermissions(home_.filePath("runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        game_.setProcessEnvironment(env);
        game_.setProcessChannelMode(QProcess::ForwardedChannels);
        QElapsedTimer sinceStart;
        sinceStart.start();
        game_.start(program_);
        QVERIFY2(game_.waitForStarted(10000), qPrintable(game_.errorString()));
        QString startup;
        QVERIFY2(waitUntil([&] { return !(startup = windows().value(0)).isEmpty(); }),
                 "no start-up window");
        shot("startup-window");
        QVERIFY2(waitUntil([&] {
                     const QStringList now = windows();
                     return !now.isEmpty() && !now.contains(startup);
                 }),
                 "no main window in place of the start-up window");
        QCOMPARE_GE(sinceStart.elapsed(), 2500);
        QTest::qWait(500); // let the first paint land
        const QImage screen = shot("main-window");

        QList<QPoint> found;
        for (int type = 0; type < blocks_.cells.size(); ++type)
            found += blocks_.find(screen, type);
        QCOMPARE(found.size(), 25);
        boardAt_ = {std::ranges::min(found, {}, &QPoint::x).x(),
                    std::ranges::min(found, {}, &QPoint::y).y()};
        QVERIFY2(screen.pixel(boardAt_ + QPoint(1, -2)) == qRgb(128, 128, 128) &&
                     screen.pixel(boardAt_ + QPoint(250 - 2, 250 + 1)) == qRgb(255, 255, 255),
                 "no sunken frame round the board");
        const QList<QPoint> zeros = digits_.find(screen, 0);
        const auto below =
            std::ranges::find_if(zeros, [&](QPoint p) { return p.y() > zeros[0].y(); });
        QVERIFY2(below != zeros.end(), "no two digit displays");
        std::tie(scoreAt_, leftAt_) = std::pair(zeros.first(), *below);
        QVERIFY2(QRegularExpression("^([ABC]{5}\\|){4}[ABC]{5} 00000 00025$")
                     .match(look(screen))
                     .hasMatch(),
                 qPrintable(look(screen)));

        // The toolbar: two rows of four light blue buttons above the flags.
        const QList<QPoint> flag = german_.find(screen, 0);
        QCOMPARE(flag.size(), 1);
        QRect grid;
        for (int y = 0; y < flag[0].y(); ++y)
            for (int x = flag[0].x(); x < screen.width(); ++x)
                if (screen.pixel(x, y) == qRgb(128, 178, 255))
                    grid |= QRect(x, y, 1, 1);
        toolbar_.clear();
        for (int i = 0; i < 8; ++i)
            toolbar_ << grid.topLeft() + QPoint((i % 4 * 2 + 1) * grid.width() / 8,
                                                (i / 4 * 2 + 1) * grid.height() / 4);
    }

    // The second toolbar button asks; Yes, the default, ends the game.
    void quitThroughToolbar() {
        click(toolbar_[1]);
        const QString question = waitForWindow("Quit");
        QVERIFY2(!question.isEmpty(), "no English quit question");
        shot("quit-question");
        typeAndReturn(question);
        QVERIFY2(game_.waitForFinished(10000), "the game did not end after Yes");
        QCOMPARE(std::pair(game_.exitStatus(), game_.exitCode()),
                 std::pair(QProcess::NormalExit, 0));
    }

    // Closes the high-score table with Return; the screen while it was up.
    QImage closeChampions() {
        const QString table = waitForWindow("Champions");
        QTest::qWait(300);
        const QImage screen = shot("champions");
        typeAndReturn(table);
        if (table.isEmpty() || !waitUntil([&] { return !windows().contains(table); }))
            QTest::qFail("no high-score table, or it stayed open", __FILE__, __LINE__);
        return screen;
    }

private slots:
    void initTestCase() {
        for (const QString tool : {"Xvfb", "xdotool", "import", "setpriv"})
            if (QStandardPaths::findExecutable(tool).isEmpty())
                QSKIP(qPrintable(tool + " is not installed (scripts/setup installs it)"));
        program_ = qEnvironmentVariable("TAVRO_E2E_PROGRAM",
                                        QCoreApplication::applicationDirPath() + "/tavro");
        QVERIFY2(QFileInfo(program_).isExecutable(), qPrintable("no game at " + program_));
        shots_ = QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../e2e-shots");
        QDir(shots_).removeRecursively();
        QVERIFY(QDir().mkpath(shots_) && home_.isValid());

        // Xvfb picks a free display; under setpriv it dies with this process.
        xvfb_.start("setpriv", QStringLiteral("--pdeathsig KILL Xvfb -displayfd 1 -screen 0 "
                                              "1280x1024x24 -nolisten tcp -noreset")
                                   .split(' '));
        for (const QDeadlineTimer deadline(10000); !xvfb_.canReadLine() &&
                                                   xvfb_.state() != QProcess::NotRunning &&
                                                   !deadline.hasExpired();)
            xvfb_.waitForReadyRead(100);
        QVERIFY2(xvfb_.canReadLine(),
                 qPrintable("Xvfb reported no display: " + xvfb_.errorString()));
        display_.insert("DISPLAY", ':' + QString::fromLatin1(xvfb_.readLine().trimmed()));
        xdo({"mousemove", "1275", "1019"});
    }

    void cleanupTestCase() {
        xvfb_.terminate();
        if (!xvfb_.waitForFinished(5000))
            xvfb_.kill(), xvfb_.waitForFinished(5000);
    }

    void cleanup() {
        if (game_.state() != QProcess::NotRunning) { // a failed step leaves no game running
            shot("at-failure");
            game_.kill();
            game_.waitForFinished(5000);
        }
    }

    // A stored board size, the English flag, a whole game played largest
    // group first, the name for the high score, quit, a second start.
    void wholeGameAndASecondStart() {
        QVERIFY(QDir().mkpath(home_.filePath("config/Tavro")));
        QFile store(home_.filePath("config/Tavro/Tavro.conf"));
        QVERIFY(store.open(QIODevice::WriteOnly) &&
                store.write("[Settings]\nCols=5\nRows=5\nBlockTypes=3\n") > 0);
        store.close();
        STEP(startGame());
        QVERIFY2(stored("Settings/Sprache").isEmpty(), "stored before the player changed anything");
        QProcess second; // ends at once
        second.setProcessEnvironment(game_.processEnvironment());
        second.start(program_);
        QVERIFY(second.waitForFinished(3000));
        QCOMPARE(std::pair(second.exitStatus(), second.exitCode()),
                 std::pair(QProcess::NormalExit, 0));
        const QList<QPoint> flag = english_.find(shot(), 0);
        QCOMPARE(flag.size(), 1);
        click(flag[0] + QPoint(16, 10));
        QTRY_COMPARE_WITH_TIMEOUT(stored("Settings/Sprache"), QStringLiteral("1"), 5000);

        Board expected{look(shot()).left(29).split('|')};
        int score = 0, moves = 0, left = 25;
        for (QList<QPoint> group = expected.largestGroup(); !group.isEmpty();
             group = expected.largestGroup()) {
            ++moves;
            click(boardAt_ + QPoint(group[0].x() * 50 + 25, (4 - group[0].y()) * 50 + 25));
            expected.remove(group);
            score += int(group.size() * group.size()) + 1;
            left -= int(group.size());
            if (expected.largestGroup().isEmpty())
                break; // the last move ends in the name box
            // The collapse has come to rest when two looks in a row show it.
            const QString want = expected.text() + ' ' + displayText(score, left);
            QString seen, before;
            for (const QDeadlineTimer deadline(10000);
                 (seen != want || before != want) && !deadline.hasExpired(); QTest::qWait(150))
                before = std::exchange(seen, look(shot()));
            QCOMPARE(seen, want);
        }
        const int finalScore = left == 0 ? int(std::nearbyint(score * 1.5)) : score;
        qInfo("played %d moves: %d points, %d blocks left", moves, finalScore, left);

        const QString nameBox = waitForWindow("New high score");
        QVERIFY2(!nameBox.isEmpty(), "no English name box");
        shot("name-box");
        typeAndReturn(nameBox, "Tester");
        // The final board stays beside the table.
        QCOMPARE(look(closeChampions()).right(11), displayText(finalScore, left));
        const QString entry = QStringLiteral("Tester:%1;%2").arg(finalScore).arg(left);
        QCOMPARE(stored("HighScore/55321"), entry);
        STEP(quitThroughToolbar());

        // Board (checked by startGame), language and high score are kept.
        STEP(startGame());
        click(toolbar_[7]);
        closeChampions();
        QCOMPARE(stored("HighScore/55321"), entry);
        quitThroughToolbar();
    }
};

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_endToEnd.moc"
