// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads the system's font configuration on a thread of its own while the
// program connects to the desktop. The configuration (some sixty files and
// the font caches, a few milliseconds) is otherwise read when the first text
// is drawn, inside the main window's first paint. The desktop's font
// database finds it read and goes on from there; should it come first, it
// reads the configuration itself, and the two readings agree.

#include <thread>

namespace cindral {

class FontConfigurationReader {
 public:
  FontConfigurationReader();  // starts the reading
  ~FontConfigurationReader();  // waits for it to end
  FontConfigurationReader(const FontConfigurationReader&) = delete;
  FontConfigurationReader& operator=(const FontConfigurationReader&) = delete;

 private:
  std::thread thread_;
};

}  // namespace cindral
