// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file that hands every call to the file it wraps: the base of the files
// that stand between the engine and a file and change only some calls (the
// journal's held writes, the read-ahead's blocks; in tests, failing, slow
// or counting files).

#include <memory>
#include <utility>

#include "store/FileAccess.h"

namespace cindral {

class ForwardingFile : public FileAccess {
 public:
  explicit ForwardingFile(std::unique_ptr<FileAccess> inner) : inner_(std::move(inner)) {}

  int32_t ReadAt(int64_t offset, void* buffer, std::size_t size, std::size_t* done) override {
    return inner_->ReadAt(offset, buffer, size, done);
  }
  int32_t WriteAt(int64_t offset, const void* data, std::size_t size) override {
    return inner_->WriteAt(offset, data, size);
  }
  int32_t Truncate(int64_t length) override { return inner_->Truncate(length); }
  int32_t Size(int64_t* length) override { return inner_->Size(length); }
  int32_t Lock(int64_t offset, int64_t length, LockKind kind) override {
    return inner_->Lock(offset, length, kind);
  }
  int32_t Unlock(int64_t offset, int64_t length) override { return inner_->Unlock(offset, length); }
  int32_t TestLock(int64_t offset, int64_t length, LockKind kind) override {
    return inner_->TestLock(offset, length, kind);
  }
  int32_t Sync() override { return inner_->Sync(); }
  int32_t FileId(uint64_t* device, uint64_t* inode) override {
    return inner_->FileId(device, inode);
  }

  // The wrapped file.
  FileAccess& inner() { return *inner_; }

 private:
  std::unique_ptr<FileAccess> inner_;
};

}  // namespace cindral
