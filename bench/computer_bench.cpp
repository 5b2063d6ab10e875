// Computer move timings per level over the positions of one fixed game, side by side with the
// straightforward 64-cell search that makes the same choices, and the move-rule scan rate.
#include "ai/bitboard_search.h"
#include "ai/random.h"
#include "ai/search.h"
#include "game/game_board.h"
#include "tests/unit/reference_search.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Discs on the board for a position to count as mid-game in the move-rule scan.
constexpr int MIDGAME_MIN_DISCS = 20;
constexpr int MIDGAME_MAX_DISCS = 44;

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

struct LevelFigures {
    bool measured = false;
    double meanMs = 0;
    double worstMs = 0;
    double nodesPerMove = 0;
    double nodesPerSecond = 0;
};

LevelFigures g_production[KIND_MAX_LEVEL + 1];
LevelFigures g_baseline[KIND_MAX_LEVEL + 1];
LevelFigures g_reference[KIND_MAX_LEVEL + 1];

// Nodes over the whole game, counted once and outside any timing.
template <typename Count> std::int64_t NodesPerGame(std::int64_t& cached, Count count) {
    if (cached == 0) {
        for (const CGameBoard& position : GamePositions())
            cached += count(position);
    }
    return cached;
}

// Times `move` on every position separately. The worst figure is the slowest position's mean, so
// that one preempted run does not stand for a position.
template <typename Move>
void TimeMoves(benchmark::State& state, LevelFigures& figures, std::int64_t nodesPerGame,
               Move move) {
    const std::vector<CGameBoard>& positions = GamePositions();
    std::vector<double> seconds(positions.size());
    for (auto _ : state) {
        for (size_t i = 0; i < positions.size(); ++i) {
            const Clock::time_point start = Clock::now();
            move(positions[i]);
            seconds[i] += std::chrono::duration<double>(Clock::now() - start).count();
        }
    }
    const double iterations = static_cast<double>(state.iterations());
    const double moves = iterations * static_cast<double>(positions.size());
    const double totalSeconds = std::accumulate(seconds.begin(), seconds.end(), 0.0);
    const double worstSeconds = *std::max_element(seconds.begin(), seconds.end()) / iterations;
    const double nodes = static_cast<double>(nodesPerGame);
    figures = {true, 1e3 * totalSeconds / moves, 1e3 * worstSeconds,
               nodes / static_cast<double>(positions.size()), nodes * iterations / totalSeconds};
    state.SetItemsProcessed(static_cast<std::int64_t>(moves));
    state.counters["mean_s"] = totalSeconds / moves;
    state.counters["worst_s"] = worstSeconds;
    state.counters["nodes/s"] = figures.nodesPerSecond;
}

// Nodes of one level's moves over the game with `Search`, made from each position and `args`.
template <typename Search, typename... Args>
std::int64_t SearchNodes(int level, const Args&... args) {
    static std::int64_t counted[KIND_MAX_LEVEL + 1];
    const int depth = SearchDepthForKind(level);
    return NodesPerGame(counted[level], [&](const CGameBoard& position) {
        Search search(position, args...);
        search.ScoreMoves(depth, position.m_turn);
        return search.Nodes();
    });
}

// The program's own move choice, with the kernel this processor runs.
void BM_ComputerMove(benchmark::State& state) {
    const int level = static_cast<int>(state.range(0));
    const int depth = SearchDepthForKind(level);
    const std::int64_t nodes = SearchNodes<CBitboardSearch>(level);
    TimeMoves(state, g_production[level], nodes, [depth](const CGameBoard& position) {
        CGameBoard board(position);
        int x = NO_MOVE_SQUARE;
        int y = NO_MOVE_SQUARE;
        board.ChooseMove(depth, board.m_turn, &x, &y);
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
    });
}

// A move chosen the program's way (every move scored, one draw among the best) with `Search`.
template <typename Search, typename... Args>
void TimeSearchMoves(benchmark::State& state, LevelFigures* figures, const Args&... args) {
    const int level = static_cast<int>(state.range(0));
    const int depth = SearchDepthForKind(level);
    const std::int64_t nodes = SearchNodes<Search>(level, args...);
    TimeMoves(state, figures[level], nodes, [&](const CGameBoard& position) {
        Search search(position, args...);
        int x = NO_MOVE_SQUARE;
        int y = NO_MOVE_SQUARE;
        CReferenceSearch::Choose(search.ScoreMoves(depth, position.m_turn), &x, &y);
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
    });
}

// The same search built for the baseline processor, whatever this one runs.
void BM_BaselineKernelMove(benchmark::State& state) {
    TimeSearchMoves<CBitboardSearch>(state, g_baseline, BASELINE_SEARCH_KERNEL);
}

void BM_ReferenceMove(benchmark::State& state) {
    TimeSearchMoves<CReferenceSearch>(state, g_reference);
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

BENCHMARK(BM_ComputerMove)
    ->DenseRange(1, KIND_MAX_LEVEL)
    ->MinTime(2.0)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineKernelMove)
    ->DenseRange(1, KIND_MAX_LEVEL)
    ->MinTime(2.0)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceMove)
    ->DenseRange(1, KIND_MAX_LEVEL)
    ->MinTime(2.0)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PutDiscScan);

void PrintFigures(const LevelFigures& f) {
    if (f.measured)
        std::printf(" %-7.4f %-7.3f %-8.3g |", f.meanMs, f.worstMs, f.nodesPerSecond);
    else
        std::printf(" %-24s |", "(not run)");
}

void PrintSummary() {
    std::printf("\nComputer move over %zu positions of one level-5 game: ms per move, trial moves "
                "per second\n(program: the kernel this processor runs, %s)\n",
                GamePositions().size(), ChosenSearchKernel().name);
    std::printf("level nodes/move | program: mean  worst  nodes/s  | baseline: mean worst  "
                "nodes/s  | 64-cell: mean  worst  nodes/s  | speed-up program baseline\n");
    for (int level = 1; level <= KIND_MAX_LEVEL; ++level) {
        const LevelFigures& p = g_production[level];
        const LevelFigures& b = g_baseline[level];
        const LevelFigures& r = g_reference[level];
        const double nodesPerMove = p.measured ? p.nodesPerMove : r.nodesPerMove;
        if (!p.measured && !b.measured && !r.measured)
            continue;
        std::printf("%-5d %-10.0f |", level, nodesPerMove);
        PrintFigures(p);
        PrintFigures(b);
        PrintFigures(r);
        if (r.measured && p.measured)
            std::printf(" %-7.2f", r.meanMs / p.meanMs);
        if (r.measured && b.measured)
            std::printf(" %.2f", r.meanMs / b.meanMs);
        std::printf("\n");
    }
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintSummary();
    return 0;
}
