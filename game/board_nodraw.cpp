// The portable build has no device context to draw into: the drawing operations keep their
// slots and do nothing. The Windows build draws with ui/board_draw.cpp instead.
#include "game_board.h"

void CBoard::DrawDisc(CDC*, const RECT&, COLORREF, COLORREF) {}
void CBoard::DrawBoard(CDC*) {}
void CBoard::DrawDiscs(CDC*) {}
void CGameBoard::DrawDisc(CDC* pDC, const RECT& rect, COLORREF penColor, COLORREF fillColor) {
    CBoard::DrawDisc(pDC, rect, penColor, fillColor);
}
void CGameBoard::DrawBoard(CDC* pDC) { CBoard::DrawBoard(pDC); }
void CGameBoard::DrawAll(CDC*) {}
void CGameBoard::DrawGuide(CDC*, int) {}
