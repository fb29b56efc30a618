#pragma once
// The application object: the program-wide state together with everything
// the logic works through (word database, settings, clock, message boxes,
// the window system, the random generator). Passed explicitly.

#include <cstdint>
#include <string>

#include "app/AppState.h"
#include "app/Prompter.h"
#include "app/Settings.h"
#include "app/Shell.h"
#include "store/Clock.h"
#include "store/Convert.h"
#include "store/Database.h"

namespace cindral {

class Program {
 public:
  Program(Database& db, Settings& settings, const Clock& clock, Prompter& prompter, Shell& shell)
      : db(db), settings(settings), clock(clock), prompter(prompter), shell(shell) {}
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Today's date at 00:00:00.
  double Today() const;

  // Section "Config" of the settings file.
  std::string ReadConfig(const std::string& key) const;
  int32_t ReadConfigInt(const std::string& key) const;
  void WriteConfig(const std::string& key, const std::string& text);
  // Sets ReviewPosition and writes it through to reviewnumber.
  void SetReviewPosition(int32_t position);

  Database& db;
  Settings& settings;
  const Clock& clock;
  Prompter& prompter;
  Shell& shell;
  RandomGenerator random;
  AppState state;
};

}  // namespace cindral
