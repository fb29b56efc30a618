// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One of the book's files under the rollback journal (see Journal.h).
//
// Outside a change every call goes straight to the file. During a change the
// writes and truncations are held here, and reads see them merged over the
// file, so that nothing reaches the file before the journal holds the bytes
// it replaces. The journal then asks which bytes of the file as it was the
// held changes will replace, saves them, and lets this file write the held
// bytes. A file is never cut before the change is committed: the bytes a
// cut drops are saved like any others first.
//
// Locks, the identity and syncs of the file are not held: they always reach
// the file.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "store/ForwardingFile.h"

namespace cindral {

class Journal;

class JournaledFile final : public ForwardingFile {
 public:
  // A half-open byte range [start, end).
  struct Range {
    int64_t start = 0;
    int64_t end = 0;
  };

  explicit JournaledFile(std::unique_ptr<FileAccess> inner);

  int32_t ReadAt(int64_t offset, void* buffer, std::size_t size, std::size_t* done) override;
  int32_t WriteAt(int64_t offset, const void* data, std::size_t size) override;
  int32_t Truncate(int64_t length) override;
  int32_t Size(int64_t* length) override;
  int32_t Sync() override;
  // The file's own bytes, outside a change (inside one they may be held here).
  int32_t Peek(int64_t offset, std::size_t size, const char** bytes) override {
    *bytes = nullptr;
    return changing() ? 0 : inner().Peek(offset, size, bytes);
  }

  // --- For the journal ---
  // Starts holding changes; the file's length now is its original length.
  int32_t BeginChange(Journal* journal);
  bool changing() const { return journal_ != nullptr; }
  // Bytes held and not yet written to the file.
  std::size_t heldBytes() const { return heldBytes_; }
  int64_t originalLength() const { return original_; }
  // Whether the change makes the file longer or shorter than it was.
  bool LengthChanges() const;
  // The ranges of the file as it was that the next Flush(`final`) replaces
  // or cuts and that the journal does not hold yet. Held runs a few bytes
  // apart are joined first (see Coalesce).
  std::vector<Range> RangesToSave(bool final);
  void MarkSaved(const std::vector<Range>& ranges);
  // Writes the held bytes to the file; with `final` also cuts the file to
  // its length. Whether anything reached the file is kept for the sync.
  int32_t Flush(bool final);
  bool wroteSinceBegin() const { return wrote_; }
  // Forgets the change: after a commit, or after a rollback has put the
  // file's original bytes back.
  void EndChange();

 private:
  static constexpr int64_t kNoCut = INT64_MAX;
  static constexpr int64_t kJoinGap = 512;

  // Holds `size` bytes at `offset`, merging with held bytes they touch.
  void Hold(int64_t offset, const char* data, std::size_t size);
  // Held zeros for every byte in [zeroFrom_, length_) not held yet.
  void HoldZeroGaps();
  // Joins held runs at most kJoinGap bytes apart into one, the bytes
  // between them read from the file (which holds them as they are now), so
  // that a walk changing one field per record is saved and written in a
  // few large writes rather than one per record.
  void Coalesce();

  Journal* journal_ = nullptr;
  // Held bytes by start offset; runs never overlap or touch.
  std::map<int64_t, std::string> held_;
  std::size_t heldBytes_ = 0;
  int64_t original_ = 0;  // the file's length when the change began
  int64_t physical_ = 0;  // the file's length now
  int64_t length_ = 0;    // the length the change gives it
  // Bytes from here on that are not held read as zeros: a cut followed by
  // growth must not bring back what the cut dropped.
  int64_t zeroFrom_ = kNoCut;
  // Ranges of the original file the journal holds, start -> end.
  std::map<int64_t, int64_t> saved_;
  bool wrote_ = false;
};

}  // namespace cindral
