#include "golden_transcripts.h"

#include "ai/random.h"
#include "tools/match_runner.h"

#include <gtest/gtest.h>

#include <sstream>

// Each level's self-play game from a fresh generator, move by move: any change in a single
// choice of the search, the weights or the tie-break shows here.
class GoldenGame : public ::testing::TestWithParam<int> {};

TEST_P(GoldenGame, MatchesTheRecordedTranscript) {
    const int level = GetParam();
    const std::uint32_t saved = GetRandomState();
    SetRandomState(RANDOM_INITIAL_STATE);
    std::ostringstream out;
    RunMatch(level, level, 1, out);
    SetRandomState(saved);
    EXPECT_EQ(out.str(), GOLDEN_TRANSCRIPTS[level - 1]);
}

INSTANTIATE_TEST_SUITE_P(Levels, GoldenGame, ::testing::Range(1, 6));
