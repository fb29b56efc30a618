// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The operations on one open file that the engine needs, behind an
// interface so that tests can put a failing, crashing or in-memory file
// under the engine. Every call returns 0 or one of the engine's negative
// codes.

#include <cstddef>
#include <cstdint>

namespace cindral {

// Access and share modes of an open: what this opener does with the file,
// and what it denies the others.
enum class Access { ReadOnly, ReadWrite };
enum class Share { DenyNone = 1, DenyRead = 2, DenyWrite = 3, Exclusive = 4 };

enum class LockKind { Shared, Exclusive };

class FileAccess {
 public:
  virtual ~FileAccess() = default;

  // Reads up to `size` bytes; `*done` tells how many arrived (fewer only at
  // the end of the file).
  virtual int32_t ReadAt(int64_t offset, void* buffer, std::size_t size, std::size_t* done) = 0;
  virtual int32_t WriteAt(int64_t offset, const void* data, std::size_t size) = 0;
  virtual int32_t Truncate(int64_t length) = 0;
  virtual int32_t Size(int64_t* length) = 0;
  // A byte-range lock that does not wait: a range another opener holds gives
  // kErrLockViolation, which the caller may retry.
  virtual int32_t Lock(int64_t offset, int64_t length, LockKind kind) = 0;
  virtual int32_t Unlock(int64_t offset, int64_t length) = 0;
  // Whether another opener holds a lock that would conflict with `kind` on
  // the range: 0 = free, kErrLockViolation = held, or a failure code.
  virtual int32_t TestLock(int64_t offset, int64_t length, LockKind kind) = 0;
  virtual int32_t Sync() = 0;
  // The file's identity on disk (device and inode), to tell that two paths
  // name the same file.
  virtual int32_t FileId(uint64_t* device, uint64_t* inode) = 0;
  // `size` bytes from `offset` where the file keeps them in memory, as a
  // read would give them whole, in `*bytes` (valid until the next call on
  // the file); null there when it does not keep them (most files), and the
  // caller reads them. Not 0 when a read to bring them failed.
  virtual int32_t Peek(int64_t offset, std::size_t size, const char** bytes) {
    (void)offset;
    (void)size;
    *bytes = nullptr;
    return 0;
  }
  // The file's first `length` bytes mapped into memory for reading, until
  // Unmap; null when the file cannot be mapped (most files), and the caller
  // reads instead. The mapping shows the file as it is: bytes another
  // program cuts off under it fault when touched (SIGBUS), so only a
  // caller that holds the whole-file lock and has a handler for that fault
  // maps a file.
  virtual const char* MapForReading(int64_t length) {
    (void)length;
    return nullptr;
  }
  virtual void Unmap(const char* bytes, int64_t length) {
    (void)bytes;
    (void)length;
  }
};

// `size` bytes from `offset` where the file keeps them in memory, otherwise
// read into `buffer` (room for `size`): `*bytes` points at them and `*got`
// counts them (fewer at the end of the file).
inline int32_t PeekOrRead(FileAccess& file, int64_t offset, std::size_t size, char* buffer,
                          const char** bytes, std::size_t* got) {
  *got = 0;
  const int32_t code = file.Peek(offset, size, bytes);
  if (code != 0 || *bytes != nullptr) {
    if (code == 0) *got = size;
    return code;
  }
  *bytes = buffer;
  return file.ReadAt(offset, buffer, size, got);
}

}  // namespace cindral
