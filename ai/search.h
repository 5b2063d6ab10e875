// Constants of the computer player's search.
#pragma once

// Bounds that no position is worth: the start of every running result and the open cut-offs.
constexpr int SCORE_INFINITY = 10000;
