#pragma once
// A file that hands every call to another one: the base of the files tests,
// fuzzers and benchmarks put under the engine (failing, slow, counting),
// which override only the calls they change.

#include <memory>
#include <utility>

#include "store/FileAccess.h"

namespace cindral::testing {

class ForwardingFile : public FileAccess {
 public:
  explicit ForwardingFile(std::unique_ptr<FileAccess> inner) : inner_(std::move(inner)) {}

  int32_t ReadAt(int64_t o, void* b, std::size_t n, std::size_t* d) override {
    return inner_->ReadAt(o, b, n, d);
  }
  int32_t WriteAt(int64_t o, const void* b, std::size_t n) override {
    return inner_->WriteAt(o, b, n);
  }
  int32_t Truncate(int64_t l) override { return inner_->Truncate(l); }
  int32_t Size(int64_t* l) override { return inner_->Size(l); }
  int32_t Lock(int64_t o, int64_t l, LockKind k) override { return inner_->Lock(o, l, k); }
  int32_t Unlock(int64_t o, int64_t l) override { return inner_->Unlock(o, l); }
  int32_t TestLock(int64_t o, int64_t l, LockKind k) override { return inner_->TestLock(o, l, k); }
  int32_t Sync() override { return inner_->Sync(); }
  int32_t FileId(uint64_t* d, uint64_t* i) override { return inner_->FileId(d, i); }

 protected:
  FileAccess& inner() { return *inner_; }

 private:
  std::unique_ptr<FileAccess> inner_;
};

}  // namespace cindral::testing
