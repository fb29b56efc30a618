// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The offline entry as the local dictionary page and the drill show it:
// the installed WordNet and speech engine for a handful of words, inflected
// ones by their base form; and nothing, without a failure, where either is
// missing.

#include "lookup/OfflineEntry.h"

#include <gtest/gtest.h>

#include "lookup/FailurePage.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

TEST(OfflineEntryTest, InstalledDictionaryAndEngineGiveIpaBaseFormAndSenses) {
  OfflineEntry offline;
  const struct {
    const char* word;
    const char* ipa;     // UTF-8, as shown
    const char* lemma;   // the base form shown, or "" when the word is one
    const char* inHtml;  // a definition's words
  } cases[] = {
      {"apple", "/ˈæpəl/", "", "fruit"},
      {"Apples", "/ˈæpəlz/", "apple", "fruit"},
      {"mice", "/ˈmaɪs/", "mouse", "rodent"},
      {"ice cream", "/ˈaɪs ˈkɹiːm/", "", "frozen"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.word);
    const std::string html = offline.Html(c.word);
    EXPECT_NE(html.find("<p class=\"ipa\" id=\"ipa\">" + std::string(c.ipa) + "</p>"),
              std::string::npos)
        << html;
    const size_t lemma = html.find("id=\"lemma\">");
    if (*c.lemma == '\0') {
      EXPECT_EQ(lemma, std::string::npos) << html;
    } else {
      EXPECT_EQ(html.find(std::string("id=\"lemma\">") + c.lemma + "<"), lemma) << html;
      EXPECT_NE(lemma, std::string::npos) << html;
    }
    EXPECT_NE(html.find(c.inHtml), std::string::npos) << html;
    EXPECT_NE(html.find("<h2>n. "), std::string::npos) << html;
    const std::string text = GbkToUtf8(offline.Text(c.word));
    EXPECT_EQ(text.rfind(std::string(c.ipa) + "\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("\r\nn. "), std::string::npos) << text;
  }
}

// Common words as a learner types them: the small words of grammar get
// their word class and none of the symbols, units and acronyms WordNet
// files under their spelling; plurals and past forms their base word;
// accented words the plain spelling WordNet has; the IPA its stress marks
// at the syllables' starts.
TEST(OfflineEntryTest, CommonWordsShowTheirOwnSensesAndNoOtherWords) {
  OfflineEntry offline;
  ASSERT_TRUE(offline.Pronunciation("apple").has_value()) << "no speech engine";
  using Texts = std::vector<const char*>;
  const struct {
    const char* word;  // UTF-8, as typed
    Texts shown;       // each in the entry's text
    Texts notShown;    // none of these
  } cases[] = {
      {"I", {"/ˈaɪ/\r\n", "pron. 代词"}, {"iodine", "letter", "smallest whole number", "single"}},
      {"he", {"pron. 代词"}, {"helium", "Hebrew"}},
      {"He", {"pron. 代词"}, {"helium"}},
      {"in", {"prep. 介词", "adv. to or toward the inside"}, {"inch", "indium", "Indiana", "n. "}},
      {"us", {"pron. 代词"}, {"United States", "uranium", "uracil", "letter"}},
      {"it", {"pron. 代词"}, {"information technology"}},
      {"a", {"/ə/\r\n", "art. 冠词"}, {"eɪ", "angstrom", "vitamin", "adenine", "ampere", "letter"}},
      {"an", {"/ən/\r\n", "art. 冠词"}, {"nursing"}},
      {"the", {"/ðə/\r\n", "art. 冠词"}, {"ˈ"}},
      {"The", {"/ðə/\r\n", "art. 冠词"}, {}},
      {"at", {"prep. 介词"}, {"astatine", "Laos"}},
      {"as", {"conj. 连词", "prep. 介词", "to the same degree"}, {"arsenic", "Samoa", "angstrom"}},
      {"or", {"conj. 连词"}, {"Oregon", "operating room"}},
      {"me", {"pron. 代词"}, {"Maine"}},
      {"who", {"pron. 代词"}, {"World Health"}},
      {"am", {"aux. 助动词", "= be\r\n"}, {"americium", "amplitude", "Master of Arts"}},
      {"is", {"aux. 助动词", "= be\r\n"}, {"iodine"}},
      {"does", {"aux. 助动词", "= do\r\n", "carry out"}, {"female", "Energy", "= doe"}},
      {"has", {"aux. 助动词", "= have\r\n", "possess"}, {"hour angle"}},
      {"can", {"modal v. 情态动词", "container"}, {"buttocks", "toilet"}},
      {"may", {"modal v. 情态动词"}, {"month", "shrub"}},
      {"so", {"conj. 连词", "adv. "}, {"syllable"}},
      {"geese", {"/ˈɡiːs/", "= goose\r\n", "birds"}, {}},
      {"mice", {"= mouse\r\n", "rodents"}, {}},
      {"children", {"= child\r\n", "young person"}, {}},
      {"feet", {"= foot\r\n", "12 inches"}, {}},
      {"went", {"= go\r\n", "v. "}, {}},
      {"ran", {"= run\r\n"}, {}},
      {"was", {"aux. 助动词", "= be\r\n"}, {}},
      {"naïve", {"adj. ", "simplicity"}, {"= naive"}},
      {"café", {"/kæˈfeɪ/", "restaurant"}, {"= cafe"}},
      {"résumé", {"summary"}, {}},
      {"fiancé", {"engaged to be married"}, {}},
      {"déjà vu", {"new situation"}, {}},
      {"water", {"/ˈwɔːɾɚ/\r\n", "n. ", "H2O"}, {"wˈ"}},
      {"library", {"/ˈlaɪbɹɛɹi/", "books"}, {}},
      {"running", {"/ˈɹʌnɪŋ/", "traveling on foot"}, {}},
      {"computer", {"/kəmˈpjuːɾɚ/", "calculations"}, {}},
      {"understand", {"/ˌʌndɚˈstænd/", "comprehend"}, {}},
      {"china", {"porcelain"}, {"communist", "Taiwan"}},
      {"monday", {"second day of the week"}, {}},  // a name typed in lower case
      {"tv", {}, {"television"}},                  // an abbreviation typed in lower case
      {"US", {"North American republic"}, {"uranium", "pron."}},
      {"apple", {"/ˈæpəl/", "fruit"}, {"pron.", "= "}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.word);
    const std::string text = GbkToUtf8(offline.Text(Utf8ToGbk(c.word)));
    for (const char* shown : c.shown) {
      EXPECT_NE(text.find(shown), std::string::npos) << shown << " in:\n" << text;
    }
    for (const char* notShown : c.notShown) {
      EXPECT_EQ(text.find(notShown), std::string::npos) << notShown << " in:\n" << text;
    }
  }
}

TEST(OfflineEntryTest, AWordOfGrammarShowsItsClassesAboveTheEnglishSenses) {
  OfflineEntry offline;
  const std::string in = offline.Html("in");
  const size_t classes = in.find(
      "<div class=\"classes\" id=\"classes\"><h2>prep. <span "
      "class=\"part\">介词</span></h2></div>");
  ASSERT_NE(classes, std::string::npos) << in;
  EXPECT_LT(classes, in.find("id=\"senses\"")) << in;
  EXPECT_NE(in.find("<h2>adv. "), std::string::npos) << in;
  // WordNet lacks "the": the entry is its class alone.
  const std::string the = offline.Html("the");
  EXPECT_NE(the.find("id=\"classes\""), std::string::npos) << the;
  EXPECT_EQ(the.find("id=\"senses\""), std::string::npos) << the;
}

TEST(OfflineEntryTest, AWordOfMarkupIsEscapedAndAnUnknownWordGivesOnlyItsIpa) {
  OfflineEntry offline("/nonexistent-wordnet", "libno-such-engine.so.1");
  EXPECT_EQ(offline.Html("apple"), "");
  EXPECT_EQ(offline.Text("apple"), "");
  EXPECT_FALSE(offline.Pronunciation("apple").has_value());

  OfflineEntry installed;
  const std::string html = installed.Html("zzqx");
  EXPECT_EQ(html.find("entry"), std::string::npos) << html;
  // Markup in a word never reaches the page as markup, from either source.
  const std::string page = FailurePageHtml("<b>", "", "", "", installed.Html("<b>"));
  EXPECT_EQ(page.find("<b>"), std::string::npos) << page;
}

}  // namespace
}  // namespace cindral
