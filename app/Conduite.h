#pragma once

// The main window TForm1: the OpenGL panel on the left, the control panel
// on the right, the two timers, and all the program's run-time state: the boat, the
// step, the setpoints, the camera and the flag.
//
// The display tick (TimerAffichageClock, every 10 ms) repaints the 3D view at once,
// fills the twelve read-outs and then takes the target point from TrackBar1 and
// TrackBar2. The view's frame (OpenGLPanel1Paint) writes the debug line into Memo1,
// takes the wind from TrackBar5 and the camera from TrackBar3, TrackBar4 and
// TrackBar6, and draws the scene: the target cross, the sphere with its pole and
// flag at the origin, the sea and the boat.

#include <QWidget>

#include "boat/Voilier.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QTimer;
class TOpenGLPanel;

class TForm1 : public QWidget {
 public:
  // Components, in the order of the form description.
  TOpenGLPanel* OpenGLPanel1 = nullptr;
  QFrame* Panel1 = nullptr;
  QPushButton* ButtonStart = nullptr;
  QTimer* TimerAffichage = nullptr;
  QTimer* TimerdT = nullptr;
  QLineEdit* Edit2 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLineEdit* Edit3 = nullptr;
  QLabel* Label5 = nullptr;
  QLineEdit* Edit4 = nullptr;
  QLabel* Label6 = nullptr;
  QLineEdit* Edit5 = nullptr;
  QLabel* Label7 = nullptr;
  QLineEdit* Edit6 = nullptr;
  QLabel* Label8 = nullptr;
  QLineEdit* Edit7 = nullptr;
  QLabel* Label9 = nullptr;
  QLineEdit* Edit8 = nullptr;
  QLineEdit* Edit9 = nullptr;
  QLabel* Label10 = nullptr;
  QLineEdit* Edit10 = nullptr;
  QLabel* Label11 = nullptr;
  QLineEdit* Edit11 = nullptr;
  QLineEdit* Edit12 = nullptr;
  QLabel* Label14 = nullptr;
  QLineEdit* Edit13 = nullptr;
  QLabel* Label15 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QSlider* TrackBar1 = nullptr;
  QSlider* TrackBar2 = nullptr;
  QLabel* Label12 = nullptr;
  QLabel* Label16 = nullptr;
  QSlider* TrackBar3 = nullptr;
  QSlider* TrackBar4 = nullptr;
  QLabel* Label17 = nullptr;
  QLabel* Label18 = nullptr;
  QLabel* Label19 = nullptr;
  QSlider* TrackBar5 = nullptr;
  QLabel* Label1 = nullptr;
  QSlider* TrackBar6 = nullptr;
  QLabel* Label20 = nullptr;

  // The form's own members, with their initial values.
  float xcam = -30;   ///< camera eye x
  float ycam = -20;   ///< camera eye y
  float zcam = 40;    ///< camera eye height
  float dircam = 0;   ///< camera heading (deg)
  float vcam = 0;     ///< camera forward speed
  float dT = 0.1f;    ///< simulation step (s)
  float w1 = 0;       ///< sail-angle setpoint of the last tick (rad)
  float w2 = 0;       ///< heading setpoint of the last tick (rad)
  Voilier etat;       ///< the boat
  float drapeau = 8;  ///< flag swing angle (deg)

  // Handlers.

  /// The view's set-up, once, with the panel's context current: viewport and
  /// perspective for the panel's size, depth test, clear colour, and light 0 fixed in
  /// eye coordinates (it travels with the camera).
  void OpenGLPanel1Init(QObject* Sender);

  /// One frame of the 3D view, with the panel's context current (the panel swaps the
  /// buffers afterwards). Writes Memo1's debug line, etat.V from TrackBar5, the
  /// camera members from their sliders, and flips drapeau; draws one value from the
  /// random source through the boat's drawing. A panel whose size changed since the
  /// view was set up gets its viewport and perspective set anew first.
  void OpenGLPanel1Paint(QObject* Sender);
  void ButtonStartClick(QObject* Sender);
  void TimerdTClock(QObject* Sender);

  /// The display tick: the view repainted at once, then the twelve read-outs Edit2 ...
  /// Edit13, then etat.xd and etat.yd from TrackBar1 and TrackBar2.
  void TimerAffichageClock(QObject* Sender);
  void ButtonStartKeyPress(QObject* Sender, char& Key);

  explicit TForm1(QWidget* Owner = nullptr);
  ~TForm1() override;

 protected:
  // Panel1 keeps its width on the right edge at full height; OpenGLPanel1 fills the rest.
  void resizeEvent(QResizeEvent* Event) override;

 private:
  void CreateComponents();

  // Sets the viewport and the perspective for a panel of the given size (pixels),
  // and leaves the model-view matrix selected.
  void SetUpViewport(int Width, int Height);

  // The panel's size that the viewport and the perspective were last set up for
  // (pixels); a frame for another size sets them up again.
  int ViewportWidth = 0;
  int ViewportHeight = 0;
};

extern TForm1* Form1;
