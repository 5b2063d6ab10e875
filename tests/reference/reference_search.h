// The straightforward search on the 64 cells, kept as the oracle for the bitboard search and as
// the benchmark's reference: trial moves on m_cell, a 64-cell save area per node.
#pragma once

#include "ai/search_kernel.h"
#include "game/game_board.h"

#include <cstdint>
#include <vector>

class CReferenceSearch {
public:
    explicit CReferenceSearch(const CGameBoard& board) : m_board(board) {}

    // Every legal move of `colour` in scan order with its score, as the computer player scores it.
    std::vector<Candidate> ScoreMoves(int depth, int colour);
    int Search(int depth, int rest, int colour, int alpha, int beta);

    // The square the computer player picks from scored moves: one generator draw among the best.
    static bool Choose(const std::vector<Candidate>& candidates, int* x, int* y);

    // Trial moves played so far, the root's included.
    std::int64_t Nodes() const { return m_nodes; }

private:
    CGameBoard m_board;
    std::int64_t m_nodes = 0;
};
