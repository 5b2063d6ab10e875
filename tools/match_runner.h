// Headless computer-vs-computer games, driven as the game window's timer drives them.
#pragma once

#include <ostream>

// Plays `games` games between computer kinds `first` (white) and `last` (black) in this process,
// one generator for the whole run. Writes "W x y" / "B x y" per move and "end w b" per game.
void RunMatch(int first, int last, int games, std::ostream& out);
