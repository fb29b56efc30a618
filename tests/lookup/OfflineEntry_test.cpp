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
