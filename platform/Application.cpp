#include "platform/Application.h"

#include <QHash>
#include <QMessageBox>
#include <QPointer>
#include <stdexcept>

namespace {

// The error boxes still open, by message.
QHash<QString, QPointer<QMessageBox>>& OpenBoxes() {
  static QHash<QString, QPointer<QMessageBox>> Boxes;
  return Boxes;
}

}  // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

TApplication::~TApplication() = default;

void TApplication::SetTitle(const QString& Title) {
  setApplicationName(Title);
  setApplicationDisplayName(Title);
}

QString TApplication::Title() { return QGuiApplication::applicationDisplayName(); }

QMessageBox* TApplication::NewErrorBox(const QString& Message) {
  auto* Box = new QMessageBox(QMessageBox::Critical, Title(), Message, QMessageBox::Ok);
  Box->setWindowModality(Qt::ApplicationModal);
  return Box;
}

void TApplication::ShowException(const std::exception& E) {
  const QString Message = QString::fromLocal8Bit(E.what());
  auto& Boxes = OpenBoxes();
  if (auto Open = Boxes.value(Message); Open && Open->isVisible()) return;
  QMessageBox* Box = NewErrorBox(Message);
  Box->setAttribute(Qt::WA_DeleteOnClose);
  Boxes.insert(Message, Box);
  QObject::connect(Box, &QObject::destroyed, [Message] { OpenBoxes().remove(Message); });
  // Shown without a loop of its own: the handler that failed returns at once, and the
  // application's loop, with every timer, runs on behind the modal box.
  Box->show();
}

void TApplication::ShowExceptionAndWait(const std::exception& E) {
  QMessageBox* Box = NewErrorBox(QString::fromLocal8Bit(E.what()));
  Box->exec();
  delete Box;
}

void TApplication::ReportNoThrow(const std::exception& E) noexcept {
  try {
    ShowException(E);
  } catch (...) {
    // Nothing more can be done: the report itself failed (out of memory).
  }
}

void TApplication::ReportUnknownNoThrow() noexcept {
  try {
    ShowException(std::runtime_error("Unknown exception"));
  } catch (...) {
  }
}

bool TApplication::notify(QObject* Receiver, QEvent* Event) {
  try {
    return QApplication::notify(Receiver, Event);
  } catch (const std::exception& E) {
    ReportNoThrow(E);
  } catch (...) {
    ReportUnknownNoThrow();
  }
  return false;
}
