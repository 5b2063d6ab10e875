#include "random.h"

namespace {

constexpr std::uint32_t RANDOM_MULTIPLIER = 214013u;
constexpr std::uint32_t RANDOM_INCREMENT = 2531011u;
constexpr int RANDOM_SHIFT = 16;
constexpr std::uint32_t RANDOM_MASK = 0x7FFFu;

std::uint32_t g_state = RANDOM_INITIAL_STATE;

} // namespace

int NextRandom() {
    g_state = g_state * RANDOM_MULTIPLIER + RANDOM_INCREMENT; // wraps modulo 2^32
    return static_cast<int>((g_state >> RANDOM_SHIFT) & RANDOM_MASK);
}

std::uint32_t GetRandomState() { return g_state; }

void SetRandomState(std::uint32_t state) { g_state = state; }
