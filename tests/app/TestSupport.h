#pragma once

// What the window's tests share: a main that runs a Qt Test class under the program's
// own application object, a form shown as the program shows it, and boat comparisons.

#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cstring>

#include "app/Conduite.h"
#include "boat/Voilier.h"
#include "platform/Application.h"
#include "platform/Form.h"
#include "platform/OpenGLPanel.h"

namespace testing_app {

// Creates Form1 and shows it as main.cpp does (maximized); waits until the window is
// on screen and the OpenGL panel has raised OnInit. With StopClocks, both timers are
// stopped before the window shows, so that the test runs the ticks itself (the system
// may still paint the panel, e.g. when it is exposed). Null on failure.
inline TForm1* ShowNewForm(bool StopClocks = false) {
  Form1 = new TForm1();
  if (StopClocks) {
    Form1->TimerAffichage->stop();
    Form1->TimerdT->stop();
  }
  platform::ShowMaximized(Form1);
  if (!QTest::qWaitForWindowExposed(Form1, 10000)) return nullptr;
  if (!QTest::qWaitFor([] { return Form1->OpenGLPanel1->Initialized(); }, 10000)) return nullptr;
  return Form1;
}

// Makes Form1 the active window, so that it has the keyboard focus. Under Xvfb no
// window manager activates a window that shows.
inline bool ActivateForm() {
  Form1->activateWindow();
  return QTest::qWaitForWindowActive(Form1, 10000);
}

inline void DeleteForm() {
  delete Form1;
  Form1 = nullptr;
}

// Bitwise equality of two values (so that the test also tells 0 from -0).
template <class T>
bool Same(const T& A, const T& B) {
  return std::memcmp(&A, &B, sizeof(T)) == 0;
}

// Every field of the boat, bitwise.
inline bool SameBoat(const Voilier& A, const Voilier& B) {
#define KORVALEN_SAME(F) Same(A.F, B.F)
  return KORVALEN_SAME(x) && KORVALEN_SAME(y) && KORVALEN_SAME(theta) && KORVALEN_SAME(v) &&
         KORVALEN_SAME(omega) && KORVALEN_SAME(deltav) && KORVALEN_SAME(deltag) && KORVALEN_SAME(phi) &&
         KORVALEN_SAME(dphi) && KORVALEN_SAME(derive) && KORVALEN_SAME(Jz) && KORVALEN_SAME(rg) &&
         KORVALEN_SAME(rv) && KORVALEN_SAME(alphag) && KORVALEN_SAME(alphav) && KORVALEN_SAME(alphaf) &&
         KORVALEN_SAME(alphatheta) && KORVALEN_SAME(lm) && KORVALEN_SAME(V) && KORVALEN_SAME(m) &&
         KORVALEN_SAME(hv) && KORVALEN_SAME(alphaphi) && KORVALEN_SAME(Jx) && KORVALEN_SAME(hp) &&
         KORVALEN_SAME(kphi) && KORVALEN_SAME(cap) && KORVALEN_SAME(q) && KORVALEN_SAME(xd) &&
         KORVALEN_SAME(yd) && KORVALEN_SAME(fg) && KORVALEN_SAME(fv) && KORVALEN_SAME(u1) &&
         KORVALEN_SAME(u2) && KORVALEN_SAME(capd);
#undef KORVALEN_SAME
}

}  // namespace testing_app

// Runs the test class under a TApplication titled as the program's.
#define KORVALEN_TEST_MAIN(TestClass)                 \
  int main(int argc, char** argv) {                   \
    TApplication Application(argc, argv);             \
    Application.SetTitle(QStringLiteral("Korvalen")); \
    TestClass Test;                                   \
    return QTest::qExec(&Test, argc, argv);           \
  }
