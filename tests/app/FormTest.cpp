// The main window: every control of the side panel with its
// position, size, caption, range and tab order; the window, its caption, font and
// maximized layout; the form's members; the timers.

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTimer>
#include <QtTest>
#include <map>

#include "TestSupport.h"

using namespace testing_app;

class FormTest : public QObject {
  Q_OBJECT

  // The focus stops met by tabbing from the Start button, once round.
  QStringList TabStops;

  std::map<QString, QWidget*> Members() const {
    TForm1* F = Form1;
    return {{"ButtonStart", F->ButtonStart},
            {"Edit2", F->Edit2},
            {"Label2", F->Label2},
            {"Label3", F->Label3},
            {"Label4", F->Label4},
            {"Edit3", F->Edit3},
            {"Label5", F->Label5},
            {"Edit4", F->Edit4},
            {"Label6", F->Label6},
            {"Edit5", F->Edit5},
            {"Label7", F->Label7},
            {"Edit6", F->Edit6},
            {"Label8", F->Label8},
            {"Edit7", F->Edit7},
            {"Label9", F->Label9},
            {"Edit8", F->Edit8},
            {"Edit9", F->Edit9},
            {"Label10", F->Label10},
            {"Edit10", F->Edit10},
            {"Label11", F->Label11},
            {"Edit11", F->Edit11},
            {"Edit12", F->Edit12},
            {"Label14", F->Label14},
            {"Edit13", F->Edit13},
            {"Label15", F->Label15},
            {"Memo1", F->Memo1},
            {"TrackBar1", F->TrackBar1},
            {"TrackBar2", F->TrackBar2},
            {"Label12", F->Label12},
            {"Label16", F->Label16},
            {"TrackBar3", F->TrackBar3},
            {"TrackBar4", F->TrackBar4},
            {"Label17", F->Label17},
            {"Label18", F->Label18},
            {"Label19", F->Label19},
            {"TrackBar5", F->TrackBar5},
            {"Label1", F->Label1},
            {"TrackBar6", F->TrackBar6},
            {"Label20", F->Label20}};
  }

 private slots:
  void initTestCase() {
    QVERIFY(ShowNewForm());
    QVERIFY(ActivateForm());
    QCOMPARE(QApplication::focusWidget(), Form1->ButtonStart);
    // Tab once round the form.
    for (int I = 0; I < 40; ++I) {
      QWidget* Focus = QApplication::focusWidget();
      QVERIFY(Focus);
      if (I > 0 && Focus == Form1->ButtonStart) break;
      TabStops << Focus->objectName();
      QTest::keyClick(Focus, Qt::Key_Tab);
    }
  }

  void cleanupTestCase() { DeleteForm(); }

  void controls_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("tabOrder");  // -1: no tab stop
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("position");

    auto Row = [](const char* Name, const char* Kind, int L, int T, int W, int H, const char* Caption,
                  int Tab, int Min = 0, int Max = 0, int Pos = 0) {
      QTest::newRow(Name) << QString::fromLatin1(Kind) << L << T << W << H << QString::fromUtf8(Caption)
                          << Tab << Min << Max << Pos;
    };
    Row("ButtonStart", "button", 72, 8, 89, 25, "Start", 0);
    Row("Memo1", "memo", 197, 24, 124, 353, "Memo1", 13);
    Row("TrackBar5", "trackbar", 40, 32, 150, 45, "", 18, 0, 20, 10);
    Row("Label1", "label", 24, 40, 7, 13, "V", -1);
    Row("Edit7", "edit", 48, 72, 121, 21, "", 6);
    Row("Label8", "label", 24, 80, 9, 13, "fv", -1);
    Row("Edit8", "edit", 48, 104, 121, 21, "", 7);
    Row("Label9", "label", 24, 104, 9, 13, "fg", -1);
    Row("Label3", "label", 0, 128, 21, 13, "état:", -1);
    Row("Edit3", "edit", 64, 144, 121, 21, "", 2);
    Row("Label4", "label", 16, 152, 26, 13, "etat.x", -1);
    Row("Edit4", "edit", 64, 176, 121, 21, "", 3);
    Row("Label5", "label", 16, 184, 26, 13, "etat.y", -1);
    Row("Edit6", "edit", 64, 208, 121, 21, "", 5);
    Row("Label7", "label", 8, 216, 53, 13, "etat.omega", -1);
    Row("Edit2", "edit", 64, 240, 121, 21, "", 1);
    Row("Label2", "label", 16, 248, 36, 13, "etat.v : ", -1);
    Row("Edit10", "edit", 64, 272, 121, 21, "", 9);
    Row("Label11", "label", 16, 280, 45, 13, "cap(deg):", -1);
    Row("Edit13", "edit", 64, 304, 121, 21, "", 12);
    Row("Label15", "label", 8, 312, 53, 13, "deltav(deg)", -1);
    Row("Edit9", "edit", 64, 336, 121, 21, "", 8);
    Row("Label10", "label", 48, 344, 9, 13, "q:", -1);
    Row("Edit11", "edit", 64, 368, 121, 21, "", 10);
    Row("Label19", "label", 16, 376, 38, 13, "w1(deg)", -1);
    Row("Edit5", "edit", 88, 400, 121, 21, "", 4);
    Row("Label6", "label", 8, 408, 69, 13, "etat.theta(deg)", -1);
    Row("Edit12", "edit", 88, 432, 121, 21, "", 11);
    Row("Label14", "label", 32, 440, 41, 13, "w2(deg):", -1);
    Row("TrackBar1", "trackbar", 88, 472, 150, 45, "", 14, -500, 500, 100);
    Row("Label12", "label", 64, 480, 14, 13, "xd:", -1);
    Row("TrackBar2", "trackbar", 88, 512, 150, 45, "", 15, -500, 500, 100);
    Row("Label16", "label", 64, 520, 14, 13, "yd:", -1);
    Row("TrackBar3", "trackbar", 88, 544, 150, 41, "", 16, -200, 200, -50);
    Row("Label17", "label", 48, 552, 40, 13, "direction", -1);
    Row("TrackBar4", "trackbar", 88, 576, 150, 45, "", 17, -100, 100, 0);
    Row("Label18", "label", 32, 584, 56, 13, "vitesse cam", -1);
    Row("TrackBar6", "trackbar", 88, 616, 150, 45, "", 19, 5, 100, 20);
    Row("Label20", "label", 48, 624, 36, 13, "hauteur", -1);
  }

  void controls() {
    QFETCH(QString, kind);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QString, caption);
    QFETCH(int, tabOrder);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, position);
    const QString Name = QString::fromLatin1(QTest::currentDataTag());

    // The member of that name is the control of that name, on Panel1.
    const auto Members_ = Members();
    QVERIFY(Members_.count(Name));
    QWidget* Control = Members_.at(Name);
    QVERIFY(Control);
    QCOMPARE(Control->objectName(), Name);
    QCOMPARE(Control->parentWidget(), static_cast<QWidget*>(Form1->Panel1));
    QVERIFY(Control->isVisible());

    QCOMPARE(Control->x(), left);
    QCOMPARE(Control->y(), top);
    if (kind == "label") {
      // A label is at least the table's size (that of the design font) and as wide
      // as its caption in the desktop font.
      auto* Label = qobject_cast<QLabel*>(Control);
      QVERIFY(Label);
      QCOMPARE(Label->text(), caption);
      QVERIFY(Label->width() >= width);
      QVERIFY(Label->height() >= height);
      QVERIFY(Label->width() >= Label->fontMetrics().horizontalAdvance(caption));
      QCOMPARE(Label->focusPolicy(), Qt::NoFocus);
    } else {
      QCOMPARE(Control->width(), width);
      QCOMPARE(Control->height(), height);
    }

    if (kind == "button") {
      auto* Button = qobject_cast<QPushButton*>(Control);
      QVERIFY(Button);
      QCOMPARE(Button->text(), caption);
    } else if (kind == "edit") {
      auto* Edit = qobject_cast<QLineEdit*>(Control);
      QVERIFY(Edit);
      // Empty at creation (a form not yet shown, before any tick): the display tick
      // fills it.
      TForm1 Created;
      auto* Fresh = Created.findChild<QLineEdit*>(Name);
      QVERIFY(Fresh);
      QCOMPARE(Fresh->text(), caption);
    } else if (kind == "memo") {
      auto* Memo = qobject_cast<QPlainTextEdit*>(Control);
      QVERIFY(Memo);
      // One line "Memo1" until the first repaint of the 3D view writes the debug line.
      QVERIFY(Memo->toPlainText() == caption || Form1->OpenGLPanel1->FrameCount() > 0);
      QVERIFY(Memo->tabChangesFocus());
    } else if (kind == "trackbar") {
      auto* Bar = qobject_cast<QSlider*>(Control);
      QVERIFY(Bar);
      QCOMPARE(Bar->orientation(), Qt::Horizontal);
      QCOMPARE(Bar->minimum(), minimum);
      QCOMPARE(Bar->maximum(), maximum);
      QCOMPARE(Bar->value(), position);
      QCOMPARE(Bar->tickPosition(), QSlider::TicksBelow);
      QCOMPARE(Bar->tickInterval(), 1);
      QCOMPARE(Bar->singleStep(), 1);
      QCOMPARE(Bar->pageStep(), 2);
    }

    QCOMPARE(TabStops.indexOf(Name), tabOrder);
  }

  // Twenty tab stops: the Start button, the twelve edits, the memo, the six track bars.
  void tabStopsAreTheTablesOnly() {
    QCOMPARE(TabStops.size(), 20);
    QCOMPARE(TabStops.first(), QStringLiteral("ButtonStart"));
  }

  void windowAndFont() {
    QCOMPARE(Form1->windowTitle(), QStringLiteral("Simulation d'un bateau"));
    QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("Korvalen"));
    QCOMPARE(Form1->font().pointSize(), 8);
    QCOMPARE(Form1->ButtonStart->font().pointSize(), 8);
    QCOMPARE(Form1->Label6->font().pointSize(), 8);
  }

  // Maximized: the screen's available area, without a window manager too. Panel1 keeps
  // its width on the right at full height; OpenGLPanel1 fills the rest.
  void maximizedLayout() {
    QVERIFY(Form1->windowState() & Qt::WindowMaximized);
    const QRect Available = Form1->screen()->availableGeometry();
    if (Form1->frameGeometry() == Form1->geometry()) {
      // No window manager: the form gives itself the available area.
      QCOMPARE(Form1->geometry(), Available);
    } else {
      // A window manager maximized it, within the available area, its frame around.
      QTRY_VERIFY(Available.contains(Form1->geometry()));
      QVERIFY(Form1->width() > Available.width() * 9 / 10 && Form1->height() > Available.height() * 8 / 10);
    }
    const int W = Form1->width(), H = Form1->height();
    QCOMPARE(Form1->Panel1->geometry(), QRect(W - 334, 0, 334, H));
    QWidget* GL = Form1->OpenGLPanel1->Container();
    QCOMPARE(GL->objectName(), QStringLiteral("OpenGLPanel1"));
    QCOMPARE(GL->parentWidget(), static_cast<QWidget*>(Form1));
    QCOMPARE(GL->geometry(), QRect(0, 0, W - 334, H));
    const qreal Ratio = Form1->OpenGLPanel1->devicePixelRatio();
    QCOMPARE(Form1->OpenGLPanel1->Width(), qRound((W - 334) * Ratio));
    QCOMPARE(Form1->OpenGLPanel1->Height(), qRound(H * Ratio));
    // Neither panel takes the focus.
    QCOMPARE(GL->focusPolicy(), Qt::NoFocus);
    QCOMPARE(Form1->Panel1->focusPolicy(), Qt::NoFocus);
  }

  void members() {
    // Values at creation.
    auto* F = new TForm1();
    QCOMPARE(F->xcam, -30.0f);
    QCOMPARE(F->ycam, -20.0f);
    QCOMPARE(F->zcam, 40.0f);
    QCOMPARE(F->dircam, 0.0f);
    QCOMPARE(F->vcam, 0.0f);
    QCOMPARE(F->dT, 0.1f);
    QCOMPARE(F->w1, 0.0f);
    QCOMPARE(F->w2, 0.0f);
    QCOMPARE(F->drapeau, 8.0f);
    QVERIFY(SameBoat(F->etat, Voilier()));
    delete F;
  }

  void timers() {
    QCOMPARE(Form1->TimerAffichage->interval(), 10);
    QCOMPARE(Form1->TimerdT->interval(), 100);
    QCOMPARE(Form1->TimerdT->interval(), int(Form1->dT * 1000.0f));
    for (QTimer* Timer : {Form1->TimerAffichage, Form1->TimerdT}) {
      QVERIFY(Timer->isActive());
      QVERIFY(!Timer->isSingleShot());
      QCOMPARE(Timer->timerType(), Qt::PreciseTimer);
      QCOMPARE(Timer->parent(), static_cast<QObject*>(Form1));
    }
  }

  // Restoring the window gives the restored bounds: the frame at (79, 215), a client
  // area of 830 x 531; the side panel keeps 334 on the right, the view gets 496.
  // Maximizing again fills the available area. The clocks run on.
  void restoreAndMaximize() {
    Form1->showNormal();
    QTRY_COMPARE(Form1->size(), QSize(830, 531));
    QTRY_COMPARE(Form1->pos(), QPoint(79, 215));
    QCOMPARE(Form1->Panel1->geometry(), QRect(496, 0, 334, 531));
    QCOMPARE(Form1->OpenGLPanel1->Container()->geometry(), QRect(0, 0, 496, 531));
    QCOMPARE(Form1->ButtonStart->geometry(), QRect(72, 8, 89, 25));

    Form1->showMinimized();
    QTest::qWait(100);
    platform::ShowMaximized(Form1);
    QTRY_VERIFY(Form1->screen()->availableGeometry().contains(Form1->geometry()));
    QTRY_VERIFY(Form1->width() > 830);
    QVERIFY(Form1->TimerAffichage->isActive());
    QVERIFY(Form1->TimerdT->isActive());
    const long long Frames = Form1->OpenGLPanel1->FrameCount();
    QTRY_VERIFY(Form1->OpenGLPanel1->FrameCount() > Frames + 5);
  }
};

KORVALEN_TEST_MAIN(FormTest)
#include "FormTest.moc"
