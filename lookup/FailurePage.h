#pragma once
// The small local page a dictionary tab shows when its service cannot be
// reached: the word, its stored meaning, the address tried and a link that
// tries it again, so that a learner without network can still study from
// the card. No Qt.

#include <string>

namespace cindral {

// The page as UTF-8 HTML. `word`, `meaning` and `address` are GBK (the
// address as built, shown as text); `retryAddress` is the ASCII address the
// view loads for the link. Every text is escaped: a word such as "<b>" or
// "a&b" shows as typed. The page runs no script.
std::string FailurePageHtml(const std::string& word, const std::string& meaning,
                            const std::string& address, const std::string& retryAddress);

// Text made safe for HTML element content and attribute values (UTF-8 in,
// UTF-8 out): & < > " ' become entities.
std::string EscapeHtml(const std::string& utf8);

}  // namespace cindral
