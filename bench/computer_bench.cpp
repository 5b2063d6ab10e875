// Computer move timings per level over the positions of one fixed game, side by side with the
// straightforward 64-cell search that makes the same choices, and the move-rule scan rate.
#include "ai/bitboard_search.h"
#include "ai/random.h"
#include "game/computer_player.h"
#include "tests/reference/reference_search.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
using benchmark::Counter;

// Discs on the board for a position to count as mid-game in the move-rule scan.
constexpr int MIDGAME_MIN_DISCS = 20;
constexpr int MIDGAME_MAX_DISCS = 44;

// Each benchmark runs this often; its table shows the statistics, the ratios use the medians.
// Move times are the wall-clock times of the moves alone, what a player waits, without the
// benchmark loop around them.
constexpr int REPETITIONS = 3;
constexpr double MIN_SECONDS = 1.0;

const char MEAN_COUNTER[] = "s/move";

// Every position of one level-5 self-play game from a fresh generator, each with its side to move.
const std::vector<CGameBoard>& GamePositions() {
    static const std::vector<CGameBoard> positions = [] {
        SetRandomState(RANDOM_INITIAL_STATE);
        CGameBoard game;
        game.NewGame();
        game.m_firstPlayer = KIND_MAX_LEVEL;
        game.m_lastPlayer = KIND_MAX_LEVEL;
        std::vector<CGameBoard> list;
        while (!game.IsGameOver()) {
            list.push_back(game);
            if (!game.TryComputerMove())
                break;
        }
        return list;
    }();
    return positions;
}

CBitboardSearch ProgramSearch(const CGameBoard& position) {
    return CBitboardSearch(SearchRootOf(position));
}

// The same search built for the baseline processor, whatever this one runs.
CBitboardSearch BaselineSearch(const CGameBoard& position) {
    return CBitboardSearch(SearchRootOf(position), BASELINE_SEARCH_KERNEL);
}

CReferenceSearch ReferenceSearch(const CGameBoard& position) { return CReferenceSearch(position); }

using NodeCache = std::int64_t[KIND_MAX_LEVEL + 1];

// Trial moves of one level's moves over the game with the searches `make` gives, counted once
// and outside any timing.
template <typename MakeSearch>
std::int64_t NodesPerGame(NodeCache& cache, int level, MakeSearch make) {
    if (cache[level] == 0) {
        for (const CGameBoard& position : GamePositions()) {
            auto search = make(position);
            search.ScoreMoves(SearchDepthForKind(level), position.m_turn);
            cache[level] += search.Nodes();
        }
    }
    return cache[level];
}

// Times `move` on every position separately; an iteration's time is the sum of its moves' times.
// The worst figure is the slowest position's mean, so that one preempted run does not stand for a
// position; it is the one counter the library cannot derive from the iteration times itself.
template <typename Move>
void TimeMoves(benchmark::State& state, std::int64_t nodesPerGame, Move move) {
    const std::vector<CGameBoard>& positions = GamePositions();
    std::vector<double> seconds(positions.size());
    for (auto _ : state) {
        double iteration = 0;
        for (size_t i = 0; i < positions.size(); ++i) {
            const Clock::time_point start = Clock::now();
            move(positions[i]);
            const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
            seconds[i] += elapsed;
            iteration += elapsed;
        }
        state.SetIterationTime(iteration);
    }
    const double moves = static_cast<double>(positions.size());
    const double nodes = static_cast<double>(nodesPerGame);
    state.counters[MEAN_COUNTER] =
        Counter(moves, Counter::kIsIterationInvariantRate | Counter::kInvert);
    state.counters["worst_s"] =
        *std::max_element(seconds.begin(), seconds.end()) / static_cast<double>(state.iterations());
    state.counters["nodes/move"] = nodes / moves;
    state.counters["nodes/s"] = Counter(nodes, Counter::kIsIterationInvariantRate);
}

// The program's own move choice, with the kernel this processor runs.
void BM_ComputerMove(benchmark::State& state) {
    static NodeCache nodes;
    const int level = static_cast<int>(state.range(0));
    const int depth = SearchDepthForKind(level);
    TimeMoves(state, NodesPerGame(nodes, level, ProgramSearch),
              [depth](const CGameBoard& position) {
                  CGameBoard board(position);
                  int x = NO_MOVE_SQUARE;
                  int y = NO_MOVE_SQUARE;
                  board.ChooseMove(depth, board.m_turn, &x, &y);
                  benchmark::DoNotOptimize(x);
                  benchmark::DoNotOptimize(y);
              });
}

// A move chosen the program's way (every move scored, one draw among the best) with the searches
// `make` gives.
template <typename MakeSearch>
void TimeSearchMoves(benchmark::State& state, NodeCache& nodes, MakeSearch make) {
    const int level = static_cast<int>(state.range(0));
    const int depth = SearchDepthForKind(level);
    TimeMoves(state, NodesPerGame(nodes, level, make), [&](const CGameBoard& position) {
        auto search = make(position);
        int x = NO_MOVE_SQUARE;
        int y = NO_MOVE_SQUARE;
        CReferenceSearch::Choose(search.ScoreMoves(depth, position.m_turn), &x, &y);
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
    });
}

void BM_BaselineKernelMove(benchmark::State& state) {
    static NodeCache nodes;
    TimeSearchMoves(state, nodes, BaselineSearch);
}

void BM_ReferenceMove(benchmark::State& state) {
    static NodeCache nodes;
    TimeSearchMoves(state, nodes, ReferenceSearch);
}

// Move-rule scan: every square of every mid-game position tested for the side to move.
void BM_PutDiscScan(benchmark::State& state) {
    std::vector<CGameBoard> midgame;
    for (const CGameBoard& position : GamePositions()) {
        CGameBoard board(position);
        const int discs = board.CountDiscs(WHITE) + board.CountDiscs(BLACK);
        if (discs >= MIDGAME_MIN_DISCS && discs <= MIDGAME_MAX_DISCS)
            midgame.push_back(board);
    }
    std::int64_t legal = 0;
    for (auto _ : state) {
        for (CGameBoard& board : midgame) {
            for (int y = 0; y < BOARD_SIZE; ++y) {
                for (int x = 0; x < BOARD_SIZE; ++x)
                    legal += board.PutDisc(x, y, board.m_turn, 1) > 0;
            }
        }
        benchmark::DoNotOptimize(legal);
    }
    const std::int64_t squares =
        state.iterations() * static_cast<std::int64_t>(midgame.size()) * CELL_COUNT;
    state.SetItemsProcessed(squares);
    state.counters["positions"] = static_cast<double>(midgame.size());
    state.counters["legal/pos"] =
        static_cast<double>(legal) / static_cast<double>(state.iterations() * midgame.size());
}

void MoveTimings(benchmark::internal::Benchmark* b) {
    b->DenseRange(1, KIND_MAX_LEVEL)
        ->MinTime(MIN_SECONDS)
        ->Repetitions(REPETITIONS)
        ->DisplayAggregatesOnly()
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_ComputerMove)->Apply(MoveTimings);
BENCHMARK(BM_BaselineKernelMove)->Apply(MoveTimings);
BENCHMARK(BM_ReferenceMove)->Apply(MoveTimings);
BENCHMARK(BM_PutDiscScan)->Repetitions(REPETITIONS)->DisplayAggregatesOnly();

// The library's table, then what it cannot print: each level's mean move time for the three
// searches side by side, and their speed-ups over the 64-cell search.
class CSpeedUpReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal, as the library's own reporter does by default.
    CSpeedUpReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto mean = run.counters.find(MEAN_COUNTER);
            if (run.aggregate_name == "median" && mean != run.counters.end())
                m_meanMs[run.run_name.function_name][std::atoi(run.run_name.args.c_str())] =
                    1e3 * mean->second.value;
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nComputer move over %zu positions of one level-5 game, ms per move, medians"
                    "\n(program: the kernel this processor runs, %s)\n",
                    GamePositions().size(), ChosenSearchKernel().name);
        std::printf("level  program   baseline  64-cell   | speed-up program baseline\n");
        for (int level = 1; level <= KIND_MAX_LEVEL; ++level) {
            const double program = m_meanMs["BM_ComputerMove"][level];
            const double baseline = m_meanMs["BM_BaselineKernelMove"][level];
            const double reference = m_meanMs["BM_ReferenceMove"][level];
            if (program == 0 && baseline == 0 && reference == 0)
                continue; // left out by a filter
            std::printf("%-6d %-9.4f %-9.4f %-9.4f |", level, program, baseline, reference);
            if (reference > 0 && program > 0)
                std::printf(" %-7.2f", reference / program);
            if (reference > 0 && baseline > 0)
                std::printf(" %.2f", reference / baseline);
            std::printf("\n");
        }
    }

private:
    // Per benchmark function, per level; 0 where it did not run.
    std::map<std::string, std::array<double, KIND_MAX_LEVEL + 1>> m_meanMs;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    CSpeedUpReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
