// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window beyond its five buttons: the day's backup at the
// first start, backups before the shuffle and the reset (a reset without
// one only when the learner says so), and the context menu's commands:
// export to a file the learner names, the backup folder, the import and
// statistics windows.

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "RunningProgram.h"
#include "TestWorld.h"
#include "logic/MainWindowLogic.h"
#include "logic/WordBookCommands.h"

namespace cindral {
namespace {

namespace fs = std::filesystem;
using test::Slurp;
using test::TestWorld;

constexpr double kDay1 = 45000.0;  // 2023-03-15

class MainWindowMenuTest : public ::testing::Test {
 protected:
  MainWindowMenuTest() {
    world.WriteStandardPlanTable();
    world.WriteFreshConfig();
  }
  // One program start at the clock's time; the entry window (opened on a
  // new day) is closed at once.
  void Start() {
    world.Restart();
    logic = std::make_unique<MainWindowLogic>(world.P());
    ASSERT_TRUE(logic->OnMainWindowCreated());
    logic->OnMainWindowShown();
  }
  std::vector<std::string> BackupsTaken() const { return world.program->backups().List(); }

  TestWorld world{kDay1};
  std::unique_ptr<MainWindowLogic> logic;
};

TEST_F(MainWindowMenuTest, TheFirstStartOfEachDayTakesABackupBeforeTheDayBegins) {
  Start();
  world.AddWord(1, "apple", kDay1);
  world.clock.Set(kDay1 + 0.5);
  Start();  // the same day again: no second backup
  ASSERT_EQ(BackupsTaken(), std::vector<std::string>{"2023-03-15_000000"});
  // The next day's backup holds the book as the day found it, before the
  // day's decay lowered its proficiency.
  world.Db().GoFirst();
  world.Db().WriteField(kProficiency, Value::Int(50));
  world.clock.Set(kDay1 + 1 + 0.25);
  Start();
  ASSERT_EQ(BackupsTaken().size(), 2u);
  Database copy;
  ASSERT_TRUE(copy.OpenDatabase(Utf8ToGbk(world.dir.File("backups/2023-03-16_060000/单词本.EDB"))));
  EXPECT_EQ(ReadIntegerField(copy, kProficiency), 50);
  world.Db().GoFirst();
  EXPECT_EQ(ReadIntegerField(world.Db(), kProficiency), 49);
}

TEST_F(MainWindowMenuTest, AStartWhoseBackupFailsSaysSoAndGoesOn) {
  std::ofstream(world.dir.File("backups")) << "a file where the folder should be";
  Start();
  ASSERT_FALSE(world.prompter.shown.empty());
  EXPECT_EQ(world.prompter.Texts().front().rfind("今天的自动备份没有成功：", 0), 0u);
  EXPECT_EQ(world.Config("minus"), "true");  // the start went on to the decay
}

TEST_F(MainWindowMenuTest, TheShuffleAndTheResetBackUpFirst) {
  Start();
  world.AddWord(1, "apple", kDay1);
  world.AddWord(1, "pear", kDay1);
  const std::string book = Slurp(world.dir.File("单词本.EDB"));
  world.clock.Set(kDay1 + 0.5);
  logic->OnShuffleButton();
  world.clock.Set(kDay1 + 0.75);
  world.prompter.answers = {true};
  logic->OnResetButton();
  EXPECT_EQ(world.Db().RecordCount(), 0);
  EXPECT_EQ(BackupsTaken(), (std::vector<std::string>{"2023-03-15_000000", "2023-03-15_120000",
                                                      "2023-03-15_180000"}));
  Database copy;
  ASSERT_TRUE(copy.OpenDatabase(Utf8ToGbk(world.dir.File("backups/2023-03-15_120000/单词本.EDB"))));
  EXPECT_EQ(copy.RecordCount(), 2);
  EXPECT_EQ(Slurp(world.dir.File("backups/2023-03-15_120000/单词本.EDB")), book);
}

TEST_F(MainWindowMenuTest, AResetWhoseBackupFailsGoesOnlyWhenTheLearnerSaysSo) {
  Start();
  world.AddWord(1, "apple", kDay1);
  fs::remove_all(world.dir.File("backups"));
  std::ofstream(world.dir.File("backups")) << "a file where the folder should be";
  world.prompter.answers = {true, false};  // clear: yes; without a backup: no
  logic->OnResetButton();
  EXPECT_EQ(world.Db().RecordCount(), 1);
  EXPECT_EQ(world.prompter.shown.back().caption, GBK("询问"));
  EXPECT_NE(world.prompter.LastText().find("清空以后单词本将无法恢复"), std::string::npos);

  world.prompter.answers = {true, true};
  logic->OnResetButton();
  EXPECT_EQ(world.Db().RecordCount(), 0);
  EXPECT_EQ(world.prompter.LastText(), "删除成功！");
}

TEST_F(MainWindowMenuTest, ExportWritesTheChosenFileInTheChosenForm) {
  Start();
  world.AddWord(1, "apple", kDay1, 1, "苹果");
  // The third file type: CSV in GBK; the name has no extension yet.
  world.shell.chosenFiles.push_back({Utf8ToGbk(world.dir.File("我的单词")), 2});
  logic->OnExportMenu();
  ASSERT_EQ(world.shell.fileDialogs.size(), 1u);
  EXPECT_TRUE(world.shell.fileDialogs[0].save);
  EXPECT_EQ(world.shell.fileDialogs[0].suggested, "单词本-2023-03-15.tsv");
  EXPECT_EQ(world.shell.fileDialogs[0].filters.size(), 3u);
  EXPECT_EQ(world.shell.fileDialogs[0].kind, FileKind::Export);
  EXPECT_EQ(Slurp(world.dir.File("我的单词.csv")),
            "GroupNumber,Word,Meaning,EntryDate,Proficiency,SerialNumber\r\n1,apple," +
                Utf8ToGbk("苹果") + ",2023-03-15,1,1\r\n");
  // The message says where the file went, with the extension it was given.
  EXPECT_EQ(world.prompter.LastText(),
            "已导出 1 个单词，文件在：\n" + world.dir.File("我的单词.csv"));

  // Cancelled: nothing written, nothing said.
  const size_t shown = world.prompter.shown.size();
  logic->OnExportMenu();
  EXPECT_EQ(world.prompter.shown.size(), shown);
}

TEST_F(MainWindowMenuTest, AnExportThatCannotBeWrittenIsReportedAndLeavesNoFile) {
  Start();
  world.shell.chosenFiles.push_back({Utf8ToGbk(world.dir.File("no-folder/words.tsv")), 0});
  logic->OnExportMenu();
  EXPECT_EQ(world.prompter.LastText(), "文件写入失败，请换一个位置再试！");
  EXPECT_FALSE(fs::exists(world.dir.File("no-folder")));

  // A word GBK has no code for, exported as GBK: the learner hears which
  // word and what to choose instead.
  world.AddWord(1, "naïve", kDay1, 1, "天真的");
  world.shell.chosenFiles.push_back({Utf8ToGbk(world.dir.File("words.csv")), 2});
  logic->OnExportMenu();
  EXPECT_EQ(world.prompter.LastText(),
            "单词“naïve”含有 GBK 里没有的字符，无法导出为 GBK，请选择 UTF-8！");
  EXPECT_FALSE(fs::exists(world.dir.File("words.csv")));
}

// The exported file is the learner's, made as any program makes a file:
// 0666 less the umask.
TEST_F(MainWindowMenuTest, TheExportedFileFollowsTheUmask) {
  Start();
  world.AddWord(1, "apple", kDay1, 1, "苹果");
  for (const auto& [mask, mode] : {std::pair{022, 0644}, std::pair{077, 0600}}) {
    const std::string path = world.dir.File("words-" + std::to_string(mask) + ".tsv");
    world.shell.chosenFiles.push_back({Utf8ToGbk(path), 0});
    const mode_t previous = ::umask(mode_t(mask));
    logic->OnExportMenu();
    ::umask(previous);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, mode_t(mode)) << std::oct << mask;
  }
}

// The disk fills up halfway through the export: the learner hears so, the
// file exported earlier under that name is as it was, and no part of the
// new one is left beside it.
TEST_F(MainWindowMenuTest, AnExportCutShortByAFullDiskSaysSoAndKeepsTheEarlierFile) {
  Start();
  for (int i = 0; i < 200; ++i) world.AddWord(1, "word" + std::to_string(i), kDay1, 1, "义");
  const std::string path = world.dir.File("words.tsv");
  std::ofstream(path) << "an earlier export\n";
  world.shell.chosenFiles.push_back({Utf8ToGbk(path), 0});
  // Writes past the first KiB of a file fail, as on a full disk.
  rlimit previous{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
  rlimit full = previous;
  full.rlim_cur = 1024;
  const auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &full), 0);
  logic->OnExportMenu();
  ::setrlimit(RLIMIT_FSIZE, &previous);
  ::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(world.prompter.LastText(), "文件写入失败，请换一个位置再试！");
  EXPECT_EQ(Slurp(path), "an earlier export\n");
  for (const auto& entry : fs::directory_iterator(world.dir.path())) {
    EXPECT_EQ(entry.path().filename().string().rfind("words.tsv.", 0), std::string::npos)
        << entry.path();
  }
}

// An export aimed at the word book or the settings file, by name or by a
// link, is refused: the learner's only copy would be lost.
TEST_F(MainWindowMenuTest, AnExportNeverGoesOverTheBooksOwnFiles) {
  Start();
  world.AddWord(1, "apple", kDay1, 1, "苹果");
  fs::create_symlink(world.dir.File("单词本.EDB"), world.dir.File("link.tsv"));
  const std::string book = Slurp(world.dir.File("单词本.EDB"));
  const std::string settings = Slurp(world.dir.File("Config.ini"));
  for (const char* name : {"单词本.EDB", "Config.ini", "link.tsv"}) {
    const std::string path = world.dir.File(name);
    world.shell.chosenFiles.push_back({Utf8ToGbk(path), 1});
    logic->OnExportMenu();
    EXPECT_EQ(world.prompter.LastText(),
              "“" + path + "”是保存单词本和设置的文件，不能覆盖，请换一个文件名！");
  }
  EXPECT_EQ(Slurp(world.dir.File("单词本.EDB")), book);
  EXPECT_EQ(Slurp(world.dir.File("Config.ini")), settings);
  EXPECT_TRUE(fs::is_symlink(world.dir.File("link.tsv")));
  EXPECT_EQ(world.Db().RecordCount(), 1);
}

TEST_F(MainWindowMenuTest, TheBackupFolderIsShownOrElseNamed) {
  Start();
  logic->OnBackupFolderMenu();
  EXPECT_EQ(world.shell.shownFolders, std::vector<std::string>{world.dir.File("backups")});
  world.shell.folderShows = false;
  logic->OnBackupFolderMenu();
  EXPECT_EQ(world.prompter.LastText(), "备份文件夹在：" + world.dir.File("backups"));
}

TEST_F(MainWindowMenuTest, ImportAndStatisticsOpenTheirWindows) {
  Start();
  world.shell.opened.clear();
  logic->OnImportMenu();
  logic->OnStatisticsMenu();
  EXPECT_EQ(world.shell.opened, (std::vector<WindowId>{WindowId::Import, WindowId::Statistics}));
}

}  // namespace
}  // namespace cindral
