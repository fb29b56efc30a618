// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A private directory for store tests, with helpers that create databases
// and read or patch their bytes directly.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TempDir.h"
#include "store/Bytes.h"
#include "store/FieldCodec.h"
#include "store/Gbk.h"
#include "store/RecordFile.h"
#include "store/WordRecord.h"

namespace cindral::testing {

inline FieldDescriptor Field(const char* name, int32_t type, int32_t size = 0) {
  FieldDescriptor f;
  f.name = name;
  f.type = type;
  f.declaredSize = size;
  return f;
}

// A text of `n` bytes that changes along its length and with `seed`, so
// that a value cut, torn or mixed up with another reads differently.
inline std::string Text(std::size_t n, char seed = 'a') {
  std::string s(n, ' ');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>(seed + i % 23);
  return s;
}

class TempDatabase {
 public:
  // In the system's temporary directory, or under `base` when given.
  explicit TempDatabase(const std::string& base = std::string()) : dir_("cindral-store", base) {}

  const std::string& dir() const { return dir_.path(); }
  // A GBK path inside the directory (the name is given in UTF-8).
  std::string Path(const std::string& utf8Name) const { return Utf8ToGbk(dir_.File(utf8Name)); }

  std::string Create(const std::string& utf8Name, const std::vector<FieldDescriptor>& fields,
                     int32_t recordSize = 0) const {
    const std::string path = Path(utf8Name);
    if (RecordFile::Create(path, fields, recordSize) != 0) return std::string();
    return path;
  }

  static std::string Read(const std::string& gbkPath) {
    std::ifstream in(GbkToUtf8(gbkPath), std::ios::binary | std::ios::ate);
    if (!in) return std::string();
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(&bytes[0], static_cast<std::streamsize>(bytes.size()));
    return bytes;
  }
  static void Write(const std::string& gbkPath, const std::string& bytes) {
    std::ofstream out(GbkToUtf8(gbkPath), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  static int64_t Size(const std::string& gbkPath) {
    return static_cast<int64_t>(std::filesystem::file_size(GbkToUtf8(gbkPath)));
  }
  static int32_t Int32At(const std::string& gbkPath, int64_t offset) {
    const std::string bytes = Read(gbkPath);
    return GetInt32(bytes.data() + offset);
  }
  static void PutInt32At(const std::string& gbkPath, int64_t offset, int32_t value) {
    std::string bytes = Read(gbkPath);
    PutInt32(&bytes[static_cast<std::size_t>(offset)], value);
    Write(gbkPath, bytes);
  }
  static void Resize(const std::string& gbkPath, int64_t length) {
    std::filesystem::resize_file(GbkToUtf8(gbkPath), static_cast<uintmax_t>(length));
  }
  // Where two byte strings first differ ("equal" when they do not), for
  // messages that do not print whole files.
  static std::string FirstDifference(const std::string& a, const std::string& b) {
    if (a == b) return "equal";
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    return "lengths " + std::to_string(a.size()) + " and " + std::to_string(b.size()) +
           ", first difference at byte " + std::to_string(i);
  }
  // The number of descriptors this process has open.
  static std::size_t OpenDescriptors() {
    std::size_t n = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
      (void)entry;
      ++n;
    }
    return n;
  }

 private:
  test::TempDir dir_;
};

}  // namespace cindral::testing
