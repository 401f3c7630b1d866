// Figures of the solver, run by hand: <build>/bin/bench_solver [part] [boards]
//   methods  the search methods at one budget on the default 12 x 7 board
//   default  greedy, random, the baseline beam and the solver on 200 boards
//   small    the solver against the exact optimum on 500 small boards per shape
//   large    a hint on the largest board (150 x 81): time and peak memory
// Times are processor time of the one thread (the machine may be shared) and
// wall-clock time. Boards are drawn like the game's with seeds 1, 2, ...

#include "solver/ExactSolver.h"
#include "solver/NestedSearch.h"
#include "solver/Players.h"
#include "solver/Solver.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <string>

using namespace tavro::solver;

namespace {

struct Clock {
    std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
    double cpu0 = cpuNow();
    static double cpuNow() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
    }
    double cpu() const { return cpuNow() - cpu0; }
    double wallSeconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count();
    }
};

struct Tally {
    double score = 0, cpu = 0, wall = 0, maxCpu = 0;
    void add(const Solution& s, const Clock& c) {
        score += double(s.score);
        cpu += c.cpu();
        wall += c.wallSeconds();
        maxCpu = std::max(maxCpu, c.cpu());
    }
    void print(const char* name, int n) const {
        std::printf("  %-34s avg score %8.1f   cpu avg %.3f s max %.3f s   wall avg %.3f s\n", name,
                    score / n, cpu / n, maxCpu, wall / n);
    }
};

using Method = std::function<Solution(const Position&, uint32_t)>;

Solution baselineBeam(const Position& p) {
    const Evaluation halfSquares = Evaluation::halfSquares(p.shape.cells());
    Solution best;
    best.score = -1;
    Budget unlimited(UINT64_MAX);
    BeamSearch(p.shape).run(p, {1000, &halfSquares, false}, unlimited, best);
    return best;
}

Solution beam(const Position& p, uint64_t nodes, bool merge) {
    const Evaluation potential = Evaluation::potential(p.shape.cells());
    BeamSearch search(p.shape);
    Solution best;
    best.score = -1;
    // The widest beam that fits the budget, found by doubling.
    for (int width = 1;; width *= 2) {
        Budget budget(nodes);
        Solution line;
        line.score = -1;
        if (!search.run(p, {width, &potential, merge}, budget, line))
            return best;
        best = line;
    }
}

Solution nested(const Position& p, uint64_t nodes, int level, uint32_t seed) {
    Solution best;
    best.score = -1;
    Budget budget(nodes);
    for (uint32_t round = 0; !budget.exhausted(); ++round)
        if (!NestedSearch(p.shape, seed + round).run(p, level, budget, best))
            break;
    return best;
}

void methods(int boards) {
    const uint64_t nodes = Solver::nodesForSeconds(1.0);
    std::printf("Methods on %d boards 12 x 7, 4 types, minimum group 2, budget %llu nodes:\n",
                boards, static_cast<unsigned long long>(nodes));
    const std::pair<const char*, Method> all[] = {
        {"greedy", [](const Position& p, uint32_t) { return playGreedy(p); }},
        {"baseline beam 1000 (no merging)",
         [](const Position& p, uint32_t) { return baselineBeam(p); }},
        {"beam, potential, no merging",
         [&](const Position& p, uint32_t) { return beam(p, nodes, false); }},
        {"beam, potential, merged",
         [&](const Position& p, uint32_t) { return beam(p, nodes, true); }},
        {"nested Monte-Carlo level 1",
         [&](const Position& p, uint32_t s) { return nested(p, nodes, 1, s); }},
        {"nested Monte-Carlo level 2",
         [&](const Position& p, uint32_t s) { return nested(p, nodes, 2, s); }},
        {"nested Monte-Carlo level 3",
         [&](const Position& p, uint32_t s) { return nested(p, nodes, 3, s); }},
        {"solver (beams, then nested level 2)",
         [&](const Position& p, uint32_t) { return Solver::solve(p, {nodes}); }},
    };
    for (const auto& [name, method] : all) {
        Tally t;
        for (uint32_t seed = 1; seed <= uint32_t(boards); ++seed) {
            const Position p = Position::random(12, 7, 4, 2, seed);
            Clock c;
            const Solution s = method(p, seed);
            t.add(s, c);
        }
        t.print(name, boards);
        std::fflush(stdout);
    }
}

void defaultBoard(int boards) {
    const uint64_t nodes = Solver::nodesForSeconds(1.0);
    Tally greedy, random, baseline, solver;
    int beaten = 0;
    for (uint32_t seed = 1; seed <= uint32_t(boards); ++seed) {
        const Position p = Position::random(12, 7, 4, 2, seed);
        Clock c1;
        greedy.add(playGreedy(p), c1);
        Clock c2;
        random.add(playRandom(p, seed), c2);
        Clock c3;
        const Solution b = baselineBeam(p);
        baseline.add(b, c3);
        Clock c4;
        const Solution s = Solver::solve(p, {nodes});
        solver.add(s, c4);
        beaten += s.score >= b.score;
    }
    std::printf("Default board 12 x 7, 4 types, minimum group 2, %d boards:\n", boards);
    greedy.print("greedy (largest group)", boards);
    random.print("random legal moves", boards);
    baseline.print("baseline beam 1000", boards);
    solver.print("solver, 1 s budget", boards);
    std::printf("  solver / greedy %.2f, solver / baseline %.2f, solver >= baseline on %d of %d\n",
                solver.score / greedy.score, solver.score / baseline.score, beaten, boards);
}

void small(int boards) {
    struct Config {
        int cols, rows, types, blocksToClick;
    };
    const uint64_t nodes = Solver::nodesForSeconds(0.1);
    std::printf("Small boards, %d per shape, budget %llu nodes (0.1 s):\n", boards,
                static_cast<unsigned long long>(nodes));
    for (const Config& c : {Config{6, 5, 3, 2}, {6, 5, 3, 3}, {5, 5, 4, 2}, {5, 5, 4, 3}}) {
        int optimal = 0;
        double worst = 1, cpu = 0, maxCpu = 0, maxWall = 0, exactCpu = 0;
        for (uint32_t seed = 1; seed <= uint32_t(boards); ++seed) {
            const Position p = Position::random(c.cols, c.rows, c.types, c.blocksToClick, seed);
            Clock e;
            const int64_t optimum = ExactSolver(p.shape).solve(p)->score;
            exactCpu += e.cpu();
            Clock clock;
            const Solution s = Solver::solve(p, {nodes});
            cpu += clock.cpu();
            maxCpu = std::max(maxCpu, clock.cpu());
            maxWall = std::max(maxWall, clock.wallSeconds());
            optimal += s.score == optimum;
            if (optimum > 0)
                worst = std::min(worst, double(s.score) / double(optimum));
        }
        std::printf(
            "  %d x %d, %d types, minimum %d: optimum on %d of %d (%.1f %%), worst %.2f %% of "
            "the optimum; cpu avg %.4f s max %.4f s, wall max %.4f s; exact search avg %.4f s\n",
            c.cols, c.rows, c.types, c.blocksToClick, optimal, boards, 100.0 * optimal / boards,
            100.0 * worst, cpu / boards, maxCpu, maxWall, exactCpu / boards);
        std::fflush(stdout);
    }
}

long peakKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

void large(int boards) {
    std::printf("Largest board 150 x 81, 4 types, minimum group 2, hint with a 2 s bound:\n");
    const long before = peakKilobytes();
    for (uint32_t seed = 1; seed <= uint32_t(boards); ++seed) {
        const Position p = Position::random(150, 81, 4, 2, seed);
        Clock c;
        const Solution s = Solver::solve(p, Solver::forSeconds(2.0));
        std::printf("  seed %u: score %lld, %zu moves, cpu %.3f s, wall %.3f s\n", seed,
                    static_cast<long long>(s.score), s.moves.size(), c.cpu(), c.wallSeconds());
    }
    std::printf("  peak memory of the process %ld kB (%ld kB before the searches)\n",
                peakKilobytes(), before);
}

} // namespace

int main(int argc, char** argv) {
    const std::string part = argc > 1 ? argv[1] : "default";
    const int boards = argc > 2 ? std::atoi(argv[2]) : 0;
    if (part == "methods")
        methods(boards > 0 ? boards : 50);
    else if (part == "default")
        defaultBoard(boards > 0 ? boards : 200);
    else if (part == "small")
        small(boards > 0 ? boards : 500);
    else if (part == "large")
        large(boards > 0 ? boards : 3);
    else {
        std::fprintf(stderr, "usage: bench_solver [methods|default|small|large] [boards]\n");
        return 2;
    }
    return 0;
}
