#include "boat/Voilier.h"

#include <cmath>

#include "platform/Random.h"

namespace {

// Single-precision angles, widened to double where they are used.
constexpr float kPi = 3.1415927f;
constexpr float kHalfPi = 1.5707964f;
constexpr float kQuarterPi = 0.7853982f;
constexpr float kTwoPi = 6.2831855f;

// Leg headings of the station-keeping circuit (rad). The wind blows towards -y.
constexpr float kUpwindEast = 0.5235988f;     // 30 deg: beat up towards +x
constexpr float kUpwindWest = 2.617994f;      // 150 deg: beat up towards -x
constexpr float kDownwindEast = -0.7853982f;  // -45 deg: run down towards +x
constexpr float kDownwindWest = -2.3561945f;  // -135 deg: run down towards -x
constexpr float kDeadDownwind = -1.5707964f;  // -90 deg: run straight down

// The corners around the target that start a new leg.
enum Corner { kNoCorner, kSouthWest, kSouthEast, kNorthWest, kNorthEast };

// The circuit: in a corner, a boat on leg `from` switches to leg `to` and its heading.
// Below the target the legs beat upwind, above it they run downwind, and each heads
// back across the target's x; from leg 3 the north-east corner runs dead downwind.
struct CircuitRule {
  Corner corner;
  double from, to;  // leg numbers
  float heading;    // leg heading (rad)
};
// clang-format off
constexpr CircuitRule kCircuitRules[] = {
    {kSouthEast, 3, 4, kUpwindWest},
    {kSouthWest, 4, 3, kUpwindEast},
    {kNorthWest, 3, 1, kDownwindEast},
    {kSouthWest, 1, 3, kUpwindEast},
    {kNorthEast, 4, 2, kDownwindWest},
    {kSouthEast, 2, 4, kUpwindWest},
    {kNorthEast, 1, 2, kDownwindWest},
    {kNorthWest, 2, 1, kDownwindEast},
    {kSouthEast, 1, 4, kUpwindWest},
    {kNorthWest, 4, 1, kDownwindEast},
    {kNorthEast, 3, 2, kDeadDownwind},
    {kSouthWest, 2, 3, kUpwindEast},
};
// clang-format on

// Half-size of the square around the target outside which the corners begin (m).
constexpr float kCornerThreshold = 12;

// The corner where a boat at offset (dx, dy) from the target stands. Strict
// comparisons: the 24 x 24 square around the target and the bands beside it are no corner.
Corner CornerOf(double dx, double dy) {
  const double t = kCornerThreshold;
  if (dx < -t && dy < -t) return kSouthWest;
  if (dx > t && dy < -t) return kSouthEast;
  if (dx < -t && dy > t) return kNorthWest;
  if (dx > t && dy > t) return kNorthEast;
  return kNoCorner;
}

// Rate of the heading-reference filter (1/s).
constexpr double kReferenceRate = 5;

// Gain of the proportional sail law (1/s).
constexpr double kSailGain = 0.8;

}  // namespace

Voilier::Voilier() = default;

double Voilier::guidage(float dT) {
  const Corner here = CornerOf(double(x) - xd, double(y) - yd);

  // Entering a corner other than the current leg's own starts that corner's leg. Each
  // rule sees q as the rules before it left it.
  for (const CircuitRule& rule : kCircuitRules) {
    if (here == rule.corner && q == rule.from) {
      q = rule.to;
      capd = rule.heading;
    }
  }

  // First-order lag towards the leg heading: with dT = 0.1 the gap halves each step.
  const double target = capVise();
  cap = cap + (target - cap) * kReferenceRate * double(dT);
  return cap;
}

float Voilier::consigneVoile() {
  // n whole turns bring cap into [-pi/2, 3pi/2); the boom is then set at minus half
  // the angle between cap and head to wind (pi/2).
  const double n = std::floor((cap + double(kHalfPi)) / double(kTwoPi));
  return float(n * double(kPi) + double(kQuarterPi) - cap * 0.5);
}

float Voilier::capVise() {
  // Whole turns between cap and capd, truncated towards zero. Truncating in floating
  // point keeps NaN and infinities defined: they pass through to the result.
  const float k = float(std::trunc((cap - double(capd)) / double(kTwoPi)));
  return float(double(capd) + 2.0 * double(k) * double(kPi));
}

void Voilier::evolution(float dT, float w1, float w2) {
  const double h = dT;

  // Gust: +0.5 on an odd draw, -0.5 on an even one.
  V = V + double(platform::nextRandom() % 2) - 0.5;

  // Angles at the start of the step, widened once.
  const double theta0 = theta, deltav0 = deltav, deltag0 = deltag, v0 = v, omega0 = omega;
  const double sinDv = std::sin(deltav0), cosDv = std::cos(deltav0);
  const double sinDg = std::sin(deltag0), cosDg = std::cos(deltag0);

  // Sail and rudder forces, from the old angles and speed, held through the step.
  fv = alphav * V * std::cos(theta0 + deltav0) - alphav * v0 * sinDv;
  fg = alphag * v0 * sinDg;

  // Position, with the leeway drift towards -y.
  x = float(double(x) + h * v0 * std::cos(theta0));
  y = float(double(y) + h * (v0 * std::sin(theta0) - derive * V));

  // Heading from the old yaw rate, then the yaw rate from the yaw moment.
  theta = float(theta0 + h * omega0);
  omega = float(omega0 + h * ((lm - rv * cosDv) * fv - rg * cosDg * fg - alphatheta * omega0) / Jz);

  // Sail law: proportional.
  u1 = kSailGain * (double(w1) - deltav0);

  // Rudder law: inverts the yaw model so that theta follows w2 with a third-order
  // response. It sees the new theta and omega, and the old angles and speed.
  const double th = theta, om = omega;
  const double sinThDv = std::sin(th + deltav0);
  const double W = ((lm - rv * cosDv) * fv - rg * cosDg * fg - alphatheta * om) / Jz;
  const double A = (fv * sinDv - fg * sinDg - alphaf * v0) / m;
  const double H = 5 * (double(w2) - th) - 3.5 * om - 3 * W;
  const double S = alphav * lm * v0 * cosDv - rv * fv * sinDv + alphav * lm * V * sinThDv -
                   alphav * rv * V * cosDv * sinThDv - alphav * rv * v0 * cosDv * cosDv;
  const double N = Jz * H + u1 * S + alphatheta * W + alphag * rg * sinDg * cosDg * A -
                   alphav * (1 + rv * cosDv) * (V * om * sinThDv + A * sinDv);
  const double D = rg * fg * sinDg - alphag * rg * v0 * cosDg * cosDg;
  u2 = N / D;

  // Actuators. The rudder stops at its limit; a NaN rudder angle goes to -limit.
  deltav = float(deltav0 + h * u1);
  deltag = float(deltag0 + h * u2);
  if (deltag > kRudderLimit) deltag = kRudderLimit;
  if (!(deltag >= -kRudderLimit)) deltag = -kRudderLimit;

  // Forward speed, with the new sail and rudder angles but this step's forces.
  v = float(v0 + h * (fv * std::sin(double(deltav)) - fg * std::sin(double(deltag)) - alphaf * v0) / m);

  // Roll: the angle from the old rate, then the rate with the new angle.
  const double dphi0 = dphi;
  phi = float(double(phi) + h * dphi0);
  const double ph = phi;
  dphi = float(dphi0 + h * (hv * fv * std::cos(ph) - alphaphi * dphi0 - hp * kphi * std::sin(ph)) / Jx);
}
