#include "store/PosixFileSystem.h"

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
