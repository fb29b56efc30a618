// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The named-file operations the engine needs besides reading and writing an
// open file: opening and creating files, their length by name, removing
// and renaming them, making names durable and locking a directory. Behind an interface so that tests can
// put failing or in-memory files under the engine. Every call returns 0 or
// one of the engine's negative codes.

#include <cstdint>
#include <memory>
#include <string>

#include "store/DatabaseErrors.h"
#include "store/FileAccess.h"

namespace cindral {

// A lock held for as long as this object lives.
class HeldLock {
 public:
  virtual ~HeldLock() = default;
};

// What tells a file apart from every later state of it: where it lies,
// its length, and when it was last changed (the time the system gives
// every write, which no program can set back).
struct FileStamp {
  uint64_t device = 0;
  uint64_t inode = 0;
  int64_t size = 0;
  int64_t changedSeconds = 0;
  int64_t changedNanoseconds = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Opens an existing file (GBK path) with an access and a share mode; a
  // share-mode conflict gives kErrSharingViolation.
  virtual int32_t Open(const std::string& path, Access access, Share share,
                       std::unique_ptr<FileAccess>* file) = 0;
  // Creates a new file for reading and writing; an existing file is refused.
  virtual int32_t Create(const std::string& path, std::unique_ptr<FileAccess>* file) = 0;
  // Opens a file for reading and writing, creating it when it is missing
  // (`*created` tells which).
  virtual int32_t OpenOrCreate(const std::string& path, std::unique_ptr<FileAccess>* file,
                               bool* created) = 0;
  // The length of a file by name; kErrFileNotFound when there is none.
  virtual int32_t LengthOf(const std::string& path, int64_t* length) = 0;
  // Reads up to `size` bytes from the start of a file by name; `*done`
  // tells how many there were. kErrFileNotFound when there is none.
  virtual int32_t ReadStart(const std::string& path, void* buffer, std::size_t size,
                            std::size_t* done) = 0;
  // Creates a new file for reading and writing with the permission bits of
  // the file `like` (those of a new file when `like` is missing); an
  // existing file is refused.
  virtual int32_t CreateLike(const std::string& path, const std::string& like,
                             std::unique_ptr<FileAccess>* file) = 0;
  virtual int32_t Remove(const std::string& path) = 0;
  // Gives the file `from` the name `to` (in the same directory), replacing
  // a file of that name in one step.
  virtual int32_t Rename(const std::string& from, const std::string& to) = 0;
  // Makes the names created, renamed or removed in the directory of `path`
  // durable.
  virtual int32_t SyncDirectoryOf(const std::string& path) = 0;
  // Takes the lock that whoever replaces a file in the directory of `path`
  // holds from reading it to its replacement (the settings file's writers
  // take it too), waiting up to two seconds for another holder
  // (kErrLockViolation then).
  virtual int32_t LockDirectoryOf(const std::string& path, std::unique_ptr<HeldLock>* lock) = 0;
  // The stamp of a file by name. A file system that cannot tell gives
  // kErrAccessDenied: the checks that rely on stamps then always run.
  virtual int32_t StampOf(const std::string& path, FileStamp* stamp) {
    (void)path, (void)stamp;
    return kErrAccessDenied;
  }
  // The clock the system stamps writes with, read as coarsely as it
  // stamps them; false when this file system has no stamps.
  virtual bool StampClock(int64_t* seconds, int64_t* nanoseconds) {
    (void)seconds, (void)nanoseconds;
    return false;
  }
};

}  // namespace cindral
