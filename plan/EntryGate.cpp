#include "plan/EntryGate.h"

#include "plan/DayPlan.h"
#include "store/DateTime.h"
#include "store/Gbk.h"
#include "store/WordRecord.h"

namespace cindral {

std::string EntryRefusal(Program& program) {
  const double today = program.Today();
  const double phaseStart = program.state().ReviewPhaseStart;
  if (FloatGreaterEqual(DateInterval(today, phaseStart, kUnitDay), 0) && !IsZeroDate(phaseStart)) {
    return GBK("恭喜你，您已经到了复习攻坚阶段，在这12天中，您只需要复习即可！");
  }
  Database& db = program.db();
  db.GoLast();
  const double lastDate = ReadDateField(db, kEntryDate);
  const double sinceLast = DateInterval(today, lastDate, kUnitDay);
  if (FloatEqual(sinceLast, 0) || FloatEqual(sinceLast, 1) || IsZeroDate(lastDate)) return {};
  return GBK("您已多天没有学习单词，请重置单词数据库后重新学习！");
}

void OpenEntryGate(Program& program) {
  const std::string refusal = EntryRefusal(program);
  if (refusal.empty()) {
    program.shell().OpenWindow(WindowId::Entry);
  } else {
    program.prompter().Inform(refusal, GBK("提示"));
  }
}

}  // namespace cindral
