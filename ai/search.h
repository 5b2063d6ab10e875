// Constants of the computer player's search and move choice.
#pragma once

// Bounds that no position is worth: the start of every running result and the open cut-offs.
constexpr int SCORE_INFINITY = 10000;

// Square standing for "no move": Play refuses it, so a failed choice changes nothing.
constexpr int NO_MOVE_SQUARE = 10;

// Level n searches n + 1 plies: the computer's own move and n further half-moves.
constexpr int SearchDepthForKind(int kind) { return kind + 1; }
