#pragma once

#include <string>

namespace sim {

// Number texts for the summary, the table and the plot, independent of the locale.

/// Fixed-point text with the given number of decimals: fixed(6.518, 2) is "6.52".
std::string fixed(double value, int decimals);

/// The shortest text in fixed-point notation that reads back to the same double:
/// shortest(0.1) is "0.1", shortest(1e5) is "100000" (never an exponent).
std::string shortest(double value);

}  // namespace sim
