// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A record read whole (one read under one hold of its lock, as the dump
// reads) gives what reading its id and each field one by one gives: the same
// values and the same first failure, on a sound book and on damaged ones,
// inside a shared scope (reads served from memory) and outside it.

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "TempDatabase.h"
#include "store/Database.h"
#include "store/DatabaseErrors.h"
#include "store/DateTime.h"
#include "store/WholeFileScope.h"

namespace cindral {
namespace {

using testing::TempDatabase;
using testing::Text;

constexpr int64_t kFirst = 116 + 72 * 6;
constexpr int64_t kRecord = 32;

struct Read {
  int32_t code = 0;
  int32_t id = 0;
  std::vector<Value> values;
};

// Record `index` the way a caller reading field by field sees it.
Read FieldByField(RecordFile& file, int32_t index) {
  Read r;
  r.code = file.ReadRecordId(index, &r.id);
  for (int32_t f = 0; f < static_cast<int32_t>(file.fields().size()); ++f) {
    Value v;
    const int32_t code = file.ReadField(index, f, &v);
    if (r.code == 0) r.code = code;
    r.values.push_back(v);
  }
  return r;
}

Read Whole(RecordFile& file, int32_t index) {
  Read r;
  r.values.push_back(Value::Text("left from before"));
  r.code = file.ReadRecord(index, &r.id, &r.values);
  return r;
}

TEST(RecordRead, AWholeRecordReadsAsItsFieldsDo) {
  TempDatabase dir;
  const std::string path = dir.Create("book.EDB", WordRecordFields());
  const std::string side = SideFile::PathFor(path);
  {
    Database db;
    ASSERT_TRUE(db.OpenDatabase(path));
    const double day = MakeDateTime(2024, 5, 6);
    ASSERT_TRUE(db.AddRecord({Value::Int(1), Value::Text("apple"), Value::Text(GBK("苹果")),
                              Value::DateTime(day), Value::Int(35), Value::Double(1)}));
    ASSERT_TRUE(db.AddRecord({Value::Int(2), Value::Text(Text(1500)), Value::Text(""),
                              Value::DateTime(day + 1), Value::Int(100), Value::Double(2.5)}));
    ASSERT_TRUE(db.AddRecord({Value::Int(2), Value::Text("x"), Value::Text(Text(700, 'k')),
                              Value::DateTime(day + 1), Value::Int(1), Value::Double(-0.0)}));
  }
  const std::string data = TempDatabase::Read(path);
  const std::string sideBytes = TempDatabase::Read(side);
  const int32_t lastMeaning = GetInt32(data.data() + kFirst + 2 * kRecord + 12);
  struct Case {
    const char* name;
    std::function<void()> damage;
    int32_t index;  // the record it shows in
    int32_t code;   // as the first failure of that record
  };
  const Case cases[] = {
      {"sound", [] {}, 0, 0},
      {"a word's chain loops",
       [&] {
         const int32_t block = GetInt32(data.data() + kFirst + kRecord + 8);
         TempDatabase::PutInt32At(side, int64_t{block} * 512 + 4, block);
       },
       1, kErrSideFileAccess},
      {"the side file ends inside the last block",
       [&] { TempDatabase::Resize(side, static_cast<int64_t>(sideBytes.size()) - 100); }, 2,
       kErrSideFileAccess},
      {"the side file ends before the last block",
       [&] { TempDatabase::Resize(side, int64_t{lastMeaning} * 512); }, 2, kErrSideFileAccess},
      {"the data file ends inside the last record's meaning",
       [&] { TempDatabase::Resize(path, kFirst + 2 * kRecord + 14); }, 2, kErrFieldRead},
      {"the data file ends inside the last record's id",
       [&] { TempDatabase::Resize(path, kFirst + 2 * kRecord + 2); }, 2, kErrRecordRead},
      {"the data file ends before the last record",
       [&] { TempDatabase::Resize(path, kFirst + 2 * kRecord); }, 2, kErrSeek},
  };
  for (const Case& c : cases) {
    for (const bool inScope : {false, true}) {
      TempDatabase::Write(path, data);
      TempDatabase::Write(side, sideBytes);
      Database db;
      ASSERT_TRUE(db.OpenDatabase(path, Access::ReadOnly)) << c.name;
      // Damage an open would refuse can still come after it, from another
      // program.
      c.damage();
      std::optional<WholeFileScope> scope;
      if (inScope) scope.emplace(db, WholeFileScope::Kind::Shared);
      RecordFile& file = *db.Current();
      for (const int32_t index : {-1, 0, 1, 2, 3}) {
        SCOPED_TRACE(std::string(c.name) + (inScope ? ", in a shared scope" : "") +
                     ", record " + std::to_string(index));
        const Read expected = FieldByField(file, index);
        const Read got = Whole(file, index);
        EXPECT_EQ(got.code, expected.code);
        EXPECT_EQ(got.id, expected.id);
        EXPECT_EQ(got.values, expected.values);
        if (index == c.index) {
          EXPECT_EQ(got.code, c.code);
        }
      }
    }
  }
}

}  // namespace
}  // namespace cindral
