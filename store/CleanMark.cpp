// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/CleanMark.h"

#include <unistd.h>

#include <cstdio>

#include "store/CompanionFile.h"
#include "store/DatabaseErrors.h"

namespace cindral {
namespace {

constexpr char kFirstLine[] = "cindral clean 1\n";
constexpr char kLastLine[] = "end\n";

std::string StampLine(const char* name, const FileStamp& s) {
  char line[160];
  std::snprintf(line, sizeof line, "%s %llu %llu %lld %lld %lld\n", name,
                static_cast<unsigned long long>(s.device), static_cast<unsigned long long>(s.inode),
                static_cast<long long>(s.size), static_cast<long long>(s.changedSeconds),
                static_cast<long long>(s.changedNanoseconds));
  return line;
}

std::string NoteFor(const FileStamp& data, const FileStamp& side) {
  return kFirstLine + StampLine("data", data) + StampLine("side", side) + kLastLine;
}

bool Before(const FileStamp& s, int64_t seconds, int64_t nanoseconds) {
  return s.changedSeconds < seconds ||
         (s.changedSeconds == seconds && s.changedNanoseconds < nanoseconds);
}

}  // namespace

std::string CleanMarkPath(const std::string& dataPath) { return dataPath + "-clean"; }

bool CleanMarkHolds(FileSystem& fs, const std::string& dataPath, const std::string& sidePath) {
  FileStamp data, side;
  if (fs.StampOf(dataPath, &data) != 0 || fs.StampOf(sidePath, &side) != 0) return false;
  std::string note;
  bool exists = false;
  if (ReadWholeFile(fs, CleanMarkPath(dataPath), &note, &exists) != 0 || !exists) return false;
  return note == NoteFor(data, side);
}

int32_t WriteCleanMark(FileSystem& fs, const std::string& dataPath, const std::string& sidePath) {
  FileStamp data, side;
  for (int attempt = 0;; ++attempt) {
    int64_t seconds = 0, nanoseconds = 0;
    if (!fs.StampClock(&seconds, &nanoseconds)) return kErrAccessDenied;
    int32_t code = fs.StampOf(dataPath, &data);
    if (code == 0) code = fs.StampOf(sidePath, &side);
    if (code != 0) return code;
    // Both changed in an earlier step than the clock read before their
    // stamps: a later write cannot carry the same time.
    if (Before(data, seconds, nanoseconds) && Before(side, seconds, nanoseconds)) break;
    if (attempt == 10) return kErrLockViolation;
    ::usleep(2000);
  }
  const std::string note = NoteFor(data, side);
  const std::string path = CleanMarkPath(dataPath);
  // A book opened and closed without a change keeps the note it found.
  std::string found;
  bool exists = false;
  if (ReadWholeFile(fs, path, &found, &exists) == 0 && exists && found == note) return 0;
  // Without the folder's lock: a settings writer that clears away a
  // temporary name meanwhile only costs this note.
  return ReplaceWholeFile(fs, path, &note, /*durable=*/false);
}

}  // namespace cindral
