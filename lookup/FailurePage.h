// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small local page a dictionary tab shows when its service cannot be
// reached: the word, its stored meaning, the address tried and a link that
// tries it again, so that a learner without network can still study from
// the card. No Qt.

#include <string>

namespace cindral {

// The page as UTF-8 HTML. `word`, `meaning` and `address` are GBK (the
// address as built, shown as text); `retryAddress` is the ASCII address the
// view loads for the link; `offlineEntry` is the word's offline entry as
// OfflineEntry::Html made it (UTF-8, escaped already), or empty. Every text
// is escaped: a word such as "<b>" or "a&b" shows as typed. The page runs
// no script.
std::string FailurePageHtml(const std::string& word, const std::string& meaning,
                            const std::string& address, const std::string& retryAddress,
                            const std::string& offlineEntry = {});

// The page a dictionary tab shows from the moment the card moves on to a
// word until that word's page arrives: the word and its meaning (GBK),
// and that the page is on its way. No tab ever shows another word's page
// meanwhile. UTF-8 HTML; the page runs no script.
std::string LoadingPageHtml(const std::string& word, const std::string& meaning);

// Text made safe for HTML element content and attribute values (UTF-8 in,
// UTF-8 out): & < > " ' become entities.
std::string EscapeHtml(const std::string& utf8);

}  // namespace cindral
