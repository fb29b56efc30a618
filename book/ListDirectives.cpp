// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "book/ListDirectives.h"

#include <cstdint>
#include <cstdlib>

namespace cindral {
namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return out;
}

std::string_view Trimmed(std::string_view s) {
  const size_t first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::optional<char> SeparatorNamed(std::string_view value) {
  const std::string name = Lower(Trimmed(value));
  if (name == "tab") return '\t';
  if (name == "comma") return ',';
  if (name == "semicolon") return ';';
  if (name == "space") return ' ';
  if (name == "pipe") return '|';
  if (value.size() == 1) return value[0];  // the character itself
  return std::nullopt;
}

// "<name> column:<n>": column n (from 1) holds <name>.
constexpr std::string_view kColumnKey = " column";

// The column a "… column:" directive names (from 1), or 0.
std::size_t ColumnNumber(std::string_view value) {
  const std::string_view digits = Trimmed(value);
  if (digits.empty() || digits.size() > 4) return 0;
  std::size_t n = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + static_cast<std::size_t>(c - '0');
  }
  return n;
}

void AppendUtf8(std::string& out, uint32_t code) {
  if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return;
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The entity at `s` (which begins with "&"), decoded into `out`; the bytes
// it took, or 0 when it is none (the "&" then stands as it is).
size_t DecodeEntity(std::string_view s, std::string& out) {
  const size_t end = s.find(';');
  if (end == std::string_view::npos || end > 10) return 0;
  const std::string_view name = s.substr(1, end - 1);
  static const struct {
    const char* name;
    uint32_t code;
  } kNamed[] = {{"amp", '&'},     {"lt", '<'},      {"gt", '>'},     {"quot", '"'},
                {"apos", '\''},   {"nbsp", ' '},    {"ndash", 0x2013}, {"mdash", 0x2014},
                {"hellip", 0x2026}, {"middot", 0xB7}, {"times", 0xD7}};
  for (const auto& entity : kNamed) {
    if (name == entity.name) {
      AppendUtf8(out, entity.code);
      return end + 1;
    }
  }
  if (name.size() >= 2 && name[0] == '#') {
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string digits(name.substr(hex ? 2 : 1));
    if (digits.empty()) return 0;
    char* stop = nullptr;
    const unsigned long code = std::strtoul(digits.c_str(), &stop, hex ? 16 : 10);
    if (*stop != '\0') return 0;
    AppendUtf8(out, code == 0xA0 ? ' ' : static_cast<uint32_t>(code));
    return end + 1;
  }
  return 0;
}

// Whether the tag (its name, lower case) breaks the line where it stands.
bool BreaksLine(const std::string& name) {
  static const char* const kBlocks[] = {"br", "/div", "/p", "/li", "/tr", "hr", "div", "p"};
  for (const char* block : kBlocks) {
    if (name == block) return true;
  }
  return false;
}

// Runs of spaces as one, "; " never twice in a row nor at either end.
std::string Tidied(const std::string& text) {
  std::string out;
  bool space = false;
  for (const char c : text) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
      space = !out.empty();
      continue;
    }
    if (c == ';') {
      while (!out.empty() && out.back() == ' ') out.pop_back();
      if (out.empty() || out.back() == ';') {
        space = false;
        continue;
      }
    }
    if (space && !out.empty()) out += ' ';
    space = false;
    out += c;
  }
  while (!out.empty() && (out.back() == ';' || out.back() == ' ')) out.pop_back();
  return out;
}

}  // namespace

ListDirectives TakeListDirectives(std::string_view& text) {
  ListDirectives directives;
  std::string columnsValue;
  while (!text.empty() && text[0] == '#') {
    size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos) break;
    const std::string key = Lower(Trimmed(line.substr(1, colon - 1)));
    const std::string_view value = line.substr(colon + 1);
    if (key == "separator") directives.separator = SeparatorNamed(value);
    if (key == "html") directives.html = Lower(Trimmed(value)) == "true";
    if (key == "columns") columnsValue = std::string(value);
    if (const std::size_t column = ColumnNumber(value);
        column > 0 && key.size() > kColumnKey.size() &&
        key.compare(key.size() - kColumnKey.size(), kColumnKey.size(), kColumnKey) == 0) {
      directives.otherColumns[column - 1] =
          std::string(Trimmed(std::string_view(key).substr(0, key.size() - kColumnKey.size())));
    }
    directives.lines.emplace_back(line);
    if (end == std::string_view::npos) end = text.size();
    if (end < text.size() && text[end] == '\r') ++end;
    if (end < text.size() && text[end] == '\n') ++end;
    text.remove_prefix(end);
  }
  if (!columnsValue.empty()) {
    const char separator = directives.separator.value_or('\t');
    size_t start = 0;
    while (start <= columnsValue.size()) {
      const size_t next = columnsValue.find(separator, start);
      const size_t stop = next == std::string::npos ? columnsValue.size() : next;
      directives.columns.emplace_back(Trimmed(std::string_view(columnsValue).substr(start, stop - start)));
      if (next == std::string::npos) break;
      start = next + 1;
    }
  }
  return directives;
}

std::string WithoutSoundReferences(std::string_view field) {
  std::string out;
  size_t i = 0;
  while (i < field.size()) {
    if (field.compare(i, 7, "[sound:") == 0) {
      const size_t close = field.find(']', i);
      if (close != std::string_view::npos) {
        i = close + 1;
        continue;
      }
    }
    out += field[i++];
  }
  return out;
}

std::string TextOfHtml(std::string_view html) {
  std::string text;
  size_t i = 0;
  while (i < html.size()) {
    const char c = html[i];
    if (c == '<') {
      const size_t close = html.find('>', i);
      if (close == std::string_view::npos) {
        text += c;  // not a tag: a lone "<"
        ++i;
        continue;
      }
      std::string name;
      for (size_t k = i + 1; k < close; ++k) {
        const char n = html[k];
        if (n == ' ' || n == '\t' || n == '\n' || (n == '/' && !name.empty())) break;
        name += (n >= 'A' && n <= 'Z') ? static_cast<char>(n - 'A' + 'a') : n;
      }
      if (BreaksLine(name)) text += "; ";
      i = close + 1;
      continue;
    }
    if (c == '&') {
      const size_t taken = DecodeEntity(html.substr(i), text);
      if (taken > 0) {
        i += taken;
        continue;
      }
    }
    text += c;
    ++i;
  }
  return Tidied(WithoutSoundReferences(text));
}

}  // namespace cindral
