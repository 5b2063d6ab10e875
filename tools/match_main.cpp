// milda-match FIRST LAST [GAMES]: computer-vs-computer games, one line per move.
#include "match_runner.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace {

constexpr int EXIT_USAGE = 2;

bool ParseInt(const char* text, long low, long high, int* value) {
    if (text == nullptr || *text == '\0')
        return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 10);
    if (errno != 0 || *end != '\0' || v < low || v > high)
        return false;
    *value = static_cast<int>(v);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    int first = 0;
    int last = 0;
    int games = 1;
    const bool ok = (argc == 3 || argc == 4) && ParseInt(argv[1], 1, 5, &first) &&
                    ParseInt(argv[2], 1, 5, &last) &&
                    (argc == 3 || ParseInt(argv[3], 1, INT_MAX, &games));
    if (!ok) {
        std::fprintf(stderr, "usage: milda-match FIRST LAST [GAMES]  (FIRST, LAST: 1 to 5; "
                             "GAMES: 1 or more, default 1)\n");
        return EXIT_USAGE;
    }
    std::ios::sync_with_stdio(false);
    RunMatch(first, last, games, std::cout);
    std::cout.flush();
    return std::cout ? EXIT_SUCCESS : EXIT_FAILURE;
}
