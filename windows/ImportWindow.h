// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The import window 窗口导入单词 on the desktop, bound to its logic: the
// preview of the words to add and of the lines that cannot be taken.

#include <functional>

#include "core/Program.h"
#include "logic/ImportWindowLogic.h"
#include "ui/Layouts.h"
#include "ui/LogicWindow.h"

namespace cindral {

class ImportWindow : public LogicWindow<ImportWindowLogic> {
  Q_OBJECT

 public:
  ImportWindow(Program& program, QWidget* parent = nullptr);

  // Asks for the file (or refuses), then shows the window modally unless
  // the logic closed it; returns when it has closed.
  void Run();
  // Shows the preview of the word list at `path` (GBK), without asking.
  void Load(const std::string& path);

 private:
  void Show() override;
  // The column choice of a file of more than two, and the table's headings.
  void ShowColumns();
  // The meanings the learner may edit, the index's suggestions marked.
  void ShowMeanings();
  // An e-reader's words: where each was met.
  void ShowEReaderWords();

  bool filling_ = false;  // the table is being filled, not edited

  Found<ImportWindowControls> ui_;
};

// Opens the import window; returns when it has closed.
void RunImportWindow(Program& program, QWidget* parent);

}  // namespace cindral
