// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What fuzzing found, kept as tests.
//
// Every allocation in this program is counted, to see the largest one.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "TempDatabase.h"
#include "store/Database.h"
#include "store/DatabaseErrors.h"
#include "store/DateTime.h"
#include "store/Gbk.h"

namespace {
std::atomic<std::size_t> largest{0};
}  // namespace

void* operator new(std::size_t size) {
  std::size_t seen = largest.load();
  while (size > seen && !largest.compare_exchange_weak(seen, size)) {
  }
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace cindral {
namespace {

using testing::TempDatabase;

// A header may declare records of a gigabyte. A book that holds none of
// them must open, be checked and be purged without a gigabyte of memory
// (the open's audit once zero-filled a record's worth: seconds of work and
// the fuzzer's memory limit).
TEST(FuzzFindings, AnEmptyBookOfHugeRecordsNeedsNoRecordOfMemory) {
  TempDatabase dir;
  const std::string path = dir.Create("huge.EDB", WordRecordFields(), 1 << 30);
  ASSERT_FALSE(path.empty());
  largest = 0;
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path)) << LastDatabaseError();
  EXPECT_EQ(db.RecordCount(), 0);
  EXPECT_EQ(db.ReadField(2), Value::Text(""));
  EXPECT_TRUE(db.PurgeDeleted());
  EXPECT_LT(largest.load(), std::size_t{1} << 24);
}

// Times on the first day of the calendar encode below its first midnight
// (the fraction counts forward from a negative day), so the text of such a
// date-time is the first midnight's: the range is a range of numbers. A
// date read from text and written back keeps its time within the range.
TEST(FuzzFindings, DatesReadFromTextWriteBackWithinTheNumericRange) {
  const double early = TextToDate("100-1-1 7:00");
  EXPECT_DOUBLE_EQ(early, kMinDateTime - 7.0 / 24);
  EXPECT_EQ(GbkToUtf8(DateToText(early, 1)), "100年1月1日");
  const double d = TextToDate("100-1-2 7:00");
  EXPECT_EQ(GbkToUtf8(DateToText(d, 1)), "100年1月2日7时");
  EXPECT_EQ(TextToDate(DateToText(d, 1)), d);
}

}  // namespace
}  // namespace cindral
