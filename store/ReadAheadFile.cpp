#include "store/ReadAheadFile.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <new>

namespace cindral {
namespace {

// Internal: no memory for a block; the read goes to the file instead.
constexpr int32_t kNoMemory = 1;

int64_t BlockStart(int64_t offset) {
  return offset / ReadAheadFile::kBlockBytes * ReadAheadFile::kBlockBytes;
}

}  // namespace

ReadAheadFile::ReadAheadFile(std::unique_ptr<FileAccess> inner) : inner_(std::move(inner)) {}

void ReadAheadFile::Start() {
  Drop();
  active_ = true;
}

void ReadAheadFile::Stop() {
  active_ = false;
  Drop();
}

void ReadAheadFile::Drop() {
  // Swapped out, so that the memory goes back now and not at the next span.
  std::map<int64_t, std::string>().swap(blocks_);
  std::deque<int64_t>().swap(order_);
  keptBytes_ = 0;
  length_ = kUnknown;
}

ReadAheadFile::Blocks::iterator ReadAheadFile::Erase(Blocks::iterator it) {
  keptBytes_ -= it->second.size();
  order_.erase(std::find(order_.begin(), order_.end(), it->first));
  return blocks_.erase(it);
}

int32_t ReadAheadFile::BlockAt(int64_t start, const std::string** block) {
  const auto found = blocks_.find(start);
  if (found != blocks_.end()) {
    *block = &found->second;
    return 0;
  }
  std::string bytes;
  try {
    bytes.resize(static_cast<std::size_t>(kBlockBytes));
  } catch (const std::bad_alloc&) {
    return kNoMemory;
  }
  std::size_t got = 0;
  const int32_t code = inner_->ReadAt(start, &bytes[0], bytes.size(), &got);
  if (code != 0) return code;
  bytes.resize(got);
  while (!order_.empty() && keptBytes_ + bytes.size() > kMaxKeptBytes) {
    const auto oldest = blocks_.find(order_.front());
    keptBytes_ -= oldest->second.size();
    blocks_.erase(oldest);
    order_.pop_front();
  }
  keptBytes_ += bytes.size();
  order_.push_back(start);
  *block = &blocks_.emplace(start, std::move(bytes)).first->second;
  return 0;
}

int32_t ReadAheadFile::ReadAt(int64_t offset, void* buffer, std::size_t size, std::size_t* done) {
  if (!active_ || offset < 0 || static_cast<int64_t>(size) >= kBlockBytes) {
    return inner_->ReadAt(offset, buffer, size, done);
  }
  *done = 0;
  auto* out = static_cast<char*>(buffer);
  std::size_t copied = 0;
  while (copied < size) {
    const int64_t at = offset + static_cast<int64_t>(copied);
    const int64_t start = BlockStart(at);
    const std::string* block = nullptr;
    const int32_t code = BlockAt(start, &block);
    if (code == kNoMemory) {
      // Too little memory to keep a block: the file itself still answers.
      std::size_t got = 0;
      const int32_t direct = inner_->ReadAt(at, out + copied, size - copied, &got);
      if (direct == 0) *done = copied + got;
      return direct;
    }
    if (code != 0) return code;
    const auto within = static_cast<std::size_t>(at - start);
    if (within >= block->size()) break;  // the end of the file
    const std::size_t n = std::min(size - copied, block->size() - within);
    std::memcpy(out + copied, block->data() + within, n);
    copied += n;
    if (block->size() < static_cast<std::size_t>(kBlockBytes)) break;
  }
  *done = copied;
  return 0;
}

int32_t ReadAheadFile::WriteAt(int64_t offset, const void* data, std::size_t size) {
  const int32_t code = inner_->WriteAt(offset, data, size);
  if (!active_ || size == 0) return code;
  if (code != 0 || offset < 0) {
    Drop();
    return code;
  }
  const int64_t end = offset + static_cast<int64_t>(size);
  const auto* bytes = static_cast<const char*>(data);
  for (auto it = blocks_.lower_bound(BlockStart(offset)); it != blocks_.end() && it->first < end;) {
    const int64_t from = std::max(offset, it->first);
    const int64_t to = std::min(end, it->first + kBlockBytes);
    if (to <= it->first + static_cast<int64_t>(it->second.size())) {
      std::memcpy(&it->second[static_cast<std::size_t>(from - it->first)], bytes + (from - offset),
                  static_cast<std::size_t>(to - from));
      ++it;
    } else {
      // The write runs past the file's end within this block.
      it = Erase(it);
    }
  }
  // Short blocks end at the file's old end; the file now reaches past them.
  for (auto it = blocks_.end(); it != blocks_.begin();) {
    --it;
    if (it->second.size() == static_cast<std::size_t>(kBlockBytes)) break;
    if (it->first + static_cast<int64_t>(it->second.size()) < end) {
      it = Erase(it);
    }
  }
  if (length_ != kUnknown) length_ = std::max(length_, end);
  return 0;
}

int32_t ReadAheadFile::Truncate(int64_t length) {
  const int32_t code = inner_->Truncate(length);
  if (!active_) return code;
  if (code != 0 || length < 0) {
    Drop();
    return code;
  }
  for (auto it = blocks_.lower_bound(BlockStart(length)); it != blocks_.end();) {
    const auto keep = static_cast<std::size_t>(std::max<int64_t>(length - it->first, 0));
    if (keep > 0) {
      if (it->second.size() > keep) {
        keptBytes_ -= it->second.size() - keep;
        it->second.resize(keep);
      }
      ++it;
      continue;
    }
    it = Erase(it);
  }
  // Short blocks end at the old end; a longer file reaches past them.
  if (length_ == kUnknown || length > length_) {
    for (auto it = blocks_.begin(); it != blocks_.end();) {
      it = it->second.size() < static_cast<std::size_t>(kBlockBytes) ? Erase(it) : std::next(it);
    }
  }
  length_ = length;
  return 0;
}

int32_t ReadAheadFile::Size(int64_t* length) {
  if (active_ && length_ != kUnknown) {
    *length = length_;
    return 0;
  }
  const int32_t code = inner_->Size(length);
  if (active_ && code == 0) length_ = *length;
  return code;
}

int32_t ReadAheadFile::Lock(int64_t offset, int64_t length, LockKind kind) {
  return inner_->Lock(offset, length, kind);
}

int32_t ReadAheadFile::Unlock(int64_t offset, int64_t length) {
  return inner_->Unlock(offset, length);
}

int32_t ReadAheadFile::TestLock(int64_t offset, int64_t length, LockKind kind) {
  return inner_->TestLock(offset, length, kind);
}

int32_t ReadAheadFile::Sync() { return inner_->Sync(); }

int32_t ReadAheadFile::FileId(uint64_t* device, uint64_t* inode) {
  return inner_->FileId(device, inode);
}

}  // namespace cindral
