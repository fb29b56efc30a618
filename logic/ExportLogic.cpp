// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic/ExportLogic.h"

#include <cstdio>
#include <string>
#include <vector>

#include "book/WordList.h"
#include "core/WholeFiles.h"
#include "logic/OwnFiles.h"
#include "store/Convert.h"
#include "store/DateTime.h"
#include "store/Gbk.h"

namespace cindral {

void ExportLogic::Run() {
  struct Choice {
    const char* filter;
    WordListFormat format;
    WordListEncoding encoding;
    const char* extension;
  };
  static const Choice kChoices[] = {
      {"制表符分隔的文本，UTF-8 (*.tsv *.txt)", WordListFormat::Tsv, WordListEncoding::Utf8,
       ".tsv"},
      {"逗号分隔的 CSV，UTF-8 (*.csv)", WordListFormat::Csv, WordListEncoding::Utf8, ".csv"},
      {"逗号分隔的 CSV，GBK (*.csv)", WordListFormat::Csv, WordListEncoding::Gbk, ".csv"},
  };
  std::vector<std::string> filters;
  for (const Choice& c : kChoices) filters.push_back(Utf8ToGbk(c.filter));
  const DateParts today = SplitDateTime(program_.Today());
  char name[64];
  std::snprintf(name, sizeof name, "-%04d-%02d-%02d.tsv", today.year, today.month, today.day);
  const FileChoice file = program_.shell().ChooseFile(FileKind::Export, GBK("导出单词"),
                                                      /*save=*/true, filters, GBK("单词本") + name);
  if (file.path.empty()) return;
  const Choice& choice = kChoices[file.filter >= 0 && file.filter < 3 ? file.filter : 0];
  std::string path = file.path;
  // A name without an extension gets the chosen type's.
  const size_t slash = path.rfind('/');
  if (path.find('.', slash == std::string::npos ? 0 : slash + 1) == std::string::npos) {
    path += choice.extension;
  }

  if (IsOwnFile(program_, path)) {
    program_.prompter().Fail(OwnFileRefusal(path), GBK("出错了"));
    return;
  }

  std::string text;
  int32_t words = 0;
  std::string notInGbk;
  if (!ExportWordList(program_.db(), choice.format, choice.encoding, &text, &words, &notInGbk)) {
    program_.prompter().Fail(
        notInGbk.empty() ? GBK("读取单词本失败，没有导出！")
                         : GBK("单词“") + notInGbk +
                               GBK("”含有 GBK 里没有的字符，无法导出为 GBK，请选择 UTF-8！"),
        GBK("出错了"));
    return;
  }
  if (!WriteFileWhole(GbkToUtf8(path), text)) {
    program_.prompter().Fail(GBK("文件写入失败，请换一个位置再试！"), GBK("出错了"));
    return;
  }
  program_.prompter().Inform(
      GBK("已导出 ") + IntegerToText(words) + GBK(" 个单词，文件在：\n") + path, GBK("成功"));
}

}  // namespace cindral
