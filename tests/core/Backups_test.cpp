// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Backups of the word book and the settings file: named by the time they
// were taken, holding the files as they were, complete or absent (a copy
// that fails leaves no folder, and what a killed backup left goes), the
// newest 14 kept and nothing else in the folder touched.

#include "core/Backups.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "Children.h"
#include "RunningProgram.h"
#include "TestWorld.h"
#include "store/RecordFile.h"
#include "store/WholeFileScope.h"

namespace cindral {
namespace {

namespace fs = std::filesystem;
using test::Slurp;
using test::TestWorld;

constexpr double kDay = 45000.0;  // 2023-03-15
constexpr double kSecond = 1.0 / 86400;

class BackupsTest : public ::testing::Test {
 protected:
  BackupsTest() {
    world.WriteFreshConfig();
    world.OpenWordBook();
    world.AddWord(1, "apple", kDay, 1, "苹果");
  }
  bool Take(double now) {
    reason.clear();
    return backups.Take(world.Db(), world.settings->Path(), now, &reason);
  }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  TestWorld world{kDay};
  Backups backups{Utf8ToGbk(world.dir.path())};
  const std::string folder = world.dir.File("backups");
  std::string reason;
};

TEST_F(BackupsTest, ABackupHoldsTheBookItsSideFileAndTheSettingsAsTheyWere) {
  const double now = kDay + (13 * 3600 + 5 * 60 + 9) * kSecond;
  ASSERT_TRUE(Take(now)) << GbkToUtf8(reason);
  EXPECT_EQ(backups.List(), std::vector<std::string>{"2023-03-15_130509"});
  const std::string taken = folder + "/2023-03-15_130509";
  for (const char* file : {"单词本.EDB", "单词本.EDT", "Config.ini"}) {
    EXPECT_EQ(Slurp(taken + "/" + file), Slurp(world.dir.File(file))) << file;
  }
  // The book changes afterwards; the backup does not.
  const std::string before = Slurp(taken + "/单词本.EDB");
  world.AddWord(1, "pear", kDay, 1, "梨");
  EXPECT_EQ(Slurp(taken + "/单词本.EDB"), before);
  EXPECT_NE(Slurp(world.dir.File("单词本.EDB")), before);
  EXPECT_TRUE(backups.TakenOn(kDay));
  EXPECT_FALSE(backups.TakenOn(kDay + 1));
}

TEST_F(BackupsTest, TwoBackupsInOneSecondGetNamesOfTheirOwn) {
  ASSERT_TRUE(Take(kDay));
  ASSERT_TRUE(Take(kDay));
  EXPECT_EQ(backups.List(), (std::vector<std::string>{"2023-03-15_000000", "2023-03-15_000000-2"}));
}

TEST_F(BackupsTest, TheNewest14AreKeptAndNothingElseInTheFolderIsTouched) {
  fs::create_directories(folder + "/my notes");
  std::ofstream(folder + "/readme.txt") << "mine";
  for (int day = 0; day < 16; ++day) ASSERT_TRUE(Take(kDay + day));
  const std::vector<std::string> kept = backups.List();
  ASSERT_EQ(kept.size(), 14u);
  EXPECT_EQ(kept.front(), "2023-03-17_000000");
  EXPECT_EQ(kept.back(), "2023-03-30_000000");
  EXPECT_TRUE(fs::exists(folder + "/my notes"));
  EXPECT_EQ(Slurp(folder + "/readme.txt"), "mine");
}

TEST_F(BackupsTest, ACopyThatFailsLeavesNoBackupFolder) {
  // A settings "file" that cannot be read as one (a folder, or a pipe that
  // nobody writes, which must not keep the backup waiting): the book is
  // copied, the settings are not, and the half-made backup goes. Taken in
  // a child that is killed when it waits.
  const std::string settings = world.dir.File("Settings-odd");
  const std::function<void()> makes[] = {
      [&] { fs::create_directories(settings); },
      [&] { ASSERT_EQ(::mkfifo(settings.c_str(), 0600), 0); },
  };
  for (const auto& make : makes) {
    fs::remove_all(settings);
    make();
    const std::optional<int> status = test::RunInChildWithin(std::chrono::seconds(10), [&] {
      if (backups.Take(world.Db(), Utf8ToGbk(settings), kDay, &reason)) return 1;
      return GbkToUtf8(reason).find("Settings-odd") == std::string::npos ? 2 : 0;
    });
    ASSERT_TRUE(status.has_value()) << "the backup waited on the settings";
    EXPECT_EQ(*status, 0);
    EXPECT_TRUE(Entries().empty());
    EXPECT_FALSE(backups.TakenOn(kDay));
  }
}

TEST_F(BackupsTest, WhatABackupKilledHalfwayLeftIsClearedByTheNext) {
  fs::create_directories(folder + "/.partial-2023-03-14_235959");
  std::ofstream(folder + "/.partial-2023-03-14_235959/单词本.EDB") << "half";
  ASSERT_TRUE(Take(kDay));
  EXPECT_EQ(Entries(), std::vector<std::string>{"2023-03-15_000000"});
  EXPECT_FALSE(backups.TakenOn(kDay - 1));  // a partial backup never counted
}

TEST_F(BackupsTest, ABackupIsNotTakenWhileAnotherProgramIsChangingTheBook) {
  // Another program holds the book for a change of its own, longer than a
  // backup waits: the backup gives up and leaves nothing.
  Database other;
  ASSERT_TRUE(other.OpenDatabase(Utf8ToGbk(world.dir.File("单词本.EDB"))));
  WholeFileScope change(other);
  ASSERT_TRUE(change.ok());
  EXPECT_FALSE(Take(kDay));
  EXPECT_NE(GbkToUtf8(reason).find("占用"), std::string::npos) << GbkToUtf8(reason);
  EXPECT_TRUE(Entries().empty());
  ASSERT_TRUE(change.End());
  EXPECT_TRUE(Take(kDay));
}

TEST_F(BackupsTest, AFolderThatCannotBeMadeIsReported) {
  std::ofstream(folder) << "a file where the folder should be";
  EXPECT_FALSE(Take(kDay));
  EXPECT_FALSE(reason.empty());
  EXPECT_FALSE(backups.MakeFolder());
}

TEST_F(BackupsTest, ABookWithoutSideFileIsBackedUpWithoutOne) {
  test::TempWorkDir dir("cindral-fixed");
  ASSERT_EQ(RecordFile::Create(Utf8ToGbk(dir.File("单词本.EDB")), WordRecordFields(20)), 0);
  Database db;
  ASSERT_TRUE(db.OpenDatabase(GBK("单词本")));
  Backups fixed(Utf8ToGbk(dir.path()));
  ASSERT_TRUE(fixed.Take(db, Utf8ToGbk(dir.File("Config.ini")), kDay, &reason));
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir.File("backups/2023-03-15_000000"))) {
    names.push_back(e.path().filename());
  }
  EXPECT_EQ(names, std::vector<std::string>{"单词本.EDB"});
}

}  // namespace
}  // namespace cindral
