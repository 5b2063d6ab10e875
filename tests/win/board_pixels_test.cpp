// The board's picture, pixel for pixel, drawn into a memory device context.
#include "game/game_board.h"
#include "win_test_util.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

constexpr COLORREF BOARD_GREY = RGB(180, 180, 180);
constexpr COLORREF NEAR_BLACK = RGB(30, 30, 30);
constexpr COLORREF PURE_WHITE = RGB(255, 255, 255);
constexpr COLORREF OUTLINE_BLACK = RGB(0, 0, 0);
constexpr COLORREF UNTOUCHED = RGB(255, 0, 255);

// Laid out over a client area of width × height and coloured as the game window does it.
void LayOut(CGameBoard& board, int width, int height) {
    board.SetBoardRect(RECT{0, 0, width, height});
    board.SetWhiteColor(0xFFFFFF);
    board.SetBlackColor(0x1E1E1E);
    board.SetLineColor(0x1E1E1E);
}

void ClearSquares(CGameBoard& board) {
    for (int& cell : board.m_cell)
        cell = EMPTY;
}

// Nine lines each way from the grid origin (4, 4), each without its last pixel; board grey
// everywhere else, margins and what the division leaves over included.
COLORREF EmptyBoardPixel(int x, int y, int w, int h) {
    const int x0 = 4;
    const int y0 = 4;
    for (int i = 0; i <= 8; ++i) {
        if (x == x0 + i * w && y >= y0 && y < y0 + 8 * h)
            return NEAR_BLACK;
        if (y == y0 + i * h && x >= x0 && x < x0 + 8 * w)
            return NEAR_BLACK;
    }
    return BOARD_GREY;
}

struct GridCase {
    const char* name;
    int width, height, cellWidth, cellHeight;
};

void PrintTo(const GridCase& c, std::ostream* os) { *os << c.name; }

class EmptyBoardPicture : public testing::TestWithParam<GridCase> {};

TEST_P(EmptyBoardPicture, IsGridAndBoardColourEverywhere) {
    const GridCase c = GetParam();
    CGameBoard board;
    LayOut(board, c.width, c.height);
    ASSERT_EQ(board.m_cellWidth, c.cellWidth);
    ASSERT_EQ(board.m_cellHeight, c.cellHeight);
    ClearSquares(board);
    CDibCanvas canvas(c.width, c.height, UNTOUCHED);
    board.DrawAll(canvas.DC());

    int wrong = 0;
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const COLORREF expected = EmptyBoardPixel(x, y, c.cellWidth, c.cellHeight);
            if (canvas.At(x, y) != expected && ++wrong <= 5) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex
                              << canvas.At(x, y) << ", expected " << expected;
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(ClientSizes, EmptyBoardPicture,
                         testing::Values(GridCase{"420x420", 420, 420, 51, 51},
                                         GridCase{"300x250", 300, 250, 36, 30}),
                         [](const testing::TestParamInfo<GridCase>& info) {
                             return info.param.name;
                         });

TEST(BoardPicture, DiscFillsItsInsetRectangle) {
    CGameBoard board;
    LayOut(board, 420, 256);
    ClearSquares(board);
    board.m_cell[CellIndex(3, 5)] = WHITE;
    board.m_cell[CellIndex(4, 5)] = BLACK;
    board.m_guide = 0;
    CDibCanvas canvas(420, 256, UNTOUCHED);
    board.DrawAll(canvas.DC());

    // Square (3, 5) at W = 51, H = 31: the disc's rectangle is (162, 162)-(203, 187).
    EXPECT_EQ(canvas.At(182, 174), PURE_WHITE);
    EXPECT_EQ(canvas.At(170, 174), PURE_WHITE);
    EXPECT_EQ(canvas.At(182, 180), PURE_WHITE);
    // The 2-pixel outline where the ellipse touches its rectangle, in pure black.
    EXPECT_EQ(canvas.At(162, 174), OUTLINE_BLACK);
    EXPECT_EQ(canvas.At(202, 174), OUTLINE_BLACK);
    EXPECT_EQ(canvas.At(182, 162), OUTLINE_BLACK);
    EXPECT_EQ(canvas.At(182, 186), OUTLINE_BLACK);
    // Outside the ellipse the square stays board grey.
    EXPECT_EQ(canvas.At(160, 174), BOARD_GREY);
    EXPECT_EQ(canvas.At(204, 174), BOARD_GREY);
    EXPECT_EQ(canvas.At(182, 160), BOARD_GREY);
    EXPECT_EQ(canvas.At(182, 189), BOARD_GREY);
    EXPECT_EQ(canvas.At(163, 163), BOARD_GREY);
    EXPECT_EQ(canvas.At(201, 185), BOARD_GREY);
    // A black disc is filled near-black, its neighbour square's grid line untouched.
    EXPECT_EQ(canvas.At(233, 174), NEAR_BLACK);
    EXPECT_EQ(canvas.At(208, 174), NEAR_BLACK);
    EXPECT_EQ(canvas.At(209, 174), BOARD_GREY);
}

struct GuideCase {
    const char* name;
    int width, height;
    RECT mark; // of square (0, 0)
};

void PrintTo(const GuideCase& c, std::ostream* os) { *os << c.name; }

class GuideMark : public testing::TestWithParam<GuideCase> {
protected:
    // White to move, whose only legal square is (0, 0): it brackets black's (1, 1).
    void SetUp() override {
        LayOut(m_board, GetParam().width, GetParam().height);
        ClearSquares(m_board);
        m_board.m_cell[CellIndex(1, 1)] = BLACK;
        m_board.m_cell[CellIndex(2, 2)] = WHITE;
        m_board.m_turn = WHITE;
        m_board.m_firstPlayer = KIND_PERSON;
        m_board.m_guide = 1;
    }

    // Whether the middle of the mark, two pixels in from its rectangle, is drawn in white and
    // the square two pixels out from it is still board grey.
    void ExpectMark(bool shown) {
        const GuideCase c = GetParam();
        CDibCanvas canvas(c.width, c.height, UNTOUCHED);
        m_board.DrawAll(canvas.DC());
        const RECT& r = c.mark;
        const COLORREF inside = shown ? PURE_WHITE : BOARD_GREY;
        for (int y = r.top + 2; y <= r.bottom - 3; ++y)
            for (int x = r.left + 2; x <= r.right - 3; ++x)
                EXPECT_EQ(canvas.At(x, y), inside) << "at " << x << ", " << y;
        const int midX = (r.left + r.right) / 2;
        const int midY = (r.top + r.bottom) / 2;
        EXPECT_EQ(canvas.At(r.left - 2, midY), BOARD_GREY);
        EXPECT_EQ(canvas.At(r.right + 1, midY), BOARD_GREY);
        EXPECT_EQ(canvas.At(midX, r.top - 2), BOARD_GREY);
        EXPECT_EQ(canvas.At(midX, r.bottom + 1), BOARD_GREY);
    }

    CGameBoard m_board;
};

TEST_P(GuideMark, ShownForAPersonToMove) { ExpectMark(true); }

TEST_P(GuideMark, NotShownForAComputerToMove) {
    m_board.m_firstPlayer = 1;
    ExpectMark(false);
}

TEST_P(GuideMark, NotShownWithTheGuideOff) {
    m_board.m_guide = 0;
    ExpectMark(false);
}

INSTANTIATE_TEST_SUITE_P(ClientSizes, GuideMark,
                         testing::Values(GuideCase{"420x420", 420, 420, RECT{24, 24, 34, 34}},
                                         GuideCase{"300x250", 300, 250, RECT{18, 16, 25, 22}}),
                         [](const testing::TestParamInfo<GuideCase>& info) {
                             return info.param.name;
                         });

TEST(BoardPicture, DegenerateSizesDrawWithoutFault) {
    // Squares of width or height 0 or below: lines and discs collapse, the fill still covers.
    for (const RECT client : {RECT{0, 0, 15, 15}, RECT{0, 0, 4, 300}, RECT{0, 0, 0, 0}}) {
        CGameBoard board;
        LayOut(board, client.right, client.bottom);
        CDibCanvas canvas(16, 300, UNTOUCHED);
        board.DrawAll(canvas.DC());
        if (client.right > 0 && client.bottom > 0) {
            EXPECT_EQ(canvas.At(0, 0), BOARD_GREY);
        }
        EXPECT_EQ(canvas.At(15, 299), UNTOUCHED);
    }
}

} // namespace
