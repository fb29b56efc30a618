// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/OfflineEntry.h"

#include "core/ProgramDirectory.h"
#include "lookup/FailurePage.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

constexpr std::size_t kSensesPerPart = 3;

// The short and the Chinese name of each part of speech (UTF-8).
struct PartNames {
  const char* abbreviation;
  const char* chinese;
};

PartNames NamesOf(PartOfSpeech part) {
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

// Whether the word as asked is the lemma WordNet found, whatever its case
// and spaces.
bool IsLemma(const std::string& asked, const std::string& lemma) {
  std::string normalised;
  bool space = false;
  for (const char c : asked) {
    if (c == ' ' || c == '\t') {
      space = !normalised.empty();
      continue;
    }
    if (space) normalised += ' ';
    space = false;
    normalised += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return normalised == lemma;
}

}  // namespace

OfflineEntry::OfflineEntry(const std::string& wordNetFolder, const std::string& engineLibrary,
                           std::vector<std::string> meaningPlaces)
    : wordNet_(wordNetFolder), ipa_(engineLibrary), chinese_(std::move(meaningPlaces)) {}

std::vector<std::string> OfflineEntry::ProgramMeaningPlaces() {
  return ChineseMeanings::PlacesFor(ProgramDirectory());
}

std::optional<std::string> OfflineEntry::Pronunciation(const std::string& word) {
  std::optional<std::string> ipa = ipa_.Of(word);
  if (!ipa) return std::nullopt;
  return "/" + *ipa + "/";
}

std::string OfflineEntry::Html(const std::string& word) {
  std::string html;
  if (const std::optional<std::string> ipa = Pronunciation(word)) {
    html += "<p class=\"ipa\" id=\"ipa\">" + EscapeHtml(GbkToUtf8(*ipa)) + "</p>";
  }
  const std::vector<ChineseMeaning> meanings = chinese_.Lookup(word);
  if (!meanings.empty()) {
    html +=
        "<div class=\"chinese\" id=\"chinese\"><p class=\"source\">汉语释义（CC-CEDICT）</p><p>";
    for (size_t i = 0; i < meanings.size(); ++i) {
      html += std::string(i ? "；" : "") + "<span class=\"hanzi\">" +
              EscapeHtml(GbkToUtf8(meanings[i].word)) + "</span> <span class=\"pinyin\">" +
              EscapeHtml(GbkToUtf8(meanings[i].pinyin)) + "</span>";
    }
    html += "</p></div>";
  } else if (const std::string why = chinese_.Reason(); !why.empty()) {
    html += "<p class=\"source\" id=\"chinese\">" + EscapeHtml(GbkToUtf8(why)) + "</p>";
  }
  const std::optional<WordNetEntry> entry = wordNet_.Lookup(word, kSensesPerPart);
  if (!entry) return html;
  html += "<div class=\"entry\" id=\"entry\"><p class=\"source\">英文释义（离线词典 WordNet）";
  if (!IsLemma(word, entry->lemma)) {
    html += "：<span class=\"lemma\" id=\"lemma\">" + EscapeHtml(entry->lemma) + "</span>";
  }
  html += "</p>";
  bool listOpen = false;
  for (size_t i = 0; i < entry->senses.size(); ++i) {
    const WordSense& sense = entry->senses[i];
    if (i == 0 || sense.part != entry->senses[i - 1].part) {
      if (listOpen) html += "</ol>";
      const PartNames names = NamesOf(sense.part);
      html += std::string("<h2>") + names.abbreviation + " <span class=\"part\">" + names.chinese +
              "</span></h2><ol>";
      listOpen = true;
    }
    html += "<li><span class=\"definition\">" + EscapeHtml(sense.definition) + "</span>";
    if (!sense.synonyms.empty()) {
      html +=
          "<span class=\"synonyms\">同义：" + EscapeHtml(Joined(sense.synonyms, ", ")) + "</span>";
    }
    for (const std::string& example : sense.examples) {
      html += "<span class=\"example\">" + EscapeHtml(example) + "</span>";
    }
    html += "</li>";
  }
  if (listOpen) html += "</ol>";
  return html + "</div>";
}

std::string OfflineEntry::Text(const std::string& word) {
  std::string text;
  if (const std::optional<std::string> ipa = Pronunciation(word)) text += *ipa + "\r\n";
  const std::optional<WordNetEntry> entry = wordNet_.Lookup(word, kSensesPerPart);
  if (!entry) return text;
  if (!IsLemma(word, entry->lemma)) text += "= " + entry->lemma + "\r\n";
  for (const WordSense& sense : entry->senses) {
    text += std::string(NamesOf(sense.part).abbreviation) + " " + sense.definition + "\r\n";
    if (!sense.synonyms.empty()) {
      text += "    " + Utf8ToGbk("同义：") + Joined(sense.synonyms, ", ") + "\r\n";
    }
    for (const std::string& example : sense.examples) text += "    \"" + example + "\"\r\n";
  }
  return text;
}

}  // namespace cindral
