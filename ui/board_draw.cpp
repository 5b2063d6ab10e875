// The board's pictures: background and grid, discs, guide marks, in a device context given.
#include "framework/gdi.h"
#include "game/game_board.h"

namespace {

constexpr int GRID_PEN_WIDTH = 1;
constexpr int DISC_PEN_WIDTH = 2;
constexpr COLORREF DISC_OUTLINE = RGB(0, 0, 0);
constexpr int DISC_INSET_DIVISOR = 10;
constexpr double GUIDE_INSET_FACTOR = 0.4;

} // namespace

void CBoard::DrawDisc(CDC* pDC, const RECT& rect, COLORREF penColor, COLORREF fillColor) {
    CPen pen(PS_SOLID, DISC_PEN_WIDTH, penColor);
    CBrush brush(fillColor);
    if (pen.GetSafeHandle() == nullptr || brush.GetSafeHandle() == nullptr)
        return; // the platform refused a drawing object: draw nothing rather than half a disc
    // Declared after the objects: both are selected back out before either is deleted.
    CSelectScope selectPen(pDC, pen);
    CSelectScope selectBrush(pDC, brush);
    pDC->Ellipse(rect);
}

void CBoard::DrawBoard(CDC* pDC) {
    pDC->FillSolidRect(m_boardRect, m_boardColor);

    CPen pen(PS_SOLID, GRID_PEN_WIDTH, m_lineColor);
    if (pen.GetSafeHandle() == nullptr)
        return;
    CSelectScope selectPen(pDC, pen);
    const int x0 = m_boardRect.left + m_margin.left;
    const int y0 = m_boardRect.top + m_margin.top;
    const int w = m_cellWidth;
    const int h = m_cellHeight;
    // Nine lines each way; a line leaves out its last pixel.
    for (int i = 0; i <= BOARD_SIZE; ++i) {
        pDC->MoveTo(x0 + i * w, y0);
        pDC->LineTo(x0 + i * w, y0 + BOARD_SIZE * h);
        pDC->MoveTo(x0, y0 + i * h);
        pDC->LineTo(x0 + BOARD_SIZE * w, y0 + i * h);
    }
}

void CBoard::DrawDiscs(CDC* pDC) {
    const int x0 = m_boardRect.left + m_margin.left;
    const int y0 = m_boardRect.top + m_margin.top;
    const int w = m_cellWidth;
    const int h = m_cellHeight;
    for (int y = 0; y < BOARD_SIZE; ++y) {
        for (int x = 0; x < BOARD_SIZE; ++x) {
            const int cell = m_cell[CellIndex(x, y)];
            if (cell != WHITE && cell != BLACK)
                continue;
            const RECT disc = {x0 + x * w + w / DISC_INSET_DIVISOR,
                               y0 + y * h + h / DISC_INSET_DIVISOR,
                               x0 + (x + 1) * w - w / DISC_INSET_DIVISOR,
                               y0 + (y + 1) * h - h / DISC_INSET_DIVISOR};
            DrawDisc(pDC, disc, DISC_OUTLINE, cell == WHITE ? m_whiteColor : m_blackColor);
        }
    }
}

void CGameBoard::DrawDisc(CDC* pDC, const RECT& rect, COLORREF penColor, COLORREF fillColor) {
    CBoard::DrawDisc(pDC, rect, penColor, fillColor);
}

void CGameBoard::DrawBoard(CDC* pDC) { CBoard::DrawBoard(pDC); }

void CGameBoard::DrawAll(CDC* pDC) {
    DrawBoard(pDC);
    DrawDiscs(pDC);
    // Guide marks only for a person to move, and only when the guide is on.
    if (SideToMoveKind() == KIND_PERSON && m_guide != 0)
        DrawGuide(pDC, m_turn);
}

void CGameBoard::DrawGuide(CDC* pDC, int color) {
    const int x0 = m_boardRect.left + m_margin.left;
    const int y0 = m_boardRect.top + m_margin.top;
    const int w = m_cellWidth;
    const int h = m_cellHeight;
    const double dx = w * GUIDE_INSET_FACTOR;
    const double dy = h * GUIDE_INSET_FACTOR;
    const COLORREF mark = GetDiscColor(color);
    for (int y = 0; y < BOARD_SIZE; ++y) {
        for (int x = 0; x < BOARD_SIZE; ++x) {
            if (PutDisc(x, y, color, 1) <= 0)
                continue;
            const RECT r = {static_cast<int>((x0 + x * w) + dx),
                            static_cast<int>((y0 + y * h) + dy),
                            static_cast<int>((x0 + (x + 1) * w) - dx),
                            static_cast<int>((y0 + (y + 1) * h) - dy)};
            DrawDisc(pDC, r, mark, mark);
        }
    }
}
