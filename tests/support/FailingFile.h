// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file layer for the word book that works like the real one until a test
// arms it: then the next `failWrites` writes fail as a full disk would, and
// so does every write that `failWhen` picks. Reads, locks and everything
// else pass through.

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "ForwardingFile.h"
#include "WrappingFileSystem.h"
#include "store/DatabaseErrors.h"
#include "store/FileAccess.h"

namespace cindral::test {

struct WriteFailures {
  int failWrites = 0;  // writes still to fail
  int failed = 0;      // writes failed so far
  // Picks writes to fail by the file's path (GBK), the offset and the size.
  std::function<bool(const std::string& path, int64_t offset, std::size_t size)> failWhen;
};

class FailingFile final : public testing::ForwardingFile {
 public:
  FailingFile(std::string path, std::unique_ptr<FileAccess> inner,
              std::shared_ptr<WriteFailures> failures)
      : ForwardingFile(std::move(inner)), path_(std::move(path)), failures_(std::move(failures)) {}

  int32_t WriteAt(int64_t offset, const void* data, std::size_t size) override {
    const bool picked = failures_->failWhen && failures_->failWhen(path_, offset, size);
    if (picked || failures_->failWrites > 0) {
      if (!picked) --failures_->failWrites;
      ++failures_->failed;
      return kErrDiskFull;
    }
    return inner().WriteAt(offset, data, size);
  }

 private:
  std::string path_;
  std::shared_ptr<WriteFailures> failures_;
};

// A file system that puts a FailingFile over every file it opens, all
// sharing one set of failures.
inline std::shared_ptr<FileSystem> FailingFileSystem(std::shared_ptr<WriteFailures> failures) {
  return std::make_shared<testing::WrappingFileSystem>(
      [failures](std::unique_ptr<FileAccess> inner,
                 const std::string& path) -> std::unique_ptr<FileAccess> {
        return std::make_unique<FailingFile>(path, std::move(inner), failures);
      });
}

}  // namespace cindral::test
