// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// English words borrowed with their accents ("naïve", "café", "résumé") as
// the offline dictionary spells them: with plain letters. A learner's word
// comes as GBK, which holds a few accented Latin letters as two-byte codes
// (é, è, à, ü and the other pinyin letters) and the rest (ï, ç, ñ, ö, …) as
// GB18030's four-byte codes; both are folded. No Qt.

#include <string>
#include <string_view>

namespace cindral {

// `gbk` with every accented Latin letter replaced by its plain letter (æ
// by "ae", œ by "oe", ß by "ss"); everything else as it was.
std::string FoldAccents(std::string_view gbk);

}  // namespace cindral
