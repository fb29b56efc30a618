// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The note beside a book that another computer has open: which notes stop a
// start and which are ignored, refreshing, removal at a clean close, and
// this computer's id kept in the learner's configuration.

#include "core/OpenNote.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "FileBytes.h"
#include "TempDir.h"
#include "core/UserConfiguration.h"
#include "store/DateTime.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

using test::Slurp;

const double kNow = MakeDateTime(2026, 12, 10, 9, 30, 0);
constexpr double kHour = 1.0 / 24;

TEST(OpenNoteTest, OnlyAFreshNoteOfAnotherComputerCounts) {
  test::TempDir dir;
  const std::string folder = Utf8ToGbk(dir.path());
  OpenNote here(folder, "desk", "aaaa");
  const struct {
    const char* note;
    double written;    // when the other computer last wrote it
    const char* text;  // the note's text instead, when not null
    bool counts;
  } rows[] = {
      {"another computer's, an hour old", kNow - kHour, nullptr, true},
      {"another computer's, refreshed 23 hours ago", kNow - 23 * kHour, nullptr, true},
      {"another computer's, a day old", kNow - 24 * kHour - 1e-6, nullptr, false},
      {"another computer's, from a clock an hour ahead", kNow + kHour, nullptr, true},
      {"another computer's, from a clock two days ahead", kNow + 48 * kHour, nullptr, false},
      {"this computer's own", kNow - kHour,
       "[Open]\nhost=desk\nid=aaaa\nsince=2026-12-10 "
       "08:30:00\nrefreshed=2026-12-10 08:30:00\n",
       false},
      {"without a time", 0, "[Open]\nhost=laptop\nid=bbbb\n", false},
      {"with a time that is none", 0,
       "[Open]\nhost=laptop\nid=bbbb\nrefreshed=2026-13-40 99:00:00\n", false},
      {"not a note", 0, "\x01\x02garbage", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.note);
    if (row.text != nullptr) {
      std::ofstream(GbkToUtf8(here.path()), std::ios::binary | std::ios::trunc) << row.text;
    } else {
      OpenNote there(folder, "laptop", "bbbb");
      ASSERT_TRUE(there.Write(row.written - 2 * kHour));
      ASSERT_TRUE(there.Write(row.written));
    }
    OpenNoteContent other;
    EXPECT_EQ(here.OpenElsewhere(kNow, &other), row.counts);
    if (row.counts) {
      EXPECT_EQ(other.host, "laptop");
      EXPECT_EQ(other.since, row.written - 2 * kHour);  // the first write's
    }
  }
  std::filesystem::remove(GbkToUtf8(here.path()));
  OpenNoteContent other;
  EXPECT_FALSE(here.OpenElsewhere(kNow, &other));  // no note at all
  std::filesystem::create_directory(GbkToUtf8(here.path()));
  EXPECT_FALSE(here.OpenElsewhere(kNow, &other));  // a folder of that name
}

TEST(OpenNoteTest, ACleanCloseRemovesOnlyItsOwnNote) {
  test::TempDir dir;
  const std::string folder = Utf8ToGbk(dir.path());
  OpenNote here(folder, "desk", "aaaa");
  const std::string path = GbkToUtf8(here.path());
  EXPECT_EQ(path, dir.path() + "/单词本.EDB-open");
  ASSERT_TRUE(here.Write(kNow));
  EXPECT_NE(Slurp(path).find("host=desk\r\nid=aaaa\r\nsince=2026-12-10 09:30:00\r\n"),
            std::string::npos)
      << Slurp(path);
  here.Remove();
  EXPECT_FALSE(std::filesystem::exists(path));
  // Another computer took the book over meanwhile: its note stays.
  ASSERT_TRUE(here.Write(kNow));
  OpenNote there(folder, "laptop", "bbbb");
  ASSERT_TRUE(there.Write(kNow + kHour));
  here.Remove();
  OpenNoteContent other;
  EXPECT_TRUE(here.OpenElsewhere(kNow + kHour, &other));
  // A program that never wrote a note removes none.
  OpenNote third(folder, "desk", "bbbb");
  third.Remove();
  EXPECT_TRUE(std::filesystem::exists(path));
}

TEST(OpenNoteTest, ANoteThatCannotBeWrittenSaysSo) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
  test::TempDir dir;
  ASSERT_EQ(::chmod(dir.path().c_str(), 0500), 0);
  OpenNote here(Utf8ToGbk(dir.path()), "desk", "aaaa");
  EXPECT_FALSE(here.Write(kNow));
  ::chmod(dir.path().c_str(), 0700);
}

TEST(ComputerIdentityTest, TheIdIsMadeOnceAndKeptInTheConfigurationFolder) {
  EXPECT_EQ(UserConfigDirectory("/x/config", "/home/li"), "/x/config/cindral");
  EXPECT_EQ(UserConfigDirectory("relative", "/home/li"), "/home/li/.config/cindral");
  EXPECT_EQ(UserConfigDirectory(nullptr, "/home/li"), "/home/li/.config/cindral");
  EXPECT_EQ(UserConfigDirectory(nullptr, nullptr), "");
  test::TempDir dir;
  const std::string config = Utf8ToGbk(dir.path() + "/a/b/cindral");
  const ComputerIdentity first = ThisComputer(config);
  EXPECT_EQ(first.id.size(), 32u);
  EXPECT_FALSE(first.host.empty());
  EXPECT_EQ(ThisComputer(config).id, first.id);
  // Each computer (each configuration) has its own.
  test::TempDir elsewhere;
  EXPECT_NE(ThisComputer(Utf8ToGbk(elsewhere.path())).id, first.id);
  // An id that cannot be kept still serves the run.
  EXPECT_EQ(ThisComputer("").id.size(), 32u);
}

}  // namespace
}  // namespace cindral
