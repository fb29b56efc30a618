#pragma once

#include <string>

#include "store/Database.h"

namespace cindral {

// The text of the word book listing 窗口单词本: one line per record, in
// record order, "12.  apple   苹果→35%" followed by CR LF (GBK).
std::string BuildWordBookListing(Database& db);

}  // namespace cindral
