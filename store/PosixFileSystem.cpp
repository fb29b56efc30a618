// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/PosixFileSystem.h"

#include <sys/stat.h>
#include <time.h>

#include "store/Gbk.h"
#include "store/PosixFile.h"

namespace cindral {

std::shared_ptr<FileSystem> PosixFileSystem::Instance() {
  static const std::shared_ptr<FileSystem> instance = std::make_shared<PosixFileSystem>();
  return instance;
}

int32_t PosixFileSystem::Open(const std::string& path, Access access, Share share,
                              std::unique_ptr<FileAccess>* file) {
  return PosixFile::Open(path, access, share, file);
}

int32_t PosixFileSystem::Create(const std::string& path, std::unique_ptr<FileAccess>* file) {
  return PosixFile::Create(path, file);
}

int32_t PosixFileSystem::OpenOrCreate(const std::string& path, std::unique_ptr<FileAccess>* file,
                                      bool* created) {
  return PosixFile::OpenOrCreate(path, file, created);
}

int32_t PosixFileSystem::StampOf(const std::string& path, FileStamp* stamp) {
  struct stat st;
  if (::stat(GbkToUtf8(path).c_str(), &st) != 0) return kErrFileNotFound;
  *stamp = {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino),
            static_cast<int64_t>(st.st_size), static_cast<int64_t>(st.st_ctim.tv_sec),
            static_cast<int64_t>(st.st_ctim.tv_nsec)};
  return 0;
}

bool PosixFileSystem::StampClock(int64_t* seconds, int64_t* nanoseconds) {
  // Writes are stamped from the coarse clock; a write later in the same
  // step of it may carry the same time.
  struct timespec now;
  if (::clock_gettime(CLOCK_REALTIME_COARSE, &now) != 0) return false;
  *seconds = now.tv_sec;
  *nanoseconds = now.tv_nsec;
  return true;
}

int32_t PosixFileSystem::LengthOf(const std::string& path, int64_t* length) {
  return PosixFile::LengthOf(path, length);
}

int32_t PosixFileSystem::ReadStart(const std::string& path, void* buffer, std::size_t size,
                                   std::size_t* done) {
  return PosixFile::ReadStart(path, buffer, size, done);
}

int32_t PosixFileSystem::CreateLike(const std::string& path, const std::string& like,
                                    std::unique_ptr<FileAccess>* file) {
  return PosixFile::CreateLike(path, like, file);
}

int32_t PosixFileSystem::Remove(const std::string& path) { return PosixFile::Remove(path); }

int32_t PosixFileSystem::Rename(const std::string& from, const std::string& to) {
  return PosixFile::Rename(from, to);
}

int32_t PosixFileSystem::LockDirectoryOf(const std::string& path, std::unique_ptr<HeldLock>* lock) {
  return PosixFile::LockDirectoryOf(path, lock);
}

int32_t PosixFileSystem::SyncDirectoryOf(const std::string& path) {
  return PosixFile::SyncDirectoryOf(path);
}

}  // namespace cindral
