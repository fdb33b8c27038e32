#include "platform/NumberFormat.h"

#include <charconv>
#include <limits>
#include <system_error>

namespace platform {
namespace {

// Digits after the point, as in "%f".
constexpr int kDecimals = 6;

// Longest fixed-point text of a finite double (characters): a sign, the integer
// digits of the largest value, the point and the decimals.
constexpr std::size_t kLongestText = 1 + (std::numeric_limits<double>::max_exponent10 + 1) + 1 + kDecimals;

// Writes the value into the whole of the text's current size.
std::to_chars_result writeFixed(std::string& text, double value) {
  char* first = text.data();
  return std::to_chars(first, first + text.size(), value, std::chars_format::fixed, kDecimals);
}

}  // namespace

std::string formatFixed(double value) {
  // std::to_chars ignores the locale and rounds the exact binary value correctly,
  // as the C library's "%f" does. The text starts at the longest size a double
  // needs and still grows, should it ever be too short.
  std::string text(kLongestText, '\0');
  std::to_chars_result result = writeFixed(text, value);
  while (result.ec == std::errc::value_too_large) {
    text.resize(2 * text.size());
    result = writeFixed(text, value);
  }
  text.resize(std::size_t(result.ptr - text.data()));
  return text;
}

}  // namespace platform
