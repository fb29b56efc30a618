// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The engine's own file system: POSIX files (see PosixFile.h).

#include <memory>

#include "store/FileSystem.h"

namespace cindral {

class PosixFileSystem final : public FileSystem {
 public:
  // The one instance every database shares unless a test puts another in.
  static std::shared_ptr<FileSystem> Instance();

  int32_t Open(const std::string& path, Access access, Share share,
               std::unique_ptr<FileAccess>* file) override;
  int32_t Create(const std::string& path, std::unique_ptr<FileAccess>* file) override;
  int32_t OpenOrCreate(const std::string& path, std::unique_ptr<FileAccess>* file,
                       bool* created) override;
  int32_t LengthOf(const std::string& path, int64_t* length) override;
  int32_t ReadStart(const std::string& path, void* buffer, std::size_t size,
                    std::size_t* done) override;
  int32_t CreateLike(const std::string& path, const std::string& like,
                     std::unique_ptr<FileAccess>* file) override;
  int32_t Remove(const std::string& path) override;
  int32_t Rename(const std::string& from, const std::string& to) override;
  int32_t SyncDirectoryOf(const std::string& path) override;
  int32_t LockDirectoryOf(const std::string& path, std::unique_ptr<HeldLock>* lock) override;
  int32_t StampOf(const std::string& path, FileStamp* stamp) override;
  bool StampClock(int64_t* seconds, int64_t* nanoseconds) override;
};

}  // namespace cindral
