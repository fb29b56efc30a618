// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/FunctionWords.h"

#include <algorithm>
#include <string>

namespace cindral {
namespace {

using C = WordClass;
constexpr C kPron = C::Pronoun, kArt = C::Article, kPrep = C::Preposition, kConj = C::Conjunction,
            kAux = C::Auxiliary, kModal = C::Modal, kAdv = C::Adverb;

// Sorted by word. The articles are said weak when looked up alone: they are
// unstressed in nearly every sentence, and the engine reads a lone "a" as
// the letter's name. The other words keep the engine's full reading, which
// is also how they are said when stressed or at the end of a phrase ("Who
// is it for?").
const std::vector<FunctionWord>& Table() {
  static const std::vector<FunctionWord> table = [] {
    std::vector<FunctionWord> words{
        {"a", {kArt}, "ə"},
        {"about", {kPrep}, ""},
        {"above", {kPrep}, ""},
        {"across", {kPrep}, ""},
        {"after", {kPrep, kConj}, ""},
        {"against", {kPrep}, ""},
        {"along", {kPrep}, ""},
        {"although", {kConj}, ""},
        {"am", {kAux}, ""},
        {"among", {kPrep}, ""},
        {"an", {kArt}, "ən"},
        {"and", {kConj}, ""},
        {"anybody", {kPron}, ""},
        {"anyone", {kPron}, ""},
        {"anything", {kPron}, ""},
        {"are", {kAux}, ""},
        {"around", {kPrep}, ""},
        {"as", {kConj, kPrep}, ""},
        {"at", {kPrep}, ""},
        {"be", {kAux}, ""},
        {"because", {kConj}, ""},
        {"been", {kAux}, ""},
        {"before", {kPrep, kConj}, ""},
        {"behind", {kPrep}, ""},
        {"being", {kAux}, ""},
        {"below", {kPrep}, ""},
        {"beneath", {kPrep}, ""},
        {"beside", {kPrep}, ""},
        {"besides", {kPrep}, ""},
        {"between", {kPrep}, ""},
        {"beyond", {kPrep}, ""},
        {"but", {kConj, kPrep}, ""},
        {"by", {kPrep}, ""},
        {"can", {kModal}, ""},
        {"could", {kModal}, ""},
        {"despite", {kPrep}, ""},
        {"did", {kAux}, ""},
        {"do", {kAux}, ""},
        {"does", {kAux}, ""},
        {"down", {kPrep}, ""},
        {"during", {kPrep}, ""},
        {"everybody", {kPron}, ""},
        {"everyone", {kPron}, ""},
        {"everything", {kPron}, ""},
        {"except", {kPrep}, ""},
        {"for", {kPrep, kConj}, ""},
        {"from", {kPrep}, ""},
        {"had", {kAux}, ""},
        {"has", {kAux}, ""},
        {"have", {kAux}, ""},
        {"he", {kPron}, ""},
        {"her", {kPron}, ""},
        {"hers", {kPron}, ""},
        {"herself", {kPron}, ""},
        {"him", {kPron}, ""},
        {"himself", {kPron}, ""},
        {"his", {kPron}, ""},
        {"how", {kAdv}, ""},
        {"i", {kPron}, ""},
        {"if", {kConj}, ""},
        {"in", {kPrep}, ""},
        {"inside", {kPrep}, ""},
        {"into", {kPrep}, ""},
        {"is", {kAux}, ""},
        {"it", {kPron}, ""},
        {"its", {kPron}, ""},
        {"itself", {kPron}, ""},
        {"may", {kModal}, ""},
        {"me", {kPron}, ""},
        {"might", {kModal}, ""},
        {"mine", {kPron}, ""},
        {"must", {kModal}, ""},
        {"my", {kPron}, ""},
        {"myself", {kPron}, ""},
        {"near", {kPrep}, ""},
        {"nobody", {kPron}, ""},
        {"nor", {kConj}, ""},
        {"nothing", {kPron}, ""},
        {"of", {kPrep}, ""},
        {"off", {kPrep}, ""},
        {"on", {kPrep}, ""},
        {"onto", {kPrep}, ""},
        {"or", {kConj}, ""},
        {"ought", {kModal}, ""},
        {"our", {kPron}, ""},
        {"ours", {kPron}, ""},
        {"ourselves", {kPron}, ""},
        {"out", {kPrep}, ""},
        {"outside", {kPrep}, ""},
        {"over", {kPrep}, ""},
        {"past", {kPrep}, ""},
        {"shall", {kModal}, ""},
        {"she", {kPron}, ""},
        {"should", {kModal}, ""},
        {"since", {kPrep, kConj}, ""},
        {"so", {kConj}, ""},
        {"somebody", {kPron}, ""},
        {"someone", {kPron}, ""},
        {"something", {kPron}, ""},
        {"than", {kConj}, ""},
        {"that", {kPron, kConj}, ""},
        {"the", {kArt}, "ðə"},
        {"their", {kPron}, ""},
        {"theirs", {kPron}, ""},
        {"them", {kPron}, ""},
        {"themselves", {kPron}, ""},
        {"these", {kPron}, ""},
        {"they", {kPron}, ""},
        {"this", {kPron}, ""},
        {"those", {kPron}, ""},
        {"though", {kConj}, ""},
        {"through", {kPrep}, ""},
        {"throughout", {kPrep}, ""},
        {"till", {kPrep, kConj}, ""},
        {"to", {kPrep}, ""},
        {"toward", {kPrep}, ""},
        {"towards", {kPrep}, ""},
        {"under", {kPrep}, ""},
        {"underneath", {kPrep}, ""},
        {"unless", {kConj}, ""},
        {"until", {kPrep, kConj}, ""},
        {"up", {kPrep}, ""},
        {"upon", {kPrep}, ""},
        {"us", {kPron}, ""},
        {"via", {kPrep}, ""},
        {"was", {kAux}, ""},
        {"we", {kPron}, ""},
        {"were", {kAux}, ""},
        {"what", {kPron}, ""},
        {"whatever", {kPron}, ""},
        {"when", {kAdv, kConj}, ""},
        {"where", {kAdv, kConj}, ""},
        {"whereas", {kConj}, ""},
        {"whether", {kConj}, ""},
        {"which", {kPron}, ""},
        {"while", {kConj}, ""},
        {"who", {kPron}, ""},
        {"whoever", {kPron}, ""},
        {"whom", {kPron}, ""},
        {"whose", {kPron}, ""},
        {"why", {kAdv}, ""},
        {"will", {kModal}, ""},
        {"with", {kPrep}, ""},
        {"within", {kPrep}, ""},
        {"without", {kPrep}, ""},
        {"would", {kModal}, ""},
        {"yet", {kConj}, ""},
        {"you", {kPron}, ""},
        {"your", {kPron}, ""},
        {"yours", {kPron}, ""},
        {"yourself", {kPron}, ""},
        {"yourselves", {kPron}, ""},
    };
    std::sort(words.begin(), words.end(),
              [](const FunctionWord& a, const FunctionWord& b) { return a.word < b.word; });
    return words;
  }();
  return table;
}

}  // namespace

const FunctionWord* FindFunctionWord(std::string_view word) {
  if (word.empty() || word.size() > 16) return nullptr;
  std::string lower(word);
  for (size_t i = 0; i < lower.size(); ++i) {
    const char c = lower[i];
    if (c >= 'A' && c <= 'Z') {
      if (i > 0) return nullptr;  // a capital inside: an abbreviation, or not English
      lower[i] = static_cast<char>(c - 'A' + 'a');
    }
  }
  const std::vector<FunctionWord>& table = Table();
  const auto found = std::lower_bound(
      table.begin(), table.end(), lower,
      [](const FunctionWord& entry, const std::string& key) { return entry.word < key; });
  return found != table.end() && found->word == lower ? &*found : nullptr;
}

WordClassNames NamesOf(WordClass wordClass) {
  switch (wordClass) {
    case WordClass::Pronoun:
      return {"pron.", "代词"};
    case WordClass::Article:
      return {"art.", "冠词"};
    case WordClass::Preposition:
      return {"prep.", "介词"};
    case WordClass::Conjunction:
      return {"conj.", "连词"};
    case WordClass::Auxiliary:
      return {"aux.", "助动词"};
    case WordClass::Modal:
      return {"modal v.", "情态动词"};
    case WordClass::Adverb:
      return {"adv.", "副词"};
  }
  return {"", ""};
}

}  // namespace cindral
