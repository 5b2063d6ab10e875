#include "board_fixtures.h"
#include "golden_transcripts.h"

#include "ai/random.h"
#include "ai/search.h"
#include "game/wait_cursor.h"
#include "tools/match_runner.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

// Replays from the generator's first state and puts the process state back afterwards.
class ComputerTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_saved = GetRandomState();
        SetRandomState(RANDOM_INITIAL_STATE);
    }
    void TearDown() override { SetRandomState(m_saved); }

private:
    std::uint32_t m_saved = 0;
};

// A state whose next draw r has r % k == wanted.
std::uint32_t StateDrawing(int wanted, int k) {
    for (std::uint32_t s = 0;; ++s) {
        SetRandomState(s);
        if (NextRandom() % k == wanted)
            return s;
    }
}

std::string g_cursorCalls;
const wait_cursor::Ops RECORDING_CURSOR = {
    [] { g_cursorCalls += 'B'; }, [] { g_cursorCalls += 'R'; }, [] { g_cursorCalls += 'E'; }};

class CursorScope {
public:
    CursorScope() {
        g_cursorCalls.clear();
        wait_cursor::Install(&RECORDING_CURSOR);
    }
    ~CursorScope() { wait_cursor::Install(nullptr); }
};

} // namespace

TEST_F(ComputerTest, GeneratorSequenceFromTheFirstState) {
    const int expected[] = {41, 18467, 6334, 26500, 19169};
    for (int r : expected)
        EXPECT_EQ(NextRandom(), r);
    SetRandomState(0xFFFFFFFFu);
    const int r = NextRandom();
    EXPECT_GE(r, 0);
    EXPECT_LE(r, 32767);
}

TEST_F(ComputerTest, SquareWeights) {
    CGameBoard g;
    const int row0[8] = {5, -4, 4, 3, 3, 4, -4, 5};
    const int row1[8] = {-4, -5, -2, -1, -1, -2, -5, -4};
    const int row3[8] = {3, -1, 1, 0, 0, 1, -1, 3};
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(g.m_weight[CellIndex(x, 0)], row0[x]);
        EXPECT_EQ(g.m_weight[CellIndex(x, 1)], row1[x]);
        EXPECT_EQ(g.m_weight[CellIndex(x, 3)], row3[x]);
        for (int y = 0; y < 8; ++y) {
            EXPECT_EQ(g.m_weight[CellIndex(x, y)], g.m_weight[CellIndex(y, x)]);
            EXPECT_EQ(g.m_weight[CellIndex(x, y)], g.m_weight[CellIndex(7 - x, 7 - y)]);
        }
    }
}

TEST_F(ComputerTest, OpeningScoresAndTieBreakAtEveryLevel) {
    const int rootScore[5] = {4, 6, 4, 7, 5};
    const int squares[4][2] = {{4, 2}, {5, 3}, {2, 4}, {3, 5}};
    for (int level = 1; level <= 5; ++level) {
        SCOPED_TRACE(level);
        const int depth = SearchDepthForKind(level);
        CGameBoard g;
        // The first root move, searched with open bounds, as the root does.
        ASSERT_EQ(g.CBoard::Play(WHITE, 4, 2), 1);
        EXPECT_EQ(g.Search(depth, depth - 1, BLACK, -SCORE_INFINITY, SCORE_INFINITY) +
                      g.m_weight[CellIndex(4, 2)],
                  rootScore[level - 1]);

        // All four moves tie, in scan order: draw i picks the i-th of them.
        for (int i = 0; i < 4; ++i) {
            CGameBoard fresh;
            SetRandomState(StateDrawing(i, 4));
            int x = -1;
            int y = -1;
            fresh.ChooseMove(depth, WHITE, &x, &y);
            EXPECT_EQ(x, squares[i][0]);
            EXPECT_EQ(y, squares[i][1]);
        }
    }

    // A fresh generator draws 41 first: 41 mod 4 = 1, the square (5, 3).
    SetRandomState(RANDOM_INITIAL_STATE);
    CGameBoard g;
    g.m_firstPlayer = 1;
    EXPECT_EQ(g.TryComputerMove(), 1);
    EXPECT_EQ(g.GetCell(5, 3), WHITE);
    EXPECT_EQ(g.m_turn, BLACK);
}

TEST_F(ComputerTest, ChooseMoveLeavesTheBoardAndDrawsOncePerChoice) {
    CGameBoard g;
    ASSERT_EQ(g.Play(WHITE, 4, 2), 1);
    const std::string before = Cells(g);
    const int turn = g.m_turn;
    const std::uint32_t state = GetRandomState();
    int x = 10;
    int y = 10;
    g.ChooseMove(4, BLACK, &x, &y);
    EXPECT_EQ(Cells(g), before);
    EXPECT_EQ(g.m_turn, turn);
    EXPECT_TRUE(OnBoard(x, y));
    const std::uint32_t after = GetRandomState();
    SetRandomState(state);
    NextRandom();
    EXPECT_EQ(GetRandomState(), after) << "one draw per choice";

    // Exactly one legal move: played after the search, one number drawn all the same.
    SetPosition(g, ONE_MOVE_LEFT);
    SetRandomState(RANDOM_INITIAL_STATE);
    g.ChooseMove(6, WHITE, &x, &y);
    EXPECT_EQ(x, 2);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(NextRandom(), 18467) << "exactly one draw (41) was used";

    // No legal move: nothing written, nothing drawn.
    SetPosition(g, ONE_MOVE_LEFT);
    SetRandomState(RANDOM_INITIAL_STATE);
    x = 77;
    y = 88;
    g.ChooseMove(3, BLACK, &x, &y);
    EXPECT_EQ(x, 77);
    EXPECT_EQ(y, 88);
    EXPECT_EQ(NextRandom(), 41);
}

TEST_F(ComputerTest, PassesAndGameEndInsideTheSearch) {
    // White's (2, 0) ends the game at once: worth white's disc count, whatever depth remains.
    CGameBoard g;
    SetPosition(g, ONE_MOVE_LEFT);
    ASSERT_EQ(g.CBoard::Play(WHITE, 2, 0), 1);
    EXPECT_EQ(g.Search(6, 5, BLACK, -SCORE_INFINITY, SCORE_INFINITY), 3);

    // Black must pass after white's move: at depth 2 the pass uses up the last ply, so the value
    // is white's count right after the move, although white could move again.
    SetPosition(g, PASS_THEN_LAST_MOVE);
    ASSERT_EQ(g.CBoard::Play(WHITE, 2, 0), 1);
    const std::string afterMove = Cells(g);
    EXPECT_EQ(g.Search(2, 1, BLACK, -SCORE_INFINITY, SCORE_INFINITY), 4);
    // One ply deeper, white's second move (3, 7) is searched after the pass: 4 + 2 + 1.
    EXPECT_EQ(g.Search(3, 2, BLACK, -SCORE_INFINITY, SCORE_INFINITY), 7);
    EXPECT_EQ(Cells(g), afterMove) << "the search restores the cells";
}

TEST_F(ComputerTest, KindsAndTheWaitCursor) {
    CursorScope cursor;
    CGameBoard g;

    const std::string opening = Cells(g);
    g.m_firstPlayer = 0;
    EXPECT_EQ(g.TryComputerMove(), 0);
    EXPECT_EQ(g.ComputerMove(), 0) << "a person's side is never moved by the computer";
    g.m_firstPlayer = -3;
    EXPECT_EQ(g.TryComputerMove(), 0);
    EXPECT_EQ(g.ComputerMove(), 0);
    EXPECT_EQ(g_cursorCalls, "") << "no cursor for a person or a negative kind";
    EXPECT_EQ(GetRandomState(), RANDOM_INITIAL_STATE);
    EXPECT_EQ(Cells(g), opening);
    EXPECT_EQ(g.m_turn, WHITE);

    g.m_firstPlayer = 2;
    EXPECT_EQ(g.TryComputerMove(), 1);
    EXPECT_EQ(g_cursorCalls, "BRE");

    // Game over with a computer to move: cursor shown and ended, nothing played.
    for (int& c : g.m_cell)
        c = WHITE;
    g_cursorCalls.clear();
    EXPECT_EQ(g.TryComputerMove(), 0);
    EXPECT_EQ(g_cursorCalls, "BRE");
    EXPECT_EQ(g.CountDiscs(WHITE), 64);
}

TEST_F(ComputerTest, KindsAboveFivePlayAWholeGameAsLevelFive) {
    // Levels 4 and 5 agree on the first moves of this game, so only a whole game tells them
    // apart.
    std::ostringstream out;
    RunMatch(6, 1000000, 1, out);
    EXPECT_EQ(out.str(), GOLDEN_TRANSCRIPTS[KIND_MAX_LEVEL - 1]);
}
