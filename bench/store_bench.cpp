// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The word store's costs beside the floors set by the file and by the
// locking protocol itself:
//  - Walk: GoFirst, RecordCount, then per record all six fields and Skip,
//    over 1k, 10k and 100k records, with fixed-length and with memo text;
//  - SequentialRead: one pass of pread over the whole data file;
//  - BareLoop: exactly the system calls the walk needs (lock, pread, unlock
//    per field, the same for the count on each Skip, and per memo block),
//    over the same offsets, with nothing else around them;
//  - Append10k, and Purge of 100k records with every tenth marked;
//  - OpenForWriting: the read-write open as a start makes it, after a
//    clean close (noted=1) and with the side file audited whole (noted=0).
// Counters: file-layer calls per fixed-size field read (each is one system
// call) and heap allocations per numeric field read.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "ForwardingFile.h"
#include "TempDir.h"
#include "WrappingFileSystem.h"
#include "store/Bytes.h"
#include "store/CleanMark.h"
#include "store/Database.h"
#include "store/FieldCodec.h"
#include "store/Gbk.h"
#include "store/RecordFile.h"
#include "store/SideFile.h"

namespace {

std::atomic<long> allocations{0};

}  // namespace

// Every allocation counts; GCC cannot see that the delete below pairs with
// this new.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace cindral {
namespace {

// Counts the file-layer calls made under the engine.
class CountingFile final : public testing::ForwardingFile {
 public:
  using ForwardingFile::ForwardingFile;
  static inline long calls = 0;
  int32_t ReadAt(int64_t o, void* b, std::size_t n, std::size_t* d) override {
    ++calls;
    return inner().ReadAt(o, b, n, d);
  }
  int32_t WriteAt(int64_t o, const void* b, std::size_t n) override {
    ++calls;
    return inner().WriteAt(o, b, n);
  }
  int32_t Truncate(int64_t l) override {
    ++calls;
    return inner().Truncate(l);
  }
  int32_t Size(int64_t* l) override {
    ++calls;
    return inner().Size(l);
  }
  int32_t Lock(int64_t o, int64_t l, LockKind k) override {
    ++calls;
    return inner().Lock(o, l, k);
  }
  int32_t Unlock(int64_t o, int64_t l) override {
    ++calls;
    return inner().Unlock(o, l);
  }
  int32_t TestLock(int64_t o, int64_t l, LockKind k) override {
    ++calls;
    return inner().TestLock(o, l, k);
  }
};

// The run's private directory, removed when the run ends.
std::string Dir() {
  static const test::TempDir dir("cindral-bench");
  return dir.path();
}

std::vector<FieldDescriptor> Fields(bool memo) {
  auto field = [](const char* name, int32_t type, int32_t size = 0) {
    FieldDescriptor f;
    f.name = name;
    f.type = type;
    f.declaredSize = size;
    return f;
  };
  const int32_t text = memo ? kTypeMemo : kTypeText;
  return {field("GroupNumber", kTypeInt), field("Word", text, 24),
          field("Meaning", text, 40),     field("EntryDate", kTypeDateTime),
          field("Proficiency", kTypeInt), field("SerialNumber", kTypeInt)};
}

std::vector<Value> WordValues(int32_t i) {
  return {Value::Int(i / 20 + 1),
          Value::Text("word" + std::to_string(i)),
          Value::Text("meaning of the word number " + std::to_string(i)),
          Value::DateTime(45000 + i / 20),
          Value::Int(1 + i % 100),
          Value::Double(i)};
}

// A book of `n` records, made once per shape and kept for the run.
const std::string& Book(int64_t n, bool memo) {
  static std::map<std::pair<int64_t, bool>, std::string> books;
  auto& path = books[{n, memo}];
  if (path.empty()) {
    path = Dir() + "/book-" + std::to_string(n) + (memo ? "-memo" : "-text") + ".EDB";
    RecordFile::Create(path, Fields(memo));
    Database db;
    db.OpenDatabase(path);
    for (int32_t i = 1; i <= n; ++i) db.AddRecord(WordValues(i));
  }
  return path;
}

void Walk(benchmark::State& state) {
  const bool memo = state.range(1) != 0;
  const std::string& path = Book(state.range(0), memo);
  Database db;
  db.SetFileSystem(std::make_shared<testing::WrappingFileSystem>(
      [](std::unique_ptr<FileAccess> inner, const std::string&) -> std::unique_ptr<FileAccess> {
        return std::make_unique<CountingFile>(std::move(inner));
      }));
  if (!db.OpenDatabase(path)) state.SkipWithError("open failed");
  int64_t sum = 0;
  for (auto _ : state) {
    db.GoFirst();
    const int32_t k = db.RecordCount();
    for (int32_t i = 0; i < k; ++i) {
      sum += ReadIntegerField(db, 1);
      sum += static_cast<int64_t>(ReadTextField(db, 2).size());
      sum += static_cast<int64_t>(ReadTextField(db, 3).size());
      sum += static_cast<int64_t>(ReadDateField(db, 4));
      sum += ReadIntegerField(db, 5);
      sum += ReadIntegerField(db, 6);
      db.Skip(1);
    }
  }
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(state.iterations() * state.range(0));

  // Calls and allocations of single reads, measured outside the timing.
  db.GoFirst();
  const long calls0 = CountingFile::calls;
  const long alloc0 = allocations.load();
  constexpr int kReads = 1000;
  for (int r = 0; r < kReads; ++r) benchmark::DoNotOptimize(db.ReadField(5));
  const long intCalls = CountingFile::calls - calls0;
  const long intAllocs = allocations.load() - alloc0;
  state.counters["calls/int-read"] = static_cast<double>(intCalls) / kReads;
  state.counters["allocs/int-read"] = static_cast<double>(intAllocs) / kReads;
  if (!memo) {
    const long calls1 = CountingFile::calls;
    for (int r = 0; r < kReads; ++r) benchmark::DoNotOptimize(db.ReadField(2));
    state.counters["calls/text-read"] = static_cast<double>(CountingFile::calls - calls1) / kReads;
  }
}
BENCHMARK(Walk)
    ->ArgsProduct({{1000, 10000, 100000}, {0, 1}})
    ->ArgNames({"records", "memo"})
    ->Unit(benchmark::kMillisecond);

void SequentialRead(benchmark::State& state) {
  const std::string& path = Book(state.range(0), state.range(1) != 0);
  const int fd = ::open(path.c_str(), O_RDONLY);
  std::vector<char> buffer(1 << 16);
  int64_t total = 0;
  for (auto _ : state) {
    off_t at = 0;
    for (;;) {
      const ssize_t n = ::pread(fd, buffer.data(), buffer.size(), at);
      if (n <= 0) break;
      at += n;
      total += n;
    }
  }
  ::close(fd);
  benchmark::DoNotOptimize(total);
}
BENCHMARK(SequentialRead)
    ->ArgsProduct({{1000, 10000, 100000}, {0, 1}})
    ->ArgNames({"records", "memo"})
    ->Unit(benchmark::kMillisecond);

void OpenForWriting(benchmark::State& state) {
  const std::string& path = Book(state.range(0), true);
  const bool noted = state.range(1) != 0;
  const std::string note = CleanMarkPath(path);
  { Database db; db.OpenDatabase(path); }  // closes clean: the note is written
  for (auto _ : state) {
    if (!noted) {
      state.PauseTiming();
      std::filesystem::remove(note);
      state.ResumeTiming();
    }
    auto db = std::make_unique<Database>();
    if (!db->OpenDatabase(path)) state.SkipWithError("the open failed");
    if (db->Current()->repairs().sideFileAudited == noted) state.SkipWithError("wrong kind of open");
    state.PauseTiming();  // the close (and its note) is not the open's
    db.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(OpenForWriting)
    ->ArgsProduct({{1000, 20000, 100000}, {0, 1}})
    ->ArgNames({"records", "noted"})
    ->Unit(benchmark::kMillisecond);

int Lock(int fd, short type, off_t start) {
  struct flock l;
  std::memset(&l, 0, sizeof l);
  l.l_type = type;
  l.l_whence = SEEK_SET;
  l.l_start = start;
  l.l_len = 1;
  return ::fcntl(fd, F_OFD_SETLK, &l);
}

// The walk's system calls and nothing else.
void BareLoop(benchmark::State& state) {
  const bool memo = state.range(1) != 0;
  const std::string& path = Book(state.range(0), memo);
  std::unique_ptr<RecordFile> layout;
  RecordFile::Open(path, Access::ReadOnly, Share::DenyNone, 0, nullptr, &layout);
  const int64_t first = layout->firstRecordOffset();
  const int64_t size = layout->recordSize();
  std::vector<std::pair<int64_t, int64_t>> fields;  // offset, width
  for (const FieldDescriptor& f : layout->fields()) fields.emplace_back(f.offset, f.Width());
  const int fd = ::open(path.c_str(), O_RDWR);
  const int side = memo ? ::open(SideFile::PathFor(path).c_str(), O_RDWR) : -1;
  char buffer[512];
  int64_t sum = 0;
  for (auto _ : state) {
    Lock(fd, F_WRLCK, 16);
    ::pread(fd, buffer, 4, 16);
    Lock(fd, F_UNLCK, 16);
    const int32_t k = GetInt32(buffer);
    for (int32_t i = 0; i < k; ++i) {
      const off_t record = static_cast<off_t>(first + i * size);
      for (std::size_t f = 0; f < fields.size(); ++f) {
        Lock(fd, F_WRLCK, record);
        ::pread(fd, buffer, static_cast<std::size_t>(fields[f].second), record + fields[f].first);
        if (memo && (f == 1 || f == 2)) {
          int32_t held = 0;
          for (int32_t b = GetInt32(buffer); b != 0;) {
            Lock(side, F_WRLCK, off_t{b} * 512);
            if (held != 0) Lock(side, F_UNLCK, off_t{held} * 512);
            held = b;
            ::pread(side, buffer, 512, off_t{b} * 512);
            sum += GetInt32(buffer + 8);
            b = GetInt32(buffer + 4);
          }
          if (held != 0) Lock(side, F_UNLCK, off_t{held} * 512);
        }
        Lock(fd, F_UNLCK, record);
        sum += buffer[0];
      }
      Lock(fd, F_WRLCK, 16);
      ::pread(fd, buffer, 4, 16);
      Lock(fd, F_UNLCK, 16);
    }
  }
  ::close(fd);
  if (side >= 0) ::close(side);
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BareLoop)
    ->ArgsProduct({{1000, 10000, 100000}, {0, 1}})
    ->ArgNames({"records", "memo"})
    ->Unit(benchmark::kMillisecond);

void Append10k(benchmark::State& state) {
  const bool memo = state.range(0) != 0;
  int run = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const std::string path = Dir() + "/append-" + std::to_string(run++) + ".EDB";
    RecordFile::Create(path, Fields(memo));
    std::vector<std::vector<Value>> values;
    for (int32_t i = 1; i <= 10000; ++i) values.push_back(WordValues(i));
    Database db;
    db.OpenDatabase(path);
    state.ResumeTiming();
    for (const auto& v : values) db.AddRecord(v);
    state.PauseTiming();
    std::filesystem::remove(path);
    std::filesystem::remove(SideFile::PathFor(path));
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(Append10k)->Arg(0)->Arg(1)->ArgName("memo")->Unit(benchmark::kMillisecond);

void Purge100k(benchmark::State& state) {
  const bool memo = state.range(0) != 0;
  const std::string& source = Book(100000, memo);
  const std::string path = Dir() + "/purge.EDB";
  {
    // Every tenth record marked, once, in a copy kept as the template.
    std::filesystem::copy_file(source, path + ".tpl",
                               std::filesystem::copy_options::overwrite_existing);
    if (memo) {
      std::filesystem::copy_file(SideFile::PathFor(source), SideFile::PathFor(path) + ".tpl",
                                 std::filesystem::copy_options::overwrite_existing);
    }
  }
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::copy_file(path + ".tpl", path,
                               std::filesystem::copy_options::overwrite_existing);
    if (memo) {
      std::filesystem::copy_file(SideFile::PathFor(path) + ".tpl", SideFile::PathFor(path),
                                 std::filesystem::copy_options::overwrite_existing);
    }
    Database db;
    db.OpenDatabase(path);
    for (int32_t n = 1; n <= 100000; n += 10) {
      db.GoTo(n);
      db.MarkDeleted();
    }
    state.ResumeTiming();
    if (!db.PurgeDeleted()) state.SkipWithError("purge failed");
    state.PauseTiming();
    if (db.RecordCount() != 90000) state.SkipWithError("wrong count after purge");
    state.ResumeTiming();
  }
}
BENCHMARK(Purge100k)->Arg(0)->Arg(1)->ArgName("memo")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cindral

BENCHMARK_MAIN();
