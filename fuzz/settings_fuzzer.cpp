// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file from fuzzed bytes: every key the program and the skin
// engine use is read, one is written, and all are read again. Besides the
// sanitizers, it stops when the written key does not read back as written,
// when any other key reads differently afterwards, or when a write that
// reports failure changed the file.

#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "core/IniFile.h"

namespace {

const std::vector<std::pair<std::string, std::string>>& Keys() {
  static const std::vector<std::pair<std::string, std::string>> keys = {
      {"Config", "reviewnumber"}, {"Config", "groupnumber"}, {"Config", "plus"},
      {"Config", "minus"},        {"Skin", "picid"},         {"Skin", "style"},
      {"Skin", "color"},          {"config", "PLUS"},        {"Other", "x"}};
  return keys;
}

// A file of this process's own, in memory when the system offers it.
const std::string& Path() {
  static const std::string path = [] {
    const std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    const std::string dir = base + "/cindral-settings-fuzz-" + std::to_string(getpid());
    std::filesystem::create_directories(dir);
    return dir + "/Config.ini";
  }();
  return path;
}

// Names match without regard to ASCII case.
bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace cindral;
  if (size < 2) return 0;
  // First byte: which key; second: how long the value is, taken from the end.
  const auto& key = Keys()[data[0] % Keys().size()];
  const std::size_t valueLength = std::min<std::size_t>(data[1] % 64, size - 2);
  const std::string content(reinterpret_cast<const char*>(data) + 2, size - 2 - valueLength);
  const std::string value(reinterpret_cast<const char*>(data) + size - valueLength, valueLength);
  {
    std::ofstream out(Path(), std::ios::binary | std::ios::trunc);
    out << content;
  }
  std::vector<std::string> before;
  for (const auto& [section, name] : Keys())
    before.push_back(ReadProfileString(Path(), section, name));
  const bool written = WriteProfileString(Path(), key.first, key.second, value);
  if (!written) {
    if (ReadFile(Path()) != content) std::abort();
    return 0;
  }
  for (std::size_t i = 0; i < Keys().size(); ++i) {
    const auto& [section, name] = Keys()[i];
    const std::string now = ReadProfileString(Path(), section, name);
    // The written key, under any spelling, reads as written; every other
    // key as before.
    const bool target = SameName(section, key.first) && SameName(name, key.second);
    if (now != (target ? value : before[i])) std::abort();
  }
  return 0;
}
