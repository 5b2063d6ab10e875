// The search's kernels: the same recursion built for the baseline processor and, on x86, for
// processors with POPCNT, LZCNT, BMI1 and AVX2; the choice is made once, at run time.
#pragma once

#include <cstdint>

// One legal move of the side to move at the root, scored.
struct Candidate {
    int score; // the move's search value plus its square weight
    int x;
    int y;
};

// The position a search starts from: both sides' discs by colour (WHITE, BLACK), bit y * 8 + x;
// the squares a disc may still go to; the side whose discs every leaf counts.
struct SearchRoot {
    std::uint64_t disc[2];
    std::uint64_t open;
    int side;
};

// No position has more legal moves than there are squares.
constexpr int MAX_MOVES = 64;

struct SearchKernel {
    const char* name;
    // Fills out[0 .. n) with every legal move of `colour` in scan order and its score, and
    // returns n (at most MAX_MOVES); `weight` is the board's square weights, column by column
    // (x * 8 + y).
    int (*scoreMoves)(const SearchRoot& root, const int* weight, int depth, int colour,
                      Candidate* out, std::int64_t* nodes);
    // The value for root.side with `colour` to move and `rest` plies to go in a search of
    // `depth` plies; `colour` must be WHITE or BLACK.
    int (*search)(const SearchRoot& root, int depth, int rest, int colour, int alpha, int beta,
                  std::int64_t* nodes);
};

extern const SearchKernel BASELINE_SEARCH_KERNEL;
#if MILDA_HAS_FAST_SEARCH_KERNEL
extern const SearchKernel FAST_SEARCH_KERNEL;
#endif

// The fastest kernel this processor runs.
const SearchKernel& ChosenSearchKernel();

// Every kernel this processor runs, baseline first; `count` receives how many.
const SearchKernel* const* RunnableSearchKernels(int* count);
