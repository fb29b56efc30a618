// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic/WordBookWindowLogic.h"

#include <algorithm>

#include "store/Convert.h"
#include "store/Gbk.h"
#include "store/WholeFileScope.h"
#include "store/WordRecord.h"

namespace cindral {

void WordBookWindowLogic::Opened() {
  text_.clear();
  find_.reset();
  match_ = {};
  findStatus_.clear();
  selection_ = {};
  // One lock for the walk, under which the book is read in large blocks.
  WholeFileScope scope(db_, WholeFileScope::Kind::Shared);
  db_.GoFirst();
  const int32_t count = db_.RecordCount();
  for (int32_t i = 0; i < count; ++i) {
    text_ += IntegerToText(ReadIntegerField(db_, kSerialNumber));
    text_ += ".  ";
    text_ += ReadTextField(db_, kWord);
    text_ += "   ";
    text_ += ReadTextField(db_, kMeaning);
    text_ += GBK("→");
    text_ += IntegerToText(ReadIntegerField(db_, kProficiency));
    text_ += "%\r\n";
    db_.Skip(1);
  }
}

void WordBookWindowLogic::Find(const std::string& query, FindOptions options, std::size_t from,
                               bool backward) {
  if (!find_) find_.emplace(text_);
  match_ = backward ? find_->Previous(query, options, from) : find_->Next(query, options, from);
  selection_ = match_.found ? Selection{match_.offset, match_.length}
                            : Selection{std::min(from, text_.size()), 0};
  if (query.empty()) {
    findStatus_.clear();
  } else if (!match_.found) {
    findStatus_ = GBK("找不到“") + query + GBK("”");
  } else {
    findStatus_ = GBK("第 ") + std::to_string(match_.number) + GBK(" 个，共 ") +
                  std::to_string(match_.count) + GBK(" 个");
    if (match_.wrapped) findStatus_ += backward ? GBK("（已从末尾继续）") : GBK("（已从头继续）");
  }
}

}  // namespace cindral
