// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/meanings/MeaningRanking.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>

#include "lookup/MeaningIndex.h"
#include "store/Gbk.h"
#include "store/RegularFile.h"
#include "tools/meanings/Pinyin.h"

namespace cindral {
namespace {

// The weights of a posting's score (in points; the index keeps hundredths).
constexpr double kWholeGloss = 4.0;     // the key is the whole gloss
constexpr double kPerPhraseWord = 0.5;  // each further word of a phrase the key is part of
constexpr double kQualified = 0.3;      // parenthesised words or a particle taken off
constexpr double kPerSense = 0.4;       // each sense before the one that gives the key
constexpr double kPerSenseOfCharacter = 0.6;
constexpr double kPerSynonym = 0.3;          // each gloss before it within its sense
constexpr double kRareEntry = 3.5;           // the entry is an archaic reading or a variant
constexpr double kName = 0.5;                // a name behind a common word written alike
constexpr double kCharacterFrequency = 0.9;  // a single character's count weighs less
// A single character's count belongs to its other uses this much.
constexpr double kNameUse = 0.1;       // a surname or a place, when jieba tags it as one
constexpr double kNumeralUse = 0.1;    // numerals and measure words (日 in dates)
constexpr double kParticleUse = 0.01;  // a character that is mostly a particle (了, 的, 着)
constexpr double kSmallestShare = 0.05;
constexpr std::size_t kMostPerKey = 32;
constexpr std::size_t kMostWordsInKey = 5;
constexpr std::size_t kLongestKey = 60;

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}
bool Contains(std::string_view s, std::string_view part) {
  return s.find(part) != std::string_view::npos;
}

std::string Trimmed(std::string_view s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

std::vector<std::string> Words(std::string_view s) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && s[i] == ' ') ++i;
    const std::size_t start = i;
    while (i < s.size() && s[i] != ' ') ++i;
    if (i > start) words.emplace_back(s.substr(start, i - start));
  }
  return words;
}

std::string Joined(const std::vector<std::string>& words, std::size_t count) {
  std::string s;
  for (std::size_t i = 0; i < count; ++i) s += (i ? " " : "") + words[i];
  return s;
}

// The glosses of a sense parted by "; ", outside parentheses and brackets.
std::vector<std::string> Synonyms(std::string_view sense) {
  std::vector<std::string> parts;
  int depth = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i < sense.size(); ++i) {
    const char c = sense[i];
    if (c == '(' || c == '[') ++depth;
    if ((c == ')' || c == ']') && depth > 0) --depth;
    if (depth == 0 && c == ';' && i + 1 < sense.size() && sense[i + 1] == ' ') {
      parts.push_back(Trimmed(sense.substr(start, i - start)));
      start = i + 2;
    }
  }
  parts.push_back(Trimmed(sense.substr(start)));
  parts.erase(std::remove(parts.begin(), parts.end(), std::string()), parts.end());
  return parts;
}

// The gloss without its parenthesised words (innermost first), which are
// added to `qualifiers`.
std::string WithoutParentheses(std::string gloss, std::vector<std::string>* qualifiers) {
  for (;;) {
    const std::size_t close = gloss.find(')');
    if (close == std::string::npos) break;
    const std::size_t open = gloss.rfind('(', close);
    if (open == std::string::npos) {
      gloss.erase(close, 1);
      continue;
    }
    qualifiers->push_back(gloss.substr(open + 1, close - open - 1));
    gloss.replace(open, close - open + 1, " ");
  }
  gloss.erase(std::remove(gloss.begin(), gloss.end(), '('), gloss.end());
  return Trimmed(Joined(Words(gloss), Words(gloss).size()));
}

// A gloss that files nothing: a surname, a variant, a classifier, a
// cross-reference or a note on the reading.
bool FilesNothing(std::string_view gloss) {
  for (const std::string_view start :
       {"surname ", "used in ", "see ", "see also ", "classifier ", "(classifier", "CL:", "pr. ",
        "also pr.", "also written", "name of ", "old name of ", "also called "}) {
    if (StartsWith(gloss, start)) return true;
  }
  return Contains(gloss, "variant of") || Contains(gloss, "classifier for") ||
         Contains(gloss, " pr. [") || StartsWith(gloss, "abbr.");
}

// How rare a qualifier makes a gloss.
double Rareness(std::string_view qualifier) {
  static const std::pair<std::string_view, double> kRare[] = {
      {"archaic", 2.5},
      {"literary", 2},
      {"old", 2},
      {"classical", 2},
      {"arch.", 2},
      {"name", 2},
      {"used in place names", 2},
      {"bird species of China", 2},
      {"historical", 1.5},
      {"dialect", 1.5},
      {"Tw", 1.5},
      {"HK", 1.5},
      {"Tw, HK", 1.5},
      {"Cantonese", 1.5},
      {"slang", 1},
      {"Internet slang", 1},
      {"vulgar", 1},
      {"derog.", 1},
      {"euphemism", 1},
      {"jocular", 1},
      {"bound form", 1},
      {"idiom", 1},
      {"neologism", 0.5},
      {"onom.", 0.5},
      {"fig.", 0.5},
      {"lit.", 0.3},
  };
  for (const auto& [name, weight] : kRare) {
    if (qualifier == name) return weight;
  }
  return 0;
}

// Keys hold English: no Chinese characters, no references.
bool UsableKey(std::string_view key) {
  if (key.empty() || key.size() > kLongestKey || Contains(key, "[") || Contains(key, "|")) {
    return false;
  }
  for (const char c : key) {
    if (static_cast<unsigned char>(c) >= 0xE3) return false;  // U+3000 and beyond
  }
  return std::any_of(key.begin(), key.end(),
                     [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); });
}

bool IsAcronym(std::string_view key) {
  return key.size() >= 2 && std::all_of(key.begin(), key.end(), [](char c) {
           return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
         });
}

bool IsStopWord(std::string_view word) {
  static const std::set<std::string_view> kStop{
      "sb",   "sth",   "of",      "a",   "an", "the", "to", "and",  "or", "in", "on",   "for",
      "with", "one's", "oneself", "etc", "be", "at",  "by", "from", "as", "is", "sb's", "sth's"};
  return kStop.count(word) > 0;
}

// What may follow a verb and be left off: "to listen to" is "listen", "to
// help sb" is "help" (but "to give up" is not "give").
bool IsDroppableParticle(std::string_view word) {
  static const std::set<std::string_view> kParticles{"sb", "sth", "sb.",  "sth.",  "sb/sth", "to",
                                                     "at", "of",  "with", "about", "from"};
  return kParticles.count(word) > 0;
}

// The UTF-8 characters of `s`.
std::vector<std::string> Characters(std::string_view s) {
  std::vector<std::string> characters;
  for (std::size_t i = 0; i < s.size();) {
    const auto lead = static_cast<unsigned char>(s[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    characters.emplace_back(s.substr(i, length));
    i += length;
  }
  return characters;
}

std::string Lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

bool IsProper(const CedictEntry& e) {
  return !e.pinyin.empty() && e.pinyin[0] >= 'A' && e.pinyin[0] <= 'Z';
}

// How much of a single character's count in jieba belongs to this entry's
// reading: its other uses (a name, a numeral, a particle, another reading)
// take the rest.
class ReadingShares {
 public:
  ReadingShares(const std::vector<CedictEntry>& entries, const WordFrequencies& frequencies) {
    for (const CedictEntry& e : entries) {
      const std::vector<std::string> characters = Characters(e.simplified);
      if (characters.size() == 1) {
        if (IsProper(e)) {
          named_.insert(e.simplified);
        } else {
          readings_[e.simplified].insert(e.pinyin);
          const std::string first = e.senses.empty() ? "" : e.senses.front();
          if (e.pinyin.back() == '5' &&
              (Contains(first, "particle") || Contains(first, "marker")) && !FilesNothing(first)) {
            particle_[e.simplified] = e.pinyin;
          }
        }
        continue;
      }
      // In a compound each character is read as the compound's pinyin says.
      const std::vector<std::string> syllables = Words(e.pinyin);
      if (IsProper(e) || syllables.size() != characters.size()) continue;
      const auto found = frequencies.find(e.simplified);
      if (found == frequencies.end()) continue;
      for (std::size_t i = 0; i < characters.size(); ++i) {
        counts_[characters[i]][Lower(syllables[i])] += static_cast<double>(found->second.count);
      }
    }
  }

  double Share(const CedictEntry& e, const std::string& tag) const {
    double share = 1;
    const bool proper = IsProper(e);
    static const std::set<std::string> kNameTags{"nr", "nrt", "nrfg", "ns", "nt", "nz"};
    if (!proper && kNameTags.count(tag) && named_.count(e.simplified)) share *= kNameUse;
    if (tag == "m" || tag == "q") share *= kNumeralUse;
    if (proper) return share;
    const auto particle = particle_.find(e.simplified);
    if (particle != particle_.end()) {
      return particle->second == e.pinyin ? share : share * kParticleUse;
    }
    const auto readings = readings_.find(e.simplified);
    const auto counts = counts_.find(e.simplified);
    if (readings == readings_.end() || readings->second.size() < 2 || counts == counts_.end()) {
      return share;
    }
    double total = 0, mine = 0;
    for (const auto& [syllable, count] : counts->second) {
      total += count;
      if (syllable == Lower(e.pinyin)) mine = count;
    }
    return total > 0 ? share * std::max(kSmallestShare, mine / total) : share;
  }

 private:
  std::set<std::string> named_;
  std::map<std::string, std::set<std::string>> readings_;
  std::map<std::string, std::string> particle_;
  std::map<std::string, std::map<std::string, double>> counts_;
};

// The keys of one gloss, without its parentheses: the gloss, a verb's
// shorter form, and the words of a short phrase; `like` gives the place,
// the qualification and the rareness.
void AddKeysOfGloss(std::string gloss, const GlossKey& like, std::vector<GlossKey>* keys) {
  while (!gloss.empty() && std::string_view(".!,:").find(gloss.back()) != std::string_view::npos) {
    gloss.pop_back();
  }
  bool verb = false;
  for (const std::string_view article : {"to ", "a ", "an ", "the "}) {
    if (StartsWith(Lower(gloss.substr(0, article.size())), article)) {
      verb = article == "to ";
      gloss.erase(0, article.size());
      break;
    }
  }
  const std::vector<std::string> words = Words(gloss);
  if (words.empty() || words.size() > kMostWordsInKey || !UsableKey(gloss)) return;
  GlossKey whole = like;
  whole.key = gloss;
  keys->push_back(whole);
  if (verb && words.size() >= 2) {
    // "to listen to" → "listen"; "to be happy" → "happy".
    GlossKey shorter = whole;
    shorter.qualified = true;
    if (IsDroppableParticle(words.back())) {
      shorter.key = Joined(words, words.size() - 1);
      keys->push_back(shorter);
    } else if (words.size() == 2 && words[0] == "be") {
      shorter.key = words[1];
      keys->push_back(shorter);
    }
  }
  if (words.size() < 2 || words.size() > 4) return;
  for (std::string word : words) {
    while (!word.empty() &&
           std::string_view(",.;:!?\"'").find(word.back()) != std::string_view::npos) {
      word.pop_back();
    }
    if (word.empty() || IsStopWord(Lower(word)) || !UsableKey(word)) continue;
    GlossKey part = whole;
    part.key = word;
    part.phraseWords = static_cast<int>(words.size());
    keys->push_back(part);
  }
}

// Best first; a word once as a common word and once as a name or short
// form (which only some queries show), at most kMostPerKey of each.
void KeepTheBest(std::vector<IndexedMeaning>* meanings) {
  std::stable_sort(
      meanings->begin(), meanings->end(),
      [](const IndexedMeaning& a, const IndexedMeaning& b) { return a.score > b.score; });
  std::set<std::pair<std::string, bool>> seen;
  std::size_t kept[2] = {0, 0};
  std::vector<IndexedMeaning> best;
  for (IndexedMeaning& m : *meanings) {
    const bool name = (m.flags & MeaningIndex::kNameLike) != 0;
    if (kept[name] < kMostPerKey && seen.emplace(m.word, name).second) {
      ++kept[name];
      best.push_back(std::move(m));
    }
  }
  *meanings = std::move(best);
}

}  // namespace

bool ReadWordFrequencies(std::string_view text, WordFrequencies* frequencies, std::string* error) {
  frequencies->clear();
  std::size_t line = 0;
  while (!text.empty()) {
    ++line;
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::vector<std::string> fields = Words(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    if (fields.empty()) continue;
    char* stop = nullptr;
    const long count = fields.size() >= 2 ? std::strtol(fields[1].c_str(), &stop, 10) : -1;
    if (fields.size() < 2 || *stop != '\0' || count < 0) {
      *error = "line " + std::to_string(line) + " is not \"word count tag\"";
      return false;
    }
    (*frequencies)[fields[0]] = {count, fields.size() >= 3 ? fields[2] : ""};
  }
  if (frequencies->empty()) {
    *error = "it holds no words";
    return false;
  }
  return true;
}

std::vector<GlossKey> KeysOfSense(std::string_view sense) {
  std::vector<GlossKey> keys;
  const std::vector<std::string> synonyms = Synonyms(sense);
  for (std::size_t s = 0; s < synonyms.size(); ++s) {
    if (FilesNothing(synonyms[s])) continue;
    std::vector<std::string> qualifiers;
    std::string gloss = WithoutParentheses(synonyms[s], &qualifiers);
    double rareness = 0;
    for (const std::string& q : qualifiers) rareness = std::max(rareness, Rareness(q));
    AddKeysOfGloss(gloss, {"", static_cast<int>(s), !qualifiers.empty(), 0, rareness}, &keys);
    // "Beijing municipality, capital of the People's Republic of China":
    // its head as well, but not the first of a list ("China, Taiwan, Hong
    // Kong and Macau").
    const std::size_t comma = gloss.find(", ");
    if (comma != std::string::npos && !Contains(gloss.substr(comma), " and ")) {
      AddKeysOfGloss(gloss.substr(0, comma), {"", static_cast<int>(s), true, 0, rareness}, &keys);
    }
  }
  return keys;
}

std::map<std::string, std::vector<IndexedMeaning>> RankMeanings(
    const std::vector<CedictEntry>& entries, const WordFrequencies& frequencies) {
  const ReadingShares shares(entries, frequencies);
  std::map<std::string, std::vector<IndexedMeaning>> keys;
  for (const CedictEntry& e : entries) {
    if (Contains(e.pinyin, "xx") || e.senses.empty() ||
        std::all_of(e.simplified.begin(), e.simplified.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
      continue;
    }
    const bool proper = IsProper(e);
    const bool single = Characters(e.simplified).size() == 1;
    const std::string& first = e.senses.front();
    const bool rareEntry = StartsWith(first, "(archaic)") || StartsWith(first, "(old)") ||
                           StartsWith(first, "(literary)") || StartsWith(first, "(classical)") ||
                           Contains(first, "variant of");
    const auto found = frequencies.find(e.simplified);
    const WordFrequency frequency = found == frequencies.end() ? WordFrequency{} : found->second;
    const double count =
        static_cast<double>(frequency.count) * (single ? shares.Share(e, frequency.tag) : 1);
    const double common = (single ? kCharacterFrequency : 1) * std::log10(count + 1);
    const std::string word = Utf8ToGbk(e.simplified);
    const std::string pinyin = Utf8ToGbk(PinyinWithToneMarks(e.pinyin));
    for (std::size_t sense = 0; sense < e.senses.size(); ++sense) {
      // "abbr. for 北京": the word is a short form (but "abbr. to 京": it has one).
      const bool abbreviation = Contains(e.senses[sense], "abbr. for");
      for (const GlossKey& g : KeysOfSense(e.senses[sense])) {
        double score =
            common + (g.phraseWords == 0 ? kWholeGloss : -kPerPhraseWord * (g.phraseWords - 1));
        score -= (g.qualified ? kQualified : 0) + g.rareness + (rareEntry ? kRareEntry : 0) +
                 (proper ? kName : 0);
        score -= (single ? kPerSenseOfCharacter : kPerSense) * static_cast<double>(sense) +
                 kPerSynonym * g.synonym;
        uint16_t flags = 0;
        if (proper) flags |= MeaningIndex::kProperName;
        if (abbreviation || IsAcronym(g.key)) {
          flags |= MeaningIndex::kAbbreviation;
        } else if (g.phraseWords > 0 && g.key[0] >= 'A' && g.key[0] <= 'Z') {
          flags |= MeaningIndex::kCapitalised;  // "China" in "stationed in China"
        }
        if (g.phraseWords > 0) flags |= MeaningIndex::kInPhrase;
        keys[MeaningKey(Utf8ToGbk(g.key))].push_back(
            {word, pinyin, static_cast<int>(std::lround(score * 100)), flags});
      }
    }
  }
  for (auto& [key, meanings] : keys) KeepTheBest(&meanings);
  return keys;
}

bool ReadInflections(const std::string& wordNetFolder, Inflections* inflections,
                     std::string* error) {
  inflections->clear();
  for (const char* part : {"noun", "verb", "adj", "adv"}) {
    const std::string path = wordNetFolder + "/" + part + ".exc";
    std::string text;
    if (ReadRegularFile(path, 16u << 20, &text) != FileRead::kRead) {
      *error = "cannot read " + path;
      return false;
    }
    for (std::string_view rest = text; !rest.empty();) {
      const std::size_t end = std::min(rest.find('\n'), rest.size());
      std::vector<std::string> words = Words(rest.substr(0, end));
      rest.remove_prefix(std::min(end + 1, rest.size()));
      for (std::string& w : words) std::replace(w.begin(), w.end(), '_', ' ');
      for (std::size_t i = 1; i < words.size(); ++i) {
        if (words[i] != words[0]) inflections->emplace_back(words[0], words[i]);
      }
    }
  }
  if (inflections->empty()) {
    *error = "no inflected forms in " + wordNetFolder;
    return false;
  }
  return true;
}

void AddInflectedForms(const Inflections& inflections,
                       std::map<std::string, std::vector<IndexedMeaning>>* keys) {
  const std::map<std::string, std::vector<IndexedMeaning>> bases = *keys;
  std::set<std::string> changed;
  for (const auto& [form, base] : inflections) {
    const auto found = bases.find(MeaningKey(Utf8ToGbk(base)));
    if (found == bases.end()) continue;
    const std::string key = MeaningKey(Utf8ToGbk(form));
    std::vector<IndexedMeaning>& meanings = (*keys)[key];
    for (IndexedMeaning m : found->second) {
      m.score -= MeaningIndex::kBaseFormCost;
      meanings.push_back(std::move(m));
    }
    changed.insert(key);
  }
  for (const std::string& key : changed) KeepTheBest(&(*keys)[key]);
}

}  // namespace cindral
