// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/WordNet.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace cindral {
namespace {

constexpr const char* kPartNames[] = {"noun", "verb", "adj", "adv"};

// Endings taken off and put on to find a base form, for nouns, verbs and
// adjectives (adverbs have exceptions only).
struct Detachment {
  const char* ending;
  const char* replacement;
};
const std::vector<Detachment>& DetachmentsOf(PartOfSpeech part) {
  static const std::vector<Detachment> kNoun{{"s", ""},      {"ses", "s"},   {"xes", "x"},
                                             {"zes", "z"},   {"ches", "ch"}, {"shes", "sh"},
                                             {"men", "man"}, {"ies", "y"}};
  static const std::vector<Detachment> kVerb{{"s", ""},   {"ies", "y"}, {"es", "e"},  {"es", ""},
                                             {"ed", "e"}, {"ed", ""},   {"ing", "e"}, {"ing", ""}};
  static const std::vector<Detachment> kAdjective{
      {"er", ""}, {"est", ""}, {"er", "e"}, {"est", "e"}};
  static const std::vector<Detachment> kNone;
  switch (part) {
    case PartOfSpeech::Noun:
      return kNoun;
    case PartOfSpeech::Verb:
      return kVerb;
    case PartOfSpeech::Adjective:
      return kAdjective;
    case PartOfSpeech::Adverb:
      break;
  }
  return kNone;
}

int OpenFile(const std::string& path, int64_t* size) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  if (size != nullptr) *size = st.st_size;
  return fd;
}

// The line that starts at `offset`, without its line break; nothing when
// the file cannot be read there.
std::optional<std::string> LineAt(int fd, int64_t offset) {
  std::string line;
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::pread(fd, buffer, sizeof buffer, offset);
    if (got < 0) return std::nullopt;
    if (got == 0) return line.empty() ? std::nullopt : std::optional<std::string>(line);
    const auto* end = static_cast<const char*>(std::memchr(buffer, '\n', static_cast<size_t>(got)));
    if (end != nullptr) {
      line.append(buffer, static_cast<size_t>(end - buffer));
      return line;
    }
    line.append(buffer, static_cast<size_t>(got));
    offset += got;
    if (line.size() > (1u << 20)) return std::nullopt;  // no WordNet line is this long
  }
}

// Where the first line that starts at or after `position` starts; `size`
// when none does.
int64_t NextLineStart(int fd, int64_t position, int64_t size) {
  if (position == 0) return 0;
  char buffer[4096];
  int64_t at = position - 1;  // a line break just before `position` starts a line there
  while (at < size) {
    const ssize_t got = ::pread(fd, buffer, sizeof buffer, at);
    if (got <= 0) return size;
    const auto* end = static_cast<const char*>(std::memchr(buffer, '\n', static_cast<size_t>(got)));
    if (end != nullptr) return at + (end - buffer) + 1;
    at += got;
  }
  return size;
}

std::string_view FirstToken(std::string_view line) { return line.substr(0, line.find(' ')); }

// The line of a sorted file whose first word is `key` (files sorted byte by
// byte, as WordNet's are; the licence lines at the top start with spaces
// and sort first).
std::optional<std::string> FindSorted(int fd, int64_t size, std::string_view key) {
  if (fd < 0) return std::nullopt;
  int64_t low = 0, high = size;
  while (low < high) {
    const int64_t middle = low + (high - low) / 2;
    const int64_t start = NextLineStart(fd, middle, size);
    if (start >= high) {
      high = middle;
      continue;
    }
    const std::optional<std::string> line = LineAt(fd, start);
    if (!line) return std::nullopt;
    const int order = key.compare(FirstToken(*line));
    if (order == 0) return line;
    if (order < 0) {
      high = middle;
    } else {
      low = start + 1;
    }
  }
  return std::nullopt;
}

std::vector<std::string_view> Tokens(std::string_view text) {
  std::vector<std::string_view> tokens;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == ' ') ++i;
    const size_t start = i;
    while (i < text.size() && text[i] != ' ') ++i;
    if (i > start) tokens.push_back(text.substr(start, i - start));
  }
  return tokens;
}

// WordNet's words: underscores for spaces, lower case.
std::string Normalised(std::string_view word) {
  const size_t first = word.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const size_t last = word.find_last_not_of(" \t");
  std::string out;
  bool space = false;
  for (const char c : word.substr(first, last - first + 1)) {
    if (c == ' ' || c == '\t') {
      space = true;
      continue;
    }
    if (space) out += '_';
    space = false;
    out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return out;
}

// A word as a learner reads it: spaces for underscores, without an
// adjective's syntactic marker ("galore(ip)").
std::string Readable(std::string_view word) {
  if (!word.empty() && word.back() == ')') {
    const size_t open = word.rfind('(');
    if (open != std::string_view::npos) word = word.substr(0, open);
  }
  std::string out(word);
  std::replace(out.begin(), out.end(), '_', ' ');
  return out;
}

bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) {
      return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

bool HasCapital(std::string_view s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

bool IsAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

WordNet::WordNet(const std::string& folder) {
  for (int p = 0; p < 4; ++p) {
    const std::string name = kPartNames[p];
    Part& part = parts_[p];
    part.index = OpenFile(folder + "/index." + name, &part.indexSize);
    part.data = OpenFile(folder + "/data." + name, nullptr);
    part.exceptions = OpenFile(folder + "/" + name + ".exc", &part.exceptionsSize);
  }
}

WordNet::~WordNet() {
  for (Part& part : parts_) {
    for (const int fd : {part.index, part.data, part.exceptions}) {
      if (fd >= 0) ::close(fd);
    }
  }
}

bool WordNet::Available() const {
  return std::any_of(std::begin(parts_), std::end(parts_),
                     [](const Part& p) { return p.index >= 0 && p.data >= 0; });
}

std::vector<std::string> WordNet::BaseForms(PartOfSpeech partOfSpeech,
                                            const std::string& word) const {
  const Part& part = PartOf(partOfSpeech);
  std::vector<std::string> candidates{word};
  if (const auto line = FindSorted(part.exceptions, part.exceptionsSize, word)) {
    const std::vector<std::string_view> tokens = Tokens(*line);
    for (size_t i = 1; i < tokens.size(); ++i) candidates.emplace_back(tokens[i]);
  }
  for (const Detachment& d : DetachmentsOf(partOfSpeech)) {
    const std::string_view ending = d.ending;
    if (word.size() > ending.size() &&
        word.compare(word.size() - ending.size(), ending.size(), ending) == 0) {
      candidates.push_back(word.substr(0, word.size() - ending.size()) + d.replacement);
    }
  }
  std::vector<std::string> found;
  for (const std::string& c : candidates) {
    if (std::find(found.begin(), found.end(), c) != found.end()) continue;
    if (FindSorted(part.index, part.indexSize, c)) found.push_back(c);
  }
  return found;
}

std::optional<WordSense> WordNet::ReadSense(PartOfSpeech partOfSpeech, int64_t offset,
                                            const std::string& lemma) const {
  const std::optional<std::string> line = LineAt(PartOf(partOfSpeech).data, offset);
  if (!line) return std::nullopt;
  const size_t bar = line->find(" | ");
  const std::vector<std::string_view> tokens =
      Tokens(std::string_view(*line).substr(0, bar == std::string::npos ? line->size() : bar));
  // offset, lexicographer file, synset type, word count (hexadecimal), then
  // each word with its lexical id.
  if (tokens.size() < 4) return std::nullopt;
  const long words = std::strtol(std::string(tokens[3]).c_str(), nullptr, 16);
  WordSense sense;
  sense.part = partOfSpeech;
  for (long w = 0; w < words && 4 + 2 * static_cast<size_t>(w) < tokens.size(); ++w) {
    const std::string word = Readable(tokens[4 + 2 * static_cast<size_t>(w)]);
    if (w == 0) sense.head = word;
    if (SameWord(word, Readable(lemma))) {
      if (sense.form.empty() || !HasCapital(word)) sense.form = word;
    } else if (std::find(sense.synonyms.begin(), sense.synonyms.end(), word) ==
               sense.synonyms.end()) {
      sense.synonyms.push_back(word);
    }
  }
  if (bar == std::string::npos) return sense;
  // The gloss: definitions and quoted examples, parted by "; ".
  std::string_view gloss = std::string_view(*line).substr(bar + 3);
  while (!gloss.empty() && gloss.back() == ' ') gloss.remove_suffix(1);
  while (!gloss.empty()) {
    size_t end = gloss.find("; ");
    std::string_view piece = gloss.substr(0, end);
    gloss = end == std::string_view::npos ? std::string_view() : gloss.substr(end + 2);
    if (piece.size() >= 2 && piece.front() == '"') {
      piece.remove_prefix(1);
      const size_t close = piece.rfind('"');
      sense.examples.emplace_back(piece.substr(0, close));
    } else if (!piece.empty()) {
      if (!sense.definition.empty()) sense.definition += "; ";
      sense.definition += piece;
    }
  }
  return sense;
}

std::optional<WordNetEntry> WordNet::Lookup(std::string_view word, std::size_t sensesPerPart,
                                            const SenseFilter& keep) const {
  const std::string key = Normalised(word);
  if (key.empty() || !IsAscii(key)) return std::nullopt;
  WordNetEntry entry;
  for (const PartOfSpeech part :
       {PartOfSpeech::Noun, PartOfSpeech::Verb, PartOfSpeech::Adjective, PartOfSpeech::Adverb}) {
    const Part& files = PartOf(part);
    if (files.index < 0 || files.data < 0) continue;
    std::size_t taken = 0;
    for (const std::string& base : BaseForms(part, key)) {
      const std::optional<std::string> line = FindSorted(files.index, files.indexSize, base);
      if (!line) continue;
      // lemma, part, synset count, pointer count, the pointers, sense
      // count, tagged sense count, then the synsets' offsets, the senses
      // WordNet counted in its texts first.
      const std::vector<std::string_view> tokens = Tokens(*line);
      if (tokens.size() < 4) continue;
      const size_t synsets = std::strtoul(std::string(tokens[2]).c_str(), nullptr, 10);
      if (tokens.size() < synsets + 1) continue;
      const size_t first = tokens.size() - synsets;
      const size_t tagged = std::strtoul(std::string(tokens[first - 1]).c_str(), nullptr, 10);
      for (size_t s = first; s < tokens.size() && taken < sensesPerPart; ++s) {
        const int64_t offset = std::strtoll(std::string(tokens[s]).c_str(), nullptr, 10);
        std::optional<WordSense> sense = ReadSense(part, offset, base);
        if (sense) sense->tagged = s - first < tagged;
        if (sense && (!keep || keep(*sense))) {
          if (entry.lemma.empty()) entry.lemma = Readable(base);
          entry.senses.push_back(std::move(*sense));
          ++taken;
        }
      }
    }
  }
  if (entry.senses.empty()) return std::nullopt;
  return entry;
}

}  // namespace cindral
