// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The plan table from fuzzed bytes, read the way the day plan reads it,
// line by line; and SplitText with a fuzzed delimiter and maximum. Besides
// the sanitizers, it stops when a line's pieces are not the pieces of that
// line as the table defines lines (ended by a line feed, a NUL or a
// Ctrl-Z; a carriage return before a line feed dropped; only the bytes up
// to the table's limit read).

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "plan/PlanTable.h"
#include "store/Convert.h"

namespace {

const std::string& Path() {
  static const std::string path = [] {
    const std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    const std::string dir = base + "/cindral-plan-fuzz-" + std::to_string(getpid());
    std::filesystem::create_directories(dir);
    return dir + "/plan.txt";
  }();
  return path;
}

// The table's lines, 1-based, as its definition has them, in the part of
// the file that is read.
std::vector<std::string> Lines(const std::string& file) {
  const std::string text = file.substr(0, cindral::kPlanTableByteLimit);
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\n' || c == '\0' || c == 0x1A) {
      if (c == '\n' && !lines.back().empty() && lines.back().back() == '\r')
        lines.back().pop_back();
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace cindral;
  if (size < 1) return 0;
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  {
    std::ofstream out(Path(), std::ios::binary | std::ios::trunc);
    out << text;
  }
  const std::vector<std::string> lines = Lines(text);
  // A few lines: the first byte picks where to look.
  for (const int32_t n : {1, 2, 1 + data[0] % kPlanTableRows, kPlanTableRows, 0, 89}) {
    const std::vector<std::string> pieces = ReadPlanLine(Path(), n);
    const bool inTable =
        n >= 1 && n <= kPlanTableRows && static_cast<std::size_t>(n) <= lines.size();
    const std::vector<std::string> expected =
        inTable ? SplitText(lines[static_cast<std::size_t>(n - 1)], " ")
                : std::vector<std::string>();
    if (pieces != expected) std::abort();
  }
  // SplitText over the whole text with a delimiter from its first bytes.
  const std::string delim = text.substr(0, data[0] % 3);
  const std::optional<int32_t> most =
      data[0] % 5 == 0 ? std::nullopt : std::optional<int32_t>(data[0] % 7 - 2);
  (void)SplitText(text, delim, most);
  return 0;
}
