#pragma once

// The sailing boat: its motion state, its physical parameters, the state of its
// autopilot and the forces and commands of its last dynamics step.
//
// Frame: x east, y north, z up; the sea is the plane z = 0. The heading theta is
// measured from +x towards +y. The wind blows towards -y: heading pi/2 is head to
// wind, -pi/2 dead downwind. Units: metres, seconds, radians, kilograms, newtons.
//
// A plain value: copying a boat copies all of it, and assigning a new Voilier over
// an old one puts every field back to its value at construction.
//
// Widths matter: the motion state and the leg heading are single precision, the rest
// double. Every update is computed in double precision and rounded once, when it is
// stored; later updates read the stored value.
class Voilier {
 public:
  // Motion state (single precision).
  float x = 0;               ///< East position (m)
  float y = 1;               ///< North position (m)
  float theta = 0.5235988f;  ///< Heading, from +x towards +y (rad)
  float v = 3;               ///< Forward speed along the heading (m/s)
  float omega = 0;           ///< Yaw rate (rad/s)
  float deltav = 0;          ///< Sail (boom) angle relative to the hull (rad)
  float deltag = 0;          ///< Rudder angle, held within +-kRudderLimit (rad)
  float phi = 0;             ///< Roll (heel) angle (rad)
  float dphi = 0;            ///< Roll rate (rad/s)

  // Physical parameters.
  double derive = 0.05;      ///< Leeway: drift towards -y at derive * V
  double Jz = 3000;          ///< Yaw inertia (kg m^2)
  double rg = 4;             ///< Lever arm of the rudder force about the centre of gravity (m)
  double rv = 2;             ///< Distance from the mast to the sail's centre of effort (m)
  double alphag = 250;       ///< Rudder lift coefficient (N s/m)
  double alphav = 500;       ///< Sail lift coefficient (N s/m)
  double alphaf = 100;       ///< Forward drag coefficient (N s/m)
  double alphatheta = 2000;  ///< Yaw damping coefficient (N m s)
  double lm = 2;             ///< Distance from the centre of gravity to the mast (m)
  double V = 0;              ///< True wind speed (m/s); set by the window, moved by the gust
  double m = 1000;           ///< Mass (kg)
  double hv = 1;             ///< Heeling lever of the sail force (m)
  double alphaphi = 300;     ///< Roll damping coefficient (N m s)
  double Jx = 175000;        ///< Roll inertia (kg m^2)
  double hp = 1;             ///< Lever factor of the righting moment (m)
  double kphi = 30000;       ///< Righting stiffness (N)

  // Autopilot.
  double cap = double(0.5235988f);  ///< Heading reference, the filtered leg heading (rad)
  double q = 3;                     ///< Current leg of the circuit: 1, 2, 3 or 4
  double xd = 250;                  ///< Target point, x (m)
  double yd = 250;                  ///< Target point, y (m)

  // Forces and commands of the last dynamics step.
  double fg = 0;  ///< Rudder force (N)
  double fv = 0;  ///< Sail force (N)
  double u1 = 0;  ///< Sail-angle rate command (rad/s)
  double u2 = 0;  ///< Rudder-angle rate command (rad/s)

  float capd = 0.5235988f;  ///< Nominal heading of the current leg (rad)

  /// The rudder stops: the single-precision number nearest to pi/5 (rad).
  static constexpr float kRudderLimit = 0.62831855f;

  Voilier();

  /// Guidance for one step of dT seconds: picks the circuit leg (q, capd) from where
  /// the boat stands relative to the target (xd, yd), then moves the heading
  /// reference cap towards the leg heading. Returns the new cap, not rounded.
  double guidage(float dT);

  /// Sail-angle setpoint (rad) derived from the heading reference cap: minus half the
  /// angle between cap and the direction the wind comes from.
  float consigneVoile();

  /// The leg heading capd moved by whole turns towards cap (truncation, not nearest).
  float capVise();

  /// One explicit Euler step of dT seconds towards the sail setpoint w1 and the
  /// heading setpoint w2 (rad): the random gust on V, the forces, the motion, the
  /// sail and rudder laws (u1, u2) and the actuators. Draws exactly one value from
  /// platform::nextRandom().
  void evolution(float dT, float w1, float w2);

  /// Draws the boat into the current OpenGL context, in world coordinates under the
  /// camera's model-view matrix, which it leaves moved to the boat's frame. Reads the
  /// boat, changes none of it; draws one value from platform::nextRandom().
  void dessiner();
};
