#include "platform/OpenGLPanel.h"

#include <GL/gl.h>

#include <QEvent>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QWidget>
#include <cfenv>
#include <cmath>
#include <stdexcept>

#include "platform/Application.h"

namespace {

// Every floating-point exception masked: a division by zero gives an infinity, an
// invalid operation a NaN, and the program goes on. (glibc masks them by default;
// this makes it so whatever ran before.)
void MaskFloatingPointExceptions() {
  std::feclearexcept(FE_ALL_EXCEPT);
#if defined(__GLIBC__)
  fedisableexcept(FE_ALL_EXCEPT);
#endif
}

QSurfaceFormat PanelFormat() {
  QSurfaceFormat Format;
  Format.setRenderableType(QSurfaceFormat::OpenGL);
  // Legacy OpenGL 1.1 in immediate mode and GLU: a compatibility context. Asking for
  // no particular version gives the highest one the driver has (Mesa: 4.5).
  Format.setProfile(QSurfaceFormat::CompatibilityProfile);
  Format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
  Format.setRedBufferSize(8);
  Format.setGreenBufferSize(8);
  Format.setBlueBufferSize(8);
  // 32 colour bits (no alpha plane) and 32 depth bits, the component's defaults; the
  // system may grant fewer (Qt then settles for the best it has).
  Format.setAlphaBufferSize(0);
  Format.setDepthBufferSize(32);
  Format.setStencilBufferSize(0);
  // A swap never waits for the screen's refresh: the display tick sets the pace.
  Format.setSwapInterval(0);
  return Format;
}

}  // namespace

TOpenGLPanel::TOpenGLPanel(QWidget* Owner) {
  MaskFloatingPointExceptions();
  setSurfaceType(QSurface::OpenGLSurface);
  setFormat(PanelFormat());
  // The panel never takes the keyboard focus: clicks into it leave it where it is.
  setFlag(Qt::WindowDoesNotAcceptFocus);
  Container_ = QWidget::createWindowContainer(this, Owner);
  Container_->setFocusPolicy(Qt::NoFocus);
}

// The context goes before its window.
TOpenGLPanel::~TOpenGLPanel() { delete Context_; }

int TOpenGLPanel::Width() const { return int(std::lround(width() * devicePixelRatio())); }

int TOpenGLPanel::Height() const { return int(std::lround(height() * devicePixelRatio())); }

QWidget* TOpenGLPanel::Container() const { return Container_; }

QOpenGLContext* TOpenGLPanel::Context() const { return Context_; }

bool TOpenGLPanel::Initialized() const { return Initialized_; }

long long TOpenGLPanel::FrameCount() const { return Frames_; }

void TOpenGLPanel::Repaint() { Paint(nullptr); }

QImage TOpenGLPanel::grabFrame() {
  QImage Image;
  Paint(&Image);
  return Image;
}

void TOpenGLPanel::exposeEvent(QExposeEvent*) {
  if (isExposed()) Paint(nullptr);
}

bool TOpenGLPanel::event(QEvent* Event) {
  if (Event->type() == QEvent::UpdateRequest) {
    Paint(nullptr);
    return true;
  }
  return QWindow::event(Event);
}

// Creates the context and raises OnInit, the first time the panel is on screen with a
// size. Returns true when the panel can paint.
bool TOpenGLPanel::Prepare() {
  if (Initialized_) return isExposed();
  if (Failed_ || !isExposed() || Width() <= 0 || Height() <= 0) return false;

  Context_ = new QOpenGLContext(this);
  Context_->setFormat(requestedFormat());
  if (!Context_->create() || !Context_->makeCurrent(this)) {
    Failed_ = true;
    TApplication::Handle([] { throw std::runtime_error("TOpenGLPanel: cannot create an OpenGL context"); });
    return false;
  }
  Initialized_ = true;
  TApplication::Handle([this] {
    if (OnInit) OnInit(this);
  });
  Context_->doneCurrent();
  return true;
}

bool TOpenGLPanel::Paint(QImage* ReadBack) {
  if (!Prepare() || !Context_->makeCurrent(this)) return false;
  const bool Painted = TApplication::Handle([this] {
    if (OnPaint) OnPaint(this);
  });
  if (Painted) {
    if (ReadBack) {
      const int W = Width(), H = Height();
      QImage Image(W, H, QImage::Format_RGBA8888);
      glPixelStorei(GL_PACK_ALIGNMENT, 4);
      glReadBuffer(GL_BACK);
      glReadPixels(0, 0, W, H, GL_RGBA, GL_UNSIGNED_BYTE, Image.bits());
      // OpenGL's rows go bottom up.
      *ReadBack = Image.mirrored(false, true);
    }
    Context_->swapBuffers(this);
    ++Frames_;
  }
  Context_->doneCurrent();
  return Painted;
}
