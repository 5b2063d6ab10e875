#include "board_fixtures.h"

#include <gtest/gtest.h>

TEST(Turn, NewGameAndAlternation) {
    CGameBoard g;
    EXPECT_EQ(g.m_turn, WHITE);
    EXPECT_EQ(g.m_firstPlayer, 0);
    EXPECT_EQ(g.m_lastPlayer, 1);
    EXPECT_EQ(g.m_guide, 1);
    EXPECT_EQ(g.Play(BLACK, 4, 2), 1) << "the colour argument is ignored: white plays";
    EXPECT_EQ(g.GetCell(4, 2), WHITE);
    EXPECT_EQ(g.m_turn, BLACK);
    EXPECT_EQ(g.Play(WHITE, 0, 0), 0);
    EXPECT_EQ(g.m_turn, BLACK);

    g.m_firstPlayer = 3;
    g.m_guide = 0;
    g.NewGame();
    EXPECT_EQ(g.m_turn, WHITE);
    EXPECT_EQ(g.CountDiscs(EMPTY), 60);
    EXPECT_EQ(g.m_firstPlayer, 3) << "kinds and guide survive a new game";
    EXPECT_EQ(g.m_guide, 0);
}

TEST(Turn, PassesAndTheLastMove) {
    CGameBoard g;
    SetPosition(g, PASS_THEN_LAST_MOVE);
    // White takes (1, 0); black then has nothing to bracket, white still has (3, 7).
    EXPECT_EQ(g.Play(WHITE, 2, 0), 1);
    EXPECT_EQ(g.HasMove(BLACK), 0);
    EXPECT_EQ(g.m_turn, WHITE) << "black passes silently; white moves again";
    EXPECT_EQ(g.IsGameOver(), 0);

    // White takes the last black discs: neither side can move and the turn stays.
    EXPECT_EQ(g.Play(WHITE, 3, 7), 1);
    EXPECT_EQ(g.CountDiscs(BLACK), 0);
    EXPECT_EQ(g.m_turn, WHITE);
    EXPECT_EQ(g.IsGameOver(), 1);
    EXPECT_EQ(g.Play(WHITE, 4, 7), 0);
}

TEST(Turn, GameOverAndResultCounts) {
    CGameBoard g;
    for (int i = 0; i < CELL_COUNT; ++i)
        g.m_cell[i] = i < 32 ? WHITE : BLACK;
    EXPECT_EQ(g.IsGameOver(), 1);
    EXPECT_EQ(g.CountDiscs(WHITE), g.CountDiscs(BLACK));

    // One colour wiped out: no move for either side.
    for (int i = 0; i < CELL_COUNT; ++i)
        g.m_cell[i] = i < 20 ? WHITE : EMPTY;
    EXPECT_EQ(g.IsGameOver(), 1);

    g.NewGame();
    EXPECT_EQ(g.IsGameOver(), 0);

    // Only black can move (a black disc in the corner behind a white one): not over.
    const char* const onlyBlack[BOARD_SIZE] = {"BW......", "........", "........", "........",
                                               "........", "........", "........", "........"};
    SetPosition(g, onlyBlack);
    EXPECT_EQ(g.HasMove(WHITE), 0);
    EXPECT_EQ(g.IsGameOver(), 0);
}

TEST(Turn, AMoveInTheLastColumnOrRowCounts) {
    CBoard b;
    const char* const lastColumn[BOARD_SIZE] = {".....BW.", "........", "........", "........",
                                                "........", "........", "........", "........"};
    SetPosition(b, lastColumn);
    EXPECT_EQ(b.HasMove(BLACK), 1) << "black's only move is (7, 0)";
    const char* const lastRow[BOARD_SIZE] = {"........", "........", "........", "........",
                                             "........", "B.......", "W.......", "........"};
    SetPosition(b, lastRow);
    EXPECT_EQ(b.HasMove(BLACK), 1) << "black's only move is (0, 7)";
}

// Squares 51 wide and 36 high: a click finds its column by the width and its row by the height,
// on a square's first and last pixels alike.
TEST(Turn, ClicksOnANonSquareBoard) {
    constexpr int MARGIN = 4, WIDTH = 51, HEIGHT = 36;
    const int squares[][2] = {{4, 2}, {5, 3}, {2, 4}, {3, 5}}; // white's opening moves
    for (const auto& square : squares) {
        const int x = square[0], y = square[1];
        const POINT first = {MARGIN + x * WIDTH, MARGIN + y * HEIGHT};
        const POINT last = {MARGIN + (x + 1) * WIDTH - 1, MARGIN + (y + 1) * HEIGHT - 1};
        for (const POINT& click : {first, last}) {
            CGameBoard g;
            g.m_firstPlayer = g.m_lastPlayer = KIND_PERSON;
            g.SetBoardRect({0, 0, 420, 300});
            ASSERT_EQ(g.m_cellWidth, WIDTH);
            ASSERT_EQ(g.m_cellHeight, HEIGHT);
            EXPECT_EQ(g.PlayAtPoint(&click), 1) << "(" << click.x << ", " << click.y << ")";
            EXPECT_EQ(g.GetCell(x, y), WHITE) << "(" << click.x << ", " << click.y << ")";
        }
    }
    // One pixel past (3, 5) to the right or below is (4, 5) or (3, 6): neither is a move.
    CGameBoard g;
    g.m_firstPlayer = KIND_PERSON;
    g.SetBoardRect({0, 0, 420, 300});
    const POINT right = {MARGIN + 4 * WIDTH, MARGIN + 6 * HEIGHT - 1};
    const POINT below = {MARGIN + 4 * WIDTH - 1, MARGIN + 6 * HEIGHT};
    EXPECT_EQ(g.PlayAtPoint(&right), 0);
    EXPECT_EQ(g.PlayAtPoint(&below), 0);
    EXPECT_EQ(g.CountDiscs(EMPTY), 60);
}

TEST(Turn, PlayAtPointMapsClicksToSquares) {
    CGameBoard g;
    g.m_firstPlayer = 0;
    g.m_lastPlayer = 0;
    POINT off = {4 + 8 * 51, 100}; // just right of the grid: column 8
    EXPECT_EQ(g.PlayAtPoint(&off), 0);
    POINT occupied = {4 + 3 * 51 + 10, 4 + 3 * 51 + 10};
    EXPECT_EQ(g.PlayAtPoint(&occupied), 0);
    POINT illegal = {20, 20};
    EXPECT_EQ(g.PlayAtPoint(&illegal), 0);
    EXPECT_EQ(g.PlayAtPoint(nullptr), 0);

    // (4, 2) for white, clicked on its last pixel.
    POINT legal = {4 + 5 * 51 - 1, 4 + 3 * 51 - 1};
    EXPECT_EQ(g.PlayAtPoint(&legal), 1);
    EXPECT_EQ(g.GetCell(4, 2), WHITE);
    EXPECT_EQ(g.m_turn, BLACK);
    // Both persons: the next click plays for black.
    POINT black = {4 + 3 * 51 + 1, 4 + 2 * 51 + 1};
    EXPECT_EQ(g.PlayAtPoint(&black), 1);
    EXPECT_EQ(g.GetCell(3, 2), BLACK);
    EXPECT_EQ(g.m_turn, WHITE);
}

TEST(Turn, PlayAtPointRefusals) {
    CGameBoard g;
    POINT legal = {4 + 4 * 51 + 20, 4 + 2 * 51 + 20}; // (4, 2)

    g.m_firstPlayer = 2; // a computer is to move
    EXPECT_EQ(g.PlayAtPoint(&legal), 0);
    g.m_firstPlayer = -1; // neither a person nor a computer
    EXPECT_EQ(g.PlayAtPoint(&legal), 0);
    EXPECT_EQ(g.TryComputerMove(), 0);
    EXPECT_EQ(g.CountDiscs(EMPTY), 60);

    // Squares of no size: the click maps to nothing, with no division by zero.
    g.m_firstPlayer = 0;
    g.SetBoardRect({0, 0, 15, 420});
    POINT origin = {5, 5};
    EXPECT_EQ(g.PlayAtPoint(&origin), 0);
    g.SetBoardRect({0, 0, 420, 10});
    EXPECT_EQ(g.PlayAtPoint(&origin), 0);

    // The margin above and left of the grid belongs to row and column 0.
    g.SetBoardRect({0, 0, 420, 420});
    g.SetCell(0, 0, EMPTY);
    g.SetCell(1, 1, BLACK);
    g.SetCell(2, 2, WHITE);
    POINT margin = {2, 2};
    EXPECT_EQ(g.PlayAtPoint(&margin), 1);
    EXPECT_EQ(g.GetCell(0, 0), WHITE);
}
