#include "bitboard_search.h"

#include "game/game_board.h"
#include "search.h"

CBitboardSearch::CBitboardSearch(const CGameBoard& board)
    : m_weight(board.m_weight), m_root{}, m_open(~Bitboard{0}), m_side(board.m_turn) {
    for (int y = 0; y < BOARD_SIZE; ++y) {
        for (int x = 0; x < BOARD_SIZE; ++x) {
            const int cell = board.m_cell[CellIndex(x, y)];
            const Bitboard bit = SquareBit(SquareOf(x, y));
            if (IsSide(cell))
                m_root.disc[cell] |= bit;
            else if (cell != EMPTY)
                m_open &= ~bit; // a foreign value blocks its square as any disc does
        }
    }
}

std::vector<Candidate> CBitboardSearch::ScoreMoves(int depth, int colour) {
    std::vector<Candidate> candidates;
    if (!IsSide(colour))
        return candidates;
    Bitboard moves = Moves(m_root, colour);
    candidates.reserve(static_cast<std::size_t>(Popcount(moves)));
    int best = -SCORE_INFINITY;
    for (; moves != 0; moves &= moves - 1) {
        const int square = LowestSquare(moves);
        const int x = SquareX(square);
        const int y = SquareY(square);
        const Position child = Play(m_root, colour, square);
        ++m_nodes;
        // The root's children are min nodes: one ply has gone.
        const int v = Value(child, depth - 1, Opponent(colour), false, best, SCORE_INFINITY);
        const int score = v + m_weight[CellIndex(x, y)];
        candidates.push_back({score, x, y});
        if (score > best)
            best = score;
    }
    return candidates;
}

int CBitboardSearch::Search(int depth, int rest, int colour, int alpha, int beta) {
    // A colour that is no side has no move, nor has its "opponent": the line is over.
    if (!IsSide(colour))
        return Count(m_root);
    return Value(m_root, rest, colour, (depth - rest) % 2 == 0, alpha, beta);
}

CBitboardSearch::Position CBitboardSearch::Play(const Position& pos, int colour, int square) const {
    const int opp = Opponent(colour);
    const Bitboard flips = Flips(square, pos.disc[colour], pos.disc[opp]);
    Position child;
    child.disc[colour] = pos.disc[colour] | flips | SquareBit(square);
    child.disc[opp] = pos.disc[opp] & ~flips;
    return child;
}

Bitboard CBitboardSearch::Moves(const Position& pos, int colour) const {
    const Bitboard own = pos.disc[colour];
    const Bitboard opp = pos.disc[Opponent(colour)];
    return LegalMoves(own, opp, ~(own | opp) & m_open);
}

int CBitboardSearch::Value(const Position& pos, int rest, int colour, bool maxNode, int alpha,
                           int beta) {
    // 1. A leaf is worth the searching side's disc count; no moves are generated for it.
    if (rest == 0)
        return Count(pos);

    // 2. A side that cannot move passes, using up one ply, and the bound of the node that moves
    //    next is opened again. The opponent's moves are needed only then; if it has none either,
    //    the game ends in this line.
    Bitboard moves = Moves(pos, colour);
    if (moves == 0) {
        const Bitboard replies = Moves(pos, Opponent(colour));
        if (replies == 0)
            return Count(pos);
        if (maxNode)
            alpha = -SCORE_INFINITY;
        else
            beta = SCORE_INFINITY;
        colour = Opponent(colour);
        maxNode = !maxNode;
        rest -= 1;
        if (rest == 0)
            return Count(pos);
        moves = replies;
    }

    // 3. Each child gets this node's running result as its bound; comparisons are strict, and a
    //    child one ply from the end is counted here rather than called.
    const int next = Opponent(colour);
    if (maxNode) {
        // 4. Max node: the searching side moves; beta cuts.
        int result = -SCORE_INFINITY;
        for (; moves != 0; moves &= moves - 1) {
            const Position child = Play(pos, colour, LowestSquare(moves));
            ++m_nodes;
            const int v =
                rest == 1 ? Count(child) : Value(child, rest - 1, next, false, result, beta);
            if (v > result) {
                result = v;
                if (v > beta)
                    return v;
            }
        }
        return result;
    }

    // 5. Min node: the opponent moves; alpha cuts.
    int result = SCORE_INFINITY;
    for (; moves != 0; moves &= moves - 1) {
        const Position child = Play(pos, colour, LowestSquare(moves));
        ++m_nodes;
        const int v = rest == 1 ? Count(child) : Value(child, rest - 1, next, true, alpha, result);
        if (v < result) {
            result = v;
            if (v < alpha)
                return v;
        }
    }
    return result;
}
