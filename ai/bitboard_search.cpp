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
        const int v = Value<false>(child, depth - 1, Opponent(colour), best, SCORE_INFINITY);
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
    if ((depth - rest) % 2 == 0)
        return Value<true>(m_root, rest, colour, alpha, beta);
    return Value<false>(m_root, rest, colour, alpha, beta);
}

inline CBitboardSearch::Position CBitboardSearch::Play(const Position& pos, int colour,
                                                       int square) const {
    const int opp = Opponent(colour);
    const Bitboard flips = Flips(square, pos.disc[colour], pos.disc[opp]);
    Position child;
    child.disc[colour] = pos.disc[colour] | flips | SquareBit(square);
    child.disc[opp] = pos.disc[opp] & ~flips;
    return child;
}

inline Bitboard CBitboardSearch::Moves(const Position& pos, int colour) const {
    const Bitboard own = pos.disc[colour];
    const Bitboard opp = pos.disc[Opponent(colour)];
    return LegalMoves(own, opp, ~(own | opp) & m_open);
}

template <bool maxNode>
int CBitboardSearch::Value(const Position& pos, int rest, int colour, int alpha, int beta) {
    // 1. A leaf is worth the searching side's disc count; no moves are generated for it.
    if (rest == 0)
        return Count(pos);

    // 2. A side that cannot move passes, using up one ply, and the bound of the node that moves
    //    next is opened again. The opponent's moves are needed only then; if it has none either,
    //    the game ends in this line.
    const Bitboard moves = Moves(pos, colour);
    if (moves != 0)
        return Children<maxNode>(pos, moves, rest, colour, alpha, beta);
    const Bitboard replies = Moves(pos, Opponent(colour));
    if (replies == 0 || rest == 1)
        return Count(pos);
    if (maxNode)
        return Children<false>(pos, replies, rest - 1, Opponent(colour), -SCORE_INFINITY, beta);
    return Children<true>(pos, replies, rest - 1, Opponent(colour), alpha, SCORE_INFINITY);
}

template <bool maxNode>
int CBitboardSearch::Children(const Position& pos, Bitboard moves, int rest, int colour, int alpha,
                              int beta) {
    // 3. A node one ply from the end counts its children's discs itself.
    if (rest == 1)
        return LastPly<maxNode>(pos, moves, colour, alpha, beta);

    // 4. Each child gets this node's running result as its bound: a max node's children are
    //    bounded by alpha := result, a min node's by beta := result. Comparisons are strict.
    //    A value only cuts when it also improves the running result; the cut is tested first,
    //    which is the same thing because the first value always improves the opening infinity
    //    and the running result never passes the bound without cutting. That keeps a
    //    data-dependent branch out of the loop.
    const int next = Opponent(colour);
    int result = maxNode ? -SCORE_INFINITY : SCORE_INFINITY;
    for (; moves != 0; moves &= moves - 1) {
        const Position child = Play(pos, colour, LowestSquare(moves));
        ++m_nodes;
        if (maxNode) {
            const int v = Value<false>(child, rest - 1, next, result, beta);
            if (v > beta)
                return v;
            result = v > result ? v : result;
        } else {
            const int v = Value<true>(child, rest - 1, next, alpha, result);
            if (v < alpha)
                return v;
            result = v < result ? v : result;
        }
    }
    return result;
}

template <bool maxNode>
int CBitboardSearch::LastPly(const Position& pos, Bitboard moves, int colour, int alpha, int beta) {
    // 5. Each child's value is the searching side's count after the move: its own discs, the
    //    new one and the turned ones when it moves itself, or its discs less the turned ones.
    const Bitboard own = pos.disc[colour];
    const Bitboard opp = pos.disc[Opponent(colour)];
    const bool searcherMoves = colour == m_side;
    const int base = searcherMoves ? Popcount(own) + 1 : Popcount(opp);
    const int sign = searcherMoves ? 1 : -1;
    int result = maxNode ? -SCORE_INFINITY : SCORE_INFINITY;
    for (; moves != 0; moves &= moves - 1) {
        ++m_nodes;
        const int v = base + sign * Popcount(Flips(LowestSquare(moves), own, opp));
        if (maxNode) {
            if (v > beta)
                return v;
            result = v > result ? v : result;
        } else {
            if (v < alpha)
                return v;
            result = v < result ? v : result;
        }
    }
    return result;
}
