// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The note of a clean close: a read-write open reads the whole side file
// (the block audit) unless the book's last read-write user closed it with
// every change whole and nobody has written either file since. Whatever
// happened in between, the audit must run again.

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "FaultyFiles.h"
#include "TempDatabase.h"
#include "TempDir.h"
#include "WrappingFileSystem.h"
#include "store/CleanMark.h"
#include "store/Database.h"
#include "store/DatabaseErrors.h"
#include "store/ForwardingFile.h"
#include "store/RecordFile.h"

namespace cindral {
namespace {

using testing::TempDatabase;
using testing::Text;

class CleanCloseTest : public ::testing::Test {
 public:
  // Six words with meanings of two blocks, written and closed.
  void SetUp() override {
    for (const char* name : {"book.EDB", "book.EDT", "book.EDB-journal", "book.EDB-clean"}) {
      std::filesystem::remove(GbkToUtf8(dir_.Path(name)));
    }
    path_ = dir_.Create("book.EDB", WordRecordFields());
    ASSERT_FALSE(path_.empty());
    side_ = SideFile::PathFor(path_);
    Database db;
    ASSERT_TRUE(db.OpenDatabase(path_));
    for (int i = 0; i < 6; ++i) {
      ASSERT_TRUE(db.AddRecord({Value::Int(1), Value::Text("w" + std::to_string(i)),
                                Value::Text(Text(700, static_cast<char>('a' + i)))}));
    }
  }
  // Opens read-write as the program does: what the open found.
  OpenRepairs Open() {
    Database db;
    EXPECT_TRUE(db.OpenDatabase(path_)) << LastDatabaseError();
    return db.Current() == nullptr ? OpenRepairs{} : db.Current()->repairs();
  }
  // Runs `child` in a process of its own; `child` ends it (_exit) before
  // anything closes.
  static void InAChild(const std::function<void()>& child) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      child();
      ::_exit(1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
  }
  // Files whose side file's second write does `then` instead (the first
  // change's book writes begin once its journal is synced).
  static std::shared_ptr<FileSystem> SecondSideWrite(std::function<int32_t()> then) {
    struct Cut final : ForwardingFile {
      Cut(std::unique_ptr<FileAccess> inner, std::function<int32_t()> then)
          : ForwardingFile(std::move(inner)), then_(std::move(then)) {}
      int32_t WriteAt(int64_t o, const void* b, std::size_t n) override {
        return ++writes_ == 2 ? then_() : inner().WriteAt(o, b, n);
      }
      std::function<int32_t()> then_;
      int writes_ = 0;
    };
    return std::make_shared<testing::WrappingFileSystem>(
        [then](std::unique_ptr<FileAccess> inner,
               const std::string& path) -> std::unique_ptr<FileAccess> {
          if (path.size() < 4 || path.compare(path.size() - 4, 4, ".EDT") != 0) return inner;
          return std::make_unique<Cut>(std::move(inner), then);
        });
  }

  TempDatabase dir_;
  std::string path_, side_;
};

TEST_F(CleanCloseTest, TheSideFileIsReadWholeUnlessTheBookWasClosedCleanAndLeftAlone) {
  const struct {
    const char* name;
    std::function<void(CleanCloseTest&)> between;  // after a clean close
    bool audited;
  } cases[] = {
      {"nothing", [](CleanCloseTest&) {}, false},
      {"a read-only open",
       [](CleanCloseTest& t) {
         Database db;
         ASSERT_TRUE(db.OpenDatabase(t.path_, Access::ReadOnly));
         ASSERT_EQ(ReadTextField(db, 2), "w0");
       },
       false},
      {"a clean session that changed a word",
       [](CleanCloseTest& t) {
         Database db;
         ASSERT_TRUE(db.OpenDatabase(t.path_));
         ASSERT_TRUE(db.WriteField(3, Value::Text(Text(900, 'z'))));
       },
       false},
      {"the side file written by another program, byte for byte the same",
       [](CleanCloseTest& t) { TempDatabase::Write(t.side_, TempDatabase::Read(t.side_)); }, true},
      {"the data file written by another program",
       [](CleanCloseTest& t) { TempDatabase::Write(t.path_, TempDatabase::Read(t.path_)); }, true},
      {"the book put back from a copy",
       [](CleanCloseTest& t) {
         for (const std::string& file : {t.path_, t.side_}) {
           TempDatabase::Write(file + ".copy", TempDatabase::Read(file));
           std::filesystem::rename(GbkToUtf8(file + ".copy"), GbkToUtf8(file));
         }
       },
       true},
      {"a process that changed a word and was killed",
       [](CleanCloseTest& t) {
         InAChild([&t] {
           Database db;
           if (db.OpenDatabase(t.path_) && db.WriteField(3, Value::Text(Text(900, 'y')))) {
             ::_exit(0);
           }
         });
       },
       true},
      {"a process killed amid a change",
       [](CleanCloseTest& t) {
         InAChild([&t] {
           Database db;
           db.SetFileSystem(SecondSideWrite([]() -> int32_t { ::_exit(0); }));
           if (db.OpenDatabase(t.path_)) db.WriteField(3, Value::Text(Text(1200, 'x')));
         });
       },
       true},
      {"a session whose change failed amid its writes and was rolled back",
       [](CleanCloseTest& t) {
         Database db;
         db.SetFileSystem(SecondSideWrite([] { return kErrDiskFull; }));
         ASSERT_TRUE(db.OpenDatabase(t.path_));
         ASSERT_FALSE(db.WriteField(3, Value::Text(Text(1500, 'v'))));
       },
       true},
  };
  for (const auto& c : cases) {
    SetUp();
    ASSERT_FALSE(Open().sideFileAudited) << c.name << ": the set-up closed clean";
    c.between(*this);
    EXPECT_EQ(Open().sideFileAudited, c.audited) << c.name;
    // The open that audited closed clean in turn.
    EXPECT_FALSE(Open().sideFileAudited) << c.name;
  }
}

// The audit that runs where the note does not hold still repairs: a free
// list broken by another program is rebuilt.
TEST_F(CleanCloseTest, DamageByAnotherProgramIsFoundAfterACleanClose) {
  {
    Database db;
    ASSERT_TRUE(db.OpenDatabase(path_));
    ASSERT_TRUE(db.GoTo(2));
    ASSERT_TRUE(db.WriteField(3, Value::Text("")));  // two blocks go free
  }
  ASSERT_FALSE(Open().sideFileAudited);
  const int32_t first = TempDatabase::Int32At(side_, 24);  // the free list's first block
  ASSERT_GT(first, 0);
  TempDatabase::PutInt32At(side_, int64_t{first} * 512, 3);  // its back link broken
  const OpenRepairs found = Open();
  EXPECT_TRUE(found.sideFileAudited);
  EXPECT_TRUE(found.freeListRebuilt);
}

// A book never closed clean (new, or from an older program) is audited,
// and so is one whose note cannot be read whole.
TEST_F(CleanCloseTest, AMissingOrTornNoteMeansTheFullCheck) {
  ASSERT_FALSE(Open().sideFileAudited);
  const std::string note = TempDatabase::Read(CleanMarkPath(path_));
  ASSERT_FALSE(note.empty());
  for (std::size_t cut : {std::size_t{0}, note.size() / 2, note.size() - 1}) {
    TempDatabase::Write(CleanMarkPath(path_), note.substr(0, cut));
    EXPECT_TRUE(Open().sideFileAudited) << "note cut at " << cut;
  }
  std::filesystem::remove(GbkToUtf8(CleanMarkPath(path_)));
  EXPECT_TRUE(Open().sideFileAudited);
}

// The note is written only once both files' last changes lie in an earlier
// step of the stamp clock than a reading taken before their stamps: a write
// later in the same step would carry the same stamp and go unseen.
TEST(CleanMarkTest, IsWrittenOnlyWhenBothFilesChangedBeforeTheClocksStep) {
  const struct {
    const char* name;
    int64_t dataChanged, sideChanged;
    bool written;
  } cases[] = {
      {"both before", 99, 99, true},
      {"the book in the step", 100, 99, false},
      {"the side file in the step", 99, 100, false},
      {"both in the step", 100, 100, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir dir("cindral-clean-mark");
    const std::string data = dir.File("book.EDB"), side = dir.File("book.EDT");
    testing::WrappingFileSystem fs(
        [](std::unique_ptr<FileAccess> f, const std::string&) { return f; });
    fs.stampOf = [&](const std::string& path, FileStamp* stamp) {
      *stamp = {};
      stamp->changedSeconds = path == data ? c.dataChanged : c.sideChanged;
      return 0;
    };
    fs.stampClock = [](int64_t* seconds, int64_t* nanoseconds) {
      *seconds = 100;  // the clock stays in its step
      *nanoseconds = 0;
      return true;
    };
    EXPECT_EQ(WriteCleanMark(fs, data, side), c.written ? 0 : kErrLockViolation);
    EXPECT_EQ(std::filesystem::exists(CleanMarkPath(data)), c.written);
  }
}

}  // namespace
}  // namespace cindral
