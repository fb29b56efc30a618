// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/PlanTable.h"

#include <cstdio>

#include "store/Convert.h"
#include "store/Gbk.h"
#include "store/RegularFile.h"

namespace cindral {

const std::string& PlanTableFileName() { return GBK("艾宾浩斯.txt"); }

std::vector<std::string> ReadPlanLine(const std::string& path, int32_t lineNumber) {
  if (lineNumber < 1 || lineNumber > kPlanTableRows) return {};
  // Read only: the program never writes the table, and a table installed
  // read-only must still be read. A pipe or a device in its place reads as
  // a missing table, and a table is never read past its first bytes.
  std::string text;
  bool cut = false;
  if (ReadRegularFileStart(GbkToUtf8(path), kPlanTableByteLimit, &text, &cut) != FileRead::kRead) {
    return {};
  }
  if (cut) {
    std::fprintf(stderr, "cindral: %s is longer than %zu bytes; the rest is not read\n",
                 GbkToUtf8(path).c_str(), kPlanTableByteLimit);
  }

  std::size_t start = 0;
  int32_t number = 1;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    // The last line of a file without a final line break ends at its end.
    const char c = i < text.size() ? text[i] : '\n';
    if (c != '\n' && c != '\0' && c != 0x1A) continue;
    if (number == lineNumber) {
      std::string line = text.substr(start, i - start);
      if (c == '\n' && i < text.size() && !line.empty() && line.back() == '\r') line.pop_back();
      return SplitText(line, " ");
    }
    ++number;
    start = i + 1;
  }
  return {};
}

}  // namespace cindral
