// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// cindral-db: creates, dumps, describes, checks, exports and imports Cindral
// word databases.
//
//   cindral-db create FILE [--text BYTES | --memo]
//   cindral-db dump FILE
//   cindral-db info FILE
//   cindral-db check FILE
//   cindral-db export FILE [--format tsv|csv] [--encoding utf-8|gbk]
//   cindral-db import FILE LIST
//   cindral-db undo-import FILE
//   cindral-db meanings [--index INDEX] WORD...
//   cindral-db compare BOOK OTHER
//
// FILE is given in UTF-8; the engine works in GBK. Failures to open print
// "error CODE TEXT" on standard error and exit with 1; bad usage exits with 2.
// The import adds the list's words as today's words by the entry window's
// own rule, with the settings file beside the book keeping the group.

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "book/KnownWords.h"
#include "book/LastImport.h"
#include "book/WordList.h"
#include "core/Backups.h"
#include "core/LicenceNotice.h"
#include "core/ProgramDirectory.h"
#include "core/Settings.h"
#include "lookup/ChineseMeanings.h"
#include "store/Clock.h"
#include "store/Database.h"
#include "store/DateTime.h"
#include "store/FieldCodec.h"
#include "store/Gbk.h"
#include "store/RecordFile.h"
#include "store/RegularFile.h"
#include "store/SideFile.h"
#include "store/WholeFileScope.h"
#include "store/WordRecord.h"
#include "tools/Compare.h"
#include "tools/Dump.h"
#include "tools/EngineError.h"

namespace cindral {
namespace {

constexpr const char* kUsage =
    "usage: cindral-db create FILE [--text BYTES | --memo]\n"
    "       cindral-db dump FILE | info FILE | check FILE\n"
    "       cindral-db export FILE [--format tsv|csv] [--encoding utf-8|gbk]\n"
    "       cindral-db import FILE LIST | undo-import FILE\n"
    "       cindral-db meanings [--index INDEX] WORD...\n"
    "       cindral-db compare BOOK OTHER\n"
    "       cindral-db --version\n";

// Another book's journal that the open kept aside instead of playing it
// back (see store/Journal.h) is named on standard error.
void NoteJournalSetAside(Database& db) {
  const std::string aside = db.JournalSetAside();
  if (aside.empty()) return;
  std::fprintf(stderr,
               "cindral-db: the journal beside the book was another book's; it was kept as %s "
               "and not played back\n",
               GbkToUtf8(aside).c_str());
}

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

// A folder, a pipe, a device or a socket given for a file: refused before
// anything waits on it.
int NotARegularFile(const std::string& file) {
  std::fprintf(stderr, "cindral-db: %s is not a regular file (a folder, a pipe or a device)\n",
               file.c_str());
  return 1;
}

bool IsThereButNotRegular(const std::string& file) {
  struct stat st;
  return ::stat(file.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
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

// Reads every record and every value of the book (read-only, while no
// writer changes it), then lets the audit of a read-write open look at a
// copy of it, taken the way backups are: every block of the side file must
// lie in exactly one value or in the free list, and the record count must
// agree with the file. The book itself is not touched. Exit 0 when sound.
int Check(const std::string& file) {
  Database db;
  if (!db.OpenDatabase(Utf8ToGbk(file), Access::ReadOnly, Share::DenyNone)) {
    const int32_t code = LastDatabaseError();
    std::printf("cannot be opened: error %d %s\ndamaged\n", static_cast<int>(code),
                GbkToUtf8(DatabaseErrorText(code)).c_str());
    return 1;
  }
  RecordFile* records = db.Current();
  const int32_t fieldCount = static_cast<int32_t>(records->fields().size());
  int problems = 0;
  int32_t count = 0, live = 0, marked = 0;
  {
    WholeFileScope scope(db, WholeFileScope::Kind::Shared);
    if (!scope.ok()) return Fail(scope.code());
    db.GoFirst();
    count = db.RecordCount();
    for (int32_t i = 0; i < count; ++i, db.Skip(1)) {
      auto report = [&](int32_t field, int32_t code) {
        std::printf("record %d%s: error %d %s\n", static_cast<int>(i + 1),
                    field > 0 ? (" field " + std::to_string(field)).c_str() : "",
                    static_cast<int>(code), GbkToUtf8(DatabaseErrorText(code)).c_str());
        ++problems;
      };
      int32_t id = 0;
      if (const int32_t code = records->ReadRecordId(records->cursor(), &id); code != 0) {
        report(0, code);
        continue;
      }
      (id > 0 ? live : marked) += 1;
      for (int32_t f = 1; f <= fieldCount; ++f) {
        db.ReadField(f);
        if (LastDatabaseError() != 0) report(f, LastDatabaseError());
      }
    }
  }
  std::printf("records %d (live %d, marked deleted %d)\n", static_cast<int>(count),
              static_cast<int>(live), static_cast<int>(marked));
  std::printf("fields %d\n", static_cast<int>(fieldCount));
  if (SideFile* side = records->side()) {
    SideFileHeader h;
    if (side->ReadHeader(&h) == 0) {
      std::printf("side-file blocks %d (free %d)\n", static_cast<int>(h.blockCount - 1),
                  static_cast<int>(h.freeCount));
    }
  }

  // The audit, on a copy.
  std::string pattern = (std::filesystem::temp_directory_path() / "cindral-check-XXXXXX").string();
  const char* temporary = ::mkdtemp(pattern.data());
  std::string reason;
  Backups copies(temporary != nullptr ? temporary : "");
  if (temporary == nullptr || !copies.Take(db, "", 0, &reason) || copies.List().empty()) {
    std::printf("the book could not be copied for the audit: %s\n", GbkToUtf8(reason).c_str());
    ++problems;
  } else {
    const std::string path = records->path();
    Database copy;
    if (!copy.OpenDatabase(copies.Folder() + "/" + copies.List().front() + "/" +
                           path.substr(path.rfind('/') + 1))) {
      std::printf("the copy cannot be opened: error %d\n", static_cast<int>(LastDatabaseError()));
      ++problems;
    } else {
      const OpenRepairs& r = copy.Current()->repairs();
      const std::pair<bool, const char*> findings[] = {
          {r.journalPlayedBack, "a change cut short is still in the journal"},
          {r.countLowered, "the header counts records the file lacks"},
          {r.trailingCut || r.wholeRecordsCut, "the file holds bytes after the counted records"},
          {r.freeListRebuilt,
           "side-file blocks are lost or owned twice (the free list does not hold together)"},
          {r.valuesCopied > 0, "values share side-file blocks with other values"},
          {r.valuesDropped > 0, "values start in side-file blocks that are not theirs"},
          {r.nextIdRaised, "a record carries an id the header has yet to issue"},
      };
      for (const auto& [found, text] : findings) {
        if (found) {
          std::printf("%s\n", text);
          ++problems;
        }
      }
    }
  }
  if (temporary != nullptr) {
    std::error_code ignored;
    std::filesystem::remove_all(temporary, ignored);
  }
  if (problems == 0) {
    std::printf("sound\n");
    return 0;
  }
  std::printf("damaged: %d problem%s\n", problems, problems == 1 ? "" : "s");
  return 1;
}

int Export(const std::vector<std::string>& args) {
  if (args.empty()) return Usage();
  WordListFormat format = WordListFormat::Tsv;
  WordListEncoding encoding = WordListEncoding::Utf8;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& value = i + 1 < args.size() ? args[i + 1] : std::string();
    if (args[i] == "--format" && (value == "tsv" || value == "csv")) {
      format = value == "tsv" ? WordListFormat::Tsv : WordListFormat::Csv;
    } else if (args[i] == "--encoding" && (value == "utf-8" || value == "gbk")) {
      encoding = value == "gbk" ? WordListEncoding::Gbk : WordListEncoding::Utf8;
    } else {
      return Usage();
    }
    ++i;
  }
  Database db;
  if (!db.OpenDatabase(Utf8ToGbk(args[0]), Access::ReadOnly, Share::DenyNone)) {
    return Fail(LastDatabaseError());
  }
  std::string text;
  int32_t words = 0;
  std::string notInGbk;
  if (!ExportWordList(db, format, encoding, &text, &words, &notInGbk)) {
    if (notInGbk.empty()) return Fail(LastDatabaseError());
    std::fprintf(stderr,
                 "cindral-db: the word \"%s\" holds a character GBK lacks; export as UTF-8\n",
                 GbkToUtf8(notInGbk).c_str());
    return 1;
  }
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
    std::fprintf(stderr, "cindral-db: the words could not be written out\n");
    return 1;
  }
  std::fprintf(stderr, "exported %d words\n", static_cast<int>(words));
  return 0;
}

int Import(const std::string& book, const std::string& list) {
  std::string bytes;
  switch (ReadRegularFile(list, kWordListFileLimit, &bytes)) {
    case FileRead::kRead:
      break;
    case FileRead::kNotRegular:
      return NotARegularFile(list);
    case FileRead::kTooLarge:
      std::fprintf(stderr, "cindral-db: %s is larger than 64 MB; not a word list\n", list.c_str());
      return 1;
    case FileRead::kMissing:
    case FileRead::kFailed:
      std::fprintf(stderr, "cindral-db: cannot read %s: %s\n", list.c_str(), std::strerror(errno));
      return 1;
  }

  Database db;
  const std::string path = Database::FullPath(Utf8ToGbk(book));
  if (!db.OpenDatabase(path)) return Fail(LastDatabaseError());
  NoteJournalSetAside(db);
  // The settings file that keeps the group lies beside the book.
  Settings settings(path.substr(0, path.rfind('/')));
  SystemClock clock;
  const double today = DatePart(CurrentDateTime(clock));

  const WordListFile file = ReadWordList(bytes, WordLimitsOf(db));
  if (file.notText) {
    std::fprintf(stderr,
                 "cindral-db: %s is not a word list: most of its lines are not text (control "
                 "characters, or codes that are no character)\nnothing imported\n",
                 list.c_str());
    return 1;
  }
  std::printf("encoding %s, %s%s\n", GbkToUtf8(EncodingName(file)).c_str(),
              file.format == WordListFormat::Tsv ? "tab-separated" : "comma-separated",
              file.exported ? ", exported by cindral" : "");
  for (const ListProblem& problem : file.problems) {
    std::printf("line %d skipped: %s\n", static_cast<int>(problem.line),
                GbkToUtf8(problem.reason).c_str());
  }
  double reviewPhaseStart = kZeroDate;
  ReviewPhaseStartOf(db, &reviewPhaseStart);
  const std::string refusal = TodaysWordsRefusal(db, today, reviewPhaseStart);
  if (!refusal.empty()) {
    std::fprintf(stderr, "%s\nnothing imported\n", GbkToUtf8(refusal).c_str());
    return 1;
  }
  if (file.words.empty()) {
    std::fprintf(stderr, "no words to import\n");
    return 1;
  }
  std::vector<NewWord> words;
  for (const ListedWord& w : file.words) words.push_back({w.word, w.meaning});
  // Taken all the same, as a script asked; the learner hears of them.
  const std::vector<Repeat> repeats = FindRepeats(db, file.words);
  for (std::size_t i = 0; i < repeats.size(); ++i) {
    if (!repeats[i].inBook.empty()) {
      std::printf("line %d: already in the book, %s\n", static_cast<int>(file.words[i].line),
                  GbkToUtf8(KnownWordText(repeats[i].inBook.front(), file.words[i].word)).c_str());
    } else if (repeats[i].earlierLine != 0) {
      std::printf("line %d: the word of line %d again\n", static_cast<int>(file.words[i].line),
                  static_cast<int>(repeats[i].earlierLine));
    }
  }
  if (!ImportTodaysWords(db, settings, today, words)) {
    const int32_t code = LastDatabaseError();
    std::fprintf(stderr, "the words could not be stored; nothing imported\n");
    return Fail(code != 0 ? code : -1);
  }
  std::printf("imported %d words into group %d\n", static_cast<int>(words.size()),
              static_cast<int>(settings.ReadSettingInt(kConfigSection, "groupnumber")));
  return 0;
}

// Takes the last import of the book back, as the main window's command does.
int UndoImport(const std::string& book) {
  Database db;
  const std::string path = Database::FullPath(Utf8ToGbk(book));
  if (!db.OpenDatabase(path)) return Fail(LastDatabaseError());
  NoteJournalSetAside(db);
  Settings settings(path.substr(0, path.rfind('/')));
  int32_t removed = 0;
  switch (UndoLastImport(db, settings, &removed)) {
    case UndoOutcome::Undone:
      std::printf("removed the %d words of the last import\n", static_cast<int>(removed));
      return 0;
    case UndoOutcome::NothingToUndo:
      std::fprintf(stderr, "no import to undo\n");
      return 1;
    case UndoOutcome::ChangedSince:
      std::fprintf(stderr, "the imported words have changed since; nothing undone\n");
      return 1;
    case UndoOutcome::WordsAfter:
      std::fprintf(stderr, "words were entered after the import; nothing undone\n");
      return 1;
    case UndoOutcome::Failed:
      break;
  }
  const int32_t code = LastDatabaseError();
  std::fprintf(stderr, "the undo could not be stored; nothing undone\n");
  return Fail(code != 0 ? code : -1);
}

const char* WhyUnusable(MeaningIndexStatus status) {
  switch (status) {
    case MeaningIndexStatus::kNotOpened:
    case MeaningIndexStatus::kMissing:
      return "is missing (make meanings-index makes it)";
    case MeaningIndexStatus::kNotRegular:
      return "is not a regular file";
    case MeaningIndexStatus::kUnreadable:
      return "cannot be read";
    case MeaningIndexStatus::kNotAnIndex:
      return "is not a meanings index";
    case MeaningIndexStatus::kOtherVersion:
      return "is an index of another version";
    case MeaningIndexStatus::kOpen:
    case MeaningIndexStatus::kDamaged:
      break;
  }
  return "is damaged or cut short";
}

// Each word's Chinese meanings, best first, one word a line: the word, then
// "meaning (pinyin)" fields, tab-separated; a word without meanings alone.
// The index is the one the program beside the tool uses, or INDEX.
int Meanings(std::vector<std::string> args) {
  std::vector<std::string> places = ChineseMeanings::PlacesFor(ProgramDirectory());
  if (args.size() >= 2 && args[0] == "--index") {
    places = {Utf8ToGbk(args[1])};
    args.erase(args.begin(), args.begin() + 2);
  }
  if (args.empty()) return Usage();
  ChineseMeanings meanings(places);
  if (!meanings.Available()) {
    std::fprintf(stderr, "cindral-db: no Chinese meanings: %s %s\n",
                 GbkToUtf8(meanings.Path()).c_str(), WhyUnusable(meanings.Status()));
    return 1;
  }
  std::string out;
  for (const std::string& word : args) {
    out += word;
    for (const ChineseMeaning& m : meanings.Lookup(Utf8ToGbk(word))) {
      out += '\t' + GbkToUtf8(m.word) + " (" + GbkToUtf8(m.pinyin) + ")";
    }
    out += '\n';
  }
  if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
    std::fprintf(stderr, "cindral-db: the meanings could not be written out\n");
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace cindral

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--version") {
    std::puts("cindral-db " CINDRAL_VERSION);
    std::fputs(cindral::kLicenceNotice, stdout);
    return 0;
  }
  if (argc < 3) return cindral::Usage();
  const std::string command = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "create") return cindral::Create(args);
  if (command == "meanings") return cindral::Meanings(args);
  if (command == "compare") {
    if (args.size() != 2) return cindral::Usage();
    for (const std::string& file : args) {
      if (cindral::IsThereButNotRegular(file)) return 1 + cindral::NotARegularFile(file);
    }
    return cindral::Compare(args[0], args[1]);
  }
  const bool one = args.size() == 1;
  const bool used = command == "export" || (command == "import" && args.size() == 2) ||
                    (one && (command == "dump" || command == "undo-import" || command == "info" ||
                             command == "check"));
  if (!used) return cindral::Usage();
  // The book of every other command: opening it never waits on a pipe
  // either, but this names what is wrong.
  if (cindral::IsThereButNotRegular(args[0])) return cindral::NotARegularFile(args[0]);
  if (command == "export") return cindral::Export(args);
  if (command == "import") return cindral::Import(args[0], args[1]);
  if (command == "dump") return cindral::Dump(args[0]);
  if (command == "undo-import") return cindral::UndoImport(args[0]);
  if (command == "info") return cindral::Info(args[0]);
  return cindral::Check(args[0]);
}
