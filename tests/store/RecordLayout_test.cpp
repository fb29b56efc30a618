// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where a record file's fields and records lie: every field list lays its
// fields out one after the other from offset 4, the record is as long as
// they are (or as long as asked), and the layout read back from the bytes
// is the layout written.

#include "store/RecordLayout.h"

#include <gtest/gtest.h>

#include <memory>

#include "MemoryFileSystem.h"
#include "TempDatabase.h"
#include "store/DatabaseErrors.h"

namespace cindral {
namespace {

using testing::Field;

struct LayoutCase {
  const char* what;
  std::vector<FieldDescriptor> fields;
  int32_t askedSize;
  std::vector<int32_t> offsets;
  int32_t recordSize;
  bool sideFile;
};

TEST(RecordLayoutTest, FieldsLieOneAfterTheOtherAndReadBackAsWritten) {
  const std::vector<LayoutCase> cases = {
      {"one byte", {Field("b", kTypeByte)}, 0, {4}, 5, false},
      {"every width",
       {Field("b", kTypeByte), Field("s", kTypeShort), Field("i", kTypeInt), Field("l", kTypeLong),
        Field("f", kTypeFloat), Field("d", kTypeDouble), Field("y", kTypeLogical),
        Field("t", kTypeDateTime), Field("u", kTypeSubroutine)},
       0,
       {4, 5, 7, 11, 19, 23, 31, 32, 40},
       44,
       false},
      {"a text takes its declared bytes",
       {Field("word", kTypeText, 20), Field("n", kTypeInt)},
       0,
       {4, 24},
       28,
       false},
      {"side-file values take 4 bytes",
       {Field("memo", kTypeMemo), Field("set", kTypeByteSet), Field("n", kTypeShort)},
       0,
       {4, 8, 12},
       14,
       true},
      {"a larger record size leaves unused bytes at the end",
       {Field("n", kTypeInt)},
       64,
       {4},
       64,
       false},
      {"a smaller record size is not taken", {Field("n", kTypeLong)}, 6, {4}, 12, false},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.what);
    std::string bytes;
    ASSERT_EQ(RecordLayout::Build(c.fields, c.askedSize, &bytes), 0);
    const auto n = static_cast<int64_t>(c.fields.size());
    EXPECT_EQ(static_cast<int64_t>(bytes.size()), 116 + 72 * n);
    testing::MemoryFile file(std::make_shared<std::string>(bytes));
    RecordLayout layout;
    ASSERT_EQ(RecordLayout::Read(file, &layout), 0);
    EXPECT_EQ(layout.version(), RecordLayout::kVersion);
    EXPECT_EQ(layout.countAtRead(), 0);
    EXPECT_EQ(layout.nextIdAtRead(), 1);
    EXPECT_EQ(layout.recordSize(), c.recordSize);
    EXPECT_EQ(layout.firstRecord(), 116 + 72 * n);
    EXPECT_EQ(layout.NeedsSideFile(), c.sideFile);
    ASSERT_EQ(layout.fields().size(), c.fields.size());
    for (int32_t f = 0; f < static_cast<int32_t>(n); ++f) {
      const FieldDescriptor& read = layout.field(f);
      EXPECT_EQ(read.name, c.fields[static_cast<std::size_t>(f)].name);
      EXPECT_EQ(read.type, c.fields[static_cast<std::size_t>(f)].type);
      EXPECT_EQ(read.offset, c.offsets[static_cast<std::size_t>(f)]) << "field " << f;
      EXPECT_EQ(layout.FieldOffset(3, f), 116 + 72 * n + 3 * c.recordSize + c.offsets[f]);
    }
    // One byte short of the next whole record is still the record before.
    EXPECT_EQ(layout.WholeRecords(layout.RecordOffset(2) + c.recordSize - 1), 2);
  }
}

TEST(RecordLayoutTest, FieldListsTheFormatCannotHoldAreRefused) {
  const std::vector<std::pair<const char*, std::vector<FieldDescriptor>>> cases = {
      {"no field", {}},
      {"a name of 17 bytes", {Field("abcdefghijklmnopq", kTypeInt)}},
      {"a text without size", {Field("t", kTypeText, 0)}},
      {"an unknown type", {Field("x", 13)}},
      {"a record past half the largest file", {Field("t", kTypeText, 0x40000000)}},
  };
  for (const auto& [what, fields] : cases) {
    std::string bytes;
    EXPECT_EQ(RecordLayout::Build(fields, 0, &bytes), kErrNotDatabase) << what;
  }
}

}  // namespace
}  // namespace cindral
