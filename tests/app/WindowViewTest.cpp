// The 3D view through the real TForm1 and its OpenGL panel, read back as pixels:
// the sky above the horizon, the sea below it, the target cross and the boat's deck
// where they project, the sphere at the origin, the flag swinging every frame; the
// free camera and its sliders; one random draw per frame and per simulation tick; the
// viewport and the perspective following the panel's size; frames of extreme slider
// positions and of boat values that are not numbers.
//
// Expected screen points come from the frame's own matrices: after the paint handler
// has returned, the model-view matrix is the camera's, and gluProject with it, the
// projection and the viewport gives the pixel of a world point.

#include <GL/gl.h>
#include <GL/glu.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QtTest>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>

#include "TestSupport.h"
#include "platform/Random.h"

using namespace testing_app;

namespace {

// The program's single-precision pi.
constexpr float kPi = 3.1415927f;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Pixels around an expected point where the colour may be found: rasterization rules
// and the lines' width put an edge a pixel or two away from the projected point.
constexpr int kPixelTolerance = 3;

// Camera positions compare to the float members' resolution near the values used.
constexpr double kCameraTolerance = 1e-5;

// Matrices read back from OpenGL are single precision inside: relative tolerance.
constexpr double kMatrixTolerance = 1e-4;

// The view's vertical field of view (deg), near and far planes (m); light 0 in eye
// coordinates.
constexpr double kFieldOfView = 70;
constexpr double kNear = 1, kFar = 2000;
constexpr std::array<float, 4> kLightInEye = {10, 10, 10, 1};

// What the OpenGL state holds once a frame's paint handler has returned.
struct FrameState {
  std::array<GLdouble, 16> ModelView{};  ///< the camera's transform
  std::array<GLdouble, 16> Projection{};
  std::array<GLint, 4> Viewport{};
  std::array<GLfloat, 4> Light{};  ///< light 0's position, eye coordinates
};

// Wraps the panel's paint handler to read the state back after each frame.
class FrameProbe {
 public:
  explicit FrameProbe(TOpenGLPanel* Panel) : Panel_(Panel), Paint_(Panel->OnPaint) {
    Panel_->OnPaint = [this](QObject* Sender) {
      Paint_(Sender);
      glGetDoublev(GL_MODELVIEW_MATRIX, Last.ModelView.data());
      glGetDoublev(GL_PROJECTION_MATRIX, Last.Projection.data());
      glGetIntegerv(GL_VIEWPORT, Last.Viewport.data());
      glGetLightfv(GL_LIGHT0, GL_POSITION, Last.Light.data());
      ++Frames;
      if (AfterFrame) AfterFrame();
    };
  }
  ~FrameProbe() { Panel_->OnPaint = Paint_; }

  FrameState Last;
  int Frames = 0;
  std::function<void()> AfterFrame;

 private:
  TOpenGLPanel* Panel_;
  std::function<void(QObject*)> Paint_;
};

// The pixel (column, row from the top) where a world point shows in the frame.
QPoint Project(const FrameState& State, double X, double Y, double Z) {
  GLdouble WX = 0, WY = 0, WZ = 0;
  gluProject(X, Y, Z, State.ModelView.data(), State.Projection.data(), State.Viewport.data(), &WX, &WY, &WZ);
  return {int(std::floor(WX)), State.Viewport[3] - 1 - int(std::floor(WY))};
}

// The eye's position in world coordinates from the camera's model-view matrix
// (column-major: rotation R, translation t; the eye is -R^T t).
std::array<double, 3> Eye(const FrameState& S) {
  const auto& M = S.ModelView;
  std::array<double, 3> E{};
  for (int I = 0; I < 3; ++I) E[I] = -(M[4 * I] * M[12] + M[4 * I + 1] * M[13] + M[4 * I + 2] * M[14]);
  return E;
}

// The viewing direction in world coordinates: minus the third row of R.
std::array<double, 3> Forward(const FrameState& S) {
  const auto& M = S.ModelView;
  return {-M[2], -M[6], -M[10]};
}

// Colours of the scene. The sky is the clear colour, exact; lit surfaces vary with
// the light and the normal, so only which components dominate is checked.
enum class Colour { Sky, Sea, Red, Green };

bool Matches(QRgb Pixel, Colour Expected) {
  const int R = qRed(Pixel), G = qGreen(Pixel), B = qBlue(Pixel);
  switch (Expected) {
    case Colour::Sky:
      return R == 204 && G == 204 && B == 255;
    case Colour::Sea:  // (0, 0.7, 1) lit: blue and green, no red
      return R < 60 && G > 120 && B > 200;
    case Colour::Red:
      return R > 100 && R > 2 * G && R > 2 * B;
    case Colour::Green:
      return G > 80 && G > 2 * R && G > 2 * B;
  }
  return false;
}

const char* Name(Colour C) {
  switch (C) {
    case Colour::Sky:
      return "sky";
    case Colour::Sea:
      return "sea";
    case Colour::Red:
      return "red";
    case Colour::Green:
      return "green";
  }
  return "?";
}

// True when some pixel within the tolerance of the point has the colour.
bool FoundNear(const QImage& Image, QPoint P, Colour C) {
  for (int Y = P.y() - kPixelTolerance; Y <= P.y() + kPixelTolerance; ++Y)
    for (int X = P.x() - kPixelTolerance; X <= P.x() + kPixelTolerance; ++X)
      if (Image.rect().contains(X, Y) && Matches(Image.pixel(X, Y), C)) return true;
  return false;
}

QString Describe(const QImage& Image, QPoint P, Colour C) {
  const QRgb Pixel = Image.rect().contains(P) ? Image.pixel(P) : 0;
  return QStringLiteral("expected %1 near (%2, %3) of %4 x %5, pixel there (%6, %7, %8)")
      .arg(QString::fromLatin1(Name(C)))
      .arg(P.x())
      .arg(P.y())
      .arg(Image.width())
      .arg(Image.height())
      .arg(qRed(Pixel))
      .arg(qGreen(Pixel))
      .arg(qBlue(Pixel));
}

// Far from everything the view may be pointed at: where a test parks the boat.
constexpr double kFarAway = -5000;

}  // namespace

class WindowViewTest : public QObject {
  Q_OBJECT

  // Puts the camera at (X, Y) with the height and direction sliders, standing still;
  // the direction member as the slider so that the frame does not turn.
  static void PlaceCamera(float X, float Y, int Height, int Direction) {
    Form1->xcam = X;
    Form1->ycam = Y;
    Form1->dircam = float(Direction);
    Form1->TrackBar4->setValue(0);
    Form1->TrackBar6->setValue(Height);
    Form1->TrackBar3->setValue(Direction);
  }

 private slots:
  void init() { QVERIFY(ShowNewForm(true)); }
  void cleanup() { DeleteForm(); }

  // Where a world point shows, the scene has the expected colour.
  void pixels_data() {
    QTest::addColumn<double>("cameraX");
    QTest::addColumn<double>("cameraY");
    QTest::addColumn<int>("height");     // TrackBar6
    QTest::addColumn<int>("direction");  // TrackBar3, degrees
    QTest::addColumn<double>("boatX");
    QTest::addColumn<double>("boatY");
    QTest::addColumn<double>("heading");  // theta (rad)
    QTest::addColumn<double>("targetX");
    QTest::addColumn<double>("targetY");
    QTest::addColumn<double>("pointX");  // in the boat's frame where the boat is named
    QTest::addColumn<double>("pointY");
    QTest::addColumn<double>("pointZ");
    QTest::addColumn<bool>("onBoat");
    QTest::addColumn<int>("colour");
    auto Row = [](const char* Name, double CX, double CY, int H, int D, double BX, double BY, double Theta,
                  double TX, double TY, double PX, double PY, double PZ, bool OnBoat, Colour C) {
      QTest::newRow(Name) << CX << CY << H << D << BX << BY << Theta << TX << TY << PX << PY << PZ << OnBoat
                          << int(C);
    };
    const double Far = kFarAway;
    const double North = double(kPi / 2), West = double(kPi);
    // Sky above the horizon and sea below it, looking east and looking north.
    Row("sky, looking east", 100, 100, 20, 0, Far, Far, 0, Far, -Far, 1100, 100, 400, false, Colour::Sky);
    Row("sky, looking north", 100, 100, 20, -90, Far, Far, 0, Far, -Far, 100, 1100, 300, false, Colour::Sky);
    Row("sea ahead", 100, 100, 20, 0, Far, Far, 0, Far, -Far, 160, 110, 0, false, Colour::Sea);
    Row("sea far ahead", 100, 100, 20, 0, Far, Far, 0, Far, -Far, 900, 100, 0, false, Colour::Sea);
    Row("sea looking south", 100, 100, 50, 90, Far, Far, 0, Far, -Far, 95, 40, 0, false, Colour::Sea);
    // The target cross, at its centre and at the end of an arm.
    Row("cross ahead", 100, 100, 20, 0, Far, Far, 0, 160, 100, 160, 100, 0.1, false, Colour::Red);
    Row("cross arm", 100, 100, 20, 0, Far, Far, 0, 160, 100, 163, 103, 0.1, false, Colour::Red);
    Row("cross to the north-west", 200, -100, 30, -135, Far, Far, 0, 160, -60, 160, -60, 0.1, false,
        Colour::Red);
    // The boat's deck beside the centre line, for three headings.
    Row("deck, heading east", 100, 100, 30, 0, 150, 100, 0, Far, -Far, 1.5, 1, 1, true, Colour::Red);
    Row("deck, heading north", 100, 100, 30, 0, 150, 100, North, Far, -Far, 1.5, 1, 1, true, Colour::Red);
    Row("deck, heading west", 100, 100, 30, 0, 150, 100, West, Far, -Far, 1.5, 1, 1, true, Colour::Red);
    // The sphere at the origin, beside the pole.
    Row("sphere", -20, 0, 5, 0, Far, Far, 0, Far, -Far, -0.6, 0.6, 0.3, false, Colour::Red);
  }

  void pixels() {
    QFETCH(double, cameraX);
    QFETCH(double, cameraY);
    QFETCH(int, height);
    QFETCH(int, direction);
    QFETCH(double, boatX);
    QFETCH(double, boatY);
    QFETCH(double, heading);
    QFETCH(double, targetX);
    QFETCH(double, targetY);
    QFETCH(double, pointX);
    QFETCH(double, pointY);
    QFETCH(double, pointZ);
    QFETCH(bool, onBoat);
    QFETCH(int, colour);

    PlaceCamera(float(cameraX), float(cameraY), height, direction);
    Form1->etat.x = float(boatX);
    Form1->etat.y = float(boatY);
    Form1->etat.theta = float(heading);
    Form1->etat.xd = targetX;
    Form1->etat.yd = targetY;
    FrameProbe Probe(Form1->OpenGLPanel1);
    const QImage Image = Form1->OpenGLPanel1->grabFrame();
    QVERIFY(!Image.isNull());
    QCOMPARE(Probe.Frames, 1);

    // A point of the boat's frame: turned by the stored heading, moved to the boat.
    double X = pointX, Y = pointY;
    if (onBoat) {
      const double Theta = double(Form1->etat.theta);
      X = double(Form1->etat.x) + pointX * std::cos(Theta) - pointY * std::sin(Theta);
      Y = double(Form1->etat.y) + pointX * std::sin(Theta) + pointY * std::cos(Theta);
    }
    const QPoint P = Project(Probe.Last, X, Y, pointZ);
    QVERIFY2(Image.rect().contains(P), qPrintable(Describe(Image, P, Colour(colour))));
    QVERIFY2(FoundNear(Image, P, Colour(colour)), qPrintable(Describe(Image, P, Colour(colour))));
  }

  // The flag swings to the other side of the pole on every frame: seen from the
  // south, close to the pole, its tip is 0.56 m east of the pole at +8 degrees and as
  // far west at -8. The pixel in the middle of one position is green exactly on the
  // frames that draw the flag there, and sky on the others.
  void flagSwingsEveryFrame() {
    PlaceCamera(0, -20, 14, -90);
    Form1->etat.x = float(kFarAway);
    Form1->etat.y = float(kFarAway);
    Form1->etat.xd = kFarAway;
    Form1->etat.yd = -kFarAway;
    FrameProbe Probe(Form1->OpenGLPanel1);

    // The middle of the flag's triangle turned by the given angle about the pole.
    const auto FlagMiddle = [](double Degrees) {
      const double A = Degrees * double(kPi) / 180;
      const double X = 0, Y = -4.0 / 3;  // centroid of (0, 0), (0, -4), (0, 0)
      return std::array<double, 3>{X * std::cos(A) - Y * std::sin(A), X * std::sin(A) + Y * std::cos(A), 14};
    };

    float Previous = 0;
    for (int Frame = 0; Frame < 4; ++Frame) {
      const QImage Image = Form1->OpenGLPanel1->grabFrame();
      QVERIFY(!Image.isNull());
      const float Drapeau = Form1->drapeau;
      QCOMPARE(std::fabs(Drapeau), 8.0f);
      if (Frame > 0) QCOMPARE(Drapeau, -Previous);
      Previous = Drapeau;
      for (const double Side : {8.0, -8.0}) {
        const auto M = FlagMiddle(Side);
        const QPoint P = Project(Probe.Last, M[0], M[1], M[2]);
        const bool Drawn = Side == double(Drapeau);
        const Colour Expected = Drawn ? Colour::Green : Colour::Sky;
        QVERIFY2(FoundNear(Image, P, Expected), qPrintable(Describe(Image, P, Expected)));
        // Where the flag is not, none of it shows near that point.
        if (!Drawn) QVERIFY2(!FoundNear(Image, P, Colour::Green), qPrintable(Describe(Image, P, Expected)));
      }
    }
  }

  // The very first frame: the eye moves along the initial direction 0 although the
  // direction slider stands at -50, and takes its height from the height slider
  // instead of the initial 40. The next frame moves along -50 degrees.
  void firstFrameMovesAlongDirectionZero() {
    DeleteForm();
    Form1 = new TForm1();
    Form1->TimerAffichage->stop();
    Form1->TimerdT->stop();
    Form1->TrackBar4->setValue(100);
    QCOMPARE(Form1->TrackBar3->value(), -50);
    struct Camera {
      float x, y, z, direction;
    };
    QList<Camera> Seen;
    FrameProbe Probe(Form1->OpenGLPanel1);
    Probe.AfterFrame = [&] { Seen.append({Form1->xcam, Form1->ycam, Form1->zcam, Form1->dircam}); };
    platform::ShowMaximized(Form1);
    QVERIFY(QTest::qWaitForWindowExposed(Form1));
    QTRY_VERIFY(Form1->OpenGLPanel1->Initialized());
    if (Seen.size() < 2) Form1->OpenGLPanel1->Repaint();
    if (Seen.size() < 2) Form1->OpenGLPanel1->Repaint();
    QVERIFY(Seen.size() >= 2);

    QCOMPARE(Seen[0].x, -29.0f);
    QCOMPARE(Seen[0].y, -20.0f);
    QCOMPARE(Seen[0].z, 20.0f);
    QCOMPARE(Seen[0].direction, -50.0f);
    // Along -50 degrees: east by cos 50, north by sin 50 (a negative direction turns
    // the view anticlockwise, towards the north).
    const double D = -50 * double(kPi) / 180;
    QCOMPARE(Seen[1].x, float(double(Seen[0].x) + 100 * std::cos(D) * 0.01));
    QCOMPARE(Seen[1].y, float(double(Seen[0].y) - 100 * std::sin(D) * 0.01));
    QVERIFY(Seen[1].y > Seen[0].y);
  }

  // Each frame moves the eye by speed / 100 along the previous frame's direction,
  // then turns the view to the slider's direction at once; the height is the slider's.
  void eyeMovesPerFrame_data() {
    QTest::addColumn<int>("speed");      // TrackBar4
    QTest::addColumn<int>("previous");   // dircam before the frame (deg)
    QTest::addColumn<int>("direction");  // TrackBar3 (deg)
    QTest::addColumn<int>("height");     // TrackBar6
    QTest::addColumn<double>("dx");
    QTest::addColumn<double>("dy");
    QTest::newRow("still") << 0 << 0 << 30 << 20 << 0.0 << 0.0;
    QTest::newRow("east") << 100 << 0 << 0 << 20 << 1.0 << 0.0;
    QTest::newRow("east, then turned south") << 100 << 0 << 90 << 20 << 1.0 << 0.0;
    QTest::newRow("south") << 100 << 90 << 90 << 55 << 0.0 << -1.0;
    QTest::newRow("backwards") << -100 << 0 << 0 << 5 << -1.0 << 0.0;
    QTest::newRow("north, slowly") << 50 << -90 << -90 << 100 << 0.0 << 0.5;
    QTest::newRow("west") << 100 << 180 << -135 << 77 << -1.0 << 0.0;
  }

  void eyeMovesPerFrame() {
    QFETCH(int, speed);
    QFETCH(int, previous);
    QFETCH(int, direction);
    QFETCH(int, height);
    QFETCH(double, dx);
    QFETCH(double, dy);
    Form1->xcam = 0;
    Form1->ycam = 0;
    Form1->dircam = float(previous);
    Form1->TrackBar4->setValue(speed);
    Form1->TrackBar3->setValue(direction);
    Form1->TrackBar6->setValue(height);
    FrameProbe Probe(Form1->OpenGLPanel1);
    Form1->OpenGLPanel1->Repaint();
    QCOMPARE(Probe.Frames, 1);

    QVERIFY2(std::fabs(Form1->xcam - dx) < kCameraTolerance, qPrintable(QString::number(Form1->xcam)));
    QVERIFY2(std::fabs(Form1->ycam - dy) < kCameraTolerance, qPrintable(QString::number(Form1->ycam)));
    QCOMPARE(Form1->zcam, float(height));
    QCOMPARE(Form1->vcam, float(speed));
    QCOMPARE(Form1->dircam, float(direction));

    // The look-at of the same frame: the eye where the members say, looking at the
    // sea 100 ahead along the new direction (east at 0, south at 90).
    const auto E = Eye(Probe.Last);
    QVERIFY(std::fabs(E[0] - Form1->xcam) < kMatrixTolerance * 100);
    QVERIFY(std::fabs(E[1] - Form1->ycam) < kMatrixTolerance * 100);
    QVERIFY(std::fabs(E[2] - height) < kMatrixTolerance * 100);
    const auto F = Forward(Probe.Last);
    const double D = direction * double(kPi) / 180;
    const double Length = std::hypot(100.0, double(height));
    QVERIFY(std::fabs(F[0] - 100 * std::cos(D) / Length) < kMatrixTolerance);
    QVERIFY(std::fabs(F[1] + 100 * std::sin(D) / Length) < kMatrixTolerance);
    QVERIFY(std::fabs(F[2] + height / Length) < kMatrixTolerance);
  }

  // The program's one random sequence: a frame draws exactly one value (the wind
  // arrow's flicker), a display tick one (its frame), a simulation tick one (the gust).
  void randomDraws_data() {
    QTest::addColumn<int>("action");
    QTest::newRow("frame") << 0;
    QTest::newRow("display tick") << 1;
    QTest::newRow("simulation tick") << 2;
  }

  void randomDraws() {
    QFETCH(int, action);
    const std::function<void()> Actions[] = {
        [] { Form1->OpenGLPanel1->Repaint(); },
        [] { Form1->TimerAffichageClock(Form1->TimerAffichage); },
        [] { Form1->TimerdTClock(Form1->TimerdT); },
    };
    const long long Frames = Form1->OpenGLPanel1->FrameCount();
    platform::resetRandom();
    Actions[action]();
    const int After = platform::nextRandom();
    platform::resetRandom();
    platform::nextRandom();
    QCOMPARE(After, platform::nextRandom());
    QCOMPARE(Form1->OpenGLPanel1->FrameCount(), Frames + (action == 2 ? 0 : 1));
  }

  // The viewport and the perspective follow the panel's size from the next frame on:
  // the whole panel is drawn, with the aspect of its new size; the field of view, the
  // clipping planes and the light fixed in eye coordinates stay.
  void viewportFollowsPanelSize_data() {
    QTest::addColumn<QSize>("form");
    QTest::newRow("restored") << QSize(830, 531);
    QTest::newRow("wide and low") << QSize(1400, 300);
    QTest::newRow("narrow and high") << QSize(500, 900);
    QTest::newRow("small") << QSize(400, 120);
  }

  void viewportFollowsPanelSize() {
    QFETCH(QSize, form);
    FrameProbe Probe(Form1->OpenGLPanel1);
    Form1->OpenGLPanel1->Repaint();
    const FrameState Maximized = Probe.Last;

    Form1->showNormal();
    Form1->resize(form);
    TOpenGLPanel* Panel = Form1->OpenGLPanel1;
    const qreal Ratio = Panel->devicePixelRatio();
    const int Width = qRound((form.width() - 334) * Ratio), Height = qRound(form.height() * Ratio);
    QTRY_COMPARE(QSize(Panel->Width(), Panel->Height()), QSize(Width, Height));

    // Looking down at the sea: the bottom corners of the new size are sea, drawn.
    PlaceCamera(0, -500, 50, 0);
    const QImage Image = Panel->grabFrame();
    QCOMPARE(Image.size(), QSize(Width, Height));
    for (const QPoint Corner : {QPoint(Width - 1, Height - 1), QPoint(0, Height - 1)})
      QVERIFY2(Matches(Image.pixel(Corner), Colour::Sea), qPrintable(Describe(Image, Corner, Colour::Sea)));

    const FrameState& S = Probe.Last;
    QCOMPARE(S.Viewport, (std::array<GLint, 4>{0, 0, Width, Height}));
    const double Focal = 1 / std::tan(kFieldOfView / 2 * std::numbers::pi / 180);
    QVERIFY(std::fabs(S.Projection[5] / Focal - 1) < kMatrixTolerance);
    QVERIFY(std::fabs(S.Projection[5] / S.Projection[0] / (double(Width) / Height) - 1) < kMatrixTolerance);
    QVERIFY(std::fabs(S.Projection[10] / (-(kFar + kNear) / (kFar - kNear)) - 1) < kMatrixTolerance);
    QVERIFY(std::fabs(S.Projection[14] / (-2 * kFar * kNear / (kFar - kNear)) - 1) < kMatrixTolerance);
    QCOMPARE(S.Light, kLightInEye);
    QCOMPARE(Maximized.Light, kLightInEye);

    // Maximized again: back to the full panel.
    platform::ShowMaximized(Form1);
    QTRY_VERIFY(Panel->Width() > Width || Panel->Height() > Height);
    Panel->Repaint();
    QCOMPARE(Probe.Last.Viewport, (std::array<GLint, 4>{0, 0, Panel->Width(), Panel->Height()}));
    QCOMPARE(Probe.Last.Viewport, Maximized.Viewport);
    QCOMPARE(Probe.Last.Projection[0], Maximized.Projection[0]);
  }

  // Sliders at the ends of their ranges, and boat or camera values that are not
  // numbers or are infinite: the frames are drawn and the read-outs filled, nothing
  // crashes or escapes a handler.
  void extremeInputGivesFrames_data() {
    QTest::addColumn<int>("scenario");
    QTest::newRow("sliders at their minimum") << 0;
    QTest::newRow("sliders at their maximum") << 1;
    QTest::newRow("boat position not a number") << 2;
    QTest::newRow("boat angles infinite") << 3;
    QTest::newRow("forces huge") << 4;
    QTest::newRow("forces not a number") << 5;
    QTest::newRow("target infinite") << 6;
    QTest::newRow("camera not a number") << 7;
  }

  void extremeInputGivesFrames() {
    QFETCH(int, scenario);
    TForm1* F = Form1;
    Voilier& B = F->etat;
    const std::function<void()> Scenarios[] = {
        [F] {
          for (QSlider* S : F->findChildren<QSlider*>()) S->setValue(S->minimum());
        },
        [F] {
          for (QSlider* S : F->findChildren<QSlider*>()) S->setValue(S->maximum());
        },
        [&B] { B.x = B.y = float(kNaN); },
        [&B] {
          B.theta = B.deltav = float(kInf);
          B.phi = B.deltag = float(-kInf);
        },
        [&B] {
          B.fv = 1e300;
          B.fg = -1e300;
          B.V = 1e300;
        },
        [&B] { B.fv = B.fg = B.u1 = B.u2 = kNaN; },
        [&B] {
          B.xd = kInf;
          B.yd = -kInf;
        },
        [F] {
          F->xcam = float(kNaN);
          F->dircam = float(kInf);
          F->TrackBar4->setValue(100);
        },
    };
    Scenarios[scenario]();
    const long long Frames = F->OpenGLPanel1->FrameCount();
    for (int I = 0; I < 3; ++I) F->TimerAffichageClock(F->TimerAffichage);
    F->TimerdTClock(F->TimerdT);
    const QImage Image = F->OpenGLPanel1->grabFrame();
    QVERIFY(!Image.isNull());
    QCOMPARE(F->OpenGLPanel1->FrameCount(), Frames + 4);
    for (QLineEdit* Edit : F->Panel1->findChildren<QLineEdit*>()) QVERIFY(!Edit->text().isEmpty());
    QVERIFY(F->Memo1->toPlainText().startsWith(QStringLiteral("dT = 0.100000 et u1 = ")));
  }
};

KORVALEN_TEST_MAIN(WindowViewTest)
#include "WindowViewTest.moc"
