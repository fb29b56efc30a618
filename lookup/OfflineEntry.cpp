// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/OfflineEntry.h"

#include "lookup/AccentFolding.h"
#include "lookup/FailurePage.h"
#include "lookup/LearnerSenses.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

constexpr std::size_t kSensesPerPart = 3;

WordClassNames NamesOf(PartOfSpeech part) {
  switch (part) {
    case PartOfSpeech::Noun:
      return {"n.", "名词"};
    case PartOfSpeech::Verb:
      return {"v.", "动词"};
    case PartOfSpeech::Adjective:
      return {"adj.", "形容词"};
    case PartOfSpeech::Adverb:
      return {"adv.", "副词"};
  }
  return {"", ""};
}

std::string Joined(const std::vector<std::string>& items, const char* between) {
  std::string joined;
  for (const std::string& item : items) {
    if (!joined.empty()) joined += between;
    joined += item;
  }
  return joined;
}

// The word as looked up: without surrounding spaces, inner runs of spaces
// as one.
std::string Trimmed(const std::string& word) {
  std::string trimmed;
  bool space = false;
  for (const char c : word) {
    if (c == ' ' || c == '\t') {
      space = !trimmed.empty();
      continue;
    }
    if (space) trimmed += ' ';
    space = false;
    trimmed += c;
  }
  return trimmed;
}

// Whether `word` is `lemma`, whatever its case.
bool IsLemma(const std::string& word, const std::string& lemma) {
  if (word.size() != lemma.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    const char c = word[i];
    if (((c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c) != lemma[i]) return false;
  }
  return true;
}

// "n. 名词" as a section heading (UTF-8 HTML).
std::string Heading(const WordClassNames& names) {
  return std::string("<h2>") + names.abbreviation + " <span class=\"part\">" + names.chinese +
         "</span></h2>";
}

}  // namespace

OfflineEntry::OfflineEntry(const std::string& wordNetFolder, const std::string& engineLibrary)
    : wordNet_(wordNetFolder), ipa_(engineLibrary) {}

std::optional<std::string> OfflineEntry::Pronunciation(const std::string& word) {
  const FunctionWord* function = FindFunctionWord(Trimmed(word));
  if (function != nullptr && !function->alone.empty()) {
    return Utf8ToGbk("/" + std::string(function->alone) + "/");
  }
  std::optional<std::string> ipa = ipa_.Of(word);
  if (!ipa) return std::nullopt;
  return "/" + *ipa + "/";
}

OfflineEntry::Content OfflineEntry::Find(const std::string& word) {
  Content content;
  content.ipa = Pronunciation(word);
  const std::string folded = FoldAccents(Trimmed(word));
  const FunctionWord* function = FindFunctionWord(folded);
  if (function != nullptr) content.wordClasses = function->classes;
  content.senses = LearnerSenses(wordNet_, folded, function != nullptr, kSensesPerPart);
  if (content.senses && !IsLemma(folded, content.senses->lemma)) {
    content.baseForm = content.senses->lemma;
  }
  return content;
}

std::string OfflineEntry::Html(const std::string& word) {
  const Content content = Find(word);
  std::string html;
  if (content.ipa) {
    html += "<p class=\"ipa\" id=\"ipa\">" + EscapeHtml(GbkToUtf8(*content.ipa)) + "</p>";
  }
  if (content.wordClasses.empty() && !content.senses) return html;
  html += "<div class=\"entry\" id=\"entry\">";
  if (!content.wordClasses.empty()) {
    html += "<div class=\"classes\" id=\"classes\">";
    for (const WordClass wordClass : content.wordClasses) html += Heading(NamesOf(wordClass));
    html += "</div>";
  }
  if (content.senses) {
    html += "<div class=\"senses\" id=\"senses\"><p class=\"source\">英文释义（离线词典 WordNet）";
    if (!content.baseForm.empty()) {
      html += "：<span class=\"lemma\" id=\"lemma\">" + EscapeHtml(content.baseForm) + "</span>";
    }
    html += "</p>";
    const std::vector<WordSense>& senses = content.senses->senses;
    for (size_t i = 0; i < senses.size(); ++i) {
      const WordSense& sense = senses[i];
      if (i == 0 || sense.part != senses[i - 1].part) {
        if (i > 0) html += "</ol>";
        html += Heading(NamesOf(sense.part)) + "<ol>";
      }
      html += "<li><span class=\"definition\">" + EscapeHtml(sense.definition) + "</span>";
      if (!sense.synonyms.empty()) {
        html += "<span class=\"synonyms\">同义：" + EscapeHtml(Joined(sense.synonyms, ", ")) +
                "</span>";
      }
      for (const std::string& example : sense.examples) {
        html += "<span class=\"example\">" + EscapeHtml(example) + "</span>";
      }
      html += "</li>";
    }
    if (!senses.empty()) html += "</ol>";
    html += "</div>";
  }
  return html + "</div>";
}

std::string OfflineEntry::Text(const std::string& word) {
  const Content content = Find(word);
  std::string text;
  if (content.ipa) text += *content.ipa + "\r\n";
  for (const WordClass wordClass : content.wordClasses) {
    const WordClassNames names = NamesOf(wordClass);
    text += Utf8ToGbk(std::string(names.abbreviation) + " " + names.chinese) + "\r\n";
  }
  if (!content.senses) return text;
  if (!content.baseForm.empty()) text += "= " + content.baseForm + "\r\n";
  for (const WordSense& sense : content.senses->senses) {
    text += std::string(NamesOf(sense.part).abbreviation) + " " + sense.definition + "\r\n";
    if (!sense.synonyms.empty()) {
      text += "    " + Utf8ToGbk("同义：") + Joined(sense.synonyms, ", ") + "\r\n";
    }
    for (const std::string& example : sense.examples) text += "    \"" + example + "\"\r\n";
  }
  return text;
}

}  // namespace cindral
