// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file layer that fails on purpose: the k-th read, or the k-th write
// (WriteAt, Truncate and Sync count as writes), of all the files opened
// through it fails with EIO, ENOSPC or as a short write. Once, or from the
// k-th on: a disk that fails for good, or a process that dies at that
// moment (nothing written after it reaches the file).

#include <memory>
#include <string>

#include "ForwardingFile.h"
#include "WrappingFileSystem.h"
#include "store/DatabaseErrors.h"
#include "store/FileAccess.h"

namespace cindral::testing {

struct FaultPlan {
  enum class Kind { ReadError, WriteError, ShortWrite };
  Kind kind = Kind::WriteError;
  int64_t failAt = 0;       // 1-based; 0 = never
  bool persistent = false;  // every counted call from the k-th on fails
  int64_t reads = 0;        // calls made so far
  int64_t writes = 0;
  int64_t syncs = 0;  // of the writes, the syncs
  bool fired = false;

  // Counts a call and tells whether it fails.
  bool Fails(bool write) {
    const int64_t n = write ? ++writes : ++reads;
    if (failAt == 0 || write != (kind != Kind::ReadError)) return false;
    const bool fails = persistent ? n >= failAt : n == failAt;
    fired = fired || fails;
    return fails;
  }
  // Stops failing and counting from zero again.
  void Reset(Kind k, int64_t at, bool forGood) {
    kind = k;
    failAt = at;
    persistent = forGood;
    reads = writes = syncs = 0;
    fired = false;
  }
};

class FaultyFile final : public ForwardingFile {
 public:
  static constexpr int64_t kPage = 4096;

  FaultyFile(std::unique_ptr<FileAccess> inner, std::shared_ptr<FaultPlan> plan)
      : ForwardingFile(std::move(inner)), plan_(std::move(plan)) {}

  int32_t ReadAt(int64_t o, void* b, std::size_t n, std::size_t* d) override {
    if (plan_->Fails(false)) {
      *d = 0;
      return kErrHardware;
    }
    return inner().ReadAt(o, b, n, d);
  }
  int32_t WriteAt(int64_t o, const void* b, std::size_t n) override {
    if (!plan_->Fails(true)) return inner().WriteAt(o, b, n);
    if (plan_->kind == FaultPlan::Kind::ShortWrite) {
      // The system stops a write only between pages: the bytes before the
      // first page boundary inside the range reach the file.
      const int64_t boundary = (o / kPage + 1) * kPage;
      if (boundary < o + static_cast<int64_t>(n)) {
        inner().WriteAt(o, b, static_cast<std::size_t>(boundary - o));
      }
    }
    return kErrDiskFull;
  }
  int32_t Truncate(int64_t l) override {
    return plan_->Fails(true) ? kErrDiskFull : inner().Truncate(l);
  }
  int32_t Sync() override {
    ++plan_->syncs;
    return plan_->Fails(true) ? kErrHardware : inner().Sync();
  }

 private:
  std::shared_ptr<FaultPlan> plan_;
};

// The POSIX files, each wrapped in a FaultyFile that follows `plan`.
inline std::shared_ptr<FileSystem> FaultyFileSystem(std::shared_ptr<FaultPlan> plan) {
  return std::make_shared<WrappingFileSystem>(
      [plan](std::unique_ptr<FileAccess> inner, const std::string&) -> std::unique_ptr<FileAccess> {
        return std::make_unique<FaultyFile>(std::move(inner), plan);
      });
}

}  // namespace cindral::testing
