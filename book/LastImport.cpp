// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "book/LastImport.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "core/SettingsChange.h"
#include "store/CompanionFile.h"
#include "store/Convert.h"
#include "store/RecordFile.h"
#include "store/WholeFileScope.h"
#include "store/WordRecord.h"

namespace cindral {
namespace {

constexpr const char* kKeys[] = {"first", "count", "groupbefore", "groupafter", "digest"};

std::string NoteText(const AddedWords& added) {
  char digest[17];
  std::snprintf(digest, sizeof digest, "%016llx", static_cast<unsigned long long>(added.digest));
  return "first=" + std::to_string(added.firstRecord) + "\ncount=" + std::to_string(added.count) +
         "\ngroupbefore=" + std::to_string(added.groupBefore) +
         "\ngroupafter=" + std::to_string(added.groupAfter) + "\ndigest=" + digest + "\n";
}

// The recorded import; false when there is none or it cannot be read whole.
bool ReadNote(Database& db, AddedWords* added) {
  if (db.Current() == nullptr) return false;
  std::string text;
  bool exists = false;
  if (ReadWholeFile(db.Files(), LastImportPath(db), &text, &exists) != 0 || !exists) return false;
  unsigned long long values[5];
  std::size_t at = 0;
  for (int k = 0; k < 5; ++k) {
    const std::string key = std::string(kKeys[k]) + "=";
    const std::size_t end = text.find('\n', at);
    if (text.compare(at, key.size(), key) != 0 || end == std::string::npos) return false;
    const std::string number = text.substr(at + key.size(), end - at - key.size());
    char* stop = nullptr;
    values[k] = std::strtoull(number.c_str(), &stop, k == 4 ? 16 : 10);
    if (number.empty() || *stop != '\0' || (k < 4 && values[k] > 0x7fffffffull)) return false;
    at = end + 1;
  }
  *added = {static_cast<int32_t>(values[0]), static_cast<int32_t>(values[1]),
            static_cast<int32_t>(values[2]), static_cast<int32_t>(values[3]), values[4]};
  return added->firstRecord >= 1 && added->count >= 1;
}

// Writes the note (or, with null, removes it) under the folder's lock.
int32_t ReplaceNote(Database& db, const std::string* text) {
  const std::string path = LastImportPath(db);
  std::unique_ptr<HeldLock> lock;
  const int32_t code = db.Files().LockDirectoryOf(path, &lock);
  return code != 0 ? code : ReplaceWholeFile(db.Files(), path, text);
}

// Whether the book's records are exactly those the import left, and the
// last: Undone when they are. Reads under the caller's scope.
UndoOutcome CheckRecords(Database& db, const AddedWords& note) {
  const int64_t last = static_cast<int64_t>(note.firstRecord) + note.count - 1;
  const int32_t records = db.RecordCount();
  // None of its records is there: undone already, or the book was reset.
  if (records < note.firstRecord) return UndoOutcome::NothingToUndo;
  if (records < last) return UndoOutcome::ChangedSince;
  if (records > last) return UndoOutcome::WordsAfter;
  if (RecordsDigest(db, note.firstRecord, note.count) != note.digest) {
    return UndoOutcome::ChangedSince;
  }
  return UndoOutcome::Undone;
}

}  // namespace

std::string LastImportPath(Database& db) {
  return db.Current() == nullptr ? std::string() : db.Current()->path() + "-import";
}

bool ImportTodaysWords(Database& db, const Settings& settings, double today,
                       const std::vector<NewWord>& words, bool* undoable) {
  if (undoable != nullptr) *undoable = false;
  AddedWords added;
  if (!AddTodaysWords(db, settings, today, words, &added)) return false;
  if (added.count > 0) {
    const std::string text = NoteText(added);
    const bool noted = ReplaceNote(db, &text) == 0;
    if (undoable != nullptr) *undoable = noted;
  }
  return true;
}

UndoOutcome CheckUndoLastImport(Database& db, int32_t* count) {
  if (count != nullptr) *count = 0;
  AddedWords note;
  if (!ReadNote(db, &note)) return UndoOutcome::NothingToUndo;
  WholeFileScope scope(db, WholeFileScope::Kind::Shared);
  if (!scope.ok()) return UndoOutcome::Failed;
  const UndoOutcome outcome = CheckRecords(db, note);
  if (outcome == UndoOutcome::Undone && count != nullptr) *count = note.count;
  return outcome;
}

UndoOutcome UndoLastImport(Database& db, const Settings& settings, int32_t* count) {
  if (count != nullptr) *count = 0;
  AddedWords note;
  if (!ReadNote(db, &note)) return UndoOutcome::NothingToUndo;
  SettingsChange group(settings);
  WholeFileScope scope(db);
  if (!scope.ok()) return UndoOutcome::Failed;
  // Checked under this lock: another program may have changed the book
  // since any earlier check.
  const UndoOutcome check = CheckRecords(db, note);
  if (check != UndoOutcome::Undone) return check;
  // A new study day's import opened its group: groupnumber goes back with
  // the words, unless something else has moved it since.
  if (note.groupAfter != note.groupBefore) {
    if (!scope.AlsoReplace(group)) return UndoOutcome::Failed;
    const int32_t now = settings.ReadSettingInt(kConfigSection, "groupnumber");
    const int32_t back = now == note.groupAfter ? note.groupBefore : now;
    group.Set(kConfigSection, "groupnumber", ValueToText(Value::Double(back)));
  }
  const int32_t last = db.RecordCount();  // the import's records end the book
  for (int32_t r = note.firstRecord; r <= last; ++r) {
    if (!db.GoTo(r) || !db.MarkDeleted()) {
      scope.Fail(LastDatabaseError());
      return UndoOutcome::Failed;
    }
  }
  if (!db.PurgeDeleted()) scope.Fail(LastDatabaseError());
  if (!scope.End()) return UndoOutcome::Failed;
  // Once the words are gone the note has nothing left to undo; where it
  // cannot be removed, the book itself says so (its records end before
  // the note's first).
  ReplaceNote(db, nullptr);
  if (count != nullptr) *count = note.count;
  return UndoOutcome::Undone;
}

}  // namespace cindral
