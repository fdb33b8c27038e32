// TOpenGLPanel: its own native window surface,
// double-buffered RGBA with a depth buffer, compatibility profile (OpenGL 1.1 immediate
// mode and GLU work), swap interval 0, one context for the life of its window, OnInit
// once with the context current at the laid-out size, OnPaint for every paint with the
// context current, Repaint() synchronous; floating-point exceptions masked. Also the
// form's use of it: the display tick repaints, the sky shows the clear colour.

#include <GL/gl.h>
#include <GL/glu.h>

#include <QOpenGLContext>
#include <QScreen>
#include <QSurfaceFormat>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>
#include <cfenv>
#include <cmath>
#include <limits>

#include "TestSupport.h"

using namespace testing_app;

namespace {

// A bare panel in a window of its own, recording its events.
struct TPanelWindow {
  QWidget Window;
  TOpenGLPanel* Panel;
  int Inits = 0, Paints = 0;
  QSize SizeAtInit;
  bool CurrentAtInit = false, CurrentAtPaint = true;
  QOpenGLContext* ContextAtInit = nullptr;

  TPanelWindow() {
    Panel = new TOpenGLPanel(&Window);
    auto* Layout = new QVBoxLayout(&Window);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->addWidget(Panel->Container());
    Window.setGeometry(100, 100, 320, 200);
    Panel->OnInit = [this](QObject* Sender) {
      ++Inits;
      SizeAtInit = QSize(Panel->Width(), Panel->Height());
      ContextAtInit = QOpenGLContext::currentContext();
      CurrentAtInit = ContextAtInit && ContextAtInit == Panel->Context() && Sender == Panel;
      glViewport(0, 0, Panel->Width(), Panel->Height());
      glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    };
    Panel->OnPaint = [this](QObject* Sender) {
      ++Paints;
      CurrentAtPaint =
          CurrentAtPaint && QOpenGLContext::currentContext() == Panel->Context() && Sender == Panel;
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    };
  }
};

QRgb PixelAt(const QImage& Image, int X, int Y) { return Image.pixel(X, Y); }

}  // namespace

class OpenGLPanelTest : public QObject {
  Q_OBJECT

 private slots:
  void floatingPointExceptionsMasked() {
    feenableexcept(FE_DIVBYZERO | FE_INVALID);
    QWidget Owner;
    auto* Panel = new TOpenGLPanel(&Owner);
    Q_UNUSED(Panel);
    QCOMPARE(fegetexcept(), 0);
    volatile double Zero = 0;
    QVERIFY(std::isinf(1 / Zero));
    QVERIFY(std::isnan(Zero / Zero));
  }

  void initOnceAtLaidOutSize() {
    TPanelWindow W;
    QCOMPARE(W.Inits, 0);
    // Nothing to paint on before the panel is shown: Repaint() does nothing.
    W.Panel->Repaint();
    QCOMPARE(W.Paints, 0);
    QVERIFY(W.Panel->grabFrame().isNull());

    W.Window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&W.Window));
    QTRY_COMPARE(W.Inits, 1);
    QVERIFY(W.CurrentAtInit);
    const qreal Ratio = W.Panel->devicePixelRatio();
    QCOMPARE(W.SizeAtInit, QSize(qRound(320 * Ratio), qRound(200 * Ratio)));
    QCOMPARE(W.SizeAtInit, QSize(W.Panel->Width(), W.Panel->Height()));

    // Resizing, hiding and showing again: no second OnInit, the same context.
    QOpenGLContext* Context = W.Panel->Context();
    W.Window.resize(400, 300);
    QTRY_COMPARE(W.Panel->Width(), qRound(400 * Ratio));
    W.Window.hide();
    W.Window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&W.Window));
    QTRY_VERIFY(W.Paints > 0);
    QCOMPARE(W.Inits, 1);
    QCOMPARE(W.Panel->Context(), Context);
    QCOMPARE(W.ContextAtInit, Context);
  }

  void repaintIsSynchronous() {
    TPanelWindow W;
    W.Window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&W.Window));
    QTRY_COMPARE(W.Inits, 1);
    const int Paints = W.Paints;
    const long long Frames = W.Panel->FrameCount();
    for (int I = 0; I < 10; ++I) W.Panel->Repaint();
    QCOMPARE(W.Paints, Paints + 10);
    QCOMPARE(W.Panel->FrameCount(), Frames + 10);
    QVERIFY(W.CurrentAtPaint);
    // The context is released after each frame.
    QCOMPARE(QOpenGLContext::currentContext(), nullptr);
  }

  void surfaceFormat() {
    TPanelWindow W;
    W.Window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&W.Window));
    QTRY_COMPARE(W.Inits, 1);
    QCOMPARE(W.Panel->surfaceType(), QSurface::OpenGLSurface);
    QVERIFY(W.Panel->Container()->parentWidget() == &W.Window);
    const QSurfaceFormat Format = W.Panel->Context()->format();
    QCOMPARE(Format.swapBehavior(), QSurfaceFormat::DoubleBuffer);
    QVERIFY(Format.depthBufferSize() >= 16);
    QVERIFY(Format.redBufferSize() >= 8 && Format.greenBufferSize() >= 8 && Format.blueBufferSize() >= 8);
    QCOMPARE(W.Panel->requestedFormat().swapInterval(), 0);
    QVERIFY(Format.profile() != QSurfaceFormat::CoreProfile);
    QVERIFY(!W.Panel->Context()->isOpenGLES());
  }

  // OpenGL 1.1 in immediate mode and GLU in the panel's context; the image read back.
  void legacyOpenGLAndReadBack() {
    TPanelWindow W;
    W.Window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&W.Window));
    QTRY_COMPARE(W.Inits, 1);
    GLenum Error = GL_NO_ERROR;
    W.Panel->OnPaint = [&](QObject*) {
      glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
      glEnable(GL_DEPTH_TEST);
      glMatrixMode(GL_PROJECTION);
      glLoadIdentity();
      gluPerspective(70, double(W.Panel->Width()) / W.Panel->Height(), 1, 2000);
      glMatrixMode(GL_MODELVIEW);
      glLoadIdentity();
      gluLookAt(0, 0, 10, 0, 0, 0, 0, 1, 0);
      // A red quad over the left half of the view, in immediate mode.
      glColor3f(1, 0, 0);
      glBegin(GL_QUADS);
      glVertex3f(-100, -100, 0);
      glVertex3f(0, -100, 0);
      glVertex3f(0, 100, 0);
      glVertex3f(-100, 100, 0);
      glEnd();
      GLUquadric* Quadric = gluNewQuadric();
      gluQuadricDrawStyle(Quadric, GLU_FILL);
      gluDeleteQuadric(Quadric);
      Error = glGetError();
    };
    const QImage Image = W.Panel->grabFrame();
    QCOMPARE(Error, GLenum(GL_NO_ERROR));
    QCOMPARE(Image.size(), QSize(W.Panel->Width(), W.Panel->Height()));
    QCOMPARE(qRed(PixelAt(Image, 10, 10)), 255);
    QCOMPARE(qBlue(PixelAt(Image, 10, 10)), 0);
    QCOMPARE(qBlue(PixelAt(Image, Image.width() - 10, Image.height() - 10)), 255);
    QCOMPARE(qRed(PixelAt(Image, Image.width() - 10, Image.height() - 10)), 0);
    const char* Version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    Q_UNUSED(Version);
  }

  // In the form shown maximized, OnInit comes once, at the maximized size: the screen's
  // available area less the side panel.
  void formInitAtMaximizedSize() {
    Form1 = new TForm1();
    TOpenGLPanel* Panel = Form1->OpenGLPanel1;
    QSize AtInit;
    int Inits = 0;
    auto Init = Panel->OnInit;
    Panel->OnInit = [&, Init](QObject* Sender) {
      ++Inits;
      AtInit = QSize(Panel->Width(), Panel->Height());
      Init(Sender);
    };
    platform::ShowMaximized(Form1);
    QTRY_VERIFY(Panel->Initialized());
    QTRY_VERIFY(Panel->FrameCount() > 10);
    QCOMPARE(Inits, 1);
    const QRect Available = Form1->screen()->availableGeometry();
    const qreal Ratio = Panel->devicePixelRatio();
    if (Form1->frameGeometry() == Form1->geometry()) {
      // No window manager (Xvfb, CI): exactly the available area less the side panel.
      QCOMPARE(AtInit, QSize(qRound((Available.width() - 334) * Ratio), qRound(Available.height() * Ratio)));
    } else {
      // A window manager: its frame takes a little of the area.
      QVERIFY(AtInit.width() > Panel->Width() * 9 / 10 && AtInit.height() > Panel->Height() * 8 / 10);
    }
    Panel->OnInit = Init;
    DeleteForm();
  }

  // In the form: the display tick repaints every 10 ms.
  void formRepaintsAClearedFrame() {
    QVERIFY(ShowNewForm());
    TOpenGLPanel* Panel = Form1->OpenGLPanel1;
    QCOMPARE(Panel->Width(), qRound(Panel->Container()->width() * Panel->devicePixelRatio()));
    const long long Frames = Panel->FrameCount();
    QTRY_VERIFY(Panel->FrameCount() > Frames + 10);
    const QImage Image = Panel->grabFrame();
    QCOMPARE(Image.size(), QSize(Panel->Width(), Panel->Height()));
    // The clear colour (0.8, 0.8, 1.0) at the top left: the sky.
    QCOMPARE(PixelAt(Image, 0, 0) & 0xffffff, qRgb(204, 204, 255) & 0xffffff);
    DeleteForm();
  }
};

KORVALEN_TEST_MAIN(OpenGLPanelTest)
#include "OpenGLPanelTest.moc"
