// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A disk whose reads take a while: widens the gaps between the steps of an
// operation, so that another process's steps fall into them as they would
// on a busy disk.

#include <unistd.h>

#include <memory>
#include <string>

#include "ForwardingFile.h"
#include "WrappingFileSystem.h"

namespace cindral::testing {

class SlowReads final : public ForwardingFile {
 public:
  using ForwardingFile::ForwardingFile;
  int32_t ReadAt(int64_t o, void* b, std::size_t n, std::size_t* d) override {
    ::usleep(300);
    return inner().ReadAt(o, b, n, d);
  }
};

inline std::shared_ptr<FileSystem> SlowReadsFileSystem() {
  return std::make_shared<WrappingFileSystem>(
      [](std::unique_ptr<FileAccess> inner, const std::string&) -> std::unique_ptr<FileAccess> {
        return std::make_unique<SlowReads>(std::move(inner));
      });
}

}  // namespace cindral::testing
