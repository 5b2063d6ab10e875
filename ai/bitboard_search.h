// CBitboardSearch: the computer player's search of one position, on bitboards.
#pragma once

#include "search_kernel.h"

#include <cstdint>
#include <vector>

// Searches one position for the side that root.side names, which must be a colour. The root
// is copied when the object is made and never changed.
class CBitboardSearch {
public:
    explicit CBitboardSearch(const SearchRoot& root,
                             const SearchKernel& kernel = ChosenSearchKernel());

    // Every legal move of `colour`, in scan order, with its search value to `depth` plies plus
    // its square weight. The best score so far, weights included, bounds each following move.
    // The list is allocated for exactly as many moves as there are.
    std::vector<Candidate> ScoreMoves(int depth, int colour);

    // The value for the searching side of the position with `colour` to move and `rest` plies to
    // go, in a search of `depth` plies in all; alpha bounds a min node, beta a max node.
    int Search(int depth, int rest, int colour, int alpha, int beta);

    // Trial moves played so far, the root's included.
    std::int64_t Nodes() const { return m_nodes; }

private:
    const SearchKernel& m_kernel;
    SearchRoot m_root;
    std::int64_t m_nodes = 0;
};
