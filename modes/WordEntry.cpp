#include "modes/WordEntry.h"

#include "plan/DayPlan.h"
#include "store/Convert.h"
#include "store/DateTime.h"
#include "store/Gbk.h"

namespace cindral {

namespace {
constexpr int kEnterKey = 13;
}

void WordEntry::KeyDown(int keyCode) {
  if (keyCode == kEnterKey) Submit();
}

void WordEntry::Submit() {
  Database& db = program_.db;
  db.GoLast();
  program_.state.CurrentGroup = program_.ReadConfigInt("groupnumber");
  const double lastDate = ReadDateField(db, kEntryDate);
  const int32_t lastSerial = db.RecordCount() > 0 ? ReadIntegerField(db, kSerialNumber) : 0;

  if (meaning_.empty() || word_.empty()) {
    program_.prompter.Inform(GBK("请将单词和释义录入完整！"), GBK("提示"));
    focus_ = word_.empty() ? Focus::Word : Focus::Meaning;
    return;
  }

  const double today = program_.Today();
  const bool newDay = FloatEqual(DateInterval(today, lastDate, kUnitDay), 1);
  // Counters go through floating point, as stored in the settings file.
  const double group = static_cast<double>(program_.state.CurrentGroup) + (newDay ? 1 : 0);
  const bool added = db.AddRecord({Value::Double(group), Value::Text(word_), Value::Text(meaning_),
                                   Value::DateTime(today), Value::Int(1),
                                   Value::Double(static_cast<double>(lastSerial) + 1)});
  if (!added) {
    // Keep what the learner typed so that nothing is lost silently.
    program_.prompter.Fail(GBK("单词保存失败，请再试！"), GBK("出错了"));
    return;
  }
  if (newDay) {
    program_.WriteConfig("groupnumber", ValueToText(Value::Double(group)));
    program_.state.CurrentGroup = program_.ReadConfigInt("groupnumber");
  }
  word_.clear();
  meaning_.clear();
  focus_ = Focus::Word;
}

bool WordEntry::QueryClose() {
  program_.db.GoLast();
  if (SameDateTime(ReadDateField(program_.db, kEntryDate), program_.Today())) return true;
  program_.prompter.Inform(GBK("您还没有录入今天的单词，窗口不能关闭！"), GBK("提示"));
  return false;
}

void WordEntry::Destroyed() { ComputeDayPlan(program_); }

}  // namespace cindral
