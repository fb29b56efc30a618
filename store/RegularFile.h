// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening files that must be regular files without waiting on anything
// else: a pipe that nobody writes keeps a plain open() for reading waiting
// for ever, and a device or a socket never ends. Such a file is opened
// without blocking, looked at, and closed again unless it is a regular
// file; only then does its descriptor go back to blocking reads. Paths are
// UTF-8 (file system names).

#include <cstddef>
#include <string>

namespace cindral {

// Opens `onDisk` with `flags` (O_RDONLY or O_RDWR; close-on-exec added).
// The descriptor, or -1 with errno set: the open's own error, or EINVAL
// with `notRegular` set when the name is a directory, a pipe, a device or
// a socket.
int OpenRegularFile(const std::string& onDisk, int flags, bool* notRegular = nullptr);

enum class FileRead {
  kRead,
  kMissing,     // no such file
  kNotRegular,  // a directory, a pipe, a device or a socket
  kTooLarge,    // longer than the limit
  kFailed,      // it could not be opened or read (errno tells)
};

// Reads the regular file `onDisk` whole into `bytes`. A file longer than
// `limit` bytes is kTooLarge and not read.
FileRead ReadRegularFile(const std::string& onDisk, std::size_t limit, std::string* bytes);

// Reads at most the first `limit` bytes of the regular file `onDisk`;
// `cut` tells whether it holds more. kTooLarge is never given.
FileRead ReadRegularFileStart(const std::string& onDisk, std::size_t limit, std::string* bytes,
                              bool* cut);

}  // namespace cindral
