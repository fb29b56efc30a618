// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/OpenRepair.h"

#include <algorithm>
#include <ctime>
#include <memory>

#include "store/Bytes.h"
#include "store/DatabaseErrors.h"
#include "store/RecordCursor.h"

namespace cindral {
namespace {

// "YYYYMMDD-HHMMSS", local time.
std::string Stamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

// Copies `from` (read through the engine) to a new file `to`, synced.
int32_t CopyFile(FileAccess& from, FileSystem& fs, const std::string& to) {
  int64_t length = 0;
  int32_t code = from.Size(&length);
  if (code != 0) return code;
  std::unique_ptr<FileAccess> copy;
  code = fs.Create(to, &copy);
  if (code != 0) return code;
  std::string buffer;
  for (int64_t at = 0; at < length && code == 0;) {
    const auto size = static_cast<std::size_t>(std::min<int64_t>(length - at, 1 << 20));
    buffer.resize(size);
    std::size_t got = 0;
    code = from.ReadAt(at, &buffer[0], size, &got);
    if (code == 0 && got < size) code = kErrEndOfFile;
    if (code == 0) code = copy->WriteAt(at, buffer.data(), size);
    at += static_cast<int64_t>(size);
  }
  if (code == 0) code = copy->Sync();
  copy.reset();
  if (code == 0) code = fs.SyncDirectoryOf(to);
  if (code != 0) fs.Remove(to);
  return code;
}

}  // namespace

int32_t OpenRepair::CheckLength(OpenRepairs* repairs) {
  const RecordLayout& layout = records_.layout();
  FileAccess& file = records_.file();
  const bool readOnly = records_.access() == Access::ReadOnly;
  int64_t length = 0;
  if (file.Size(&length) != 0) return kErrOpenFailed;
  int32_t count = layout.countAtRead();
  const int64_t whole = layout.WholeRecords(length);
  if (whole < count) {
    if (readOnly) return kErrFileSize;
    count = static_cast<int32_t>(whole);
    if (records_.WriteInt32(RecordLayout::kCountOffset, count) != 0) return kErrOpenFailed;
    repairs->countLowered = true;
  }
  if (readOnly) return 0;
  if (whole > count) {
    // The cut append never returned, so nothing the learner kept is lost
    // with it.
    bool cutAppend = false;
    if (whole == int64_t{count} + 1) {
      char raw[4];
      std::size_t got = 0;
      const int32_t nextId = std::max(layout.nextIdAtRead(), 1);
      cutAppend = file.ReadAt(layout.RecordOffset(count), raw, 4, &got) == 0 && got == 4 &&
                  GetInt32(raw) == nextId;
    }
    if (!cutAppend) {
      const int32_t code = CopyBeforeRepair(&repairs->copyPath);
      if (code != 0) return code;
      repairs->wholeRecordsCut = true;
    }
  }
  // Drops a record whose append was cut short, and any other trailing bytes.
  const int64_t exact = layout.RecordOffset(count);
  if (length != exact) {
    if (file.Truncate(exact) != 0) return kErrOpenFailed;
    repairs->trailingCut = true;
  }
  return 0;
}

int32_t OpenRepair::CopyBeforeRepair(std::string* copyPath) {
  const std::string& path = path_;
  SideFile* side = records_.side();
  const std::string sidePath = SideFile::PathFor(path);
  const std::string suffix = ".before-repair-" + Stamp();
  // A second repair within the same second gets a number of its own.
  std::string name;
  for (int n = 1; n < 100 && name.empty(); ++n) {
    const std::string candidate = n == 1 ? suffix : suffix + "-" + std::to_string(n);
    int64_t length = 0;
    const bool taken = fs_.LengthOf(path + candidate, &length) != kErrFileNotFound ||
                       (side && fs_.LengthOf(sidePath + candidate, &length) != kErrFileNotFound);
    if (!taken) name = candidate;
  }
  if (name.empty()) return kErrAccessDenied;
  int32_t code = CopyFile(records_.file(), fs_, path + name);
  if (code == 0 && side) {
    code = CopyFile(side->file(), fs_, sidePath + name);
    if (code != 0) fs_.Remove(path + name);
  }
  if (code == 0) *copyPath = path + name;
  return code;
}

}  // namespace cindral
