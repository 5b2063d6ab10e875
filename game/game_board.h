// CGameBoard: one running game on a CBoard: side to move, player kinds, guide, computer player.
#pragma once

#include "board.h"
#include "player_kind.h"

class CGameBoard : public CBoard {
public:
    CGameBoard();
    ~CGameBoard() override;

    void DrawDisc(CDC* pDC, const RECT& rect, COLORREF penColor, COLORREF fillColor) override;
    void Reset() override;
    void DrawBoard(CDC* pDC) override;
    int Play(int color, int x, int y) override;
    void SetBoardRect(const RECT& rect) override;

    // Turn order and game end.
    void NewGame();
    int IsGameOver();
    int PlayAtPoint(const POINT* pt);
    int SideToMoveKind() const { return m_turn != 0 ? m_lastPlayer : m_firstPlayer; }

    // Computer player (computer_player.cpp, over the search in ai/).
    int TryComputerMove();
    int ComputerMove();
    void ChooseMove(int depth, int colour, int* x, int* y);
    int Search(int depth, int rest, int colour, int alpha, int beta);

    // Drawing of the whole picture (ui/board_draw.cpp; empty in the portable build).
    void DrawAll(CDC* pDC);
    void DrawGuide(CDC* pDC, int color);

    int m_weight[CELL_COUNT];
    int m_turn;
    int m_firstPlayer;
    int m_lastPlayer;
    int m_guide;
};
