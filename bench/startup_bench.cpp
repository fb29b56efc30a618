// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The work of a program start on a big word book: open the word database,
// compute today's plan, run the daily decay.

#include <benchmark/benchmark.h>

#include "TestWorld.h"
#include "plan/DayPlan.h"

namespace cindral {
namespace {

constexpr double kDay1 = 45000.0;

// A word book of `groups` groups of `perGroup` words, group g entered on day g.
std::unique_ptr<test::TestWorld> MakeBook(int groups, int perGroup) {
  auto world = std::make_unique<test::TestWorld>(kDay1);
  world->WriteStandardPlanTable();
  world->WriteFreshConfig();
  world->OpenWordBook();
  for (int g = 1; g <= groups; ++g) {
    for (int w = 0; w < perGroup; ++w) {
      world->AddWord(g, "word" + std::to_string(g) + "_" + std::to_string(w), kDay1 + g - 1, 50,
                     "释义" + std::to_string(w));
    }
  }
  world->WriteConfig("groupnumber", std::to_string(groups));
  return world;
}

// One start on `today`, as a new process would do it (decay due).
void Start(benchmark::State& state, int groups, int perGroup, double today) {
  auto world = MakeBook(groups, perGroup);
  world->clock.Set(today);
  for (auto _ : state) {
    world->WriteConfig("minus", "false");
    world->Restart();
    world->OpenWordBook();
    world->P().LoadCurrentGroup();
    ComputeDayPlan(world->P());
    DecayProficiency(world->P());
    benchmark::DoNotOptimize(world->State().DueList.size());
  }
  state.counters["words"] = groups * perGroup;
  state.counters["due"] = static_cast<double>(world->State().DueList.size());
}

// A full course: 100 groups of 44 words, on the last review day.
void BM_StartFullCourseReviewDay(benchmark::State& state) {
  Start(state, 100, 44, kDay1 + 88 + 11);
}
// The same book on learning day 88 (plan table line 88).
void BM_StartFullCourseLearningDay(benchmark::State& state) { Start(state, 88, 50, kDay1 + 87); }
// 20,000 words on a learning day.
void BM_Start20000Words(benchmark::State& state) { Start(state, 80, 250, kDay1 + 79); }

BENCHMARK(BM_StartFullCourseReviewDay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartFullCourseLearningDay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Start20000Words)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cindral

BENCHMARK_MAIN();
