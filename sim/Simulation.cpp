#include "sim/Simulation.h"

namespace sim {

void startRandomSequence(std::int64_t skip) {
  platform::resetRandom();
  for (std::int64_t i = 0; i < skip; ++i) platform::nextRandom();
}

}  // namespace sim
