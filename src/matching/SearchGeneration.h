#pragma once
#include <cstdint>

// The number of the last search made by any search panel of the process, 0 before
// the first. Every search takes the next one, so an entry's MatchStamp equal to
// the current search's number means "already listed by this search".
extern std::int32_t SearchGeneration;

// Moves SearchGeneration on and returns the new number, never 0. After the largest
// number it starts again at 1 instead of overflowing.
std::int32_t NextSearchGeneration();
