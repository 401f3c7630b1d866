// The worker-thread search: its answer arrives on the owner's thread and
// replays to its score; cancelling, replacing and deleting drop answers
// without waiting for the worker.

#include "solver/SolverTask.h"

#include "SolverTestSupport.h"
#include "solver/GamePosition.h"

#include <QSignalSpy>
#include <QThread>
#include <QtTest>
#include <chrono>

using namespace tavro::solver;

class SolverTaskTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { solvertest::isolateSettings(); }

    void answerArrivesOnTheOwnersThread() {
        // From a game part-way through: the position carries the game's score.
        const Position fresh = Position::random(12, 7, 4, 2, 5);
        solvertest::RealGame real(fresh);
        real.click({0, 6});
        real.click({3, 6});
        const Position now = positionOf(real.game().board());
        QCOMPARE(now.score, real.game().score());
        QCOMPARE(now.toRows(), real.types());

        SolverTask task;
        QThread* answeredOn = nullptr;
        Solution answer;
        connect(&task, &SolverTask::finished, this, [&](const Solution& s) {
            answeredOn = QThread::currentThread();
            answer = s;
        });
        task.start(now, 0.2);
        QVERIFY(task.isRunning());
        QTRY_VERIFY_WITH_TIMEOUT(answeredOn != nullptr, 20000);
        QCOMPARE(answeredOn, QThread::currentThread());
        QVERIFY(!task.isRunning());
        QVERIFY(answer.score > now.score);
        for (const Move& m : answer.moves)
            real.click(m);
        QVERIFY(real.game().isGameOver());
        QCOMPARE(real.game().score(), answer.score);
    }

    void cancelledAndReplacedSearchesAreDropped() {
        const Position big = Position::random(150, 81, 4, 2, 1);
        const Position small = Position::random(6, 5, 3, 2, 1);
        SolverTask task;
        QSignalSpy spy(&task, &SolverTask::finished);
        const auto before = std::chrono::steady_clock::now();
        task.start(big, 30);
        task.cancel();
        task.start(big, 30);
        task.start(small, 0.05); // replaces the large one
        QVERIFY(std::chrono::steady_clock::now() - before < std::chrono::milliseconds(500));
        QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, 20000);
        const auto s = spy.first().first().value<Solution>();
        QCOMPARE(solvertest::replayedScore(small, s.moves), s.score);
        QTest::qWait(300);
        QCOMPARE(spy.count(), 1);

        auto* doomed = new SolverTask;
        doomed->start(big, 30);
        const auto deleting = std::chrono::steady_clock::now();
        delete doomed; // returns at once; the worker ends on its own
        QVERIFY(std::chrono::steady_clock::now() - deleting < std::chrono::milliseconds(100));
        QTest::qWait(200);
    }
};

QTEST_GUILESS_MAIN(SolverTaskTest)
#include "SolverTaskTest.moc"
