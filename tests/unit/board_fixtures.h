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

inline std::string Cells(const CBoard& board) {
    std::string s;
    for (int i = 0; i < CELL_COUNT; ++i)
        s += board.m_cell[i] == WHITE ? 'W' : board.m_cell[i] == BLACK ? 'B' : '.';
    return s;
}
