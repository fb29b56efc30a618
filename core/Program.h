// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application object: the program-wide state together with everything
// the logic works through (word database, settings, clock, message boxes,
// the window system, the random generator). Passed explicitly.
//
// The values that are mirrored in section "Config" of the settings file
// change only through the operations below, which write them through at
// once: the review position (reviewnumber), the newest group (groupnumber)
// and the daily flags (plus, minus). When a write fails, the learner is
// told once a run, and the program goes on.

#include <cstdint>
#include <string>

#include "core/AppState.h"
#include "core/Backups.h"
#include "core/ChineseMeaningSource.h"
#include "core/OfflineDictionary.h"
#include "core/Prompter.h"
#include "core/Settings.h"
#include "core/Shell.h"
#include "core/Speech.h"
#include "store/Clock.h"
#include "store/Convert.h"
#include "store/Database.h"

namespace cindral {

class OpenNote;

class Program {
 public:
  Program(Database& db, Settings& settings, const Clock& clock, Prompter& prompter, Shell& shell)
      : db_(db),
        settings_(settings),
        clock_(clock),
        prompter_(prompter),
        shell_(shell),
        backups_(settings.programDirectory()) {}
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  Database& db() { return db_; }
  Prompter& prompter() { return prompter_; }
  Shell& shell() { return shell_; }
  RandomGenerator& random() { return random_; }
  // The backups of the book and the settings file, beside them.
  const Backups& backups() const { return backups_; }
  // Takes a backup now; false, with the reason (GBK), when it failed.
  bool BackUp(std::string* reason);
  // The voice that reads words aloud; without one set, none is available.
  Speech& speech() { return speech_ != nullptr ? *speech_ : noSpeech_; }
  void SetSpeech(Speech* speech) { speech_ = speech; }
  OfflineDictionary& offlineDictionary() { return offline_ != nullptr ? *offline_ : noOffline_; }
  void SetOfflineDictionary(OfflineDictionary* offline) { offline_ = offline; }
  // The note beside the book that tells other computers it is open here;
  // null when none is kept (tests, tools).
  OpenNote* openNote() { return openNote_; }
  void SetOpenNote(OpenNote* note) { openNote_ = note; }
  // The folder of the learner's configuration (GBK, see
  // UserConfiguration.h); empty when none is known.
  const std::string& configDirectory() const { return configDirectory_; }
  void SetConfigDirectory(std::string folder) { configDirectory_ = std::move(folder); }
  // English words' Chinese meanings; without a source set, none are known.
  ChineseMeaningSource& chineseMeanings() { return chinese_ != nullptr ? *chinese_ : noChinese_; }
  void SetChineseMeanings(ChineseMeaningSource* chinese) { chinese_ = chinese; }
  const Clock& clock() const { return clock_; }
  // The settings file, for the keys that are read where they are used.
  const Settings& settings() const { return settings_; }
  // The study day: today's date at 00:00:00, or, while a study window
  // holds the day, the day it was opened on.
  double Today() const;
  // Holds the study day from now until the matching ReleaseStudyDay, so
  // that a card open at midnight goes on with its own day's words; holds
  // nest, the outermost keeps its day. The release of the outermost hold
  // returns whether the calendar has moved on to another day meanwhile:
  // the caller then lets the new day begin.
  void HoldStudyDay();
  bool ReleaseStudyDay();

  // Ends the program (Shell::EndProgram): the learner chose to leave a day
  // that cannot begin, since the word book cannot be written, or moved the
  // book to another folder, which the next start opens.
  void EndRun() {
    endRequested_ = true;
    shell_.EndProgram();
  }
  bool EndRequested() const { return endRequested_; }

  // The lists and values held in memory only.
  AppState& state() { return state_; }
  const AppState& state() const { return state_; }

  // ReviewPosition: the 1-based position of the next word in the due list,
  // mirrored in reviewnumber.
  int32_t ReviewPosition() const { return reviewPosition_; }
  // Sets it and writes it through.
  void SetReviewPosition(int32_t position);
  // Reads reviewnumber into it (empty or non-numeric text gives 0).
  int32_t LoadReviewPosition();

  // CurrentGroup: the number of the newest word group, mirrored in
  // groupnumber.
  int32_t CurrentGroup() const { return currentGroup_; }
  // Reads groupnumber into it (the word entry and the import write it).
  int32_t LoadCurrentGroup();

  // The daily flags: only the exact text "false" means a step is still due.
  // A step is marked done in the same change as its words
  // (GiveLearningBonus, DecayWordBook).
  bool BonusDue() const;  // plus: today's learning bonus
  bool DecayDue() const;  // minus: today's proficiency decay
  // Both steps due again: the start of a new study day. Once this run's
  // start has taken the day's decay (NoteDecayTaken), a reset later on the
  // same study day leaves minus alone: the words entered after a reset, or
  // after the undo of the day's only import, would otherwise be decayed a
  // second time that day by the next start.
  void ResetDailyFlags();
  // The start has taken the day's decay: done it, found it done, or failed
  // to store it (it stays due then).
  void NoteDecayTaken() { decayTakenOn_ = Today(); }
  // Whether this run's start took the decay of the study day that is today.
  bool DecayTakenToday() const;
  // The same reset, held in memory until WriteHeldDailyFlags: a start in
  // the review phase resets the flags at every start, and writing them then
  // would put two writes of the settings file (each waiting for the disk)
  // before the main window's first paint. Both steps read as due meanwhile.
  void HoldDailyFlagsReset() { dailyFlagsResetHeld_ = true; }
  void WriteHeldDailyFlags();

 private:
  std::string ReadConfig(const std::string& key) const;
  void WriteConfig(const std::string& key, const std::string& text);

  Database& db_;
  Settings& settings_;
  const Clock& clock_;
  Prompter& prompter_;
  Shell& shell_;
  RandomGenerator random_;
  Backups backups_;
  Speech* speech_ = nullptr;
  NoSpeech noSpeech_;
  OfflineDictionary* offline_ = nullptr;
  NoOfflineDictionary noOffline_;
  OpenNote* openNote_ = nullptr;
  std::string configDirectory_;
  ChineseMeaningSource* chinese_ = nullptr;
  NoChineseMeanings noChinese_;
  AppState state_;
  int32_t reviewPosition_ = 0;
  int32_t currentGroup_ = 0;
  int studyDayHolds_ = 0;
  double heldStudyDay_ = 0;
  bool settingsFailureShown_ = false;  // the box shows once a run
  bool dailyFlagsResetHeld_ = false;
  double decayTakenOn_ = 0;  // the zero date: not yet this run
  bool endRequested_ = false;
};

// The due entry at ReviewPosition: the word the study windows show; nullptr
// when the position lies outside the due list.
DueEntry* CurrentDueEntry(Program& program);

// A study window's hold on the study day (see Program::HoldStudyDay), let
// go at the latest when it ends.
class StudyDayHold {
 public:
  explicit StudyDayHold(Program& program) : program_(program) {}
  ~StudyDayHold() { Release(); }
  StudyDayHold(const StudyDayHold&) = delete;
  StudyDayHold& operator=(const StudyDayHold&) = delete;

  void Hold() {
    if (held_) return;
    held_ = true;
    program_.HoldStudyDay();
  }
  // True when this was the outermost hold and the calendar has moved on to
  // another day while it held the study day.
  bool Release() {
    if (!held_) return false;
    held_ = false;
    return program_.ReleaseStudyDay();
  }

 private:
  Program& program_;
  bool held_ = false;
};

}  // namespace cindral
