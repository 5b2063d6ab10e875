// What a search starts from (SearchRoot) and gives back (Candidate), and its kernels: the same
// recursion built for the baseline processor and, on x86, for processors with POPCNT, LZCNT,
// BMI1 and AVX2; the choice is made once, at run time.
#pragma once

#include <cstdint>

// The two sides, by the numbers the game gives them; the search indexes its disc masks by them.
constexpr int SEARCH_SIDES = 2;
constexpr bool IsSearchColour(int colour) { return colour == 0 || colour == 1; }

constexpr int SEARCH_SQUARES = 64;

// Square (x, y) is bit y * 8 + x: taking set bits from the lowest upward visits squares in scan
// order, rows top to bottom, columns left to right. Every mask and array of the search uses it.
// Internal linkage, as everything the kernels share (see bitboard.h).
namespace {
constexpr int SquareOf(int x, int y) { return y * 8 + x; }
} // namespace

// One legal move of the side to move at the root, scored.
struct Candidate {
    int score; // the move's search value plus its square weight
    int x;
    int y;
};

// The position a search starts from: both sides' discs by colour; the squares a disc may still
// go to; the side whose discs every leaf counts (a colour); each square's weight, which the
// root adds to a move's value.
struct SearchRoot {
    std::uint64_t disc[SEARCH_SIDES];
    std::uint64_t open;
    int side;
    int weight[SEARCH_SQUARES];
};

// No position has more legal moves than there are squares.
constexpr int MAX_MOVES = SEARCH_SQUARES;

struct SearchKernel {
    const char* name;
    // Fills out[0 .. n) with every legal move of `colour` in scan order and its score, and
    // returns n (at most MAX_MOVES).
    int (*scoreMoves)(const SearchRoot& root, int depth, int colour, Candidate* out,
                      std::int64_t* nodes);
    // The value for root.side with `colour` to move and `rest` plies to go in a search of
    // `depth` plies; `colour` must be a colour.
    int (*search)(const SearchRoot& root, int depth, int rest, int colour, int alpha, int beta,
                  std::int64_t* nodes);
};

extern const SearchKernel BASELINE_SEARCH_KERNEL;
#if MILDA_HAS_FAST_SEARCH_KERNEL
extern const SearchKernel FAST_SEARCH_KERNEL;
#endif

// What the processor (CPUID) and the operating system (XCR0) answer, in the registers that hold
// the fast kernel's needs. A leaf the processor lacks reads as 0, as does XCR0 where the system
// has not enabled reading it (OSXSAVE clear).
struct ProcessorAnswers {
    std::uint32_t leaf1Ecx; // CPUID 1: ECX
    std::uint32_t ext1Ecx;  // CPUID 0x80000001: ECX
    std::uint32_t leaf7Ebx; // CPUID 7, subleaf 0: EBX
    std::uint64_t xcr0;     // XGETBV 0
};

// Whether the fast kernel may run: the processor has POPCNT, LZCNT, BMI1 and AVX2, and the
// system saves the AVX registers (OSXSAVE, and XCR0 with both the SSE and the AVX state). A
// system that does not (Windows XP, Windows 7 before SP1) would fault on the first AVX2 move.
bool FastSearchKernelRuns(const ProcessorAnswers& answers);

// The fastest kernel this processor runs.
const SearchKernel& ChosenSearchKernel();

// Every kernel this processor runs, baseline first; `count` receives how many.
const SearchKernel* const* RunnableSearchKernels(int* count);
