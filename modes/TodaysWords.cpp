#include "modes/TodaysWords.h"

#include "store/DateTime.h"
#include "store/WholeFileScope.h"
#include "store/WordRecord.h"

namespace cindral {

bool AddTodaysWords(Program& program, const std::vector<NewWord>& words) {
  if (words.empty()) return true;
  Database& db = program.db();
  program.LoadCurrentGroup();
  const double today = program.Today();
  bool newDay = false;
  double group = 0;
  bool added = false;
  {
    // The last record's serial number and the appends that follow it are
    // one step, and one change: another program entering words at the same
    // moment waits instead of taking the same numbers, and the words go in
    // all together or not at all.
    WholeFileScope scope(db);
    if (scope.ok()) {
      db.GoLast();
      const double lastDate = ReadDateField(db, kEntryDate);
      const int32_t lastSerial = db.RecordCount() > 0 ? ReadIntegerField(db, kSerialNumber) : 0;
      // The first word of a new study day opens the next group; the words
      // after it, entered the same day, join it.
      newDay = FloatEqual(DateInterval(today, lastDate, kUnitDay), 1);
      // Counters go through floating point, as stored in the settings file.
      group = static_cast<double>(program.CurrentGroup()) + (newDay ? 1 : 0);
      added = true;
      double serial = static_cast<double>(lastSerial);
      for (const NewWord& w : words) {
        serial += 1;
        added = db.AddRecord({Value::Double(group), Value::Text(w.word), Value::Text(w.meaning),
                              Value::DateTime(today), Value::Int(1), Value::Double(serial)});
        if (!added) break;
      }
      added = scope.End() && added;
    }
  }
  if (added && newDay) program.SetCurrentGroup(group);
  return added;
}

}  // namespace cindral
