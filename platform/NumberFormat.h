#pragma once

#include <string>

namespace platform {

// The text of a value in fixed-point notation with six decimals, exactly as "%f"
// gives it in the C locale: a leading minus for negative values (also -0.0), a point
// as decimal separator whatever the user's locale, no field width, no grouping;
// "nan" or "-nan" for a value that is not a number, "inf" or "-inf" for infinities.
// Any value fits: the text grows to the 300-odd characters of the largest doubles.
std::string formatFixed(double value);

}  // namespace platform
