// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/JournaledFile.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "store/DatabaseErrors.h"
#include "store/Journal.h"

namespace cindral {

JournaledFile::JournaledFile(std::unique_ptr<FileAccess> inner)
    : ForwardingFile(std::move(inner)) {}

int32_t JournaledFile::ReadAt(int64_t offset, void* buffer, std::size_t size, std::size_t* done) {
  if (journal_ == nullptr) return inner().ReadAt(offset, buffer, size, done);
  *done = 0;
  if (offset < 0) return kErrSeek;
  if (size == 0 || offset >= length_) return 0;
  const int64_t end = std::min<int64_t>(length_, offset + static_cast<int64_t>(size));
  auto* out = static_cast<char*>(buffer);
  const auto wanted = static_cast<std::size_t>(end - offset);
  std::size_t got = 0;
  const int64_t fileEnd = std::min(end, zeroFrom_);
  if (offset < fileEnd) {
    const int32_t code =
        inner().ReadAt(offset, out, static_cast<std::size_t>(fileEnd - offset), &got);
    if (code != 0) return code;
  }
  if (got < wanted) std::memset(out + got, 0, wanted - got);
  auto it = held_.upper_bound(offset);
  if (it != held_.begin()) --it;
  for (; it != held_.end() && it->first < end; ++it) {
    const int64_t runEnd = it->first + static_cast<int64_t>(it->second.size());
    const int64_t from = std::max(it->first, offset);
    const int64_t to = std::min(runEnd, end);
    if (from < to) {
      std::memcpy(out + (from - offset), it->second.data() + (from - it->first),
                  static_cast<std::size_t>(to - from));
    }
  }
  *done = wanted;
  return 0;
}

int32_t JournaledFile::WriteAt(int64_t offset, const void* data, std::size_t size) {
  if (journal_ == nullptr) return inner().WriteAt(offset, data, size);
  if (journal_->failure() != 0) return journal_->failure();
  if (offset < 0) return kErrSeek;
  if (size == 0) return 0;
  Hold(offset, static_cast<const char*>(data), size);
  length_ = std::max<int64_t>(length_, offset + static_cast<int64_t>(size));
  return journal_->AfterHold();
}

int32_t JournaledFile::Truncate(int64_t length) {
  if (journal_ == nullptr) return inner().Truncate(length);
  if (journal_->failure() != 0) return journal_->failure();
  if (length < 0) return kErrSeek;
  if (length < length_) {
    auto it = held_.lower_bound(length);
    if (it != held_.begin()) {
      auto before = std::prev(it);
      const int64_t keep = length - before->first;
      if (static_cast<int64_t>(before->second.size()) > keep) {
        heldBytes_ -= before->second.size() - static_cast<std::size_t>(keep);
        before->second.resize(static_cast<std::size_t>(keep));
      }
    }
    while (it != held_.end()) {
      heldBytes_ -= it->second.size();
      it = held_.erase(it);
    }
    zeroFrom_ = std::min(zeroFrom_, length);
  } else if (length > length_) {
    zeroFrom_ = std::min(zeroFrom_, length_);
  }
  length_ = length;
  return 0;
}

int32_t JournaledFile::Size(int64_t* length) {
  if (journal_ == nullptr) return inner().Size(length);
  *length = length_;
  return 0;
}

// During a change the journal syncs the file when it commits.
int32_t JournaledFile::Sync() { return journal_ == nullptr ? inner().Sync() : 0; }

int32_t JournaledFile::BeginChange(Journal* journal) {
  int64_t length = 0;
  const int32_t code = inner().Size(&length);
  // Held from here on even when the length is unknown, so that nothing can
  // slip past the journal; the caller ends the change on failure.
  journal_ = journal;
  held_.clear();
  heldBytes_ = 0;
  saved_.clear();
  original_ = physical_ = length_ = length;
  zeroFrom_ = kNoCut;
  wrote_ = false;
  return code;
}

void JournaledFile::EndChange() {
  journal_ = nullptr;
  held_.clear();
  heldBytes_ = 0;
  saved_.clear();
  wrote_ = false;
}

bool JournaledFile::LengthChanges() const {
  if (length_ != original_ || physical_ != original_) return true;
  if (held_.empty()) return false;
  const auto& last = *held_.rbegin();
  return last.first + static_cast<int64_t>(last.second.size()) > original_;
}

void JournaledFile::Hold(int64_t offset, const char* data, std::size_t size) {
  const int64_t end = offset + static_cast<int64_t>(size);
  // The runs that overlap or touch [offset, end].
  auto first = held_.upper_bound(offset);
  if (first != held_.begin()) {
    auto before = std::prev(first);
    if (before->first + static_cast<int64_t>(before->second.size()) >= offset) first = before;
  }
  auto last = first;
  while (last != held_.end() && last->first <= end) ++last;
  if (first == last) {
    held_.emplace(offset, std::string(data, size));
    heldBytes_ += size;
    return;
  }
  if (std::next(first) == last && first->first <= offset) {
    // Inside or at the end of one run: the common case of records and
    // chunks written one after the other.
    std::string& run = first->second;
    const auto reach = static_cast<std::size_t>(end - first->first);
    if (reach > run.size()) {
      heldBytes_ += reach - run.size();
      run.resize(reach);
    }
    std::memcpy(&run[static_cast<std::size_t>(offset - first->first)], data, size);
    return;
  }
  const int64_t start = std::min(first->first, offset);
  const auto& tail = *std::prev(last);
  const int64_t stop = std::max(end, tail.first + static_cast<int64_t>(tail.second.size()));
  std::string merged(static_cast<std::size_t>(stop - start), '\0');
  for (auto it = first; it != last; ++it) {
    std::memcpy(&merged[static_cast<std::size_t>(it->first - start)], it->second.data(),
                it->second.size());
    heldBytes_ -= it->second.size();
  }
  std::memcpy(&merged[static_cast<std::size_t>(offset - start)], data, size);
  held_.erase(first, last);
  heldBytes_ += merged.size();
  held_.emplace(start, std::move(merged));
}

void JournaledFile::HoldZeroGaps() {
  if (zeroFrom_ >= length_) return;
  std::vector<Range> gaps;
  int64_t at = zeroFrom_;
  for (auto it = held_.lower_bound(0); it != held_.end() && at < length_; ++it) {
    const int64_t runEnd = it->first + static_cast<int64_t>(it->second.size());
    if (runEnd <= at) continue;
    if (it->first > at) gaps.push_back({at, std::min(it->first, length_)});
    at = std::max(at, runEnd);
  }
  if (at < length_) gaps.push_back({at, length_});
  for (const Range& gap : gaps) {
    const std::string zeros(static_cast<std::size_t>(gap.end - gap.start), '\0');
    Hold(gap.start, zeros.data(), zeros.size());
  }
}

void JournaledFile::Coalesce() {
  // Only bytes the file holds as they are now may fill a gap: not those
  // past its end, nor those a cut turned to zeros.
  const int64_t known = std::min(physical_, zeroFrom_);
  std::map<int64_t, std::string> joined;
  for (auto it = held_.begin(); it != held_.end();) {
    // The runs from `it` up to `last` lie close enough to join.
    auto last = std::next(it);
    int64_t end = it->first + static_cast<int64_t>(it->second.size());
    while (last != held_.end() && last->first - end <= kJoinGap && last->first <= known) {
      end = last->first + static_cast<int64_t>(last->second.size());
      ++last;
    }
    if (std::next(it) == last) {
      joined.emplace(it->first, std::move(it->second));
      it = last;
      continue;
    }
    std::string run(static_cast<std::size_t>(end - it->first), '\0');
    std::size_t got = 0;
    const int64_t readEnd = std::min(end, known);
    const int32_t code =
        inner().ReadAt(it->first, &run[0], static_cast<std::size_t>(readEnd - it->first), &got);
    if (code != 0 || got < static_cast<std::size_t>(readEnd - it->first)) {
      // The file does not give the bytes between: the runs stay apart.
      for (; it != last; ++it) joined.emplace(it->first, std::move(it->second));
      continue;
    }
    const int64_t start = it->first;
    for (; it != last; ++it) {
      std::memcpy(&run[static_cast<std::size_t>(it->first - start)], it->second.data(),
                  it->second.size());
    }
    joined.emplace(start, std::move(run));
  }
  held_.swap(joined);
  heldBytes_ = 0;
  for (const auto& run : held_) heldBytes_ += run.second.size();
}

std::vector<JournaledFile::Range> JournaledFile::RangesToSave(bool final) {
  HoldZeroGaps();
  Coalesce();
  std::vector<Range> wanted;
  for (const auto& run : held_) {
    const int64_t end = std::min(run.first + static_cast<int64_t>(run.second.size()), original_);
    if (run.first < end) wanted.push_back({run.first, end});
  }
  if (final && physical_ > length_) {
    const int64_t end = std::min(physical_, original_);
    if (length_ < end) wanted.push_back({length_, end});
  }
  // Less what is saved already.
  std::vector<Range> out;
  for (const Range& range : wanted) {
    int64_t at = range.start;
    auto it = saved_.upper_bound(at);
    if (it != saved_.begin()) --it;
    for (; it != saved_.end() && it->first < range.end && at < range.end; ++it) {
      if (it->second <= at) continue;
      if (it->first > at) out.push_back({at, it->first});
      at = std::max(at, it->second);
    }
    if (at < range.end) out.push_back({at, range.end});
  }
  return out;
}

void JournaledFile::MarkSaved(const std::vector<Range>& ranges) {
  for (const Range& range : ranges) {
    int64_t start = range.start;
    int64_t end = range.end;
    auto it = saved_.upper_bound(start);
    if (it != saved_.begin() && std::prev(it)->second >= start) --it;
    while (it != saved_.end() && it->first <= end) {
      start = std::min(start, it->first);
      end = std::max(end, it->second);
      it = saved_.erase(it);
    }
    saved_.emplace(start, end);
  }
}

int32_t JournaledFile::Flush(bool final) {
  HoldZeroGaps();
  for (const auto& run : held_) {
    const int32_t code = inner().WriteAt(run.first, run.second.data(), run.second.size());
    if (code != 0) return code;
    wrote_ = true;
    physical_ = std::max<int64_t>(physical_, run.first + static_cast<int64_t>(run.second.size()));
  }
  held_.clear();
  heldBytes_ = 0;
  if (final && physical_ > length_) {
    const int32_t code = inner().Truncate(length_);
    if (code != 0) return code;
    wrote_ = true;
    physical_ = length_;
  }
  // What lies beyond the length in the file must not come back if the file
  // grows again.
  zeroFrom_ = physical_ > length_ ? length_ : kNoCut;
  return 0;
}

}  // namespace cindral
