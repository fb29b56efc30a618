// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Conflict copies that sync tools leave beside the book: which names are
// found and how they form sets; and the learner's choice, finished whole by
// the next start wherever a crash cut it short, with nothing lost.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "FileBytes.h"
#include "TempDir.h"
#include "core/ConflictChoice.h"
#include "core/ConflictCopies.h"
#include "store/DateTime.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

namespace fs = std::filesystem;
using test::Slurp;

void Put(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

TEST(ConflictCopiesTest, TheSyncToolsNamesFormSetsOfOneConflictEach) {
  test::TempDir dir;
  const fs::path d = dir.path();
  for (const char* name : {
           "单词本.sync-conflict-20261210-081500-ABCDEFG.EDB",
           "单词本.sync-conflict-20261210-081500-ABCDEFG.EDT",
           "Config.sync-conflict-20261210-081500-ABCDEFG.ini",
           "单词本 (conflicted copy 2026-12-10 081500).EDB",
           "单词本 (conflicted copy 2026-12-10 081500).edt",
           "Config (conflicted copy 2026-12-07 101010).ini",
           "单词本.sync-conflict-20261209-070000-ZZZZZZZ.EDT",  // its book is missing
           "单词本.sync-conflict-20261208-070000-YYYYYYY.EDB",  // its side file is missing
           // Not conflict copies.
           "单词本.EDB",
           "单词本.sync-conflict-2026121-081500-ABCDEFG.EDB",
           "单词本.sync-conflict-20261210-081500-abcdefg.EDB",
           "notes.sync-conflict-20261210-081500-ABCDEFG.txt",
           "单词本 (conflicted copy 2026-12-10).EDB",
           "单词本 (conflicted copy 2026-12-10 081500).EDB-journal",
       }) {
    Put(d / name, "x");
  }
  fs::create_directory(d / "单词本.sync-conflict-20261211-081500-ABCDEFG.EDB");
  const std::vector<ConflictSet> sets = FindConflictCopies(Utf8ToGbk(dir.path()));
  std::map<std::string, std::string> found;  // tag: book|side|settings|whole
  for (const ConflictSet& s : sets) {
    found[GbkToUtf8(s.tag)] = GbkToUtf8(s.book) + "|" + GbkToUtf8(s.side) + "|" +
                              GbkToUtf8(s.settings) + "|" + (s.Whole(true) ? "whole" : "not whole");
  }
  const std::map<std::string, std::string> expected = {
      {"conflicted copy 2026-12-07 101010",
       "||Config (conflicted copy 2026-12-07 101010).ini|whole"},
      {"conflicted copy 2026-12-10 081500",
       "单词本 (conflicted copy 2026-12-10 081500).EDB|单词本 (conflicted copy 2026-12-10 "
       "081500).edt||whole"},
      {"sync-conflict-20261208-070000-YYYYYYY",
       "单词本.sync-conflict-20261208-070000-YYYYYYY.EDB|||not whole"},
      {"sync-conflict-20261209-070000-ZZZZZZZ",
       "|单词本.sync-conflict-20261209-070000-ZZZZZZZ.EDT||not whole"},
      {"sync-conflict-20261210-081500-ABCDEFG",
       "单词本.sync-conflict-20261210-081500-ABCDEFG.EDB|单词本.sync-conflict-20261210-081500-"
       "ABCDEFG.EDT|Config.sync-conflict-20261210-081500-ABCDEFG.ini|whole"},
  };
  EXPECT_EQ(found, expected);
}

// The files of a data folder, backups included: relative name -> contents.
std::map<std::string, std::string> FilesIn(const fs::path& d) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(d)) {
    if (e.is_regular_file()) files[fs::relative(e.path(), d).string()] = Slurp(e.path().string());
  }
  return files;
}

TEST(ConflictChoiceTest, AChoiceCutShortAnywhereIsFinishedWholeByTheNextStart) {
  const std::string tag = "sync-conflict-20261210-081500-ABCDEFG";
  const std::map<std::string, std::string> mine = {{"单词本.EDB", "my book"},
                                                   {"单词本.EDT", "my side"},
                                                   {"Config.ini", "my settings"},
                                                   {"单词本.EDB-import", "my last import"}};
  const std::map<std::string, std::string> copy = {{"单词本." + tag + ".EDB", "their book"},
                                                   {"单词本." + tag + ".EDT", "their side"},
                                                   {"Config." + tag + ".ini", "their settings"}};
  const double now = MakeDateTime(2026, 12, 10, 9, 0, 0);
  for (const bool keepCopy : {false, true}) {
    bool finished = false;
    for (int stop = 0; !finished; ++stop) {
      SCOPED_TRACE(std::string(keepCopy ? "the copy kept" : "the learner's kept") +
                   ", stopped before step " + std::to_string(stop));
      ASSERT_LT(stop, 50);
      test::TempDir dir;
      const fs::path d = dir.path();
      std::map<std::string, std::string> all;
      for (const auto* files : {&mine, &copy}) {
        for (const auto& [name, text] : *files) {
          Put(d / name, text);
          all[name] = text;
        }
      }
      const std::vector<ConflictSet> sets = FindConflictCopies(Utf8ToGbk(dir.path()));
      ASSERT_EQ(sets.size(), 1u);
      {
        ConflictChoice choice(Utf8ToGbk(dir.path()));
        choice.SetStepHook([stop](int step) { return step < stop; });
        std::string aside;
        std::string reason;
        finished = choice.Carry(sets[0], keepCopy, now, &aside, &reason);
        if (finished) EXPECT_EQ(GbkToUtf8(aside), "backups/2026-12-10_090000-conflict");
      }
      std::string reason;
      ASSERT_TRUE(ConflictChoice(Utf8ToGbk(dir.path())).FinishCutShort(&reason))
          << GbkToUtf8(reason);
      // Every file is still there, under one name or another, and no
      // choice is left half done.
      std::map<std::string, std::string> now = FilesIn(d);
      std::multiset<std::string> before, after;
      for (const auto& [name, text] : all) before.insert(text);
      for (const auto& [name, text] : now) {
        if (name.find("moves.txt") == std::string::npos) after.insert(text);
        EXPECT_EQ(name.find(".partial"), std::string::npos) << name;
      }
      EXPECT_EQ(after, before);
      // The book, its side file and its settings belong together.
      const std::string book = now["单词本.EDB"];
      const bool theirs = book == "their book";
      EXPECT_TRUE(theirs || book == "my book") << book;
      EXPECT_EQ(now["单词本.EDT"], theirs ? "their side" : "my side");
      EXPECT_EQ(now["Config.ini"], theirs ? "their settings" : "my settings");
      // The last import's note goes with the book it belongs to.
      EXPECT_EQ(now.count("单词本.EDB-import"), theirs ? 0u : 1u);
      if (finished) {
        EXPECT_EQ(theirs, keepCopy);
        const std::string aside = "backups/2026-12-10_090000-conflict/";
        EXPECT_EQ(now[aside + (keepCopy ? "单词本.EDB" : "单词本." + tag + ".EDB")],
                  keepCopy ? "my book" : "their book");
        EXPECT_TRUE(FindConflictCopies(Utf8ToGbk(dir.path())).empty());
      }
    }
  }
}

}  // namespace
}  // namespace cindral
