// What the computer player's operations on CGameBoard share with its tests and benchmark: the
// board as the search sees it, and the square that stands for "no move".
#pragma once

#include "game_board.h"

#include "ai/search_kernel.h"

// Square standing for "no move": Play refuses it, so a failed choice changes nothing.
constexpr int NO_MOVE_SQUARE = 10;

// The board's position for the search, board.m_turn searching, which must be WHITE or BLACK.
// A cell holding neither a side nor EMPTY blocks its square as a disc would.
SearchRoot SearchRootOf(const CGameBoard& board);
