#pragma once
// The logic of the word book listing 窗口单词本: every record as one line of
// text, built once when the window opens.

#include <string>

#include "store/Database.h"

namespace cindral {

class WordBookWindowLogic {
 public:
  explicit WordBookWindowLogic(Database& db) : db_(db) {}

  // Builds the listing: one line per record, in record order,
  // "12.  apple   苹果→35%" followed by CR LF (GBK).
  void Opened();

  // Visible state: the text of the box.
  const std::string& text() const { return text_; }

 private:
  Database& db_;
  std::string text_;
};

}  // namespace cindral
