// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// IPA from the installed speech engine, and nothing (without a failure)
// where the engine's library is missing.

#include "lookup/Ipa.h"

#include <gtest/gtest.h>

#include "store/Gbk.h"

namespace cindral {
namespace {

TEST(IpaTest, ThreeWordsReadAsAmericanEnglish) {
  Ipa ipa;
  ASSERT_TRUE(ipa.Available()) << "no libespeak-ng.so.1 (scripts/install-deps.sh installs it)";
  const struct {
    const char* word;
    const char* ipa;  // UTF-8
  } cases[] = {
      {"apple", "ˈæpəl"},
      {"water", "ˈwɔːɾɚ"},  // the stress mark at the syllable's start
      {"ice cream", "ˈaɪs ˈkɹiːm"},
  };
  for (const auto& c : cases) {
    const std::optional<std::string> got = ipa.Of(Utf8ToGbk(c.word));
    ASSERT_TRUE(got.has_value()) << c.word;
    EXPECT_EQ(GbkToUtf8(*got), c.ipa) << c.word;
  }
  EXPECT_FALSE(ipa.Of("").has_value());
  EXPECT_FALSE(ipa.Of("   ").has_value());
}

TEST(IpaTest, WithoutTheEngineNothingIsShown) {
  Ipa ipa("libno-such-engine.so.1");
  EXPECT_FALSE(ipa.Available());
  EXPECT_FALSE(ipa.Of(GBK("apple")).has_value());
}

}  // namespace
}  // namespace cindral
