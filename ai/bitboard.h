// Bitboards for the search: one 64-bit mask per side, bit y * 8 + x; legal moves, flips, counts.
#pragma once

#include "search_kernel.h"

#include <cstdint>

using Bitboard = std::uint64_t;

// Everything below is compiled once per instruction set (see search_kernel.h). Internal linkage
// keeps each translation unit's copy its own: the linker must never swap a baseline caller's
// function for one built with newer instructions.
namespace {

constexpr int SquareX(int square) { return square & 7; }
constexpr int SquareY(int square) { return square >> 3; }
constexpr Bitboard SquareBit(int square) { return Bitboard{1} << square; }

// Columns 1 to 6. A run of discs inside them cannot step across the left or right edge into the
// next row, so one mask guards every sideways and diagonal shift.
constexpr Bitboard INNER_COLUMNS = 0x7E7E7E7E7E7E7E7EULL;

inline int Popcount(Bitboard b) {
#ifdef __POPCNT__
    return __builtin_popcountll(b);
#else
    // Without the POPCNT instruction, which the oldest x86 processors lack.
    b = b - ((b >> 1) & 0x5555555555555555ULL);
    b = (b & 0x3333333333333333ULL) + ((b >> 2) & 0x3333333333333333ULL);
    b = (b + (b >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>((b * 0x0101010101010101ULL) >> 56);
#endif
}

inline int LowestSquare(Bitboard b) { return __builtin_ctzll(b); }

// Squares reached from the discs of `from` by one step of `shift` (positive: down the bit order).
template <int shift> constexpr Bitboard Step(Bitboard from) {
    if constexpr (shift > 0)
        return from << shift;
    else
        return from >> -shift;
}

// The empty squares at the far end of a run of `through` discs that starts next to `own`, in
// one direction. A run is at most six discs long. The run is filled by parallel prefix
// (Kogge-Stone): two single steps, then two steps of two through `pairs` (squares whose
// neighbour one step back is `through` as well) reach six discs with four shifts where a plain
// shift-by-one fill (dumb7fill) needs six.
template <int shift> inline Bitboard MovesOneWay(Bitboard own, Bitboard through, Bitboard empty) {
    Bitboard run = through & Step<shift>(own);
    run |= through & Step<shift>(run);
    const Bitboard pairs = through & Step<shift>(through);
    run |= pairs & Step<2 * shift>(run);
    run |= pairs & Step<2 * shift>(run);
    return empty & Step<shift>(run);
}

// Every square where `own` may play: it brackets at least one straight run of `opp`.
inline Bitboard LegalMoves(Bitboard own, Bitboard opp, Bitboard empty) {
    const Bitboard inner = opp & INNER_COLUMNS;
    return MovesOneWay<1>(own, inner, empty) | MovesOneWay<-1>(own, inner, empty) |
           MovesOneWay<8>(own, opp, empty) | MovesOneWay<-8>(own, opp, empty) |
           MovesOneWay<7>(own, inner, empty) | MovesOneWay<-7>(own, inner, empty) |
           MovesOneWay<9>(own, inner, empty) | MovesOneWay<-9>(own, inner, empty);
}

namespace bitboard_detail {

struct Direction {
    int dx;
    int dy;
};

// Four directions run up the bit order, four down it.
constexpr Direction UP_DIRECTIONS[4] = {{+1, 0}, {-1, +1}, {0, +1}, {+1, +1}};
constexpr Direction DOWN_DIRECTIONS[4] = {{-1, 0}, {+1, -1}, {0, -1}, {-1, -1}};

// Plain arrays: no library template is instantiated here, so nothing of this file can reach the
// linker as a shared, mergeable copy.
struct RayTable {
    Bitboard ray[64][4];
};

// The squares from each square to the board's edge in each direction, the square itself left out.
constexpr RayTable MakeRays(const Direction (&directions)[4]) {
    RayTable rays{};
    for (int square = 0; square < 64; ++square) {
        for (int d = 0; d < 4; ++d) {
            Bitboard ray = 0;
            int x = SquareX(square) + directions[d].dx;
            int y = SquareY(square) + directions[d].dy;
            while (x >= 0 && x < 8 && y >= 0 && y < 8) {
                ray |= SquareBit(SquareOf(x, y));
                x += directions[d].dx;
                y += directions[d].dy;
            }
            rays.ray[square][d] = ray;
        }
    }
    return rays;
}

constexpr RayTable UP_RAYS = MakeRays(UP_DIRECTIONS);
constexpr RayTable DOWN_RAYS = MakeRays(DOWN_DIRECTIONS);

} // namespace bitboard_detail

// The discs of `opp` that a disc of `own` on the empty `square` turns over. With AVX2 the four
// directions up the bit order go in the lanes of one vector and the four down it in another;
// without, one direction after another.
#ifdef __AVX2__
using Bitboard4 = Bitboard __attribute__((vector_size(32)));

inline Bitboard Flips(int square, Bitboard own, Bitboard opp) {
    using namespace bitboard_detail;
    Bitboard4 up, down;
    __builtin_memcpy(&up, UP_RAYS.ray[square], sizeof(up));
    __builtin_memcpy(&down, DOWN_RAYS.ray[square], sizeof(down));
    const Bitboard4 zero = {0, 0, 0, 0};
    const Bitboard4 ownAll = zero + own;
    const Bitboard4 notOpp = zero + ~opp;
    const Bitboard4 upEnds = up & notOpp;
    const Bitboard4 upOutflank = upEnds & (zero - upEnds) & ownAll;
    const Bitboard4 upFlips = up & (upOutflank + (Bitboard4)(upOutflank != zero));
    // Down the bit order: every bit up to the highest end, then that end alone.
    const Bitboard4 downEnds = down & notOpp;
    Bitboard4 below = downEnds | (downEnds >> 1);
    below |= below >> 2;
    below |= below >> 4;
    below |= below >> 8;
    below |= below >> 16;
    below |= below >> 32;
    const Bitboard4 downOutflank = below & ~(below >> 1) & ownAll;
    const Bitboard4 downFlips = down & ~below & (Bitboard4)(downOutflank != zero);
    const Bitboard4 f = upFlips | downFlips;
    return f[0] | f[1] | f[2] | f[3];
}
#else
inline Bitboard Flips(int square, Bitboard own, Bitboard opp) {
    using namespace bitboard_detail;
    const Bitboard* up = UP_RAYS.ray[square];
    const Bitboard* down = DOWN_RAYS.ray[square];
    Bitboard flips = 0;
    for (int d = 0; d < 4; ++d) {
        // Up the bit order the nearest square that is not `opp` is the ray's lowest such bit;
        // the run before it turns when that square is `own`. No branches: a mispredicted one
        // costs more than the arithmetic.
        const Bitboard ray = up[d];
        const Bitboard ends = ray & ~opp;
        const Bitboard outflank = ends & (0 - ends) & own;
        flips |= ray & (outflank - (outflank != 0));
    }
    for (int d = 0; d < 4; ++d) {
        // Down the bit order it is the highest such bit. With no such bit, bit 0 stands in and
        // is rejected for not being one of the ends.
        const Bitboard ray = down[d];
        const Bitboard ends = ray & ~opp;
        const Bitboard outflank = SquareBit(63 - __builtin_clzll(ends | 1)) & ends & own;
        flips |= ray & (0 - (outflank << 1));
    }
    return flips;
}
#endif

} // namespace
