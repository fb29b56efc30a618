#include "modes/ProficiencySteps.h"

#include <vector>

#include "core/SettingsChange.h"
#include "store/DateTime.h"
#include "store/Gbk.h"
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

BonusOutcome GiveLearningBonus(Database& db, const Settings& settings,
                               std::vector<DueEntry>& due) {
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

void ApplyLearningBonus(Program& program) {
  if (!program.BonusDue()) return;
  if (GiveLearningBonus(program.db(), program.settings(), program.state().DueList) ==
      BonusOutcome::NotStored) {
    program.prompter().Fail(GBK("今天的学习奖励（熟练度+20）没有保存成功，下次学完时再给。"),
                            GBK("出错了"));
  }
}

}  // namespace cindral
