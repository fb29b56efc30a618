#pragma once
// The program-wide lists and values that live in memory only. The values
// mirrored in the settings file (the review position, the newest group and
// the daily flags) are kept by Program, which writes them through.

#include <cstdint>
#include <string>
#include <vector>

#include "store/DateTime.h"

namespace cindral {

// Five values copied from one word record; SerialNumber is the record number.
struct DueEntry {
  int32_t GroupNumber = 0;
  std::string Word;     // GBK
  std::string Meaning;  // GBK
  int32_t Proficiency = 0;
  int32_t SerialNumber = 0;

  bool operator==(const DueEntry& o) const {
    return GroupNumber == o.GroupNumber && Word == o.Word && Meaning == o.Meaning &&
           Proficiency == o.Proficiency && SerialNumber == o.SerialNumber;
  }
};

struct AppState {
  std::vector<DueEntry> DueList;        // today's words
  double ReviewPhaseStart = kZeroDate;  // first day of the review-only phase, zero = unknown
  std::vector<DueEntry> ForgottenList;  // words marked forgotten in a group test
  int32_t ForgottenPosition = 1;        // 1-based in ForgottenList
  std::vector<DueEntry> IntensiveList;  // words of the intensive review, in record order
  int32_t BackgroundIndex = 0;          // game background shown last (1..6), 0 = none yet
};

}  // namespace cindral
