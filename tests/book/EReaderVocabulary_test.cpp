// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The e-readers' vocabulary databases, built here with SQLite: the Kindle's
// and KOReader's, a damaged one, another program's database and files that
// are no database; and that reading leaves the device's file untouched.

#include "book/EReaderVocabulary.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "EReaderDatabases.h"
#include "FileBytes.h"
#include "TempDir.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

using test::BuildDatabase;

// Fills in a test's rows under the tables.
void Build(const std::string& path, const std::string& sql) {
  ASSERT_EQ(BuildDatabase(path, sql), "");
}

const std::string kKindle = std::string(test::kKindleTables) + R"(
INSERT INTO BOOK_INFO VALUES ('b1', 'A1', 'g1', 'en', 'Pride and Prejudice', 'Jane Austen');
INSERT INTO BOOK_INFO VALUES ('b2', 'A2', 'g2', 'en', '小王子 The Little Prince', 'Saint-Exupéry');
INSERT INTO WORDS VALUES ('en:running', 'running', 'run', 'en', 0, 3, '');
INSERT INTO WORDS VALUES ('en:obstinate', 'obstinate', 'obstinate', 'en', 0, 1, '');
INSERT INTO WORDS VALUES ('de:Hund', 'Hund', 'Hund', 'de', 0, 2, '');
INSERT INTO WORDS VALUES ('en:naïve', 'naïve', '', 'en-GB', 0, 4, '');
INSERT INTO WORDS VALUES ('en:Run', 'Run', 'Run', 'en', 0, 5, '');
INSERT INTO LOOKUPS VALUES ('l1', 'en:obstinate', 'b1', 'd', '1', 'She was headstrong and
obstinate.', 100);
INSERT INTO LOOKUPS VALUES ('l2', 'en:running', 'b2', 'd', '2', 'He kept running.', 200);
INSERT INTO LOOKUPS VALUES ('l3', 'en:obstinate', 'b2', 'd', '3', 'An obstinate child.', 300);
INSERT INTO LOOKUPS VALUES ('l4', 'de:Hund', 'b1', 'd', '4', 'Der Hund.', 150);
INSERT INTO LOOKUPS VALUES ('l5', 'en:naïve', 'gone', 'd', '5', 'How	naïve!', 400);
INSERT INTO LOOKUPS VALUES ('l6', 'en:Run', 'b1', 'd', '6', 'Run!', 500);
)";

const std::string kKOReader = std::string(test::kKOReaderTables) + R"(
INSERT INTO title (id, name, filter) VALUES (1, 'Moby Dick', 1);
INSERT INTO vocabulary VALUES ('harpoon', 1, 20, 0, 0, 0, 'He threw the ', ' at the whale.', 0);
INSERT INTO vocabulary VALUES ('leviathan', 1, 10, 0, 0, 0, 'The ', ' rose.', 0);
INSERT INTO vocabulary VALUES ('ephemeral', NULL, 30, 0, 0, 0, NULL, NULL, 0);
)";

struct Word {
  std::string word, sentence, book;  // UTF-8
  bool operator==(const Word& o) const {
    return word == o.word && sentence == o.sentence && book == o.book;
  }
};
void PrintTo(const Word& w, std::ostream* os) {
  *os << w.word << " | " << w.sentence << " | " << w.book;
}

std::vector<Word> Utf8(const EReaderVocabulary& vocabulary) {
  std::vector<Word> words;
  for (const EReaderWord& w : vocabulary.words) {
    words.push_back({GbkToUtf8(w.word), GbkToUtf8(w.sentence), GbkToUtf8(w.book)});
  }
  return words;
}

class EReaderVocabularyTest : public ::testing::Test {
 protected:
  test::TempDir dir_{"cindral-ereader"};
};

TEST_F(EReaderVocabularyTest, TheKindlesWordsComeWithTheirFirstSentenceAndBook) {
  const std::string path = dir_.File("vocab.db");
  Build(path, kKindle);
  EReaderVocabulary vocabulary;
  ASSERT_EQ(ReadEReaderVocabulary(path, &vocabulary), EReaderRead::kRead);
  EXPECT_EQ(vocabulary.kind, EReaderKind::kKindle);
  // In the order looked up; the base form; each word once; no German; the
  // sentence on one line; a lookup of an unknown book has no title.
  EXPECT_EQ(Utf8(vocabulary),
            (std::vector<Word>{
                {"obstinate", "She was headstrong and obstinate.", "Pride and Prejudice"},
                {"run", "He kept running.", "小王子 The Little Prince"},
                {"naïve", "How naïve!", ""},
            }));
  EXPECT_EQ(GbkToUtf8(EReaderName(vocabulary.kind)), "Kindle 生词本");
}

TEST_F(EReaderVocabularyTest, KOReadersWordsComeWithTheTextAroundThemAndTheTitle) {
  // A name that an SQLite URI would otherwise read as its query or escape.
  const std::string path = dir_.File("vocabulary builder?x=1#50%.sqlite3");
  Build(path, kKOReader);
  EReaderVocabulary vocabulary;
  ASSERT_EQ(ReadEReaderVocabulary(path, &vocabulary), EReaderRead::kRead);
  EXPECT_EQ(vocabulary.kind, EReaderKind::kKOReader);
  EXPECT_EQ(Utf8(vocabulary), (std::vector<Word>{
                                  {"leviathan", "The leviathan rose.", "Moby Dick"},
                                  {"harpoon", "He threw the harpoon at the whale.", "Moby Dick"},
                                  {"ephemeral", "ephemeral", ""},
                              }));
}

// Read-only and immutable: not a byte, not the time, no journal beside it,
// even for a database in write-ahead-log mode on a read-only medium.
TEST_F(EReaderVocabularyTest, TheDevicesFileIsLeftExactlyAsItWas) {
  const std::string path = dir_.File("vocab.db");
  Build(path, "PRAGMA journal_mode=WAL;" + kKindle);
  const std::string before = test::Slurp(path);
  struct stat was {};
  ASSERT_EQ(stat(path.c_str(), &was), 0);
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  ASSERT_EQ(chmod(dir_.path().c_str(), 0555), 0);
  EReaderVocabulary vocabulary;
  const EReaderRead read = ReadEReaderVocabulary(path, &vocabulary);
  ASSERT_EQ(chmod(dir_.path().c_str(), 0755), 0);
  EXPECT_EQ(read, EReaderRead::kRead);
  EXPECT_EQ(vocabulary.words.size(), 3u);
  EXPECT_EQ(test::Slurp(path), before);
  struct stat is {};
  ASSERT_EQ(stat(path.c_str(), &is), 0);
  EXPECT_EQ(is.st_mtim.tv_sec, was.st_mtim.tv_sec);
  EXPECT_EQ(is.st_mtim.tv_nsec, was.st_mtim.tv_nsec);
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{"vocab.db"});
}

TEST_F(EReaderVocabularyTest, OtherFilesAreRefusedSayingWhy) {
  const std::string foreign = dir_.File("foreign.sqlite");
  Build(foreign,
        "CREATE TABLE notes (id INTEGER PRIMARY KEY, text TEXT);"
        "INSERT INTO notes VALUES (1, 'hello');");
  // The readers' table names, but not their columns; or views of the names.
  const std::string lookalike = dir_.File("lookalike.db");
  Build(lookalike, "CREATE TABLE WORDS (a TEXT); CREATE TABLE LOOKUPS (b TEXT);");
  const std::string views = dir_.File("views.db");
  Build(views, "CREATE TABLE t (word TEXT); CREATE VIEW vocabulary AS SELECT word FROM t;");
  const std::string text = dir_.File("list.txt");
  std::ofstream(text) << "apple\t苹果\n";
  const std::string empty = dir_.File("empty.db");
  std::ofstream{empty};

  // Damaged: a Kindle database with its pages overwritten, and one cut
  // short.
  const std::string damaged = dir_.File("damaged.db");
  ASSERT_EQ(test::BuildDamagedKindleDatabase(damaged), "");
  const std::string cut = dir_.File("cut.db");
  std::string full = "PRAGMA page_size=1024;" + kKindle;
  for (int i = 0; i < 300; ++i) {
    full += "INSERT INTO LOOKUPS VALUES ('x" + std::to_string(i) +
            "', 'en:running', 'b1', 'd', 'p', 'A sentence long enough to fill some pages.', 9);";
  }
  Build(cut, full);
  std::filesystem::resize_file(cut, std::filesystem::file_size(cut) / 2 + 17);

  const std::pair<std::string, EReaderRead> cases[] = {
      {foreign, EReaderRead::kNotVocabulary},
      {lookalike, EReaderRead::kNotVocabulary},
      {views, EReaderRead::kNotVocabulary},
      {text, EReaderRead::kNotSqlite},
      {damaged, EReaderRead::kDamaged},
      {cut, EReaderRead::kDamaged},
      {dir_.File("none.db"), EReaderRead::kFailed},
      {dir_.path(), EReaderRead::kFailed},
  };
  for (const auto& [path, expected] : cases) {
    EReaderVocabulary vocabulary;
    vocabulary.words.push_back({"stale", "", ""});
    EXPECT_EQ(ReadEReaderVocabulary(path, &vocabulary), expected) << path;
    EXPECT_TRUE(vocabulary.words.empty()) << path;
  }
  // An empty file is an empty database to SQLite: no vocabulary either.
  EReaderVocabulary vocabulary;
  EXPECT_EQ(ReadEReaderVocabulary(empty, &vocabulary), EReaderRead::kNotVocabulary);

  EXPECT_TRUE(IsSqliteHeader(test::Slurp(foreign)));
  EXPECT_FALSE(IsSqliteHeader("SQLite format 3"));
  EXPECT_FALSE(IsSqliteHeader(test::Slurp(text)));
}

}  // namespace
}  // namespace cindral
