#include "game/game_board.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Leaf count of the move tree; a forced pass counts as a move, an ended game as a leaf.
long long Perft(CBoard& b, int color, int depth, bool passed = false) {
    if (depth == 0)
        return 1;
    int saved[CELL_COUNT];
    std::memcpy(saved, b.m_cell, sizeof(saved));
    long long leaves = 0;
    bool moved = false;
    for (int y = 0; y < BOARD_SIZE; ++y) {
        for (int x = 0; x < BOARD_SIZE; ++x) {
            if (!b.CBoard::Play(color, x, y))
                continue;
            moved = true;
            leaves += Perft(b, Opponent(color), depth - 1);
            std::memcpy(b.m_cell, saved, sizeof(saved));
        }
    }
    if (moved)
        return leaves;
    if (passed)
        return 1;
    return Perft(b, Opponent(color), depth - 1, true);
}

} // namespace

TEST(Perft, LeafCountsFromTheStartingPosition) {
    const long long expected[8] = {4, 12, 56, 244, 1396, 8200, 55092, 390216};
    CBoard b;
    for (int depth = 1; depth <= 8; ++depth)
        EXPECT_EQ(Perft(b, WHITE, depth), expected[depth - 1]) << "depth " << depth;
}
