#include "match_runner.h"

#include "game/game_board.h"

void RunMatch(int first, int last, int games, std::ostream& out) {
    CGameBoard board;
    board.m_firstPlayer = first;
    board.m_lastPlayer = last;
    for (int game = 0; game < games; ++game) {
        // One tick: one TryComputerMove, then the end check, as in the game window.
        while (!board.IsGameOver()) {
            const int mover = board.m_turn;
            int before[CELL_COUNT];
            for (int i = 0; i < CELL_COUNT; ++i)
                before[i] = board.m_cell[i];
            if (!board.TryComputerMove())
                break; // cannot happen with two computer kinds; never loop without progress
            for (int i = 0; i < CELL_COUNT; ++i) {
                if (before[i] == EMPTY && board.m_cell[i] != EMPTY) {
                    out << (mover == WHITE ? 'W' : 'B') << ' ' << i / BOARD_SIZE << ' '
                        << i % BOARD_SIZE << '\n';
                    break;
                }
            }
        }
        out << "end " << board.CountDiscs(WHITE) << ' ' << board.CountDiscs(BLACK) << '\n';
        board.NewGame();
    }
}
