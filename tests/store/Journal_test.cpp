// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The rollback journal beside the book: a committed change leaves it empty,
// a change cut short leaves it hot, and whoever next takes the book over
// plays it back; entries of an earlier change are never played back, nor
// is another book's journal; a
// journal whose owner is alive is left alone; a change larger than memory
// allows is written in parts and still rolls back whole; a scope costs a
// few syncs however many records it touches.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "FailingFile.h"
#include "FaultyFiles.h"
#include "ForwardingFile.h"
#include "TempDatabase.h"
#include "store/ChangeLocks.h"
#include "store/Database.h"
#include "store/DatabaseErrors.h"
#include "store/Journal.h"
#include "store/PosixFile.h"
#include "store/WholeFileScope.h"

namespace cindral {
namespace {

using testing::FaultPlan;
using testing::TempDatabase;

using testing::Text;

// Counts the syncs of every file opened through it.
class SyncCounter final : public testing::ForwardingFile {
 public:
  SyncCounter(std::unique_ptr<FileAccess> inner, int64_t* syncs)
      : ForwardingFile(std::move(inner)), syncs_(syncs) {}
  int32_t Sync() override {
    ++*syncs_;
    return inner().Sync();
  }

 private:
  int64_t* syncs_;
};

class JournalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.Create("book.EDB", WordRecordFields());
    ASSERT_FALSE(path_.empty());
    Database db;
    ASSERT_TRUE(db.OpenDatabase(path_));
    for (int32_t i = 1; i <= 20; ++i) {
      ASSERT_TRUE(db.AddRecord({Value::Int(i), Value::Text("w" + std::to_string(i)),
                                Value::Text(Text(150 * i, 'a')), Value::DateTime(45000),
                                Value::Int(1), Value::Int(i)}));
    }
    base_ = Files();
  }
  std::string Files() const {
    return TempDatabase::Read(path_) + "|" + TempDatabase::Read(SideFile::PathFor(path_));
  }
  // Whether the journal beside the book holds a change: its header is
  // there (a committed or played back journal has it wiped, whatever its
  // length).
  bool JournalHolds() const {
    return TempDatabase::Read(Journal::PathFor(path_)).compare(0, 8, "CINDRALJ") == 0;
  }
  // Runs `change` on a disk that stops writing at its k-th write, for the
  // first k that leaves a hot journal behind (the book half changed).
  // `farEnough` may ask for more of the change to have reached the book.
  bool LeaveHotJournal(
      const std::function<bool(Database&)>& change,
      const std::function<bool()>& farEnough = [] { return true; }) {
    auto plan = std::make_shared<FaultPlan>();
    const std::string data = TempDatabase::Read(path_);
    const std::string side = TempDatabase::Read(SideFile::PathFor(path_));
    for (int64_t k = 1; k < 10000; ++k) {
      TempDatabase::Write(path_, data);
      TempDatabase::Write(SideFile::PathFor(path_), side);
      {
        Database db;
        db.SetFileSystem(testing::FaultyFileSystem(plan));
        plan->Reset(FaultPlan::Kind::WriteError, 0, false);
        if (!db.OpenDatabase(path_)) return false;
        plan->Reset(FaultPlan::Kind::WriteError, k, true);
        if (change(db) || !plan->fired) return false;
      }
      plan->Reset(FaultPlan::Kind::WriteError, 0, false);
      if (JournalHolds() && farEnough() &&
          (TempDatabase::Read(path_) != data ||
           TempDatabase::Read(SideFile::PathFor(path_)) != side)) {
        return true;
      }
    }
    return false;
  }

  TempDatabase dir_;
  std::string path_;
  std::string base_;
};

bool RewriteMeanings(Database& db) {
  WholeFileScope scope(db);
  for (int32_t n = 1; n <= 20; ++n) {
    if (!db.GoTo(n) || !db.WriteField(3, Value::Text(Text(90 * n, 'k')))) return false;
  }
  return scope.End();
}

TEST_F(JournalTest, ACommittedChangeLeavesTheJournalEmpty) {
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path_));
  ASSERT_TRUE(db.GoTo(3));
  ASSERT_TRUE(db.WriteField(3, Value::Text(Text(2000, 'q'))));
  EXPECT_FALSE(JournalHolds());
  EXPECT_EQ(ReadTextField(db, 3), Text(2000, 'q'));
  // A change that writes nothing leaves no journal work at all.
  const std::string before = Files();
  {
    WholeFileScope scope(db);
    EXPECT_EQ(ReadTextField(db, 2), "w3");
  }
  EXPECT_EQ(TempDatabase::FirstDifference(Files(), before), "equal");
}

TEST_F(JournalTest, AChangeCutShortIsRolledBackByTheNextReadWriteOpen) {
  ASSERT_TRUE(LeaveHotJournal(RewriteMeanings));
  const std::string torn = Files();
  // A read-only open cannot roll back and refuses to show a half change.
  {
    Database reader;
    EXPECT_FALSE(reader.OpenDatabase(path_, Access::ReadOnly));
    EXPECT_EQ(LastDatabaseError(), kErrOpenFailed);
  }
  EXPECT_EQ(TempDatabase::FirstDifference(Files(), torn), "equal");
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path_));
  EXPECT_TRUE(db.Current()->repairs().journalPlayedBack);
  EXPECT_FALSE(db.Current()->repairs().freeListRebuilt);
  EXPECT_EQ(TempDatabase::FirstDifference(Files(), base_), "equal");
  EXPECT_FALSE(JournalHolds());
}

TEST_F(JournalTest, AWriterInAnotherOpenRollsAHotJournalBackBeforeItWrites) {
  Database other;
  ASSERT_TRUE(other.OpenDatabase(path_));
  ASSERT_TRUE(LeaveHotJournal(RewriteMeanings));
  // The open that was there all along writes a number: first the half
  // change goes, then the number is written.
  ASSERT_TRUE(other.GoTo(5));
  ASSERT_TRUE(other.WriteField(5, Value::Int(42)));
  EXPECT_FALSE(JournalHolds());
  EXPECT_EQ(ReadIntegerField(other, 5), 42);
  for (int32_t n = 1; n <= 20; ++n) {
    ASSERT_TRUE(other.GoTo(n));
    EXPECT_EQ(ReadTextField(other, 3), Text(150 * n, 'a')) << n;
  }
}

TEST_F(JournalTest, AJournalWhoseWriterIsAliveIsLeftAlone) {
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path_));
  ASSERT_TRUE(LeaveHotJournal(RewriteMeanings));
  const std::string journal = TempDatabase::Read(Journal::PathFor(path_));
  // Another open file of the book behaves as a writer amid its change: it
  // holds its record, the journal and the owner's lock.
  std::unique_ptr<FileAccess> writer;
  ASSERT_EQ(PosixFile::Open(path_, Access::ReadWrite, Share::DenyNone, &writer), 0);
  const int64_t firstRecord = db.Current()->firstRecordOffset();
  for (const int64_t byte : {firstRecord, ChangeLocks::kJournalLock, ChangeLocks::kJournalOwner}) {
    ASSERT_EQ(writer->Lock(byte, 1, LockKind::Exclusive), 0);
  }
  // A write to another record goes ahead and leaves the journal alone.
  ASSERT_TRUE(db.GoTo(5));
  ASSERT_TRUE(db.WriteField(5, Value::Int(55)));
  EXPECT_TRUE(TempDatabase::Read(Journal::PathFor(path_)) == journal);
  // Once the writer is gone, the next write rolls its change back first.
  writer.reset();
  ASSERT_TRUE(db.GoTo(6));
  ASSERT_TRUE(db.WriteField(5, Value::Int(66)));
  EXPECT_FALSE(JournalHolds());
  for (int32_t n = 1; n <= 20; ++n) {
    ASSERT_TRUE(db.GoTo(n));
    EXPECT_EQ(ReadTextField(db, 3), Text(150 * n, 'a')) << n;
    EXPECT_EQ(ReadIntegerField(db, 5), n == 5 ? 55 : n == 6 ? 66 : 1) << n;
  }
}

TEST_F(JournalTest, EntriesOfAnEarlierChangeAreNeverPlayedBack) {
  // A long journal from one change cut short, then rolled back.
  ASSERT_TRUE(LeaveHotJournal(RewriteMeanings));
  const std::string earlier = TempDatabase::Read(Journal::PathFor(path_));
  {
    Database db;
    ASSERT_TRUE(db.OpenDatabase(path_));
    // A committed change the earlier entries know nothing of.
    ASSERT_TRUE(db.GoTo(1));
    ASSERT_TRUE(db.WriteField(3, Value::Text(Text(1800, 'N'))));
  }
  const std::string committed = Files();
  // A short journal of a change cut short, written over the earlier one:
  // the earlier change's last entries still follow it in the file.
  ASSERT_TRUE(LeaveHotJournal(
      [](Database& db) { return db.GoTo(4) && db.WriteField(3, Value::Text("short")); }));
  std::string journal = TempDatabase::Read(Journal::PathFor(path_));
  if (journal.size() < earlier.size()) {
    journal += earlier.substr(journal.size());
    TempDatabase::Write(Journal::PathFor(path_), journal);
  }
  ASSERT_EQ(journal.substr(journal.size() - 64), earlier.substr(earlier.size() - 64));
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path_));
  EXPECT_EQ(TempDatabase::FirstDifference(Files(), committed), "equal");
}

TEST_F(JournalTest, AnotherBooksJournalIsKeptAsideAndNeverPlayedBack) {
  // A copy of the book from another day is put back (or a sync tool brings
  // it) while a change cut short left its journal beside the book.
  const struct {
    const char* copy;
    std::function<bool(Database&)> makeOther;
  } cases[] = {
      {"with one word fewer",
       [](Database& db) { return db.GoTo(20) && db.MarkDeleted() && db.PurgeDeleted(); }},
      {"of the same length, one proficiency apart",
       [](Database& db) { return db.GoTo(1) && db.WriteField(5, Value::Int(7)); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.copy);
    TempDatabase::Write(path_, base_.substr(0, base_.find('|')));
    TempDatabase::Write(SideFile::PathFor(path_), base_.substr(base_.find('|') + 1));
    std::filesystem::remove(GbkToUtf8(Journal::PathFor(path_)));
    {
      Database db;
      ASSERT_TRUE(db.OpenDatabase(path_));
      ASSERT_TRUE(c.makeOther(db));
    }
    const std::string other = Files();
    TempDatabase::Write(path_, base_.substr(0, base_.find('|')));
    TempDatabase::Write(SideFile::PathFor(path_), base_.substr(base_.find('|') + 1));
    ASSERT_TRUE(LeaveHotJournal(RewriteMeanings));
    const std::string journal = TempDatabase::Read(Journal::PathFor(path_));
    TempDatabase::Write(path_, other.substr(0, other.find('|')));
    TempDatabase::Write(SideFile::PathFor(path_), other.substr(other.find('|') + 1));

    Database db;
    ASSERT_TRUE(db.OpenDatabase(path_));
    EXPECT_FALSE(db.Current()->repairs().journalPlayedBack);
    EXPECT_EQ(TempDatabase::FirstDifference(Files(), other), "equal");
    const std::string aside = db.JournalSetAside();
    ASSERT_FALSE(aside.empty());
    EXPECT_EQ(aside.rfind(Journal::PathFor(path_) + "-other-", 0), 0u) << aside;
    EXPECT_TRUE(TempDatabase::Read(aside) == journal);
    EXPECT_FALSE(JournalHolds());
    // The book goes on as usual, with a journal of its own.
    ASSERT_TRUE(db.GoTo(2));
    ASSERT_TRUE(db.WriteField(5, Value::Int(9)));
    EXPECT_EQ(ReadIntegerField(db, 5), 9);
    std::filesystem::remove(GbkToUtf8(aside));
  }
}

TEST_F(JournalTest, AJournalWithoutAWholeHeaderTouchesNothing) {
  const std::string before = Files();
  for (const std::string& junk :
       {std::string(20, 'x'), std::string(4000, '\0'), "CINDRALJ" + std::string(60, '\1')}) {
    TempDatabase::Write(Journal::PathFor(path_), junk);
    Database db;
    ASSERT_TRUE(db.OpenDatabase(path_));
    EXPECT_FALSE(db.Current()->repairs().journalPlayedBack);
    ASSERT_TRUE(db.GoTo(2));
    ASSERT_TRUE(db.WriteField(5, Value::Int(1)));  // as it was
    EXPECT_EQ(TempDatabase::FirstDifference(Files(), before), "equal");
  }
}

TEST_F(JournalTest, AChangeLargerThanMemoryIsWrittenInPartsAndStillRollsBackWhole) {
  // Over 5 MiB of memo text: part of it reaches the book before the end.
  auto big = [](Database& db) {
    WholeFileScope scope(db);
    for (int32_t n = 1; n <= 8; ++n) {
      if (!db.GoTo(n) || !db.WriteField(3, Value::Text(Text(700000, 'A' + n)))) return false;
    }
    return scope.End();
  };
  const int64_t sideBefore = TempDatabase::Size(SideFile::PathFor(path_));
  ASSERT_TRUE(LeaveHotJournal(big, [&] {
    return TempDatabase::Size(SideFile::PathFor(path_)) > sideBefore + (int64_t{4} << 20);
  }));
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path_));
  EXPECT_TRUE(db.Current()->repairs().journalPlayedBack);
  EXPECT_EQ(TempDatabase::FirstDifference(Files(), base_), "equal");
  // On a sound disk the same change gets through.
  EXPECT_TRUE(big(db));
  ASSERT_TRUE(db.GoTo(7));
  EXPECT_EQ(ReadTextField(db, 3), Text(700000, 'A' + 7));
}

TEST_F(JournalTest, AScopeCostsAFewSyncsHoweverManyRecordsItChanges) {
  int64_t syncs = 0;
  Database db;
  db.SetFileSystem(std::make_shared<testing::WrappingFileSystem>(
      [&syncs](std::unique_ptr<FileAccess> inner,
               const std::string&) -> std::unique_ptr<FileAccess> {
        return std::make_unique<SyncCounter>(std::move(inner), &syncs);
      }));
  ASSERT_TRUE(db.OpenDatabase(path_));
  syncs = 0;
  ASSERT_TRUE(db.GoTo(1));
  ASSERT_TRUE(db.WriteField(3, Value::Text("one")));
  const int64_t one = syncs;
  EXPECT_GE(one, 3);  // journal, book, commit
  syncs = 0;
  ASSERT_TRUE(RewriteMeanings(db));
  EXPECT_EQ(syncs, one);
  // Numbers alone need no journal outside a scope, and a few syncs inside.
  syncs = 0;
  for (int32_t n = 1; n <= 20; ++n) ASSERT_TRUE(db.GoTo(n) && db.WriteField(5, Value::Int(n)));
  EXPECT_EQ(syncs, 0);
  {
    WholeFileScope scope(db);
    for (int32_t n = 1; n <= 20; ++n) ASSERT_TRUE(db.GoTo(n) && db.WriteField(5, Value::Int(-n)));
  }
  EXPECT_LE(syncs, one);
}

// A companion file for the tests: its new contents are its old ones with
// `added` after them; `refuse` refuses the change.
class AppendingCompanion final : public CompanionFile {
 public:
  explicit AppendingCompanion(std::string path) : path_(std::move(path)) {}
  std::string Path() const override { return path_; }
  bool Update(const std::string* old, std::string* updated) override {
    if (refuse) return false;
    *updated = (old != nullptr ? *old : std::string()) + added;
    return true;
  }
  std::string added = "[Config]\nminus=true\n";
  bool refuse = false;

 private:
  std::string path_;
};

class CompanionTest : public JournalTest {
 protected:
  void SetUp() override {
    JournalTest::SetUp();
    companion_ = dir_.Path("Config.ini");
    TempDatabase::Write(companion_, "[Config]\nminus=false\n");
  }
  // The book's meanings rewritten and the companion replaced, in one scope.
  bool Change(Database& db, AppendingCompanion& file) {
    WholeFileScope scope(db);
    if (!scope.ok() || !scope.AlsoReplace(file)) return false;
    for (int32_t n = 1; n <= 20; n += 3) {
      if (!db.GoTo(n) || !db.WriteField(3, Value::Text(Text(90 * n, 'k')))) return false;
    }
    return scope.End();
  }
  std::string Both() const { return Files() + "|" + TempDatabase::Read(companion_); }

  std::string companion_;
};

TEST_F(CompanionTest, AScopeReplacesTheFileWithTheBookKeepingItsPermissions) {
  ASSERT_EQ(::chmod(GbkToUtf8(companion_).c_str(), 0640), 0);
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path_));
  AppendingCompanion file(companion_);
  ASSERT_TRUE(Change(db, file));
  EXPECT_EQ(TempDatabase::Read(companion_), "[Config]\nminus=false\n[Config]\nminus=true\n");
  ASSERT_TRUE(db.GoTo(4));
  EXPECT_EQ(ReadTextField(db, 3), Text(360, 'k'));
  EXPECT_FALSE(JournalHolds());
  struct stat st;
  ASSERT_EQ(::stat(GbkToUtf8(companion_).c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  // No temporary file is left beside it.
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir_.dir())) {
    files += entry.path().filename().string()[0] == '.' ? 100 : 1;
  }
  // The data file, the side file, the journal, the companion, and the note
  // that the fixture's book was closed clean.
  EXPECT_EQ(files, 5);
}

// A companion that refuses, or whose file cannot be written, fails the
// whole change: the book stays as it was too.
TEST_F(CompanionTest, ACompanionThatCannotBeStoredFailsTheWholeChange) {
  const std::string before = Both();
  auto failures = std::make_shared<test::WriteFailures>();
  Database db;
  db.SetFileSystem(test::FailingFileSystem(failures));
  ASSERT_TRUE(db.OpenDatabase(path_));
  AppendingCompanion refusing(companion_);
  refusing.refuse = true;
  EXPECT_FALSE(Change(db, refusing));
  EXPECT_EQ(TempDatabase::FirstDifference(Both(), before), "equal");

  // The companion's new file cannot be written (a full disk).
  failures->failWhen = [](const std::string& path, int64_t, std::size_t) {
    return path.find("/.Config.ini.") != std::string::npos;
  };
  AppendingCompanion file(companion_);
  EXPECT_FALSE(Change(db, file));
  EXPECT_EQ(LastDatabaseError(), kErrDiskFull);
  EXPECT_EQ(failures->failed, 1);
  EXPECT_EQ(TempDatabase::FirstDifference(Both(), before), "equal");
  EXPECT_FALSE(JournalHolds());
  // Nothing stands in the way of the next change.
  failures->failWhen = nullptr;
  AppendingCompanion again(companion_);
  EXPECT_TRUE(Change(db, again));
}

// Whichever write the disk stops at for good, the next open finds the book
// and the companion both as they were, or both changed.
TEST_F(CompanionTest, ADiskThatStopsAnywhereLeavesBothOldOrBothNew) {
  const std::string before = Both();
  std::string after;
  {
    Database db;
    ASSERT_TRUE(db.OpenDatabase(path_));
    AppendingCompanion file(companion_);
    ASSERT_TRUE(Change(db, file));
    after = Both();
  }
  auto restore = [&] {
    const std::size_t bar = before.find('|');
    const std::size_t second = before.find('|', bar + 1);
    TempDatabase::Write(path_, before.substr(0, bar));
    TempDatabase::Write(SideFile::PathFor(path_), before.substr(bar + 1, second - bar - 1));
    TempDatabase::Write(companion_, before.substr(second + 1));
    TempDatabase::Write(Journal::PathFor(path_), std::string());
  };
  auto plan = std::make_shared<FaultPlan>();
  int playedBackWithTheCompanionNew = 0;
  for (int64_t k = 1;; ++k) {
    ASSERT_LT(k, 200);
    restore();
    bool ok = false;
    {
      Database db;
      db.SetFileSystem(testing::FaultyFileSystem(plan));
      plan->Reset(FaultPlan::Kind::WriteError, 0, false);
      ASSERT_TRUE(db.OpenDatabase(path_));
      plan->Reset(FaultPlan::Kind::WriteError, k, true);
      AppendingCompanion file(companion_);
      ok = Change(db, file);
    }
    const bool fired = plan->fired;
    if (JournalHolds() && TempDatabase::Read(companion_) != before.substr(before.rfind('|') + 1)) {
      ++playedBackWithTheCompanionNew;
    }
    Database db;
    ASSERT_TRUE(db.OpenDatabase(path_)) << "write " << k;
    const std::string found = Both();
    if (ok) {
      EXPECT_EQ(TempDatabase::FirstDifference(found, after), "equal") << "write " << k;
    } else {
      EXPECT_TRUE(found == before || found == after) << "write " << k;
    }
    if (!fired) break;
  }
  // The disk stopped after the companion was renamed and before the
  // commit: the playback put its old contents back.
  EXPECT_GT(playedBackWithTheCompanionNew, 0);
}

}  // namespace
}  // namespace cindral
