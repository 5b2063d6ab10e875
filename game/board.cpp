#include "board.h"

#include <cstdlib>

namespace {

// Directions in the order the move rule examines them.
constexpr int DIRECTIONS[8][2] = {{+1, 0},  {-1, 0},  {0, +1},  {0, -1},
                                  {+1, -1}, {-1, -1}, {+1, +1}, {-1, +1}};

constexpr int MARGIN = 4;
constexpr RECT INITIAL_BOARD_RECT = {0, 0, 420, 420};
constexpr int RANDOM_LIST_CAPACITY = CELL_COUNT;

} // namespace

CBoard::CBoard()
    : m_cell{}, m_cellWidth(0), m_cellHeight(0), m_boardRect{}, m_margin{},
      m_whiteColor(RGB(255, 255, 255)), m_blackColor(RGB(0, 0, 100)), m_lineColor(RGB(0, 0, 0)),
      m_boardColor(RGB(180, 180, 180)), m_spareColor(RGB(0, 0, 0)) {
    CBoard::Reset();
    m_margin = {MARGIN, MARGIN, MARGIN, MARGIN};
    CBoard::SetBoardRect(INITIAL_BOARD_RECT);
}

CBoard::~CBoard() = default;

int CBoard::PutDisc(int x, int y, int color, int testOnly) {
    if (!IsSide(color) || !OnBoard(x, y))
        return 0;
    if (m_cell[CellIndex(x, y)] != EMPTY)
        return 0;

    const int opp = Opponent(color);
    int count = 0;
    for (const auto& d : DIRECTIONS) {
        const int dx = d[0];
        const int dy = d[1];
        // No room for a bracketing disc: nothing to read in this direction.
        if (!OnBoard(x + dx, y + dy) || !OnBoard(x + 2 * dx, y + 2 * dy))
            continue;
        if (m_cell[CellIndex(x + dx, y + dy)] != opp)
            continue;
        int cx = x + dx;
        int cy = y + dy;
        int n = 0;
        while (OnBoard(cx, cy) && m_cell[CellIndex(cx, cy)] == opp) {
            ++n;
            cx += dx;
            cy += dy;
        }
        if (!OnBoard(cx, cy) || m_cell[CellIndex(cx, cy)] != color)
            continue;
        count += n;
        if (!testOnly) {
            for (int i = 1; i <= n; ++i)
                m_cell[CellIndex(x + i * dx, y + i * dy)] = color;
        }
    }
    if (testOnly)
        return count;
    if (count > 0)
        m_cell[CellIndex(x, y)] = color;
    return count;
}

void CBoard::SetCell(int x, int y, int value) {
    if (!OnBoard(x, y) || (value != EMPTY && !IsSide(value)))
        return;
    m_cell[CellIndex(x, y)] = value;
}

void CBoard::Reset() {
    for (int& c : m_cell)
        c = EMPTY;
    m_cell[CellIndex(3, 3)] = WHITE;
    m_cell[CellIndex(4, 4)] = WHITE;
    m_cell[CellIndex(4, 3)] = BLACK;
    m_cell[CellIndex(3, 4)] = BLACK;
}

int CBoard::HasMove(int color) {
    for (int y = 0; y < BOARD_SIZE; ++y) {
        for (int x = 0; x < BOARD_SIZE; ++x) {
            if (m_cell[CellIndex(x, y)] == EMPTY && PutDisc(x, y, color, 1) != 0)
                return 1;
        }
    }
    return 0;
}

int CBoard::Play(int color, int x, int y) {
    if (!IsSide(color) || !OnBoard(x, y) || m_cell[CellIndex(x, y)] != EMPTY)
        return 0;
    return PutDisc(x, y, color, 0) > 0 ? 1 : 0;
}

int CBoard::PlayRandom(int mode, int color) {
    if (!IsSide(color))
        return 0;
    int listX[RANDOM_LIST_CAPACITY];
    int listY[RANDOM_LIST_CAPACITY];
    int n = 0;
    for (int y = 0; y < BOARD_SIZE; ++y) {
        for (int x = 0; x < BOARD_SIZE; ++x) {
            if (m_cell[CellIndex(x, y)] != EMPTY || PutDisc(x, y, color, 1) <= 0)
                continue;
            if (mode == 1) {
                listX[n] = x;
                listY[n] = y;
                ++n;
            } else {
                // Mode 2, and any other mode: keep only the last candidate of the scan.
                listX[0] = x;
                listY[0] = y;
                n = 1;
            }
        }
    }
    if (n == 0)
        return 0;
    const int i = std::rand() % n;
    return Play(color, listX[i], listY[i]);
}

int CBoard::CountDiscs(int color) {
    int n = 0;
    for (int c : m_cell) {
        if (c == color)
            ++n;
    }
    return n;
}

int CBoard::GetCell(int x, int y) {
    if (!OnBoard(x, y))
        return EMPTY;
    return m_cell[CellIndex(x, y)];
}

void CBoard::SetBoardRect(const RECT& rect) {
    m_boardRect = rect;
    m_cellWidth = (rect.right - m_margin.right - m_margin.left - rect.left) / BOARD_SIZE;
    m_cellHeight = (rect.bottom - m_margin.bottom - m_margin.top - rect.top) / BOARD_SIZE;
}

void CBoard::SetColors(COLORREF board, COLORREF line, COLORREF white, COLORREF black,
                       COLORREF spare) {
    m_boardColor = board;
    m_lineColor = line;
    m_whiteColor = white;
    m_blackColor = black;
    m_spareColor = spare;
}

COLORREF CBoard::GetDiscColor(int color) { return color == 0 ? m_whiteColor : m_blackColor; }

namespace {
COLORREF Exchange(COLORREF& member, COLORREF c) {
    const COLORREF old = member;
    member = c;
    return old;
}
} // namespace

COLORREF CBoard::SetWhiteColor(COLORREF c) { return Exchange(m_whiteColor, c); }
COLORREF CBoard::GetWhiteColor() { return m_whiteColor; }
COLORREF CBoard::SetBlackColor(COLORREF c) { return Exchange(m_blackColor, c); }
COLORREF CBoard::GetBlackColor() { return m_blackColor; }
COLORREF CBoard::SetLineColor(COLORREF c) { return Exchange(m_lineColor, c); }
COLORREF CBoard::GetLineColor() { return m_lineColor; }
COLORREF CBoard::SetBoardColor(COLORREF c) { return Exchange(m_boardColor, c); }
COLORREF CBoard::GetBoardColor() { return m_boardColor; }
COLORREF CBoard::SetSpareColor(COLORREF c) { return Exchange(m_spareColor, c); }
COLORREF CBoard::GetSpareColor() { return m_spareColor; }
