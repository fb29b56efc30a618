// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logic of 导出单词… on the main window's menu: the learner picks where
// to write and in which format (tab-separated UTF-8, CSV in UTF-8 or GBK);
// every word goes into that file, written whole, and the learner hears how
// many and where the file is, or why nothing was written.

#include "core/Program.h"

namespace cindral {

class ExportLogic {
 public:
  explicit ExportLogic(Program& program) : program_(program) {}

  // Asks for the file (named 单词本-YYYY-MM-DD.tsv at first; a name without
  // an extension gets the chosen type's) and writes the words there.
  void Run();

 private:
  Program& program_;
};

}  // namespace cindral
