#pragma once

#include <atomic>
#include <cstdint>
#include <ctime>
#include <limits>

namespace tavro::solver {

// How much a search may spend. The node limit makes a search reproducible: the
// same position and limit give the same answer on any machine. The deadline and
// the stop flag only end a search early (a much slower machine, a cancelled
// hint). The deadline is in processor time of the searching thread, so a busy
// machine that shares its cores slows the search down but does not cut it short.
class Budget {
public:
    explicit Budget(uint64_t nodeLimit, const std::atomic<bool>* stop = nullptr,
                    double cpuDeadline = std::numeric_limits<double>::infinity())
        : limit_(nodeLimit), stop_(stop), deadline_(cpuDeadline) {}

    // Processor time of the calling thread in seconds.
    static double threadSeconds() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
    }

    // Counts spent nodes; true while the search may go on.
    bool spend(uint64_t nodes) {
        used_ += nodes;
        if (used_ >= limit_)
            return false;
        if ((++checks_ & 63) == 0 || nodes >= 256) // a large step: look now
            interrupted_ = interrupted_ || (stop_ && stop_->load(std::memory_order_relaxed)) ||
                           threadSeconds() >= deadline_;
        return !interrupted_;
    }
    bool exhausted() const { return used_ >= limit_ || interrupted_; }
    bool interrupted() const { return interrupted_; }
    uint64_t used() const { return used_; }
    uint64_t remaining() const { return used_ >= limit_ ? 0 : limit_ - used_; }

private:
    uint64_t limit_;
    uint64_t used_ = 0;
    uint64_t checks_ = 0;
    bool interrupted_ = false;
    const std::atomic<bool>* stop_;
    double deadline_;
};

} // namespace tavro::solver
