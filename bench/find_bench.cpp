// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The find bar's search over a listing of 100,000 words (about 3 MB), beside
// the floor of a bare memmem pass that counts the same bytes. Each round is a
// new query: one full pass that finds, checks and counts every match (and,
// for a search that ignores case, first folds the text, as the bar's first
// such search does); FindAgain is the same search on a text already folded.
//   build/bench/find_bench

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "logic/ListingFind.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

constexpr int kWords = 100000;

// A listing as the window builds it: "12.  word   释义→35%" and CR LF, with
// made-up words of a few syllables and meanings from a small list.
const std::string& Listing() {
  static const std::string text = [] {
    const char* syllables[] = {"ap", "ple",  "ba", "na",  "con", "struct", "pine", "tion",
                               "re", "mark", "in", "ter", "est", "ing",    "ex",   "port"};
    const char* meanings[] = {"苹果",       "香蕉",       "建造；构造", "菠萝",       "有趣的",
                              "出口；输出", "评论；注意", "苹果树",     "兴趣；利息", "n. 标记"};
    std::string listing;
    unsigned seed = 12345;
    for (int i = 1; i <= kWords; ++i) {
      std::string word;
      for (int s = 0; s < 2 + i % 3; ++s) {
        seed = seed * 1103515245u + 12345u;
        word += syllables[(seed >> 16) % 16];
      }
      listing += std::to_string(i) + ".  " + word + "   " + Utf8ToGbk(meanings[i % 10]) +
                 Utf8ToGbk("→") + std::to_string(i % 101) + "%\r\n";
    }
    return listing;
  }();
  return text;
}

void MemmemFloor(benchmark::State& state, const char* utf8) {
  const std::string& text = Listing();
  const std::string query = Utf8ToGbk(utf8);
  std::size_t count = 0;
  for (auto _ : state) {
    count = 0;
    for (const char *at = text.data(), *end = text.data() + text.size();;) {
      const void* hit = memmem(at, std::size_t(end - at), query.data(), query.size());
      if (hit == nullptr) break;
      ++count;
      at = static_cast<const char*>(hit) + query.size();
    }
    benchmark::DoNotOptimize(count);
  }
  state.counters["matches"] = double(count);
  state.counters["MB"] = double(text.size()) / 1e6;
}

void Find(benchmark::State& state, const char* utf8, FindOptions options) {
  const std::string& text = Listing();
  const std::string query = Utf8ToGbk(utf8);
  FindMatch match;
  for (auto _ : state) {
    ListingFind find(text);
    match = find.Next(query, options, 0);
    benchmark::DoNotOptimize(match);
  }
  state.counters["matches"] = double(match.count);
}

// The searches while a query is typed: the text folded once, then one pass
// a keystroke.
void FindAgain(benchmark::State& state, const char* utf8, FindOptions options) {
  const std::string& text = Listing();
  const std::string queries[] = {Utf8ToGbk(utf8), Utf8ToGbk(utf8) + " "};
  ListingFind find(text);
  FindMatch match;
  int round = 0;
  for (auto _ : state) {
    match = find.Next(queries[round++ % 2], options, 0);
    benchmark::DoNotOptimize(match);
  }
  state.counters["matches"] = double(match.count);
}

BENCHMARK_CAPTURE(MemmemFloor, apple, "apple")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Find, apple_case, "apple", FindOptions{false, true})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Find, apple_any_case, "APPLE", FindOptions{false, false})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindAgain, apple_any_case, "APPLE", FindOptions{false, false})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MemmemFloor, meaning, "苹果")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Find, meaning_whole_word, "苹果", FindOptions{true, true})
    ->Unit(benchmark::kMillisecond);
// A single common letter: hundreds of thousands of candidates to check.
BENCHMARK_CAPTURE(MemmemFloor, letter, "e")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Find, letter_whole_word, "e", FindOptions{true, true})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cindral

BENCHMARK_MAIN();
