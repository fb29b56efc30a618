// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The application object's write-through of the counters and flags: a
// settings write that fails is told to the learner once a run, and the
// program goes on.

#include "core/Program.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "TestWorld.h"
#include "core/IniFile.h"

namespace cindral {
namespace {

class ProgramTest : public ::testing::Test {
 protected:
  void TearDown() override { SetProfileRenameForTesting(nullptr); }
  static void FailEveryWrite() {
    SetProfileRenameForTesting([](const char*, const char*) {
      errno = EROFS;
      return -1;
    });
  }

  test::TestWorld world_;
};

TEST_F(ProgramTest, AFailedSettingsWriteIsToldOnceARunAndTheProgramGoesOn) {
  world_.WriteFreshConfig();
  world_.WriteConfig("minus", "true");
  FailEveryWrite();
  world_.P().SetReviewPosition(7);
  world_.P().ResetDailyFlags();
  ASSERT_EQ(world_.prompter.shown.size(), 1u);
  const Message& box = world_.prompter.shown.front();
  EXPECT_EQ(GbkToUtf8(box.text), "设置保存失败，请检查程序目录是否可写！");
  EXPECT_EQ(GbkToUtf8(box.caption), "出错了");
  EXPECT_EQ(box.icon, MessageIcon::Error);
  EXPECT_FALSE(box.yesNo);
  // The program keeps its own values; the file keeps the old ones.
  EXPECT_EQ(world_.P().ReviewPosition(), 7);
  EXPECT_EQ(world_.Config("reviewnumber"), "1");
  EXPECT_FALSE(world_.P().DecayDue());

  // Writes work again: nothing more is shown.
  SetProfileRenameForTesting(nullptr);
  world_.P().SetReviewPosition(8);
  EXPECT_EQ(world_.Config("reviewnumber"), "8");
  EXPECT_EQ(world_.prompter.shown.size(), 1u);
  // A new run tells again.
  world_.Restart();
  FailEveryWrite();
  world_.P().SetReviewPosition(9);
  EXPECT_EQ(world_.prompter.shown.size(), 2u);
}

TEST_F(ProgramTest, WritesThatSucceedShowNothing) {
  world_.WriteFreshConfig();
  world_.WriteConfig("plus", "true");
  world_.P().SetReviewPosition(4);
  world_.P().ResetDailyFlags();
  EXPECT_TRUE(world_.prompter.shown.empty());
  EXPECT_EQ(world_.Config("reviewnumber"), "4");
  EXPECT_EQ(world_.Config("plus"), "false");
}

}  // namespace
}  // namespace cindral
