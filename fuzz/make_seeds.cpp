// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seed corpora of the fuzzers into a directory (fuzz/corpus in
// the source tree): word books made by the engine itself, with every field
// type, marked records, memo chains, free blocks, a journal left by a change
// cut short; texts for the conversions; and a small meanings index.
//
//   build-fuzz/make_seeds fuzz/corpus

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "BookInput.h"
#include "ForwardingFile.h"
#include "MemoryFileSystem.h"
#include "WrappingFileSystem.h"
#include "lookup/MeaningIndexWriter.h"
#include "store/Database.h"
#include "store/FieldCodec.h"
#include "store/Gbk.h"
#include "store/RecordFile.h"
#include "store/WholeFileScope.h"
#include "store/WordRecord.h"

namespace cindral {
namespace {

FieldDescriptor Field(const char* name, int32_t type, int32_t size = 0) {
  FieldDescriptor f;
  f.name = name;
  f.type = type;
  f.declaredSize = size;
  return f;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class Seeds {
 public:
  explicit Seeds(std::string dir) : dir_(std::move(dir)) {
    ::mkdir(dir_.c_str(), 0755);
    ::mkdir((dir_ + "/database").c_str(), 0755);
    ::mkdir((dir_ + "/conversions").c_str(), 0755);
    ::mkdir((dir_ + "/settings").c_str(), 0755);
    ::mkdir((dir_ + "/plan_table").c_str(), 0755);
    ::mkdir((dir_ + "/meanings_index").c_str(), 0755);
  }

  // A book made by `fill` on fresh in-memory files, as one seed.
  void Book(const std::string& name, const std::vector<FieldDescriptor>& fields,
            void (*fill)(Database&), uint8_t flags) {
    auto fs = std::make_shared<testing::MemoryFileSystem>();
    RecordFile::Create(fuzz::kDataPath, fields, 0, fs.get());
    {
      Database db;
      db.SetFileSystem(fs);
      if (!db.OpenDatabase(fuzz::kDataPath)) std::fprintf(stderr, "%s: no book\n", name.c_str());
      fill(db);
    }
    Save(name, *fs, flags);
  }
  void Save(const std::string& name, testing::MemoryFileSystem& fs, uint8_t flags) {
    fuzz::BookInput in;
    in.flags = flags;
    in.data = fs.Bytes(fuzz::kDataPath);
    in.hasSide = fs.Exists(fuzz::kSidePath);
    if (in.hasSide) in.side = fs.Bytes(fuzz::kSidePath);
    if (fs.Exists(fuzz::kJournalPath)) in.journal = fs.Bytes(fuzz::kJournalPath);
    WriteFile(dir_ + "/database/" + name, fuzz::Serialize(in));
  }
  void Text(const std::string& name, uint8_t kind, const std::string& text) {
    WriteFile(dir_ + "/conversions/" + name, std::string(1, static_cast<char>(kind)) + text);
  }
  // A settings file, the key to write (by number) and the value.
  void Settings(const std::string& name, uint8_t key, const std::string& file,
                const std::string& value) {
    WriteFile(dir_ + "/settings/" + name, std::string(1, static_cast<char>(key)) +
                                              std::string(1, static_cast<char>(value.size())) +
                                              file + value);
  }
  void PlanTable(const std::string& name, uint8_t pick, const std::string& table) {
    WriteFile(dir_ + "/plan_table/" + name, std::string(1, static_cast<char>(pick)) + table);
  }

 private:
  std::string dir_;
};

std::vector<Value> Word(int32_t i, std::size_t meaning) {
  return {Value::Int(i / 3 + 1),
          Value::Text("word" + std::to_string(i)),
          Value::Text(std::string(meaning, static_cast<char>('a' + i % 26))),
          Value::DateTime(45000 + i / 3),
          Value::Int(1 + i % 100),
          Value::Double(i)};
}

// Calls `onSync` before each sync of the file it wraps.
class SyncHook final : public testing::ForwardingFile {
 public:
  using ForwardingFile::ForwardingFile;
  std::function<void()> onSync;
  int32_t Sync() override {
    if (onSync) onSync();
    return inner().Sync();
  }
};

void Words(Database& db) {
  for (int32_t i = 1; i <= 6; ++i) db.AddRecord(Word(i, 120 * i));
}

void WordsMarkedAndFreed(Database& db) {
  for (int32_t i = 1; i <= 8; ++i) db.AddRecord(Word(i, 260 * i));
  db.GoTo(3);
  db.WriteField(3, Value::Text("x"));  // frees blocks in the middle
  db.GoTo(5);
  db.MarkDeleted();
  db.GoTo(7);
  db.MarkDeleted();
}

void Empty(Database&) {}

void EveryType(Database& db) {
  for (int32_t i = 0; i < 3; ++i) {
    db.AddRecord({Value::Byte(static_cast<uint8_t>(200 + i)), Value::Short(-300),
                  Value::Int(70000 + i), Value::Long(-5000000000LL), Value::Float(2.5f),
                  Value::Double(-1e300), Value::Logical(i % 2 != 0), Value::DateTime(40000.25),
                  Value::Subroutine(12345), Value::Text(GBK("单词")),
                  Value::ByteSet(std::string("\0\1\2", 3)),
                  Value::Text(std::string(700 * i, 'm'))});
  }
}

}  // namespace
}  // namespace cindral

int main(int argc, char** argv) {
  using namespace cindral;
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_seeds DIRECTORY\n");
    return 2;
  }
  Seeds seeds(argv[1]);
  seeds.Book("word-book", WordRecordFields(), Words, 0x03);
  seeds.Book("word-book-fixed-text", WordRecordFields(16), Words, 0x10);
  seeds.Book("marked-and-freed", WordRecordFields(), WordsMarkedAndFreed, 0x21);
  seeds.Book("empty", WordRecordFields(), Empty, 0x85);
  seeds.Book("every-type",
             {Field("b", kTypeByte), Field("s", kTypeShort), Field("i", kTypeInt),
              Field("l", kTypeLong), Field("f", kTypeFloat), Field("d", kTypeDouble),
              Field("g", kTypeLogical), Field("t", kTypeDateTime), Field("p", kTypeSubroutine),
              Field("x", kTypeText, 6), Field("y", kTypeByteSet), Field("m", kTypeMemo)},
             EveryType, 0x07);
  // A change cut short: the book half written, the journal holding the
  // bytes it needs back. Taken when the change syncs the data file, after
  // its journal was synced and before it was wiped.
  {
    auto fs = std::make_shared<testing::MemoryFileSystem>();
    RecordFile::Create(fuzz::kDataPath, WordRecordFields(), 0, fs.get());
    {
      Database db;
      db.SetFileSystem(fs);
      db.OpenDatabase(fuzz::kDataPath);
      Words(db);
    }
    auto torn = std::make_shared<testing::MemoryFileSystem>();
    bool taken = false;
    Database db;
    db.SetFileSystem(std::make_shared<testing::WrappingFileSystem>(
        [&](std::unique_ptr<FileAccess> inner, const std::string& path) {
          auto file = std::make_unique<SyncHook>(std::move(inner));
          if (path == fuzz::kDataPath) {
            file->onSync = [&] {
              if (taken || !fs->Exists(fuzz::kJournalPath)) return;
              for (const char* p : {fuzz::kDataPath, fuzz::kSidePath, fuzz::kJournalPath}) {
                torn->Bytes(p) = fs->Bytes(p);
              }
              taken = true;
            };
          }
          return std::unique_ptr<FileAccess>(std::move(file));
        },
        fs));
    db.OpenDatabase(fuzz::kDataPath);
    {
      WholeFileScope scope(db);
      db.GoTo(2);
      db.WriteField(3, Value::Text(std::string(1300, 'z')));
      db.GoTo(4);
      db.MarkDeleted();
      db.PurgeDeleted();
      db.AddRecord(Word(9, 900));
      scope.End();
    }
    if (taken) seeds.Save("cut-short", *torn, 0x40);
  }
  WriteFile(std::string(argv[1]) + "/meanings_index/small",
            WriteMeaningIndex(
                {{"apple",
                  {{GBK("苹果"), GBK("píng guǒ"), 712, 0}, {GBK("苹果"), GBK("Píng guǒ"), 300, 1}}},
                 {"ice cream", {{GBK("冰淇淋"), GBK("bīng qí lín"), 650, 0}}},
                 {"pear", {{GBK("梨"), GBK("lí"), 620, 0}, {GBK("杜"), GBK("dù"), -150, 8}}}},
                GBK("取自 CC-CEDICT")));
  seeds.Text("date", 1, GBK("2009年3月5日12时30分15秒"));
  seeds.Text("date-dashes", 2, "2009-3-5 7:08:09");
  seeds.Text("zero-date", 3, GBK("1899年12月30日"));
  seeds.Text("full-width-number", 10, GBK("１２abc"));
  seeds.Text("plan-line", 11, "1 2  3 4 ");
  seeds.Text("number", 2, "-2147483648");
  seeds.Text("double", 5, std::string("\0\0\0\0\0\0\xf0\x3f", 8));
  seeds.Text("gbk", 10, GBK("熟练度，释义"));
  seeds.Settings("fresh", 0, "[Config]\nreviewnumber=1\ngroupnumber=1\nplus=false\nminus=false\n",
                 "12");
  seeds.Settings("skin-crlf", 6, "; look\r\n[Skin]\r\npicid=3\r\ncolor=13998394\r\n", "16777215");
  seeds.Settings("quoted", 2, "[config]\nPLUS = \" true \"\n[Config]\nplus=false\n", " x ");
  seeds.Settings("empty", 8, "", "v");
  {
    std::string table;
    for (int n = 1; n <= 88; ++n) {
      for (int k : {0, 1, 2, 4, 7, 15, 30}) {
        if (n - k >= 1) table += std::to_string(n - k) + (k == 30 || n - k == 1 ? "" : " ");
      }
      table += n % 3 == 0 ? "\r\n" : "\n";
    }
    seeds.PlanTable("shipped", 12, table);
  }
  seeds.PlanTable("odd-ends", 1,
                  std::string("1  2 \0 3\x1a"
                              "4\r\n5 ",
                              14));
  return 0;
}
