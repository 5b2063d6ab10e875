// Helpers that build board positions from pictures for the core tests.
#pragma once

#include "game/game_board.h"

#include <string>

// Rows top to bottom, columns left to right: 'W' white, 'B' black, anything else empty.
inline void SetPosition(CBoard& board, const char* const rows[BOARD_SIZE]) {
    for (int y = 0; y < BOARD_SIZE; ++y) {
        for (int x = 0; x < BOARD_SIZE; ++x) {
            const char c = rows[y][x];
            board.m_cell[CellIndex(x, y)] = c == 'W' ? WHITE : c == 'B' ? BLACK : EMPTY;
        }
    }
}

// White's one move is (2, 0), which takes black's only disc and ends the game.
constexpr const char* ONE_MOVE_LEFT[BOARD_SIZE] = {"WB......", "........", "........", "........",
                                                   "........", "........", "........", "........"};
// The same, and a black run in the bottom row that white can take once black has passed.
constexpr const char* PASS_THEN_LAST_MOVE[BOARD_SIZE] = {
    "WB......", "........", "........", "........", "........", "........", "........", "WBB....."};

inline std::string Cells(const CBoard& board) {
    std::string s;
    for (int i = 0; i < CELL_COUNT; ++i)
        s += board.m_cell[i] == WHITE ? 'W' : board.m_cell[i] == BLACK ? 'B' : '.';
    return s;
}
