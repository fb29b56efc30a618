// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A word's Chinese meanings once the index is open, beside the floor of a
// bare binary search over the same keys in memory (std::lower_bound over
// sorted strings): the index's own search (MeaningIndex::Find) over an
// index of 150,000 keys made here, and the whole lookup a window asks for
// (ChineseMeanings::Lookup: the word and the words its regular endings leave,
// merged and cut) over the index the build made, when it made one; with
// the time that index takes to open. The goal: a lookup under 1 ms.
//   build/bench/meanings_bench

#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "TempDir.h"
#include "lookup/ChineseMeanings.h"
#include "lookup/MeaningIndex.h"
#include "lookup/MeaningIndexWriter.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

constexpr int kKeys = 150000;

// Made-up English keys of a few syllables, each with three meanings.
const std::vector<std::string>& Keys() {
  static const std::vector<std::string> keys = [] {
    const char* syllables[] = {"ap", "ple",  "ba", "na",  "con", "struct", "pine", "tion",
                               "re", "mark", "in", "ter", "est", "ing",    "ex",   "port"};
    std::vector<std::string> made;
    unsigned seed = 12345;
    while (made.size() < kKeys) {
      std::string key;
      for (int s = 0; s < 2 + int(made.size() % 4); ++s) {
        seed = seed * 1103515245u + 12345u;
        key += syllables[(seed >> 16) % 16];
      }
      made.push_back(key + std::to_string(made.size()));
    }
    std::sort(made.begin(), made.end());
    return made;
  }();
  return keys;
}

// The queries: keys from all over the table, and one in eight missing.
std::vector<std::string> Queries() {
  std::vector<std::string> queries;
  for (int i = 0; i < 1024; ++i) {
    const std::string& key = Keys()[(static_cast<std::size_t>(i) * 7919) % Keys().size()];
    queries.push_back(i % 8 == 7 ? key + "x" : key);
  }
  return queries;
}

struct MadeIndex {
  test::TempDir dir{"cindral-meanings-bench"};
  MeaningIndex index;
  MadeIndex() {
    std::map<std::string, std::vector<IndexedMeaning>> keys;
    const std::string words[] = {GBK("苹果"), GBK("构造"), GBK("兴趣"), GBK("出口")};
    for (std::size_t i = 0; i < Keys().size(); ++i) {
      for (int m = 0; m < 3; ++m)
        keys[Keys()[i]].push_back({words[(i + m) % 4], GBK("píng guǒ"), 700 - m, 0});
    }
    std::ofstream(dir.File("meanings.idx"), std::ios::binary) << WriteMeaningIndex(keys, "");
    index.Open(Utf8ToGbk(dir.File("meanings.idx")));
  }
};

MadeIndex& Made() {
  static MadeIndex made;
  return made;
}

void BinarySearchFloor(benchmark::State& state) {
  const std::vector<std::string>& keys = Keys();
  const std::vector<std::string> queries = Queries();
  std::size_t i = 0, found = 0;
  for (auto _ : state) {
    const std::string& query = queries[i++ % queries.size()];
    const auto at = std::lower_bound(keys.begin(), keys.end(), query);
    found += at != keys.end() && *at == query;
    benchmark::DoNotOptimize(found);
  }
  state.counters["keys"] = double(keys.size());
}

void IndexFind(benchmark::State& state) {
  const MeaningIndex& index = Made().index;
  if (!index.IsOpen()) return state.SkipWithError("the index made here did not open");
  const std::vector<std::string> queries = Queries();
  std::size_t i = 0, found = 0;
  for (auto _ : state) {
    found += index.Find(queries[i++ % queries.size()]).size();
    benchmark::DoNotOptimize(found);
  }
  state.counters["keys"] = double(index.KeyCount());
}

bool HaveRealIndex(benchmark::State& state) {
  struct stat st;
  if (::stat(CINDRAL_MEANINGS_INDEX, &st) == 0) return true;
  state.SkipWithError("no index at " CINDRAL_MEANINGS_INDEX " (make meanings-index)");
  return false;
}

// Common words, inflected forms among them, and a word no index holds.
const char* const kWords[] = {"apple",    "running",  "geese", "beautiful", "environment",
                              "went",     "children", "happy", "computer",  "zzyzx",
                              "although", "studies",  "book",  "Apple",     "ice cream"};

void RealLookup(benchmark::State& state) {
  if (!HaveRealIndex(state)) return;
  ChineseMeanings meanings({CINDRAL_MEANINGS_INDEX});
  if (!meanings.Available()) return state.SkipWithError("the index did not open");
  std::size_t i = 0, found = 0;
  for (auto _ : state) {
    found += meanings.Lookup(kWords[i++ % std::size(kWords)]).size();
    benchmark::DoNotOptimize(found);
  }
}

void RealOpen(benchmark::State& state) {
  if (!HaveRealIndex(state)) return;
  for (auto _ : state) {
    MeaningIndex index;
    if (index.Open(CINDRAL_MEANINGS_INDEX) != MeaningIndexStatus::kOpen) {
      return state.SkipWithError("the index did not open");
    }
    benchmark::DoNotOptimize(index.KeyCount());
  }
}

BENCHMARK(BinarySearchFloor);
BENCHMARK(IndexFind);
BENCHMARK(RealLookup)->Unit(benchmark::kMicrosecond);
BENCHMARK(RealOpen)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cindral

BENCHMARK_MAIN();
