// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/WholeFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

#include "store/RegularFile.h"

namespace cindral {
namespace {

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// A new temporary file beside `target`, or -1. It is made with `mode`
// (less the umask, as open makes every file); when `target` is there and
// `keepTarget` is set it takes the target's bits instead, before any byte
// is written.
int OpenTemporary(const std::string& target, mode_t mode, bool keepTarget, std::string* temporary) {
  struct stat old;
  const bool replacing = keepTarget && ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  static std::atomic<unsigned> counter{0};
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".part-%x-%x", unsigned(::getpid()), counter++);
    *temporary = target + suffix;
    fd = ::open(temporary->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                replacing ? S_IRUSR | S_IWUSR : mode);
    if (fd < 0 && errno != EEXIST) return -1;
  }
  if (fd < 0 || !replacing) return fd;
  if (::fchmod(fd, old.st_mode & 07777) != 0) {
    const int error = errno;
    ::close(fd);
    ::unlink(temporary->c_str());
    errno = error;
    return -1;
  }
  return fd;
}

// Syncs and closes the temporary file, then gives it the target's name:
// renamed over it, or linked (keeping an existing target). The temporary
// name is gone afterwards either way.
bool Finish(int fd, bool ok, const std::string& temporary, const std::string& target,
            bool replace) {
  ok = ok && ::fsync(fd) == 0;
  int error = ok ? 0 : errno;
  ::close(fd);
  if (ok) {
    if (replace) {
      ok = ::rename(temporary.c_str(), target.c_str()) == 0;
    } else {
      ok = ::link(temporary.c_str(), target.c_str()) == 0 || errno == EEXIST;
    }
    if (!ok) error = errno;
  }
  if (!ok || !replace) ::unlink(temporary.c_str());
  if (ok) {
    const size_t slash = target.rfind('/');
    SyncDirectory(slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash));
  }
  errno = error;
  return ok;
}

}  // namespace

bool WriteFileWhole(const std::string& path, std::string_view bytes) {
  std::string temporary;
  const int fd = OpenTemporary(path, 0666, /*keepTarget=*/true, &temporary);
  if (fd < 0) return false;
  const bool ok = WriteAll(fd, bytes.data(), bytes.size());
  return Finish(fd, ok, temporary, path, /*replace=*/true);
}

bool CopyFileWhole(const std::string& from, const std::string& to, bool replace) {
  // A pipe or a device in the file's place is no file to copy, and must not
  // keep the copy waiting.
  const int in = OpenRegularFile(from, O_RDONLY);
  if (in < 0) return false;
  std::string temporary;
  const int out = OpenTemporary(to, S_IRUSR | S_IWUSR, /*keepTarget=*/false, &temporary);
  if (out < 0) {
    const int error = errno;
    ::close(in);
    errno = error;
    return false;
  }
  bool ok = true;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(in, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    if (!WriteAll(out, buffer, static_cast<size_t>(n))) {
      ok = false;
      break;
    }
  }
  const int error = errno;
  ::close(in);
  errno = error;
  return Finish(out, ok, temporary, to, replace);
}

void SyncDirectory(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace cindral
