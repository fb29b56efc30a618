// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's command line, read before anything else starts: no window,
// no display and no word book are needed to answer --help and --version,
// and a mistake is named before the program ends. The options every Qt
// program takes (-platform NAME, -style NAME, -reverse, -session ID, ...)
// are stepped over with their values; the toolkit reads them itself.
// An option of the program's own is a row of the options table in
// CommandLine.cpp, with the number of values that follow it.
//
// --add WORD [MEANING] hands a word to the program running on the same
// data folder (or starts one): the texts are taken as the desktop gives
// them (a selection with its line breaks and spaces) and made one line
// each; what cannot be a word is a mistake, named before anything starts.

#include <cstdio>
#include <string>
#include <vector>

namespace cindral {

struct CommandLine {
  enum class Action { kRun, kHelp, kVersion, kMistake };

  // `args`: the arguments after the program's name. Read in order: the
  // first that answers (--help, --version) or is wrong decides.
  static CommandLine Read(const std::vector<std::string>& args);

  // Prints the answer on `out`, or the mistake and a hint on `err`; returns
  // the exit status: 0, 1 when the answer could not be written, 2 for a
  // mistake. For kRun it prints nothing.
  int Answer(std::FILE* out, std::FILE* err) const;

  // The longest word and meaning --add takes, in UTF-8 bytes: a word is a
  // word or a phrase, not a page selected by mistake.
  static constexpr std::size_t kLongestWord = 200;
  static constexpr std::size_t kLongestMeaning = 2000;

  // `text` as one line: runs of spaces, tabs and line breaks become one
  // space, and none is left at either end. A mistake (one line) when the
  // bytes are not UTF-8 text or hold another control character, or when
  // the line is longer than `longest`; the line is then left empty.
  static std::string OneLine(const std::string& text, std::size_t longest, std::string* line);

  Action action = Action::kRun;
  std::string mistake;  // kMistake: what is wrong, one line
  // --add: the word and the meaning (UTF-8, one line each; the meaning is
  // empty when none was given).
  // --data DIR: the data folder for this start and later ones (as given,
  // in the desktop's encoding); empty when not given.
  std::string dataFolder;
  bool add = false;
  std::string word;
  std::string meaning;
};

}  // namespace cindral
