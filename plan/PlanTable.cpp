// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/PlanTable.h"

#include <cstdio>
#include <memory>

#include "store/Convert.h"
#include "store/Gbk.h"

namespace cindral {

const std::string& PlanTableFileName() { return GBK("艾宾浩斯.txt"); }

std::vector<std::string> ReadPlanLine(const std::string& path, int32_t lineNumber) {
  if (lineNumber < 1 || lineNumber > kPlanTableRows) return {};
  // Opened for reading only: the program never writes the table, and a
  // table installed read-only must still be read.
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(GbkToUtf8(path).c_str(), "rb"),
                                             &std::fclose);
  if (!file) return {};

  std::string line;
  int32_t number = 1;
  for (;;) {
    int c = std::getc(file.get());
    if (c == EOF) break;
    if (c == '\n' || c == '\0' || c == 0x1A) {
      if (number == lineNumber) {
        if (c == '\n' && !line.empty() && line.back() == '\r') line.pop_back();
        return SplitText(line, " ");
      }
      ++number;
      continue;
    }
    if (number == lineNumber) line.push_back(static_cast<char>(c));
  }
  // The last line of a file without a final line break.
  if (number == lineNumber) return SplitText(line, " ");
  return {};
}

}  // namespace cindral
