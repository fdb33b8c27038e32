// The application object's error report: an exception that
// escapes a handler (a timer tick, a repaint, a click, an event) shows a modal error box
// with its message, captioned with the application's title, and the loop and both
// timers go on, while the box is open and after it is closed.

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <stdexcept>

#include "TestSupport.h"
#include "platform/Events.h"

using namespace testing_app;

namespace {

// The error box on screen, if any.
QMessageBox* ErrorBox() { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }

int OpenErrorBoxes() {
  int Count = 0;
  for (QWidget* W : QApplication::topLevelWidgets())
    if (qobject_cast<QMessageBox*>(W) && W->isVisible()) ++Count;
  return Count;
}

// Throws from an event filter, inside Qt's delivery of the event: only the
// application object's notify() stands between the exception and Qt.
class TThrowOnTimerEvent : public QObject {
 public:
  int Left = 1;

 protected:
  bool eventFilter(QObject*, QEvent* Event) override {
    if (Event->type() == QEvent::Timer && Left > 0) {
      --Left;
      throw std::runtime_error("thrown in a timer event");
    }
    return false;
  }
};

}  // namespace

class ErrorReportTest : public QObject {
  Q_OBJECT

  int DisplayTicks = 0, SimulationTicks = 0;

  // Both clocks tick on: a few more ticks of each.
  // Frames: the repaints too (not while OnPaint throws).
  bool ClocksGoOn(bool Frames = true) {
    const int D = DisplayTicks, S = SimulationTicks;
    const long long F = Form1->OpenGLPanel1->FrameCount();
    return QTest::qWaitFor(
        [&] {
          return DisplayTicks >= D + 5 && SimulationTicks >= S + 3 &&
                 (!Frames || Form1->OpenGLPanel1->FrameCount() >= F + 5);
        },
        20000);
  }

  // Checks the box on screen and closes it with its button, as the user would.
  void CheckAndClose(const QString& Message) {
    QVERIFY(QTest::qWaitFor([] { return ErrorBox() != nullptr; }, 10000));
    QMessageBox* Box = ErrorBox();
    QCOMPARE(Box->text(), Message);
    QCOMPARE(Box->windowTitle(), QStringLiteral("Korvalen"));
    QCOMPARE(Box->icon(), QMessageBox::Critical);
    QVERIFY(Box->isModal());
    QCOMPARE(Box->windowModality(), Qt::ApplicationModal);
    // The loop and both timers go on behind the open box.
    QVERIFY(ClocksGoOn());
    QPointer<QMessageBox> Guard(Box);
    QTest::mouseClick(Box->button(QMessageBox::Ok), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return Guard.isNull(); }, 10000));
    QCOMPARE(OpenErrorBoxes(), 0);
    // And after it is closed.
    QVERIFY(ClocksGoOn());
  }

 private slots:
  void init() {
    QVERIFY(ShowNewForm());
    DisplayTicks = SimulationTicks = 0;
    connect(Form1->TimerAffichage, &QTimer::timeout, this, [this] { ++DisplayTicks; });
    connect(Form1->TimerdT, &QTimer::timeout, this, [this] { ++SimulationTicks; });
  }

  void cleanup() {
    for (QWidget* W : QApplication::topLevelWidgets())
      if (qobject_cast<QMessageBox*>(W)) delete W;
    DeleteForm();
  }

  // The repaint of the display tick throws (OnPaint, through Repaint()).
  void exceptionInRepaint() {
    auto Paint = Form1->OpenGLPanel1->OnPaint;
    int Throws = 1;
    Form1->OpenGLPanel1->OnPaint = [&, Paint](QObject* Sender) {
      if (Throws > 0) {
        --Throws;
        throw std::runtime_error("thrown in the repaint");
      }
      Paint(Sender);
    };
    CheckAndClose(QStringLiteral("thrown in the repaint"));
    Form1->OpenGLPanel1->OnPaint = Paint;
  }

  // Repaint() itself reports the exception and returns: its caller goes on.
  void repaintReturnsAfterReport() {
    auto Paint = Form1->OpenGLPanel1->OnPaint;
    Form1->OpenGLPanel1->OnPaint = [](QObject*) { throw std::logic_error("thrown in OnPaint"); };
    bool Returned = false;
    [&] {
      Form1->OpenGLPanel1->Repaint();
      Returned = true;
    }();
    QVERIFY(Returned);
    Form1->OpenGLPanel1->OnPaint = Paint;
    CheckAndClose(QStringLiteral("thrown in OnPaint"));
  }

  // The simulation tick's timer event throws before the handler: caught by notify().
  void exceptionInTimerEvent() {
    TThrowOnTimerEvent Thrower;
    Form1->TimerdT->installEventFilter(&Thrower);
    CheckAndClose(QStringLiteral("thrown in a timer event"));
    QCOMPARE(Thrower.Left, 0);
    Form1->TimerdT->removeEventFilter(&Thrower);
  }

  // Handlers bound with the platform's bindings: click (mouse, keyboard), entry into
  // an edit, key press, timer tick. (Form1's own handlers do not throw: extra
  // handlers are bound to its controls here.)
  void exceptionInBoundHandler_data() {
    QTest::addColumn<QString>("event");
    QTest::newRow("click") << "click";
    QTest::newRow("keyboard click") << "keyboard click";
    QTest::newRow("enter") << "enter";
    QTest::newRow("key press") << "key press";
    QTest::newRow("timer") << "timer";
  }

  void exceptionInBoundHandler() {
    QFETCH(QString, event);
    const QString Message = QStringLiteral("thrown in ") + event;
    auto Throw = [Message](QObject*) { throw std::runtime_error(Message.toStdString()); };
    QVERIFY(ActivateForm());
    if (event == "click") {
      platform::BindOnClick(Form1->ButtonStart, Throw);
      QTest::mouseClick(Form1->ButtonStart, Qt::LeftButton);
    } else if (event == "keyboard click") {
      platform::BindOnClick(Form1->ButtonStart, Throw);
      Form1->ButtonStart->setFocus();
      QTest::keyClick(Form1->ButtonStart, Qt::Key_Space);
    } else if (event == "enter") {
      platform::BindOnEnter(Form1->Edit4, Throw);
      QTest::mouseClick(Form1->Edit4, Qt::LeftButton);
    } else if (event == "key press") {
      platform::BindOnKeyPress(Form1->ButtonStart, [Throw](QObject* Sender, char&) { Throw(Sender); });
      Form1->ButtonStart->setFocus();
      QTest::keyClick(Form1->ButtonStart, 'a');
    } else {
      auto* Timer = new QTimer(Form1);
      Timer->setSingleShot(true);
      platform::BindOnTimer(Timer, Throw);
      Timer->start(0);
    }
    CheckAndClose(Message);
  }

  // A handler that throws on every tick opens one box, not one per tick; closed, the
  // next throw opens the next.
  void oneBoxPerMessage() {
    auto Paint = Form1->OpenGLPanel1->OnPaint;
    Form1->OpenGLPanel1->OnPaint = [](QObject*) { throw std::runtime_error("thrown at every frame"); };
    QVERIFY(QTest::qWaitFor([] { return ErrorBox() != nullptr; }, 10000));
    QVERIFY(ClocksGoOn(false));
    QCOMPARE(OpenErrorBoxes(), 1);
    ErrorBox()->close();
    QVERIFY(QTest::qWaitFor([] { return ErrorBox() != nullptr; }, 10000));
    QCOMPARE(OpenErrorBoxes(), 1);
    Form1->OpenGLPanel1->OnPaint = Paint;
    ErrorBox()->close();
    QVERIFY(QTest::qWaitFor([] { return OpenErrorBoxes() == 0; }, 10000));
    QVERIFY(ClocksGoOn());
  }
};

KORVALEN_TEST_MAIN(ErrorReportTest)
#include "ErrorReportTest.moc"
