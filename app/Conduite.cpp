#include "app/Conduite.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <QFontDatabase>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QSlider>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>

#include "platform/Events.h"
#include "platform/NumberFormat.h"
#include "platform/OpenGLPanel.h"

TForm1* Form1 = nullptr;

namespace {

// Panel1's width: it keeps it on the right edge whatever the window's size.
constexpr int kPanel1Width = 334;

// The program's single-precision pi, widened to double where it is used.
constexpr float kPi = 3.1415927f;

// The view: vertical field of view (deg), near and far clipping planes (m).
constexpr double kFieldOfView = 70;
constexpr double kNearPlane = 1;
constexpr double kFarPlane = 2000;

// The sky: the clear colour (RGBA).
constexpr GLfloat kSky[] = {0.8f, 0.8f, 1.0f, 0.1f};

// Light 0: white ambient, diffuse and specular (RGBA); a point light at (10, 10, 10)
// in eye coordinates (homogeneous).
constexpr GLfloat kWhite[] = {1, 1, 1, 1};
constexpr GLfloat kLightPosition[] = {10, 10, 10, 1};

// Materials of every face: specular reflectance (RGBA, above 1 on purpose) and
// shininess (specular exponent).
constexpr GLfloat kMaterialSpecular[] = {2, 2, 2, 1};
constexpr GLfloat kMaterialShininess = 25;

// Camera: the eye moves vcam times this per frame (m); it looks at the sea this far
// ahead of its foot (m).
constexpr double kCameraMove = 0.01;
constexpr double kLookAhead = 100;

// Target cross: half its size and its height above the sea (m).
constexpr double kCrossHalfSize = 5;
constexpr double kCrossHeight = 0.1;

// Sphere at the origin: radius (m), slices and stacks.
constexpr double kSphereRadius = 1;
constexpr GLint kSphereSlices = 10;
constexpr GLint kSphereStacks = 10;

// Pole height (m), sea half-size (m), width of the thick lines (pixels).
constexpr double kPoleHeight = 15;
constexpr double kSeaHalfSize = 10000;
constexpr GLfloat kThickLine = 4;

// A point of the scene (m, world frame).
struct Point {
  double x, y, z;
};

// The flag's corners: the top of the pole, the tip 4 m out towards -y, 2 m down the
// pole. It swings about the pole by drapeau.
constexpr Point kFlag[] = {{0, 0, 15}, {0, -4, 14}, {0, 0, 13}};

// The property that holds a label's size in the table.
constexpr const char* kDesignSize = "korvalenDesignSize";

template <class T>
T* Place(T* Control, const char* Name, int Left, int Top, int Width, int Height) {
  Control->setObjectName(QString::fromLatin1(Name));
  Control->setGeometry(Left, Top, Width, Height);
  return Control;
}

// A label, at its place in the table. Its size there is that of its caption in the
// design font (FitLabels).
QLabel* NewLabel(QWidget* Parent, const char* Name, int Left, int Top, int Width, int Height,
                 const QString& Caption) {
  auto* Label = Place(new QLabel(Caption, Parent), Name, Left, Top, Width, Height);
  Label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label->setProperty(kDesignSize, QSize(Width, Height));
  return Label;
}

// The form's font: the desktop's sans-serif at 8 points, narrowed (QFont::setStretch)
// as far as needed for the captions to fit the widths that the design font gave the
// labels, so that the designed layout holds; desktop fonts run wider than the design's.
QFont DesignFont(const QList<QLabel*>& Labels) {
  QFont Font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  Font.setStyleHint(QFont::SansSerif);
  Font.setPointSize(8);
  auto Fits = [&](const QFont& F) {
    const QFontMetrics Metrics(F);
    for (const QLabel* Label : Labels)
      if (Metrics.horizontalAdvance(Label->text()) > Label->property(kDesignSize).toSize().width())
        return false;
    return true;
  };
  for (int Stretch = 100; Stretch >= 75 && !Fits(Font); --Stretch) Font.setStretch(Stretch);
  return Font;
}

// Labels size themselves to their captions: at least their designed size, wider where
// the caption still needs it. They lie beneath the other controls.
void FitLabels(const QList<QLabel*>& Labels) {
  for (QLabel* Label : Labels) {
    const QSize Design = Label->property(kDesignSize).toSize();
    const QFontMetrics Metrics = Label->fontMetrics();
    Label->resize(std::max(Design.width(), Metrics.horizontalAdvance(Label->text())),
                  std::max(Design.height(), Metrics.height()));
    Label->lower();
  }
}

QLineEdit* NewEdit(QWidget* Parent, const char* Name, int Left, int Top) {
  return Place(new QLineEdit(Parent), Name, Left, Top, 121, 21);
}

// A horizontal track bar with a tick mark below at every unit, 1 unit per arrow key,
// 2 per page key, no event bound: its position is polled.
QSlider* NewTrackBar(QWidget* Parent, const char* Name, int Left, int Top, int Height, int Min, int Max,
                     int Position) {
  auto* Bar = Place(new QSlider(Qt::Horizontal, Parent), Name, Left, Top, 150, Height);
  Bar->setRange(Min, Max);
  Bar->setValue(Position);
  Bar->setTickPosition(QSlider::TicksBelow);
  Bar->setTickInterval(1);
  Bar->setSingleStep(1);
  Bar->setPageStep(2);
  Bar->setFocusPolicy(Qt::StrongFocus);
  return Bar;
}

QTimer* NewTimer(QObject* Parent, const char* Name) {
  auto* Timer = new QTimer(Parent);
  Timer->setObjectName(QString::fromLatin1(Name));
  Timer->setTimerType(Qt::PreciseTimer);
  return Timer;
}

// Radians to degrees and back with the single-precision pi, in double: a new boat's
// heading of 0.5235988f then reads 30.000000, where the double pi would give 30.000001.
double Degrees(double Angle) { return Angle * 180 / double(kPi); }
double Radians(double Angle) { return Angle * double(kPi) / 180; }

// An edit's whole text: the value in fixed point with six decimals, a point whatever
// the locale, the whole text whatever the size. Most display ticks fall between two
// simulation ticks and show the same values again: an edit that already holds the text
// is left alone, which spares it a relayout and a repaint 100 times a second (typed
// text differs, so it is still replaced).
void ShowValue(QLineEdit* Edit, double Value) {
  const QString Text = QString::fromStdString(platform::formatFixed(Value));
  if (Edit->text() != Text) Edit->setText(Text);
}

// Memo1's whole text, set only when it differs from what the memo holds, for the same
// reason: the debug line changes only with a simulation tick.
void SetMemoText(QPlainTextEdit* Memo, const QString& Text) {
  if (Memo->toPlainText() != Text) Memo->setPlainText(Text);
}

}  // namespace

TForm1::TForm1(QWidget* Owner) : QWidget(Owner) {
  // The controls, from the form description, with their bound events.
  CreateComponents();

  // The boat.
  etat = Voilier();

  // The form's own members.
  dT = 0.1f;
  xcam = -30;
  ycam = -20;
  zcam = 40;
  w1 = 0;
  w2 = 0;
  dircam = 0;
  vcam = 0;
  drapeau = 8;

  // The timers' intervals; both run from creation on.
  TimerAffichage->start(10);
  TimerdT->start(int(dT * 1000));
}

TForm1::~TForm1() {
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::CreateComponents() {
  // The window.
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Simulation d'un bateau"));
  // Restored bounds: the frame at (79, 215), a client area of 830 x 531. The window
  // opens maximized (platform::ShowMaximized, at start-up).
  resize(830, 531);
  move(79, 215);

  OpenGLPanel1 = new TOpenGLPanel(this);
  OpenGLPanel1->Container()->setObjectName(QStringLiteral("OpenGLPanel1"));
  OpenGLPanel1->Container()->setGeometry(0, 0, 496, 531);
  OpenGLPanel1->OnInit = [this](QObject* Sender) { OpenGLPanel1Init(Sender); };
  OpenGLPanel1->OnPaint = [this](QObject* Sender) { OpenGLPanel1Paint(Sender); };

  Panel1 = Place(new QFrame(this), "Panel1", 496, 0, kPanel1Width, 531);
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);

  ButtonStart = Place(new QPushButton(QStringLiteral("Start"), Panel1), "ButtonStart", 72, 8, 89, 25);
  // Enter clicks the focused button, as space does.
  ButtonStart->setAutoDefault(true);
  platform::BindOnClick(ButtonStart, [this](QObject* Sender) { ButtonStartClick(Sender); });
  platform::BindOnKeyPress(ButtonStart,
                           [this](QObject* Sender, char& Key) { ButtonStartKeyPress(Sender, Key); });

  TimerAffichage = NewTimer(this, "TimerAffichage");
  platform::BindOnTimer(TimerAffichage, [this](QObject* Sender) { TimerAffichageClock(Sender); });
  TimerdT = NewTimer(this, "TimerdT");
  platform::BindOnTimer(TimerdT, [this](QObject* Sender) { TimerdTClock(Sender); });

  Edit2 = NewEdit(Panel1, "Edit2", 64, 240);
  platform::BindOnEnter(Edit2, [this](QObject* Sender) { ButtonStartClick(Sender); });
  Label2 = NewLabel(Panel1, "Label2", 16, 248, 36, 13, QStringLiteral("etat.v : "));
  Label3 = NewLabel(Panel1, "Label3", 0, 128, 21, 13, QStringLiteral("état:"));
  Label4 = NewLabel(Panel1, "Label4", 16, 152, 26, 13, QStringLiteral("etat.x"));
  Edit3 = NewEdit(Panel1, "Edit3", 64, 144);
  platform::BindOnEnter(Edit3, [this](QObject* Sender) { ButtonStartClick(Sender); });
  Label5 = NewLabel(Panel1, "Label5", 16, 184, 26, 13, QStringLiteral("etat.y"));
  Edit4 = NewEdit(Panel1, "Edit4", 64, 176);
  Label6 = NewLabel(Panel1, "Label6", 8, 408, 69, 13, QStringLiteral("etat.theta(deg)"));
  Edit5 = NewEdit(Panel1, "Edit5", 88, 400);
  Label7 = NewLabel(Panel1, "Label7", 8, 216, 53, 13, QStringLiteral("etat.omega"));
  Edit6 = NewEdit(Panel1, "Edit6", 64, 208);
  Label8 = NewLabel(Panel1, "Label8", 24, 80, 9, 13, QStringLiteral("fv"));
  Edit7 = NewEdit(Panel1, "Edit7", 48, 72);
  Label9 = NewLabel(Panel1, "Label9", 24, 104, 9, 13, QStringLiteral("fg"));
  Edit8 = NewEdit(Panel1, "Edit8", 48, 104);
  Edit9 = NewEdit(Panel1, "Edit9", 64, 336);
  Label10 = NewLabel(Panel1, "Label10", 48, 344, 9, 13, QStringLiteral("q:"));
  Edit10 = NewEdit(Panel1, "Edit10", 64, 272);
  Label11 = NewLabel(Panel1, "Label11", 16, 280, 45, 13, QStringLiteral("cap(deg):"));
  Edit11 = NewEdit(Panel1, "Edit11", 64, 368);
  Edit12 = NewEdit(Panel1, "Edit12", 88, 432);
  Label14 = NewLabel(Panel1, "Label14", 32, 440, 41, 13, QStringLiteral("w2(deg):"));
  Edit13 = NewEdit(Panel1, "Edit13", 64, 304);
  Label15 = NewLabel(Panel1, "Label15", 8, 312, 53, 13, QStringLiteral("deltav(deg)"));

  Memo1 = Place(new QPlainTextEdit(Panel1), "Memo1", 197, 24, 124, 353);
  Memo1->setPlainText(QStringLiteral("Memo1"));
  Memo1->setTabChangesFocus(true);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  TrackBar1 = NewTrackBar(Panel1, "TrackBar1", 88, 472, 45, -500, 500, 100);
  TrackBar2 = NewTrackBar(Panel1, "TrackBar2", 88, 512, 45, -500, 500, 100);
  Label12 = NewLabel(Panel1, "Label12", 64, 480, 14, 13, QStringLiteral("xd:"));
  Label16 = NewLabel(Panel1, "Label16", 64, 520, 14, 13, QStringLiteral("yd:"));
  TrackBar3 = NewTrackBar(Panel1, "TrackBar3", 88, 544, 41, -200, 200, -50);
  TrackBar4 = NewTrackBar(Panel1, "TrackBar4", 88, 576, 45, -100, 100, 0);
  Label17 = NewLabel(Panel1, "Label17", 48, 552, 40, 13, QStringLiteral("direction"));
  Label18 = NewLabel(Panel1, "Label18", 32, 584, 56, 13, QStringLiteral("vitesse cam"));
  Label19 = NewLabel(Panel1, "Label19", 16, 376, 38, 13, QStringLiteral("w1(deg)"));
  TrackBar5 = NewTrackBar(Panel1, "TrackBar5", 40, 32, 45, 0, 20, 10);
  Label1 = NewLabel(Panel1, "Label1", 24, 40, 7, 13, QStringLiteral("V"));
  TrackBar6 = NewTrackBar(Panel1, "TrackBar6", 88, 616, 45, 5, 100, 20);
  Label20 = NewLabel(Panel1, "Label20", 48, 624, 36, 13, QStringLiteral("hauteur"));

  const QList<QLabel*> Labels = Panel1->findChildren<QLabel*>();
  setFont(DesignFont(Labels));
  FitLabels(Labels);

  // Tab order: the OpenGL panel (0) and Panel1 (1) take no focus; inside Panel1 the
  // Start button (0), the edits Edit2 ... Edit13 (1 ... 12), Memo1 (13) and the track
  // bars TrackBar1 ... TrackBar6 (14 ... 19).
  QWidget* const TabOrder[] = {ButtonStart, Edit2,     Edit3,     Edit4,     Edit5,     Edit6,    Edit7,
                               Edit8,       Edit9,     Edit10,    Edit11,    Edit12,    Edit13,   Memo1,
                               TrackBar1,   TrackBar2, TrackBar3, TrackBar4, TrackBar5, TrackBar6};
  for (std::size_t I = 1; I < std::size(TabOrder); ++I) setTabOrder(TabOrder[I - 1], TabOrder[I]);
  // The first control in tab order that takes the focus has it when the window shows.
  ButtonStart->setFocus();
}

void TForm1::resizeEvent(QResizeEvent* Event) {
  QWidget::resizeEvent(Event);
  const int W = Event->size().width(), H = Event->size().height();
  Panel1->setGeometry(W - kPanel1Width, 0, kPanel1Width, H);
  OpenGLPanel1->Container()->setGeometry(0, 0, std::max(0, W - kPanel1Width), H);
}

void TForm1::SetUpViewport(int Width, int Height) {
  glViewport(0, 0, Width, Height);
  // The perspective on a fresh projection matrix; a panel of height 0 takes its
  // width as the aspect ratio instead of dividing by zero.
  const double Aspect = Height == 0 ? double(Width) : double(Width) / double(Height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(kFieldOfView, Aspect, kNearPlane, kFarPlane);
  glMatrixMode(GL_MODELVIEW);
  ViewportWidth = Width;
  ViewportHeight = Height;
}

void TForm1::OpenGLPanel1Init(QObject*) {
  // Viewport and perspective for the panel's size; the model-view matrix selected.
  SetUpViewport(OpenGLPanel1->Width(), OpenGLPanel1->Height());
  glLoadIdentity();

  // Hidden surfaces; the sky's colour.
  glEnable(GL_DEPTH_TEST);
  glClearColor(kSky[0], kSky[1], kSky[2], kSky[3]);

  // Light 0, given while the model-view matrix is the identity and never again: it
  // stays fixed in eye coordinates, 10 right of, above and behind the eye.
  glEnable(GL_LIGHTING);
  glLightfv(GL_LIGHT0, GL_AMBIENT, kWhite);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, kWhite);
  glLightfv(GL_LIGHT0, GL_SPECULAR, kWhite);
  glLightfv(GL_LIGHT0, GL_POSITION, kLightPosition);
  glEnable(GL_LIGHT0);
}

void TForm1::OpenGLPanel1Paint(QObject*) {
  // A panel resized, restored or maximized since the last set-up: the viewport and
  // the perspective follow its new size (two ints compared per frame).
  const int Width = OpenGLPanel1->Width(), Height = OpenGLPanel1->Height();
  if (Width != ViewportWidth || Height != ViewportHeight) SetUpViewport(Width, Height);

  // Fresh buffers, the camera from scratch.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();

  // Debug line, with V as it stands before this frame's slider read (the gusts of the
  // simulation ticks since the last frame included).
  const std::string Line =
      "dT = " + platform::formatFixed(double(dT)) + " et u1 = " + platform::formatFixed(etat.u1) +
      "  et u2=" + platform::formatFixed(etat.u2) +
      " et deltag=" + platform::formatFixed(double(etat.deltag)) + " et V=" + platform::formatFixed(etat.V);
  SetMemoText(Memo1, QString::fromStdString(Line));

  // The wind and the camera's speed and height from their sliders.
  etat.V = double(TrackBar5->value());
  vcam = float(TrackBar4->value());
  zcam = float(TrackBar6->value());

  // The eye moves at this frame's speed along the previous frame's direction.
  const double Previous = Radians(double(dircam));
  xcam = float(double(xcam) + double(vcam) * std::cos(Previous) * kCameraMove);
  ycam = float(double(ycam) - double(vcam) * std::sin(Previous) * kCameraMove);

  // The new direction turns the view at once: the eye looks at the sea 100 ahead of
  // its foot; dircam 0 looks east, 90 south.
  dircam = float(TrackBar3->value());
  const double Direction = Radians(double(dircam));
  gluLookAt(xcam, ycam, zcam, double(xcam) + kLookAhead * std::cos(Direction),
            double(ycam) - kLookAhead * std::sin(Direction), 0, 0, 0, 1);

  // Target cross, a little above the sea.
  glPushMatrix();
  glLineWidth(kThickLine);
  glBegin(GL_LINES);
  glColor3f(1, 0, 0);
  glVertex3d(etat.xd + kCrossHalfSize, etat.yd + kCrossHalfSize, kCrossHeight);
  glVertex3d(etat.xd - kCrossHalfSize, etat.yd - kCrossHalfSize, kCrossHeight);
  glEnd();
  glBegin(GL_LINES);
  glColor3f(1, 0, 0);
  glVertex3d(etat.xd + kCrossHalfSize, etat.yd - kCrossHalfSize, kCrossHeight);
  glVertex3d(etat.xd - kCrossHalfSize, etat.yd + kCrossHalfSize, kCrossHeight);
  glEnd();
  glPopMatrix();

  // Materials: the current colour is the ambient and diffuse reflectance; a bright
  // specular highlight (components above 1 on purpose) on both faces.
  glEnable(GL_COLOR_MATERIAL);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, kMaterialSpecular);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, kMaterialShininess);

  // Sphere at the origin, from a quadric that lives only for this frame (none drawn
  // if GLU cannot allocate one).
  glColor3f(0.6f, 0, 0);
  if (GLUquadric* Quadric = gluNewQuadric()) {
    gluQuadricDrawStyle(Quadric, GLU_FILL);
    gluSphere(Quadric, kSphereRadius, kSphereSlices, kSphereStacks);
    gluDeleteQuadric(Quadric);
  }

  // Flag at the top of the pole, hanging towards -y, swung to the other side on
  // every frame.
  drapeau = -drapeau;
  glPushMatrix();
  glRotated(double(drapeau), 0, 0, 1);
  glBegin(GL_POLYGON);
  glColor3f(0, 0.7f, 0);
  for (const Point& Corner : kFlag) glVertex3d(Corner.x, Corner.y, Corner.z);
  glEnd();
  glPopMatrix();

  // Pole.
  glLineWidth(kThickLine);
  glBegin(GL_LINES);
  glColor3f(0, 0, 0);
  glVertex3d(0, 0, 0);
  glVertex3d(0, 0, kPoleHeight);
  glEnd();

  // Sea, the plane z = 0.
  glBegin(GL_POLYGON);
  glColor3f(0, 0.7f, 1);
  glVertex3d(-kSeaHalfSize, -kSeaHalfSize, 0);
  glVertex3d(kSeaHalfSize, -kSeaHalfSize, 0);
  glVertex3d(kSeaHalfSize, kSeaHalfSize, 0);
  glVertex3d(-kSeaHalfSize, kSeaHalfSize, 0);
  glEnd();

  // The boat, last, under its own transforms: the camera's matrix is kept around it.
  glEnable(GL_NORMALIZE);
  glPushMatrix();
  etat.dessiner();
  glPopMatrix();
}

// The reset: a newly constructed boat over the whole of etat. The clock,
// w1, w2, the camera and the sliders are untouched.
void TForm1::ButtonStartClick(QObject*) { etat = Voilier(); }

// The simulation tick.
void TForm1::TimerdTClock(QObject*) {
  w2 = float(etat.guidage(dT));
  w1 = etat.consigneVoile();
  etat.evolution(dT, w1, w2);
}

void TForm1::TimerAffichageClock(QObject*) {
  // The frame first: it still draws the target cross at the previous tick's target.
  OpenGLPanel1->Repaint();

  // The twelve read-outs, angles in degrees.
  ShowValue(Edit2, double(etat.v));
  ShowValue(Edit3, double(etat.x));
  ShowValue(Edit4, double(etat.y));
  ShowValue(Edit5, Degrees(double(etat.theta)));
  ShowValue(Edit6, double(etat.omega));
  ShowValue(Edit7, etat.fv);
  ShowValue(Edit8, etat.fg);
  ShowValue(Edit9, etat.q);
  ShowValue(Edit10, Degrees(etat.cap));
  ShowValue(Edit11, Degrees(double(w1)));
  ShowValue(Edit12, Degrees(double(w2)));
  ShowValue(Edit13, Degrees(double(etat.deltav)));

  // Last, the target point: the autopilot sees it from the next simulation tick on.
  etat.xd = double(TrackBar1->value());
  etat.yd = double(TrackBar2->value());
}

// "z" raises the camera by 1, "Z" lowers it by 1; the character goes on unchanged.
// Every repaint sets zcam from the height slider, so these keys are not seen for long.
void TForm1::ButtonStartKeyPress(QObject*, char& Key) {
  if (Key == 'z') zcam = zcam + 1;
  if (Key == 'Z') zcam = zcam - 1;
}
