// The simulation clock and the reset, through the real TForm1: the boat
// moves from start-up without any action; ten ticks are one second of simulated time;
// Start and the focus entering Edit2 or Edit3 (by click, by tab) put back a new boat,
// and nothing else does; w1, w2, the camera and the sliders survive a reset.
// ButtonStartKeyPress: "z" and "Z".

#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QtTest>

#include "TestSupport.h"
#include "platform/Random.h"

using namespace testing_app;

class ClockTest : public QObject {
  Q_OBJECT

  int SimulationTicks = 0;

  // A roll inertia that no new boat has: set on the boat, it shows whether a reset
  // came since (a tick does not change the parameters).
  static constexpr double kMark = 175001;

  // Waits until the simulation has moved the boat away from a new boat.
  static bool BoatHasMoved() {
    return QTest::qWaitFor([] { return !SameBoat(Form1->etat, Voilier()); }, 10000);
  }

 private slots:
  void init() {
    QVERIFY(ShowNewForm());
    SimulationTicks = 0;
    // Connected after the form's own handler: runs after each simulation tick.
    connect(Form1->TimerdT, &QTimer::timeout, this, [this] { ++SimulationTicks; });
  }

  void cleanup() { DeleteForm(); }

  // No action: the boat moves from start-up on, one step per tick of 100 ms.
  void boatMovesWithoutAction() {
    // Created: a new boat; the first tick comes about 100 ms after the loop runs.
    auto* F = new TForm1();
    QVERIFY(SameBoat(F->etat, Voilier()));
    delete F;

    const Voilier Start = Form1->etat;
    QTest::qWait(1000);
    // About ten ticks in a second; the machine may be busy, so only "more than one".
    QVERIFY2(SimulationTicks > 1, qPrintable(QString::number(SimulationTicks)));
    QVERIFY(!SameBoat(Form1->etat, Start));
    QVERIFY(Form1->etat.x != Start.x || Form1->etat.y != Start.y);
  }

  // Ten ticks are ten steps of dT: one second of simulated time, whatever the
  // wall-clock time they took. The handler is called here as the timer calls it.
  void tenTicksAreOneSecond() {
    Form1->etat.V = 10;
    Form1->etat.xd = 100;
    Form1->etat.yd = 100;
    const Voilier Start = Form1->etat;

    // Reference: the boat stepped by hand, ten steps of 0.1 s.
    platform::resetRandom();
    Voilier Reference = Start;
    float W1 = 0, W2 = 0;
    for (int I = 0; I < 10; ++I) {
      W2 = float(Reference.guidage(0.1f));
      W1 = Reference.consigneVoile();
      Reference.evolution(0.1f, W1, W2);
    }

    platform::resetRandom();
    for (int I = 0; I < 10; ++I) Form1->TimerdTClock(Form1->TimerdT);
    QVERIFY(SameBoat(Form1->etat, Reference));
    QCOMPARE(Form1->w1, W1);
    QCOMPARE(Form1->w2, W2);
    // Moving at about 3 m/s, the boat went about 3 m in that second.
    const double Distance = std::hypot(double(Form1->etat.x) - Start.x, double(Form1->etat.y) - Start.y);
    QVERIFY2(Distance > 1 && Distance < 6, qPrintable(QString::number(Distance)));
  }

  // The real timer runs the tick: w2 from guidage, then w1 from
  // consigneVoile, on the boat as the previous tick left it (the gust of evolution
  // depends on the random draws in between, so only the setpoints are checked).
  void timerTickRunsGuidanceThenStep() {
    int Checked = 0;
    bool Have = false;
    Voilier Previous;
    QObject Connection;
    connect(Form1->TimerdT, &QTimer::timeout, &Connection, [&] {
      if (Have) {
        Voilier Expected = Previous;
        Expected.xd = Form1->etat.xd;  // the target as the tick saw it
        Expected.yd = Form1->etat.yd;
        const float W2 = float(Expected.guidage(Form1->dT));
        const float W1 = Expected.consigneVoile();
        if (Same(W2, Form1->w2) && Same(W1, Form1->w1) && Same(Expected.cap, Form1->etat.cap) &&
            Same(Expected.q, Form1->etat.q))
          ++Checked;
        else
          Checked = -1000;
      }
      Previous = Form1->etat;
      Have = true;
    });
    QVERIFY(QTest::qWaitFor([&] { return Checked >= 3 || Checked < 0; }, 20000));
    QVERIFY(Checked >= 3);
  }

  void startClickResets() {
    QVERIFY(BoatHasMoved());
    QTest::mouseClick(Form1->ButtonStart, Qt::LeftButton);
    QVERIFY(SameBoat(Form1->etat, Voilier()));
    // A thousand clicks: the same new boat each time.
    for (int I = 0; I < 1000; ++I) Form1->ButtonStart->click();
    QVERIFY(SameBoat(Form1->etat, Voilier()));
  }

  void startByKeyboardResets() {
    QVERIFY(ActivateForm());
    QCOMPARE(QApplication::focusWidget(), Form1->ButtonStart);
    QVERIFY(BoatHasMoved());
    QTest::keyClick(Form1->ButtonStart, Qt::Key_Space);
    QVERIFY(SameBoat(Form1->etat, Voilier()));
    QVERIFY(BoatHasMoved());
    QTest::keyClick(Form1->ButtonStart, Qt::Key_Return);
    QVERIFY(SameBoat(Form1->etat, Voilier()));
  }

  void clickIntoEditResets_data() {
    QTest::addColumn<QString>("edit");
    QTest::addColumn<bool>("resets");
    QTest::newRow("Edit2") << "Edit2" << true;
    QTest::newRow("Edit3") << "Edit3" << true;
    for (const char* Name :
         {"Edit4", "Edit5", "Edit6", "Edit7", "Edit8", "Edit9", "Edit10", "Edit11", "Edit12", "Edit13"})
      QTest::newRow(Name) << Name << false;
  }

  void clickIntoEditResets() {
    QFETCH(QString, edit);
    QFETCH(bool, resets);
    QVERIFY(ActivateForm());
    auto* Edit = Form1->findChild<QLineEdit*>(edit);
    QVERIFY(Edit);
    QVERIFY(BoatHasMoved());
    Form1->etat.Jx = kMark;
    const Voilier Before = Form1->etat;
    QTest::mouseClick(Edit, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Edit));
    QVERIFY(SameBoat(Form1->etat, resets ? Voilier() : Before));

    // A second click into the edit that has the focus is no entry.
    QVERIFY(BoatHasMoved());
    Form1->etat.Jx = kMark;
    QTest::mouseClick(Edit, Qt::LeftButton);
    QCOMPARE(Form1->etat.Jx, kMark);
  }

  // Tabbing on from Start enters Edit2, then Edit3: each entry resets; then Edit4,
  // which does not.
  void tabIntoEditResets() {
    QVERIFY(ActivateForm());
    QCOMPARE(QApplication::focusWidget(), Form1->ButtonStart);
    QVERIFY(BoatHasMoved());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Form1->Edit2);
    QVERIFY(SameBoat(Form1->etat, Voilier()));

    QVERIFY(BoatHasMoved());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Form1->Edit3);
    QVERIFY(SameBoat(Form1->etat, Voilier()));

    QVERIFY(BoatHasMoved());
    const Voilier Before = Form1->etat;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Form1->Edit4);
    QVERIFY(SameBoat(Form1->etat, Before));

    // Shift+Tab back into Edit3 enters it again.
    QVERIFY(BoatHasMoved());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), Form1->Edit3);
    QVERIFY(SameBoat(Form1->etat, Voilier()));
  }

  // The window getting the focus back is no entry into the edit that holds it.
  void reactivationIsNoEntry() {
    QVERIFY(ActivateForm());
    QTest::mouseClick(Form1->Edit2, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), Form1->Edit2);
    QWidget Other;
    Other.setGeometry(10, 10, 100, 100);
    Other.show();
    Other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&Other));
    // A mark that a reset would wipe and a tick leaves alone.
    Form1->etat.Jx = kMark;
    Form1->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Form1));
    QCOMPARE(QApplication::focusWidget(), Form1->Edit2);
    QCOMPARE(Form1->etat.Jx, kMark);
  }

  // The reset replaces the boat only: w1, w2, dT, the camera, the flag, the sliders and
  // the timers stay as they were.
  void resetKeepsTheRest() {
    QVERIFY(BoatHasMoved());
    Form1->w1 = 0.25f;
    Form1->w2 = -0.5f;
    Form1->xcam = 12;
    Form1->ycam = -7;
    Form1->zcam = 33;
    Form1->dircam = 45;
    Form1->vcam = 3;
    Form1->drapeau = -8;
    const int Positions[] = {-123, 321, 77, -55, 17, 64};
    QSlider* Bars[] = {Form1->TrackBar1, Form1->TrackBar2, Form1->TrackBar3,
                       Form1->TrackBar4, Form1->TrackBar5, Form1->TrackBar6};
    for (int I = 0; I < 6; ++I) Bars[I]->setValue(Positions[I]);

    QTest::mouseClick(Form1->ButtonStart, Qt::LeftButton);
    QVERIFY(SameBoat(Form1->etat, Voilier()));
    QCOMPARE(Form1->w1, 0.25f);
    QCOMPARE(Form1->w2, -0.5f);
    QCOMPARE(Form1->dT, 0.1f);
    QCOMPARE(Form1->xcam, 12.0f);
    QCOMPARE(Form1->ycam, -7.0f);
    QCOMPARE(Form1->zcam, 33.0f);
    QCOMPARE(Form1->dircam, 45.0f);
    QCOMPARE(Form1->vcam, 3.0f);
    QCOMPARE(Form1->drapeau, -8.0f);
    for (int I = 0; I < 6; ++I) QCOMPARE(Bars[I]->value(), Positions[I]);
    QVERIFY(Form1->TimerAffichage->isActive());
    QVERIFY(Form1->TimerdT->isActive());
    QCOMPARE(Form1->TimerdT->interval(), 100);

    // The clock goes on from the new boat.
    QVERIFY(BoatHasMoved());
  }

  // "z" adds 1 to zcam, "Z" takes 1 off; the key goes on to the button, which other
  // characters do not click.
  void zKeys() {
    QVERIFY(ActivateForm());
    QCOMPARE(QApplication::focusWidget(), Form1->ButtonStart);
    int Clicks = 0;
    QObject Connection;
    connect(Form1->ButtonStart, &QPushButton::clicked, &Connection, [&] { ++Clicks; });
    const float Z = Form1->zcam;
    QTest::keyClick(Form1->ButtonStart, 'z');
    QCOMPARE(Form1->zcam, Z + 1);
    QTest::keyClick(Form1->ButtonStart, 'z');
    QCOMPARE(Form1->zcam, Z + 2);
    QTest::keyClick(Form1->ButtonStart, 'Z', Qt::ShiftModifier);
    QCOMPARE(Form1->zcam, Z + 1);
    QTest::keyClick(Form1->ButtonStart, 'a');
    QCOMPARE(Form1->zcam, Z + 1);
    QCOMPARE(Clicks, 0);
  }
};

KORVALEN_TEST_MAIN(ClockTest)
#include "ClockTest.moc"
