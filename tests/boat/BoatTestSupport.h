#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "boat/Voilier.h"
#include "platform/Random.h"

// True when `actual` agrees with `expected` to six significant digits: within half a
// unit of the sixth digit, the precision to which hand-worked figures are quoted.
inline ::testing::AssertionResult SixDigits(double actual, double expected) {
  const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(expected))) - 5);
  if (std::fabs(actual - expected) <= 0.5 * unit) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << actual << " differs from " << expected << " in six digits";
}

// Positions the program's random sequence so that its next value has the given parity
// (0 even, 1 odd). Returns how many values were skipped.
inline int SkipToParity(int parity) {
  platform::resetRandom();
  // The first values are 1410184549 (odd) and 672584604 (even).
  if (parity == 0) {
    platform::nextRandom();
    return 1;
  }
  return 0;
}

// Expects every field of two boats to be equal (NaN equal to NaN).
inline void ExpectSameBoat(const Voilier& a, const Voilier& b) {
  auto same = [](double p, double q) { return p == q || (std::isnan(p) && std::isnan(q)); };
#define KORVALEN_FIELD(f) EXPECT_TRUE(same(a.f, b.f)) << #f ": " << a.f << " vs " << b.f;
  KORVALEN_FIELD(x)
  KORVALEN_FIELD(y) KORVALEN_FIELD(theta) KORVALEN_FIELD(v) KORVALEN_FIELD(omega) KORVALEN_FIELD(deltav)
      KORVALEN_FIELD(deltag) KORVALEN_FIELD(phi) KORVALEN_FIELD(dphi) KORVALEN_FIELD(derive)
          KORVALEN_FIELD(Jz) KORVALEN_FIELD(rg) KORVALEN_FIELD(rv) KORVALEN_FIELD(alphag)
              KORVALEN_FIELD(alphav) KORVALEN_FIELD(alphaf) KORVALEN_FIELD(alphatheta) KORVALEN_FIELD(lm)
                  KORVALEN_FIELD(V) KORVALEN_FIELD(m) KORVALEN_FIELD(hv) KORVALEN_FIELD(alphaphi)
                      KORVALEN_FIELD(Jx) KORVALEN_FIELD(hp) KORVALEN_FIELD(kphi) KORVALEN_FIELD(cap)
                          KORVALEN_FIELD(q) KORVALEN_FIELD(xd) KORVALEN_FIELD(yd) KORVALEN_FIELD(fg)
                              KORVALEN_FIELD(fv) KORVALEN_FIELD(u1) KORVALEN_FIELD(u2) KORVALEN_FIELD(capd)
#undef KORVALEN_FIELD
}
