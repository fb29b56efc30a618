// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/CompanionFile.h"

#include <unistd.h>

#include <atomic>

#include "store/DatabaseErrors.h"

namespace cindral {
namespace {

// ".<name>.<pid>.<n>.tmp" beside the file: the settings file's writers
// clear away such names that a writer killed halfway left.
std::string TemporaryName(const std::string& path, unsigned n) {
  const std::size_t slash = path.rfind('/');
  const std::string prefix = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  return prefix + "." + path.substr(prefix.size()) + "." + std::to_string(::getpid()) + "." +
         std::to_string(n) + ".tmp";
}

}  // namespace

int32_t ReadWholeFile(FileSystem& fs, const std::string& path, std::string* bytes, bool* exists) {
  bytes->clear();
  *exists = false;
  std::unique_ptr<FileAccess> file;
  int32_t code = fs.Open(path, Access::ReadOnly, Share::DenyNone, &file);
  if (code == kErrFileNotFound) return 0;
  if (code != 0) return code;
  int64_t length = 0;
  code = file->Size(&length);
  if (code != 0) return code;
  bytes->resize(static_cast<std::size_t>(length));
  std::size_t got = 0;
  if (length > 0) code = file->ReadAt(0, &(*bytes)[0], bytes->size(), &got);
  if (code == 0 && got < bytes->size()) code = kErrEndOfFile;
  if (code != 0) {
    bytes->clear();
    return code;
  }
  *exists = true;
  return 0;
}

int32_t ReplaceWholeFile(FileSystem& fs, const std::string& path, const std::string* bytes,
                         bool durable) {
  if (bytes == nullptr) {
    const int32_t code = fs.Remove(path);
    if (code != 0 && code != kErrFileNotFound) return code;
    return durable ? fs.SyncDirectoryOf(path) : 0;
  }
  static std::atomic<unsigned> counter{0};
  std::string temporary;
  std::unique_ptr<FileAccess> file;
  int32_t code = kErrAccessDenied;
  for (int attempt = 0; attempt < 100 && !file; ++attempt) {
    temporary = TemporaryName(path, counter++);
    code = fs.CreateLike(temporary, path, &file);
    // A name taken (by a killed writer of this pid) is tried again.
    if (code != 0 && code != kErrAccessDenied) return code;
  }
  if (!file) return code;
  code = bytes->empty() ? 0 : file->WriteAt(0, bytes->data(), bytes->size());
  if (code == 0 && durable) code = file->Sync();
  file.reset();
  if (code == 0) code = fs.Rename(temporary, path);
  if (code != 0) {
    fs.Remove(temporary);
    return code;
  }
  // The new name survives a crash only once the directory says so.
  return durable ? fs.SyncDirectoryOf(path) : 0;
}

}  // namespace cindral
