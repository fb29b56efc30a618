// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the program keeps in the learner's configuration, "cindral.ini" in
// $XDG_CONFIG_HOME/cindral (GBK, the settings file's form):
//   [Computer] id     this computer as the note beside a shared book names
//                     it (see OpenNote.h), with its host name: a random id
//                     made on first use, so that two computers of the same
//                     name are still told apart;
//   [Data] folder     the data folder the learner chose (cindral --data DIR,
//                     or the menu), used by later starts.

#include <string>

namespace cindral {

struct ComputerIdentity {
  std::string host;  // GBK
  std::string id;    // 32 hexadecimal digits
};

// The folder of the learner's configuration (GBK): $XDG_CONFIG_HOME/cindral
// when that is an absolute path, else $HOME/.config/cindral; empty when
// neither is known.
std::string UserConfigDirectory(const char* xdgConfigHome, const char* home);

// This computer: the id kept in `configDirectory`, or a new one stored there
// (the folder made when missing). An id that cannot be stored serves this
// run only, and standard error says why.
ComputerIdentity ThisComputer(const std::string& configDirectory);

// The data folder the learner chose (GBK), empty when none was.
std::string ChosenDataFolder(const std::string& configDirectory);
// Keeps `folder` (GBK, absolute) as the chosen data folder; false, with
// errno, when it cannot be kept.
bool KeepChosenDataFolder(const std::string& configDirectory, const std::string& folder);

}  // namespace cindral
