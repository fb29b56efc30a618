// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The dictionary page addresses of a word, what a view sends for them, the
// configured services, and the local page shown when a service is down.

#include "lookup/DictionaryAddresses.h"

#include <gtest/gtest.h>

#include "TestWorld.h"
#include "lookup/FailurePage.h"

namespace cindral {
namespace {

const DictionaryBases kBases{"http://b1.test", "http://b2.test:8080", "https://b3.test"};

TEST(DictionaryAddressesTest, TheWordGoesIntoTheFixedPiecesAsItIs) {
  const DictionaryAddresses a = BuildDictionaryAddresses("apple", kBases);
  EXPECT_EQ(a[kBingPage], "http://b1.test/#apple");
  EXPECT_EQ(a[kYoudaoPage],
            "http://b2.test:8080/search?q=apple&ue=utf8&keyfrom=dict.index#le%3Deng%26q%3Dapple"
            "%26tab%3D%26keyfrom%3Ddict.top");
  EXPECT_EQ(a[kDreyePage], "https://b3.test/ews/apple--01--.html");

  // No trimming, no change of case, no escaping of what the word holds.
  const DictionaryAddresses odd = BuildDictionaryAddresses(" Ice cream&%41 ", kBases);
  EXPECT_EQ(odd[kBingPage], "http://b1.test/# Ice cream&%41 ");
  EXPECT_EQ(odd[kDreyePage], "https://b3.test/ews/ Ice cream&%41 --01--.html");
}

TEST(DictionaryAddressesTest, AChineseWordIsInsertedAsItsGbkBytes) {
  const std::string ice = Utf8ToGbk("冰");
  ASSERT_EQ(ice, "\xB1\xF9");
  const DictionaryAddresses a = BuildDictionaryAddresses(ice, kBases);
  EXPECT_EQ(a[kBingPage], "http://b1.test/#\xB1\xF9");
  EXPECT_EQ(a[kYoudaoPage],
            "http://b2.test:8080/search?q=\xB1\xF9&ue=utf8&keyfrom=dict.index#le%3Deng%26q%3D"
            "\xB1\xF9%26tab%3D%26keyfrom%3Ddict.top");
  EXPECT_EQ(a[kDreyePage], "https://b3.test/ews/\xB1\xF9--01--.html");
}

TEST(DictionaryAddressesTest, AViewGetsOnlyBytesAnAddressCanCarry) {
  EXPECT_EQ(EncodeAddressForView("http://b1.test/#\xB1\xF9"), "http://b1.test/#%B1%F9");
  EXPECT_EQ(EncodeAddressForView("http://h/ews/ice cream--01--.html"),
            "http://h/ews/ice%20cream--01--.html");
  EXPECT_EQ(EncodeAddressForView(std::string("a\tb\x01\x7F\x80\xFF", 7)), "a%09b%01%7F%80%FF");
  EXPECT_EQ(EncodeAddressForView(std::string("nul\0x", 5)), "nul%00x");
  // Everything else goes as it stands, the fixed pieces' escapes too.
  const std::string printable = "azAZ09-._~:/?#[]@!$&'()*+,;=%3D\"<>\\^`{|}";
  EXPECT_EQ(EncodeAddressForView(printable), printable);
}

TEST(DictionaryAddressesTest, TheSettingsFileReplacesEachBaseThatItNames) {
  test::TestWorld world;
  EXPECT_EQ(ReadDictionaryBases(*world.settings), DefaultDictionaryBases());
  for (const std::string& base : DefaultDictionaryBases()) {
    EXPECT_NE(base.find("://"), std::string::npos) << base;
    EXPECT_NE(base.back(), '/') << base;
  }
  world.settings->WriteSetting("Dictionary", "base2", "http://127.0.0.1:8000");
  world.settings->WriteSetting("Dictionary", "base3", "");
  const DictionaryBases bases = ReadDictionaryBases(*world.settings);
  EXPECT_EQ(bases[0], DefaultDictionaryBases()[0]);
  EXPECT_EQ(bases[1], "http://127.0.0.1:8000");
  EXPECT_EQ(bases[2], DefaultDictionaryBases()[2]);
}

TEST(FailurePageTest, ShowsTheWordMeaningAndAddressEscaped) {
  const std::string page =
      FailurePageHtml(Utf8ToGbk("<b>R&D</b>"), Utf8ToGbk("研究与开发 \"quoted\" 'x'"),
                      Utf8ToGbk("http://h/#<b>R&D</b>"), "http://h/#%3Cb%3E\"x");
  EXPECT_NE(page.find("&lt;b&gt;R&amp;D&lt;/b&gt;"), std::string::npos);
  EXPECT_EQ(page.find("<b>R&D"), std::string::npos);
  EXPECT_NE(page.find("研究与开发 &quot;quoted&quot; &#39;x&#39;"), std::string::npos);
  EXPECT_NE(page.find("http://h/#&lt;b&gt;R&amp;D&lt;/b&gt;"), std::string::npos);
  // The retry link carries the address the view loads, quoted safely.
  EXPECT_NE(page.find("href=\"http://h/#%3Cb%3E&quot;x\""), std::string::npos);
  // The page runs no script of its own.
  EXPECT_NE(page.find("default-src 'none'"), std::string::npos);
  EXPECT_EQ(page.find("<script"), std::string::npos);
}

}  // namespace
}  // namespace cindral
