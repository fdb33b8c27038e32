#include "platform/Random.h"

#include <cstdint>

namespace platform {
namespace {

// The state starts at 1 and is advanced once by the 32-bit step S * 22695477 + 1.
constexpr std::uint64_t kStartState = std::uint32_t(1u * 22695477u + 1u);

// Each draw: S <- S * (346 * 2^32 + 20021) + 1, modulo 2^64.
constexpr std::uint64_t kMultiplier = (std::uint64_t{346} << 32) + 20021u;

std::uint64_t state = kStartState;

}  // namespace

int nextRandom() {
  state = state * kMultiplier + 1u;
  // Bits 32 to 62 of the new state.
  return int((state >> 32) & 0x7fffffffu);
}

void resetRandom() { state = kStartState; }

}  // namespace platform
