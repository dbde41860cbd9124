#pragma once

#include <cstdint>
#include <string>

// The white back rank of Chess960 start position `number` (0..959) as piece
// letters from file a to h, e.g. "BBQNNRKR" for 0 and "RNBQKBNR" for 385. The
// numbering puts the dark-square bishop first and the knight pair last.
std::string chess960_back_rank(std::uint32_t number);
// A number 0..959, uniform and independent of earlier draws, from one
// generator seeded once from the system's random source; any thread.
std::uint32_t random_chess960_number();
