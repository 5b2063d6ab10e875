#include "board_fixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

namespace {

std::vector<std::pair<int, int>> LegalSquares(CBoard& b, int color) {
    std::vector<std::pair<int, int>> squares;
    for (int y = 0; y < BOARD_SIZE; ++y)
        for (int x = 0; x < BOARD_SIZE; ++x)
            if (b.PutDisc(x, y, color, 1) > 0)
                squares.emplace_back(x, y);
    return squares;
}

} // namespace

TEST(Board, StartingPositionAndConstruction) {
    CBoard b;
    EXPECT_EQ(b.GetCell(3, 3), WHITE);
    EXPECT_EQ(b.GetCell(4, 4), WHITE);
    EXPECT_EQ(b.GetCell(4, 3), BLACK);
    EXPECT_EQ(b.GetCell(3, 4), BLACK);
    EXPECT_EQ(b.m_cell[4 * 8 + 3], BLACK); // column-major storage
    EXPECT_EQ(b.CountDiscs(EMPTY), 60);
    EXPECT_EQ(b.CountDiscs(WHITE), 2);
    EXPECT_EQ(b.CountDiscs(BLACK), 2);
    EXPECT_EQ(b.m_cellWidth, 51);
    EXPECT_EQ(b.m_cellHeight, 51);
    EXPECT_EQ(b.m_boardRect.right, 420);
    EXPECT_EQ(b.m_margin.left, 4);
    EXPECT_EQ(b.GetBlackColor(), RGB(0, 0, 100));
    EXPECT_EQ(b.GetBoardColor(), RGB(180, 180, 180));

    const std::vector<std::pair<int, int>> white = {{4, 2}, {5, 3}, {2, 4}, {3, 5}};
    const std::vector<std::pair<int, int>> black = {{3, 2}, {2, 3}, {5, 4}, {4, 5}};
    EXPECT_EQ(LegalSquares(b, WHITE), white);
    EXPECT_EQ(LegalSquares(b, BLACK), black);
    for (auto [x, y] : white)
        EXPECT_EQ(b.PutDisc(x, y, WHITE, 1), 1);
}

TEST(Board, MoveRuleTurnsEveryBracketedRunAndNothingElse) {
    CBoard b;
    const char* rows[8] = {
        "W.......", //
        ".B......", //
        "..B.....", //
        "...BBBBW", // a run of four to the right
        "..BB....", //
        ".B.B....", //
        "W..B....", //
        "...W....", //
    };
    SetPosition(b, rows);
    const std::string before = Cells(b);
    // From (2, 3) only the run to the right is bracketed; the runs down and down-right end at
    // empty squares.
    EXPECT_EQ(b.PutDisc(2, 3, WHITE, 1), 4);
    EXPECT_EQ(Cells(b), before) << "test mode must not change the board";
    // (3, 3) is occupied even though runs around it would be bracketed.
    EXPECT_EQ(b.PutDisc(3, 3, WHITE, 0), 0);

    // (3, 3) cleared: up-left diagonal (2,2),(1,1) to W (0,0); down (3,4),(3,5),(3,6) to W (3,7);
    // right (4..6,3) to W (7,3); down-left (2,4),(1,5) to W (0,6). Three runs plus one.
    b.SetCell(3, 3, EMPTY);
    const int tested = b.PutDisc(3, 3, WHITE, 1);
    EXPECT_EQ(tested, 2 + 3 + 3 + 2);
    EXPECT_EQ(b.PutDisc(3, 3, WHITE, 0), tested);
    EXPECT_EQ(b.CountDiscs(BLACK), 0);
    EXPECT_EQ(b.GetCell(3, 3), WHITE);
}

TEST(Board, RunsWithoutABracketingDiscStay) {
    CBoard b;
    const char* rows[8] = {
        "........", //
        "........", //
        "........", //
        ".BBBBBB.", // run to the edge: nothing behind it
        ".W......", // own disc adjacent below: brackets nothing
        ".BB.....", //
        "........", //
        "........", //
    };
    SetPosition(b, rows);
    EXPECT_EQ(b.PutDisc(0, 3, WHITE, 1), 0);
    // A run ending at an empty square.
    EXPECT_EQ(b.PutDisc(0, 5, WHITE, 0), 0);
    EXPECT_EQ(b.GetCell(0, 5), EMPTY) << "an illegal move leaves the square empty";
    // A run of six turned whole.
    b.SetCell(7, 3, WHITE);
    EXPECT_EQ(b.PutDisc(0, 3, WHITE, 0), 6);
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(b.GetCell(x, 3), WHITE);
}

TEST(Board, BadInputChangesNothing) {
    CBoard b;
    const std::string before = Cells(b);
    EXPECT_EQ(b.PutDisc(8, 0, WHITE, 0), 0);
    EXPECT_EQ(b.PutDisc(0, -1, WHITE, 0), 0);
    EXPECT_EQ(b.PutDisc(4, 2, 2, 0), 0);
    EXPECT_EQ(b.PutDisc(4, 2, EMPTY, 0), 0);
    EXPECT_EQ(b.Play(2, 4, 2), 0);
    EXPECT_EQ(b.Play(WHITE, 4, 8), 0);
    EXPECT_EQ(b.Play(WHITE, 3, 3), 0);
    EXPECT_EQ(b.PlayRandom(1, 7), 0);
    b.SetCell(0, 0, 2);
    b.SetCell(-1, 0, WHITE);
    b.SetCell(0, 8, WHITE);
    EXPECT_EQ(Cells(b), before);
    EXPECT_EQ(b.GetCell(-1, 0), EMPTY);
    EXPECT_EQ(b.GetCell(0, 8), EMPTY);

    b.SetCell(3, 3, EMPTY);
    EXPECT_EQ(b.GetCell(3, 3), EMPTY);
}

TEST(Board, PlayAndColourAccessors) {
    CBoard b;
    const int total = 64 - b.CountDiscs(EMPTY);
    EXPECT_EQ(b.Play(WHITE, 4, 2), 1);
    EXPECT_EQ(b.GetCell(4, 2), WHITE);
    EXPECT_EQ(b.GetCell(4, 3), WHITE);
    EXPECT_EQ(64 - b.CountDiscs(EMPTY), total + 1);
    EXPECT_EQ(b.Play(WHITE, 0, 0), 0) << "brackets nothing";

    EXPECT_EQ(b.GetDiscColor(5), b.GetBlackColor());
    EXPECT_EQ(b.GetDiscColor(WHITE), b.GetWhiteColor());
    EXPECT_EQ(b.SetWhiteColor(0x123456), RGB(255, 255, 255));
    EXPECT_EQ(b.GetWhiteColor(), 0x123456u);
    EXPECT_EQ(b.SetSpareColor(7), 0u);
    EXPECT_EQ(b.GetSpareColor(), 7u);
    b.SetColors(1, 2, 3, 4, 5);
    EXPECT_EQ(b.GetBoardColor(), 1u);
    EXPECT_EQ(b.GetLineColor(), 2u);
    EXPECT_EQ(b.GetWhiteColor(), 3u);
    EXPECT_EQ(b.GetBlackColor(), 4u);
    EXPECT_EQ(b.GetSpareColor(), 5u);
}

TEST(Board, PlayRandomModes) {
    CBoard b;
    std::srand(1);
    EXPECT_EQ(b.PlayRandom(2, WHITE), 1);
    // Mode 2 plays the last legal square of the scan: (3, 5) for white at the start.
    EXPECT_EQ(b.GetCell(3, 5), WHITE);
    CBoard c;
    EXPECT_EQ(c.PlayRandom(1, BLACK), 1);
    EXPECT_EQ(c.CountDiscs(BLACK), 4);
    // All four discs white: black brackets nothing anywhere, so neither mode plays.
    CBoard d;
    d.SetCell(4, 3, WHITE);
    d.SetCell(3, 4, WHITE);
    const std::string before = Cells(d);
    EXPECT_EQ(d.PlayRandom(1, BLACK), 0);
    EXPECT_EQ(d.PlayRandom(2, BLACK), 0);
    EXPECT_EQ(Cells(d), before);
}

TEST(Board, SetBoardRectTruncatesTowardZero) {
    CBoard b;
    b.SetBoardRect({0, 0, 300, 250});
    EXPECT_EQ(b.m_cellWidth, 36);
    EXPECT_EQ(b.m_cellHeight, 30);
    b.SetBoardRect({0, 0, 15, 9});
    EXPECT_EQ(b.m_cellWidth, 0);
    EXPECT_EQ(b.m_cellHeight, 0);
    b.SetBoardRect({0, 0, 2, 2});
    EXPECT_EQ(b.m_cellWidth, 0) << "(2 - 8) / 8 truncates toward zero";
}
