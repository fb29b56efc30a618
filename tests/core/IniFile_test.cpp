// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/IniFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Children.h"
#include "TempDir.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
 protected:
  void TearDown() override { SetProfileRenameForTesting(nullptr); }

  void Put(const std::string& bytes) const { Put(path_, bytes); }
  static void Put(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  std::string Get() const { return Get(path_); }
  static std::string Get(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::string Read(const std::string& section, const std::string& key,
                   const std::string& fallback = "<none>") const {
    return ReadProfileString(path_, section, key, fallback);
  }
  bool Write(const std::string& section, const std::string& key, const std::string& value) const {
    return WriteProfileString(path_, section, key, value);
  }
  // Names in the directory: a left-over temporary file would show here.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  test::TempDir temp_{"cindral-ini"};
  const std::string dir_ = temp_.path();
  const std::string path_ = dir_ + "/Config.ini";
};

using Names = std::vector<std::string>;

// ---- Reading ----

TEST_F(IniFileTest, SectionsAndKeysMatchWithoutCaseAndBlanksAroundNamesAreIgnored) {
  Put("[Config]\nreviewnumber=12\n  [ Skin ]  ; look\n\tColor  =  13998394 \t\n");
  EXPECT_EQ(Read("config", "ReviewNumber"), "12");
  EXPECT_EQ(Read("CONFIG", "reviewnumber"), "12");
  EXPECT_EQ(Read("skin", "color"), "13998394");
  EXPECT_EQ(Read(" Skin ", " COLOR "), "13998394");
  EXPECT_EQ(Read("Skin", "reviewnumber"), "<none>");
}

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesTheFallback) {
  EXPECT_EQ(Read("Config", "plus"), "<none>");
  EXPECT_EQ(ReadProfileString(path_, "Config", "plus"), "");
  EXPECT_FALSE(fs::exists(path_));  // reading never creates the file
  Put("[Config]\nplus=false\n");
  EXPECT_EQ(Read("Other", "plus"), "<none>");
  EXPECT_EQ(Read("Config", "minus"), "<none>");
  EXPECT_EQ(Read("Config", ""), "<none>");
  EXPECT_EQ(Read("", "plus"), "<none>");

  Put("[Config]\nplus=\nminus\n");
  EXPECT_EQ(Read("Config", "plus"), "");         // present but empty
  EXPECT_EQ(Read("Config", "minus"), "<none>");  // no '=': no value
}

TEST_F(IniFileTest, OnePairOfMatchingQuotesIsRemoved) {
  Put("[S]\na=\"x y\"\nb='z'\nc=\"half\nd='mixed\"\ne=\"\nf=\"\"\ng=\"\"q\"\"\nh= \" in \" \n");
  EXPECT_EQ(Read("S", "a"), "x y");
  EXPECT_EQ(Read("S", "b"), "z");
  EXPECT_EQ(Read("S", "c"), "\"half");
  EXPECT_EQ(Read("S", "d"), "'mixed\"");
  EXPECT_EQ(Read("S", "e"), "\"");
  EXPECT_EQ(Read("S", "f"), "");
  EXPECT_EQ(Read("S", "g"), "\"q\"");
  EXPECT_EQ(Read("S", "h"), " in ");
}

TEST_F(IniFileTest, FirstDuplicateSectionAndKeyWin) {
  Put("[A]\nk=1\nk=2\n[B]\nk=3\n[a]\nk=4\nonly=5\n");
  EXPECT_EQ(Read("A", "k"), "1");
  EXPECT_EQ(Read("B", "k"), "3");
  EXPECT_EQ(Read("A", "only"), "<none>");  // the second [a] is not looked at
}

TEST_F(IniFileTest, CommentsAndLinesBeforeTheFirstSectionAreNoKeys) {
  Put("k=0\n[S]\n;k=1\n  # k=2\n[S2]\n");
  EXPECT_EQ(Read("S", "k"), "<none>");
  EXPECT_EQ(Read("S", ";k"), "<none>");
}

TEST_F(IniFileTest, TwoByteCharactersCompareWholeEvenWhenATrailByteIsALetterOrBracket) {
  // 0x81 0x41 and 0x81 0x61 are two different characters; 0x81 0x5D ends in ']'.
  Put("[\x81\x5D" + GBK("设置") + "]\n\x81\x41=upper\n" + GBK("颜色") + "=" + GBK("蓝") + "\n");
  EXPECT_EQ(Read("\x81\x5D" + GBK("设置"), "\x81\x41"), "upper");
  EXPECT_EQ(Read("\x81\x5D" + GBK("设置"), "\x81\x61"), "<none>");
  EXPECT_EQ(Read("\x81\x5D" + GBK("设置"), GBK("颜色")), GBK("蓝"));
  EXPECT_EQ(Read("\x81\x7D", "\x81\x41"), "<none>");
}

TEST_F(IniFileTest, ValueIsCutToTheBufferWithoutSplittingACharacter) {
  const std::string longValue(20000, 'a');
  Put("[S]\nlong=" + longValue + "\nfit=" + std::string(10239, 'b') + "\n");
  EXPECT_EQ(Read("S", "long"), std::string(10239, 'a'));
  EXPECT_EQ(Read("S", "fit"), std::string(10239, 'b'));

  // A two-byte character across the limit is dropped whole.
  Put("[S]\nk=" + std::string(10238, 'c') + GBK("中") + "\n");
  EXPECT_EQ(Read("S", "k"), std::string(10238, 'c'));

  Put("[S]\nk=abcdef\n");
  EXPECT_EQ(ReadProfileString(path_, "S", "k", "", 4), "abc");
  EXPECT_EQ(ReadProfileString(path_, "S", "k", "", 0), "");
  EXPECT_EQ(ReadProfileString(path_, "S", "missing", "fallback", 4), "fal");
}

TEST_F(IniFileTest, CrlfAndMissingFinalLineBreakAreRead) {
  Put("[S]\r\na=1\r\n\r\nb = 2 \r\n[T]\r\nlast=x");
  EXPECT_EQ(Read("S", "a"), "1");
  EXPECT_EQ(Read("S", "b"), "2");
  EXPECT_EQ(Read("T", "last"), "x");
}

TEST_F(IniFileTest, BinaryJunkAndMegabyteLinesAreReadWithoutHarm) {
  std::string junk("\0\xff\xfe\x81\n\x80", 6);  // a lead byte right before the line break
  junk += std::string(5 << 20, '\xff');         // a 5 MB line of invalid GBK
  junk += "\n[S]\nnul=a";
  junk += std::string("\0b", 2);
  junk += "\nafter=ok\x81\nhuge=" + std::string(3 << 20, 'v') + "\nend=1";
  Put(junk);
  EXPECT_EQ(Read("S", "nul"), std::string("a\0b", 3));
  EXPECT_EQ(Read("S", "after"), "ok\x81");
  EXPECT_EQ(Read("S", "huge"), std::string(10239, 'v'));
  EXPECT_EQ(Read("S", "end"), "1");

  // Writing keeps every junk byte.
  ASSERT_TRUE(Write("S", "end", "2"));
  junk.replace(junk.size() - 1, 1, "2");
  EXPECT_EQ(Get(), junk);
}

// ---- Writing ----

TEST_F(IniFileTest, FirstWriteCreatesTheFile) {
  ASSERT_TRUE(Write("Config", "groupnumber", "1"));
  EXPECT_EQ(Get(), "[Config]\ngroupnumber=1\n");
  EXPECT_EQ(Read("config", "GROUPNUMBER"), "1");
}

TEST_F(IniFileTest, RewritingAKeyChangesOnlyItsLineAndKeepsItsSpelling) {
  const std::string before =
      "; settings\n\n[Config]\n  ReviewNumber  =  7  ; not a comment\nplus=false\n\n"
      "# next\n[Skin]\ncolor=1\n";
  Put(before);
  ASSERT_TRUE(Write("CONFIG", "reviewnumber", "8"));
  EXPECT_EQ(Get(),
            "; settings\n\n[Config]\nReviewNumber=8\nplus=false\n\n# next\n[Skin]\ncolor=1\n");
  EXPECT_EQ(Read("Config", "reviewnumber"), "8");
}

TEST_F(IniFileTest, NewKeyGoesAfterTheLastEntryOfItsSection) {
  Put("[Config]\nplus=false\n; about skin\n\n[Skin]\ncolor=1\n\n\n");
  ASSERT_TRUE(Write("config", "minus", "true"));
  ASSERT_TRUE(Write("skin", "style", "2"));
  EXPECT_EQ(Get(),
            "[Config]\nplus=false\nminus=true\n; about skin\n\n[Skin]\ncolor=1\nstyle=2\n\n\n");

  // A section without entries gets the key right after its header.
  Put("[Empty]\n\n[Next]\n");
  ASSERT_TRUE(Write("Empty", "k", "v"));
  EXPECT_EQ(Get(), "[Empty]\nk=v\n\n[Next]\n");
}

TEST_F(IniFileTest, NewSectionGoesAtTheEndOfTheFile) {
  const std::string before = "\xef\xbb junk line\n[Config]\nplus=false\n; end\n";
  Put(before);
  ASSERT_TRUE(Write("Skin", "picid", "3"));
  EXPECT_EQ(Get(), before + "[Skin]\npicid=3\n");
}

TEST_F(IniFileTest, WritesGoToTheFirstDuplicateSectionAndKey) {
  Put("[A]\nk=1\nk=2\n[a]\nk=3\n");
  ASSERT_TRUE(Write("a", "K", "9"));
  ASSERT_TRUE(Write("A", "new", "n"));
  EXPECT_EQ(Get(), "[A]\nk=9\nk=2\nnew=n\n[a]\nk=3\n");
}

TEST_F(IniFileTest, CrlfFileKeepsCrlfOnEveryLine) {
  Put("[Config]\r\nplus=false\r\n\r\n");
  ASSERT_TRUE(Write("Config", "plus", "true"));
  ASSERT_TRUE(Write("Config", "minus", "false"));
  ASSERT_TRUE(Write("Skin", "style", "1"));
  EXPECT_EQ(Get(), "[Config]\r\nplus=true\r\nminus=false\r\n\r\n[Skin]\r\nstyle=1\r\n");
}

TEST_F(IniFileTest, FileWithoutFinalLineBreakKeepsWorking) {
  Put("[Config]\nplus=false");
  ASSERT_TRUE(Write("Config", "plus", "true"));
  EXPECT_EQ(Get(), "[Config]\nplus=true");
  ASSERT_TRUE(Write("Config", "minus", "x"));
  EXPECT_EQ(Get(), "[Config]\nplus=true\nminus=x\n");

  Put("[Config]\r\nplus=false");
  ASSERT_TRUE(Write("Skin", "color", "5"));
  EXPECT_EQ(Get(), "[Config]\r\nplus=false\r\n[Skin]\r\ncolor=5\r\n");

  Put("[Config]");
  ASSERT_TRUE(Write("Config", "a", "1"));
  EXPECT_EQ(Get(), "[Config]\na=1\n");
}

TEST_F(IniFileTest, GbkTextAndPathRoundTripExactly) {
  const std::string gbkPath = Utf8ToGbk(dir_) + "/" + GBK("设置.ini");
  const std::string section = GBK("设置");
  const std::string key = GBK("颜色");
  const std::string value = GBK("蓝色，“引号”") + "\x81\x41\x81\x5D";
  ASSERT_TRUE(WriteProfileString(gbkPath, section, key, value));
  EXPECT_EQ(ReadProfileString(gbkPath, section, key), value);
  EXPECT_EQ(Get(dir_ + "/设置.ini"), "[" + section + "]\n" + key + "=" + value + "\n");
}

TEST_F(IniFileTest, ValuesThatReadingWouldTrimOrUnquoteAreStoredInQuotes) {
  for (const std::string value : {" lead", "trail\t", "\"quoted\"", "'single'", " "}) {
    ASSERT_TRUE(Write("S", "k", value));
    EXPECT_EQ(Read("S", "k"), value);
  }
  EXPECT_EQ(Get(), "[S]\nk=\" \"\n");
  for (const std::string value : {"\"", "a\"b", "'x\"", ""}) {
    ASSERT_TRUE(Write("S", "k", value));
    EXPECT_EQ(Get(), "[S]\nk=" + value + "\n");
    EXPECT_EQ(Read("S", "k"), value);
  }
}

TEST_F(IniFileTest, NamesAndValuesThatWouldBreakTheFileAreRefused) {
  const std::string before = "[S]\nk=1\n";
  Put(before);
  EXPECT_FALSE(Write("S", "k", "1\n[Evil]\nx=2"));
  EXPECT_FALSE(Write("S", "k", "1\r2"));
  EXPECT_FALSE(Write("S", "a=b", "1"));
  EXPECT_FALSE(Write("S", "a\nb", "1"));
  EXPECT_FALSE(Write("S", ";k", "1"));
  EXPECT_FALSE(Write("S", "#k", "1"));
  EXPECT_FALSE(Write("S", "[k]", "1"));
  EXPECT_FALSE(Write("S", "  ", "1"));
  EXPECT_FALSE(Write("S", "k\x81", "1"));  // would swallow the '='
  EXPECT_FALSE(Write("S]x", "k", "1"));
  EXPECT_FALSE(Write("", "k", "1"));
  EXPECT_EQ(Get(), before);
  EXPECT_EQ(Entries(), Names{"Config.ini"});
}

TEST_F(IniFileTest, ReplaceLeavesNoTemporaryFileAndKeepsPermissionBits) {
  Put("[S]\nk=1\n");
  ASSERT_EQ(chmod(path_.c_str(), 0640), 0);
  ASSERT_TRUE(Write("S", "k", "2"));
  ASSERT_TRUE(Write("S", "other", "3"));
  EXPECT_EQ(Get(), "[S]\nk=2\nother=3\n");
  EXPECT_EQ(Entries(), Names{"Config.ini"});
  struct stat info {};
  ASSERT_EQ(stat(path_.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(IniFileTest, NewFileGetsTheUsualPermissions) {
  const mode_t previous = umask(022);
  const bool written = Write("S", "k", "1");
  umask(previous);
  ASSERT_TRUE(written);
  struct stat info {};
  ASSERT_EQ(stat(path_.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0644u);
}

TEST_F(IniFileTest, FailedWriteLeavesTheOldFileAndNoTemporaryFile) {
  const std::string before = "[S]\nk=1\n";
  Put(before);
  // A file size limit binds root too: the temporary file cannot be filled.
  struct rlimit saved {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  struct sigaction ignore {
  }, savedAction{};
  ignore.sa_handler = SIG_IGN;
  ASSERT_EQ(sigaction(SIGXFSZ, &ignore, &savedAction), 0);
  struct rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = Write("S", "k", std::string(100000, 'x'));
  setrlimit(RLIMIT_FSIZE, &saved);
  sigaction(SIGXFSZ, &savedAction, nullptr);

  EXPECT_FALSE(written);
  EXPECT_EQ(Get(), before);
  EXPECT_EQ(Entries(), Names{"Config.ini"});
}

TEST_F(IniFileTest, FailedRenameLeavesTheOldFileAndNoTemporaryFile) {
  const std::string before = "[S]\nk=1\n";
  Put(before);
  SetProfileRenameForTesting([](const char*, const char*) {
    errno = EIO;
    return -1;
  });
  EXPECT_FALSE(Write("S", "k", "2"));
  EXPECT_FALSE(Write("T", "new", "2"));
  EXPECT_EQ(Get(), before);
  EXPECT_EQ(Entries(), Names{"Config.ini"});
}

TEST_F(IniFileTest, UnreadableFileReadsAsEmptyAndIsNotReplaced) {
  // As root nothing is unreadable by its permission bits; a directory (with
  // something in it) and a named pipe stand in for an unreadable file.
  ASSERT_TRUE(fs::create_directory(path_));
  Put(path_ + "/inside", "keep");
  EXPECT_EQ(Read("S", "k"), "<none>");
  EXPECT_FALSE(Write("S", "k", "1"));
  EXPECT_TRUE(fs::is_directory(path_));
  EXPECT_EQ(Get(path_ + "/inside"), "keep");

  const std::string pipe = dir_ + "/pipe.ini";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
  EXPECT_EQ(ReadProfileString(pipe, "S", "k", "fallback"), "fallback");  // does not hang
  EXPECT_FALSE(WriteProfileString(pipe, "S", "k", "1"));
  struct stat info {};
  ASSERT_EQ(lstat(pipe.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
  EXPECT_EQ(Entries(), (Names{"Config.ini", "pipe.ini"}));
}

TEST_F(IniFileTest, WriteThroughASymbolicLinkUpdatesItsTarget) {
  const std::string target = dir_ + "/real.ini";
  Put(target, "[S]\nk=1\n");
  ASSERT_EQ(symlink("real.ini", path_.c_str()), 0);
  ASSERT_TRUE(Write("S", "k", "2"));
  EXPECT_TRUE(fs::is_symlink(path_));
  EXPECT_EQ(Get(target), "[S]\nk=2\n");
  EXPECT_EQ(Entries(), (Names{"Config.ini", "real.ini"}));
}

// ---- Two writers ----

// Two processes (two programs, or a program and a tool) write different keys
// 1,000 times each: every write reads back at once, and none is lost.
TEST_F(IniFileTest, TwoProcessesWritingDifferentKeysLoseNoUpdate) {
  // In memory when the system offers it: the test is about the lock, not
  // about the disk's speed.
  test::TempDir shm("cindral-ini", access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "");
  const std::string path = shm.File("Config.ini");
  Put(path, "[Config]\nreviewnumber=0\ngroupnumber=0\n");
  constexpr int kWrites = 1000;
  const char* keys[2] = {"reviewnumber", "groupnumber"};
  const std::vector<int> statuses = test::RunInChildren(2, [&](int c) {
    for (int i = 1; i <= kWrites; ++i) {
      if (!WriteProfileString(path, "Config", keys[c], std::to_string(i))) return 2;
      if (ReadProfileString(path, "Config", keys[c]) != std::to_string(i)) return 3;
    }
    return 0;
  });
  // 2: a write failed, 3: an update was lost.
  EXPECT_EQ(statuses, (std::vector<int>{0, 0}));
  EXPECT_EQ(ReadProfileString(path, "Config", "reviewnumber"), std::to_string(kWrites));
  EXPECT_EQ(ReadProfileString(path, "Config", "groupnumber"), std::to_string(kWrites));
}

TEST_F(IniFileTest, AWriterHoldingTheFileTooLongMakesTheWriteFail) {
  Put("[S]\nk=1\n");
  const int held = open(dir_.c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(held, 0);
  ASSERT_EQ(flock(held, LOCK_EX), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) _exit(Write("S", "k", "2") ? 1 : 0);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the write went past the lock";
  close(held);
  EXPECT_EQ(Get(), "[S]\nk=1\n");
  EXPECT_TRUE(Write("S", "k", "2"));
}

// A writer killed between its temporary file and the rename leaves that
// file behind; the next write takes it away.
TEST_F(IniFileTest, TemporaryFilesOfWritersKilledHalfwayAreTakenAway) {
  Put("[S]\nk=1\n");
  Put(dir_ + "/.Config.ini.12345.678.9.tmp", "[S]\nk=half");
  Put(dir_ + "/.other.ini.1.2.3.tmp", "not ours");
  EXPECT_TRUE(Write("S", "k", "2"));
  EXPECT_EQ(Entries(), (Names{".other.ini.1.2.3.tmp", "Config.ini"}));
}

}  // namespace
}  // namespace cindral
