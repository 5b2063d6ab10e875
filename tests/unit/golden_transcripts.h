// The recorded games of "milda-match N N 1" for N = 1 to 5, in that order.
#pragma once

extern const char* const GOLDEN_TRANSCRIPTS[5];
