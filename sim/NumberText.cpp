#include "sim/NumberText.h"

#include <charconv>

namespace sim {

namespace {
// Longest text either form can give for a double, with room to spare.
constexpr int kMaxNumberText = 400;
}  // namespace

std::string fixed(double value, int decimals) {
  char text[kMaxNumberText];
  const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
  return std::string(text, end);
}

std::string shortest(double value) {
  char text[kMaxNumberText];
  const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed).ptr;
  return std::string(text, end);
}

}  // namespace sim
