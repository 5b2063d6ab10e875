#include "reference_search.h"

#include "ai/random.h"
#include "ai/search.h"

#include <cstring>

namespace {

void SaveCells(const int (&from)[CELL_COUNT], int (&to)[CELL_COUNT]) {
    std::memcpy(to, from, sizeof(to));
}

} // namespace

std::vector<Candidate> CReferenceSearch::ScoreMoves(int depth, int colour) {
    std::vector<Candidate> candidates;
    int saved[CELL_COUNT];
    SaveCells(m_board.m_cell, saved);
    int best = -SCORE_INFINITY;
    for (int y = 0; y < BOARD_SIZE; ++y) {
        for (int x = 0; x < BOARD_SIZE; ++x) {
            if (!m_board.CBoard::Play(colour, x, y))
                continue;
            ++m_nodes;
            const int v = Search(depth, depth - 1, Opponent(colour), best, SCORE_INFINITY);
            const int score = v + m_board.m_weight[CellIndex(x, y)];
            candidates.push_back({score, x, y});
            SaveCells(saved, m_board.m_cell);
            if (score > best)
                best = score;
        }
    }
    return candidates;
}

bool CReferenceSearch::Choose(const std::vector<Candidate>& candidates, int* x, int* y) {
    if (candidates.empty())
        return false;
    int best = -SCORE_INFINITY;
    for (const Candidate& c : candidates)
        best = c.score > best ? c.score : best;
    std::vector<Candidate> bestOnes;
    for (const Candidate& c : candidates) {
        if (c.score == best)
            bestOnes.push_back(c);
    }
    const Candidate& chosen = bestOnes[static_cast<size_t>(NextRandom()) % bestOnes.size()];
    *x = chosen.x;
    *y = chosen.y;
    return true;
}

int CReferenceSearch::Search(int depth, int rest, int colour, int alpha, int beta) {
    CGameBoard& b = m_board;
    if (rest == 0)
        return b.CountDiscs(b.m_turn);
    while (!b.HasMove(colour)) {
        if (!b.HasMove(Opponent(colour)))
            return b.CountDiscs(b.m_turn);
        if ((depth - rest) % 2 == 0)
            alpha = -SCORE_INFINITY;
        else
            beta = SCORE_INFINITY;
        colour = Opponent(colour);
        rest -= 1;
        if (rest == 0)
            return b.CountDiscs(b.m_turn);
    }
    int saved[CELL_COUNT];
    SaveCells(b.m_cell, saved);
    const bool maxNode = (depth - rest) % 2 == 0;
    int result = maxNode ? -SCORE_INFINITY : SCORE_INFINITY;
    for (int y = 0; y < BOARD_SIZE; ++y) {
        for (int x = 0; x < BOARD_SIZE; ++x) {
            if (!b.CBoard::Play(colour, x, y))
                continue;
            ++m_nodes;
            const int v = maxNode ? Search(depth, rest - 1, Opponent(colour), result, beta)
                                  : Search(depth, rest - 1, Opponent(colour), alpha, result);
            SaveCells(saved, b.m_cell);
            if (maxNode ? v > result : v < result) {
                result = v;
                if (maxNode ? v > beta : v < alpha)
                    return v;
            }
        }
    }
    return result;
}
