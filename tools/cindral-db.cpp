// cindral-db: creates, dumps and describes Cindral word databases.
//
//   cindral-db create FILE [--text BYTES | --memo]
//   cindral-db dump FILE
//   cindral-db info FILE
//
// FILE is given in UTF-8; the engine works in GBK. Failures to open print
// "error CODE TEXT" on standard error and exit with 1; bad usage exits with 2.

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "store/Convert.h"
#include "store/Database.h"
#include "store/FieldCodec.h"
#include "store/Gbk.h"
#include "store/RecordFile.h"
#include "store/SideFile.h"
#include "store/WordRecord.h"

namespace cindral {
namespace {

constexpr const char* kUsage =
    "usage: cindral-db create FILE [--text BYTES | --memo] | dump FILE | info FILE\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

int Fail(int32_t code) {
  std::fprintf(stderr, "error %d %s\n", static_cast<int>(code),
               GbkToUtf8(DatabaseErrorText(code)).c_str());
  return 1;
}

// One line per record: tabs and line breaks inside a value are escaped.
std::string Escape(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (const char c : utf8) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

int Create(const std::vector<std::string>& args) {
  if (args.empty()) return Usage();
  const std::string& file = args[0];
  int32_t textBytes = 0;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--memo") {
      textBytes = 0;
    } else if (args[i] == "--text" && i + 1 < args.size()) {
      char* end = nullptr;
      const long bytes = std::strtol(args[i + 1].c_str(), &end, 10);
      if (end == args[i + 1].c_str() || *end != '\0' || bytes < 1 || bytes > 65535) {
        return Usage();
      }
      textBytes = static_cast<int32_t>(bytes);
      ++i;
    } else {
      return Usage();
    }
  }
  struct stat st;
  if (::stat(file.c_str(), &st) == 0) {
    std::fprintf(stderr, "cindral-db: %s already exists; it is not overwritten\n", file.c_str());
    return 1;
  }
  const std::string path = Utf8ToGbk(file);
  if (textBytes == 0) {
    const std::string side = GbkToUtf8(SideFile::PathFor(path));
    if (::stat(side.c_str(), &st) == 0) {
      std::fprintf(stderr, "cindral-db: %s already exists; it is not overwritten\n", side.c_str());
      return 1;
    }
  }
  const int32_t code = RecordFile::Create(path, WordRecordFields(textBytes));
  return code == 0 ? 0 : Fail(code);
}

int Dump(const std::string& file) {
  Database db;
  if (!db.OpenDatabase(Utf8ToGbk(file), Access::ReadOnly, Share::DenyNone)) {
    return Fail(LastDatabaseError());
  }
  RecordFile* records = db.Current();
  const int32_t fieldCount = static_cast<int32_t>(records->fields().size());
  const int32_t count = db.RecordCount();
  if (LastDatabaseError() != 0) return Fail(LastDatabaseError());
  db.GoFirst();
  for (int32_t i = 0; i < count; ++i) {
    int32_t id = 0;
    int32_t code = records->ReadRecordId(records->cursor(), &id);
    std::string line = std::to_string(db.RecordNumber()) + "\t" + std::to_string(id);
    for (int32_t f = 1; f <= fieldCount; ++f) {
      const Value value = db.ReadField(f);
      if (LastDatabaseError() != 0 && code == 0) code = LastDatabaseError();
      line += "\t" + Escape(GbkToUtf8(ValueToText(value)));
    }
    std::printf("%s\n", line.c_str());
    if (code != 0) {
      std::fprintf(stderr, "record %d: error %d %s\n", static_cast<int>(i + 1),
                   static_cast<int>(code), GbkToUtf8(DatabaseErrorText(code)).c_str());
    }
    db.Skip(1);
  }
  return 0;
}

int Info(const std::string& file) {
  Database db;
  if (!db.OpenDatabase(Utf8ToGbk(file), Access::ReadOnly, Share::DenyNone)) {
    return Fail(LastDatabaseError());
  }
  RecordFile* records = db.Current();
  int32_t count = 0;
  int32_t nextId = 0;
  const int32_t code = records->ReadCounters(&count, &nextId);
  if (code != 0) return Fail(code);
  std::printf("path %s\n", GbkToUtf8(records->path()).c_str());
  std::printf("version 0x%08X\n", static_cast<unsigned>(records->version()));
  std::printf("records %d\n", static_cast<int>(count));
  std::printf("next-record-id %d\n", static_cast<int>(nextId));
  std::printf("record-size %d\n", static_cast<int>(records->recordSize()));
  std::printf("first-record-offset %lld\n", static_cast<long long>(records->firstRecordOffset()));
  std::printf("fields %d\n", static_cast<int>(records->fields().size()));
  int position = 0;
  for (const FieldDescriptor& f : records->fields()) {
    std::printf("field %d %s type %d offset %d size %d\n", ++position, GbkToUtf8(f.name).c_str(),
                static_cast<int>(f.type), static_cast<int>(f.offset), static_cast<int>(f.Width()));
  }
  if (SideFile* side = records->side()) {
    SideFileHeader h;
    const int32_t sideCode = side->ReadHeader(&h);
    if (sideCode != 0) return Fail(sideCode);
    std::printf("side-file blocks %d free %d first-free %d\n", static_cast<int>(h.blockCount),
                static_cast<int>(h.freeCount), static_cast<int>(h.firstFree));
  } else {
    std::printf("side-file none\n");
  }
  return 0;
}

}  // namespace
}  // namespace cindral

int main(int argc, char** argv) {
  if (argc < 3) return cindral::Usage();
  const std::string command = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "create") return cindral::Create(args);
  if (args.size() != 1) return cindral::Usage();
  if (command == "dump") return cindral::Dump(args[0]);
  if (command == "info") return cindral::Info(args[0]);
  return cindral::Usage();
}
