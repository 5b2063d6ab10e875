// The computer player's operations on CGameBoard: move entry and root move choice. The board is
// converted once per operation into the search's own terms; the search itself is in ai/.
#include "computer_player.h"

#include "wait_cursor.h"

#include "ai/bitboard_search.h"
#include "ai/random.h"
#include "ai/search.h"

#include <cstddef>
#include <vector>

static_assert(IsSearchColour(WHITE) && IsSearchColour(BLACK) && WHITE != BLACK,
              "the search indexes its disc masks by the board's colours");
static_assert(CELL_COUNT == SEARCH_SQUARES);

namespace {

struct BestSquare {
    int x;
    int y;
};

} // namespace

SearchRoot SearchRootOf(const CGameBoard& board) {
    // Every weight is written below: no need to clear them first.
    SearchRoot root;
    root.disc[WHITE] = 0;
    root.disc[BLACK] = 0;
    root.open = ~std::uint64_t{0};
    root.side = board.m_turn;
    for (int y = 0; y < BOARD_SIZE; ++y) {
        for (int x = 0; x < BOARD_SIZE; ++x) {
            // The board keeps its squares column by column; the search row by row.
            const int square = SquareOf(x, y);
            const int cell = board.m_cell[CellIndex(x, y)];
            const std::uint64_t bit = std::uint64_t{1} << square;
            if (IsSide(cell))
                root.disc[cell] |= bit;
            else if (cell != EMPTY)
                root.open &= ~bit;
            root.weight[square] = board.m_weight[CellIndex(x, y)];
        }
    }
    return root;
}

int CGameBoard::TryComputerMove() {
    if (SideToMoveKind() == KIND_PERSON)
        return 0;
    // A negative kind goes on to ComputerMove, which refuses it.
    return ComputerMove();
}

int CGameBoard::ComputerMove() {
    // 1. Only a computer kind moves by itself; a kind above the top level plays at the top level,
    //    so a hand-edited kind can never make the search unbounded.
    int kind = SideToMoveKind();
    if (kind <= KIND_PERSON)
        return 0;
    kind = ClampPlayerKind(kind);

    // 2. Show the wait cursor; the scope ends it on every way out.
    CWaitCursorScope waitCursor;

    // 3. An off-board square stands for "no move".
    int x = NO_MOVE_SQUARE;
    int y = NO_MOVE_SQUARE;

    // 4. Choose.
    ChooseMove(SearchDepthForKind(kind), m_turn, &x, &y);

    // 5. Show the wait cursor again, in case something changed it during the search.
    wait_cursor::Restore();

    // 6. Play through the game's own Play, so the turn passes as after a person's move.
    return Play(m_turn, x, y);
}

void CGameBoard::ChooseMove(int depth, int colour, int* x, int* y) {
    // 1.-3. Score every legal move, in scan order; with none there is nothing to choose.
    if (!IsSide(m_turn))
        return;
    CBitboardSearch search(SearchRootOf(*this));
    const std::vector<Candidate> candidates = search.ScoreMoves(depth, colour);
    if (candidates.empty())
        return;

    // 4. The best-scored squares, in scan order.
    int best = -SCORE_INFINITY;
    for (const Candidate& c : candidates) {
        if (c.score > best)
            best = c.score;
    }
    std::size_t k = 0;
    for (const Candidate& c : candidates) {
        if (c.score == best)
            ++k;
    }
    std::vector<BestSquare> bestSquares;
    bestSquares.reserve(k);
    for (const Candidate& c : candidates) {
        if (c.score == best)
            bestSquares.push_back({c.x, c.y});
    }

    // 5. Draw one of them; a number is drawn even when there is only one.
    const int r = NextRandom();
    const BestSquare& chosen = bestSquares[static_cast<std::size_t>(r) % k];
    *x = chosen.x;
    *y = chosen.y;
}

int CGameBoard::Search(int depth, int rest, int colour, int alpha, int beta) {
    // The searching side is always WHITE or BLACK; anything else has no line to search.
    if (!IsSide(m_turn))
        return CountDiscs(m_turn);
    return CBitboardSearch(SearchRootOf(*this)).Search(depth, rest, colour, alpha, beta);
}
