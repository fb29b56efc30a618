// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What changes to the word book cost, beside the floor of the same bytes
// written with bare pwrite (no locks, no journal, no sync) in the same run:
//  - Append: one word (memo text or fixed-length text) per item;
//  - FieldWrite: a number, or a memo text of the same length, per item;
//  - Shuffle4400: the word book's shuffle over 4,400 memo words (read two
//    words and two meanings, write them back swapped), each write on its
//    own or all in one whole-file scope, per item one swap;
//  - Open4400: a read-write open of a 4,400-word book, beside reading its
//    two files once;
//  - SyncFloor: one fdatasync after a 512-byte write, the unit every
//    journaled change pays a few times.
// Run with --benchmark_enable_random_interleaving=true and repetitions to
// get medians of interleaved rounds.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "TempDir.h"
#include "book/WordBookChanges.h"
#include "store/Bytes.h"
#include "store/Database.h"
#include "store/RecordFile.h"
#include "store/SideFile.h"
#include "store/WholeFileScope.h"
#include "store/WordRecord.h"

namespace cindral {
namespace {

const std::string& Dir() {
  static const test::TempDir dir("cindral-bench");
  return dir.path();
}

std::string Text(int32_t i, std::size_t length) {
  std::string s = "w" + std::to_string(i) + ":";
  while (s.size() < length) s += static_cast<char>('a' + (s.size() + i) % 26);
  return s.substr(0, length);
}

std::vector<Value> WordValues(int32_t i) {
  return {Value::Int(i / 44 + 1),
          Value::Text(Text(i, 12)),
          Value::Text(Text(i, 40)),
          Value::DateTime(45000 + i / 44),
          Value::Int(1),
          Value::Double(i)};
}

// A fresh book in its own files; removed when the next one is made.
std::string FreshBook(const std::string& name, bool memo) {
  const std::string path = Dir() + "/" + name + ".EDB";
  std::filesystem::remove(path);
  std::filesystem::remove(SideFile::PathFor(path));
  std::filesystem::remove(path + "-journal");
  RecordFile::Create(path, WordRecordFields(memo ? 0 : 24));
  return path;
}

void Append(benchmark::State& state) {
  const bool memo = state.range(0) != 0;
  const std::string path = FreshBook("append", memo);
  Database db;
  if (!db.OpenDatabase(path)) state.SkipWithError("open failed");
  int32_t i = 0;
  for (auto _ : state) {
    if (!db.AddRecord(WordValues(++i))) state.SkipWithError("append failed");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Append)->Arg(0)->Arg(1)->ArgName("memo");

// The bytes an append writes, with bare pwrite: the record and the header
// counters, and with memo text the two side-file blocks and their header.
void AppendFloor(benchmark::State& state) {
  const bool memo = state.range(0) != 0;
  const std::string path = Dir() + "/append-floor";
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0644);
  const int side = ::open((path + "-side").c_str(), O_RDWR | O_CREAT | O_TRUNC, 0644);
  char record[32] = {};
  char block[512] = {};
  off_t end = 548;
  off_t sideEnd = 512;
  for (auto _ : state) {
    if (memo) {
      benchmark::DoNotOptimize(::pwrite(side, block, sizeof block, sideEnd));
      benchmark::DoNotOptimize(::pwrite(side, block, sizeof block, sideEnd + 512));
      benchmark::DoNotOptimize(::pwrite(side, block, 32, 0));
      sideEnd += 1024;
    }
    benchmark::DoNotOptimize(::pwrite(fd, record, sizeof record, end));
    benchmark::DoNotOptimize(::pwrite(fd, record, 8, 16));
    end += 32;
  }
  ::close(fd);
  ::close(side);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(AppendFloor)->Arg(0)->Arg(1)->ArgName("memo");

// A book of `n` memo words, copied from a template made once.
std::string BookOf(int32_t n, const std::string& name) {
  const std::string tpl = Dir() + "/template-" + std::to_string(n) + ".EDB";
  if (!std::filesystem::exists(tpl)) {
    RecordFile::Create(tpl, WordRecordFields(0));
    Database db;
    db.OpenDatabase(tpl);
    for (int32_t i = 1; i <= n; ++i) db.AddRecord(WordValues(i));
  }
  const std::string path = Dir() + "/" + name + ".EDB";
  const auto overwrite = std::filesystem::copy_options::overwrite_existing;
  std::filesystem::copy_file(tpl, path, overwrite);
  std::filesystem::copy_file(SideFile::PathFor(tpl), SideFile::PathFor(path), overwrite);
  return path;
}

void FieldWrite(benchmark::State& state) {
  const bool memo = state.range(0) != 0;
  const std::string path = BookOf(4400, "field");
  Database db;
  if (!db.OpenDatabase(path)) state.SkipWithError("open failed");
  int32_t i = 0;
  for (auto _ : state) {
    db.GoTo(i % 4400 + 1);
    const bool ok = memo ? db.WriteField(kMeaning, Value::Text(Text(i, 40)))
                         : db.WriteField(kProficiency, Value::Int(i % 100 + 1));
    if (!ok) state.SkipWithError("write failed");
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(FieldWrite)->Arg(0)->Arg(1)->ArgName("memo");

void FieldWriteFloor(benchmark::State& state) {
  const std::string path = BookOf(4400, "field-floor");
  const int fd = ::open(path.c_str(), O_RDWR);
  char bytes[4] = {1, 0, 0, 0};
  int32_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(::pwrite(fd, bytes, sizeof bytes, 548 + (i % 4400) * 32 + 24));
    ++i;
  }
  ::close(fd);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(FieldWriteFloor);

// The store traffic of the main window's shuffle, swap by swap: the
// shuffle's own step over pairs from a fixed generator.
void SwapAll(Database& db) {
  uint32_t seed = 7;
  for (int32_t s = 0; s < 4400; ++s) {
    seed = seed * 214013u + 2531011u;
    const int32_t a = static_cast<int32_t>((seed >> 16) % 4400) + 1;
    const int32_t b = static_cast<int32_t>((seed >> 4) % 4400) + 1;
    SwapWords(db, a, b);
  }
}

// One whole shuffle of 4,400 words per iteration: 4,400 swaps, each write
// a change of its own (the shuffle as it was), or all of them in one
// whole-file scope (as the shuffle makes them now).
void Shuffle4400(benchmark::State& state) {
  const bool scoped = state.range(0) != 0;
  for (auto _ : state) {
    state.PauseTiming();
    const std::string path = BookOf(4400, "shuffle");
    {
      Database db;
      db.OpenDatabase(path);
      state.ResumeTiming();
      if (scoped) {
        WholeFileScope scope(db);
        SwapAll(db);
        if (!scope.End()) state.SkipWithError("shuffle failed");
      } else {
        SwapAll(db);
      }
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * 4400);
}
BENCHMARK(Shuffle4400)->Arg(0)->Arg(1)->ArgName("scope")->Unit(benchmark::kMillisecond);

// The shuffle's bytes with bare pread/pwrite: four blocks read and four
// written per swap.
void Shuffle4400Floor(benchmark::State& state) {
  const std::string path = BookOf(4400, "shuffle-floor");
  const int side = ::open(SideFile::PathFor(path).c_str(), O_RDWR);
  char block[512];
  for (auto _ : state) {
    uint32_t seed = 7;
    for (int32_t s = 0; s < 4400; ++s) {
      seed = seed * 214013u + 2531011u;
      const off_t a = (static_cast<off_t>((seed >> 16) % 4400) * 2 + 1) * 512;
      const off_t b = (static_cast<off_t>((seed >> 4) % 4400) * 2 + 1) * 512;
      for (const off_t at : {a, a + 512, b, b + 512}) {
        benchmark::DoNotOptimize(::pread(side, block, sizeof block, at));
      }
      for (const off_t at : {a, a + 512, b, b + 512}) {
        benchmark::DoNotOptimize(::pwrite(side, block, sizeof block, at));
      }
    }
  }
  ::close(side);
  state.SetItemsProcessed(state.iterations() * 4400);
}
BENCHMARK(Shuffle4400Floor)->Unit(benchmark::kMillisecond);

// A read-write open of a 4,400-word book (with its checks and the audit of
// the side file), beside reading both files once with bare pread.
void Open4400(benchmark::State& state) {
  const std::string path = BookOf(4400, "open");
  for (auto _ : state) {
    Database db;
    if (!db.OpenDatabase(path)) state.SkipWithError("open failed");
  }
}
BENCHMARK(Open4400)->Unit(benchmark::kMillisecond);

void Open4400Floor(benchmark::State& state) {
  const std::string path = BookOf(4400, "open-floor");
  std::vector<char> buffer(1 << 16);
  for (auto _ : state) {
    for (const std::string& file : {path, SideFile::PathFor(path)}) {
      const int fd = ::open(file.c_str(), O_RDONLY);
      off_t at = 0;
      for (ssize_t n; (n = ::pread(fd, buffer.data(), buffer.size(), at)) > 0;) at += n;
      ::close(fd);
    }
  }
}
BENCHMARK(Open4400Floor)->Unit(benchmark::kMillisecond);

void SyncFloor(benchmark::State& state) {
  const std::string path = Dir() + "/sync-floor";
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0644);
  char block[512] = {};
  for (auto _ : state) {
    benchmark::DoNotOptimize(::pwrite(fd, block, sizeof block, 0));
    benchmark::DoNotOptimize(::fdatasync(fd));
  }
  ::close(fd);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(SyncFloor);

}  // namespace
}  // namespace cindral

BENCHMARK_MAIN();
