// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program driven through whole courses, start after start, day after
// day, as a learner uses it: start-up, the entry window, the pages, the
// buttons and closing.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include <filesystem>
#include <set>

#include "FileBytes.h"
#include "ForeignJournal.h"
#include "TestWorld.h"
#include "UnwritableSettings.h"
#include "book/LastImport.h"
#include "core/KeyCodes.h"
#include "core/OpenNote.h"
#include "core/UserConfiguration.h"
#include "logic/EntryWindowLogic.h"
#include "logic/LearningWindowLogic.h"
#include "logic/MainWindowLogic.h"
#include "plan/DayPlan.h"

namespace cindral {
namespace {

using test::TestWorld;

constexpr double kDay1 = 45000.0;

class DayScenario : public ::testing::Test {
 protected:
  DayScenario() : world(kDay1) {
    world.WriteStandardPlanTable();
    world.WriteFreshConfig();
    world.shell.onOpen = [this](WindowId id) {
      if (id == WindowId::Entry) RunEntryWindow();
    };
  }

  // One program start on the clock's day; returns whether it got going.
  bool Start() {
    world.Restart();
    logic = std::make_unique<MainWindowLogic>(world.P());
    if (!logic->OnMainWindowCreated()) return false;
    logic->OnMainWindowShown();
    return true;
  }
  void Close() { logic->OnMainWindowClosing(); }

  // The entry window: the learner types today's words (if any are queued),
  // then closes; a refused close is followed by entering one word.
  void RunEntryWindow() {
    EntryWindowLogic entry(world.P());
    entry.Created();
    for (const std::string& w : todaysWords) {
      entry.SetWord(Utf8ToGbk(w));
      entry.SetMeaning(Utf8ToGbk(w + "的意思"));
      entry.KeyDown(kKeyEnter);
    }
    todaysWords.clear();
    if (!entry.QueryClose()) {
      ++refusedCloses;
      entry.SetWord(Utf8ToGbk("late"));
      entry.SetMeaning(Utf8ToGbk("迟"));
      entry.Submit();
      ASSERT_TRUE(entry.QueryClose());
    }
    entry.Destroyed();
  }

  void NextDay(int days = 1) { world.clock.AdvanceDays(days); }
  void QueueWords(int group, int count = 3) {
    for (int i = 0; i < count; ++i)
      todaysWords.push_back("g" + std::to_string(group) + "w" + std::to_string(i));
  }
  std::set<int32_t> DueGroupSet() {
    const auto g = world.DueGroups();
    return {g.begin(), g.end()};
  }
  int32_t ProficiencyOf(int32_t recordNumber) {
    world.Db().GoTo(recordNumber);
    return ReadIntegerField(world.Db(), kProficiency);
  }

  TestWorld world;
  std::unique_ptr<MainWindowLogic> logic;
  std::vector<std::string> todaysWords;
  int refusedCloses = 0;
};

TEST_F(DayScenario, AFirstStartWithoutAWordBookEndsWithAMessageAndCreatesNothing) {
  TestWorld bare(kDay1, /*withWordBook=*/false);
  MainWindowLogic mainWindow(bare.P());
  EXPECT_FALSE(mainWindow.OnMainWindowCreated());
  ASSERT_EQ(bare.prompter.shown.size(), 1u);
  EXPECT_EQ(bare.prompter.LastText(), "数据库连接出错，请确认数据库是否已存在！");
  EXPECT_EQ(bare.prompter.LastCaption(), "出错了");
  EXPECT_EQ(bare.prompter.shown[0].icon, MessageIcon::Error);
  EXPECT_TRUE(std::filesystem::is_empty(bare.dir.path()));
}

TEST_F(DayScenario, AnUnreadableClockEndsStartUpBeforeThePlanTouchesAnything) {
  // Yesterday's words: a readable clock would reset the daily counters.
  world.OpenWordBook();
  world.AddWord(1, "w", kDay1 - 1);
  world.WriteConfig("reviewnumber", "5");
  world.WriteConfig("plus", "true");
  world.WriteConfig("minus", "true");
  const SystemClock broken([](std::tm*) { return false; });
  world.Restart();
  Program program(world.Db(), *world.settings, broken, world.prompter, world.shell);
  MainWindowLogic mainWindow(program);
  EXPECT_THROW(mainWindow.OnMainWindowCreated(), FatalError);
  EXPECT_TRUE(program.state().DueList.empty());
  EXPECT_TRUE(world.shell.opened.empty());
  EXPECT_TRUE(world.prompter.shown.empty());
  EXPECT_EQ(world.Config("reviewnumber"), "5");
  EXPECT_EQ(world.Config("plus"), "true");
  EXPECT_EQ(world.Config("minus"), "true");
}

TEST_F(DayScenario, AnEmptySettingsFileReadsAsZeroAndStartUpGoesOn) {
  std::filesystem::remove(world.settings->Path());
  std::ofstream(world.dir.File("Config.ini")).flush();
  ASSERT_TRUE(Start());
  EXPECT_EQ(world.P().ReviewPosition(), 0);
  EXPECT_EQ(world.P().CurrentGroup(), 0);
}

TEST_F(DayScenario, TheFirstDaysOfACourse) {
  // Day 1: a fresh install. Nothing is due and nothing is asked.
  ASSERT_TRUE(Start());
  EXPECT_TRUE(world.prompter.shown.empty());
  EXPECT_TRUE(world.State().DueList.empty());
  // The learner enters the first words through the button.
  QueueWords(1);
  logic->OnEntryButton();
  EXPECT_EQ(world.DueGroups(), std::vector<int32_t>({1, 1, 1}));
  Close();

  // Day 2, the typical day: flags reset, the message, the entry window; the
  // new group; the plan from line 2.
  NextDay();
  world.WriteConfig("plus", "true");
  QueueWords(2);
  ASSERT_TRUE(Start());
  EXPECT_EQ(world.prompter.Texts(),
            std::vector<std::string>({"今日还没有学习新单词呢，快快学习吧！"}));
  EXPECT_EQ(world.Config("groupnumber"), "2");
  EXPECT_EQ(world.Config("plus"), "false");
  EXPECT_EQ(world.Config("minus"), "true");  // the decay ran once
  EXPECT_EQ(world.DueGroups(), std::vector<int32_t>({1, 1, 1, 2, 2, 2}));
  EXPECT_EQ(ProficiencyOf(1), 1);
  Close();

  // A second start on the same day: no message, the same plan, no decay.
  world.prompter.shown.clear();
  ASSERT_TRUE(Start());
  EXPECT_TRUE(world.prompter.shown.empty());
  EXPECT_EQ(world.DueGroups(), std::vector<int32_t>({1, 1, 1, 2, 2, 2}));

  // Day 3: the learner tries to close the entry window without a word.
  NextDay();
  ASSERT_TRUE(Start());
  EXPECT_EQ(refusedCloses, 1);
  EXPECT_EQ(world.Config("groupnumber"), "3");
  EXPECT_EQ(DueGroupSet(), std::set<int32_t>({1, 2, 3}));
}

TEST_F(DayScenario, TwoIdleDaysStopTheCourseUntilAReset) {
  ASSERT_TRUE(Start());
  QueueWords(1);
  logic->OnEntryButton();
  NextDay(3);
  ASSERT_TRUE(Start());
  EXPECT_EQ(world.prompter.LastText(), "您已多天没有学习单词，请重置单词数据库后重新学习！");
  EXPECT_TRUE(world.State().DueList.empty());
  EXPECT_EQ(world.shell.broughtToFront, 1);
  // The button's gate refuses as well.
  logic->OnEntryButton();
  EXPECT_EQ(world.prompter.LastText(), "您已多天没有学习单词，请重置单词数据库后重新学习！");

  // The reset starts the course again on this day.
  world.prompter.answers = {true};
  logic->OnResetButton();
  EXPECT_EQ(world.Db().RecordCount(), 0);
  QueueWords(1, 2);
  logic->OnEntryButton();
  world.Db().GoFirst();
  EXPECT_EQ(ReadIntegerField(world.Db(), kGroupNumber), 1);
  EXPECT_EQ(ReadIntegerField(world.Db(), kSerialNumber), 1);
  EXPECT_EQ(world.DueGroups(), std::vector<int32_t>({1, 1}));
}

TEST_F(DayScenario, AWholeCourseThroughTheReviewDaysToTheEnd) {
  // 88 learning days, one start a day; each start enters the day's words.
  for (int day = 1; day <= 88; ++day) {
    if (day > 1) NextDay();
    QueueWords(day, 1);
    ASSERT_TRUE(Start()) << day;
    if (day == 1) logic->OnEntryButton();
    ASSERT_EQ(world.P().CurrentGroup(), day);
    EXPECT_FALSE(world.State().DueList.empty()) << day;
    Close();
  }
  EXPECT_EQ(world.Db().RecordCount(), 88);
  // Group 88's word was entered today; the 87 starts since group 1 each decayed once.
  EXPECT_EQ(ProficiencyOf(1), 1);

  // Review days 0..11: the built-in groups, and a decay at every start.
  for (int n = 0; n < 12; ++n) {
    NextDay();
    world.prompter.shown.clear();
    world.Db().GoTo(88);
    world.Db().WriteField(kProficiency, Value::Int(50));
    ASSERT_TRUE(Start());
    EXPECT_TRUE(world.prompter.shown.empty()) << n;
    EXPECT_EQ(world.DueGroups(), ReviewPhaseGroups(n)) << n;
    EXPECT_EQ(ProficiencyOf(88), 49);
    ASSERT_TRUE(Start());  // a second start the same day decays again
    EXPECT_EQ(ProficiencyOf(88), 48);
    // The gate now only congratulates.
    const size_t opened = world.shell.opened.size();
    logic->OnEntryButton();
    EXPECT_EQ(world.shell.opened.size(), opened);
    EXPECT_EQ(world.prompter.LastText(),
              "恭喜你，您已经到了复习攻坚阶段，在这12天中，您只需要复习即可！");
    logic->OnPageSelected(MainWindowLogic::kLearningPage);
    EXPECT_EQ(world.shell.opened.back(), WindowId::Learning);
  }

  // The day after: finished, the entry button disabled, pages 1 and 2 refuse.
  NextDay();
  ASSERT_TRUE(Start());
  EXPECT_EQ(world.prompter.LastText(), "您已经学习完毕，请重置单词数据库后继续开始单词之旅！");
  EXPECT_EQ(world.prompter.LastCaption(), "成功了");
  EXPECT_FALSE(world.shell.entryButtonEnabled);
  const size_t opened = world.shell.opened.size();
  for (int page : {MainWindowLogic::kLearningPage, MainWindowLogic::kTestPage}) {
    world.prompter.shown.clear();
    logic->OnPageSelected(page);
    EXPECT_EQ(world.prompter.LastText(), "您已经学习完毕，请重置单词数据库后继续开始单词之旅！");
  }
  EXPECT_EQ(world.shell.opened.size(), opened);
  logic->OnPageSelected(MainWindowLogic::kIntensivePage);  // still open to drills
  EXPECT_EQ(world.shell.opened.back(), WindowId::IntensiveChooser);

  // The reset enables the button again.
  world.prompter.answers = {true};
  logic->OnResetButton();
  EXPECT_TRUE(world.shell.entryButtonEnabled);
  EXPECT_FALSE(IsCourseFinished(world.State().ReviewPhaseStart, world.P().Today()));
}

// In the review phase every start resets the daily flags; the reset is
// written once the main window is on the screen, so that nothing waits for
// the disk before it, and the start's decay still takes place.
TEST_F(DayScenario, AReviewPhaseStartWritesItsResetFlagsAfterTheWindowIsShown) {
  world.WriteConfig("minus", "true");  // the empty book's last start decayed
  world.WriteConfig("plus", "true");
  world.Restart();
  logic = std::make_unique<MainWindowLogic>(world.P());
  ASSERT_TRUE(logic->OnMainWindowCreated());
  EXPECT_EQ(world.Config("minus"), "true");
  EXPECT_EQ(world.Config("plus"), "true");
  EXPECT_TRUE(world.P().DecayDue());
  EXPECT_TRUE(world.P().BonusDue());
  logic->OnMainWindowShown();
  EXPECT_EQ(world.Config("plus"), "false");
  EXPECT_EQ(world.Config("minus"), "true");  // the decay ran and marked itself done
  EXPECT_FALSE(world.P().DecayDue());
  EXPECT_TRUE(world.P().BonusDue());
}

// A journal beside the book that is not the book's (a copy of the book put
// back, or one a sync tool brought from another computer) is kept aside,
// not written into the book, and the learner hears where it went.
TEST_F(DayScenario, AnotherBooksJournalIsKeptAsideAndTheLearnerHearsOfIt) {
  world.OpenWordBook();
  world.AddWord(1, "w", kDay1);
  world.Restart();
  const std::string journal = test::ForeignJournal();
  const std::string book = world.dir.File("单词本.EDB");
  const std::string before = test::Slurp(book);
  std::ofstream(book + "-journal", std::ios::binary) << journal;

  ASSERT_TRUE(Start());
  EXPECT_EQ(test::Slurp(book).substr(0, 64), before.substr(0, 64));
  EXPECT_EQ(test::Slurp(book + "-journal-other-00005eed"), journal);
  const std::vector<std::string> texts = world.prompter.Texts();
  EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const std::string& t) {
    return t.find("不属于现在的单词本") != std::string::npos &&
           t.find("单词本.EDB-journal-other-00005eed") != std::string::npos;
  })) << ::testing::PrintToString(texts);
  Close();
}

// A book in a folder that a sync tool shares: a start finds that another
// computer has it open and goes on only when the learner says so; the note
// is then this computer's until the close removes it.
TEST_F(DayScenario, ABookOpenOnAnotherComputerOpensOnlyWhenTheLearnerSaysSo) {
  world.OpenWordBook();
  world.AddWord(1, "w", kDay1);
  const std::string folder = Utf8ToGbk(world.dir.path());
  OpenNote laptop(folder, "laptop", "bbbb");
  ASSERT_TRUE(laptop.Write(world.clock.Now() - 1.0 / 24));
  OpenNote desk(folder, "desk", "aaaa");
  const std::string config = world.Config("reviewnumber") + world.Config("plus");
  for (const bool goOn : {false, true}) {
    SCOPED_TRACE(goOn ? "yes" : "no");
    world.Restart();
    world.P().SetOpenNote(&desk);
    world.prompter.shown.clear();
    world.prompter.answers = {goOn};
    logic = std::make_unique<MainWindowLogic>(world.P());
    EXPECT_EQ(logic->OnMainWindowCreated(), goOn);
    ASSERT_FALSE(world.prompter.shown.empty());
    EXPECT_TRUE(world.prompter.shown[0].yesNo);
    EXPECT_EQ(world.prompter.Texts()[0].rfind("单词本正在另一台电脑（laptop）上使用", 0), 0u)
        << world.prompter.Texts()[0];
    OpenNoteContent open;
    if (!goOn) {
      // Nothing opened, nothing written, the other computer's note kept.
      EXPECT_EQ(world.Db().Current(), nullptr);
      EXPECT_EQ(world.Config("reviewnumber") + world.Config("plus"), config);
      EXPECT_FALSE(laptop.OpenElsewhere(world.clock.Now(), &open));
      EXPECT_TRUE(desk.OpenElsewhere(world.clock.Now(), &open));
      continue;
    }
    // The note is written once the window is on the screen.
    EXPECT_FALSE(laptop.OpenElsewhere(world.clock.Now(), &open));
    logic->OnMainWindowShown();
    EXPECT_EQ(logic->noteTimer().interval(), OpenNote::kRefreshMilliseconds);
    ASSERT_TRUE(laptop.OpenElsewhere(world.clock.Now(), &open));
    EXPECT_EQ(open.host, "desk");
    Close();
    EXPECT_FALSE(std::filesystem::exists(GbkToUtf8(desk.path())));
  }
}

// Copies that a sync tool left after a conflict: the learner sees both and
// chooses; the other side goes whole into backups/. A set that cannot stand
// in for the book goes aside with a word to the learner.
TEST_F(DayScenario, ConflictCopiesAreOfferedSideBySideAndTheChoiceIsCarriedOut) {
  world.OpenWordBook();
  world.AddWord(1, "apple", kDay1);
  world.Restart();
  const std::string tag = "sync-conflict-20230314-081500-ABCDEFG";
  namespace fs = std::filesystem;
  const fs::path dir = world.dir.path();
  fs::copy_file(dir / "单词本.EDB", dir / ("单词本." + tag + ".EDB"));
  fs::copy_file(dir / "单词本.EDT", dir / ("单词本." + tag + ".EDT"));
  // A lone side file of another conflict.
  fs::copy_file(dir / "单词本.EDT", dir / "单词本.sync-conflict-20230301-000000-ZZZZZZZ.EDT");
  world.OpenWordBook();
  world.AddWord(1, "pear", kDay1);
  world.Restart();

  // Later: nothing moves, and the next start asks again.
  world.prompter.choices = {2};
  ASSERT_TRUE(Start());
  Close();
  ASSERT_EQ(world.prompter.chosen.size(), 1u);
  const Choice& offer = world.prompter.chosen[0];
  EXPECT_EQ(GbkToUtf8(offer.buttons[1]), "改用冲突副本");
  const std::string text = GbkToUtf8(offer.text);
  EXPECT_NE(text.find("这台电脑上的单词本：2 个单词，1 组"), std::string::npos) << text;
  EXPECT_NE(text.find("冲突副本：1 个单词，1 组"), std::string::npos) << text;
  EXPECT_EQ(GbkToUtf8(offer.details), "pear：只在这台电脑上的单词本里（第 1 组）\n");
  EXPECT_TRUE(fs::exists(dir / ("单词本." + tag + ".EDB")));
  // The lone side file went aside at once, and the learner heard of it.
  EXPECT_FALSE(fs::exists(dir / "单词本.sync-conflict-20230301-000000-ZZZZZZZ.EDT"));
  const std::vector<std::string> texts = world.prompter.Texts();
  EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const std::string& t) {
    return t.find("不完整") != std::string::npos;
  })) << ::testing::PrintToString(texts);

  // The copy kept: the book is the copy, and the learner's went aside whole.
  world.prompter.chosen.clear();
  world.prompter.choices = {1};
  ASSERT_TRUE(Start());
  EXPECT_EQ(world.prompter.chosen.size(), 1u);
  EXPECT_EQ(world.Db().RecordCount(), 1);
  Close();
  EXPECT_FALSE(fs::exists(dir / ("单词本." + tag + ".EDB")));
  int asideBooks = 0;
  for (const auto& e : fs::directory_iterator(dir / "backups")) {
    if (e.path().filename().string().find("-conflict") != std::string::npos &&
        fs::exists(e.path() / "单词本.EDB")) {
      ++asideBooks;
    }
  }
  EXPECT_EQ(asideBooks, 1);
  world.prompter.chosen.clear();
  ASSERT_TRUE(Start());
  EXPECT_TRUE(world.prompter.chosen.empty());
  Close();
}

// The book moves to another folder (a synced one): copied there whole,
// the old folder left as it was, the new one kept for later starts; a
// folder with a book of its own is never written to.
TEST_F(DayScenario, TheBookMovesToAChosenFolderWholeAndLaterStartsUseIt) {
  namespace fs = std::filesystem;
  world.OpenWordBook();
  world.AddWord(1, "apple", kDay1);
  world.AddWord(1, "pear", kDay1);
  test::TempDir config;
  test::TempDir elsewhere;
  const fs::path target = fs::path(elsewhere.path()) / "Sync";
  fs::create_directory(target);
  ASSERT_TRUE(Start());
  world.P().SetConfigDirectory(Utf8ToGbk(config.path()));
  const fs::path home = world.dir.path();
  const std::string book = test::Slurp((home / "单词本.EDB").string());

  // Cancelled, or not confirmed: nothing happens.
  logic->OnDataFolderMenu();
  world.shell.chosenFolders = {target.string()};
  world.prompter.answers = {false};
  logic->OnDataFolderMenu();
  EXPECT_TRUE(fs::is_empty(target));
  EXPECT_EQ(ChosenDataFolder(Utf8ToGbk(config.path())), "");

  // A copy that fails (where its backup goes lies a file): said, and the
  // book stays where it is.
  const fs::path blocked = fs::path(elsewhere.path()) / "Blocked";
  fs::create_directory(blocked);
  std::ofstream(blocked / "backups") << "not a folder";
  world.shell.chosenFolders = {blocked.string()};
  world.prompter.answers = {true};
  logic->OnDataFolderMenu();
  EXPECT_EQ(world.prompter.LastText().rfind("单词本没能复制到 " + blocked.string(), 0), 0u)
      << world.prompter.LastText();
  EXPECT_FALSE(world.P().EndRequested());
  EXPECT_EQ(ChosenDataFolder(Utf8ToGbk(config.path())), "");
  EXPECT_FALSE(fs::exists(blocked / "单词本.EDB"));

  world.shell.chosenFolders = {target.string()};
  world.prompter.answers = {true};
  logic->OnDataFolderMenu();
  EXPECT_TRUE(world.P().EndRequested());
  EXPECT_EQ(ChosenDataFolder(Utf8ToGbk(config.path())), Utf8ToGbk(target.string()));
  for (const char* name : {"单词本.EDB", "单词本.EDT", "Config.ini", "艾宾浩斯.txt"}) {
    EXPECT_TRUE(test::Slurp((target / name).string()) == test::Slurp((home / name).string()))
        << name;
  }
  EXPECT_TRUE(test::Slurp((home / "单词本.EDB").string()) == book);
  EXPECT_FALSE(fs::is_empty(target / "backups"));  // the new folder's first backup
  EXPECT_EQ(GbkToUtf8(world.prompter.shown.back().text),
            "Cindral 现在关闭，再次启动时就用 " + target.string() + " 里的单词本。");

  // A folder that holds a book of its own: that book is used as it is.
  const fs::path other = fs::path(elsewhere.path()) / "Other";
  fs::create_directory(other);
  std::ofstream(other / "单词本.EDB", std::ios::binary) << "their book";
  world.shell.chosenFolders = {other.string()};
  world.prompter.answers = {true};
  logic->OnDataFolderMenu();
  EXPECT_NE(GbkToUtf8(world.prompter.shown[world.prompter.shown.size() - 2].text)
                .find("这个文件夹里已经有一个单词本了"),
            std::string::npos);
  EXPECT_EQ(ChosenDataFolder(Utf8ToGbk(config.path())), Utf8ToGbk(other.string()));
  EXPECT_EQ(test::Slurp((other / "单词本.EDB").string()), "their book");
  EXPECT_EQ(std::distance(fs::directory_iterator(other), fs::directory_iterator()), 1);
  // The folder the book is in already.
  world.shell.chosenFolders = {home.string()};
  logic->OnDataFolderMenu();
  EXPECT_EQ(world.prompter.LastText(), "单词本已经在这个文件夹里了。");
}

TEST_F(DayScenario, PagesAndButtonsOpenTheirWindows) {
  ASSERT_TRUE(Start());
  logic->OnPageSelected(MainWindowLogic::kHomePage);
  EXPECT_TRUE(world.shell.opened.empty());
  logic->OnPageSelected(MainWindowLogic::kIntensivePage);
  EXPECT_EQ(world.prompter.LastText(), "您还没有录入单词，请先录入一下吧！");
  EXPECT_EQ(world.prompter.LastCaption(), "提示");
  EXPECT_TRUE(world.shell.opened.empty());
  logic->OnPageSelected(MainWindowLogic::kLearningPage);
  logic->OnPageSelected(MainWindowLogic::kTestPage);
  logic->OnGameButton();
  logic->OnNotebookButton();
  EXPECT_EQ(world.shell.opened, std::vector<WindowId>({WindowId::Learning, WindowId::Spelling,
                                                       WindowId::Game, WindowId::WordBook}));
}

TEST_F(DayScenario, ClosingPastTheEndOfTheListResetsThePosition) {
  ASSERT_TRUE(Start());
  QueueWords(1, 2);
  logic->OnEntryButton();
  world.P().SetReviewPosition(2);
  Close();
  EXPECT_EQ(world.Config("reviewnumber"), "2");
  world.P().SetReviewPosition(3);
  Close();
  EXPECT_EQ(world.Config("reviewnumber"), "1");
  EXPECT_EQ(world.P().ReviewPosition(), 1);
}

TEST_F(DayScenario, StartUpSeedsTheGeneratorWithTheSecondOfTheClock) {
  world.clock.Set(kDay1 + (10 * 3600 + 17 * 60 + 42) / 86400.0);
  ASSERT_TRUE(Start());
  EXPECT_EQ(world.P().random().state(), 42u);
}

// A word book whose count lost whole words (one flipped bit: 12 -> 4) is
// repaired at the start after a copy; the learner is told once, with the
// copy's name.
TEST_F(DayScenario, AStartThatRepairsAwayWholeWordsSaysWhereTheCopyIs) {
  world.OpenWordBook();
  for (int i = 0; i < 12; ++i) world.AddWord(1, "w" + std::to_string(i), kDay1);
  world.Restart();
  const std::string book = world.dir.File(test::WordBookUtf8Name());
  {
    std::fstream file(book, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(16);
    const char four[4] = {4, 0, 0, 0};
    file.write(four, 4);
  }
  ASSERT_TRUE(Start());
  ASSERT_FALSE(world.prompter.shown.empty());
  const Message& box = world.prompter.shown.front();
  const std::string text = GbkToUtf8(box.text);
  EXPECT_EQ(GbkToUtf8(box.caption), "提示");
  EXPECT_EQ(box.icon, MessageIcon::Information);
  const std::string name = text.substr(text.rfind("：") + std::string("：").size());
  EXPECT_EQ(name.rfind("单词本.EDB.before-repair-", 0), 0u) << text;
  EXPECT_TRUE(std::filesystem::exists(world.dir.File(name))) << name;
  EXPECT_EQ(world.Db().RecordCount(), 4);

  // The next start has nothing to repair and says nothing of it.
  const std::size_t shown = world.prompter.shown.size();
  ASSERT_TRUE(Start());
  for (std::size_t i = shown; i < world.prompter.shown.size(); ++i) {
    EXPECT_EQ(GbkToUtf8(world.prompter.shown[i].text).find("另存为"), std::string::npos);
  }
}

// A new day on a full disk: the learner leaves the entry window whose word
// could not be stored, and the start ends there instead of showing the
// main window.
TEST_F(DayScenario, LeavingTheEntryWindowOfAnUnwritableNewDayEndsTheStart) {
  world.OpenWordBook();
  world.AddWord(1, "w", kDay1);
  NextDay();
  world.Restart();
  auto failures = std::make_shared<test::WriteFailures>();
  world.Db().SetFileSystem(test::FailingFileSystem(failures));
  test::UnwritableSettings unwritable(failures);
  failures->failWrites = 1 << 30;
  world.shell.onOpen = [this](WindowId) {
    EntryWindowLogic entry(world.P());
    entry.SetWord(Utf8ToGbk("bean"));
    entry.SetMeaning(Utf8ToGbk("豆"));
    entry.Submit();
    world.prompter.answers = {true};
    if (entry.QueryClose()) entry.Destroyed();
  };
  MainWindowLogic mainWindow(world.P());
  EXPECT_FALSE(mainWindow.OnMainWindowCreated());
  EXPECT_EQ(world.shell.opened, std::vector<WindowId>({WindowId::Entry}));
}

// What may empty the book during a day before it is filled again.
enum class Emptied { ImportTakenBack, Reset, NotAtAll };

class DecayOnceADay : public DayScenario, public ::testing::WithParamInterface<Emptied> {
 protected:
  // The import window's import: today's words, then the plan.
  void Import(int count) {
    std::vector<NewWord> words;
    for (int i = 0; i < count; ++i) words.push_back({"import" + std::to_string(i), GBK("导入")});
    ASSERT_TRUE(ImportTodaysWords(world.Db(), *world.settings, world.P().Today(), words));
    world.P().LoadCurrentGroup();
    ComputeDayPlan(world.P());
  }
  // Page 单词学习 walked to the end of the list: the day's +20.
  void StudyTheDay() {
    ASSERT_FALSE(world.State().DueList.empty());
    LearningWindowLogic card(world.P());
    card.Created();
    while (!card.closed()) card.NextButton();
    card.Destroyed();
  }
  std::vector<int32_t> TodaysProficiencies() {
    std::vector<int32_t> p;
    for (const test::StoredWord& w : test::StoredWords(world.Db())) {
      if (w.date == world.P().Today()) p.push_back(w.proficiency);
    }
    return p;
  }
};

// The day's decay runs once a study day, whatever emptied the book that day:
// the words that filled it again and were studied (+20: 21) keep 21 at a
// later start of the day, and the card shows what the book holds. Words
// typed on an empty book at the day's first start were never decayed twice;
// after an undo or a reset during the day they were.
TEST_P(DecayOnceADay, TheWordsFilledInAfterwardsKeepWhatTheCardShowed) {
  switch (GetParam()) {
    case Emptied::ImportTakenBack:
      ASSERT_TRUE(Start());
      Import(4);
      world.prompter.answers = {true};
      logic->OnUndoImportMenu();
      ASSERT_EQ(world.Db().RecordCount(), 0);
      Import(4);
      break;
    case Emptied::Reset:
      ASSERT_TRUE(Start());
      QueueWords(1);
      logic->OnEntryButton();
      Close();
      NextDay();
      QueueWords(2);
      ASSERT_TRUE(Start());
      world.prompter.answers = {true};
      logic->OnResetButton();
      ASSERT_EQ(world.Db().RecordCount(), 0);
      QueueWords(1, 4);
      logic->OnEntryButton();
      break;
    case Emptied::NotAtAll:
      ASSERT_TRUE(Start());
      QueueWords(1, 4);
      logic->OnEntryButton();
      break;
  }
  StudyTheDay();
  ASSERT_EQ(TodaysProficiencies(), std::vector<int32_t>(4, 21));
  Close();
  world.clock.Set(world.P().Today() + 0.9);
  ASSERT_TRUE(Start());
  EXPECT_EQ(TodaysProficiencies(), std::vector<int32_t>(4, 21));
  LearningWindowLogic card(world.P());
  card.Created();
  EXPECT_EQ(card.proficiencyText(), "21%");
}

INSTANTIATE_TEST_SUITE_P(Days, DecayOnceADay,
                         ::testing::Values(Emptied::ImportTakenBack, Emptied::Reset,
                                           Emptied::NotAtAll),
                         [](const ::testing::TestParamInfo<Emptied>& info) {
                           switch (info.param) {
                             case Emptied::ImportTakenBack:
                               return "ImportTakenBack";
                             case Emptied::Reset:
                               return "Reset";
                             case Emptied::NotAtAll:
                               return "NotAtAll";
                           }
                           return "";
                         });

// A study day that begins while the program runs (a card closed past
// midnight computes the plan) makes that day's decay due: the next start
// decays once, and its cards show the decayed proficiency.
TEST_F(DayScenario, ANewDayBegunDuringTheRunDecaysOnceAtTheNextStart) {
  ASSERT_TRUE(Start());
  QueueWords(1);
  logic->OnEntryButton();
  world.Db().GoFirst();
  world.Db().WriteField(kProficiency, Value::Int(50));
  NextDay();
  QueueWords(2);
  ComputeDayPlan(world.P());
  EXPECT_EQ(world.Config("minus"), "false");
  Close();
  for (int start = 0; start < 2; ++start) {
    world.clock.Set(kDay1 + 1 + 0.1 * (start + 1));
    ASSERT_TRUE(Start());
    EXPECT_EQ(ProficiencyOf(1), 49) << "start " << start;
    ASSERT_FALSE(world.State().DueList.empty());
    EXPECT_EQ(world.State().DueList.front().Proficiency, 49) << "start " << start;
  }
}

}  // namespace
}  // namespace cindral
