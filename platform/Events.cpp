#include "platform/Events.h"

#include <QAbstractButton>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <utility>

#include "platform/Application.h"

namespace platform {
namespace {

// Watches one control for one kind of event; a child of the control.
class TEnterWatcher : public QObject {
 public:
  TEnterWatcher(QWidget* Control, THandler Handler) : QObject(Control), Handler_(std::move(Handler)) {
    Control->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Event->type() == QEvent::FocusIn) {
      const Qt::FocusReason Reason = static_cast<QFocusEvent*>(Event)->reason();
      if (Reason != Qt::ActiveWindowFocusReason && Reason != Qt::PopupFocusReason)
        TApplication::Handle([&] { Handler_(Watched); });
    }
    return false;
  }

 private:
  THandler Handler_;
};

class TKeyPressWatcher : public QObject {
 public:
  TKeyPressWatcher(QWidget* Control, TKeyPressHandler Handler)
      : QObject(Control), Handler_(std::move(Handler)) {
    Control->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Event->type() != QEvent::KeyPress) return false;
    const QString Text = static_cast<QKeyEvent*>(Event)->text();
    if (Text.size() != 1 || Text[0] == u'\t' || Text[0].unicode() > 0xff) return false;
    char Key = Text[0].toLatin1();
    TApplication::Handle([&] { Handler_(Watched, Key); });
    return Key == 0;
  }

 private:
  TKeyPressHandler Handler_;
};

}  // namespace

void BindOnClick(QAbstractButton* Button, THandler Handler) {
  QObject::connect(Button, &QAbstractButton::clicked, Button, [Button, Handler = std::move(Handler)] {
    TApplication::Handle([&] { Handler(Button); });
  });
}

void BindOnTimer(QTimer* Timer, THandler Handler) {
  QObject::connect(Timer, &QTimer::timeout, Timer,
                   [Timer, Handler = std::move(Handler)] { TApplication::Handle([&] { Handler(Timer); }); });
}

void BindOnEnter(QWidget* Control, THandler Handler) { new TEnterWatcher(Control, std::move(Handler)); }

void BindOnKeyPress(QWidget* Control, TKeyPressHandler Handler) {
  new TKeyPressWatcher(Control, std::move(Handler));
}

}  // namespace platform
