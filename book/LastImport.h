// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The last import, and taking it back. An import records which records it
// added in a small file beside the book ("<book>-import", next to the
// book's journal): their place, their number, a fingerprint of them as
// stored, and groupnumber before and after. Undoing removes exactly those
// records in one change of the book, with groupnumber put back in the same
// change, so that the book and the settings file are as before the import.
// The undo is refused when the records are no longer as the import left
// them (studied, updated, deleted, the book reset) or words were entered
// after them. The record is only a note: a stale or missing one can never
// remove a word that the import did not add, since the fingerprint must
// match the records first.

#include <cstdint>
#include <string>
#include <vector>

#include "book/TodaysWords.h"
#include "core/Settings.h"
#include "store/Database.h"

namespace cindral {

// The record file of the current database of `db` (GBK path).
std::string LastImportPath(Database& db);

// Adds the words as AddTodaysWords does and, once they are in the book,
// records them as the last import. `*undoable` (when given) tells whether
// the record was written; a failure there leaves the import in place.
bool ImportTodaysWords(Database& db, const Settings& settings, double today,
                       const std::vector<NewWord>& words, bool* undoable = nullptr);

enum class UndoOutcome {
  Undone,         // the import's words are gone, groupnumber as before it
  NothingToUndo,  // no import recorded, or it was already undone
  ChangedSince,   // the imported words were studied, updated or deleted
  WordsAfter,     // words were entered after the import
  Failed,         // the change could not be stored: nothing changed
};

// What UndoLastImport would do now, without doing it: Undone when the
// last import can be taken back, with `*count` (when given) the number of
// words it would remove; otherwise why not (Failed: the book could not be
// read). Another program may change the book before the undo, which checks
// again under its lock.
UndoOutcome CheckUndoLastImport(Database& db, int32_t* count = nullptr);

// Takes the last import back. `*count` (when given) is set to the number
// of words removed.
UndoOutcome UndoLastImport(Database& db, const Settings& settings, int32_t* count = nullptr);

}  // namespace cindral
