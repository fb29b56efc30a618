// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Files held in memory, for fuzzing and for making seed books: no disk, no
// locks (one process), every file capped in size so that a damaged length
// cannot exhaust memory.

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "store/DatabaseErrors.h"
#include "store/FileSystem.h"

namespace cindral::testing {

class MemoryFile final : public FileAccess {
 public:
  static constexpr int64_t kMaxLength = int64_t{64} << 20;

  explicit MemoryFile(std::shared_ptr<std::string> bytes) : bytes_(std::move(bytes)) {}

  int32_t ReadAt(int64_t offset, void* buffer, std::size_t size, std::size_t* done) override {
    *done = 0;
    if (offset < 0) return kErrSeek;
    const auto length = static_cast<int64_t>(bytes_->size());
    if (offset >= length) return 0;
    *done =
        static_cast<std::size_t>(std::min<int64_t>(length - offset, static_cast<int64_t>(size)));
    std::memcpy(buffer, bytes_->data() + offset, *done);
    return 0;
  }
  int32_t WriteAt(int64_t offset, const void* data, std::size_t size) override {
    if (offset < 0) return kErrSeek;
    if (offset + static_cast<int64_t>(size) > kMaxLength) return kErrDiskFull;
    const auto end = static_cast<std::size_t>(offset) + size;
    if (end > bytes_->size()) bytes_->resize(end, '\0');
    if (size > 0) std::memcpy(&(*bytes_)[static_cast<std::size_t>(offset)], data, size);
    return 0;
  }
  int32_t Truncate(int64_t length) override {
    if (length < 0) return kErrSeek;
    if (length > kMaxLength) return kErrDiskFull;
    bytes_->resize(static_cast<std::size_t>(length), '\0');
    return 0;
  }
  int32_t Size(int64_t* length) override {
    *length = static_cast<int64_t>(bytes_->size());
    return 0;
  }
  int32_t Lock(int64_t, int64_t, LockKind) override { return 0; }
  int32_t Unlock(int64_t, int64_t) override { return 0; }
  int32_t TestLock(int64_t, int64_t, LockKind) override { return 0; }
  int32_t Sync() override { return 0; }
  int32_t FileId(uint64_t* device, uint64_t* inode) override {
    *device = 0;
    *inode = reinterpret_cast<uintptr_t>(bytes_.get());
    return 0;
  }

 private:
  std::shared_ptr<std::string> bytes_;
};

class MemoryFileSystem final : public FileSystem {
 public:
  // The bytes of a file, made empty when missing.
  std::string& Bytes(const std::string& path) {
    auto& file = files_[path];
    if (!file) file = std::make_shared<std::string>();
    return *file;
  }
  bool Exists(const std::string& path) const { return files_.count(path) != 0; }
  void Clear() { files_.clear(); }

  int32_t Open(const std::string& path, Access, Share, std::unique_ptr<FileAccess>* file) override {
    const auto it = files_.find(path);
    if (it == files_.end()) return kErrFileNotFound;
    *file = std::make_unique<MemoryFile>(it->second);
    return 0;
  }
  int32_t Create(const std::string& path, std::unique_ptr<FileAccess>* file) override {
    if (Exists(path)) return kErrAccessDenied;
    Bytes(path);
    *file = std::make_unique<MemoryFile>(files_[path]);
    return 0;
  }
  int32_t OpenOrCreate(const std::string& path, std::unique_ptr<FileAccess>* file,
                       bool* created) override {
    *created = !Exists(path);
    Bytes(path);
    *file = std::make_unique<MemoryFile>(files_[path]);
    return 0;
  }
  int32_t LengthOf(const std::string& path, int64_t* length) override {
    const auto it = files_.find(path);
    if (it == files_.end()) return kErrFileNotFound;
    *length = static_cast<int64_t>(it->second->size());
    return 0;
  }
  int32_t ReadStart(const std::string& path, void* buffer, std::size_t size,
                    std::size_t* done) override {
    const auto it = files_.find(path);
    if (it == files_.end()) return kErrFileNotFound;
    return MemoryFile(it->second).ReadAt(0, buffer, size, done);
  }
  int32_t CreateLike(const std::string& path, const std::string&,
                     std::unique_ptr<FileAccess>* file) override {
    return Create(path, file);
  }
  int32_t Remove(const std::string& path) override {
    return files_.erase(path) != 0 ? 0 : kErrFileNotFound;
  }
  int32_t Rename(const std::string& from, const std::string& to) override {
    const auto it = files_.find(from);
    if (it == files_.end()) return kErrFileNotFound;
    auto bytes = it->second;
    files_.erase(it);
    files_[to] = std::move(bytes);
    return 0;
  }
  int32_t SyncDirectoryOf(const std::string&) override { return 0; }
  // One process: nobody else to keep out.
  int32_t LockDirectoryOf(const std::string&, std::unique_ptr<HeldLock>* lock) override {
    *lock = std::make_unique<HeldLock>();
    return 0;
  }

 private:
  std::map<std::string, std::shared_ptr<std::string>> files_;
};

}  // namespace cindral::testing
