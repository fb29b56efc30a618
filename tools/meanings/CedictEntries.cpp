// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/meanings/CedictEntries.h"

#include <cstdint>

namespace cindral {
namespace {

// A reader of the JSON the file holds: strings are decoded, everything
// else of no interest is stepped over.
class Json {
 public:
  explicit Json(std::string_view text) : text_(text) {}

  std::size_t at() const { return at_; }
  bool failed() const { return failed_; }

  void Space() {
    while (at_ < text_.size() &&
           (text_[at_] == ' ' || text_[at_] == '\n' || text_[at_] == '\r' || text_[at_] == '\t')) {
      ++at_;
    }
  }
  char Peek() {
    Space();
    return at_ < text_.size() ? text_[at_] : '\0';
  }
  bool Take(char c) {
    if (Peek() != c) return false;
    ++at_;
    return true;
  }
  bool Expect(char c) {
    if (!Take(c)) failed_ = true;
    return !failed_;
  }

  bool String(std::string* out) {
    out->clear();
    if (!Expect('"')) return false;
    while (at_ < text_.size()) {
      const char c = text_[at_++];
      if (c == '"') return true;
      if (c != '\\') {
        out->push_back(c);
        continue;
      }
      if (at_ >= text_.size()) break;
      const char e = text_[at_++];
      constexpr std::string_view kEscaped = "\"\\/bfnrt", kMeant = "\"\\/\b\f\n\r\t";
      if (kEscaped.find(e) != std::string_view::npos) {
        out->push_back(kMeant[kEscaped.find(e)]);
        continue;
      }
      if (e != 'u') return Fail();
      uint32_t code = 0;
      if (!Hex4(&code)) return Fail();
      if (code >= 0xD800 && code < 0xDC00) {  // a surrogate pair
        uint32_t low = 0;
        if (at_ + 1 >= text_.size() || text_[at_] != '\\' || text_[at_ + 1] != 'u') return Fail();
        at_ += 2;
        if (!Hex4(&low) || low < 0xDC00 || low > 0xDFFF) return Fail();
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
      }
      AppendUtf8(code, out);
    }
    return Fail();
  }

  // Steps over one value of any kind.
  bool Skip(int depth = 0) {
    if (depth > 64) return Fail();
    const char c = Peek();
    std::string ignored;
    if (c == '"') return String(&ignored);
    if (c == '[' || c == '{') {
      const char close = c == '[' ? ']' : '}';
      ++at_;
      if (Take(close)) return true;
      do {
        if (c == '{' && (!String(&ignored) || !Expect(':'))) return false;
        if (!Skip(depth + 1)) return false;
      } while (Take(','));
      return Expect(close);
    }
    const std::size_t start = at_;
    while (at_ < text_.size() &&
           std::string_view(",]} \n\r\t").find(text_[at_]) == std::string_view::npos)
      ++at_;
    return at_ > start || Fail();
  }

 private:
  bool Fail() {
    failed_ = true;
    return false;
  }
  bool Hex4(uint32_t* code) {
    if (at_ + 4 > text_.size()) return false;
    for (int i = 0; i < 4; ++i) {
      const char h = text_[at_++];
      *code <<= 4;
      if (h >= '0' && h <= '9')
        *code |= static_cast<uint32_t>(h - '0');
      else if (h >= 'a' && h <= 'f')
        *code |= static_cast<uint32_t>(h - 'a' + 10);
      else if (h >= 'A' && h <= 'F')
        *code |= static_cast<uint32_t>(h - 'A' + 10);
      else
        return false;
    }
    return true;
  }
  static void AppendUtf8(uint32_t code, std::string* out) {
    if (code < 0x80) {
      out->push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      out->push_back(static_cast<char>(0xC0 | code >> 6));
      out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
      out->push_back(static_cast<char>(0xE0 | code >> 12));
      out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      out->push_back(static_cast<char>(0xF0 | code >> 18));
      out->push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
      out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
  }

  std::string_view text_;
  std::size_t at_ = 0;
  bool failed_ = false;
};

bool Entry(Json& json, CedictEntry* entry) {
  if (!json.Expect('[') || !json.String(&entry->traditional) || !json.Expect(',') ||
      !json.String(&entry->simplified) || !json.Expect(',') || !json.String(&entry->pinyin) ||
      !json.Expect(',')) {
    return false;
  }
  entry->senses.clear();
  std::string sense;
  if (json.Peek() == '"') {
    if (!json.String(&sense)) return false;
    entry->senses.push_back(sense);
  } else {
    if (!json.Expect('[')) return false;
    if (!json.Take(']')) {
      do {
        if (!json.String(&sense)) return false;
        entry->senses.push_back(sense);
      } while (json.Take(','));
      if (!json.Expect(']')) return false;
    }
  }
  while (json.Take(',')) {
    if (!json.Skip()) return false;
  }
  return json.Expect(']');
}

}  // namespace

bool ReadCedictEntries(std::string_view script, std::vector<CedictEntry>* entries,
                       std::string* error) {
  constexpr std::string_view kStart = "export default ";
  entries->clear();
  if (script.substr(0, kStart.size()) != kStart) {
    *error = "it does not begin with \"export default \"";
    return false;
  }
  Json json(script.substr(kStart.size()));
  bool sawAll = false;
  std::string name;
  if (json.Expect('{') && !json.Take('}')) {
    do {
      if (!json.String(&name) || !json.Expect(':')) break;
      if (name != "all") {
        if (!json.Skip()) break;
        continue;
      }
      sawAll = true;
      if (!json.Expect('[')) break;
      if (json.Take(']')) continue;
      do {
        CedictEntry entry;
        if (!Entry(json, &entry)) break;
        entries->push_back(std::move(entry));
      } while (json.Take(','));
      if (json.failed() || !json.Expect(']')) break;
    } while (json.Take(','));
    if (!json.failed()) json.Expect('}');
  }
  if (json.failed()) {
    *error = "it is not the expected JSON at byte " + std::to_string(json.at() + kStart.size());
    return false;
  }
  if (!sawAll || entries->empty()) {
    *error = "it holds no entries (no \"all\" array)";
    return false;
  }
  return true;
}

}  // namespace cindral
