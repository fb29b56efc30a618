// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The installed program: the package's files installed into a temporary
// root (as the Debian package lays them out under /usr), the program
// started from there with a fresh home. The learner's files appear in the
// XDG data folder, copied from /usr/share/cindral, which stays untouched;
// a second start keeps what the learner has.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "RunningProgram.h"
#include "TempDir.h"

namespace cindral {
namespace {

namespace fs = std::filesystem;
using test::Slurp;
using test::WaitFor;

// Quotes a path for the shell.
std::string Quoted(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

class PackageInstallTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    root_ = new test::TempDir("cindral-root");
    const std::string command = "DESTDIR=" + Quoted(root_->path()) + " " + Quoted(CINDRAL_CMAKE) +
                                " --install " + Quoted(CINDRAL_BINARY_DIR) + " --prefix /usr > " +
                                Quoted(root_->File("install.log")) + " 2>&1";
    installed_ = std::system(command.c_str()) == 0;
  }
  static void TearDownTestSuite() {
    delete root_;
    root_ = nullptr;
  }
  void SetUp() override { ASSERT_TRUE(installed_) << Slurp(root_->File("install.log")); }

  static std::string Usr(const std::string& path) { return root_->File("usr/" + path); }

  // Starts the installed program with this home (and XDG_DATA_HOME, when
  // given); returns once start-up has run the day's decay, which writes
  // "minus=true" to the settings file in `data`, then ends it as the
  // desktop does.
  void RunOnce(const std::string& home, const std::optional<std::string>& xdg,
               const std::string& data) {
    test::RunningProgram program = test::StartProgram(
        Usr("bin/cindral"), test::ProgramEnvironment({{"HOME", home}, {"XDG_DATA_HOME", xdg}}));
    ASSERT_TRUE(WaitFor([&] {
      return Slurp(data + "/Config.ini").find("minus=true") != std::string::npos;
    })) << "no settings in "
        << data;
    program.Terminate();
    EXPECT_EQ(program.Wait(), 0);
  }

  static test::TempDir* root_;
  static bool installed_;
  test::TempDir home_{"cindral-home"};
};

test::TempDir* PackageInstallTest::root_ = nullptr;
bool PackageInstallTest::installed_ = false;

TEST_F(PackageInstallTest, ThePackageLaysOutTheProgramsDataEntryIconsAndManualPage) {
  for (const char* file :
       {"bin/cindral", "bin/cindral-db", "share/cindral/艾宾浩斯.txt", "share/cindral/Config.ini",
        "share/cindral/单词本.EDB", "share/cindral/单词本.EDT",
        "share/applications/org.cindral.Cindral.desktop",
        "share/metainfo/org.cindral.Cindral.metainfo.xml",
        "share/icons/hicolor/scalable/apps/cindral.svg", "share/man/man1/cindral.1.gz",
        "share/man/man1/cindral-db.1.gz", "share/doc/cindral/changelog.gz",
        "share/doc/cindral/copyright"}) {
    EXPECT_TRUE(fs::is_regular_file(Usr(file))) << file;
  }
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    const std::string icon = "share/icons/hicolor/" + std::to_string(size) + "x" +
                             std::to_string(size) + "/apps/cindral.png";
    EXPECT_TRUE(fs::is_regular_file(Usr(icon))) << icon;
  }
  const std::string entry = Slurp(Usr("share/applications/org.cindral.Cindral.desktop"));
  for (const char* line : {"Exec=cindral\n", "Icon=cindral\n", "Name=Cindral Vocabulary\n",
                           "Name[zh_CN]=Cindral 单词本\n", "Type=Application\n"}) {
    EXPECT_NE(entry.find(line), std::string::npos) << line;
  }
  // The licence the package grants.
  const std::string copyright = Slurp(Usr("share/doc/cindral/copyright"));
  for (const char* line : {"Files: *\nCopyright: 2026 The Cindral developers\nLicense: GPL-3+\n",
                           "/usr/share/common-licenses/GPL-3"}) {
    EXPECT_NE(copyright.find(line), std::string::npos) << line;
  }
  // What software centres read: the metainfo beside the desktop entry it
  // names, valid as the installed tree holds them.
  const std::string validate = "appstreamcli validate-tree --no-net --strict " +
                               Quoted(root_->path()) + " > " +
                               Quoted(root_->File("appstream.txt")) + " 2>&1";
  EXPECT_EQ(std::system(validate.c_str()), 0) << Slurp(root_->File("appstream.txt"));
  // The shipped book is a sound, empty word book.
  const std::string check = Quoted(Usr("bin/cindral-db")) + " info " +
                            Quoted(Usr("share/cindral/单词本.EDB")) + " > " +
                            Quoted(root_->File("info.txt")) + " 2>&1";
  ASSERT_EQ(std::system(check.c_str()), 0) << Slurp(root_->File("info.txt"));
  EXPECT_NE(Slurp(root_->File("info.txt")).find("records 0\n"), std::string::npos);
}

TEST_F(PackageInstallTest, TheFirstStartCopiesTheLearnersFilesIntoTheXdgDataFolder) {
  const std::string shared = Usr("share/cindral");
  std::map<std::string, std::string> shipped;
  for (const auto& e : fs::directory_iterator(shared)) shipped[e.path()] = Slurp(e.path());
  const std::string data = home_.File(".local/share/cindral");
  RunOnce(home_.path(), std::nullopt, data);

  for (const char* name : {"艾宾浩斯.txt", "Config.ini", "单词本.EDB", "单词本.EDT"}) {
    EXPECT_TRUE(fs::is_regular_file(data + "/" + name)) << name;
  }
  EXPECT_EQ(Slurp(data + "/艾宾浩斯.txt"), Slurp(shared + "/艾宾浩斯.txt"));
  // The installed files are as they were, and nothing was written beside
  // the program.
  for (const auto& [path, bytes] : shipped) EXPECT_EQ(Slurp(path), bytes) << path;
  size_t programs = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(Usr("bin"))) ++programs;
  EXPECT_EQ(programs, 2u);
}

TEST_F(PackageInstallTest, ALaterStartKeepsTheLearnersFiles) {
  const std::string data = home_.File(".local/share/cindral");
  RunOnce(home_.path(), std::nullopt, data);
  std::string config = Slurp(data + "/Config.ini");
  const size_t at = config.find("groupnumber=");
  ASSERT_NE(at, std::string::npos);
  config.replace(at, config.find('\n', at) - at, "groupnumber=37");
  // The decay due again, so that the next start is seen to have run.
  const size_t minus = config.find("minus=true");
  ASSERT_NE(minus, std::string::npos);
  config.replace(minus, 10, "minus=false");
  std::ofstream(data + "/Config.ini", std::ios::binary | std::ios::trunc) << config;
  RunOnce(home_.path(), std::nullopt, data);
  EXPECT_NE(Slurp(data + "/Config.ini").find("groupnumber=37\n"), std::string::npos);
}

TEST_F(PackageInstallTest, XdgDataHomeChoosesTheFolder) {
  const std::string xdg = home_.File("elsewhere");
  RunOnce(home_.path(), xdg, xdg + "/cindral");
  EXPECT_TRUE(fs::is_regular_file(xdg + "/cindral/单词本.EDB"));
  EXPECT_FALSE(fs::exists(home_.File(".local/share/cindral")));
}

}  // namespace
}  // namespace cindral
