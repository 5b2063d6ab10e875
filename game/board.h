// CBoard: the 8x8 squares, the move rule, counting, the starting position, colours and geometry.
#pragma once

#include "platform_types.h"

class CDC;

enum : int { EMPTY = -1, WHITE = 0, BLACK = 1 };

constexpr int BOARD_SIZE = 8;
constexpr int CELL_COUNT = BOARD_SIZE * BOARD_SIZE;

// Square (x, y) lives at element x * 8 + y: the squares are stored column by column.
constexpr int CellIndex(int x, int y) { return x * BOARD_SIZE + y; }
constexpr bool OnBoard(int x, int y) {
    return x >= 0 && x < BOARD_SIZE && y >= 0 && y < BOARD_SIZE;
}
constexpr bool IsSide(int color) { return color == WHITE || color == BLACK; }
constexpr int Opponent(int color) { return 1 - color; }

class CBoard {
public:
    CBoard();
    CBoard(const CBoard&) = default;
    CBoard& operator=(const CBoard&) = default;

    // The virtual operations keep this declaration order (their slot order). The drawing ones
    // are defined in ui/board_draw.cpp in the Windows build and empty in the portable one
    // (board_nodraw.cpp).
    virtual ~CBoard();
    virtual void DrawDisc(CDC* pDC, const RECT& rect, COLORREF penColor, COLORREF fillColor);
    virtual int PutDisc(int x, int y, int color, int testOnly);
    virtual void SetCell(int x, int y, int value);
    virtual void Reset();
    virtual void DrawBoard(CDC* pDC);
    virtual void DrawDiscs(CDC* pDC);
    virtual int HasMove(int color);
    virtual int Play(int color, int x, int y);
    virtual int PlayRandom(int mode, int color);
    virtual int CountDiscs(int color);
    virtual int GetCell(int x, int y);
    virtual void SetBoardRect(const RECT& rect);
    virtual void SetColors(COLORREF board, COLORREF line, COLORREF white, COLORREF black,
                           COLORREF spare);
    virtual COLORREF GetDiscColor(int color);
    virtual COLORREF SetWhiteColor(COLORREF c);
    virtual COLORREF GetWhiteColor();
    virtual COLORREF SetBlackColor(COLORREF c);
    virtual COLORREF GetBlackColor();
    virtual COLORREF SetLineColor(COLORREF c);
    virtual COLORREF GetLineColor();
    virtual COLORREF SetBoardColor(COLORREF c);
    virtual COLORREF GetBoardColor();
    virtual COLORREF SetSpareColor(COLORREF c);
    virtual COLORREF GetSpareColor();

    int m_cell[CELL_COUNT];
    int m_cellWidth;
    int m_cellHeight;
    RECT m_boardRect;
    RECT m_margin;
    COLORREF m_whiteColor;
    COLORREF m_blackColor;
    COLORREF m_lineColor;
    COLORREF m_boardColor;
    COLORREF m_spareColor;
};
