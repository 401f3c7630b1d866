#include "solver/SolverTask.h"

#include "solver/Solver.h"

#include <QMetaObject>
#include <QPointer>
#include <atomic>
#include <mutex>
#include <thread>

namespace tavro::solver {

// What a worker shares with its task: the stop flag and, until cancelled, the
// task to hand the answer to. The lock makes "cancelled" and "answer posted"
// exclusive, so an answer is never posted to a task that is going away.
struct SolverTask::Run {
    std::atomic<bool> stop{false};
    std::mutex lock;
    SolverTask* task = nullptr;
};

SolverTask::SolverTask(QObject* parent) : QObject(parent) {}

SolverTask::~SolverTask() {
    cancel();
}

void SolverTask::cancel() {
    if (!running_)
        return;
    {
        std::lock_guard guard(running_->lock);
        running_->task = nullptr;
    }
    running_->stop = true;
    running_.reset();
}

void SolverTask::start(const Position& position, double seconds) {
    cancel();
    auto run = std::make_shared<Run>();
    run->task = this;
    running_ = run;
    std::thread([run, position, seconds] {
        const Solution solution = Solver::solve(position, Solver::forSeconds(seconds, &run->stop));
        std::lock_guard guard(run->lock);
        if (run->task == nullptr)
            return;
        // Posted to the task's thread; Qt drops it if the task is deleted first.
        SolverTask* task = run->task;
        QMetaObject::invokeMethod(
            task, [task, run, solution] { task->deliver(run, solution); }, Qt::QueuedConnection);
    }).detach();
}

void SolverTask::deliver(const std::shared_ptr<Run>& run, const Solution& solution) {
    if (run != running_) // cancelled or replaced after the answer was posted
        return;
    running_.reset();
    emit finished(solution);
}

} // namespace tavro::solver
