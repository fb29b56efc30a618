// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the command line is read (--help and --version answer before
// anything else starts, and --add hands its word to the program already
// running on the data folder), the program's directory becomes the current
// directory, the main window is created (which opens the word book and
// computes today's plan), and the message loop runs until the main window
// is closed. The first program of a data folder listens for the words
// handed over later.

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/DesktopShell.h"
#include "app/DesktopSpeech.h"
#include "app/FontConfigurationReader.h"
#include "app/HandOver.h"
#include "app/HandOverServer.h"
#include "app/HandedWords.h"
#include "app/MainWindow.h"
#include "core/DataDirectory.h"
#include "core/OpenNote.h"
#include "core/Program.h"
#include "core/ProgramDirectory.h"
#include "core/Settings.h"
#include "core/UserConfiguration.h"
#include "lookup/ChineseMeanings.h"
#include "lookup/OfflineEntry.h"
#include "store/Clock.h"
#include "store/Database.h"
#include "store/Gbk.h"
#include "ui/Desktop.h"
#include "ui/Guard.h"
#include "ui/GuardedApplication.h"
#include "ui/QtPrompter.h"
#include "ui/TerminationSignals.h"

namespace {

// `folder` as an absolute path, without a trailing separator.
std::string AbsoluteFolder(std::string folder) {
  if (folder[0] != '/') {
    char here[4096];
    if (::getcwd(here, sizeof here) != nullptr) folder = std::string(here) + "/" + folder;
  }
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace cindral;
  const CommandLine command = CommandLine::Read(std::vector<std::string>(argv + 1, argv + argc));
  if (command.action != CommandLine::Action::kRun) return command.Answer(stdout, stderr);

  // The word book, the settings and the plan table are found beside the
  // program, or (installed) in the learner's data folder, or in the folder
  // the learner chose.
  const std::string config =
      UserConfigDirectory(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
  DataPlaceInputs inputs = CurrentDataPlaceInputs(ProgramDirectory());
  inputs.chosen = ChosenDataFolder(config);
  if (!command.dataFolder.empty()) {
    inputs.chosen = Utf8ToGbk(AbsoluteFolder(command.dataFolder));
    if (!KeepChosenDataFolder(config, inputs.chosen)) {
      std::fprintf(stderr, "cindral: the folder %s is not remembered for later starts (%s)\n",
                   command.dataFolder.c_str(), std::strerror(errno));
    }
  }
  const DataPlace place = ChooseDataPlace(inputs);
  const HandOverPlace handOver =
      HandOverPlaceFor(GbkToUtf8(place.directory), std::getenv("XDG_RUNTIME_DIR"));
  ProgramLock lock;
  if (command.add) {
    const std::optional<int> status =
        HandOverFromCommandLine(handOver, command.word, command.meaning, &lock, stderr);
    if (status) return *status;
  } else if (!handOver.socket.empty()) {
    // A second program on the same data folder runs as before, but the
    // words go to the first.
    lock.Take(handOver.lock);
  }

  CatchTerminationSignals();
  const FontConfigurationReader fonts;

  PrepareDesktopProcess();
  GuardedApplication app(argc, argv);
  PrepareDesktop(app);
  CloseWindowsOnTerminationSignals();
  QtPrompter prompter;
  app.SetPrompter(&prompter);

  std::string problem;
  if (!PrepareDataDirectory(place, &problem)) {
    EndWithFatalError(prompter, FatalError{0, GBK("无法准备存放单词本的文件夹：") + problem});
    return -1;  // reached only when the exit function returns
  }
  const std::string& directory = place.directory;
  if (::chdir(GbkToUtf8(directory).c_str()) != 0) {
    const std::string reason = Utf8ToGbk(std::strerror(errno));
    EndWithFatalError(prompter, FatalError{0, GBK("无法进入程序所在的目录：") + directory +
                                                  GBK("（") + reason + GBK("）")});
    return -1;  // reached only when the exit function returns
  }

  Database db;
  Settings settings(directory);
  SystemClock clock;
  DesktopShell shell;
  Program program(db, settings, clock, prompter, shell);
  // The engine starts when the first window with a speaker button opens.
  DesktopSpeech speech;
  program.SetSpeech(&speech);
  OfflineEntry offline;
  program.SetOfflineDictionary(&offline);
  // Tells a start on another computer, through a folder a sync tool shares,
  // that the book is open here.
  program.SetConfigDirectory(config);
  const ComputerIdentity me = ThisComputer(config);
  OpenNote note(directory, me.host, me.id);
  program.SetOpenNote(&note);
  // Opened at the first word asked about, never on the way to the first
  // paint.
  ChineseMeanings chinese(OfflineEntry::ProgramMeaningPlaces());
  program.SetChineseMeanings(&chinese);
  MainWindow window(program);
  shell.Attach(&program, &window);

  // The words handed over from the desktop, with their Chinese meanings.
  HandedWords handed(program, chinese);
  HandOverServer server([&handed, &prompter](const std::string& word, const std::string& meaning) {
    HandOverAnswer answer{false, "the program could not take the word"};
    RunGuarded(prompter, [&] { answer = handed.Take(word, meaning); });
    return answer;
  });
  if (lock.Held() && !server.Listen(handOver.socket)) {
    std::fprintf(stderr, "cindral: words cannot be handed to this program: %s\n",
                 handOver.socket.c_str());
  }
  if (command.add) program.state().EntryPrefill = handed.Prepare(command.word, command.meaning);

  bool started = false;
  RunGuarded(prompter, [&] { started = window.logic().OnMainWindowCreated(); });
  // Without a word book the program ends after its message.
  if (!started) return 1;

  window.AfterFirstPaint([&] {
    RunGuarded(prompter, [&] {
      window.logic().OnMainWindowShown();
      handed.StartUpDone();
    });
  });
  window.show();
  const int code = app.exec();
  app.SetPrompter(nullptr);
  return code;
}
