#include <gtest/gtest.h>

#include "BoatTestSupport.h"
#include "boat/Voilier.h"

TEST(Voilier, NewBoatHoldsItsInitialValuesExactly) {
  const Voilier b;

  // Motion state: at (0, 1), on the single-precision pi/6, at 3 m/s, nothing else moving.
  EXPECT_EQ(b.x, 0.0f);
  EXPECT_EQ(b.y, 1.0f);
  EXPECT_EQ(b.theta, 0.5235988f);
  EXPECT_EQ(b.v, 3.0f);
  for (float f : {b.omega, b.deltav, b.deltag, b.phi, b.dphi}) EXPECT_EQ(f, 0.0f);

  // Parameters.
  EXPECT_EQ(b.derive, 0.05);
  EXPECT_EQ(b.Jz, 3000);
  EXPECT_EQ(b.rg, 4);
  EXPECT_EQ(b.rv, 2);
  EXPECT_EQ(b.alphag, 250);
  EXPECT_EQ(b.alphav, 500);
  EXPECT_EQ(b.alphaf, 100);
  EXPECT_EQ(b.alphatheta, 2000);
  EXPECT_EQ(b.lm, 2);
  EXPECT_EQ(b.m, 1000);
  EXPECT_EQ(b.hv, 1);
  EXPECT_EQ(b.alphaphi, 300);
  EXPECT_EQ(b.Jx, 175000);
  EXPECT_EQ(b.hp, 1);
  EXPECT_EQ(b.kphi, 30000);

  // Autopilot: the heading reference is the float pi/6 widened, not the double pi/6.
  EXPECT_EQ(b.cap, 0.5235987901687622);
  EXPECT_EQ(b.q, 3);
  EXPECT_EQ(b.xd, 250);
  EXPECT_EQ(b.yd, 250);
  EXPECT_EQ(b.capd, 0.5235988f);

  // Wind, forces and commands start at zero.
  for (double d : {b.V, b.fg, b.fv, b.u1, b.u2}) EXPECT_EQ(d, 0.0);
}

TEST(Voilier, FieldsKeepTheirWidths) {
  const Voilier b;
  static_assert(sizeof(b.x) == 4 && sizeof(b.dphi) == 4 && sizeof(b.capd) == 4);
  static_assert(sizeof(b.derive) == 8 && sizeof(b.V) == 8 && sizeof(b.cap) == 8 && sizeof(b.u2) == 8);
  // The rudder limit is the float nearest pi/5, exactly 0.6283185482025146484375.
  EXPECT_EQ(double(Voilier::kRudderLimit), 0.6283185482025146484375);
}

TEST(Voilier, AssigningANewBoatRestoresEveryField) {
  Voilier b;
  b.x = 12;
  b.V = 7;
  b.q = 1;
  b.xd = -40;
  b.u2 = 3;
  b.capd = -2.3561945f;
  b = Voilier();

  // No field may escape the reset.
  ExpectSameBoat(b, Voilier());
}
