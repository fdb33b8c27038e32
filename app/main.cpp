// The program's entry: the application object, its title, the main form,
// the message loop. No command line, no files, no environment.

#include <exception>

#include "app/Conduite.h"
#include "platform/Application.h"
#include "platform/Form.h"

int main(int argc, char** argv) {
  // 1. The application object (Qt needs the arguments it was started with).
  TApplication Application(argc, argv);
  try {
    // 2. The title that the task bar and the error boxes show.
    Application.SetTitle(QStringLiteral("Korvalen"));
    // 3. The main form.
    Form1 = new TForm1();
    // 4. The form shows, maximized, and the loop runs until the window is closed.
    platform::ShowMaximized(Form1);
    Application.exec();
    // End: the form goes with its controls and timers.
    delete Form1;
  } catch (const std::exception& E) {
    TApplication::ShowExceptionAndWait(E);
  }
  return 0;
}
