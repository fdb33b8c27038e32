// The display tick's texts through the real TForm1: the twelve read-outs of a new
// boat exactly; signs, angles in degrees with the program's single-precision pi, huge
// values in full, "nan" and "inf"; w1 and w2 at 0 until the first simulation tick; the
// target sliders reaching the boat at the end of the next display tick; typed text
// replaced. The debug line that each frame writes into Memo1.
//
// The clocks are stopped and the ticks run by calling their handlers, as the timers
// call them, so that each step is known.

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QtTest>
#include <functional>
#include <limits>
#include <map>

#include "TestSupport.h"
#include "platform/NumberFormat.h"

using namespace testing_app;

namespace {

// The program's single-precision pi.
constexpr float kPi = 3.1415927f;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// "%f" of 1e300 and of -1e308, as the C library prints them: over 300 characters.
const char* const kHugeText =
    "1000000000000000052504760255204420248704468581108159154915854115511802457988908195786371375080447864"
    "0437044438328838781769425232353604305756447921847867069828483872009265758037378302337947880900593689"
    "5323497079994508111903896764088007465274278014249457925878882005684283811566947219638686545940054016"
    "0.000000";
const char* const kHugeNegativeText =
    "-100000000000000001097906362944045541740492309677311846336810682903157585404911491537163328978494688"
    "8990612496697211725156115902837431400883283070091981460460312716645029330271856974896995885590433383"
    "8446616500117842689762621294517762809119578670745812278397017178441510529180289320787327297488571543"
    "0223118336.000000";

// Runs one display tick as TimerAffichage does.
void DisplayTick() { Form1->TimerAffichageClock(Form1->TimerAffichage); }

// Sets one of the values that the read-outs show, by its name in the form or the boat.
void SetValue(const QString& Field, double Value) {
  TForm1* F = Form1;
  const std::map<QString, std::function<void()>> Setters = {
      {"v", [&] { F->etat.v = float(Value); }},
      {"x", [&] { F->etat.x = float(Value); }},
      {"y", [&] { F->etat.y = float(Value); }},
      {"theta", [&] { F->etat.theta = float(Value); }},
      {"omega", [&] { F->etat.omega = float(Value); }},
      {"fv", [&] { F->etat.fv = Value; }},
      {"fg", [&] { F->etat.fg = Value; }},
      {"q", [&] { F->etat.q = Value; }},
      {"cap", [&] { F->etat.cap = Value; }},
      {"w1", [&] { F->w1 = float(Value); }},
      {"w2", [&] { F->w2 = float(Value); }},
      {"deltav", [&] { F->etat.deltav = float(Value); }},
  };
  Setters.at(Field)();
}

}  // namespace

class ReadoutTest : public QObject {
  Q_OBJECT

  QLineEdit* Edit(const QString& Name) const { return Form1->findChild<QLineEdit*>(Name); }

 private slots:
  void init() { QVERIFY(ShowNewForm(true)); }
  void cleanup() { DeleteForm(); }

  // A new boat, before its first step: exactly these texts. The heading of 0.5235988f
  // reads 30.000000 with the single-precision pi (the double pi would give 30.000001).
  void newBoat_data() {
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("text");
    QTest::newRow("etat.v") << "Edit2"
                            << "3.000000";
    QTest::newRow("etat.x") << "Edit3"
                            << "0.000000";
    QTest::newRow("etat.y") << "Edit4"
                            << "1.000000";
    QTest::newRow("etat.theta(deg)") << "Edit5"
                                     << "30.000000";
    QTest::newRow("etat.omega") << "Edit6"
                                << "0.000000";
    QTest::newRow("fv") << "Edit7"
                        << "0.000000";
    QTest::newRow("fg") << "Edit8"
                        << "0.000000";
    QTest::newRow("q") << "Edit9"
                       << "3.000000";
    QTest::newRow("cap(deg)") << "Edit10"
                              << "30.000000";
    QTest::newRow("w1(deg)") << "Edit11"
                             << "0.000000";
    QTest::newRow("w2(deg)") << "Edit12"
                             << "0.000000";
    QTest::newRow("deltav(deg)") << "Edit13"
                                 << "0.000000";
  }

  void newBoat() {
    QFETCH(QString, edit);
    QFETCH(QString, text);
    Form1->ButtonStartClick(Form1->ButtonStart);
    DisplayTick();
    QVERIFY(Edit(edit));
    QCOMPARE(Edit(edit)->text(), text);
  }

  // Each value as it is: signed, in degrees where the label says so, never wrapped,
  // cut or rounded to a range; the frame of the same tick is drawn with it too.
  void shownValues_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QStringList>("texts");  // any of these
    auto Row = [](const char* Name, const char* Field, double Value, const char* Edit, QStringList Texts) {
      QTest::newRow(Name) << Field << Value << Edit << Texts;
    };
    Row("negative speed", "v", -0.5, "Edit2", {"-0.500000"});
    Row("x far east", "x", 123456.5, "Edit3", {"123456.500000"});
    Row("y south", "y", -3.25, "Edit4", {"-3.250000"});
    Row("heading south", "theta", double(-kPi / 2), "Edit5", {"-90.000000"});
    Row("small negative yaw rate", "omega", -0.001, "Edit6", {"-0.001000"});
    Row("huge sail force", "fv", 1e300, "Edit7", {kHugeText});
    Row("negative rudder force", "fg", -1234.5, "Edit8", {"-1234.500000"});
    Row("hugely negative rudder force", "fg", -1e308, "Edit8", {kHugeNegativeText});
    Row("leg 4", "q", 4, "Edit9", {"4.000000"});
    Row("cap half a turn", "cap", double(kPi), "Edit10", {"180.000000"});
    Row("cap three turns, not wrapped", "cap", 6 * double(kPi), "Edit10", {"1080.000000"});
    Row("sail setpoint", "w1", double(-kPi / 4), "Edit11", {"-45.000000"});
    Row("heading setpoint", "w2", double(kPi), "Edit12", {"180.000000"});
    Row("boom angle", "deltav", double(kPi / 4), "Edit13", {"45.000000"});
    Row("x not a number", "x", kNaN, "Edit3", {"nan", "-nan"});
    Row("fv not a number", "fv", -kNaN, "Edit7", {"nan", "-nan"});
    Row("heading infinite", "theta", kInf, "Edit5", {"inf"});
    Row("cap minus infinity", "cap", -kInf, "Edit10", {"-inf"});
  }

  void shownValues() {
    QFETCH(QString, field);
    QFETCH(double, value);
    QFETCH(QString, edit);
    QFETCH(QStringList, texts);
    SetValue(field, value);
    const long long Frames = Form1->OpenGLPanel1->FrameCount();
    DisplayTick();
    QVERIFY2(texts.contains(Edit(edit)->text()), qPrintable(Edit(edit)->text()));
    QCOMPARE(Form1->OpenGLPanel1->FrameCount(), Frames + 1);
  }

  // The setpoints read 0 until the first simulation tick, then its values in degrees.
  void setpointsZeroUntilFirstSimulationTick() {
    for (int I = 0; I < 3; ++I) DisplayTick();
    QCOMPARE(Edit("Edit11")->text(), QStringLiteral("0.000000"));
    QCOMPARE(Edit("Edit12")->text(), QStringLiteral("0.000000"));

    Form1->TimerdTClock(Form1->TimerdT);
    QVERIFY(Form1->w1 != 0 && Form1->w2 != 0);
    DisplayTick();
    const auto Degrees = [](float Radians) { return double(Radians) * 180 / double(kPi); };
    QCOMPARE(Edit("Edit11")->text(), QString::fromStdString(platform::formatFixed(Degrees(Form1->w1))));
    QCOMPARE(Edit("Edit12")->text(), QString::fromStdString(platform::formatFixed(Degrees(Form1->w2))));
  }

  // A target slider's move reaches xd and yd at the end of the next display tick: the
  // frame inside that tick still sees (and draws) the previous target. After a reset
  // the constructor's (250, 250) holds until the next display tick.
  void targetSlidersReachTheBoatAfterTheFrame() {
    double SeenX = kNaN, SeenY = kNaN;
    const auto Paint = Form1->OpenGLPanel1->OnPaint;
    Form1->OpenGLPanel1->OnPaint = [&, Paint](QObject* Sender) {
      SeenX = Form1->etat.xd;
      SeenY = Form1->etat.yd;
      Paint(Sender);
    };

    // The sliders' start-up positions (100, 100) reach the boat at the first tick.
    DisplayTick();
    QCOMPARE(Form1->etat.xd, 100.0);
    QCOMPARE(Form1->etat.yd, 100.0);

    // Moved: nothing until the display tick, whose frame still has the old target.
    Form1->TrackBar1->setValue(37);
    Form1->TrackBar2->setValue(-120);
    QCOMPARE(Form1->etat.xd, 100.0);
    DisplayTick();
    QCOMPARE(SeenX, 100.0);
    QCOMPARE(SeenY, 100.0);
    QCOMPARE(Form1->etat.xd, 37.0);
    QCOMPARE(Form1->etat.yd, -120.0);
    DisplayTick();
    QCOMPARE(SeenX, 37.0);
    QCOMPARE(SeenY, -120.0);

    // The ends of the sliders' range.
    Form1->TrackBar1->setValue(Form1->TrackBar1->minimum());
    Form1->TrackBar2->setValue(Form1->TrackBar2->maximum());
    DisplayTick();
    QCOMPARE(Form1->etat.xd, -500.0);
    QCOMPARE(Form1->etat.yd, 500.0);

    // A reset puts the constructor's target back until the next display tick.
    Form1->ButtonStartClick(Form1->ButtonStart);
    QCOMPARE(Form1->etat.xd, 250.0);
    DisplayTick();
    QCOMPARE(SeenX, 250.0);
    QCOMPARE(SeenY, 250.0);
    QCOMPARE(Form1->etat.xd, -500.0);
    QCOMPARE(Form1->etat.yd, 500.0);
    Form1->OpenGLPanel1->OnPaint = Paint;
  }

  // Text typed into a read-out or the memo is replaced at the next display tick, even
  // though the values have not changed since the previous one.
  void typedTextIsReplaced_data() {
    QTest::addColumn<QString>("control");
    QTest::newRow("etat.y") << "Edit4";
    QTest::newRow("q") << "Edit9";
    QTest::newRow("deltav(deg)") << "Edit13";
    QTest::newRow("Memo1") << "Memo1";
  }

  void typedTextIsReplaced() {
    QFETCH(QString, control);
    auto* Control = Form1->findChild<QWidget*>(control);
    QVERIFY(Control);
    const auto Text = [&] {
      if (auto* Memo = qobject_cast<QPlainTextEdit*>(Control)) return Memo->toPlainText();
      return static_cast<QLineEdit*>(Control)->text();
    };
    DisplayTick();
    const QString Shown = Text();
    QVERIFY(!Shown.isEmpty());

    QTest::keyClicks(Control, QStringLiteral("42,5 typed"));
    QVERIFY(Text() != Shown);
    const Voilier Before = Form1->etat;
    DisplayTick();
    QCOMPARE(Text(), Shown);
    // The typed text had no effect on the boat (the frame writes only V, from its slider).
    QVERIFY(SameBoat(Form1->etat, Before));
  }

  // The debug line, whole and exact: "%f" texts with a point, two blanks before the
  // second "et", V as it stood before the frame took the wind slider.
  void debugLine_data() {
    QTest::addColumn<float>("dT");
    QTest::addColumn<double>("u1");
    QTest::addColumn<double>("u2");
    QTest::addColumn<float>("deltag");
    QTest::addColumn<double>("V");
    QTest::addColumn<QString>("line");
    QTest::newRow("new boat")
        << 0.1f << 0.0 << 0.0 << 0.0f << 0.0
        << "dT = 0.100000 et u1 = 0.000000  et u2=0.000000 et deltag=0.000000 et V=0.000000";
    QTest::newRow("known values")
        << 0.1f << -0.5 << 1.25 << -0.25f << 10.5
        << "dT = 0.100000 et u1 = -0.500000  et u2=1.250000 et deltag=-0.250000 et V=10.500000";
    QTest::newRow("rudder at its stop")
        << 0.1f << 0.0 << -0.0 << -Voilier::kRudderLimit << 9.5
        << "dT = 0.100000 et u1 = 0.000000  et u2=-0.000000 et deltag=-0.628319 et V=9.500000";
    QTest::newRow("not a number and infinities")
        << 0.1f << kNaN << -kInf << float(kInf) << 0.0
        << "dT = 0.100000 et u1 = nan  et u2=-inf et deltag=inf et V=0.000000";
    QTest::newRow("huge wind")
        << 0.1f << 0.0 << 0.0 << 0.0f << 1e300
        << QStringLiteral("dT = 0.100000 et u1 = 0.000000  et u2=0.000000 et deltag=0.000000 et V=") +
               kHugeText;
  }

  void debugLine() {
    QFETCH(float, dT);
    QFETCH(double, u1);
    QFETCH(double, u2);
    QFETCH(float, deltag);
    QFETCH(double, V);
    QFETCH(QString, line);
    Form1->dT = dT;
    Form1->etat.u1 = u1;
    Form1->etat.u2 = u2;
    Form1->etat.deltag = deltag;
    Form1->etat.V = V;
    Form1->OpenGLPanel1->Repaint();
    QCOMPARE(Form1->Memo1->toPlainText(), line);
    QCOMPARE(Form1->Memo1->document()->blockCount(), 1);

    // The frame then took the wind slider's 10: the next line shows it.
    QCOMPARE(Form1->etat.V, 10.0);
    Form1->OpenGLPanel1->Repaint();
    QVERIFY(Form1->Memo1->toPlainText().endsWith(QStringLiteral(" et V=10.000000")));
  }
};

KORVALEN_TEST_MAIN(ReadoutTest)
#include "ReadoutTest.moc"
