// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The book's move to another folder, killed at any moment: the learner's
// files in the old folder stay as they were, and a new folder is kept for
// later starts only once it holds the whole book.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "FileBytes.h"
#include "TestWorld.h"
#include "core/UserConfiguration.h"
#include "logic/DataFolderChange.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

namespace fs = std::filesystem;
using test::Slurp;
using test::TestWorld;

TEST(DataFolderChangeTest, AMoveKilledAnywhereLeavesTheOldFolderAsItWas) {
  const char* const kFiles[] = {"单词本.EDB", "单词本.EDT", "Config.ini", "艾宾浩斯.txt"};
  int moved = 0;
  for (int round = 0; round < 40; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    TestWorld world;
    world.WriteStandardPlanTable();
    world.WriteFreshConfig();
    world.OpenWordBook();
    for (int i = 0; i < 300; ++i) {
      world.AddWord(1 + i / 50, "word" + std::to_string(i), 45000.0 - 10 + i / 50);
    }
    world.Restart();
    const fs::path home = world.dir.path();
    std::map<std::string, std::string> before;
    for (const char* name : kFiles) before[name] = Slurp((home / name).string());
    test::TempDir config;
    test::TempDir elsewhere;
    const fs::path target = fs::path(elsewhere.path()) / "Sync";
    fs::create_directory(target);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      world.OpenWordBook();
      world.P().SetConfigDirectory(Utf8ToGbk(config.path()));
      world.shell.chosenFolders = {target.string()};
      world.prompter.answers = {true};
      ChangeDataFolder(world.P());
      ::_exit(world.P().EndRequested() ? 0 : 1);
    }
    // From at once to after the move, in steps.
    std::this_thread::sleep_for(std::chrono::microseconds(round * 2500));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    if (WIFEXITED(status)) ASSERT_EQ(WEXITSTATUS(status), 0);

    for (const char* name : kFiles) {
      EXPECT_TRUE(Slurp((home / name).string()) == before[name]) << name;
    }
    const std::string chosen = ChosenDataFolder(Utf8ToGbk(config.path()));
    if (chosen.empty()) continue;
    ++moved;
    EXPECT_EQ(chosen, Utf8ToGbk(target.string()));
    for (const char* name : kFiles) {
      EXPECT_TRUE(Slurp((target / name).string()) == before[name]) << name;
    }
  }
  // The later rounds let the move finish.
  EXPECT_GT(moved, 0);
}

}  // namespace
}  // namespace cindral
