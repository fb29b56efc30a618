// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "book/WordBookChanges.h"

#include <map>

#include "core/SettingsChange.h"
#include "store/Convert.h"
#include "store/WholeFileScope.h"
#include "store/WordRecord.h"

namespace cindral {
namespace {

// The first run of consecutive records of a group, by serial numbers.
struct GroupRun {
  int32_t lo = 0;
  int32_t hi = 0;
  int32_t count = 0;
};

// One walk finds, for every group, the run that starts at its first record:
// lo = its serial number, count = the records of the run, hi = the serial
// number of the record after the run minus one (or of the last record).
// Swapping words inside a group never changes these, so they can be found
// before any group is shuffled.
std::map<int32_t, GroupRun> FindGroupRuns(Database& db) {
  std::map<int32_t, GroupRun> runs;
  db.GoFirst();
  const int32_t count = db.RecordCount();
  GroupRun* open = nullptr;  // the run being extended, if any
  int32_t openGroup = 0;
  for (int32_t i = 0; i < count; ++i) {
    const int32_t group = ReadIntegerField(db, kGroupNumber);
    const int32_t serial = ReadIntegerField(db, kSerialNumber);
    if (open != nullptr && group == openGroup) {
      ++open->count;
      open->hi = serial;
    } else {
      if (open != nullptr) open->hi = static_cast<int32_t>(static_cast<int64_t>(serial) - 1);
      open = nullptr;
      if (runs.find(group) == runs.end()) {
        open = &runs[group];
        openGroup = group;
        *open = {serial, serial, 1};
      }
    }
    db.Skip(1);
  }
  return runs;
}

}  // namespace

bool ClearWordBook(Database& db, const Settings& settings, bool decayTakenToday) {
  // The course starts again with the empty book: written in this order,
  // reviewnumber, groupnumber, plus, minus. A day decays once: the words
  // entered after the reset are not decayed again the same day.
  SettingsChange fresh(settings);
  fresh.Set(kConfigSection, "reviewnumber", "1");
  fresh.Set(kConfigSection, "groupnumber", "1");
  fresh.Set(kConfigSection, "plus", "false");
  if (!decayTakenToday) fresh.Set(kConfigSection, "minus", "false");
  // One change: an empty book whose groupnumber still names the last group
  // would put the next words into that group, and the course would never
  // begin.
  WholeFileScope scope(db);
  if (!scope.ok() || !scope.AlsoReplace(fresh)) return false;
  const bool cleared = db.ClearAll();
  if (!cleared) scope.Fail(LastDatabaseError());
  return scope.End() && cleared;
}

bool RewriteWord(Database& db, int32_t record, const std::string& word,
                 const std::string& meaning) {
  // GoTo would take a record number below 1 to the first record.
  if (record < 1) return false;
  // One change: a failure or a power cut between the two texts would leave
  // the new word with the old meaning.
  WholeFileScope scope(db);
  const bool written = scope.ok() && db.GoTo(record) && db.WriteField(kWord, Value::Text(word)) &&
                       db.WriteField(kMeaning, Value::Text(meaning));
  return scope.End() && written;
}

void SwapWords(Database& db, int32_t a, int32_t b) {
  db.GoTo(a);
  const std::string wordA = ReadTextField(db, kWord);
  const std::string meaningA = ReadTextField(db, kMeaning);
  db.GoTo(b);
  const std::string wordB = ReadTextField(db, kWord);
  const std::string meaningB = ReadTextField(db, kMeaning);
  db.WriteField(kWord, Value::Text(wordA));
  db.WriteField(kMeaning, Value::Text(meaningA));
  db.GoTo(a);
  db.WriteField(kWord, Value::Text(wordB));
  db.WriteField(kMeaning, Value::Text(meaningB));
}

bool ShuffleGroups(Database& db, int32_t groups, RandomGenerator& random) {
  // Thousands of swaps, one change: the book is shuffled whole or not at
  // all, and the disk is synced a few times instead of at every swap.
  WholeFileScope scope(db);
  if (!scope.ok()) return false;
  const std::map<int32_t, GroupRun> runs = FindGroupRuns(db);
  for (int32_t g = 1; g <= groups; ++g) {
    const auto it = runs.find(g);
    if (it == runs.end() || it->second.count <= 1) continue;
    const GroupRun& run = it->second;
    for (int32_t i = 0; i < run.count; ++i) {
      const int32_t a = random.RandomInRange(run.lo, run.hi);
      const int32_t b = random.RandomInRange(a, run.hi);
      SwapWords(db, a, b);
    }
  }
  return scope.End();
}

bool RenumberWords(Database& db) {
  db.GoFirst();
  bool written = true;
  for (int32_t i = 0, count = db.RecordCount(); i < count; ++i) {
    written = db.WriteField(kSerialNumber, Value::Int(db.RecordNumber())) && written;
    db.Skip(1);
  }
  return written;
}

}  // namespace cindral
