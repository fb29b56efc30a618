// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the learner's files live: the word book, the settings file and the
// plan table.
//
// - A portable program directory (one the learner may write, not laid out
//   as an installed program) keeps them beside the program.
// - An installed program (its directory sits beside share/cindral, as
//   /usr/bin sits beside /usr/share/cindral), or one whose directory may not
//   be written, keeps them in $XDG_DATA_HOME/cindral (by default
//   ~/.local/share/cindral). On the first start the shipped files are
//   copied there from share/cindral (or from the program directory); a file
//   that is there already is never overwritten.

#include <string>
#include <vector>

namespace cindral {

// What the choice depends on; all paths GBK, without trailing separators.
struct DataPlaceInputs {
  std::string programDirectory;
  bool programDirectoryWritable = true;
  std::string sharedDirectory;  // <program directory>/../share/cindral when it exists, else empty
  std::string xdgDataHome;      // $XDG_DATA_HOME, empty when unset
  std::string home;             // $HOME (or the password file's home), empty when unknown
  // The folder the learner chose (cindral --data DIR, or the one kept in
  // the configuration), empty when none: it wins over the others.
  std::string chosen;
};

struct DataPlace {
  std::string directory;  // GBK; empty when no directory can be named (no home)
  std::string shipped;    // GBK; where missing files are copied from; empty = nothing to copy
};

// The files the program ships and copies on the first start, in the order
// they are copied (the word book's side file before the book, so that a
// start cut short never leaves a book without its side file).
const std::vector<std::string>& ShippedFiles();  // GBK names

DataPlace ChooseDataPlace(const DataPlaceInputs& inputs);
// The inputs of this process: its environment and its program directory.
DataPlaceInputs CurrentDataPlaceInputs(const std::string& programDirectory);

// For a data folder with shipped files: makes the folder (and its parents)
// and copies in every shipped file it lacks, each one whole or not at all.
// A portable program's folder is left as it is. False, with the reason
// (GBK), when the folder cannot be made or a copy fails.
bool PrepareDataDirectory(const DataPlace& place, std::string* reason);

}  // namespace cindral
