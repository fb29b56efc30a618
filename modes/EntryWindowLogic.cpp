#include "modes/EntryWindowLogic.h"

#include "app/core/KeyCodes.h"
#include "plan/DayPlan.h"
#include "store/Convert.h"
#include "store/DateTime.h"
#include "store/Gbk.h"
#include "store/WholeFileScope.h"
#include "store/WordRecord.h"

namespace cindral {

void EntryWindowLogic::KeyDown(int keyCode) {
  if (keyCode == kKeyEnter) Submit();
}

void EntryWindowLogic::Submit() {
  Database& db = program_.db();
  program_.LoadCurrentGroup();
  if (meaning_.empty() || word_.empty()) {
    program_.prompter().Inform(GBK("请将单词和释义录入完整！"), GBK("提示"));
    focus_ = word_.empty() ? Focus::Word : Focus::Meaning;
    return;
  }

  const double today = program_.Today();
  bool newDay = false;
  double group = 0;
  bool added = false;
  {
    // The last record's serial number and the append that follows it are
    // one step: another program entering words at the same moment waits
    // instead of taking the same number.
    WholeFileScope scope(db);
    if (scope.ok()) {
      db.GoLast();
      const double lastDate = ReadDateField(db, kEntryDate);
      const int32_t lastSerial = db.RecordCount() > 0 ? ReadIntegerField(db, kSerialNumber) : 0;
      newDay = FloatEqual(DateInterval(today, lastDate, kUnitDay), 1);
      // Counters go through floating point, as stored in the settings file.
      group = static_cast<double>(program_.CurrentGroup()) + (newDay ? 1 : 0);
      added = db.AddRecord({Value::Double(group), Value::Text(word_), Value::Text(meaning_),
                            Value::DateTime(today), Value::Int(1),
                            Value::Double(static_cast<double>(lastSerial) + 1)});
      added = scope.End() && added;
    }
  }
  if (!added) {
    // Keep what the learner typed so that nothing is lost silently.
    program_.prompter().Fail(GBK("单词保存失败，请再试！"), GBK("出错了"));
    return;
  }
  if (newDay) program_.SetCurrentGroup(group);
  word_.clear();
  meaning_.clear();
  focus_ = Focus::Word;
}

bool EntryWindowLogic::QueryClose() {
  Database& db = program_.db();
  db.GoLast();
  if (SameDateTime(ReadDateField(db, kEntryDate), program_.Today())) return true;
  program_.prompter().Inform(GBK("您还没有录入今天的单词，窗口不能关闭！"), GBK("提示"));
  return false;
}

void EntryWindowLogic::Destroyed() { ComputeDayPlan(program_); }

}  // namespace cindral
