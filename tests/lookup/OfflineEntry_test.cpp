// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The offline entry as the local dictionary page and the drill show it:
// the installed WordNet and speech engine for a handful of words, inflected
// ones by their base form; the Chinese meanings from an index written here;
// and nothing, without a failure, where any is missing.

#include "lookup/OfflineEntry.h"

#include <gtest/gtest.h>

#include <fstream>

#include "TempDir.h"
#include "lookup/FailurePage.h"
#include "lookup/MeaningIndexWriter.h"
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
      {"mice", "/mˈaɪs/", "mouse", "rodent"},
      {"ice cream", "/ˈaɪs kɹˈiːm/", "", "frozen"},
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
  OfflineEntry offline("/nonexistent-wordnet", "libno-such-engine.so.1", {});
  EXPECT_EQ(offline.Html("apple"),
            "<p class=\"source\" id=\"chinese\">汉语释义不可用：没有找到释义索引</p>");
  EXPECT_EQ(offline.Text("apple"), "");
  EXPECT_FALSE(offline.Pronunciation("apple").has_value());

  test::TempDir dir("cindral-offline");
  std::ofstream(dir.File("m.idx"), std::ios::binary)
      << WriteMeaningIndex({{"<b>", {{"<i>", "&", 100, 0}}}}, "");
  OfflineEntry installed(WordNet::kInstalledFolder, "libespeak-ng.so.1", {dir.File("m.idx")});
  const std::string html = installed.Html("zzqx");
  EXPECT_EQ(html.find("entry"), std::string::npos) << html;
  // Markup in a word never reaches the page as markup, from any source.
  const std::string page = FailurePageHtml("<b>", "", "", "", installed.Html("<b>"));
  EXPECT_EQ(page.find("<b>"), std::string::npos) << page;
  EXPECT_EQ(page.find("<i>"), std::string::npos) << page;
  EXPECT_NE(page.find("&lt;i&gt;</span> <span class=\"pinyin\">&amp;</span>"), std::string::npos)
      << page;
}

// The Chinese meanings stand above the English senses, best first, each
// with its pinyin; the drill's plain text never shows them.
TEST(OfflineEntryTest, ChineseMeaningsWithPinyinComeBeforeTheEnglishSenses) {
  test::TempDir dir("cindral-offline");
  std::ofstream(dir.File("m.idx"), std::ios::binary) << WriteMeaningIndex(
      {{"apple",
        {{GBK("苹果"), GBK("píng guǒ"), 700, 0}, {GBK("苹果树"), GBK("píng guǒ shù"), 500, 0}}}},
      "");
  OfflineEntry offline(WordNet::kInstalledFolder, "libespeak-ng.so.1", {dir.File("m.idx")});
  const std::string html = offline.Html("apples");
  const size_t chinese = html.find(
      "<div class=\"chinese\" id=\"chinese\"><p class=\"source\">汉语释义（CC-CEDICT）</p><p>"
      "<span class=\"hanzi\">苹果</span> <span class=\"pinyin\">píng guǒ</span>；"
      "<span class=\"hanzi\">苹果树</span> <span class=\"pinyin\">píng guǒ shù</span></p></div>");
  ASSERT_NE(chinese, std::string::npos) << html;
  EXPECT_LT(html.find("id=\"ipa\""), chinese) << html;
  EXPECT_GT(html.find("id=\"entry\""), chinese) << html;
  EXPECT_EQ(GbkToUtf8(offline.Text("apples")).find("苹果"), std::string::npos);
  // A word the index does not know shows no Chinese part at all.
  EXPECT_EQ(offline.Html("rodent").find("chinese"), std::string::npos);
}

}  // namespace
}  // namespace cindral
