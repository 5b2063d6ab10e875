// The computer player's generator: one process-wide linear congruential state, never reseeded.
#pragma once

#include <cstdint>

constexpr std::uint32_t RANDOM_INITIAL_STATE = 1;

// Next number from 0 to 32767; advances the process-wide state.
int NextRandom();

// The process-wide state; tests read and restore it to replay a run from its start.
std::uint32_t GetRandomState();
void SetRandomState(std::uint32_t state);
