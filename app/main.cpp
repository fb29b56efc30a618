// Start-up: the program's directory becomes the current directory, the main
// window is created (which opens the word book and computes today's plan),
// and the message loop runs until the main window is closed.

#include <unistd.h>

#include "app/DesktopShell.h"
#include "app/MainWindow.h"
#include "app/core/Program.h"
#include "app/core/ProgramDirectory.h"
#include "app/core/Settings.h"
#include "store/Clock.h"
#include "store/Database.h"
#include "store/Gbk.h"
#include "ui/Desktop.h"
#include "ui/Guard.h"
#include "ui/GuardedApplication.h"
#include "ui/QtPrompter.h"

int main(int argc, char** argv) {
  using namespace cindral;

  const std::string directory = ProgramDirectory();
  // The word book and the plan table are found beside the program.
  if (::chdir(GbkToUtf8(directory).c_str()) != 0) return 1;

  PrepareDesktopProcess();
  GuardedApplication app(argc, argv);
  PrepareDesktop(app);

  QtPrompter prompter;
  app.SetPrompter(&prompter);
  Database db;
  Settings settings(directory);
  SystemClock clock;
  DesktopShell shell;
  Program program(db, settings, clock, prompter, shell);
  MainWindow window(program);
  shell.Attach(&program, &window);

  bool started = false;
  RunGuarded(prompter, [&] { started = window.logic().OnMainWindowCreated(); });
  // Without a word book the program ends after its message.
  if (!started) return 1;

  window.show();
  const int code = app.exec();
  app.SetPrompter(nullptr);
  return code;
}
