// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logic of the import window 窗口导入单词: the learner picks a word list
// (word<TAB>meaning lines, or CSV), sees in a preview what will be added,
// in which encoding the file was read, and which lines cannot be taken and
// why; 导入 adds the words as today's words, exactly as the entry window
// adds each word typed; 取消 (or closing) writes nothing. Words the book
// holds already, and words an earlier line of the list holds, are marked
// and left out unless the learner takes them too (也导入已有的单词). A long
// list is told plainly that all its words make one day's group.
//
// An e-reader's vocabulary (the Kindle's vocab.db, KOReader's vocabulary
// builder) is taken as well: each word with the sentence it was met in and
// the book's title, its meaning suggested from the meanings index where it
// can be, every meaning editable. Only words with a meaning are imported;
// the rest are kept beside the book and offered again at the next import
// of an e-reader's words.

#include <string>
#include <vector>

#include "book/EReaderVocabulary.h"
#include "book/KnownWords.h"
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
  // 也导入已有的单词: takes the marked words too, or leaves them out.
  void TakeKnownWords(bool take);
  // The learner's meaning (GBK) for the word at this index of words();
  // blank leaves the word out of the import. One longer than the book's
  // meanings hold is refused with a message.
  void EditMeaning(std::size_t index, std::string meaning);
  void ImportButton();  // 导入
  void CancelButton();  // 取消
  // Once the window has gone: the plan again when words were added.
  void Destroyed();

  // Visible state.
  const std::string& fileText() const { return fileText_; }          // 标签文件
  const std::string& encodingText() const { return encodingText_; }  // 标签编码
  const std::vector<ListedWord>& words() const { return list_.words; }
  // For each word, where it is already (GBK): "第 3 组：苹果" for a word
  // of the book, "同第 2 行" for a repeat of an earlier line; empty for a
  // new word.
  const std::vector<std::string>& marks() const { return marks_; }
  // Whether the import takes the word at this index of words().
  bool Takes(std::size_t index) const {
    return (marks_[index].empty() || takeKnown_) && HasMeaning(index);
  }
  // Whether the words are an e-reader's, and then, for each word, where it
  // was met and whether its meaning is the index's suggestion, not yet
  // edited.
  bool fromEReader() const { return fromEReader_; }
  const std::vector<EReaderWord>& met() const { return met_; }
  bool Suggested(std::size_t index) const { return suggested_[index]; }
  // Whether the learner may edit the word's meaning: an e-reader's word,
  // or a word of a list that came without a meaning.
  bool Editable(std::size_t index) const { return fromEReader_ || offered_[index]; }
  // 复选框也导入已有: shown when the list has marked words, and whether it
  // is ticked.
  bool knownWordsChoice() const { return marked_ > 0; }
  bool takeKnownWords() const { return takeKnown_; }
  const std::vector<ListProblem>& problems() const { return list_.problems; }
  const std::string& summaryText() const { return summaryText_; }  // 标签摘要
  // 标签一组: for a long list, that all its words become one group that
  // comes back on the same days; empty otherwise.
  const std::string& groupText() const { return groupText_; }
  // The columns a file of more than two offers (下拉单词列, 下拉释义列), each
  // named by its header or its first line (GBK); empty for two columns.
  const std::vector<std::string>& columnNames() const { return columnNames_; }
  std::size_t wordColumn() const { return list_.wordColumn; }
  std::size_t meaningColumn() const { return list_.meaningColumn; }
  // The header line's names of the word's and the meaning's columns (GBK),
  // the table's headings; empty without a header.
  const std::vector<std::string>& header() const { return list_.header; }
  bool importEnabled() const { return taken_ > 0 && !closed_; }
  bool closed() const { return closed_; }
  // How many words the import added (0 until it has run).
  int32_t added() const { return added_; }

 private:
  void Refuse(const std::string& text, const std::string& caption);
  void Read(const ColumnChoice* choice);
  // The marks of the words read, against the book.
  void Mark();
  // The summary and the group note for the words taken.
  void Summarise();
  // Reads an e-reader's vocabulary database at `path` (GBK).
  void LoadEReader(const std::string& path);
  bool HasMeaning(std::size_t index) const;
  // The index's best meanings of `word` (GBK), joined; empty without any.
  std::string SuggestedMeaning(const std::string& word);
  // The words of the list's lines without a meaning that the index knows
  // join the words, with its meanings.
  void SuggestMeanings();

  Program& program_;
  WordListFile list_;
  std::string bytes_;
  std::vector<std::string> columnNames_;
  std::string fileText_;
  std::string encodingText_;
  std::string summaryText_;
  std::string groupText_;
  std::vector<std::string> marks_;
  bool fromEReader_ = false;
  std::vector<EReaderWord> met_;
  std::vector<bool> suggested_;
  std::vector<bool> offered_;
  int32_t marked_ = 0;
  int32_t taken_ = 0;
  bool takeKnown_ = false;
  bool closed_ = false;
  int32_t added_ = 0;
};

}  // namespace cindral
