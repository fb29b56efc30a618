// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/WholeFiles.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>

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

// A new temporary file beside `target` (readable by its owner only, as the
// learner's files are), or -1.
int OpenTemporary(const std::string& target, std::string* temporary) {
  *temporary = target + ".part-XXXXXX";
  return ::mkostemp(temporary->data(), O_CLOEXEC);
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
  const int fd = OpenTemporary(path, &temporary);
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
  const int out = OpenTemporary(to, &temporary);
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
