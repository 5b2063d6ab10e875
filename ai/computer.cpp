// The computer player: move entry, root move choice with square weights, recursive search.
#include "game/game_board.h"

#include "random.h"
#include "search.h"
#include "wait_cursor.h"

#include <cstring>
#include <vector>

namespace {

struct Candidate {
    int score;
    int x;
    int y;
};

struct BestSquare {
    int x;
    int y;
};

void SaveCells(const int (&from)[CELL_COUNT], int (&to)[CELL_COUNT]) {
    std::memcpy(to, from, sizeof(to));
}

} // namespace

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
    if (kind > KIND_MAX_LEVEL)
        kind = KIND_MAX_LEVEL;

    // 2. Show the wait cursor; the scope ends it on every way out.
    CWaitCursorScope waitCursor;

    // 3. An off-board square stands for "no move".
    int x = NO_MOVE_SQUARE;
    int y = NO_MOVE_SQUARE;

    // 4. Choose.
    ChooseMove(SearchDepthForKind(kind), m_turn, &x, &y);

    // 5. Show the wait cursor again, in case something changed it during the search.
    RestoreWaitCursor();

    // 6. Play through the game's own Play, so the turn passes as after a person's move.
    return Play(m_turn, x, y);
}

void CGameBoard::ChooseMove(int depth, int colour, int* x, int* y) {
    // 1. Count the legal moves; with none there is nothing to choose.
    int n = 0;
    for (int sy = 0; sy < BOARD_SIZE; ++sy) {
        for (int sx = 0; sx < BOARD_SIZE; ++sx) {
            if (PutDisc(sx, sy, colour, 1) > 0)
                ++n;
        }
    }
    if (n == 0)
        return;

    // 2. One candidate per legal move; keep the position to undo each trial move.
    std::vector<Candidate> candidates;
    candidates.reserve(static_cast<size_t>(n));
    int saved[CELL_COUNT];
    SaveCells(m_cell, saved);

    // 3. Score every move: its search value plus its square weight. The best root score so far,
    //    weights included, is the bound each following move is searched against.
    int best = -SCORE_INFINITY;
    for (int sy = 0; sy < BOARD_SIZE; ++sy) {
        for (int sx = 0; sx < BOARD_SIZE; ++sx) {
            if (!CBoard::Play(colour, sx, sy))
                continue;
            const int v = Search(depth, depth - 1, Opponent(colour), best, SCORE_INFINITY);
            const int score = v + m_weight[CellIndex(sx, sy)];
            candidates.push_back({score, sx, sy});
            SaveCells(saved, m_cell);
            if (score > best)
                best = score;
        }
    }

    // 4. The best-scored squares, in scan order.
    size_t k = 0;
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
    const BestSquare& chosen = bestSquares[static_cast<size_t>(r) % k];
    *x = chosen.x;
    *y = chosen.y;
}

int CGameBoard::Search(int depth, int rest, int colour, int alpha, int beta) {
    // 1. A leaf is worth the searching side's disc count.
    if (rest == 0)
        return CountDiscs(m_turn);

    // 2. A side that cannot move passes, using up one ply; the bound of the node that now moves
    //    is opened again. If neither side can move, the game ends in this line.
    while (!HasMove(colour)) {
        if (!HasMove(Opponent(colour)))
            return CountDiscs(m_turn);
        if ((depth - rest) % 2 == 0)
            alpha = -SCORE_INFINITY;
        else
            beta = SCORE_INFINITY;
        colour = Opponent(colour);
        rest -= 1;
        // 3. A pass into the last ply is a leaf too.
        if (rest == 0)
            return CountDiscs(m_turn);
    }

    // 4. This node's own save area, to undo each trial move.
    int saved[CELL_COUNT];
    SaveCells(m_cell, saved);

    // 5. Max node when the searching side moves (depth - rest even), min node otherwise. Each
    //    child gets this node's running result as its bound; comparisons are strict.
    if ((depth - rest) % 2 == 0) {
        // 6. Max node.
        int result = -SCORE_INFINITY;
        for (int sy = 0; sy < BOARD_SIZE; ++sy) {
            for (int sx = 0; sx < BOARD_SIZE; ++sx) {
                if (!CBoard::Play(colour, sx, sy))
                    continue;
                const int v = Search(depth, rest - 1, Opponent(colour), result, beta);
                SaveCells(saved, m_cell);
                if (v > result) {
                    result = v;
                    if (v > beta)
                        return v;
                }
            }
        }
        return result;
    }

    // 7. Min node.
    int result = SCORE_INFINITY;
    for (int sy = 0; sy < BOARD_SIZE; ++sy) {
        for (int sx = 0; sx < BOARD_SIZE; ++sx) {
            if (!CBoard::Play(colour, sx, sy))
                continue;
            const int v = Search(depth, rest - 1, Opponent(colour), alpha, result);
            SaveCells(saved, m_cell);
            if (v < result) {
                result = v;
                if (v < alpha)
                    return v;
            }
        }
    }
    return result;
}
