// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The states a power cut can leave a folder in, built from the writes a
// change made. A WriteTrace is a file system over the real one that, once
// started, records every write, truncation and sync of the files of one
// folder, and every name made, renamed or removed there with the syncs of
// the folder. From the record it builds the folder as the disk may hold it
// after a power cut at any point: every operation before that point that a
// later sync made durable is there; of the others (written since the last
// sync of their file, or named since the last sync of the folder) any
// subset may be. A write is recorded sector by sector (512 bytes, what a
// disk writes whole), so a write cut between two sectors is among the
// states.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ForwardingFile.h"
#include "store/FileSystem.h"
#include "store/Gbk.h"
#include "store/PosixFileSystem.h"

namespace cindral::test {

// The files of a folder by name, with their bytes.
using FolderFiles = std::map<std::string, std::string>;

inline FolderFiles ReadFolder(const std::string& utf8Folder) {
  FolderFiles files;
  for (const auto& entry : std::filesystem::directory_iterator(utf8Folder)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary | std::ios::ate);
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(&bytes[0], static_cast<std::streamsize>(bytes.size()));
    files[entry.path().filename().string()] = std::move(bytes);
  }
  return files;
}

// Empties the folder and puts these files in it.
inline void WriteFolder(const std::string& utf8Folder, const FolderFiles& files) {
  for (const auto& entry : std::filesystem::directory_iterator(utf8Folder)) {
    std::filesystem::remove_all(entry.path());
  }
  for (const auto& [name, bytes] : files) {
    std::ofstream(utf8Folder + "/" + name, std::ios::binary) << bytes;
  }
}

struct TracedOp {
  enum class Kind { Write, Truncate, Sync, Create, Rename, Remove, SyncFolder };
  Kind kind;
  int file = -1;       // Write, Truncate, Sync, Create: which file (not name)
  int64_t offset = 0;  // Write; the length for Truncate
  std::string bytes;   // Write
  std::string name;    // Create, Rename (from), Remove
  std::string to;      // Rename

  bool NamesAFile() const { return kind == Kind::Create || kind == Kind::Rename || kind == Kind::Remove; }
  bool ChangesBytes() const { return kind == Kind::Write || kind == Kind::Truncate; }
};

class WriteTrace : public std::enable_shared_from_this<WriteTrace> {
 public:
  static constexpr int64_t kSector = 512;

  explicit WriteTrace(std::string utf8Folder) : folder_(std::move(utf8Folder)) {}

  // The file system to open the book through.
  std::shared_ptr<FileSystem> Files() { return std::make_shared<Tracing>(shared_from_this()); }

  // Records from now on; the folder as it is now is the state before.
  void Start() {
    ops_.clear();
    before_ = ReadFolder(folder_);
    contents_.clear();
    names_.clear();
    for (const auto& [name, bytes] : before_) {
      const int file = FileOf(name);
      contents_[file] = bytes;
      names_[name] = file;
    }
    recording_ = true;
  }
  void Stop() { recording_ = false; }

  const std::vector<TracedOp>& ops() const { return ops_; }
  const FolderFiles& before() const { return before_; }

  // A power cut after the first `end` operations: which of them the disk
  // holds for certain, and which it may or may not hold (`pending`).
  struct Cut {
    std::size_t end = 0;
    std::vector<bool> durable;
    std::vector<std::size_t> pending;
  };
  Cut CutAt(std::size_t end) const {
    Cut cut;
    cut.end = end;
    cut.durable.assign(end, false);
    // Walking back, the syncs met so far make what came before them durable.
    bool folderSynced = false;
    std::vector<int> synced;
    for (std::size_t i = end; i-- > 0;) {
      const TracedOp& op = ops_[i];
      if (op.kind == TracedOp::Kind::Sync) synced.push_back(op.file);
      if (op.kind == TracedOp::Kind::SyncFolder) folderSynced = true;
      if (op.ChangesBytes()) {
        cut.durable[i] = std::find(synced.begin(), synced.end(), op.file) != synced.end();
      } else if (op.NamesAFile()) {
        cut.durable[i] = folderSynced;
      } else {
        continue;
      }
      if (!cut.durable[i]) cut.pending.insert(cut.pending.begin(), i);
    }
    return cut;
  }

  // The folder after the power cut when, of its pending operations, those
  // with `held[k]` set reached the disk.
  FolderFiles StateAt(const Cut& cut, const std::vector<bool>& held) const {
    std::map<int, std::string> contents = contents_;
    std::map<std::string, int> names = names_;
    std::size_t next = 0;
    for (std::size_t i = 0; i < cut.end; ++i) {
      const TracedOp& op = ops_[i];
      bool applies = cut.durable[i];
      if (next < cut.pending.size() && cut.pending[next] == i) applies = held[next++];
      if (!applies) continue;
      switch (op.kind) {
        case TracedOp::Kind::Write: {
          std::string& bytes = contents[op.file];
          const auto at = static_cast<std::size_t>(op.offset);
          if (bytes.size() < at + op.bytes.size()) bytes.resize(at + op.bytes.size(), '\0');
          std::copy(op.bytes.begin(), op.bytes.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
          break;
        }
        case TracedOp::Kind::Truncate:
          contents[op.file].resize(static_cast<std::size_t>(op.offset), '\0');
          break;
        case TracedOp::Kind::Create:
          names[op.name] = op.file;
          contents[op.file];
          break;
        case TracedOp::Kind::Rename: {
          const auto it = names.find(op.name);
          if (it == names.end()) break;  // the name it was made under never reached the disk
          const int file = it->second;
          names.erase(it);
          names[op.to] = file;
          break;
        }
        case TracedOp::Kind::Remove:
          names.erase(op.name);
          break;
        case TracedOp::Kind::Sync:
        case TracedOp::Kind::SyncFolder:
          break;
      }
    }
    FolderFiles files;
    for (const auto& [name, file] : names) files[name] = contents[file];
    return files;
  }

 private:
  // The name inside the folder (UTF-8), or empty for a file elsewhere.
  std::string NameOf(const std::string& gbkPath) const {
    const std::string path = GbkToUtf8(gbkPath);
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos || path.substr(0, slash) != folder_) return std::string();
    return path.substr(slash + 1);
  }
  int FileOf(const std::string& name) {
    const auto it = live_.find(name);
    if (it != live_.end()) return it->second;
    return live_[name] = nextFile_++;
  }
  int NewFile(const std::string& name) { return live_[name] = nextFile_++; }
  void Record(TracedOp op) {
    if (recording_) ops_.push_back(std::move(op));
  }

  class TracingFile final : public testing::ForwardingFile {
   public:
    TracingFile(std::unique_ptr<FileAccess> inner, std::shared_ptr<WriteTrace> trace, int file)
        : ForwardingFile(std::move(inner)), trace_(std::move(trace)), file_(file) {}
    int32_t WriteAt(int64_t o, const void* b, std::size_t n) override {
      const int32_t code = inner().WriteAt(o, b, n);
      if (code != 0) return code;
      const auto* bytes = static_cast<const char*>(b);
      for (int64_t at = o, end = o + static_cast<int64_t>(n); at < end;) {
        const int64_t stop = std::min(end, (at / kSector + 1) * kSector);
        trace_->Record({TracedOp::Kind::Write, file_, at,
                        std::string(bytes + (at - o), bytes + (stop - o)), {}, {}});
        at = stop;
      }
      return 0;
    }
    int32_t Truncate(int64_t l) override {
      const int32_t code = inner().Truncate(l);
      if (code == 0) trace_->Record({TracedOp::Kind::Truncate, file_, l, {}, {}, {}});
      return code;
    }
    int32_t Sync() override {
      const int32_t code = inner().Sync();
      if (code == 0) trace_->Record({TracedOp::Kind::Sync, file_, 0, {}, {}, {}});
      return code;
    }

   private:
    std::shared_ptr<WriteTrace> trace_;
    int file_;
  };

  class Tracing final : public FileSystem {
   public:
    explicit Tracing(std::shared_ptr<WriteTrace> trace) : trace_(std::move(trace)) {}

    int32_t Open(const std::string& path, Access access, Share share,
                 std::unique_ptr<FileAccess>* file) override {
      const int32_t code = real_->Open(path, access, share, file);
      if (code == 0) Opened(path, file);
      return code;
    }
    int32_t Create(const std::string& path, std::unique_ptr<FileAccess>* file) override {
      return Created(path, real_->Create(path, file), file);
    }
    int32_t CreateLike(const std::string& path, const std::string& like,
                       std::unique_ptr<FileAccess>* file) override {
      return Created(path, real_->CreateLike(path, like, file), file);
    }
    int32_t OpenOrCreate(const std::string& path, std::unique_ptr<FileAccess>* file,
                         bool* created) override {
      const int32_t code = real_->OpenOrCreate(path, file, created);
      if (code == 0 && *created) return Created(path, code, file);
      if (code == 0) Opened(path, file);
      return code;
    }
    int32_t LengthOf(const std::string& path, int64_t* length) override {
      return real_->LengthOf(path, length);
    }
    int32_t ReadStart(const std::string& path, void* buffer, std::size_t size,
                      std::size_t* done) override {
      return real_->ReadStart(path, buffer, size, done);
    }
    int32_t Remove(const std::string& path) override {
      const int32_t code = real_->Remove(path);
      const std::string name = trace_->NameOf(path);
      if (code == 0 && !name.empty()) {
        trace_->live_.erase(name);
        trace_->Record({TracedOp::Kind::Remove, -1, 0, {}, name, {}});
      }
      return code;
    }
    int32_t Rename(const std::string& from, const std::string& to) override {
      const int32_t code = real_->Rename(from, to);
      const std::string name = trace_->NameOf(from);
      const std::string target = trace_->NameOf(to);
      if (code == 0 && !name.empty() && !target.empty()) {
        trace_->live_[target] = trace_->FileOf(name);
        trace_->live_.erase(name);
        trace_->Record({TracedOp::Kind::Rename, -1, 0, {}, name, target});
      }
      return code;
    }
    int32_t SyncDirectoryOf(const std::string& path) override {
      const int32_t code = real_->SyncDirectoryOf(path);
      if (code == 0 && !trace_->NameOf(path).empty()) {
        trace_->Record({TracedOp::Kind::SyncFolder, -1, 0, {}, {}, {}});
      }
      return code;
    }
    int32_t LockDirectoryOf(const std::string& path, std::unique_ptr<HeldLock>* lock) override {
      return real_->LockDirectoryOf(path, lock);
    }

   private:
    int32_t Created(const std::string& path, int32_t code, std::unique_ptr<FileAccess>* file) {
      const std::string name = trace_->NameOf(path);
      if (code != 0 || name.empty()) return code;
      const int id = trace_->NewFile(name);
      trace_->Record({TracedOp::Kind::Create, id, 0, {}, name, {}});
      Wrap(path, id, file);
      return code;
    }
    void Opened(const std::string& path, std::unique_ptr<FileAccess>* file) {
      const std::string name = trace_->NameOf(path);
      if (!name.empty()) Wrap(path, trace_->FileOf(name), file);
    }
    void Wrap(const std::string& path, int id, std::unique_ptr<FileAccess>* file) {
      if (trace_->NameOf(path).empty()) return;
      *file = std::make_unique<TracingFile>(std::move(*file), trace_, id);
    }

    std::shared_ptr<WriteTrace> trace_;
    std::shared_ptr<FileSystem> real_ = PosixFileSystem::Instance();
  };

  std::string folder_;
  bool recording_ = false;
  std::vector<TracedOp> ops_;
  FolderFiles before_;
  // At the start: each file's bytes, and the names.
  std::map<int, std::string> contents_;
  std::map<std::string, int> names_;
  // Now: which file each name names.
  std::map<std::string, int> live_;
  int nextFile_ = 0;
};

}  // namespace cindral::test
