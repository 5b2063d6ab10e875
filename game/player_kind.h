// Player kinds: 0 a person, 1 to 5 the computer at that level; the kinds and guide of a new
// game; the clamp into range; the search depth of each level.
#pragma once

constexpr int KIND_PERSON = 0;
constexpr int KIND_MAX_LEVEL = 5;

// White a person, black the computer at level 1, guide on: a new game's sides and the settings
// file's defaults.
constexpr int DEFAULT_FIRST_PLAYER = KIND_PERSON;
constexpr int DEFAULT_LAST_PLAYER = 1;
constexpr int DEFAULT_GUIDE = 1;

// A kind outside the range comes only from a hand-edited settings file or a caller's mistake: a
// kind below a person would leave a side that never moves, one above the top level would make
// the search unbounded.
constexpr int ClampPlayerKind(int kind) {
    return kind < KIND_PERSON ? KIND_PERSON : kind > KIND_MAX_LEVEL ? KIND_MAX_LEVEL : kind;
}

// Level n searches n + 1 plies: the computer's own move and n further half-moves.
constexpr int SearchDepthForKind(int kind) { return kind + 1; }
