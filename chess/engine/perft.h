#pragma once
// Size of the generator's move tree, for checking the generator against the rules of chess.
#include <cstdint>

#include "engine_board.h"

namespace chess {

// Leaves of the tree `depth` plies deep, the computer moving first and the sides
// alternating. Pawns reaching their last row become queens, as in the search. A move that
// leaves the mover's own king capturable by the other side's generator is not counted.
uint64_t Perft(const EngineBoard& board, int depth);

}  // namespace chess
