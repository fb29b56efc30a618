#include "modes/ProficiencySteps.h"

#include <vector>

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

}  // namespace

DueEntry* CurrentDueEntry(Program& program) {
  std::vector<DueEntry>& due = program.state().DueList;
  const int32_t position = program.ReviewPosition();
  if (position < 1 || static_cast<size_t>(position) > due.size()) return nullptr;
  return &due[static_cast<size_t>(position) - 1];
}

void RaiseProficiency(Program& program) {
  if (DueEntry* entry = CurrentDueEntry(program)) RaiseBy(program.db(), *entry, 1);
}

void LowerProficiency(Program& program) {
  DueEntry* entry = CurrentDueEntry(program);
  if (entry == nullptr) return;
  Database& db = program.db();
  const int64_t lowered = StoredProficiency(db, *entry) - 1;
  if (FloatGreater(kMinProficiency, static_cast<double>(lowered))) {
    db.WriteField(kProficiency, Value::Int(kMinProficiency));
    entry->Proficiency = kMinProficiency;
  } else {
    entry->Proficiency = static_cast<int32_t>(lowered);
    db.WriteField(kProficiency, Value::Double(static_cast<double>(lowered)));
  }
}

void ApplyLearningBonus(Program& program) {
  if (!program.BonusDue()) return;
  Database& db = program.db();
  std::vector<DueEntry>& due = program.state().DueList;
  const std::vector<DueEntry> before = due;
  // Every due word gets the bonus, or none does and it stays due: one
  // change, synced a few times however long the list.
  WholeFileScope scope(db);
  if (scope.ok()) {
    for (DueEntry& entry : due) RaiseBy(db, entry, kLearningBonus);
  }
  if (!scope.End()) {
    due = before;
    return;
  }
  program.MarkBonusGiven();
}

}  // namespace cindral
