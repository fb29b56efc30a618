// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logic of the import window 窗口导入单词: the learner picks a word list
// (word<TAB>meaning lines, or CSV), sees in a preview what will be added,
// in which encoding the file was read, and which lines cannot be taken and
// why; 导入 adds the words as today's words, exactly as the entry window
// adds each word typed; 取消 (or closing) writes nothing.

#include <string>
#include <vector>

#include "book/WordList.h"
#include "core/Program.h"

namespace cindral {

class ImportWindowLogic {
 public:
  explicit ImportWindowLogic(Program& program) : program_(program) {}

  // Window events.
  // Refuses (with the entry gate's message) when today's words cannot be
  // entered; otherwise asks for the file and reads it. Closes when refused,
  // when the learner picks no file, or when the file cannot be read.
  void Opened();
  // Reads the word list at `path` (GBK) into the preview.
  void LoadFile(const std::string& path);
  // Takes the word and the meaning from these columns (0-based) of a file
  // of more than two, and reads the list again.
  void ChooseColumns(std::size_t word, std::size_t meaning);
  void ImportButton();  // 导入
  void CancelButton();  // 取消
  // Once the window has gone: the plan again when words were added.
  void Destroyed();

  // Visible state.
  const std::string& fileText() const { return fileText_; }          // 标签文件
  const std::string& encodingText() const { return encodingText_; }  // 标签编码
  const std::vector<ListedWord>& words() const { return list_.words; }
  const std::vector<ListProblem>& problems() const { return list_.problems; }
  const std::string& summaryText() const { return summaryText_; }  // 标签摘要
  // The columns a file of more than two offers (下拉单词列, 下拉释义列), each
  // named by its header or its first line (GBK); empty for two columns.
  const std::vector<std::string>& columnNames() const { return columnNames_; }
  std::size_t wordColumn() const { return list_.wordColumn; }
  std::size_t meaningColumn() const { return list_.meaningColumn; }
  // The header line's names of the word's and the meaning's columns (GBK),
  // the table's headings; empty without a header.
  const std::vector<std::string>& header() const { return list_.header; }
  bool importEnabled() const { return !list_.words.empty() && !closed_; }
  bool closed() const { return closed_; }
  // How many words the import added (0 until it has run).
  int32_t added() const { return added_; }

 private:
  void Refuse(const std::string& text, const std::string& caption);
  void Read(const ColumnChoice* choice);

  Program& program_;
  WordListFile list_;
  std::string bytes_;
  std::vector<std::string> columnNames_;
  std::string fileText_;
  std::string encodingText_;
  std::string summaryText_;
  bool closed_ = false;
  int32_t added_ = 0;
};

}  // namespace cindral
