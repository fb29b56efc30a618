// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "book/TodaysWords.h"

#include "core/SettingsChange.h"
#include "store/Convert.h"
#include "store/DateTime.h"
#include "store/Gbk.h"
#include "store/WholeFileScope.h"
#include "store/WordRecord.h"

namespace cindral {

bool IsZeroDate(double d) { return SameDateTime(d, TextToDate(GBK("1899年12月30日"))); }

bool ReviewPhaseStartOf(Database& db, double* start) {
  db.GoFirst();
  const int32_t firstGroup = ReadIntegerField(db, kGroupNumber);
  const double firstDate = ReadDateField(db, kEntryDate);
  if (firstGroup != 1) return false;
  *start = AddToDate(firstDate, kUnitDay, kLearningPhaseDays);
  return true;
}

std::string TodaysWordsRefusal(Database& db, double today, double reviewPhaseStart) {
  if (FloatGreaterEqual(DateInterval(today, reviewPhaseStart, kUnitDay), 0) &&
      !IsZeroDate(reviewPhaseStart)) {
    return GBK("恭喜你，您已经到了复习攻坚阶段，在这12天中，您只需要复习即可！");
  }
  db.GoLast();
  const double lastDate = ReadDateField(db, kEntryDate);
  const double sinceLast = DateInterval(today, lastDate, kUnitDay);
  if (FloatEqual(sinceLast, 0) || FloatEqual(sinceLast, 1) || IsZeroDate(lastDate)) return {};
  return GBK("您已多天没有学习单词，请重置单词数据库后重新学习！");
}

uint64_t RecordsDigest(Database& db, int32_t first, int32_t count) {
  // FNV-1a over each field's stored text, every field closed by a zero byte.
  uint64_t hash = 14695981039346656037ull;
  auto mix = [&hash](const std::string& bytes) {
    for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    hash = (hash ^ 0u) * 1099511628211ull;
  };
  if (count <= 0 || !db.GoTo(first)) return hash;
  for (int32_t i = 0; i < count; ++i) {
    for (const int32_t field : {kGroupNumber, kWord, kMeaning, kEntryDate, kProficiency,
                                kSerialNumber}) {
      mix(ValueToText(db.ReadField(field)));
    }
    if (i + 1 < count && !db.Skip(1)) break;
  }
  return hash;
}

bool AddTodaysWords(Database& db, const Settings& settings, double today,
                    const std::vector<NewWord>& words, AddedWords* added) {
  if (words.empty()) return true;
  SettingsChange newGroup(settings);
  // The last record's serial number, the newest group and the appends that
  // follow them are one step, and one change: another program entering
  // words at the same moment waits instead of taking the same numbers, and
  // the words go in all together, with the group they open, or not at all.
  WholeFileScope scope(db);
  if (!scope.ok()) return false;
  db.GoLast();
  const double lastDate = ReadDateField(db, kEntryDate);
  const int32_t lastSerial = db.RecordCount() > 0 ? ReadIntegerField(db, kSerialNumber) : 0;
  // The first word of a new study day opens the next group; the words
  // after it, entered the same day, join it.
  const bool newDay = FloatEqual(DateInterval(today, lastDate, kUnitDay), 1);
  // Counters go through floating point, as stored in the settings file.
  const double group =
      static_cast<double>(settings.ReadSettingInt(kConfigSection, "groupnumber")) + (newDay ? 1 : 0);
  if (newDay) {
    newGroup.Set(kConfigSection, "groupnumber", ValueToText(Value::Double(group)));
    if (!scope.AlsoReplace(newGroup)) return false;
  }
  const int32_t first = db.RecordCount() + 1;
  double serial = static_cast<double>(lastSerial);
  bool stored = true;
  for (const NewWord& w : words) {
    serial += 1;
    stored = db.AddRecord({Value::Double(group), Value::Text(w.word), Value::Text(w.meaning),
                           Value::DateTime(today), Value::Int(1), Value::Double(serial)});
    if (!stored) {
      scope.Fail(LastDatabaseError());
      break;
    }
  }
  if (stored && added != nullptr) {
    const int32_t count = static_cast<int32_t>(words.size());
    *added = {first, count, static_cast<int32_t>(group) - (newDay ? 1 : 0),
              static_cast<int32_t>(group), RecordsDigest(db, first, count)};
  }
  return scope.End() && stored;
}

}  // namespace cindral
