#pragma once

// The program's one pseudo-random sequence. It is the same at every start and never
// reseeded: the dynamics step draws its gust from it and the boat drawing draws the
// wind arrow's flicker from it, so both share (and shift) the same sequence.
namespace platform {

// Next value of the sequence, from 0 to 2^31 - 1.
int nextRandom();

// Puts the sequence back to its start-up state. For tests and tools only.
void resetRandom();

}  // namespace platform
