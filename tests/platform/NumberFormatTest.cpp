#include "platform/NumberFormat.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace {

// The program's single-precision pi and the new boat's heading (rad).
constexpr float kPi = 3.1415927f;
constexpr float kInitialHeading = 0.5235988f;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kDenormMin = std::numeric_limits<double>::denorm_min();

// The text of "%f" from the C library, in whatever locale is current, sized for any value.
std::string printfFixed(double value) {
  const int length = std::snprintf(nullptr, 0, "%f", value);
  std::string text(std::size_t(length) + 1, '\0');
  std::snprintf(text.data(), text.size(), "%f", value);
  text.resize(std::size_t(length));
  return text;
}

// Integer digits of the largest double.
const std::string kMaxDigits =
    "17976931348623157081452742373170435679807056752584499659891747680315726078002853876058955863276687"
    "81715404589535143824642343213268894641827684675467035375169860499105765512820762454900903893289440"
    "75868508455133942304583236903222948165808559332123348274797826204144723168738177180919299881250404"
    "026184124858368";

struct Case {
  const char* name;
  double value;
  std::string expected;
};

const Case kCases[] = {
    {"zero", 0.0, "0.000000"},
    {"negative_zero", -0.0, "-0.000000"},
    {"whole", 3.0, "3.000000"},
    {"negative_half", -0.5, "-0.500000"},
    {"half", 0.5, "0.500000"},
    // The new boat's heading in degrees: the float pi gives exactly 30, the double pi 30.000001.
    {"heading_degrees", double(kInitialHeading) * 180 / double(kPi), "30.000000"},
    {"below_last_digit", 1e-7, "0.000000"},
    {"negative_below_last_digit", -1e-7, "-0.000000"},
    {"smallest_denormal", kDenormMin, "0.000000"},
    {"negative_smallest_denormal", -kDenormMin, "-0.000000"},
    // 5e-7 is stored just below the half, 1.5e-6 and 2.5e-6 just above it.
    {"half_digit_below", 0.0000005, "0.000000"},
    {"negative_half_digit_below", -0.0000005, "-0.000000"},
    {"half_digit_above", 0.0000015, "0.000002"},
    {"half_digit_above_even", 0.0000025, "0.000003"},
    // Exact binary halves of the last digit round to even.
    {"exact_tie_down", 0.0078125, "0.007812"},
    {"exact_tie_up", 0.0234375, "0.023438"},
    {"large", 1e15, "1000000000000000.000000"},
    // The exact binary value, not the shortest decimal that reads back.
    {"exact_digits", 1e23, "99999999999999991611392.000000"},
    {"largest", DBL_MAX, kMaxDigits + ".000000"},
    {"negative_largest", -DBL_MAX, "-" + kMaxDigits + ".000000"},
    {"nan", kNaN, "nan"},
    {"negative_nan", -kNaN, "-nan"},
    {"infinity", kInf, "inf"},
    {"negative_infinity", -kInf, "-inf"},
};

class FormatFixedTest : public testing::TestWithParam<Case> {};

// Each value gives its expected text, which is also what "%f" gives in the C locale.
TEST_P(FormatFixedTest, GivesTheTextOfPrintfInTheCLocale) {
  const Case& c = GetParam();
  ASSERT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
  EXPECT_EQ(platform::formatFixed(c.value), c.expected);
  EXPECT_EQ(platform::formatFixed(c.value), printfFixed(c.value));
}

INSTANTIATE_TEST_SUITE_P(Values, FormatFixedTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

// A locale with a decimal comma changes the C library's "%f" but not our text. The
// locale is put back to "C" at the end so that no other test sees it.
TEST(FormatFixedLocaleTest, KeepsThePointUnderADecimalCommaLocale) {
  const char* const kCommaLocales[] = {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE.utf8",
                                       "fr_FR.utf8",  "de_DE",       "fr_FR"};
  const char* installed = nullptr;
  for (const char* name : kCommaLocales) {
    if (std::setlocale(LC_NUMERIC, name) != nullptr) {
      installed = name;
      break;
    }
  }
  if (installed == nullptr) GTEST_SKIP() << "no German or French locale is installed";

  // The locale is in force: the C library writes a comma.
  EXPECT_EQ(printfFixed(-0.5), "-0,500000") << installed;
  for (const Case& c : kCases)
    EXPECT_EQ(platform::formatFixed(c.value), c.expected) << installed << " " << c.name;
  std::setlocale(LC_NUMERIC, "C");
}

}  // namespace
