// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TempDir.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

namespace fs = std::filesystem;

class SettingsTest : public ::testing::Test {
 protected:
  void Put(const std::string& name, const std::string& bytes) const {
    std::ofstream out(dir_ + "/" + name, std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  std::string Get(const std::string& name) const {
    std::ifstream in(dir_ + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  test::TempDir temp_{"cindral-settings"};
  const std::string dir_ = temp_.path();
};

using Names = std::vector<std::string>;

TEST_F(SettingsTest, MissingFileReadsEmptyAndZeroUntilTheFirstWriteCreatesIt) {
  Settings settings(dir_);
  EXPECT_EQ(settings.Path(), dir_ + "/Config.ini");
  EXPECT_EQ(settings.ReadSetting("Config", "plus"), "");
  EXPECT_EQ(settings.ReadSettingInt("Config", "groupnumber"), 0);
  EXPECT_TRUE(Entries().empty());

  settings.WriteSetting("Config", "groupnumber", "1");
  EXPECT_EQ(Entries(), Names{"Config.ini"});
  EXPECT_EQ(Get("Config.ini"), "[Config]\ngroupnumber=1\n");
  EXPECT_EQ(settings.ReadSettingInt("Config", "groupnumber"), 1);
}

TEST_F(SettingsTest, FileNameMatchesWithoutCase) {
  Put("config.ini", "[Skin]\ncolor=13998394\n");
  Settings settings(dir_);
  EXPECT_EQ(settings.Path(), dir_ + "/config.ini");
  EXPECT_EQ(settings.ReadSettingInt("Skin", "color"), 13998394);
  settings.WriteSetting("Config", "plus", "false");
  EXPECT_EQ(Entries(), Names{"config.ini"});  // no second file beside it
  EXPECT_EQ(Get("config.ini"), "[Skin]\ncolor=13998394\n[Config]\nplus=false\n");
}

TEST_F(SettingsTest, ExactSpellingWinsAndFoldersAreNoSettingsFile) {
  ASSERT_TRUE(fs::create_directory(dir_ + "/CONFIG.INI"));
  Settings settings(dir_);
  EXPECT_EQ(settings.Path(), dir_ + "/Config.ini");

  Put("cOnFiG.iNi", "[Config]\nplus=a\n");
  EXPECT_EQ(settings.Path(), dir_ + "/cOnFiG.iNi");  // found anew on every access
  EXPECT_EQ(settings.ReadSetting("Config", "plus"), "a");

  Put("Config.ini", "[Config]\nplus=b\n");
  EXPECT_EQ(settings.Path(), dir_ + "/Config.ini");
  EXPECT_EQ(settings.ReadSetting("Config", "plus"), "b");

  fs::remove(dir_ + "/Config.ini");
  fs::rename(dir_ + "/cOnFiG.iNi", dir_ + "/config.INI");
  EXPECT_EQ(settings.ReadSetting("Config", "plus"), "a");
}

TEST_F(SettingsTest, TextStaysExactSoOnlyLowerCaseFalseMeansDue) {
  Settings settings(dir_);
  settings.WriteSetting("Config", "plus", "False");
  settings.WriteSetting("Config", "minus", "false");
  EXPECT_EQ(settings.ReadSetting("Config", "plus"), "False");
  EXPECT_NE(settings.ReadSetting("Config", "plus"), "false");
  EXPECT_EQ(settings.ReadSetting("Config", "minus"), "false");
}

TEST_F(SettingsTest, IntegersAreReadFromLeadingDigits) {
  Put("Config.ini", "[Config]\nreviewnumber= 42abc\ngroupnumber=-7\nplus=false\nminus=\n");
  Settings settings(dir_);
  EXPECT_EQ(settings.ReadSettingInt("Config", "reviewnumber"), 42);
  EXPECT_EQ(settings.ReadSettingInt("Config", "groupnumber"), -7);
  EXPECT_EQ(settings.ReadSettingInt("Config", "plus"), 0);
  EXPECT_EQ(settings.ReadSettingInt("Config", "minus"), 0);
}

TEST_F(SettingsTest, GbkProgramDirectoryIsFound) {
  const std::string utf8Dir = dir_ + "/单词本";
  ASSERT_TRUE(fs::create_directory(utf8Dir));
  std::ofstream(utf8Dir + "/CONFIG.ini") << "[Config]\nreviewnumber=5\n";
  Settings settings(Utf8ToGbk(utf8Dir));
  EXPECT_EQ(settings.Path(), Utf8ToGbk(utf8Dir) + "/CONFIG.ini");
  EXPECT_EQ(settings.ReadSettingInt("Config", "reviewnumber"), 5);
  settings.WriteSetting("Config", "reviewnumber", GBK("六"));
  EXPECT_EQ(settings.ReadSetting("Config", "reviewnumber"), GBK("六"));
}

}  // namespace
}  // namespace cindral
