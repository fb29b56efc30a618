// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic/ImportWindowLogic.h"

#include <algorithm>
#include <utility>

#include "book/LastImport.h"
#include "book/PendingWords.h"
#include "plan/DayPlan.h"
#include "plan/EntryGate.h"
#include "store/Convert.h"
#include "store/Gbk.h"
#include "store/RegularFile.h"

namespace cindral {
namespace {

// The meanings the index suggests for an e-reader's word.
constexpr std::size_t kSuggested = 3;

}  // namespace

void ImportWindowLogic::Refuse(const std::string& text, const std::string& caption) {
  program_.prompter().Inform(text, caption);
  closed_ = true;
}

void ImportWindowLogic::Opened() {
  const std::string refusal = EntryRefusal(program_);
  if (!refusal.empty()) return Refuse(refusal, GBK("提示"));
  const FileChoice file = program_.shell().ChooseFile(
      FileKind::Import, GBK("导入单词"), /*save=*/false,
      {GBK("单词表 (*.txt *.tsv *.csv)"),
       GBK("阅读器生词本 (vocab.db vocabulary_builder.sqlite3 *.db *.sqlite3)"),
       GBK("所有文件 (*)")},
      "");
  if (file.path.empty()) {
    closed_ = true;
    return;
  }
  LoadFile(file.path);
}

void ImportWindowLogic::LoadFile(const std::string& path) {
  std::string bytes;
  switch (ReadRegularFile(GbkToUtf8(path), kWordListFileLimit, &bytes)) {
    case FileRead::kRead:
      break;
    case FileRead::kNotRegular:
      return Refuse(GBK("“") + path + GBK("”不是普通文件（而是文件夹、管道或设备），没有导入。"),
                    GBK("提示"));
    case FileRead::kTooLarge:
      return Refuse(GBK("文件太大（超过 64 MB），不像是单词表，没有导入。"), GBK("提示"));
    case FileRead::kMissing:
    case FileRead::kFailed:
      return Refuse(GBK("无法读取文件：") + path, GBK("出错了"));
  }
  fileText_ = GBK("文件：") + path;
  if (IsSqliteHeader(bytes)) return LoadEReader(path);
  bytes_ = std::move(bytes);
  Read(nullptr);
  if (list_.notText) {
    Refuse(
        GBK("这个文件不是单词表：它的大部分行不是文字（含有控制字符或无法识别的编码），没有导入。"
            "\n单词表是 UTF-8 或 GBK 编码的文本文件。"),
        GBK("提示"));
  }
}

void ImportWindowLogic::LoadEReader(const std::string& path) {
  EReaderVocabulary vocabulary;
  switch (ReadEReaderVocabulary(GbkToUtf8(path), &vocabulary)) {
    case EReaderRead::kRead:
      break;
    case EReaderRead::kNotSqlite:
    case EReaderRead::kNotVocabulary:
      return Refuse(GBK("“") + path +
                        GBK("”是一个数据库文件，但不是 Kindle 或 KOReader 的生词本，没有导入。"),
                    GBK("提示"));
    case EReaderRead::kDamaged:
      return Refuse(GBK("生词本“") + path +
                        GBK("”已损坏，无法读取，没有导入。\n请从阅读器重新复制一份再试。"),
                    GBK("出错了"));
    case EReaderRead::kFailed:
      return Refuse(GBK("无法读取文件：") + path, GBK("出错了"));
  }
  fromEReader_ = true;
  met_ = std::move(vocabulary.words);
  // The words an earlier import left without a meaning come again, after
  // the reader's own.
  const std::size_t fromFile = met_.size();
  std::vector<std::string> keys;
  for (const EReaderWord& w : met_) keys.push_back(WordKey(w.word));
  for (EReaderWord& kept : ReadPendingWords(program_.db())) {
    const std::string key = WordKey(kept.word);
    if (key.empty() || std::find(keys.begin(), keys.end(), key) != keys.end()) continue;
    keys.push_back(key);
    met_.push_back(std::move(kept));
  }
  const std::size_t waiting = met_.size() - fromFile;
  list_ = WordListFile();
  const WordLimits limits = WordLimitsOf(program_.db());
  std::vector<EReaderWord> shown;
  for (std::size_t i = 0; i < met_.size(); ++i) {
    EReaderWord& w = met_[i];
    const int32_t line = static_cast<int32_t>(i + 1);
    if (w.word.size() > limits.word) {
      list_.problems.push_back({line, GBK("单词太长")});
      continue;
    }
    std::string meaning = SuggestedMeaning(w.word);
    suggested_.push_back(!meaning.empty());
    list_.words.push_back({line, w.word, std::move(meaning)});
    shown.push_back(std::move(w));
  }
  met_ = std::move(shown);
  offered_ = suggested_;
  encodingText_ = GBK("来源：") + EReaderName(vocabulary.kind) + GBK("，") +
                  IntegerToText(static_cast<int32_t>(fromFile)) + GBK(" 个单词");
  if (waiting > 0) {
    encodingText_ +=
        GBK("，另有上次没有释义的 ") + IntegerToText(static_cast<int32_t>(waiting)) + GBK(" 个");
  }
  encodingText_ += GBK("；释义可以修改，没有释义的单词不导入");
  Mark();
  Summarise();
}

std::string ImportWindowLogic::SuggestedMeaning(const std::string& word) {
  const std::size_t limit = WordLimitsOf(program_.db()).meaning;
  std::string meaning;
  for (const ChineseMeaning& m : program_.chineseMeanings().Lookup(word, kSuggested)) {
    const std::string next = (meaning.empty() ? "" : GBK("；")) + m.word;
    if (meaning.size() + next.size() > limit) break;
    meaning += next;
  }
  return meaning;
}

void ImportWindowLogic::SuggestMeanings() {
  suggested_.assign(list_.words.size(), false);
  std::vector<ListProblem> problems;
  std::vector<std::pair<ListedWord, bool>> words;
  for (ListedWord& w : list_.words) words.push_back({std::move(w), false});
  for (ListProblem& p : list_.problems) {
    std::string meaning = p.word.empty() ? std::string() : SuggestedMeaning(p.word);
    if (meaning.empty()) {
      problems.push_back(std::move(p));
    } else {
      words.push_back({ListedWord{p.line, p.word, std::move(meaning)}, true});
    }
  }
  std::stable_sort(words.begin(), words.end(),
                   [](const auto& a, const auto& b) { return a.first.line < b.first.line; });
  list_.words.clear();
  suggested_.clear();
  for (auto& [w, suggested] : words) {
    list_.words.push_back(std::move(w));
    suggested_.push_back(suggested);
  }
  list_.problems = std::move(problems);
  offered_ = suggested_;
}

bool ImportWindowLogic::HasMeaning(std::size_t index) const {
  return list_.words[index].meaning.find_first_not_of(GBK(" \t　")) != std::string::npos;
}

void ImportWindowLogic::EditMeaning(std::size_t index, std::string meaning) {
  if (closed_ || index >= list_.words.size() || !Editable(index)) return;
  if (meaning == list_.words[index].meaning) return;
  const WordLimits limits = WordLimitsOf(program_.db());
  if (meaning.size() > limits.meaning) {
    // Cut short it would lose what the learner typed, perhaps half a
    // character: the meaning stays as it was, and the learner hears why.
    program_.prompter().Inform(
        GBK("释义太长（") + IntegerToText(static_cast<int32_t>(meaning.size())) +
            GBK(" 字节，最多 ") + IntegerToText(static_cast<int32_t>(limits.meaning)) +
            GBK(" 字节），没有修改。"),
        GBK("提示"));
    return;
  }
  list_.words[index].meaning = std::move(meaning);
  suggested_[index] = false;
  Summarise();
}

void ImportWindowLogic::ChooseColumns(std::size_t word, std::size_t meaning) {
  if (bytes_.empty() || closed_) return;
  if (word == meaning) {
    // The choice stays as it was; the learner hears why.
    program_.prompter().Inform(GBK("单词列和释义列不能是同一列（第 ") +
                                   IntegerToText(static_cast<int32_t>(word + 1)) +
                                   GBK(" 列）：请为单词和释义各选一列。"),
                               GBK("提示"));
    return;
  }
  const ColumnChoice choice{word, meaning};
  Read(&choice);
}

void ImportWindowLogic::TakeKnownWords(bool take) {
  if (closed_) return;
  takeKnown_ = take;
  Summarise();
}

namespace {

// A list of more words than this hears that they all make one group.
constexpr int32_t kOneGroupNote = 100;

// How the preview names the separator (GBK).
std::string SeparatorName(char separator) {
  switch (separator) {
    case '\t':
      return GBK("制表符分隔");
    case ',':
      return GBK("逗号分隔（CSV）");
    case ';':
      return GBK("分号分隔");
    case ' ':
      return GBK("空格分隔");
    default:
      return GBK("以“") + std::string(1, separator) + GBK("”分隔");
  }
}

}  // namespace

void ImportWindowLogic::Read(const ColumnChoice* choice) {
  list_ = ReadWordList(bytes_, WordLimitsOf(program_.db()), choice);
  SuggestMeanings();
  encodingText_ =
      GBK("编码：") + EncodingName(list_) + GBK("　　格式：") + SeparatorName(list_.separator);
  if (list_.exported) {
    encodingText_ += GBK("，本程序导出的单词表");
  } else if (!list_.header.empty()) {
    encodingText_ += GBK("，首行是表头");
  }
  if (!list_.directives.empty()) encodingText_ += GBK("，其他程序导出");
  if (list_.html) encodingText_ += GBK("，HTML 已转为文字");
  columnNames_.clear();
  if (list_.columns > 2 && !list_.exported) {
    for (std::size_t c = 0; c < list_.columns; ++c) {
      std::string name = GBK("第 ") + IntegerToText(static_cast<int32_t>(c + 1)) + GBK(" 列");
      if (c < list_.header.size()) {
        name += GBK("：") + list_.header[c];
      } else if (const auto other = list_.otherColumns.find(c); other != list_.otherColumns.end()) {
        name += GBK("：") + other->second;  // what a directive gives it: guid, deck, …
      }
      columnNames_.push_back(std::move(name));
    }
  }
  Mark();
  Summarise();
}

void ImportWindowLogic::Mark() {
  const std::vector<Repeat> repeats = FindRepeats(program_.db(), list_.words);
  marks_.assign(list_.words.size(), std::string());
  marked_ = 0;
  for (std::size_t i = 0; i < repeats.size(); ++i) {
    const Repeat& repeat = repeats[i];
    if (!repeat.any()) continue;
    ++marked_;
    if (repeat.inBook.empty()) {
      marks_[i] = GBK("同第 ") + IntegerToText(repeat.earlierLine) + GBK(" 行");
      continue;
    }
    marks_[i] = KnownWordText(repeat.inBook.front(), list_.words[i].word);
    if (repeat.inBook.size() > 1) {
      marks_[i] +=
          GBK("（共 ") + IntegerToText(static_cast<int32_t>(repeat.inBook.size())) + GBK(" 处）");
    }
  }
}

void ImportWindowLogic::Summarise() {
  taken_ = 0;
  int32_t unmeant = 0;
  for (std::size_t i = 0; i < list_.words.size(); ++i) {
    if (Takes(i)) ++taken_;
    if (!HasMeaning(i) && marks_[i].empty()) ++unmeant;
  }
  std::string text = taken_ == 0
                         ? GBK("没有可以导入的单词")
                         : GBK("将作为今天的单词添加 ") + IntegerToText(taken_) + GBK(" 个");
  if (marked_ > 0 && !takeKnown_) {
    text += GBK("；已有的 ") + IntegerToText(marked_) + GBK(" 个不导入");
  }
  if (unmeant > 0) {
    text += GBK("；没有释义的 ") + IntegerToText(unmeant) +
            (fromEReader_ ? GBK(" 个留到下次") : GBK(" 个不导入"));
  }
  if (!list_.problems.empty()) {
    text += GBK("；") + IntegerToText(static_cast<int32_t>(list_.problems.size())) +
            GBK(" 行有问题，不会导入");
  }
  summaryText_ = text + GBK("。");
  // A day's group comes back on its review days all at once: a long list
  // makes every one of those days long.
  groupText_ = taken_ > kOneGroupNote
                   ? GBK("这 ") + IntegerToText(taken_) +
                         GBK(" 个单词都会成为今天的一组，以后在同样的日子一起复习，每次 ") +
                         IntegerToText(taken_) + GBK(" 个。")
                   : std::string();
}

void ImportWindowLogic::ImportButton() {
  if (!importEnabled()) return;
  std::vector<NewWord> words;
  words.reserve(static_cast<std::size_t>(taken_));
  for (std::size_t i = 0; i < list_.words.size(); ++i) {
    if (Takes(i)) words.push_back({list_.words[i].word, list_.words[i].meaning});
  }
  // A backup first; the import adds words and loses none, so it goes on
  // without one (and 撤销上次导入 can take it back).
  program_.BackUp(nullptr);
  bool undoable = false;
  const bool added =
      ImportTodaysWords(program_.db(), program_.settings(), program_.Today(), words, &undoable);
  // The words of a new study day have raised groupnumber.
  program_.LoadCurrentGroup();
  if (!added) {
    program_.prompter().Fail(GBK("导入失败，单词本没有改变，请再试！"), GBK("出错了"));
    return;
  }
  added_ = static_cast<int32_t>(words.size());
  // The words still without a meaning wait for the next import; those now
  // in the book leave the list.
  bool kept = true;
  if (fromEReader_) {
    std::vector<EReaderWord> waiting;
    for (std::size_t i = 0; i < list_.words.size(); ++i) {
      if (!HasMeaning(i) && marks_[i].empty()) waiting.push_back(met_[i]);
    }
    kept = WritePendingWords(program_.db(), waiting) == 0;
  }
  // The words are in; only the note that lets 撤销上次导入 take them back
  // could not be kept, and the learner should know before relying on it.
  program_.prompter().Inform(
      GBK("已导入 ") + IntegerToText(added_) + GBK(" 个单词。") +
          (undoable ? std::string() : GBK("\n这次导入的记录没有保存成功，以后无法撤销。")) +
          (kept ? std::string() : GBK("\n没有释义的单词未能保存，下次导入时不会再列出。")),
      GBK("成功"));
  closed_ = true;
}

void ImportWindowLogic::CancelButton() { closed_ = true; }

void ImportWindowLogic::Destroyed() {
  if (added_ > 0) ComputeDayPlan(program_);
}

}  // namespace cindral
