// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/PosixFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "store/DatabaseErrors.h"
#include "store/Gbk.h"
#include "store/RegularFile.h"

namespace cindral {
namespace {

// Offsets of the share-mode bytes, from kShareBase.
constexpr int64_t kHasRead = 0;
constexpr int64_t kHasWrite = 1;
constexpr int64_t kDeniesRead = 2;
constexpr int64_t kDeniesWrite = 3;

bool DeniesRead(Share share) { return share == Share::DenyRead || share == Share::Exclusive; }
bool DeniesWrite(Share share) { return share == Share::DenyWrite || share == Share::Exclusive; }

}  // namespace

PosixFile::PosixFile(int fd) : fd_(fd) {}

PosixFile::~PosixFile() {
  // Closing the last descriptor of the open file description releases every
  // lock it holds.
  if (fd_ >= 0) ::close(fd_);
}

int32_t PosixFile::ErrnoToCode(int error) {
  switch (error) {
    case ENOENT:
      return kErrFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return kErrBadPath;
    case EMFILE:
    case ENFILE:
      return kErrTooManyFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EEXIST:
    case ETXTBSY:
      return kErrAccessDenied;
    case EBADF:
      return kErrInvalidFile;
    case EIO:
      return kErrHardware;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return kErrDiskFull;
    case ENOMEM:
      return kErrOutOfMemory;
    default:
      return kErrUnknown;
  }
}

int PosixFile::Fcntl(int command, short type, int64_t offset, int64_t length, short* foundType) {
  struct flock lock;
  std::memset(&lock, 0, sizeof lock);
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = static_cast<off_t>(offset);
  lock.l_len = static_cast<off_t>(length);
  lock.l_pid = 0;  // required for open-file-description locks
  int rc;
  do {
    rc = ::fcntl(fd_, command, &lock);
  } while (rc < 0 && errno == EINTR);
  if (foundType != nullptr) *foundType = lock.l_type;
  return rc;
}

int32_t PosixFile::Open(const std::string& path, Access access, Share share,
                        std::unique_ptr<FileAccess>* file) {
  file->reset();
  if (path.empty()) return kErrFileNotFound;
  // Only a regular file is a book or one of its companions; a pipe in its
  // place must not keep the opener waiting.
  bool notRegular = false;
  const int fd =
      OpenRegularFile(GbkToUtf8(path), access == Access::ReadOnly ? O_RDONLY : O_RDWR, &notRegular);
  if (fd < 0) return notRegular ? kErrAccessDenied : ErrnoToCode(errno);
  std::unique_ptr<PosixFile> opened(new PosixFile(fd));
  const int32_t code = opened->TakeShareModes(access, share);
  if (code != 0) return code;  // closing drops whatever share bytes were taken
  *file = std::move(opened);
  return 0;
}

int32_t PosixFile::TakeShareModes(Access access, Share share) {
  const bool writes = access == Access::ReadWrite;
  // What others deny must not meet what this opener wants, and the reverse.
  const int64_t checks[][2] = {
      {1, kDeniesRead},
      {writes ? 1 : 0, kDeniesWrite},
      {DeniesRead(share) ? 1 : 0, kHasRead},
      {DeniesWrite(share) ? 1 : 0, kHasWrite},
  };
  for (const auto& check : checks) {
    if (check[0] == 0) continue;
    const int32_t code = TestLock(kShareBase + check[1], 1, LockKind::Exclusive);
    if (code == kErrLockViolation) return kErrSharingViolation;
    if (code != 0) return code;
  }
  const int64_t holds[][2] = {
      {1, kHasRead},
      {writes ? 1 : 0, kHasWrite},
      {DeniesRead(share) ? 1 : 0, kDeniesRead},
      {DeniesWrite(share) ? 1 : 0, kDeniesWrite},
  };
  for (const auto& hold : holds) {
    if (hold[0] == 0) continue;
    const int32_t code = Lock(kShareBase + hold[1], 1, LockKind::Shared);
    if (code == kErrLockViolation) return kErrSharingViolation;
    if (code != 0) return code;
  }
  return 0;
}

int32_t PosixFile::Create(const std::string& path, std::unique_ptr<FileAccess>* file) {
  file->reset();
  if (path.empty()) return kErrBadPath;
  const std::string onDisk = GbkToUtf8(path);
  int fd;
  do {
    fd = ::open(onDisk.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return ErrnoToCode(errno);
  file->reset(new PosixFile(fd));
  return 0;
}

std::string PosixFile::CurrentDirectory() {
  std::string buffer(256, '\0');
  for (;;) {
    if (::getcwd(&buffer[0], buffer.size()) != nullptr) {
      buffer.resize(std::strlen(buffer.c_str()));
      return Utf8ToGbk(buffer);
    }
    if (errno != ERANGE || buffer.size() > (1u << 20)) return std::string();
    buffer.resize(buffer.size() * 2);
  }
}

int32_t PosixFile::OpenOrCreate(const std::string& path, std::unique_ptr<FileAccess>* file,
                                bool* created) {
  file->reset();
  *created = false;
  if (path.empty()) return kErrBadPath;
  const std::string onDisk = GbkToUtf8(path);
  int fd;
  for (;;) {
    bool notRegular = false;
    fd = OpenRegularFile(onDisk, O_RDWR, &notRegular);
    if (fd >= 0) break;
    if (notRegular) return kErrAccessDenied;
    if (errno != ENOENT) return ErrnoToCode(errno);
    fd = ::open(onDisk.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
      *created = true;
      break;
    }
    // Another process made it between the two calls: open theirs.
    if (errno != EEXIST && errno != EINTR) return ErrnoToCode(errno);
  }
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return kErrAccessDenied;
  }
  file->reset(new PosixFile(fd));
  return 0;
}

int32_t PosixFile::LengthOf(const std::string& path, int64_t* length) {
  *length = 0;
  struct stat st;
  if (::stat(GbkToUtf8(path).c_str(), &st) != 0) return ErrnoToCode(errno);
  *length = static_cast<int64_t>(st.st_size);
  return 0;
}

int32_t PosixFile::ReadStart(const std::string& path, void* buffer, std::size_t size,
                             std::size_t* done) {
  *done = 0;
  bool notRegular = false;
  const int fd = OpenRegularFile(GbkToUtf8(path), O_RDONLY, &notRegular);
  if (fd < 0) return notRegular ? kErrAccessDenied : ErrnoToCode(errno);
  PosixFile file(fd);  // closes it
  return file.ReadAt(0, buffer, size, done);
}

int32_t PosixFile::Remove(const std::string& path) {
  return ::unlink(GbkToUtf8(path).c_str()) == 0 ? 0 : ErrnoToCode(errno);
}

int32_t PosixFile::CreateLike(const std::string& path, const std::string& like,
                              std::unique_ptr<FileAccess>* file) {
  file->reset();
  if (path.empty()) return kErrBadPath;
  struct stat model;
  const bool modelled = ::stat(GbkToUtf8(like).c_str(), &model) == 0 && S_ISREG(model.st_mode);
  const std::string onDisk = GbkToUtf8(path);
  int fd;
  do {
    // Private until it has the model's bits, before any byte is written.
    fd = ::open(onDisk.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, modelled ? 0600 : 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return ErrnoToCode(errno);
  if (modelled) {
    if (::fchmod(fd, model.st_mode & 07777) != 0) {
      const int error = errno;
      ::close(fd);
      ::unlink(onDisk.c_str());
      return ErrnoToCode(error);
    }
    // Only root can give the file to another owner; others keep their own.
    if (model.st_uid != ::geteuid() || model.st_gid != ::getegid()) {
      (void)!::fchown(fd, model.st_uid, model.st_gid);
    }
  }
  file->reset(new PosixFile(fd));
  return 0;
}

int32_t PosixFile::Rename(const std::string& from, const std::string& to) {
  return ::rename(GbkToUtf8(from).c_str(), GbkToUtf8(to).c_str()) == 0 ? 0 : ErrnoToCode(errno);
}

namespace {

// The directory of a path on disk (UTF-8).
std::string DirectoryOf(const std::string& onDisk) {
  const std::size_t slash = onDisk.rfind('/');
  return slash == std::string::npos ? "." : (slash == 0 ? "/" : onDisk.substr(0, slash));
}

class DirectoryLock final : public HeldLock {
 public:
  explicit DirectoryLock(int fd) : fd_(fd) {}
  ~DirectoryLock() override {
    if (fd_ >= 0) ::close(fd_);  // closing lets the lock go
  }

 private:
  int fd_;
};

}  // namespace

int32_t PosixFile::LockDirectoryOf(const std::string& path, std::unique_ptr<HeldLock>* lock) {
  lock->reset();
  int fd;
  do {
    fd = ::open(DirectoryOf(GbkToUtf8(path)).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return ErrnoToCode(errno);
  auto held = std::make_unique<DirectoryLock>(fd);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) break;
    if (errno == EINTR) continue;
    // A file system without such locks is written without one.
    if (errno != EWOULDBLOCK) break;
    if (std::chrono::steady_clock::now() >= deadline) return kErrLockViolation;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  *lock = std::move(held);
  return 0;
}

int32_t PosixFile::SyncDirectoryOf(const std::string& path) {
  const std::string directory = DirectoryOf(GbkToUtf8(path));
  int fd;
  do {
    fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return ErrnoToCode(errno);
  int rc;
  do {
    rc = ::fsync(fd);
  } while (rc < 0 && errno == EINTR);
  const int error = errno;
  ::close(fd);
  // Some file systems cannot sync a directory; their names are as durable
  // as they will ever be.
  if (rc != 0 && error != EINVAL && error != EROFS) return ErrnoToCode(error);
  return 0;
}

int32_t PosixFile::ReadAt(int64_t offset, void* buffer, std::size_t size, std::size_t* done) {
  *done = 0;
  if (offset < 0) return kErrSeek;
  auto* out = static_cast<char*>(buffer);
  while (*done < size) {
    const ssize_t n = ::pread(fd_, out + *done, size - *done,
                              static_cast<off_t>(offset + static_cast<int64_t>(*done)));
    if (n < 0) {
      if (errno == EINTR) continue;
      return ErrnoToCode(errno);
    }
    if (n == 0) break;  // end of file
    *done += static_cast<std::size_t>(n);
  }
  return 0;
}

int32_t PosixFile::WriteAt(int64_t offset, const void* data, std::size_t size) {
  if (offset < 0) return kErrSeek;
  const auto* in = static_cast<const char*>(data);
  std::size_t written = 0;
  while (written < size) {
    const ssize_t n = ::pwrite(fd_, in + written, size - written,
                               static_cast<off_t>(offset + static_cast<int64_t>(written)));
    if (n < 0) {
      if (errno == EINTR) continue;
      return ErrnoToCode(errno);
    }
    if (n == 0) return kErrDiskFull;
    written += static_cast<std::size_t>(n);
  }
  return 0;
}

int32_t PosixFile::Truncate(int64_t length) {
  if (length < 0) return kErrSeek;
  int rc;
  do {
    rc = ::ftruncate(fd_, static_cast<off_t>(length));
  } while (rc < 0 && errno == EINTR);
  return rc == 0 ? 0 : ErrnoToCode(errno);
}

int32_t PosixFile::Size(int64_t* length) {
  struct stat st;
  if (::fstat(fd_, &st) != 0) {
    *length = 0;
    return ErrnoToCode(errno);
  }
  *length = static_cast<int64_t>(st.st_size);
  return 0;
}

int32_t PosixFile::Lock(int64_t offset, int64_t length, LockKind kind) {
  const short type = kind == LockKind::Exclusive ? F_WRLCK : F_RDLCK;
  if (Fcntl(F_OFD_SETLK, type, offset, length, nullptr) == 0) return 0;
  // Another opener holds the range: the caller may retry.
  if (errno == EAGAIN || errno == EACCES) return kErrLockViolation;
  return kErrLockFailed;
}

int32_t PosixFile::Unlock(int64_t offset, int64_t length) {
  if (Fcntl(F_OFD_SETLK, F_UNLCK, offset, length, nullptr) == 0) return 0;
  return kErrUnlockFailed;
}

int32_t PosixFile::TestLock(int64_t offset, int64_t length, LockKind kind) {
  const short type = kind == LockKind::Exclusive ? F_WRLCK : F_RDLCK;
  short found = F_UNLCK;
  if (Fcntl(F_OFD_GETLK, type, offset, length, &found) != 0) return kErrLockFailed;
  return found == F_UNLCK ? 0 : kErrLockViolation;
}

int32_t PosixFile::Sync() {
  int rc;
  do {
    rc = ::fdatasync(fd_);
  } while (rc < 0 && errno == EINTR);
  return rc == 0 ? 0 : ErrnoToCode(errno);
}

int32_t PosixFile::FileId(uint64_t* device, uint64_t* inode) {
  struct stat st;
  if (::fstat(fd_, &st) != 0) return ErrnoToCode(errno);
  *device = static_cast<uint64_t>(st.st_dev);
  *inode = static_cast<uint64_t>(st.st_ino);
  return 0;
}

const char* PosixFile::MapForReading(int64_t length) {
  if (length <= 0 || static_cast<uint64_t>(length) > SIZE_MAX) return nullptr;
  void* bytes = ::mmap(nullptr, static_cast<std::size_t>(length), PROT_READ, MAP_SHARED, fd_, 0);
  if (bytes == MAP_FAILED) return nullptr;
  // Read front to back: the kernel reads ahead and maps the pages around
  // each one touched.
  ::madvise(bytes, static_cast<std::size_t>(length), MADV_SEQUENTIAL);
  return static_cast<const char*>(bytes);
}

void PosixFile::Unmap(const char* bytes, int64_t length) {
  if (bytes != nullptr) ::munmap(const_cast<char*>(bytes), static_cast<std::size_t>(length));
}

}  // namespace cindral
