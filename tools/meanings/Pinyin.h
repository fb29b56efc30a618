// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace cindral {

// CC-CEDICT's numbered pinyin with tone marks, as a learner reads it
// (UTF-8): "ping2 guo3" → "píng guǒ", "lu:4" → "lǜ", "Zhong1 guo2" →
// "Zhōng guó"; the fifth (neutral) tone has no mark, "r5" is "r", and
// anything that is no syllable (a letter, "·", ",") stays as it is.
std::string PinyinWithToneMarks(std::string_view numbered);

}  // namespace cindral
