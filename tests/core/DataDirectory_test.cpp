// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the learner's files live: beside a portable program, or in the XDG
// data folder for an installed one (or one whose folder may not be
// written), where the shipped files are copied on the first start, each
// whole, and never over a file that is there.

#include "core/DataDirectory.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "FileBytes.h"
#include "TempDir.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

namespace fs = std::filesystem;

using test::Slurp;
void Put(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

TEST(ChooseDataPlaceTest, APortableProgramKeepsItsFilesBesideItself) {
  const DataPlace place = ChooseDataPlace({"/opt/cindral", true, "", "/x/data", "/home/li"});
  EXPECT_EQ(place.directory, "/opt/cindral");
  EXPECT_EQ(place.shipped, "");
}

TEST(ChooseDataPlaceTest, AnInstalledProgramUsesTheXdgDataFolderAndCopiesFromShare) {
  const DataPlace xdg =
      ChooseDataPlace({"/usr/bin", true, "/usr/share/cindral", "/x/data/", "/home/li"});
  EXPECT_EQ(xdg.directory, "/x/data/cindral");
  EXPECT_EQ(xdg.shipped, "/usr/share/cindral");
  // Without XDG_DATA_HOME, or with one that is not absolute, ~/.local/share.
  for (const char* unset : {"", "relative/data"}) {
    const DataPlace home =
        ChooseDataPlace({"/usr/bin", true, "/usr/share/cindral", unset, "/home/li"});
    EXPECT_EQ(home.directory, "/home/li/.local/share/cindral") << unset;
  }
}

TEST(ChooseDataPlaceTest, AProgramFolderThatMayNotBeWrittenSendsTheFilesToTheDataFolder) {
  const DataPlace place = ChooseDataPlace({"/media/cd/cindral", false, "", "", "/home/li"});
  EXPECT_EQ(place.directory, "/home/li/.local/share/cindral");
  EXPECT_EQ(place.shipped,
            "/media/cd/cindral");  // the files beside the program are the shipped ones
}

TEST(ChooseDataPlaceTest, WithoutAnyHomeNoFolderIsNamedAndPreparingSaysSo) {
  const DataPlace place = ChooseDataPlace({"/usr/bin", true, "/usr/share/cindral", "", ""});
  EXPECT_EQ(place.directory, "");
  std::string reason;
  EXPECT_FALSE(PrepareDataDirectory(place, &reason));
  EXPECT_FALSE(reason.empty());
}

TEST(ChooseDataPlaceTest, AChosenFolderWinsAndStartsFromTheShippedFiles) {
  DataPlaceInputs installed{"/usr/bin", true, "/usr/share/cindral", "/x/data", "/home/li"};
  installed.chosen = "/home/li/Sync/cindral/";
  const DataPlace a = ChooseDataPlace(installed);
  EXPECT_EQ(a.directory, "/home/li/Sync/cindral");
  EXPECT_EQ(a.shipped, "/usr/share/cindral");
  DataPlaceInputs portable{"/opt/cindral", true, "", "", "/home/li"};
  portable.chosen = "/home/li/Sync/cindral";
  EXPECT_EQ(ChooseDataPlace(portable).shipped, "/opt/cindral");
  portable.chosen = "/opt/cindral";
  EXPECT_EQ(ChooseDataPlace(portable).shipped, "");
}

TEST(ChooseDataPlaceTest, TheProcessInputsFindShareBesideBinAndTheEnvironment) {
  test::TempDir root("cindral-inputs");
  fs::create_directories(root.File("usr/bin"));
  fs::create_directories(root.File("usr/share/cindral"));
  ::setenv("XDG_DATA_HOME", "/somewhere/data", 1);
  ::setenv("HOME", "/home/wang", 1);
  const DataPlaceInputs installed = CurrentDataPlaceInputs(Utf8ToGbk(root.File("usr/bin")));
  EXPECT_EQ(installed.sharedDirectory, Utf8ToGbk(root.File("usr/share/cindral")));
  EXPECT_EQ(installed.xdgDataHome, "/somewhere/data");
  EXPECT_EQ(installed.home, "/home/wang");
  EXPECT_TRUE(installed.programDirectoryWritable);
  const DataPlaceInputs portable = CurrentDataPlaceInputs(Utf8ToGbk(root.File("usr")));
  EXPECT_EQ(portable.sharedDirectory, "");
  // A folder that is gone counts as writable: entering it fails later, loudly.
  EXPECT_TRUE(CurrentDataPlaceInputs(Utf8ToGbk(root.File("gone"))).programDirectoryWritable);
  ::unsetenv("XDG_DATA_HOME");
}

class PrepareDataDirectoryTest : public ::testing::Test {
 protected:
  PrepareDataDirectoryTest() {
    fs::create_directories(shipped);
    Put(shipped + "/艾宾浩斯.txt", "1\n2 1\n");
    Put(shipped + "/Config.ini", "[Config]\ngroupnumber=1\n");
    Put(shipped + "/单词本.EDB", "book");
    Put(shipped + "/单词本.EDT", "side");
  }
  DataPlace Place() const { return {Utf8ToGbk(data), Utf8ToGbk(shipped)}; }
  bool Prepare() {
    reason.clear();
    return PrepareDataDirectory(Place(), &reason);
  }
  // Names in the data folder, to see that no temporary copy is left.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(data)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  test::TempDir root{"cindral-data"};
  const std::string shipped = root.File("usr/share/cindral");
  const std::string data = root.File("home/.local/share/cindral");
  std::string reason;
};

TEST_F(PrepareDataDirectoryTest, TheFirstStartMakesTheFolderAndCopiesEveryShippedFile) {
  ASSERT_TRUE(Prepare()) << GbkToUtf8(reason);
  EXPECT_EQ(Names(),
            (std::vector<std::string>{"Config.ini", "单词本.EDB", "单词本.EDT", "艾宾浩斯.txt"}));
  EXPECT_EQ(Slurp(data + "/单词本.EDB"), "book");
  EXPECT_EQ(Slurp(data + "/单词本.EDT"), "side");
  EXPECT_EQ(Slurp(data + "/艾宾浩斯.txt"), "1\n2 1\n");
  // The learner's folder is the learner's alone.
  struct stat st;
  ASSERT_EQ(::stat(data.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_F(PrepareDataDirectoryTest, FilesThatAreThereAreNeverOverwritten) {
  ASSERT_TRUE(Prepare());
  Put(data + "/Config.ini", "[Config]\ngroupnumber=42\n");
  Put(data + "/单词本.EDB", "months of work");
  Put(data + "/艾宾浩斯.txt", "my own plan\n");
  fs::remove(data + "/单词本.EDT");  // a book without a side file keeps going without one
  ASSERT_TRUE(Prepare());
  EXPECT_EQ(Slurp(data + "/Config.ini"), "[Config]\ngroupnumber=42\n");
  EXPECT_EQ(Slurp(data + "/单词本.EDB"), "months of work");
  EXPECT_EQ(Slurp(data + "/艾宾浩斯.txt"), "my own plan\n");
  EXPECT_FALSE(fs::exists(data + "/单词本.EDT"));
}

TEST_F(PrepareDataDirectoryTest, ASettingsFileInAnotherCaseCounts) {
  fs::create_directories(data);
  Put(data + "/config.ini", "[Config]\ngroupnumber=7\n");
  ASSERT_TRUE(Prepare());
  EXPECT_FALSE(fs::exists(data + "/Config.ini"));
  EXPECT_EQ(Slurp(data + "/config.ini"), "[Config]\ngroupnumber=7\n");
}

TEST_F(PrepareDataDirectoryTest, AFirstStartCutShortBetweenSideFileAndBookIsCompletedNextTime) {
  fs::create_directories(data);
  Put(data + "/单词本.EDT", "side");  // copied before the process was killed
  ASSERT_TRUE(Prepare());
  EXPECT_EQ(Slurp(data + "/单词本.EDB"), "book");
  EXPECT_EQ(Slurp(data + "/单词本.EDT"), "side");
}

TEST_F(PrepareDataDirectoryTest, ACopyThatFailsLeavesNoPartOfTheFileAndSaysWhich) {
  fs::remove(shipped + "/单词本.EDB");
  fs::create_directories(shipped + "/单词本.EDB");  // cannot be read as a file
  EXPECT_FALSE(Prepare());
  EXPECT_NE(GbkToUtf8(reason).find("单词本.EDB"), std::string::npos) << GbkToUtf8(reason);
  // What was copied before stays; the book is absent, not half there.
  EXPECT_EQ(Names(), (std::vector<std::string>{"Config.ini", "单词本.EDT", "艾宾浩斯.txt"}));
}

TEST_F(PrepareDataDirectoryTest, AFolderThatCannotBeMadeIsReported) {
  fs::create_directories(root.File("home"));
  Put(root.File("home/.local"), "a file where a folder should be");
  EXPECT_FALSE(Prepare());
  EXPECT_FALSE(reason.empty());
}

TEST_F(PrepareDataDirectoryTest, APortableFolderIsLeftAsItIs) {
  fs::create_directories(data);
  EXPECT_TRUE(PrepareDataDirectory({Utf8ToGbk(data), ""}, &reason));
  EXPECT_TRUE(Names().empty());
  // One that is gone is not made again: entering it fails, loudly.
  fs::remove_all(data);
  EXPECT_TRUE(PrepareDataDirectory({Utf8ToGbk(data), ""}, &reason));
  EXPECT_FALSE(fs::exists(data));
}

}  // namespace
}  // namespace cindral
