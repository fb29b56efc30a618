// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file system for tests and benchmarks that hands out the files of
// another one (the POSIX one unless given) wrapped in a FileAccess of the
// test's own: a failing, crashing or counting file.

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "store/FileSystem.h"
#include "store/PosixFileSystem.h"

namespace cindral::testing {

class WrappingFileSystem final : public FileSystem {
 public:
  using Wrap = std::function<std::unique_ptr<FileAccess>(std::unique_ptr<FileAccess> file,
                                                         const std::string& path)>;

  explicit WrappingFileSystem(Wrap wrap,
                              std::shared_ptr<FileSystem> inner = PosixFileSystem::Instance())
      : wrap_(std::move(wrap)), inner_(std::move(inner)) {}

  int32_t Open(const std::string& path, Access access, Share share,
               std::unique_ptr<FileAccess>* file) override {
    return Wrapped(path, inner_->Open(path, access, share, file), file);
  }
  int32_t Create(const std::string& path, std::unique_ptr<FileAccess>* file) override {
    return Wrapped(path, inner_->Create(path, file), file);
  }
  int32_t OpenOrCreate(const std::string& path, std::unique_ptr<FileAccess>* file,
                       bool* created) override {
    return Wrapped(path, inner_->OpenOrCreate(path, file, created), file);
  }
  int32_t LengthOf(const std::string& path, int64_t* length) override {
    return inner_->LengthOf(path, length);
  }
  int32_t ReadStart(const std::string& path, void* buffer, std::size_t size,
                    std::size_t* done) override {
    return inner_->ReadStart(path, buffer, size, done);
  }
  int32_t CreateLike(const std::string& path, const std::string& like,
                     std::unique_ptr<FileAccess>* file) override {
    return Wrapped(path, inner_->CreateLike(path, like, file), file);
  }
  int32_t Remove(const std::string& path) override { return inner_->Remove(path); }
  int32_t Rename(const std::string& from, const std::string& to) override {
    return inner_->Rename(from, to);
  }
  int32_t SyncDirectoryOf(const std::string& path) override {
    return inner_->SyncDirectoryOf(path);
  }
  int32_t LockDirectoryOf(const std::string& path, std::unique_ptr<HeldLock>* lock) override {
    return inner_->LockDirectoryOf(path, lock);
  }
  int32_t StampOf(const std::string& path, FileStamp* stamp) override {
    return stampOf ? stampOf(path, stamp) : inner_->StampOf(path, stamp);
  }
  bool StampClock(int64_t* seconds, int64_t* nanoseconds) override {
    return stampClock ? stampClock(seconds, nanoseconds) : inner_->StampClock(seconds, nanoseconds);
  }

  // When set, the files' stamps and the stamp clock are the test's own.
  std::function<int32_t(const std::string& path, FileStamp* stamp)> stampOf;
  std::function<bool(int64_t* seconds, int64_t* nanoseconds)> stampClock;

 private:
  int32_t Wrapped(const std::string& path, int32_t code, std::unique_ptr<FileAccess>* file) {
    if (code == 0) *file = wrap_(std::move(*file), path);
    return code;
  }

  Wrap wrap_;
  std::shared_ptr<FileSystem> inner_;
};

}  // namespace cindral::testing
