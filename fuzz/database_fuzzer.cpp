// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A word database made of fuzzed bytes (data file, side file and a journal
// beside them), used the way the program and the tools use one: opened
// read-only and walked, opened read-write (playback and repairs) and
// walked, changed (appends of every field type, field writes, marks, a
// purge, a scope, sometimes a clear), walked again and reopened.
//
// Besides the sanitizers, it stops on what would lose a learner's data:
// a book that opened read-write and was then changed by the engine alone
// must open again, read-only too, without dropping whole records.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "BookInput.h"
#include "MemoryFileSystem.h"
#include "store/Convert.h"
#include "store/Database.h"
#include "store/FieldCodec.h"
#include "store/RecordFile.h"
#include "store/WholeFileScope.h"

namespace cindral {
namespace {

// Reads every field of every record, as the listing and the tools do.
void Walk(Database& db) {
  RecordFile* file = db.Current();
  const auto fields = static_cast<int32_t>(file->fields().size());
  db.GoFirst();
  const int32_t count = db.RecordCount();
  for (int32_t i = 0; i < count; ++i) {
    int32_t id = 0;
    file->ReadRecordId(file->cursor(), &id);
    for (int32_t f = 1; f <= fields; ++f) {
      const Value value = db.ReadField(f);
      (void)ValueToText(value);
      (void)ValueToInteger(value);
    }
    if (!db.Skip(1)) break;
  }
}

// A value of the field's own kind; texts of `length` bytes.
Value ValueFor(int32_t type, int32_t seed, std::size_t length) {
  switch (type) {
    case kTypeLogical:
      return Value::Logical(seed % 2 != 0);
    case kTypeDateTime:
      return Value::DateTime(40000.0 + seed);
    case kTypeSubroutine:
      return Value::Subroutine(seed);
    case kTypeText:
    case kTypeMemo:
      return Value::Text(std::string(length, static_cast<char>('a' + seed % 26)));
    case kTypeByteSet:
      return Value::ByteSet(std::string(length, static_cast<char>(seed)));
    default:
      return seed % 2 != 0 ? Value::Int(seed) : Value::Double(seed + 0.5);
  }
}

void Change(Database& db, uint8_t flags) {
  RecordFile* file = db.Current();
  const auto& fields = file->fields();
  const std::size_t length = std::size_t{flags} * 13;
  std::vector<Value> values;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    values.push_back(ValueFor(fields[i].type, static_cast<int32_t>(i) + flags, length + i * 97));
  }
  // Each on its own, as the program makes them one at a time.
  db.AddRecord(values);
  db.AddRecord({});
  db.GoTo(1);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    db.WriteField(static_cast<int32_t>(i) + 1, ValueFor(fields[i].type, 1, (length + 501) % 1700));
  }
  db.MarkDeleted();
  db.PurgeDeleted();
  // Many in one scope, as the walks over the whole book make them.
  {
    WholeFileScope scope(db);
    db.GoLast();
    db.AddRecord(values);
    const int32_t count = db.RecordCount();
    for (int32_t n = 2; n <= count && n <= 4; ++n) {
      db.GoTo(n);
      for (std::size_t i = 0; i < fields.size(); ++i) {
        db.WriteField(static_cast<int32_t>(i) + 1,
                      ValueFor(fields[i].type, n, (length * n + 700) % 1700));
      }
    }
    db.GoLast();
    db.MarkDeleted();
    db.PurgeDeleted();
    scope.End();
  }
  if ((flags & 0x80) != 0) {
    db.ClearAll();
    db.AddRecord(values);
  }
}

}  // namespace
}  // namespace cindral

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace cindral;
  fuzz::BookInput input;
  if (!fuzz::Parse(data, size, &input)) return 0;
  auto fs = std::make_shared<testing::MemoryFileSystem>();
  fuzz::Install(input, *fs);
  {
    Database reader;
    reader.SetFileSystem(fs);
    if (reader.OpenDatabase(fuzz::kDataPath, Access::ReadOnly)) Walk(reader);
  }
  bool opened = false;
  {
    Database db;
    db.SetFileSystem(fs);
    opened = db.OpenDatabase(fuzz::kDataPath);
    if (opened) {
      Walk(db);
      // A record may be as large as the file format allows (2 GB); an
      // append builds one in memory. Beyond a megabyte that is only the
      // fuzzer's memory limit at work, not the engine's.
      if (db.Current()->recordSize() <= (1 << 20)) {
        Change(db, input.flags);
        Walk(db);
      }
    }
  }
  if (!opened) return 0;
  // What the engine wrote itself must open again, whole.
  {
    Database again;
    again.SetFileSystem(fs);
    if (!again.OpenDatabase(fuzz::kDataPath)) std::abort();
    if (again.Current()->repairs().wholeRecordsCut ||
        again.Current()->repairs().journalPlayedBack) {
      std::abort();
    }
    Walk(again);
  }
  Database reader;
  reader.SetFileSystem(fs);
  if (!reader.OpenDatabase(fuzz::kDataPath, Access::ReadOnly)) std::abort();
  return 0;
}
