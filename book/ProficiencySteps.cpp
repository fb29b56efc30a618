// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "book/ProficiencySteps.h"

#include <vector>

#include "core/SettingsChange.h"
#include "store/DateTime.h"
#include "store/WholeFileScope.h"
#include "store/WordRecord.h"

namespace cindral {
namespace {

// Moves the cursor to the entry's record and reads its proficiency. Sums are
// taken in 64 bits: a damaged record may hold any 32-bit value.
int64_t StoredProficiency(Database& db, const DueEntry& entry) {
  db.GoTo(entry.SerialNumber);
  return ReadIntegerField(db, kProficiency);
}

// Adds `step` to the entry's stored proficiency, keeping to 100 at the top.
// The cap is written as an integer, a value below it as a double, as the
// word book has always been written.
void RaiseBy(Database& db, DueEntry& entry, int32_t step) {
  const int64_t raised = StoredProficiency(db, entry) + step;
  if (FloatGreater(static_cast<double>(raised) - kMaxProficiency, 0)) {
    entry.Proficiency = kMaxProficiency;
    db.WriteField(kProficiency, Value::Int(kMaxProficiency));
  } else {
    entry.Proficiency = static_cast<int32_t>(raised);
    db.WriteField(kProficiency, Value::Double(static_cast<double>(raised)));
  }
}

// A proficiency after the day's decay.
int32_t Decayed(int64_t p) { return p >= 2 ? static_cast<int32_t>(p - 1) : kMinProficiency; }

}  // namespace

void RaiseProficiency(Database& db, DueEntry& entry) { RaiseBy(db, entry, 1); }

void LowerProficiency(Database& db, DueEntry& entry) {
  const int64_t lowered = StoredProficiency(db, entry) - 1;
  if (FloatGreater(kMinProficiency, static_cast<double>(lowered))) {
    db.WriteField(kProficiency, Value::Int(kMinProficiency));
    entry.Proficiency = kMinProficiency;
  } else {
    entry.Proficiency = static_cast<int32_t>(lowered);
    db.WriteField(kProficiency, Value::Double(static_cast<double>(lowered)));
  }
}

BonusOutcome GiveLearningBonus(Database& db, const Settings& settings, std::vector<DueEntry>& due) {
  SettingsChange given(settings);
  given.Set(kConfigSection, "plus", "true");
  const std::vector<DueEntry> before = due;
  // Every due word gets the bonus together with plus "true", or none does
  // and it stays due: one change of the book and the settings file, synced
  // a few times however long the list. A bonus stored without its flag
  // would be given again at the next pass.
  WholeFileScope scope(db);
  if (!scope.ok()) return BonusOutcome::NotStored;
  if (settings.ReadSetting(kConfigSection, "plus") != "false") return BonusOutcome::NotDue;
  if (!scope.AlsoReplace(given)) return BonusOutcome::NotStored;
  for (DueEntry& entry : due) RaiseBy(db, entry, kLearningBonus);
  if (!scope.End()) {
    due = before;
    return BonusOutcome::NotStored;
  }
  return BonusOutcome::Given;
}

bool DecayWordBook(Database& db, const Settings& settings, std::vector<DueEntry>& due) {
  // The flag goes with the words: a start cut short, or a flag that cannot
  // be stored, never leaves a decayed book whose decay is still due (the
  // next start would decay every word again).
  SettingsChange done(settings);
  done.Set(kConfigSection, "minus", "true");
  WholeFileScope scope(db);
  if (!scope.ok()) return false;
  if (settings.ReadSetting(kConfigSection, "minus") != "false") return true;
  if (!scope.AlsoReplace(done)) return false;
  db.GoFirst();
  const int32_t count = db.RecordCount();
  for (int32_t i = 0; i < count; ++i) {
    const int64_t p = ReadIntegerField(db, kProficiency);
    // Only what changes is written back.
    if (Decayed(p) != p) db.WriteField(kProficiency, Value::Int(Decayed(p)));
    db.Skip(1);
  }
  if (!scope.End()) return false;
  // The cards show what the book now holds.
  for (DueEntry& entry : due) entry.Proficiency = Decayed(entry.Proficiency);
  return true;
}

}  // namespace cindral
