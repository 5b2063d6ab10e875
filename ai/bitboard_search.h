// CBitboardSearch: the computer player's search on bitboards, with its root move scoring.
#pragma once

#include "bitboard.h"

#include <cstdint>
#include <vector>

class CGameBoard;

// One legal move of the side to move at the root, scored.
struct Candidate {
    int score; // the move's search value plus its square weight
    int x;
    int y;
};

// Searches one board position for the side that the board's `m_turn` names, which must be WHITE or
// BLACK. A move is made by copying two words, never undone; the board is read once, when the
// object is made, and never changed.
class CBitboardSearch {
public:
    explicit CBitboardSearch(const CGameBoard& board);

    // Every legal move of `colour`, in scan order, with its search value to `depth` plies plus
    // its square weight. The best score so far, weights included, bounds each following move.
    std::vector<Candidate> ScoreMoves(int depth, int colour);

    // The value for the searching side of the position with `colour` to move and `rest` plies to
    // go, in a search of `depth` plies in all; alpha bounds a min node, beta a max node.
    int Search(int depth, int rest, int colour, int alpha, int beta);

    // Trial moves played so far, the root's included.
    std::int64_t Nodes() const { return m_nodes; }

private:
    struct Position {
        Bitboard disc[2]; // by colour: WHITE, BLACK
    };

    template <bool maxNode>
    int Value(const Position& pos, int rest, int colour, int alpha, int beta);
    template <bool maxNode>
    int Children(const Position& pos, Bitboard moves, int rest, int colour, int alpha, int beta);
    template <bool maxNode>
    int LastPly(const Position& pos, Bitboard moves, int colour, int alpha, int beta);
    Position Play(const Position& pos, int colour, int square) const;
    Bitboard Moves(const Position& pos, int colour) const;
    int Count(const Position& pos) const { return Popcount(pos.disc[m_side]); }

    const int* m_weight;
    Position m_root;
    Bitboard m_open; // squares that hold no disc of either side yet could
    int m_side;
    std::int64_t m_nodes = 0;
};
