#pragma once

#include "solver/Position.h"

#include <QObject>
#include <memory>

namespace tavro::solver {

// A search on a worker thread for the windows. start() hands over a copy of the
// position; `finished` comes later on the thread this object lives on (the GUI
// thread), unless the search was cancelled or replaced in the meantime.
// Cancelling and destroying never wait: the worker notices the stop at its
// next node and ends on its own, and its answer is dropped.
class SolverTask : public QObject {
    Q_OBJECT

public:
    explicit SolverTask(QObject* parent = nullptr);
    ~SolverTask() override;

    // Starts a search with the node budget of `seconds` (Solver::forSeconds);
    // a search still running is cancelled first.
    void start(const Position& position, double seconds);
    void cancel();
    bool isRunning() const { return running_ != nullptr; }

signals:
    void finished(const tavro::solver::Solution& solution);

private:
    struct Run;
    void deliver(const std::shared_ptr<Run>& run, const Solution& solution);

    std::shared_ptr<Run> running_;
};

} // namespace tavro::solver

Q_DECLARE_METATYPE(tavro::solver::Solution)
