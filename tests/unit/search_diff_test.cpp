// The bitboard search against the straightforward 64-cell search on many random positions: every
// root score, the chosen square and the draw, and direct searches with random node type, rest and
// bounds. MILDA_SEARCH_SEED=n replays a run; the seed is printed with every failure.
#include "ai/bitboard_search.h"
#include "ai/random.h"
#include "ai/search.h"
#include "game/computer_player.h"
#include "tests/reference/reference_search.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace {

constexpr std::uint32_t DEFAULT_SEED = 20261208;
constexpr int PLAYOUT_POSITIONS = 100;
constexpr int PASS_POSITIONS = 20;
constexpr int SCATTERED_POSITIONS = 40;
constexpr int POSITIONS = PLAYOUT_POSITIONS + PASS_POSITIONS + SCATTERED_POSITIONS;
constexpr int MAX_SHALLOW_DEPTH = 5; // every position, both sides
constexpr int MAX_DEPTH = 7;         // a few positions only: the oracle is slow there
constexpr int DEEP_EVERY = 10;       // every n-th position also goes to depths 6 and 7
constexpr int SEARCHES_PER_POSITION = 6;
constexpr int FEW_EMPTIES = 10;
constexpr int BOUND_SPREAD = 4;

std::uint32_t Seed() {
    const char* text = std::getenv("MILDA_SEARCH_SEED");
    return text != nullptr ? static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10))
                           : DEFAULT_SEED;
}

int Empties(const CGameBoard& b) {
    int n = 0;
    for (int c : b.m_cell)
        n += c == EMPTY;
    return n;
}

// A random legal game from the opening, `plies` long or to its end; a side without a move passes.
// With `toPass`, it stops instead at the first position whose side to move must pass.
CGameBoard Playout(std::mt19937& rng, int plies, bool toPass) {
    CGameBoard b;
    for (int i = 0; i < plies; ++i) {
        std::vector<int> moves;
        for (int s = 0; s < CELL_COUNT; ++s) {
            if (b.PutDisc(s % BOARD_SIZE, s / BOARD_SIZE, b.m_turn, 1) > 0)
                moves.push_back(s);
        }
        if (moves.empty()) {
            if (toPass || !b.HasMove(Opponent(b.m_turn)))
                break;
            b.m_turn = Opponent(b.m_turn);
            continue;
        }
        const int s = moves[std::uniform_int_distribution<size_t>(0, moves.size() - 1)(rng)];
        b.CBoard::Play(b.m_turn, s % BOARD_SIZE, s / BOARD_SIZE);
        b.m_turn = Opponent(b.m_turn);
    }
    return b;
}

// A position from a random game where the side to move must pass while the other can move.
CGameBoard MustPass(std::mt19937& rng) {
    for (;;) {
        CGameBoard b = Playout(rng, CELL_COUNT, true);
        if (!b.HasMove(b.m_turn) && b.HasMove(Opponent(b.m_turn)))
            return b;
    }
}

// Discs scattered at random: blocked sides, runs against every edge, few or many empties.
CGameBoard Scattered(std::mt19937& rng) {
    CGameBoard b;
    const int emptyPercent = std::uniform_int_distribution<int>(3, 60)(rng);
    std::uniform_int_distribution<int> percent(0, 99);
    for (int& c : b.m_cell)
        c = percent(rng) < emptyPercent ? EMPTY : percent(rng) % 2;
    return b;
}

std::string Describe(const CGameBoard& b, std::uint32_t seed, int index) {
    std::string s = "seed " + std::to_string(seed) + ", position " + std::to_string(index) +
                    ", m_turn " + std::to_string(b.m_turn) + "\n";
    for (int y = 0; y < BOARD_SIZE; ++y) {
        for (int x = 0; x < BOARD_SIZE; ++x) {
            const int c = b.m_cell[CellIndex(x, y)];
            s += c == WHITE ? 'W' : c == BLACK ? 'B' : '.';
        }
        s += '\n';
    }
    return s;
}

// Each kernel this processor runs is checked, not only the one the program picks.
std::vector<const SearchKernel*> Kernels() {
    int count = 0;
    const SearchKernel* const* kernels = RunnableSearchKernels(&count);
    return std::vector<const SearchKernel*>(kernels, kernels + count);
}

struct Coverage {
    int positions = 0;
    int mustPass = 0;
    int finished = 0;
    int fewEmpties = 0;
    int choices = 0;
    int searches = 0;
};

// Both ways of choosing from the same generator state: same square, same draws, board untouched.
void CompareChoice(CGameBoard& b, int depth, int colour) {
    CReferenceSearch reference(b);
    const std::vector<Candidate> expected = reference.ScoreMoves(depth, colour);
    for (const SearchKernel* kernel : Kernels()) {
        const auto actual = CBitboardSearch(SearchRootOf(b), *kernel).ScoreMoves(depth, colour);
        ASSERT_EQ(actual.size(), expected.size()) << kernel->name << " depth " << depth;
        for (size_t i = 0; i < expected.size(); ++i) {
            ASSERT_EQ(actual[i].x, expected[i].x);
            ASSERT_EQ(actual[i].y, expected[i].y);
            ASSERT_EQ(actual[i].score, expected[i].score)
                << kernel->name << " depth " << depth << " colour " << colour << " move ("
                << expected[i].x << "," << expected[i].y << ")";
        }
    }

    const std::uint32_t state = GetRandomState();
    int ex = NO_MOVE_SQUARE, ey = NO_MOVE_SQUARE;
    CReferenceSearch::Choose(expected, &ex, &ey);
    const std::uint32_t expectedState = GetRandomState();
    SetRandomState(state);
    int cells[CELL_COUNT];
    std::memcpy(cells, b.m_cell, sizeof(cells));
    const int turn = b.m_turn;
    int x = NO_MOVE_SQUARE, y = NO_MOVE_SQUARE;
    b.ChooseMove(depth, colour, &x, &y);
    EXPECT_EQ(x, ex) << "depth " << depth << " colour " << colour;
    EXPECT_EQ(y, ey) << "depth " << depth << " colour " << colour;
    EXPECT_EQ(GetRandomState(), expectedState) << "draws differ at depth " << depth;
    EXPECT_EQ(std::memcmp(cells, b.m_cell, sizeof(cells)), 0);
    EXPECT_EQ(b.m_turn, turn);
}

// Open, or near the node's own value, where children's values meet the bound and ties decide.
int RandomBound(std::mt19937& rng, int value) {
    switch (std::uniform_int_distribution<int>(0, 3)(rng)) {
    case 0:
        return -SCORE_INFINITY;
    case 1:
        return SCORE_INFINITY;
    default:
        return value + std::uniform_int_distribution<int>(-BOUND_SPREAD, BOUND_SPREAD)(rng);
    }
}

} // namespace

TEST(BitboardSearch, MatchesTheCellSearchOnRandomPositions) {
    const std::uint32_t seed = Seed();
    std::mt19937 rng(seed);
    const std::uint32_t savedState = GetRandomState();
    Coverage seen;
    for (int index = 0; index < POSITIONS; ++index) {
        CGameBoard b;
        if (index < PLAYOUT_POSITIONS) {
            b = Playout(rng, std::uniform_int_distribution<int>(0, CELL_COUNT)(rng), false);
        } else if (index < PLAYOUT_POSITIONS + PASS_POSITIONS) {
            b = MustPass(rng);
        } else {
            b = Scattered(rng);
            b.m_turn = std::uniform_int_distribution<int>(WHITE, BLACK)(rng);
        }
        SCOPED_TRACE(Describe(b, seed, index));
        SetRandomState(static_cast<std::uint32_t>(rng()));

        ++seen.positions;
        seen.mustPass += !b.HasMove(b.m_turn) && b.HasMove(Opponent(b.m_turn));
        seen.finished += b.IsGameOver();
        seen.fewEmpties += Empties(b) <= FEW_EMPTIES;

        const int maxDepth = index % DEEP_EVERY == 0 ? MAX_DEPTH : MAX_SHALLOW_DEPTH;
        for (int depth = 1; depth <= maxDepth; ++depth) {
            for (int colour : {WHITE, BLACK}) {
                CompareChoice(b, depth, colour);
                ++seen.choices;
                if (HasFatalFailure()) {
                    SetRandomState(savedState);
                    return;
                }
            }
        }

        for (int i = 0; i < SEARCHES_PER_POSITION; ++i) {
            const int depth = std::uniform_int_distribution<int>(1, MAX_SHALLOW_DEPTH + 1)(rng);
            const int rest = std::uniform_int_distribution<int>(0, depth)(rng);
            const int colour = std::uniform_int_distribution<int>(WHITE, BLACK)(rng);
            const int open =
                CReferenceSearch(b).Search(depth, rest, colour, -SCORE_INFINITY, SCORE_INFINITY);
            const int alpha = RandomBound(rng, open);
            const int beta = RandomBound(rng, open);
            const int expected = CReferenceSearch(b).Search(depth, rest, colour, alpha, beta);
            for (const SearchKernel* kernel : Kernels()) {
                CBitboardSearch search(SearchRootOf(b), *kernel);
                ASSERT_EQ(search.Search(depth, rest, colour, alpha, beta), expected)
                    << kernel->name << " Search(" << depth << ", " << rest << ", " << colour << ", "
                    << alpha << ", " << beta << ")";
            }
            ++seen.searches;
        }
    }
    SetRandomState(savedState);
    // The generators must keep producing the awkward cases, or the comparison proves less.
    EXPECT_GT(seen.mustPass, 0);
    EXPECT_GT(seen.finished, 0);
    EXPECT_GT(seen.fewEmpties, 0);
    std::printf(
        "kernels: %zu; seed %u: %d positions (%d must pass, %d finished, %d with few empties), %d "
        "choices, %d direct searches\n",
        Kernels().size(), seed, seen.positions, seen.mustPass, seen.finished, seen.fewEmpties,
        seen.choices, seen.searches);
}

// Which kernel a processor gets. Bit numbers are the processor manuals': POPCNT and OSXSAVE in
// leaf 1, LZCNT in 0x80000001, BMI1 and AVX2 in leaf 7, the SSE and AVX state in XCR0.
TEST(KernelChoice, FastOnlyWhereTheProcessorAndTheSystemAnswerEveryNeed) {
    const ProcessorAnswers haswell = {0x7FFAFBBFu, 0x00000121u, 0x000027ABu, 0x7}; // with others
    const ProcessorAnswers bare = {(1u << 23) | (1u << 27), 1u << 5, (1u << 3) | (1u << 5), 0x6};
    EXPECT_TRUE(FastSearchKernelRuns(haswell));
    EXPECT_TRUE(FastSearchKernelRuns(bare));
    const struct {
        const char* missing;
        decltype(&ProcessorAnswers::leaf1Ecx) word;
        std::uint32_t bit;
    } needs[] = {{"POPCNT", &ProcessorAnswers::leaf1Ecx, 1u << 23},
                 {"OSXSAVE", &ProcessorAnswers::leaf1Ecx, 1u << 27},
                 {"LZCNT", &ProcessorAnswers::ext1Ecx, 1u << 5},
                 {"BMI1", &ProcessorAnswers::leaf7Ebx, 1u << 3},
                 {"AVX2", &ProcessorAnswers::leaf7Ebx, 1u << 5}};
    for (const ProcessorAnswers& all : {haswell, bare}) {
        for (const auto& need : needs) {
            ProcessorAnswers without = all;
            without.*need.word &= ~need.bit;
            EXPECT_FALSE(FastSearchKernelRuns(without)) << "without " << need.missing;
        }
        for (const std::uint64_t state : {2u, 4u}) {
            ProcessorAnswers without = all;
            without.xcr0 &= ~state;
            EXPECT_FALSE(FastSearchKernelRuns(without)) << "without XCR0 bit " << state;
        }
    }
}

#if MILDA_HAS_FAST_SEARCH_KERNEL
// The program's own reading against the compiler's, on the machine that runs the test; libgcc's
// "avx2" includes the system's saving of the AVX state (XCR0).
TEST(KernelChoice, FastHereExactlyWhereTheCompilersRunTimeCheckFindsEveryNeed) {
    __builtin_cpu_init();
    const bool needs = __builtin_cpu_supports("popcnt") && __builtin_cpu_supports("lzcnt") &&
                       __builtin_cpu_supports("bmi") && __builtin_cpu_supports("avx2");
    EXPECT_EQ(&ChosenSearchKernel() == &FAST_SEARCH_KERNEL, needs) << ChosenSearchKernel().name;
}
#endif
