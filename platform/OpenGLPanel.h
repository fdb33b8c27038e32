#pragma once

// TOpenGLPanel: the OpenGL panel control. A native window of its own (a QWindow with
// an OpenGL surface) embedded into a form through the widget that Container() gives,
// with one OpenGL context for the life of the window:
// - double-buffered RGBA with a depth buffer, no alpha, stencil or accumulation planes;
//   compatibility profile, so that OpenGL 1.1 in immediate mode and GLU work; swap
//   interval 0, so that a buffer swap never waits for the screen's refresh;
// - OnInit is raised once, with the context current, at the first time the window is
//   shown with its laid-out size (a form shown maximized: the maximized size);
// - OnPaint is raised for every paint, with the context current; when it returns the
//   buffers are swapped. The handlers never swap nor make a context current;
// - Repaint() paints at once, synchronously, inside the call;
// - the panel never erases its own background: only the OpenGL drawing shows.
// Creating the panel masks every floating-point exception, for the whole run.
//
// An exception that escapes OnInit or OnPaint is reported by the application object
// (TApplication::ShowException) and stops there: that frame is not swapped, and the
// caller of Repaint() goes on.

#include <QImage>
#include <QWindow>
#include <functional>

class QOpenGLContext;
class QWidget;

class TOpenGLPanel : public QWindow {
 public:
  /// Creates the panel and its container widget, a child of Owner.
  explicit TOpenGLPanel(QWidget* Owner);
  ~TOpenGLPanel() override;

  std::function<void(QObject* Sender)> OnInit;
  std::function<void(QObject* Sender)> OnPaint;

  /// Paints one frame at once: makes the context current, raises OnPaint, swaps the
  /// buffers, all inside this call. Does nothing while the panel is not shown on
  /// screen (hidden, minimized) or before OnInit has been raised.
  void Repaint();

  /// The panel's size in device pixels, as glViewport takes it.
  int Width() const;
  int Height() const;

  /// The widget that holds the panel inside the form: lay this one out.
  QWidget* Container() const;

  /// The panel's context; null until the panel is first shown.
  QOpenGLContext* Context() const;

  /// True once OnInit has been raised.
  bool Initialized() const;

  /// Number of frames painted so far (OnPaint raised, buffers swapped).
  long long FrameCount() const;

  /// For tests and tools: paints one frame as Repaint() does and returns the image of
  /// that frame, read back from the back buffer before the swap (top row first,
  /// Width() x Height(), RGBA). A null image when no frame could be painted.
  QImage grabFrame();

 protected:
  void exposeEvent(QExposeEvent* Event) override;
  bool event(QEvent* Event) override;

 private:
  bool Prepare();
  bool Paint(QImage* ReadBack);

  QWidget* Container_ = nullptr;
  QOpenGLContext* Context_ = nullptr;
  bool Initialized_ = false;
  bool Failed_ = false;
  long long Frames_ = 0;
};
