#include "platform/Form.h"

#include <QEvent>
#include <QPoint>
#include <QScreen>
#include <QSize>
#include <QWidget>
#include <QWindowStateChangeEvent>

namespace platform {
namespace {

// Puts a form back to its restored bounds when it leaves the maximized state.
class TRestorer : public QObject {
 public:
  static constexpr const char* kName = "platform::TRestorer";

  explicit TRestorer(QWidget* Form) : QObject(Form) {
    setObjectName(QString::fromLatin1(kName));
    Form->installEventFilter(this);
  }

  void SetBounds(QPoint Position, QSize Size) {
    Position_ = Position;
    Size_ = Size;
  }

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Event->type() == QEvent::WindowStateChange) {
      auto* Form = static_cast<QWidget*>(Watched);
      const Qt::WindowStates Old = static_cast<QWindowStateChangeEvent*>(Event)->oldState();
      if ((Old & Qt::WindowMaximized) && Form->windowState() == Qt::WindowNoState) {
        Form->resize(Size_);
        Form->move(Position_);
      }
    }
    return false;
  }

 private:
  QPoint Position_;
  QSize Size_;
};

}  // namespace

void ShowMaximized(QWidget* Form) {
  auto* Restorer = static_cast<TRestorer*>(
      Form->findChild<QObject*>(QString::fromLatin1(TRestorer::kName), Qt::FindDirectChildrenOnly));
  if (!Restorer) Restorer = new TRestorer(Form);
  if (!(Form->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)))
    Restorer->SetBounds(Form->pos(), Form->size());
  if (QScreen* Screen = Form->screen()) Form->setGeometry(Screen->availableGeometry());
  Form->showMaximized();
}

}  // namespace platform
