// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Files written and copied whole: the permission bits they get under the
// learner's umask, and a writer killed at random moments, which leaves the
// old file or the new one, whole.

#include "core/WholeFiles.h"

#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "FileBytes.h"
#include "TempDir.h"

namespace cindral {
namespace {

void Put(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 01000;
}

// What the learner writes (exports, pictures) is made as any program makes
// a file; a file replaced keeps its bits; the copies of the book and its
// settings stay the owner's alone.
TEST(WholeFilesTest, NewFilesFollowTheUmaskReplacedOnesKeepTheirBitsCopiesStayPrivate) {
  struct Case {
    mode_t umask;
    mode_t written;   // a new file written whole
    mode_t replaced;  // written over a file of 0640
  };
  const Case cases[] = {{022, 0644, 0640}, {077, 0600, 0640}, {002, 0664, 0640}};
  for (const Case& c : cases) {
    test::TempDir dir("cindral-whole-files");
    Put(dir.File("old.tsv"), "old");
    ASSERT_EQ(::chmod(dir.File("old.tsv").c_str(), 0640), 0);
    Put(dir.File("open.EDB"), "book");
    ASSERT_EQ(::chmod(dir.File("open.EDB").c_str(), 0644), 0);

    const mode_t previous = ::umask(c.umask);
    const bool written = WriteFileWhole(dir.File("new.tsv"), "new");
    const bool replaced = WriteFileWhole(dir.File("old.tsv"), "new");
    const bool copied = CopyFileWhole(dir.File("open.EDB"), dir.File("copy.EDB"), true);
    ::umask(previous);

    ASSERT_TRUE(written && replaced && copied);
    EXPECT_EQ(ModeOf(dir.File("new.tsv")), c.written) << std::oct << c.umask;
    EXPECT_EQ(ModeOf(dir.File("old.tsv")), c.replaced) << std::oct << c.umask;
    EXPECT_EQ(ModeOf(dir.File("copy.EDB")), mode_t(0600)) << std::oct << c.umask;
    EXPECT_EQ(test::Slurp(dir.File("old.tsv")), "new");
    EXPECT_EQ(test::Slurp(dir.File("copy.EDB")), "book");
  }
}

int Kills() {
  const char* text = std::getenv("CINDRAL_KILLS");
  const int n = text != nullptr ? std::atoi(text) : 0;
  return n > 0 ? n : 100;
}

// A file rewritten again and again, the writer killed at random moments:
// the file is always one of the versions written, whole.
TEST(WholeFilesTest, AWriterKilledAtAnyMomentLeavesAWholeVersion) {
  test::TempDir dir("cindral-whole-files-kill");
  const std::string path = dir.File("单词本.tsv");
  // Version n: n repeated over 200 KiB, several writes' worth.
  const auto version = [](int64_t n) {
    const std::string line = std::to_string(n) + "\tword\tmeaning\n";
    std::string text;
    while (text.size() < 200 * 1024) text += line;
    return text;
  };
  auto* progress = static_cast<std::atomic<int64_t>*>(::mmap(nullptr, sizeof(std::atomic<int64_t>),
                                                             PROT_READ | PROT_WRITE,
                                                             MAP_SHARED | MAP_ANONYMOUS, -1, 0));
  ASSERT_NE(progress, MAP_FAILED);
  new (progress) std::atomic<int64_t>(0);
  std::mt19937 delays(29);
  for (int round = 0; round < Kills(); ++round) {
    ASSERT_TRUE(WriteFileWhole(path, version(0)));
    progress->store(-1);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      progress->store(0);
      for (int64_t i = 1;; ++i) {
        if (!WriteFileWhole(path, version(i))) ::_exit(3);
        progress->store(i);
      }
    }
    while (progress->load() < 0) std::this_thread::sleep_for(std::chrono::microseconds(100));
    std::this_thread::sleep_for(std::chrono::microseconds(delays() % 20000));
    ASSERT_EQ(::kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer failed";
    const int64_t done = progress->load();
    const std::string found = test::Slurp(path);
    ASSERT_TRUE(found == version(done) || found == version(done + 1))
        << "round " << round << " after " << done << " writes: " << found.size() << " bytes";
    // What the killed writer left half made goes with the folder.
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      if (entry.path() != path) std::filesystem::remove(entry.path());
    }
  }
  ::munmap(progress, sizeof(std::atomic<int64_t>));
}

}  // namespace
}  // namespace cindral
