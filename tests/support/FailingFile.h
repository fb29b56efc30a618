#pragma once
// A file layer for the word book that works like the real one until a test
// arms it: then the next `failWrites` writes fail as a full disk would, and
// so does every write that `failWhen` picks. Reads, locks and everything
// else pass through.

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "store/DatabaseErrors.h"
#include "store/FileAccess.h"
#include "store/RecordFile.h"

namespace cindral::test {

struct WriteFailures {
  int failWrites = 0;  // writes still to fail
  int failed = 0;      // writes failed so far
  // Picks writes to fail by the file's path (GBK), the offset and the size.
  std::function<bool(const std::string& path, int64_t offset, std::size_t size)> failWhen;
};

class FailingFile final : public FileAccess {
 public:
  FailingFile(std::string path, std::unique_ptr<FileAccess> inner,
              std::shared_ptr<WriteFailures> failures)
      : path_(std::move(path)), inner_(std::move(inner)), failures_(std::move(failures)) {}

  int32_t ReadAt(int64_t offset, void* buffer, std::size_t size, std::size_t* done) override {
    return inner_->ReadAt(offset, buffer, size, done);
  }
  int32_t WriteAt(int64_t offset, const void* data, std::size_t size) override {
    const bool picked = failures_->failWhen && failures_->failWhen(path_, offset, size);
    if (picked || failures_->failWrites > 0) {
      if (!picked) --failures_->failWrites;
      ++failures_->failed;
      return kErrDiskFull;
    }
    return inner_->WriteAt(offset, data, size);
  }
  int32_t Truncate(int64_t length) override { return inner_->Truncate(length); }
  int32_t Size(int64_t* length) override { return inner_->Size(length); }
  int32_t Lock(int64_t offset, int64_t length, LockKind kind) override {
    return inner_->Lock(offset, length, kind);
  }
  int32_t Unlock(int64_t offset, int64_t length) override { return inner_->Unlock(offset, length); }
  int32_t TestLock(int64_t offset, int64_t length, LockKind kind) override {
    return inner_->TestLock(offset, length, kind);
  }
  int32_t Sync() override { return inner_->Sync(); }
  int32_t FileId(uint64_t* device, uint64_t* inode) override {
    return inner_->FileId(device, inode);
  }

 private:
  std::string path_;
  std::unique_ptr<FileAccess> inner_;
  std::shared_ptr<WriteFailures> failures_;
};

// An opener that puts a FailingFile over every file it opens, all sharing
// one set of failures.
inline FileOpener FailingOpener(std::shared_ptr<WriteFailures> failures) {
  return [failures](const std::string& path, Access access, Share share,
                    std::unique_ptr<FileAccess>* file) {
    std::unique_ptr<FileAccess> inner;
    const int32_t code = RecordFile::DefaultOpener()(path, access, share, &inner);
    if (code == 0) *file = std::make_unique<FailingFile>(path, std::move(inner), failures);
    return code;
  };
}

}  // namespace cindral::test
