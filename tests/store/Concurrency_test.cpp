// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Several processes on one database, and processes that die halfway: two
// writers appending at once, a writer killed in a run of appends, and an
// append whose header write never reaches the disk.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <set>

#include "Children.h"
#include "ForwardingFile.h"
#include "TempDatabase.h"
#include "WrappingFileSystem.h"
#include "store/Database.h"
#include "store/DatabaseErrors.h"

namespace cindral {
namespace {

using testing::TempDatabase;

// Passes everything through until `writes` writes have been made; after that
// every change fails, as if the process had died at that moment.
class CrashingFile final : public testing::ForwardingFile {
 public:
  CrashingFile(std::unique_ptr<FileAccess> inner, int writes)
      : ForwardingFile(std::move(inner)), writesLeft_(writes) {}
  int32_t WriteAt(int64_t o, const void* b, std::size_t n) override {
    if (writesLeft_ <= 0) return kErrHardware;
    --writesLeft_;
    return inner().WriteAt(o, b, n);
  }
  int32_t Truncate(int64_t l) override {
    return writesLeft_ <= 0 ? kErrHardware : inner().Truncate(l);
  }

 private:
  int writesLeft_;
};

// Checks a word book the way the program's next start would meet it: it
// opens read-write, every record is whole, ids run without gaps in order.
void ExpectWholeBook(const std::string& path, int32_t* count) {
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path)) << LastDatabaseError();
  RecordFile* file = db.Current();
  *count = db.RecordCount();
  EXPECT_EQ(TempDatabase::Size(path),
            file->firstRecordOffset() + int64_t{*count} * file->recordSize());
  db.GoFirst();
  for (int32_t i = 0; i < *count; ++i) {
    int32_t id = 0;
    ASSERT_EQ(file->ReadRecordId(i, &id), 0);
    ASSERT_EQ(id, i + 1);
    ASSERT_EQ(ReadIntegerField(db, 6), i + 1);
    ASSERT_EQ(ReadTextField(db, 2), "word" + std::to_string(i + 1));
    ASSERT_EQ(LastDatabaseError(), 0);
    db.Skip(1);
  }
}

TEST(ConcurrencyTest, TwoProcessesAppendingAtOnceLoseNothing) {
  TempDatabase dir;
  const std::string path = dir.Create("book.EDB", WordRecordFields());
  constexpr int kEach = 1000;
  const std::vector<int> statuses = test::RunInChildren(2, [&](int c) {
    Database db;
    db.SetLockTimeout(-1);
    if (!db.OpenDatabase(path)) return 2;
    for (int i = 0; i < kEach; ++i) {
      const std::vector<Value> values = {Value::Int(c),
                                         Value::Text("w" + std::to_string(i)),
                                         Value::Text(std::string(600, 'a' + c)),
                                         Value::DateTime(1),
                                         Value::Int(1),
                                         Value::Double(i)};
      if (!db.AddRecord(values)) {
        fprintf(stderr, "append failed %d\n", LastDatabaseError());
        return 3;
      }
    }
    return 0;
  });
  EXPECT_EQ(statuses, (std::vector<int>{0, 0}));
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path));
  ASSERT_EQ(db.RecordCount(), 2 * kEach);
  std::set<int32_t> ids;
  int32_t next[2] = {0, 0};
  db.GoFirst();
  for (int32_t i = 0; i < 2 * kEach; ++i) {
    int32_t id = 0;
    ASSERT_EQ(db.Current()->ReadRecordId(i, &id), 0);
    ids.insert(id);
    const int32_t c = ReadIntegerField(db, 1);
    ASSERT_TRUE(c == 0 || c == 1);
    // Each process's records are whole and in its own order.
    ASSERT_EQ(ReadIntegerField(db, 6), next[c]);
    ASSERT_EQ(ReadTextField(db, 2), "w" + std::to_string(next[c]));
    ASSERT_EQ(ReadTextField(db, 3), std::string(600, 'a' + c));
    ++next[c];
    db.Skip(1);
  }
  EXPECT_EQ(ids.size(), 2u * kEach);
  EXPECT_EQ(*ids.begin(), 1);
  EXPECT_EQ(*ids.rbegin(), 2 * kEach);
  // The side file holds exactly the values: three blocks per record.
  SideFileHeader side;
  ASSERT_EQ(db.Current()->side()->ReadHeader(&side), 0);
  EXPECT_EQ(side.blockCount, 1 + 3 * 2 * kEach);
  EXPECT_EQ(side.freeCount, 0);
}

TEST(ConcurrencyTest, AWriterKilledAmidAppendsLeavesOnlyWholeRecords) {
  TempDatabase dir;
  for (const int32_t textBytes : {0, 24}) {
    const std::string path =
        dir.Create(textBytes == 0 ? "memo.EDB" : "text.EDB", WordRecordFields(textBytes));
    int started[2];
    ASSERT_EQ(::pipe(started), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(started[0]);
      Database db;
      if (!db.OpenDatabase(path)) ::_exit(2);
      for (int32_t i = 1;; ++i) {
        const std::vector<Value> values = {Value::Int(1),
                                           Value::Text("word" + std::to_string(i)),
                                           Value::Text(std::string(700, 'm')),
                                           Value::DateTime(1),
                                           Value::Int(1),
                                           Value::Double(i)};
        if (!db.AddRecord(values)) ::_exit(3);
        if (i == 1 && ::write(started[1], "x", 1) != 1) ::_exit(4);
      }
    }
    ::close(started[1]);
    char byte = 0;
    ASSERT_EQ(::read(started[0], &byte, 1), 1);
    ::close(started[0]);
    ::usleep(80 * 1000);
    ASSERT_EQ(::kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself: " << WEXITSTATUS(status);
    int32_t count = 0;
    ExpectWholeBook(path, &count);
    EXPECT_GT(count, 1);
  }
}

TEST(ConcurrencyTest, AnAppendCutShortBeforeItsHeaderIsDroppedAtTheNextOpen) {
  TempDatabase dir;
  const std::string path = dir.Create("book.EDB", WordRecordFields(16));
  {
    Database db;
    ASSERT_TRUE(db.OpenDatabase(path));
    ASSERT_TRUE(db.AddRecord({Value::Int(1), Value::Text("word1"), Value::Text("m"),
                              Value::DateTime(0), Value::Int(1), Value::Int(1)}));
  }
  const int64_t size = TempDatabase::Size(path);
  {
    Database db;
    // The record reaches the disk, the header after it does not.
    db.SetFileSystem(std::make_shared<testing::WrappingFileSystem>(
        [](std::unique_ptr<FileAccess> inner, const std::string&) -> std::unique_ptr<FileAccess> {
          return std::make_unique<CrashingFile>(std::move(inner), 1);
        }));
    ASSERT_TRUE(db.OpenDatabase(path));
    EXPECT_FALSE(db.AddRecord({Value::Int(1), Value::Text("word2")}));
    EXPECT_EQ(LastDatabaseError(), kErrHardware);
    EXPECT_EQ(db.RecordNumber(), 1);
  }
  EXPECT_GT(TempDatabase::Size(path), size);
  int32_t count = 0;
  ExpectWholeBook(path, &count);
  EXPECT_EQ(count, 1);
}

}  // namespace
}  // namespace cindral
