// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace cindral {
namespace {

// Reads from `fd` into `bytes` until the end or `limit` + 1 bytes, so that
// a file longer than the limit is known to be. False (errno set) on a read
// error.
bool ReadUpTo(int fd, std::size_t limit, std::string* bytes) {
  bytes->clear();
  char buffer[1 << 16];
  while (bytes->size() <= limit) {
    const std::size_t want = std::min(sizeof buffer, limit + 1 - bytes->size());
    const ssize_t n = ::read(fd, buffer, want);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    bytes->append(buffer, static_cast<std::size_t>(n));
  }
  return true;
}

FileRead Read(const std::string& onDisk, std::size_t limit, std::string* bytes, bool* cut) {
  bytes->clear();
  bool notRegular = false;
  const int fd = OpenRegularFile(onDisk, O_RDONLY, &notRegular);
  if (fd < 0) {
    if (notRegular) return FileRead::kNotRegular;
    return errno == ENOENT ? FileRead::kMissing : FileRead::kFailed;
  }
  struct stat st;
  if (cut == nullptr && ::fstat(fd, &st) == 0 && static_cast<std::size_t>(st.st_size) > limit) {
    ::close(fd);
    return FileRead::kTooLarge;
  }
  const bool read = ReadUpTo(fd, limit, bytes);
  const int error = errno;
  ::close(fd);
  if (!read) {
    bytes->clear();
    errno = error;
    return FileRead::kFailed;
  }
  // A file that grew after its length was looked at.
  const bool longer = bytes->size() > limit;
  if (cut != nullptr) {
    *cut = longer;
    if (longer) bytes->resize(limit);
    return FileRead::kRead;
  }
  if (longer) {
    bytes->clear();
    return FileRead::kTooLarge;
  }
  return FileRead::kRead;
}

}  // namespace

int OpenRegularFile(const std::string& onDisk, int flags, bool* notRegular) {
  if (notRegular != nullptr) *notRegular = false;
  int fd;
  do {
    fd = ::open(onDisk.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  struct stat st;
  const bool looked = ::fstat(fd, &st) == 0;
  if (!looked || !S_ISREG(st.st_mode)) {
    const int error = looked ? EINVAL : errno;
    ::close(fd);
    if (notRegular != nullptr) *notRegular = looked;
    errno = error;
    return -1;
  }
  const int status = ::fcntl(fd, F_GETFL);
  if (status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
    const int error = errno;
    ::close(fd);
    errno = error;
    return -1;
  }
  return fd;
}

FileRead ReadRegularFile(const std::string& onDisk, std::size_t limit, std::string* bytes) {
  return Read(onDisk, limit, bytes, nullptr);
}

FileRead ReadRegularFileStart(const std::string& onDisk, std::size_t limit, std::string* bytes,
                              bool* cut) {
  return Read(onDisk, limit, bytes, cut);
}

}  // namespace cindral
