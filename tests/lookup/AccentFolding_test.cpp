// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Accented Latin letters folded to plain ones, from both of the ways a
// learner's word holds them: GBK's two-byte pinyin letters and GB18030's
// four-byte codes.

#include "lookup/AccentFolding.h"

#include <gtest/gtest.h>

#include "store/Gbk.h"

namespace cindral {
namespace {

TEST(AccentFoldingTest, AccentedLettersBecomePlainAndNothingElseChanges) {
  const struct {
    std::string gbk;
    const char* folded;  // UTF-8
  } cases[] = {
      {"caf\xA8\xA6", "cafe"},            // é: a pinyin letter of GBK
      {"na\x81\x30\x8A\x37ve", "naive"},  // ï: four bytes of GB18030
      {Utf8ToGbk("Résumé"), "Resume"},    // capitals stay capitals
      {Utf8ToGbk("déjà vu"), "deja vu"},
      {Utf8ToGbk("Zoë Ångström"), "Zoe Angstrom"},
      {Utf8ToGbk("façade señor Straße"), "facade senor Strasse"},
      {Utf8ToGbk("æsthete œuvre"), "aesthete oeuvre"},
      {Utf8ToGbk("lǜ ǹ ḿ"), "lu n m"},  // the other pinyin letters
      {Utf8ToGbk("apple"), "apple"},
      {Utf8ToGbk("苹果 × ÷"), "苹果 × ÷"},  // no letters: as they were
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GbkToUtf8(FoldAccents(c.gbk)), c.folded) << GbkToUtf8(c.gbk);
  }
}

}  // namespace
}  // namespace cindral
