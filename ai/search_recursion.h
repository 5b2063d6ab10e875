// The search's recursion on bitboards. Included once per kernel, each compiled for its own
// instruction set; internal linkage keeps the copies apart.
#pragma once

#include "bitboard.h"
#include "search.h"
#include "search_kernel.h"

#include <cassert>

namespace {

constexpr int Other(int colour) { return 1 - colour; }

// Every value the recursion returns is the searching side's disc count in some line; a bound or
// an infinity escaping from it would be a fault.
constexpr bool IsDiscCount(int value) { return value >= 0 && value <= SEARCH_SQUARES; }

class CSearchRecursion {
public:
    CSearchRecursion(const SearchRoot& root, std::int64_t* nodes)
        : m_root{{root.disc[0], root.disc[1]}}, m_open(root.open), m_side(root.side),
          m_nodes(nodes) {}

    int ScoreMoves(const int (&weight)[SEARCH_SQUARES], int depth, int colour, Candidate* out) {
        // The best root score so far, weights included, bounds each following move.
        const Candidate* const first = out;
        int best = -SCORE_INFINITY;
        for (Bitboard moves = Moves(m_root, colour); moves != 0; moves &= moves - 1) {
            const int square = LowestSquare(moves);
            const int x = SquareX(square);
            const int y = SquareY(square);
            const Position child = Play(m_root, colour, square);
            ++*m_nodes;
            // The root's children are min nodes: one ply has gone.
            const int v = Value<false>(child, depth - 1, Other(colour), best, SCORE_INFINITY);
            assert(IsDiscCount(v));
            const int score = v + weight[square];
            *out++ = {score, x, y};
            if (score > best)
                best = score;
        }
        return static_cast<int>(out - first);
    }

    int Search(int depth, int rest, int colour, int alpha, int beta) {
        if ((depth - rest) % 2 == 0)
            return Value<true>(m_root, rest, colour, alpha, beta);
        return Value<false>(m_root, rest, colour, alpha, beta);
    }

private:
    struct Position {
        Bitboard disc[2];
    };

    int Count(const Position& pos) const { return Popcount(pos.disc[m_side]); }

    Bitboard Moves(const Position& pos, int colour) const {
        const Bitboard own = pos.disc[colour];
        const Bitboard opp = pos.disc[Other(colour)];
        return LegalMoves(own, opp, ~(own | opp) & m_open);
    }

    // A move is made by copying two words, never undone.
    Position Play(const Position& pos, int colour, int square) const {
        assert(IsSearchColour(colour));
        const int opp = Other(colour);
        const Bitboard flips = Flips(square, pos.disc[colour], pos.disc[opp]);
        // The move generator and Flips agree: a move goes to an empty square and turns a disc.
        assert(((pos.disc[0] | pos.disc[1]) & SquareBit(square)) == 0);
        assert(flips != 0 && (flips & ~pos.disc[opp]) == 0);
        Position child;
        child.disc[colour] = pos.disc[colour] | flips | SquareBit(square);
        child.disc[opp] = pos.disc[opp] & ~flips;
        return child;
    }

    template <bool maxNode>
    int Value(const Position& pos, int rest, int colour, int alpha, int beta) {
        // 1. A leaf is worth the searching side's disc count; no moves are generated for it.
        if (rest == 0)
            return Count(pos);

        // 2. A side that cannot move passes, using up one ply, and the bound of the node that
        //    moves next is opened again. The opponent's moves are needed only then; if it has
        //    none either, the game ends in this line.
        const Bitboard moves = Moves(pos, colour);
        if (moves != 0)
            return Children<maxNode>(pos, moves, rest, colour, alpha, beta);
        const Bitboard replies = Moves(pos, Other(colour));
        if (replies == 0 || rest == 1)
            return Count(pos);
        if (maxNode)
            return Children<false>(pos, replies, rest - 1, Other(colour), -SCORE_INFINITY, beta);
        return Children<true>(pos, replies, rest - 1, Other(colour), alpha, SCORE_INFINITY);
    }

    template <bool maxNode>
    int Children(const Position& pos, Bitboard moves, int rest, int colour, int alpha, int beta) {
        // An empty move list would return the opening infinity as a value.
        assert(moves != 0);
        // 3. A node one ply from the end counts its children's discs itself.
        if (rest == 1)
            return LastPly<maxNode>(pos, moves, colour, alpha, beta);

        // 4. Each child gets this node's running result as its bound: a max node's children
        //    are bounded by alpha := result, a min node's by beta := result. Comparisons are
        //    strict. A value only cuts when it also improves the running result; the cut is
        //    tested first, which is the same thing because the first value always improves the
        //    opening infinity and the running result never passes the bound without cutting.
        //    That keeps a data-dependent branch out of the loop.
        const int next = Other(colour);
        int result = maxNode ? -SCORE_INFINITY : SCORE_INFINITY;
        for (; moves != 0; moves &= moves - 1) {
            const Position child = Play(pos, colour, LowestSquare(moves));
            ++*m_nodes;
            if (maxNode) {
                const int v = Value<false>(child, rest - 1, next, result, beta);
                assert(IsDiscCount(v));
                if (v > beta)
                    return v;
                result = v > result ? v : result;
            } else {
                const int v = Value<true>(child, rest - 1, next, alpha, result);
                assert(IsDiscCount(v));
                if (v < alpha)
                    return v;
                result = v < result ? v : result;
            }
        }
        return result;
    }

    template <bool maxNode>
    int LastPly(const Position& pos, Bitboard moves, int colour, int alpha, int beta) {
        // 5. Each child's value is the searching side's count after the move: its own discs,
        //    the new one and the turned ones when it moves itself, or its discs less the turned
        //    ones.
        const Bitboard own = pos.disc[colour];
        const Bitboard opp = pos.disc[Other(colour)];
        const bool searcherMoves = colour == m_side;
        const int base = searcherMoves ? Popcount(own) + 1 : Popcount(opp);
        const int sign = searcherMoves ? 1 : -1;
        int result = maxNode ? -SCORE_INFINITY : SCORE_INFINITY;
        for (; moves != 0; moves &= moves - 1) {
            ++*m_nodes;
            const int v = base + sign * Popcount(Flips(LowestSquare(moves), own, opp));
            assert(IsDiscCount(v));
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

    Position m_root;
    Bitboard m_open;
    int m_side;
    std::int64_t* m_nodes;
};

int KernelScoreMoves(const SearchRoot& root, int depth, int colour, Candidate* out,
                     std::int64_t* nodes) {
    return CSearchRecursion(root, nodes).ScoreMoves(root.weight, depth, colour, out);
}

int KernelSearch(const SearchRoot& root, int depth, int rest, int colour, int alpha, int beta,
                 std::int64_t* nodes) {
    return CSearchRecursion(root, nodes).Search(depth, rest, colour, alpha, beta);
}

} // namespace
