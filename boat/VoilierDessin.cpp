// The boat's drawing: the only part of the boat that talks to OpenGL.
//
// Immediate mode, vertex by vertex, every frame; nothing is cached between frames.
// Coordinates after the boat's transforms are in the boat frame: +x towards the bow,
// +y to port, +z up, origin at the boat's position on the sea surface. The hull spans
// x from -1 (transom) to 5 (bow), y from -2 to 2, z from 0 to 1 (the deck).

#include <GL/gl.h>

#include <cmath>
#include <cstddef>

#include "boat/Voilier.h"
#include "platform/Random.h"

namespace {

// The program's single-precision pi, widened to double where it is used.
constexpr float kPi = 3.1415927f;

// Rudder force shown as a line 1 m long per 300 N; the factor is kept in double.
constexpr double kForceLineScale = 1.0 / 300;

// Sail bulge per newton of sail force, fed to the arc tangent (1/N).
constexpr double kBulgeGain = 0.002;

// Line widths (pixels).
constexpr float kThinLine = 2;
constexpr float kThickLine = 4;

// A corner of a fixed polygon (m, boat frame).
struct Corner {
  float x, y, z;
};

// Hull faces, corners in drawing order. The bottom lies 1 cm above the sea plane so
// that the sea does not show through it; the sides start at z = 0.
constexpr Corner kBottom[] = {{-1, -2, 0.01f}, {4, -2, 0.01f}, {5, -1, 0.01f},
                              {5, 1, 0.01f},   {4, 2, 0.01f},  {-1, 2, 0.01f}};
constexpr Corner kDeck[] = {{-1, -2, 1}, {4, -2, 1}, {5, -1, 1}, {5, 1, 1}, {4, 2, 1}, {-1, 2, 1}};
constexpr Corner kStarboardSide[] = {{-1, -2, 0}, {-1, -2, 1}, {4, -2, 1}, {4, -2, 0}};
constexpr Corner kPortSide[] = {{4, 2, 0}, {4, 2, 1}, {-1, 2, 1}, {-1, 2, 0}};
constexpr Corner kTransom[] = {{-1, -2, 0}, {-1, -2, 1}, {-1, 2, 1}, {-1, 2, 0}};
constexpr Corner kBowFace[] = {{5, -1, 0}, {5, -1, 1}, {5, 1, 1}, {5, 1, 0}};
constexpr Corner kPortChamfer[] = {{4, 2, 0}, {4, 2, 1}, {5, 1, 1}, {5, 1, 0}};
constexpr Corner kStarboardChamfer[] = {{4, -2, 0}, {4, -2, 1}, {5, -1, 1}, {5, -1, 0}};

// Rudder plate in the rudder's frame: hinge edge 1 high, lower edge 2 behind the
// hinge, upper edge 1.
constexpr Corner kRudderPlate[] = {{0, 0, 1}, {0, 0, 0}, {-2, 0, 0}, {-1, 0, 1}};

// The sail's colour, translucent (RGBA).
constexpr GLfloat kSailColour[] = {0.8f, 0.8f, 0, 0.9f};

// Radians to degrees with the single-precision pi, in double.
double degrees(float radians) { return double(radians) * 180 / double(kPi); }

// One filled polygon through the given corners.
template <std::size_t N>
void polygon(const Corner (&corners)[N]) {
  glBegin(GL_POLYGON);
  for (const Corner& c : corners) glVertex3f(c.x, c.y, c.z);
  glEnd();
}

// One segment of a GL_LINES primitive, from one point to another (m).
void segment(double x0, double y0, double z0, double x1, double y1, double z1) {
  glVertex3d(x0, y0, z0);
  glVertex3d(x1, y1, z1);
}

}  // namespace

void Voilier::dessiner() {
  // Move to the boat's position on the sea.
  glTranslatef(x, y, 0);

  // Wind arrow, in world orientation: 3 m east of the boat, 11 to 14 m up, pointing
  // towards -y. The shaft length flickers by 1/3 m with the parity of one random draw,
  // taken on every call.
  const int k = platform::nextRandom() % 2;
  const float s = float((V + k - 0.5) / 3);  // shaft length (m)
  const double tail = -4;                    // root of the shaft (y, m)
  const double base = tail - s;              // base of the head (y, m)
  const double tip = -5.5 - s;               // tip of the head (y, m)
  glLineWidth(kThinLine);
  glColor3f(0, 0.7f, 0);
  glBegin(GL_LINES);
  segment(3, tail, 13, 3, base, 13);  // shaft, upper edge
  segment(3, base, 13, 3, base, 14);  // head, upper base
  segment(3, base, 14, 3, tip, 12.5);
  segment(3, tip, 12.5, 3, base, 11);
  segment(3, base, 11, 3, base, 12);  // head, lower base
  segment(3, base, 12, 3, tail, 12);  // shaft, lower edge
  segment(3, tail, 12, 3, tail, 13);  // shaft, root
  glEnd();

  // Turn to the heading, then roll about the boat's own length: the boat frame.
  glRotated(degrees(theta), 0, 0, 1);
  glRotated(degrees(phi), 1, 0, 0);

  // Hull. The bottom and the deck keep whatever normal is current; the four
  // square faces give their own, and the chamfers keep the bow face's.
  glColor3f(0, 0, 0);
  polygon(kBottom);
  glColor3f(1, 0, 0);
  polygon(kDeck);
  glColor3f(0, 1, 0);
  glNormal3f(0, -1, 0);
  polygon(kStarboardSide);
  glNormal3f(0, 1, 0);
  polygon(kPortSide);
  glNormal3f(-1, 0, 0);
  polygon(kTransom);
  glNormal3f(1, 0, 0);
  polygon(kBowFace);
  polygon(kPortChamfer);
  polygon(kStarboardChamfer);

  // Sail, translucent, turned by the boom angle about the mast. Its leech bulges
  // by the arc tangent of the sail force, taken as a length (|b| < pi/2), towards -y
  // of the sail's frame for a positive force.
  glPushMatrix();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glTranslatef(2, 0, 0);
  glRotated(degrees(deltav), 0, 0, 1);
  const double b = -std::atan(kBulgeGain * fv);  // bulge of the sail (m)
  glColor4fv(kSailColour);
  glBegin(GL_TRIANGLE_FAN);
  glVertex3d(0, 0, 2);          // foot of the sail at the mast
  glVertex3d(0, 0, 12);         // head, on the mast
  glVertex3d(-1, 1.5 * b, 10);  // leech
  glVertex3d(-2, 2 * b, 8);
  glVertex3d(-3, 2 * b, 6);
  glVertex3d(-4, 1.5 * b, 4);
  glVertex3d(-5, 0, 2);  // clew, end of the boom
  glEnd();
  glDisable(GL_BLEND);
  glPopMatrix();

  // Rudder, turned by its angle about the hinge at the transom, with a line from
  // the plate's middle, square to it, as long as the rudder force (still 2 wide).
  glPushMatrix();
  glTranslatef(-1, 0, 0);
  glRotated(degrees(deltag), 0, 0, 1);
  glColor3f(1, 0, 0);
  polygon(kRudderPlate);
  const float f = float(fg * kForceLineScale);  // length of the force line (m)
  glColor3f(1, 1, 0);
  glBegin(GL_LINES);
  segment(-1, 0, 0.5, -1, f, 0.5);
  glEnd();
  glPopMatrix();

  // Mast, 14 m high, in black.
  glLineWidth(kThickLine);
  glColor3f(0, 0, 0);
  glBegin(GL_LINES);
  segment(2, 0, 0, 2, 0, 14);
  glEnd();
}
