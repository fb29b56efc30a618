// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/Compare.h"

#include <cstdio>
#include <vector>

#include "book/BookComparison.h"
#include "core/Settings.h"
#include "store/DateTime.h"
#include "store/FatalError.h"
#include "store/Gbk.h"
#include "tools/Dump.h"

namespace cindral {
namespace {

constexpr const char* kCounters[] = {"reviewnumber", "groupnumber", "plus", "minus"};

std::string DateText(double date) { return date == 0 ? "-" : DateTimeText(date, "%04d-%02d-%02d"); }

// The counter as the settings file beside the book holds it, "-" for none.
std::string Counter(const std::string& gbkBook, const char* key) {
  const std::string path = Database::FullPath(gbkBook);
  const Settings settings(path.substr(0, path.rfind('/')));
  const std::string value = settings.ReadSetting("Config", key);
  return value.empty() ? "-" : value;
}

bool Open(Database& db, const std::string& file) {
  if (db.OpenDatabase(Utf8ToGbk(file), Access::ReadOnly, Share::DenyNone)) return true;
  const int32_t code = LastDatabaseError();
  std::fprintf(stderr, "cindral-db: %s cannot be read: error %d %s\n", file.c_str(),
               static_cast<int>(code), GbkToUtf8(DatabaseErrorText(code)).c_str());
  return false;
}

}  // namespace

int Compare(const std::string& book, const std::string& other) {
  Database first;
  Database second;
  if (!Open(first, book) || !Open(second, other)) return 2;
  BookComparison c;
  try {
    if (!CompareBooks(first, second, &c)) {
      const int32_t code = LastDatabaseError();
      std::fprintf(stderr, "cindral-db: the words of %s and %s cannot be read: error %d %s\n",
                   book.c_str(), other.c_str(), static_cast<int>(code),
                   GbkToUtf8(DatabaseErrorText(code)).c_str());
      return 2;
    }
  } catch (const FatalError&) {
    // A field of another kind where a word book keeps its words.
    std::fprintf(stderr, "cindral-db: %s and %s are not both word books\n", book.c_str(),
                 other.c_str());
    return 2;
  }
  std::string out;
  bool differ = !c.differences.empty();
  const auto row = [&out](const std::string& name, const std::string& a, const std::string& b) {
    out += name + '\t' + a + '\t' + b + '\n';
  };
  row("words", std::to_string(c.first.words), std::to_string(c.second.words));
  row("groups", std::to_string(c.first.groups), std::to_string(c.second.groups));
  row("last-entry", DateText(c.first.lastEntry), DateText(c.second.lastEntry));
  row("proficiency-sum", std::to_string(c.first.proficiencySum),
      std::to_string(c.second.proficiencySum));
  const std::string gbkBook = Utf8ToGbk(book);
  const std::string gbkOther = Utf8ToGbk(other);
  for (const char* key : kCounters) {
    const std::string a = Counter(gbkBook, key);
    const std::string b = Counter(gbkOther, key);
    differ = differ || a != b;
    row(key, GbkToUtf8(a), GbkToUtf8(b));
  }
  std::string scratch;
  for (const WordDifference& d : c.differences) {
    using Kind = WordDifference::Kind;
    switch (d.kind) {
      case Kind::kOnlyInFirst:
        out += "only-in-book\t";
        break;
      case Kind::kOnlyInSecond:
        out += "only-in-other\t";
        break;
      case Kind::kGroup:
        out += "group\t";
        break;
      case Kind::kMeaning:
        out += "meaning\t";
        break;
      case Kind::kProficiency:
        out += "proficiency\t";
        break;
    }
    for (const std::string* value : {&d.word, &d.first, &d.second}) {
      if (value != &d.word) out += '\t';
      AppendEscaped(&out, *value, &scratch);
    }
    out += '\n';
  }
  if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
    std::fprintf(stderr, "cindral-db: the differences could not be written out\n");
    return 2;
  }
  return differ ? 1 : 0;
}

}  // namespace cindral
