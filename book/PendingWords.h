// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words of an e-reader's vocabulary that an import left out for want of
// a meaning, kept in a small file beside the book ("<book>-reading") and
// offered again at the next import of an e-reader's words. One word a line
// (GBK): the word, the sentence it was met in and the book's title,
// tab-separated. The file is replaced whole: a crash leaves the old list or
// the new one.

#include <cstdint>
#include <string>
#include <vector>

#include "book/EReaderVocabulary.h"
#include "store/Database.h"

namespace cindral {

// The list's file for the current database of `db` (GBK path).
std::string PendingWordsPath(Database& db);

// The words kept; none without a list.
std::vector<EReaderWord> ReadPendingWords(Database& db);

// Keeps `words` as the list (removes the file when there are none). 0, or
// the store's error code when the list could not be written; the old list
// is then as it was.
int32_t WritePendingWords(Database& db, const std::vector<EReaderWord>& words);

}  // namespace cindral
