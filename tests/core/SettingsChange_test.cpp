// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Settings keys changed in the same change as the word book: stored as the
// settings file's own writes store them, in the file a write would replace,
// and under the lock that the settings file's writers take, so that a
// writer arriving meanwhile waits and neither loses the other's key.

#include "core/SettingsChange.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "TestWorld.h"
#include "core/IniFile.h"
#include "store/WholeFileScope.h"

namespace cindral {
namespace {

// The settings change, with a pause inside its update.
class SlowChange final : public CompanionFile {
 public:
  SlowChange(SettingsChange& change, std::function<void()> during)
      : change_(change), during_(std::move(during)) {}
  std::string Path() const override { return change_.Path(); }
  bool Update(const std::string* old, std::string* updated) override {
    during_();
    return change_.Update(old, updated);
  }

 private:
  SettingsChange& change_;
  std::function<void()> during_;
};

TEST(SettingsChangeTest, KeysAreStoredAsTheSettingsFileStoresThem) {
  test::TempDir dir("cindral-settings-change");
  const std::string lines =
      "; kept\r\n[Skin]\r\npicid=3\r\n[Config]\r\nreviewnumber=4\r\nplus = false\r\n";
  std::ofstream(dir.File("Config.ini"), std::ios::binary) << lines;
  std::ofstream(dir.File("copy.ini"), std::ios::binary) << lines;
  Settings settings(Utf8ToGbk(dir.path()));
  SettingsChange change(settings);
  const std::vector<std::array<const char*, 2>> keys = {
      {"plus", "true"}, {"groupnumber", "2"}, {"reviewnumber", " 1 "}};
  for (const auto& [key, value] : keys) change.Set(kConfigSection, key, value);
  std::string updated;
  ASSERT_TRUE(change.Update(&lines, &updated));
  const std::string copy = Utf8ToGbk(dir.File("copy.ini"));
  for (const auto& [key, value] : keys) WriteProfileString(copy, kConfigSection, key, value);
  std::ifstream in(dir.File("copy.ini"), std::ios::binary);
  EXPECT_EQ(updated, std::string(std::istreambuf_iterator<char>(in), {}));
  // A missing file starts empty; a key that cannot be stored refuses.
  ASSERT_TRUE(change.Update(nullptr, &updated));
  EXPECT_EQ(updated, "[Config]\nplus=true\ngroupnumber=2\nreviewnumber=\" 1 \"\n");
  change.Set(kConfigSection, "bad=key", "1");
  EXPECT_FALSE(change.Update(&lines, &updated));
  // The file a write replaces: a link is followed to its target.
  std::filesystem::create_symlink(dir.File("copy.ini"), dir.File("config.INI"));
  std::filesystem::remove(dir.File("Config.ini"));
  EXPECT_EQ(change.Path(), Utf8ToGbk(dir.File("copy.ini")));
}

TEST(SettingsChangeTest, AWriterOfTheSettingsMeanwhileWaitsAndNoKeyIsLost) {
  test::TestWorld world;
  world.WriteFreshConfig();
  world.OpenWordBook();
  world.AddWord(1, "apple", 45000.0);
  SettingsChange change(*world.settings);
  change.Set(kConfigSection, "minus", "true");
  std::thread writer;
  bool written = false;
  SlowChange slow(change, [&] {
    // The skin chooser stores its look while the change is being made.
    writer = std::thread([&] { written = world.settings->WriteSetting("Skin", "picid", "5"); });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(world.Config("minus"), "false");
  });
  {
    WholeFileScope scope(world.Db());
    ASSERT_TRUE(scope.AlsoReplace(slow));
    ASSERT_TRUE(world.Db().WriteField(kProficiency, Value::Int(7)));
    ASSERT_TRUE(scope.End());
  }
  writer.join();
  EXPECT_TRUE(written);
  EXPECT_EQ(world.Config("minus"), "true");
  EXPECT_EQ(world.settings->ReadSetting("Skin", "picid"), "5");
}

}  // namespace
}  // namespace cindral
