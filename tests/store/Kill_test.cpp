// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A writer killed at random moments. For each kind of change a child
// process opens a copy of a word book and makes changes of that kind one
// after the other, telling the parent through shared memory how many have
// returned; the parent kills it with SIGKILL after a random delay, opens
// the book the way the program does, and checks the files byte by byte,
// without the engine:
//  - the book is the one before the change that was running or the one
//    after it, never anything between: every record whose change returned
//    is there with its exact fields, ids unique and as issued, no text torn;
//  - the side file holds together: every value's chain is sound, no block
//    is in two chains or in a chain and the free list, the free list links
//    both ways and holds as many blocks as its header says, and no block is
//    lost (so a kill leaks no space at all);
//  - the open needed no repair beyond playing a journal back and dropping
//    an append cut short before its count.
// CINDRAL_KILLS sets the number of kills per kind (100 by default),
// CINDRAL_KILL_DIR where the books lie (in memory by default).

#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <random>
#include <set>
#include <thread>

#include "TempDatabase.h"
#include "store/Bytes.h"
#include "store/Database.h"
#include "store/DatabaseErrors.h"
#include "store/WholeFileScope.h"

namespace cindral {
namespace {

using testing::TempDatabase;

constexpr int64_t kFirst = 116 + 72 * 6;
constexpr int64_t kRecord = 32;

// A process killed loses nothing the system has taken in, synced or not:
// the books live in memory when the system offers it, so that the kills
// land amid the changes rather than amid waits for the disk.
// CINDRAL_KILL_DIR puts them elsewhere (on a disk, say).
std::string KillDirectory() {
  const char* chosen = std::getenv("CINDRAL_KILL_DIR");
  if (chosen != nullptr && *chosen != '\0') return chosen;
  return ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : std::string();
}

int Kills() {
  const char* text = std::getenv("CINDRAL_KILLS");
  const int n = text != nullptr ? std::atoi(text) : 0;
  return n > 0 ? n : 100;
}

// --- The model: what the book holds ------------------------------------

struct Entry {
  int32_t id = 0;  // negative when marked
  int32_t key = 0;
  int32_t wordVersion = 0;
  int32_t wordLength = 0;
  int32_t meaningVersion = 0;
  int32_t meaningLength = 0;
  bool operator==(const Entry& o) const {
    return id == o.id && key == o.key && wordVersion == o.wordVersion &&
           wordLength == o.wordLength && meaningVersion == o.meaningVersion &&
           meaningLength == o.meaningLength;
  }
};

struct Book {
  std::vector<Entry> entries;
  int32_t nextId = 1;
  int32_t nextKey = 1;
  bool operator==(const Book& o) const { return entries == o.entries && nextId == o.nextId; }
  // An empty text names no version: the model forgets it too.
  void ForgetVersionsOfEmptyTexts() {
    for (Entry& e : entries) {
      if (e.wordLength == 0) e.wordVersion = 0;
      if (e.meaningLength == 0) e.meaningVersion = 0;
    }
  }
};

// A text that tells which record, field and version it belongs to in every
// stretch of it, so that a text torn between two versions is seen.
std::string Fill(int32_t key, int field, int32_t version, int32_t length) {
  if (length <= 0) return std::string();
  const std::string name =
      "<" + std::to_string(key) + "." + std::to_string(field) + "." + std::to_string(version) + ":";
  std::string s;
  s.reserve(static_cast<std::size_t>(length) + 64);
  while (static_cast<int32_t>(s.size()) < length) {
    const std::size_t at = s.size();
    s += name;
    s += std::to_string(at);
    // Stretches of 48 bytes: every 500-byte block holds ten of them.
    s.append(48 - (s.size() - at) % 48, static_cast<char>('a' + (key + version) % 26));
  }
  s.resize(static_cast<std::size_t>(length));
  return s;
}

// The version a text of Fill() names in its first stretch; -1 when it
// names none (the empty text).
int32_t VersionOf(const std::string& text) {
  const std::size_t first = text.find('.');
  const std::size_t second = first == std::string::npos ? first : text.find('.', first + 1);
  if (second == std::string::npos) return -1;
  return std::atoi(text.c_str() + second + 1);
}

// Lengths of texts: none, or long enough to name their version.
int32_t TextLength(uint32_t draw, int32_t most) {
  return draw % 4 == 0 ? 0 : 40 + static_cast<int32_t>(draw / 4 % static_cast<uint32_t>(most));
}

std::vector<Value> Values(const Entry& e) {
  return {Value::Int(e.key),
          Value::Text(Fill(e.key, 2, e.wordVersion, e.wordLength)),
          Value::Text(Fill(e.key, 3, e.meaningVersion, e.meaningLength)),
          Value::DateTime(45000 + e.key % 100),
          Value::Int(1),
          Value::Int(e.key)};
}

// --- The changes -------------------------------------------------------

enum class Kind { Append, Rewrite, Purge, Clear, ScopedRewrite };

struct Change {
  enum class Op { Append, RewriteWord, RewriteMeaning, RewriteMany, Mark, Purge, Clear } op;
  // Record index for rewrites and marks; RewriteMany rewrites the words of
  // every third record from it on, in one scope.
  int32_t index = 0;
  int32_t length = 0;  // the new text's length
  int32_t extra = 0;   // the meaning's length of an append
};

// The next change of this kind; the same for child and parent, as both
// draw from the same generator over the same book.
Change Next(Kind kind, std::mt19937& rng, const Book& book) {
  auto pick = [&](int32_t n) { return static_cast<int32_t>(rng() % static_cast<uint32_t>(n)); };
  const auto live = static_cast<int32_t>(book.entries.size());
  switch (kind) {
    case Kind::Append:
      // Empty texts now and then: such an append needs no side file.
      return {Change::Op::Append, 0, TextLength(rng(), 1400), TextLength(rng(), 1800)};
    case Kind::Rewrite: {
      const bool word = pick(3) == 0;
      // Longer and shorter, across the 500-byte block edges.
      return {word ? Change::Op::RewriteWord : Change::Op::RewriteMeaning, pick(live),
              TextLength(rng(), 2200)};
    }
    case Kind::Purge:
      if (pick(3) == 0) return {Change::Op::Purge};
      return {Change::Op::Mark, pick(live)};
    case Kind::ScopedRewrite:
      return {Change::Op::RewriteMany, pick(3), TextLength(rng(), 700)};
    case Kind::Clear:
      // The whole base book first, then the few words entered since.
      if (live >= 50 || (live > 0 && pick(6) == 0)) return {Change::Op::Clear};
      return {Change::Op::Append, 0, TextLength(rng(), 900), TextLength(rng(), 1500)};
  }
  return {Change::Op::Purge};
}

void Apply(const Change& c, Book* book) {
  switch (c.op) {
    case Change::Op::Append: {
      Entry e;
      e.id = book->nextId++;
      e.key = book->nextKey++;
      e.wordLength = c.length;
      e.meaningLength = c.extra;
      book->entries.push_back(e);
      break;
    }
    case Change::Op::RewriteWord: {
      Entry& e = book->entries[static_cast<std::size_t>(c.index)];
      ++e.wordVersion;
      e.wordLength = c.length;
      break;
    }
    case Change::Op::RewriteMeaning: {
      Entry& e = book->entries[static_cast<std::size_t>(c.index)];
      ++e.meaningVersion;
      e.meaningLength = c.length;
      break;
    }
    case Change::Op::RewriteMany:
      for (std::size_t i = static_cast<std::size_t>(c.index); i < book->entries.size(); i += 3) {
        ++book->entries[i].wordVersion;
        book->entries[i].wordLength = c.length;
      }
      break;
    case Change::Op::Mark: {
      int32_t& id = book->entries[static_cast<std::size_t>(c.index)].id;
      if (id > 0) id = -id;
      break;
    }
    case Change::Op::Purge: {
      auto& v = book->entries;
      v.erase(std::remove_if(v.begin(), v.end(), [](const Entry& e) { return e.id < 0; }), v.end());
      break;
    }
    case Change::Op::Clear:
      book->entries.clear();
      break;
  }
}

bool Perform(const Change& c, const Book& before, Database& db) {
  switch (c.op) {
    case Change::Op::Append: {
      Book after = before;
      Apply(c, &after);
      return db.AddRecord(Values(after.entries.back()));
    }
    case Change::Op::RewriteWord:
    case Change::Op::RewriteMeaning: {
      Book after = before;
      Apply(c, &after);
      const Entry& e = after.entries[static_cast<std::size_t>(c.index)];
      const bool word = c.op == Change::Op::RewriteWord;
      const std::string text = word ? Fill(e.key, 2, e.wordVersion, e.wordLength)
                                    : Fill(e.key, 3, e.meaningVersion, e.meaningLength);
      return db.GoTo(c.index + 1) && db.WriteField(word ? 2 : 3, Value::Text(text));
    }
    case Change::Op::RewriteMany: {
      // A walk that changes a field of many records: one change, whose
      // writes the journal saves and writes joined where they lie close.
      Book after = before;
      Apply(c, &after);
      WholeFileScope scope(db);
      bool written = scope.ok();
      for (std::size_t i = static_cast<std::size_t>(c.index); i < after.entries.size(); i += 3) {
        const Entry& e = after.entries[i];
        written = written && db.GoTo(static_cast<int32_t>(i) + 1) &&
                  db.WriteField(2, Value::Text(Fill(e.key, 2, e.wordVersion, e.wordLength)));
      }
      return scope.End() && written;
    }
    case Change::Op::Mark:
      return db.GoTo(c.index + 1) && db.MarkDeleted();
    case Change::Op::Purge:
      return db.PurgeDeleted();
    case Change::Op::Clear:
      return db.ClearAll();
  }
  return false;
}

// --- Reading the files without the engine -------------------------------

struct SideCheck {
  std::string side;
  int32_t blockCount = 0;
  std::vector<int> owner;  // 0 free-or-lost, 1 in a chain, 2 in the free list
  std::string error;

  int32_t Int(int32_t block, int field) const {
    return GetInt32(side.data() + int64_t{block} * 512 + field * 4);
  }
  // The value whose chain starts at `first`, checking every step.
  std::string Value(int32_t first) {
    std::string out;
    int32_t prev = 0;
    for (int32_t b = first; b != 0 && error.empty(); b = Int(b, 1)) {
      if (b < 1 || b >= blockCount) {
        error = "chain leaves the file at " + std::to_string(b);
        break;
      }
      if (owner[static_cast<std::size_t>(b)] != 0) {
        error = "block " + std::to_string(b) + " used twice";
        break;
      }
      const int32_t length = Int(b, 2);
      if (Int(b, 0) != prev || length < 1 || length > 500) {
        error = "block " + std::to_string(b) + " does not belong to its chain";
        break;
      }
      owner[static_cast<std::size_t>(b)] = 1;
      out.append(side.data() + int64_t{b} * 512 + 12, static_cast<std::size_t>(length));
      prev = b;
    }
    return out;
  }
};

// Reads the book's files, checking them as it goes; `error` names the
// first thing that does not hold together.
Book ReadFiles(const std::string& path, std::string* error) {
  Book book;
  const std::string data = TempDatabase::Read(path);
  SideCheck side;
  side.side = TempDatabase::Read(SideFile::PathFor(path));
  side.blockCount = GetInt32(side.side.data() + 16);
  if (static_cast<int64_t>(side.side.size()) != int64_t{side.blockCount} * 512) {
    *error = "side file length " + std::to_string(side.side.size()) + " for " +
             std::to_string(side.blockCount) + " blocks";
    return book;
  }
  side.owner.assign(static_cast<std::size_t>(side.blockCount), 0);
  const int32_t count = GetInt32(data.data() + 16);
  book.nextId = GetInt32(data.data() + 20);
  if (static_cast<int64_t>(data.size()) != kFirst + int64_t{count} * kRecord) {
    *error = "data file length " + std::to_string(data.size()) + " for " + std::to_string(count);
    return book;
  }
  std::set<int32_t> ids;
  for (int32_t i = 0; i < count; ++i) {
    const char* r = data.data() + kFirst + int64_t{i} * kRecord;
    Entry e;
    e.id = GetInt32(r);
    e.key = GetInt32(r + 4);
    const std::string word = side.Value(GetInt32(r + 8));
    const std::string meaning = side.Value(GetInt32(r + 12));
    e.wordLength = static_cast<int32_t>(word.size());
    e.meaningLength = static_cast<int32_t>(meaning.size());
    e.wordVersion = std::max(VersionOf(word), 0);
    e.meaningVersion = std::max(VersionOf(meaning), 0);
    // Every stretch of a text must name the version its start names.
    if (word != Fill(e.key, 2, e.wordVersion, e.wordLength)) {
      *error = "torn word in record " + std::to_string(i + 1);
    }
    if (meaning != Fill(e.key, 3, e.meaningVersion, e.meaningLength)) {
      *error = "torn meaning in record " + std::to_string(i + 1);
    }
    if (GetInt32(r + 28) != e.key) *error = "torn record " + std::to_string(i + 1);
    if (!ids.insert(e.id < 0 ? -e.id : e.id).second) *error = "id twice: " + std::to_string(e.id);
    if (!side.error.empty() && error->empty()) *error = side.error;
    if (!error->empty()) return book;
    book.entries.push_back(e);
  }
  // The free list: both ways, as long as its header says, of unused blocks.
  int32_t free = 0;
  int32_t prev = 0;
  for (int32_t b = GetInt32(side.side.data() + 24); b != 0; b = side.Int(b, 1)) {
    if (b < 1 || b >= side.blockCount || side.owner[static_cast<std::size_t>(b)] != 0 ||
        side.Int(b, 0) != prev || side.Int(b, 2) != 0) {
      *error = "free list broken at block " + std::to_string(b);
      return book;
    }
    side.owner[static_cast<std::size_t>(b)] = 2;
    ++free;
    prev = b;
  }
  if (free != GetInt32(side.side.data() + 20)) *error = "free count disagrees";
  for (int32_t b = 1; b < side.blockCount && error->empty(); ++b) {
    if (side.owner[static_cast<std::size_t>(b)] == 0)
      *error = "block " + std::to_string(b) + " lost";
  }
  return book;
}

std::string Describe(const Book& b) {
  std::string s =
      std::to_string(b.entries.size()) + " records, next id " + std::to_string(b.nextId);
  return s;
}

// --- The test -----------------------------------------------------------

class KillTest : public ::testing::Test {
 protected:
  void SetUp() override {
    progress_ = static_cast<std::atomic<int64_t>*>(::mmap(nullptr, sizeof(std::atomic<int64_t>),
                                                          PROT_READ | PROT_WRITE,
                                                          MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(progress_, MAP_FAILED);
    new (progress_) std::atomic<int64_t>(0);
  }
  void TearDown() override { ::munmap(progress_, sizeof(std::atomic<int64_t>)); }

  // A base book of `n` records; memo texts on every `memoEvery`-th.
  void MakeBase(int32_t n, int32_t memoEvery) {
    path_ = dir_.Create("book.EDB", WordRecordFields());
    Database db;
    ASSERT_TRUE(db.OpenDatabase(path_));
    AppendBase(db, n, memoEvery);
    data_ = TempDatabase::Read(path_);
    side_ = TempDatabase::Read(SideFile::PathFor(path_));
    std::string error;
    base_ = ReadFiles(path_, &error);
    base_.nextKey = n + 1;
    ASSERT_EQ(error, "");
  }
  void AppendBase(Database& db, int32_t n, int32_t memoEvery) {
    Book book;
    for (int32_t i = 0; i < n; ++i) {
      const bool memo = i % memoEvery == 0;
      Change c{Change::Op::Append, 0, memo ? 40 + i % 900 : 0, memo ? 40 + i % 1700 : 0};
      ASSERT_TRUE(Perform(c, book, db));
      Apply(c, &book);
    }
  }

  void KillRepeatedly(Kind kind, int32_t maxDelayUs) {
    const int kills = Kills();
    std::mt19937 delays(12345);
    int inFlight = 0;  // kills that found the running change done
    int later = 0;     // kills after at least one change had returned
    int64_t changes = 0;
    for (int round = 0; round < kills; ++round) {
      TempDatabase::Write(path_, data_);
      TempDatabase::Write(SideFile::PathFor(path_), side_);
      progress_->store(-1);
      const auto seed = static_cast<uint32_t>(round * 7919 + static_cast<int>(kind));
      const pid_t child = ::fork();
      ASSERT_GE(child, 0);
      if (child == 0) Writer(kind, seed);
      while (progress_->load() < 0) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, WNOHANG), 0) << "the writer ended early";
        std::this_thread::sleep_for(std::chrono::microseconds(100));
      }
      std::this_thread::sleep_for(
          std::chrono::microseconds(delays() % static_cast<uint32_t>(maxDelayUs)));
      ASSERT_EQ(::kill(child, SIGKILL), 0);
      int status = 0;
      ASSERT_EQ(::waitpid(child, &status, 0), child);
      ASSERT_TRUE(WIFSIGNALED(status)) << "the writer failed: " << WEXITSTATUS(status);
      const int64_t done = progress_->load();
      changes += done;
      if (done > 0) ++later;

      // The book before the change that was running, and after it.
      std::mt19937 rng(seed);
      Book before = base_;
      for (int64_t i = 0; i < done; ++i) Apply(Next(kind, rng, before), &before);
      Book after = before;
      Apply(Next(kind, rng, after), &after);
      after.nextKey = before.nextKey;
      before.ForgetVersionsOfEmptyTexts();
      after.ForgetVersionsOfEmptyTexts();

      {
        Database db;
        ASSERT_TRUE(db.OpenDatabase(path_)) << "round " << round << ": " << LastDatabaseError();
        const OpenRepairs& r = db.Current()->repairs();
        ASSERT_FALSE(r.countLowered || r.wholeRecordsCut || r.freeListRebuilt || r.nextIdRaised)
            << "round " << round << " needed a repair";
        ASSERT_EQ(r.valuesCopied + r.valuesDropped, 0) << "round " << round;
      }
      std::string error;
      Book found = ReadFiles(path_, &error);
      ASSERT_EQ(error, "") << "round " << round << " after " << done << " changes";
      found.nextKey = before.nextKey;
      const bool isBefore = found == before;
      const bool isAfter = found == after;
      ASSERT_TRUE(isBefore || isAfter)
          << "round " << round << " after " << done << " changes: found " << Describe(found)
          << ", before " << Describe(before) << ", after " << Describe(after);
      if (isAfter && !isBefore) ++inFlight;
    }
    // Not every kill landed in the first change.
    EXPECT_GE(later * 4, kills);
    std::fprintf(stderr,
                 "%d kills, %lld changes returned, %d kills after the first, %d found the "
                 "running change done\n",
                 kills, static_cast<long long>(changes), later, inFlight);
  }

  [[noreturn]] void Writer(Kind kind, uint32_t seed) {
    Database db;
    if (!db.OpenDatabase(path_)) ::_exit(2);
    std::mt19937 rng(seed);
    Book book = base_;
    progress_->store(0);
    for (int64_t i = 0;; ++i) {
      const Change c = Next(kind, rng, book);
      if (!Perform(c, book, db)) {
        std::fprintf(stderr, "change %lld failed: %d\n", static_cast<long long>(i),
                     LastDatabaseError());
        ::_exit(3);
      }
      Apply(c, &book);
      progress_->store(i + 1);
    }
  }

  TempDatabase dir_{KillDirectory()};
  std::string path_;
  std::string data_;
  std::string side_;
  Book base_;
  std::atomic<int64_t>* progress_ = nullptr;
};

TEST_F(KillTest, AppendsWithMemoTexts) {
  MakeBase(20, 1);
  KillRepeatedly(Kind::Append, 60000);
}

TEST_F(KillTest, RewritingMemoTextsLongerAndShorter) {
  MakeBase(40, 1);
  KillRepeatedly(Kind::Rewrite, 60000);
}

// Over 5,120 records of 32 bytes: the purge moves them in two chunks.
TEST_F(KillTest, MarkingAndPurging) {
  MakeBase(5400, 50);
  KillRepeatedly(Kind::Purge, 60000);
}

TEST_F(KillTest, RewritingManyTextsInOneScope) {
  MakeBase(60, 1);
  KillRepeatedly(Kind::ScopedRewrite, 60000);
}

TEST_F(KillTest, Clearing) {
  MakeBase(50, 1);
  KillRepeatedly(Kind::Clear, 60000);
}

}  // namespace
}  // namespace cindral
