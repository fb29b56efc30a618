// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A settings writer killed at random moments: Config.ini is always the file
// before the write that was running or the file after it, whole, and the
// write after the kill takes away what the killed one left. CINDRAL_KILLS
// sets the number of kills (100 by default).

#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

#include "TempDir.h"
#include "core/IniFile.h"
#include "core/Settings.h"

namespace cindral {
namespace {

int Kills() {
  const char* text = std::getenv("CINDRAL_KILLS");
  const int n = text != nullptr ? std::atoi(text) : 0;
  return n > 0 ? n : 100;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// The values the writer gives the keys at its n-th write.
std::string ValueOf(const char* key, int64_t n) { return std::string(key) + std::to_string(n); }
const char* KeyOf(int64_t n) { return n % 2 == 0 ? "reviewnumber" : "groupnumber"; }

TEST(SettingsKillTest, ConfigIniIsAlwaysTheOldFileOrTheNewOneWhole) {
  test::TempDir dir("cindral-settings-kill");
  const std::string path = dir.File("Config.ini");
  const std::string base =
      "; kept as it is\n[Config]\nreviewnumber=1\ngroupnumber=1\nplus=false\nminus=true\n"
      "[Skin]\npicid=3\ncolor=13998394\n";
  auto* progress = static_cast<std::atomic<int64_t>*>(::mmap(nullptr, sizeof(std::atomic<int64_t>),
                                                             PROT_READ | PROT_WRITE,
                                                             MAP_SHARED | MAP_ANONYMOUS, -1, 0));
  ASSERT_NE(progress, MAP_FAILED);
  new (progress) std::atomic<int64_t>(0);
  // The file after the first n writes, made by the same writes elsewhere.
  test::TempDir scratch("cindral-settings-expect");
  auto expected = [&](int64_t n) {
    const std::string copy = scratch.File("Config.ini");
    WriteFile(copy, base);
    // Each key holds the value of its last write.
    for (int64_t i = std::max<int64_t>(1, n - 1); i <= n; ++i) {
      WriteProfileString(copy, "Config", KeyOf(i), ValueOf(KeyOf(i), i));
    }
    return ReadFile(copy);
  };

  // Each kill falls at a random moment of the first, second or third
  // write, whatever a write costs on this machine at the moment (measured
  // here, on a file beside): the writer is let finish the writes before,
  // then killed within about a write's time.
  const long writeMicros = [&] {
    Settings settings(scratch.path());
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 10; ++i) settings.WriteSetting("Config", "plus", std::to_string(i));
    const auto spent = std::chrono::steady_clock::now() - start;
    return std::max<long>(
        1, std::chrono::duration_cast<std::chrono::microseconds>(spent).count() / 10);
  }();
  std::mt19937 random(777);
  std::uniform_int_distribution<long> delays(0, writeMicros);
  for (int round = 0; round < Kills(); ++round) {
    WriteFile(path, base);
    progress->store(-1);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      Settings settings(dir.path());
      progress->store(0);
      for (int64_t i = 1;; ++i) {
        if (!settings.WriteSetting("Config", KeyOf(i), ValueOf(KeyOf(i), i))) ::_exit(3);
        progress->store(i);
      }
    }
    const int64_t writesBefore = round % 3;
    while (progress->load() < writesBefore) {
      std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delays(random)));
    ASSERT_EQ(::kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer failed";
    const int64_t done = progress->load();
    const std::string found = ReadFile(path);
    ASSERT_TRUE(found == expected(done) || found == expected(done + 1))
        << "round " << round << " after " << done << " writes:\n"
        << found;
    // The next write goes through and leaves nothing of the killed one.
    ASSERT_TRUE(Settings(dir.path()).WriteSetting("Config", "plus", "true"));
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      (void)entry;
      ++files;
    }
    ASSERT_EQ(files, 1) << "round " << round;
  }
  ::munmap(progress, sizeof(std::atomic<int64_t>));
}

}  // namespace
}  // namespace cindral
