#pragma once
// Program-wide state that lives for the whole run, owned by the Program.

#include <cstdint>
#include <string>
#include <vector>

#include "store/DateTime.h"
#include "store/WordRecord.h"

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
  int32_t ReviewPosition = 0;           // mirror of reviewnumber, 1-based in DueList
  int32_t CurrentGroup = 0;             // mirror of groupnumber
  std::vector<DueEntry> DueList;        // today's words
  double ReviewPhaseStart = kZeroDate;  // first day of the review-only phase, zero = unknown
  std::vector<DueEntry> ForgottenList;
  int32_t ForgottenPosition = 1;
};

}  // namespace cindral
