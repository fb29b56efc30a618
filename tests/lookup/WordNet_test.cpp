// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The offline dictionary: words found in the installed WordNet database,
// inflected forms through its exceptions and endings, the gloss parted into
// definition and examples; and the sorted-file search at its edges, over a
// small database written here.

#include "lookup/WordNet.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "TempDir.h"

namespace cindral {
namespace {

TEST(WordNetInstalledTest, FindsWordsAndTheBaseFormsOfInflectedOnes) {
  const WordNet wordnet;
  ASSERT_TRUE(wordnet.Available()) << "no WordNet in " << WordNet::kInstalledFolder
                                   << " (scripts/install-deps.sh installs wordnet-base)";
  struct Case {
    const char* asked;
    const char* lemma;
    PartOfSpeech part;
    const char* inDefinition;
  } const cases[] = {
      {"apple", "apple", PartOfSpeech::Noun, "fruit"},
      {"  Apples ", "apple", PartOfSpeech::Noun, "fruit"},  // a plural, any case
      {"mice", "mouse", PartOfSpeech::Noun, "rodent"},      // an exception
      {"boxes", "box", PartOfSpeech::Noun, "container"},    // -xes
      {"ran", "run", PartOfSpeech::Verb, ""},               // a verb's exception
      {"abandoned", "abandon", PartOfSpeech::Verb, ""},     // verbs come before adjectives
      {"happier", "happy", PartOfSpeech::Adjective, ""},
      {"quickly", "quickly", PartOfSpeech::Adverb, ""},
      {"ice cream", "ice cream", PartOfSpeech::Noun, "frozen"},  // a phrase
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.asked);
    const std::optional<WordNetEntry> entry = wordnet.Lookup(c.asked);
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->lemma, c.lemma);
    ASSERT_FALSE(entry->senses.empty());
    EXPECT_EQ(entry->senses.front().part, c.part);
    EXPECT_NE(entry->senses.front().definition.find(c.inDefinition), std::string::npos)
        << entry->senses.front().definition;
  }
  for (const char* unknown : {"zzzxqv", "", "   ", "\xC6\xBB\xB9\xFB"}) {  // the last: 苹果
    EXPECT_FALSE(wordnet.Lookup(unknown).has_value()) << unknown;
  }
}

TEST(WordNetInstalledTest, SensesCarrySynonymsAndExamplesAndStopAtTheLimit) {
  const WordNet wordnet;
  ASSERT_TRUE(wordnet.Available());
  const std::optional<WordNetEntry> entry = wordnet.Lookup("abandon", 2);
  ASSERT_TRUE(entry.has_value());
  size_t verbs = 0;
  bool example = false, synonym = false;
  for (const WordSense& s : entry->senses) {
    verbs += s.part == PartOfSpeech::Verb ? 1 : 0;
    example = example || !s.examples.empty();
    synonym = synonym || !s.synonyms.empty();
    for (const std::string& e : s.examples) EXPECT_EQ(e.find('"'), std::string::npos) << e;
    EXPECT_EQ(s.definition.find('"'), std::string::npos) << s.definition;
  }
  EXPECT_EQ(verbs, 2u);  // "abandon" has five verb senses
  EXPECT_TRUE(example);
  EXPECT_TRUE(synonym);
}

// A database of one part (nouns) written here: the index sorted with the
// licence lines first, each word's synset at the offset the index names.
class WordNetFilesTest : public ::testing::Test {
 protected:
  void Write(const std::vector<std::pair<std::string, std::string>>& words) {
    std::string data = "  1 licence line of the data file\n";
    std::map<std::string, int64_t> offsets;
    for (const auto& [word, gloss] : words) {
      offsets[word] = static_cast<int64_t>(data.size());
      char offset[16];
      std::snprintf(offset, sizeof offset, "%08lld", static_cast<long long>(data.size()));
      data += std::string(offset) + " 05 n 02 " + word + " 0 " + word + "_synonym 0 000 | " +
              gloss + "  \n";
    }
    std::string index = "  1 licence line\n  2 another licence line\n";
    for (const auto& [word, offset] : offsets) {  // sorted by the map
      char number[16];
      std::snprintf(number, sizeof number, "%08lld", static_cast<long long>(offset));
      index += word + " n 1 0 1 0 " + number + "  \n";
    }
    std::ofstream(dir_.File("index.noun"), std::ios::binary) << index;
    std::ofstream(dir_.File("data.noun"), std::ios::binary) << data;
  }
  test::TempDir dir_{"cindral-wordnet"};
};

TEST_F(WordNetFilesTest, TheSearchFindsTheFirstTheLastAndEveryWordBetweenAndNothingElse) {
  std::vector<std::pair<std::string, std::string>> words;
  for (char a = 'b'; a <= 'y'; ++a) {
    for (char b = 'a'; b <= 'z'; b += 5) {
      // Some glosses longer than one read of the file.
      const std::string gloss = (b == 'k' ? std::string(9000, 'x') : "gloss of ") + a + b;
      words.push_back({std::string{a, b}, gloss});
    }
  }
  Write(words);
  const WordNet wordnet(dir_.path());
  ASSERT_TRUE(wordnet.Available());
  for (const auto& [word, gloss] : words) {
    const std::optional<WordNetEntry> entry = wordnet.Lookup(word);
    ASSERT_TRUE(entry.has_value()) << word;
    ASSERT_EQ(entry->senses.size(), 1u);
    EXPECT_EQ(entry->senses[0].definition, gloss) << word;
    EXPECT_EQ(entry->senses[0].synonyms, std::vector<std::string>{word + " synonym"});
  }
  for (const char* missing : {"a", "aa", "ab", "bb", "yy", "z", "zz", "licence", "1"}) {
    EXPECT_FALSE(wordnet.Lookup(missing).has_value()) << missing;
  }
}

TEST_F(WordNetFilesTest, AGlossPartsIntoDefinitionsAndQuotedExamples) {
  Write({{"cask", "a barrel; a wooden vessel; \"a cask of wine\"; \"empty casks\""},
         {"rim", "\"only an example\""}});
  const WordNet wordnet(dir_.path());
  const std::optional<WordNetEntry> cask = wordnet.Lookup("casks");
  ASSERT_TRUE(cask.has_value());
  EXPECT_EQ(cask->lemma, "cask");
  EXPECT_EQ(cask->senses[0].definition, "a barrel; a wooden vessel");
  EXPECT_EQ(cask->senses[0].examples, (std::vector<std::string>{"a cask of wine", "empty casks"}));
  const std::optional<WordNetEntry> rim = wordnet.Lookup("rim");
  ASSERT_TRUE(rim.has_value());
  EXPECT_EQ(rim->senses[0].definition, "");
  EXPECT_EQ(rim->senses[0].examples, std::vector<std::string>{"only an example"});
}

TEST(WordNetMissingTest, AFolderWithoutTheDatabaseFindsNothing) {
  const WordNet wordnet("/nonexistent/wordnet");
  EXPECT_FALSE(wordnet.Available());
  EXPECT_FALSE(wordnet.Lookup("apple").has_value());
}

}  // namespace
}  // namespace cindral
