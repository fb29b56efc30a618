// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reading one line of the plan table file.

#include "plan/PlanTable.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "Children.h"
#include "TestWorld.h"

namespace cindral {
namespace {

class PlanTableTest : public ::testing::Test {
 protected:
  void Write(const std::string& bytes) {
    std::ofstream(dir.File("艾宾浩斯.txt"), std::ios::binary) << bytes;
  }
  std::vector<std::string> Line(int32_t n) { return ReadPlanLine(PlanTableFileName(), n); }

  test::TempWorkDir dir;
};

using Pieces = std::vector<std::string>;

TEST_F(PlanTableTest, SplitsTheNumberedLineAtSpaces) {
  Write("1\n2 1\n3 2 1\n");
  EXPECT_EQ(Line(1), Pieces({"1"}));
  EXPECT_EQ(Line(3), Pieces({"3", "2", "1"}));
}

TEST_F(PlanTableTest, LineEndings) {
  Write("1\r\n2 1\r\n3 2\r1");  // a CR only counts before a LF; no final line break
  EXPECT_EQ(Line(1), Pieces({"1"}));
  EXPECT_EQ(Line(2), Pieces({"2", "1"}));
  EXPECT_EQ(Line(3), Pieces({"3", "2\r1"}));
  EXPECT_TRUE(Line(4).empty());
}

TEST_F(PlanTableTest, NulAndCtrlZAlsoEndALine) {
  static const char kBytes[] =
      "5\0"
      "6 7\x1A"
      "8\n9";
  Write(std::string(kBytes, sizeof kBytes - 1));
  EXPECT_EQ(Line(1), Pieces({"5"}));
  EXPECT_EQ(Line(2), Pieces({"6", "7"}));
  EXPECT_EQ(Line(3), Pieces({"8"}));
  EXPECT_EQ(Line(4), Pieces({"9"}));
}

TEST_F(PlanTableTest, DoubleAndTrailingSpaces) {
  Write("4  1 \n");
  EXPECT_EQ(Line(1), Pieces({"4", "", "1"}));
}

TEST_F(PlanTableTest, EmptyLinesShortFilesAndRowsOutOfRange) {
  Write("\n\n1\n");
  EXPECT_TRUE(Line(1).empty());
  EXPECT_EQ(Line(3), Pieces({"1"}));
  EXPECT_TRUE(Line(4).empty());
  EXPECT_TRUE(Line(0).empty());
  EXPECT_TRUE(Line(-1).empty());
}

TEST_F(PlanTableTest, OnlyTheFirst88RowsAreEverRead) {
  std::string text;
  for (int i = 1; i <= 100; ++i) text += std::to_string(i) + "\n";
  Write(text);
  EXPECT_EQ(Line(88), Pieces({"88"}));
  EXPECT_TRUE(Line(89).empty());
}

TEST_F(PlanTableTest, AMissingFileReadsAsEmpty) { EXPECT_TRUE(Line(1).empty()); }

// A pipe that nobody writes, a folder or a device in the table's place
// reads as a missing table at once; the reading runs in a child that is
// killed when it waits.
TEST_F(PlanTableTest, WhatIsNoRegularFileReadsAsEmptyAtOnce) {
  const std::string table = dir.File("艾宾浩斯.txt");
  const std::function<void()> odd[] = {
      [&] { ASSERT_EQ(::mkfifo(table.c_str(), 0600), 0); },
      [&] { std::filesystem::create_directory(table); },
      [&] { std::filesystem::create_symlink("/dev/zero", table); },
  };
  for (const auto& make : odd) {
    std::filesystem::remove(table);
    make();
    const std::optional<int> status =
        test::RunInChildWithin(std::chrono::seconds(10), [&] { return Line(1).empty() ? 0 : 1; });
    ASSERT_TRUE(status.has_value()) << "the read waited on " << table;
    EXPECT_EQ(*status, 0);
  }
}

// Only the table's first bytes are read: lines past them, and the rest of
// a line that runs past them, are not there.
TEST_F(PlanTableTest, NothingPastTheByteLimitIsRead) {
  std::string longLine;
  while (longLine.size() < kPlanTableByteLimit) longLine += "7 ";
  Write("1 2\n" + longLine + "\n5\n");
  EXPECT_EQ(Line(1), Pieces({"1", "2"}));
  const Pieces second = Line(2);
  EXPECT_EQ(second.size(), (kPlanTableByteLimit - 4) / 2);
  EXPECT_EQ(second.back(), "7");
  EXPECT_TRUE(Line(3).empty());
}

TEST_F(PlanTableTest, TheShippedTableListsTheStandardGroups) {
  // The table laid beside the program, checked against its rule: line N
  // lists N, N-1, N-2, N-4, N-7, N-15, N-30, leaving out those below 1.
  const std::string shipped = std::string(CINDRAL_SOURCE_DIR) + "/plan/艾宾浩斯.txt";
  for (int32_t n = 1; n <= kPlanTableRows; ++n) {
    Pieces expected;
    for (int k : {0, 1, 2, 4, 7, 15, 30})
      if (n - k >= 1) expected.push_back(std::to_string(n - k));
    EXPECT_EQ(ReadPlanLine(Utf8ToGbk(shipped), n), expected) << "line " << n;
  }
}

}  // namespace
}  // namespace cindral
