// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Value and text conversions, text splitting, and the seeded generator.

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "store/Value.h"

namespace cindral {

std::string ValueToText(const Value& v);  // GBK
int32_t ValueToInteger(const Value& v);
// Leading decimal digits of a GBK text, after full-width folding, blanks
// and an optional sign; 0 when there are none.
int32_t TextToInteger(const std::string& text);
// Full-width forms folded to ASCII (the folding that TextToDate and
// ValueToInteger apply first).
std::string FoldFullWidth(const std::string& text);
// A floating value truncated toward zero to a 32-bit integer. Values beyond
// the 32-bit range saturate (a huge count stays huge and keeps its sign);
// NaN gives 0.
int32_t TruncateToInteger(double v);
// Decimal text of a 32-bit integer.
std::string IntegerToText(int32_t v);

// Splits at each occurrence of `delim`, stepping over two-byte characters.
// With a maximum, the scan stops once that many elements are cut and the
// rest is dropped; a maximum of 0 or less gives no elements.
std::vector<std::string> SplitText(const std::string& s, const std::string& delim = ",",
                                   std::optional<int32_t> maxCount = std::nullopt);

// The program's pseudo-random generator (a 32-bit linear congruential state).
class RandomGenerator {
 public:
  void SeedRandom(uint32_t seed) { state_ = seed; }
  // Seeds from the millisecond tick count and an internal counter.
  void SeedRandom();
  // Next value, 0..32767.
  int32_t Next();
  int32_t RandomInRange(int32_t min = 0, int32_t max = std::numeric_limits<int32_t>::max());
  uint32_t state() const { return state_; }

 private:
  uint32_t state_ = 0;
  uint32_t counter_ = 0;
};

}  // namespace cindral
