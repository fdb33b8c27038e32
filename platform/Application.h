#pragma once

// The application object: Qt's QApplication with the error report that the program
// relies on. An exception that escapes an event handler is shown to the user in a
// modal error box, captioned with the application's title, and the event loop and
// every timer go on.
//
// Qt is not exception-safe: no exception may unwind through Qt's own code. Two
// guards keep it so:
// - TApplication::Handle() runs one of the program's handlers and reports what
//   escapes it; every handler that a platform component or the form binds to a Qt
//   signal or event runs inside it, so the exception stops at the handler's edge;
// - notify() catches whatever still escapes an event's delivery and reports it the
//   same way, as the last line of defence.

#include <QApplication>
#include <QString>
#include <exception>
#include <utility>

class QMessageBox;

class TApplication : public QApplication {
 public:
  TApplication(int& argc, char** argv);
  ~TApplication() override;

  /// The title that the task bar and the error boxes show; sets the application's
  /// name and display name.
  void SetTitle(const QString& Title);
  static QString Title();

  /// Shows the error report of an exception that escaped a handler: a modal error
  /// box with the exception's message, captioned with the title. It does not wait for
  /// the user: the box is shown and the caller goes on, so the loop and the timers go
  /// on behind it. While a box with the same message is still open, the same message
  /// is not shown twice (a handler that throws on every 10 ms tick opens one box).
  static void ShowException(const std::exception& E);

  /// Shows the error report and waits until the user closes it. For an exception
  /// that escapes start-up, when there is no loop to go back to.
  static void ShowExceptionAndWait(const std::exception& E);

  /// Runs Handler; an exception that escapes it is reported with ShowException and
  /// goes no further. Returns true when Handler ran to its end.
  template <class F>
  static bool Handle(F&& Handler) noexcept {
    try {
      std::forward<F>(Handler)();
      return true;
    } catch (const std::exception& E) {
      ReportNoThrow(E);
    } catch (...) {
      ReportUnknownNoThrow();
    }
    return false;
  }

  bool notify(QObject* Receiver, QEvent* Event) override;

 private:
  static QMessageBox* NewErrorBox(const QString& Message);
  static void ReportNoThrow(const std::exception& E) noexcept;
  static void ReportUnknownNoThrow() noexcept;
};
