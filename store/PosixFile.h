// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The POSIX file layer: the one place that calls open(), pread(), pwrite(),
// ftruncate() and fcntl(), and that maps errno to the engine's codes.
//
// Locks are open-file-description locks (F_OFD_SETLK), so a lock belongs to
// this open file and is not lost when another descriptor of the same file is
// closed elsewhere in the process. A file opened for reading only cannot take
// an exclusive lock; the engine takes shared locks there instead.
//
// Share modes are emulated with shared locks on reserved bytes far beyond any
// data (kShareBase and up), which no record, header or whole-file lock ever
// touches: each opener holds a shared lock on "I read", "I write" and on
// "I deny reading" / "I deny writing" as they apply, and an open is refused
// with a sharing violation when one of its wishes meets another opener's
// denial or one of its denials meets another opener's access. The test and
// the taking are two steps, so two openers that arrive within the same
// instant may both get in; the program itself always opens with DenyNone.

#include <memory>
#include <string>

#include "store/FileAccess.h"
#include "store/FileSystem.h"

namespace cindral {

class PosixFile final : public FileAccess {
 public:
  static constexpr int64_t kShareBase = int64_t{1} << 62;

  ~PosixFile() override;
  PosixFile(const PosixFile&) = delete;
  PosixFile& operator=(const PosixFile&) = delete;

  // Opens an existing file (GBK path) with the share-mode emulation above.
  static int32_t Open(const std::string& path, Access access, Share share,
                      std::unique_ptr<FileAccess>* file);
  // Creates a new file for reading and writing; an existing file is refused.
  static int32_t Create(const std::string& path, std::unique_ptr<FileAccess>* file);
  // Opens a file for reading and writing, creating it when it is missing.
  static int32_t OpenOrCreate(const std::string& path, std::unique_ptr<FileAccess>* file,
                              bool* created);
  // A file's length by name (GBK path).
  static int32_t LengthOf(const std::string& path, int64_t* length);
  // The first bytes of a file by name (GBK path).
  static int32_t ReadStart(const std::string& path, void* buffer, std::size_t size,
                           std::size_t* done);
  // Creates a new file (GBK path) with the permission bits and, where the
  // system allows, the owner of the file `like`; a missing `like` gives
  // the bits of a new file (0666 less the umask).
  static int32_t CreateLike(const std::string& path, const std::string& like,
                            std::unique_ptr<FileAccess>* file);
  // Removes a file (GBK path).
  static int32_t Remove(const std::string& path);
  // rename() (GBK paths).
  static int32_t Rename(const std::string& from, const std::string& to);
  // An exclusive flock() on the directory of `path`, shared by every writer
  // that replaces a file there by a rename (the file itself is replaced, so
  // a lock on it would go with the old file). Waited for up to two seconds;
  // on a file system that knows no such locks the handle holds none.
  static int32_t LockDirectoryOf(const std::string& path, std::unique_ptr<HeldLock>* lock);
  // Syncs the directory that holds `path`, so that names made or removed
  // there survive a crash of the system.
  static int32_t SyncDirectoryOf(const std::string& path);
  // The process's current directory (GBK), for making names absolute.
  static std::string CurrentDirectory();
  // The engine's code for an errno value.
  static int32_t ErrnoToCode(int error);

  int32_t ReadAt(int64_t offset, void* buffer, std::size_t size, std::size_t* done) override;
  int32_t WriteAt(int64_t offset, const void* data, std::size_t size) override;
  int32_t Truncate(int64_t length) override;
  int32_t Size(int64_t* length) override;
  int32_t Lock(int64_t offset, int64_t length, LockKind kind) override;
  int32_t Unlock(int64_t offset, int64_t length) override;
  int32_t TestLock(int64_t offset, int64_t length, LockKind kind) override;
  int32_t Sync() override;
  int32_t FileId(uint64_t* device, uint64_t* inode) override;
  const char* MapForReading(int64_t length) override;
  void Unmap(const char* bytes, int64_t length) override;

 private:
  explicit PosixFile(int fd);
  // Every fcntl of the engine goes through here (EINTR retried).
  int Fcntl(int command, short type, int64_t offset, int64_t length, short* foundType);
  int32_t TakeShareModes(Access access, Share share);

  int fd_;
};

}  // namespace cindral
