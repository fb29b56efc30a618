// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The changes that write the word book and Config.ini together, cut by a
// power failure at every point. Each change runs once on a real folder
// through a file layer that records its writes, syncs, new names and
// renames (see CrashStates.h); then every state the disk may be left in is
// built from the record (every prefix of the operations, with any subset
// of those not yet made durable by a sync), put into a folder of its own,
// and opened as the next start opens it. The book (both its files) and
// Config.ini must then be, byte for byte, both as before the change or
// both as after it, and the journal must hold nothing more. A start of the
// program on a state whose Config.ini was already replaced must then plan
// the day as a start on the files before the change does.
//
// By default a few hundred states a change: every crash point, each with a
// share of its subsets (all of them when there are no more; else none,
// all, and others drawn at random). CINDRAL_CRASH_STATES=all is the long
// run: every subset of every point that has at most 1024 of them, and 1024
// drawn at random of a point that has more (a cut amid the sectors of the
// journal's or the book's large writes); CINDRAL_CRASH_STATES=<n> tries n
// subsets a point.

#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <random>
#include <set>

#include "CrashStates.h"
#include "TestWorld.h"
#include "book/LastImport.h"
#include "book/ProficiencySteps.h"
#include "book/TodaysWords.h"
#include "book/WordBookChanges.h"
#include "logic/MainWindowLogic.h"
#include "plan/DayPlan.h"
#include "store/WholeFileScope.h"

namespace cindral {
namespace {

using test::FolderFiles;
using test::WriteTrace;

constexpr double kDay1 = 45000.0;
const std::string kData = "单词本.EDB";
const std::string kSide = "单词本.EDT";
const std::string kJournal = "单词本.EDB-journal";
const std::string kSettings = "Config.ini";

// How many subsets of a crash point's pending operations to try; 0 for the
// default share.
uint64_t SubsetsPerPoint() {
  const char* text = std::getenv("CINDRAL_CRASH_STATES");
  if (text == nullptr || *text == '\0') return 0;
  if (std::string(text) == "all") return 1024;
  return std::max<uint64_t>(2, std::strtoull(text, nullptr, 10));
}

struct Change {
  const char* name;
  // Fills the book and the settings and sets the day, before the change.
  std::function<void(test::TestWorld&)> prepare;
  // The change; true when it reports success.
  std::function<bool(test::TestWorld&)> run;
  bool changesSettings = true;
};

// Three days of words, 30 a day, meanings of up to three side-file blocks.
void ThreeDays(test::TestWorld& world) {
  WholeFileScope scope(world.Db());
  for (int g = 1; g <= 3; ++g) {
    for (int w = 0; w < 30; ++w) {
      world.AddWord(g, "w" + std::to_string(g) + "_" + std::to_string(w), kDay1 + g - 1,
                    (g * 7 + w * 13) % 100 + 1,
                    std::string(static_cast<std::size_t>(w * 37 % 1100) + 1, 'm'));
    }
  }
  scope.End();
  world.WriteConfig("groupnumber", "3");
}

std::vector<NewWord> Imported(int n) {
  std::vector<NewWord> words;
  for (int i = 0; i < n; ++i) {
    words.push_back(
        {"new" + std::to_string(i), std::string(static_cast<std::size_t>(i * 71 % 1300) + 1, 'n')});
  }
  return words;
}

const std::vector<Change>& Changes() {
  static const std::vector<Change> changes = {
      {"the daily decay",
       [](test::TestWorld& w) {
         ThreeDays(w);
         w.WriteConfig("minus", "false");
       },
       [](test::TestWorld& w) { return DecayWordBook(w.Db(), *w.settings, w.State().DueList); }},
      {"a word entered on a new day",
       [](test::TestWorld& w) {
         ThreeDays(w);
         w.clock.Set(kDay1 + 3.5);
       },
       [](test::TestWorld& w) {
         return AddTodaysWords(w.Db(), *w.settings, kDay1 + 3, {{"apple", "苹果"}});
       }},
      {"an import on a new day",
       [](test::TestWorld& w) {
         ThreeDays(w);
         w.clock.Set(kDay1 + 3.5);
       },
       [](test::TestWorld& w) {
         return AddTodaysWords(w.Db(), *w.settings, kDay1 + 3, Imported(25));
       }},
      {"the undo of an import on a new day",
       [](test::TestWorld& w) {
         ThreeDays(w);
         w.clock.Set(kDay1 + 3.5);
         ImportTodaysWords(w.Db(), *w.settings, kDay1 + 3, Imported(25));
       },
       [](test::TestWorld& w) {
         return UndoLastImport(w.Db(), *w.settings) == UndoOutcome::Undone;
       }},
      {"the day's bonus",
       [](test::TestWorld& w) {
         ThreeDays(w);
         w.clock.Set(kDay1 + 2.5);
         w.WriteConfig("plus", "false");
         w.P().LoadCurrentGroup();
         ComputeDayPlan(w.P());
       },
       [](test::TestWorld& w) {
         return !w.State().DueList.empty() &&
                GiveLearningBonus(w.Db(), *w.settings, w.State().DueList) == BonusOutcome::Given;
       }},
      {"the reset",
       [](test::TestWorld& w) {
         ThreeDays(w);
         w.WriteConfig("reviewnumber", "7");
         w.WriteConfig("plus", "true");
       },
       [](test::TestWorld& w) { return ClearWordBook(w.Db(), *w.settings, false); }},
      {"a word's update", [](test::TestWorld& w) { ThreeDays(w); },
       [](test::TestWorld& w) {
         return RewriteWord(w.Db(), 47, "rewritten", std::string(1700, 'R'));
       },
       false},
  };
  return changes;
}

void PrintTo(const Change& change, std::ostream* os) { *os << change.name; }

class CrashStatesTest : public ::testing::TestWithParam<Change> {};

// The book and the settings as a start finds them; the journal apart.
struct Found {
  std::string data, side, settings;
  bool operator==(const Found& o) const {
    return data == o.data && side == o.side && settings == o.settings;
  }
};

Found Of(const FolderFiles& files) {
  auto get = [&](const std::string& name) {
    const auto it = files.find(name);
    return it == files.end() ? std::string("(none)") : it->second;
  };
  return {get(kData), get(kSide), get(kSettings)};
}

// Prepares the world for the change and runs it once, recorded by the
// returned trace; the book is closed again afterwards.
std::shared_ptr<WriteTrace> TracedRun(const Change& change, test::TestWorld& world) {
  world.WriteStandardPlanTable();
  world.WriteFreshConfig();
  world.OpenWordBook();
  change.prepare(world);
  world.Restart();

  auto trace = std::make_shared<WriteTrace>(world.dir.path());
  world.Db().SetFileSystem(trace->Files());
  world.OpenWordBook();
  world.P().LoadCurrentGroup();
  ComputeDayPlan(world.P());
  trace->Start();
  const bool ran = change.run(world);
  trace->Stop();
  world.Restart();  // the book closes
  EXPECT_TRUE(ran) << change.name << ": " << LastDatabaseError();
  return ran ? trace : nullptr;
}

TEST_P(CrashStatesTest, EveryStateAPowerCutLeavesOpensAsBeforeOrAfter) {
  const Change& change = GetParam();
  test::TestWorld world(kDay1 + 2.5);
  const std::shared_ptr<WriteTrace> trace = TracedRun(change, world);
  ASSERT_TRUE(trace);
  const FolderFiles after = test::ReadFolder(world.dir.path());
  const Found before = Of(trace->before());
  const Found whole = Of(after);
  ASSERT_NE(before.data + before.side, whole.data + whole.side) << change.name;
  ASSERT_EQ(before.settings != whole.settings, change.changesSettings) << change.name;
  // The record tells the whole story: all of it is the folder after.
  const std::vector<test::TracedOp>& ops = trace->ops();
  {
    const WriteTrace::Cut all = trace->CutAt(ops.size());
    EXPECT_TRUE(trace->StateAt(all, std::vector<bool>(all.pending.size(), true)) == after);
  }

  // The states are opened in memory when the system offers it: a start
  // that plays a journal back syncs, and a disk would make each sync wait.
  test::TempDir next("cindral-crash-state", ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "");
  const std::string book = Utf8ToGbk(next.File(kData));
  std::mt19937 draw(20240518);
  const uint64_t chosen = SubsetsPerPoint();
  const uint64_t perPoint = chosen != 0 ? chosen : std::max<uint64_t>(2, 800 / (ops.size() + 1));
  int64_t states = 0, old = 0, rolledBackSettings = 0;
  for (std::size_t end = 0; end <= ops.size(); ++end) {
    const WriteTrace::Cut cut = trace->CutAt(end);
    const std::size_t k = cut.pending.size();
    // Which subsets of the pending operations: all of them when few enough,
    // else none, all, and a random choice of the others.
    std::set<std::vector<bool>> subsets;
    if (k < 64 && (uint64_t{1} << k) <= perPoint) {
      for (uint64_t mask = 0; mask < (uint64_t{1} << k); ++mask) {
        std::vector<bool> held(k);
        for (std::size_t b = 0; b < k; ++b) held[b] = (mask >> b & 1) != 0;
        subsets.insert(held);
      }
    } else {
      subsets.insert(std::vector<bool>(k, false));
      subsets.insert(std::vector<bool>(k, true));
      while (subsets.size() < perPoint) {
        std::vector<bool> held(k);
        for (std::size_t b = 0; b < k; ++b) held[b] = draw() % 2 == 0;
        subsets.insert(held);
      }
    }
    for (const std::vector<bool>& held : subsets) {
      const FolderFiles state = trace->StateAt(cut, held);
      test::WriteFolder(next.path(), state);
      {
        Database db;
        ASSERT_TRUE(db.OpenDatabase(book)) << change.name << ", cut after " << end << " of "
                                           << ops.size() << ": " << LastDatabaseError();
      }
      const FolderFiles found = test::ReadFolder(next.path());
      const Found now = Of(found);
      ++states;
      if (now == before) {
        ++old;
        if (Of(state).settings == whole.settings) ++rolledBackSettings;
      } else {
        auto which = [](const std::string& found, const std::string& old, const std::string& made) {
          return found == old ? "as before" : found == made ? "as after" : "neither";
        };
        ASSERT_TRUE(now == whole) << change.name << ", cut after " << end << " of " << ops.size()
                                  << ": the data file " << which(now.data, before.data, whole.data)
                                  << ", the side file " << which(now.side, before.side, whole.side)
                                  << ", Config.ini "
                                  << which(now.settings, before.settings, whole.settings);
      }
      const auto journal = found.find(kJournal);
      ASSERT_TRUE(journal == found.end() || journal->second.compare(0, 8, "CINDRALJ") != 0)
          << change.name << ", cut after " << end << ": the journal still holds a change";
    }
  }
  std::printf("%s: %lld operations, %lld crash states (%lld as before, %lld as after)\n",
              change.name, static_cast<long long>(ops.size()), static_cast<long long>(states),
              static_cast<long long>(old), static_cast<long long>(states - old));
  // Cuts before the commit and after it were both among them; and where the
  // settings were already replaced, the start put them back.
  EXPECT_GT(old, 0);
  EXPECT_GT(states - old, 0);
  if (change.changesSettings) {
    EXPECT_GT(rolledBackSettings, 0) << change.name;
  }
}

// What a start makes of a folder: the day's plan, the counters it holds in
// memory, the messages it shows, and the files it leaves.
struct Start {
  std::vector<std::string> due;  // group, word, proficiency, serial of each entry
  int32_t reviewPosition = 0, currentGroup = 0;
  double reviewPhaseStart = 0;
  std::vector<std::string> shown;
  std::vector<test::StoredWord> words;
  std::string settings;
  bool operator==(const Start& o) const {
    return due == o.due && reviewPosition == o.reviewPosition && currentGroup == o.currentGroup &&
           reviewPhaseStart == o.reviewPhaseStart && shown == o.shown && words == o.words &&
           settings == o.settings;
  }
};

void PrintTo(const Start& s, std::ostream* os) {
  *os << "ReviewPosition " << s.reviewPosition << ", CurrentGroup " << s.currentGroup
      << ", ReviewPhaseStart " << s.reviewPhaseStart << ", " << s.due.size() << " due:";
  for (std::size_t i = 0; i < s.due.size() && i < 8; ++i) *os << " [" << s.due[i] << "]";
  *os << (s.due.size() > 8 ? " ..." : "") << "; shown:";
  for (const std::string& text : s.shown) *os << " \"" << text << "\"";
  *os << "; Config.ini: " << s.settings;
}

Start StartOn(test::TestWorld& world, const FolderFiles& files) {
  test::WriteFolder(world.dir.path(), files);
  world.Restart();
  world.prompter.shown.clear();
  MainWindowLogic logic(world.P());
  Start start;
  if (!logic.OnMainWindowCreated()) return start;
  logic.OnMainWindowShown();
  for (const DueEntry& e : world.State().DueList) {
    start.due.push_back(std::to_string(e.GroupNumber) + " " + GbkToUtf8(e.Word) + " " +
                        std::to_string(e.Proficiency) + " " + std::to_string(e.SerialNumber));
  }
  start.reviewPosition = world.P().ReviewPosition();
  start.currentGroup = world.P().CurrentGroup();
  start.reviewPhaseStart = world.State().ReviewPhaseStart;
  start.shown = world.prompter.Texts();
  start.words = test::StoredWords(world.Db());
  start.settings = test::ReadFolder(world.dir.path())[kSettings];
  return start;
}

// A power cut after the new Config.ini has taken its name and before the
// change committed: the start's open plays the journal back, which puts
// the old Config.ini back. The start must then go by the files as they are
// now, exactly as a start on the same files that never saw the change.
TEST_P(CrashStatesTest, AStartCutAfterTheSettingsWereReplacedGoesByTheFilesAsRolledBack) {
  const Change& change = GetParam();
  if (!change.changesSettings) GTEST_SKIP() << change.name << " leaves Config.ini alone";
  test::TestWorld world(kDay1 + 2.5);
  const std::shared_ptr<WriteTrace> trace = TracedRun(change, world);
  ASSERT_TRUE(trace);
  const std::vector<test::TracedOp>& ops = trace->ops();
  const auto renamed = std::find_if(ops.begin(), ops.end(), [](const test::TracedOp& op) {
    return op.kind == test::TracedOp::Kind::Rename && op.to == kSettings;
  });
  ASSERT_NE(renamed, ops.end()) << change.name;
  // Everything up to the rename reached the disk.
  const WriteTrace::Cut cut = trace->CutAt(static_cast<std::size_t>(renamed - ops.begin()) + 1);
  const FolderFiles cutShort = trace->StateAt(cut, std::vector<bool>(cut.pending.size(), true));
  ASSERT_NE(Of(cutShort).settings, Of(trace->before()).settings) << change.name;
  ASSERT_EQ(cutShort.at(kJournal).compare(0, 8, "CINDRALJ"), 0) << change.name;

  const Start afterTheCut = StartOn(world, cutShort);
  const Start neverChanged = StartOn(world, trace->before());
  EXPECT_EQ(afterTheCut, neverChanged) << change.name;
}

INSTANTIATE_TEST_SUITE_P(Changes, CrashStatesTest, ::testing::ValuesIn(Changes()),
                         [](const ::testing::TestParamInfo<Change>& info) {
                           std::string name;
                           for (const char c : std::string(info.param.name)) {
                             if (std::isalnum(static_cast<unsigned char>(c))) name += c;
                           }
                           return name;
                         });

}  // namespace
}  // namespace cindral
