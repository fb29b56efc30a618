// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A throw-away program directory with a word book, settings, a clock and
// scripted message boxes and windows, for driving the logic day by day.

#include <cstdint>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "ManualClock.h"
#include "TempDir.h"
#include "WindowNames.h"
#include "core/Program.h"
#include "core/Prompter.h"
#include "core/Settings.h"
#include "core/Shell.h"
#include "core/Speech.h"
#include "store/Clock.h"
#include "store/Database.h"
#include "store/DateTime.h"
#include "store/Gbk.h"
#include "store/WholeFileScope.h"
#include "store/WordRecord.h"

namespace cindral::test {

// Writes an empty word database straight from the file layout, independent
// of the engine: six fields, word and meaning as memo text in a side file.
inline void WriteEmptyWordBook(const std::string& utf8Path) {
  auto put32 = [](std::string& s, size_t at, int32_t v) { std::memcpy(&s[at], &v, 4); };
  const int32_t kFields = 6;
  std::string data(116 + 72 * kFields, '\0');
  std::memcpy(&data[0], "WEDB", 4);
  put32(data, 4, 0x00010000);
  put32(data, 16, 0);   // record count
  put32(data, 20, 1);   // next record id
  put32(data, 24, 32);  // record size
  put32(data, 112, kFields);
  struct Field {
    const char* name;
    int32_t type, offset, size;
  };
  const Field fields[] = {{"GroupNumber", 3, 4, 4},  {"Word", 12, 8, 4},
                          {"Meaning", 12, 12, 4},    {"EntryDate", 8, 16, 8},
                          {"Proficiency", 3, 24, 4}, {"SerialNumber", 3, 28, 4}};
  for (int i = 0; i < kFields; ++i) {
    const size_t at = 116 + 72 * i;
    std::memcpy(&data[at], fields[i].name, std::strlen(fields[i].name));
    put32(data, at + 20, fields[i].type);
    put32(data, at + 24, fields[i].offset);
    put32(data, at + 28, fields[i].size);
  }
  std::string side(512, '\0');
  std::memcpy(&side[0], "WEDT", 4);
  put32(side, 4, 0x00010000);
  put32(side, 16, 1);
  std::ofstream(utf8Path, std::ios::binary) << data;
  const std::string sidePath = utf8Path.substr(0, utf8Path.rfind('.')) + ".EDT";
  std::ofstream(sidePath, std::ios::binary) << side;
}

// A stored word record, read back in UTF-8, for comparing whole books.
struct StoredWord {
  int32_t group;
  std::string word, meaning;
  double date;
  int32_t proficiency, serial;
  bool operator==(const StoredWord& o) const {
    return group == o.group && word == o.word && meaning == o.meaning && date == o.date &&
           proficiency == o.proficiency && serial == o.serial;
  }
};
inline std::ostream& operator<<(std::ostream& os, const StoredWord& w) {
  return os << "{" << w.group << "," << w.word << "," << w.meaning << "," << w.date << ","
            << w.proficiency << "," << w.serial << "}";
}

// Every record of the book, in record order.
inline std::vector<StoredWord> StoredWords(Database& db) {
  std::vector<StoredWord> words;
  db.GoFirst();
  for (int32_t i = 0, n = db.RecordCount(); i < n; ++i, db.Skip(1)) {
    words.push_back({ReadIntegerField(db, kGroupNumber), GbkToUtf8(ReadTextField(db, kWord)),
                     GbkToUtf8(ReadTextField(db, kMeaning)), ReadDateField(db, kEntryDate),
                     ReadIntegerField(db, kProficiency), ReadIntegerField(db, kSerialNumber)});
  }
  return words;
}

// Records every box; answers Yes/No boxes from a queue (No when empty).
class ScriptedPrompter : public Prompter {
 public:
  bool Show(const Message& message) override {
    shown.push_back(message);
    if (onShow) onShow(message);
    if (!message.yesNo) return true;
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  // Texts of the boxes shown so far, in UTF-8, for readable assertions.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Message& m : shown) texts.push_back(GbkToUtf8(m.text));
    return texts;
  }
  std::string LastText() const { return shown.empty() ? "" : GbkToUtf8(shown.back().text); }
  std::string LastCaption() const { return shown.empty() ? "" : GbkToUtf8(shown.back().caption); }

  // Choices answer from `choices` (the escape button when empty).
  int Choose(const Choice& choice) override {
    chosen.push_back(choice);
    if (choices.empty()) return choice.escape;
    const int answer = choices.front();
    choices.pop_front();
    return answer;
  }

  std::vector<Message> shown;
  std::deque<bool> answers;
  std::vector<Choice> chosen;
  std::deque<int> choices;
  std::function<void(const Message&)> onShow;
};

// Records what the logic asks of the window system; the test decides what
// an opened window does through `onOpen`. A window exists from its
// OpenWindow until CloseWindow closes it or the call returns; `onOpen`
// should stop driving a window once IsWindowOpen says it has been closed.
class ScriptedShell : public Shell {
 public:
  void OpenWindow(WindowId id) override {
    opened.push_back(id);
    events.push_back("open " + WindowName(id));
    windows.push_back({id, true, true});
    if (onOpen) onOpen(id);
    windows.pop_back();
    events.push_back("returned " + WindowName(id));
  }
  bool IsWindowOpen(WindowId id) const override { return Find(id) != nullptr; }
  void CloseWindow(WindowId id) override {
    events.push_back("close " + WindowName(id));
    if (Window* w = Find(id)) w->open = false;
  }
  void ShowWindow(WindowId id, bool shown) override {
    events.push_back((shown ? "show " : "hide ") + WindowName(id));
    if (Window* w = Find(id)) w->visible = shown;
  }
  void ActivateWindow(WindowId id) override { events.push_back("activate " + WindowName(id)); }
  void SetEntryButtonEnabled(bool enabled) override { entryButtonEnabled = enabled; }
  void EndProgram() override { events.push_back("end program"); }
  void BringMainWindowToFront() override {
    ++broughtToFront;
    events.push_back("front 启动窗口");
  }
  FileChoice ChooseFile(FileKind kind, const std::string& title, bool save,
                        const std::vector<std::string>& filters,
                        const std::string& suggested) override {
    events.push_back(std::string(save ? "save " : "choose ") + GbkToUtf8(title));
    fileDialogs.push_back({GbkToUtf8(title), save, filters, GbkToUtf8(suggested), kind});
    if (chosenFiles.empty()) return {};
    FileChoice choice = chosenFiles.front();
    chosenFiles.pop_front();
    return choice;
  }
  std::string ChooseFolder(const std::string& title, const std::string& start) override {
    events.push_back("choose folder " + GbkToUtf8(title));
    (void)start;
    if (chosenFolders.empty()) return std::string();
    const std::string folder = Utf8ToGbk(chosenFolders.front());
    chosenFolders.pop_front();
    return folder;
  }
  void ShowFolder(const std::string& path, std::function<void()> failed) override {
    shownFolders.push_back(GbkToUtf8(path));
    if (!folderShows) failed();
  }

  // Whether the open window of this kind is shown (false when none is open).
  bool IsWindowVisible(WindowId id) const {
    const Window* w = Find(id);
    return w != nullptr && w->visible;
  }

  std::vector<WindowId> opened;
  // Every request in order: "open X", "returned X", "close X", "show X",
  // "hide X", "activate X", "front 启动窗口", "end program" (X = the
  // window name).
  std::vector<std::string> events;
  std::function<void(WindowId)> onOpen;
  bool entryButtonEnabled = true;
  int broughtToFront = 0;
  // The file dialogs asked for (title and suggested name in UTF-8), and
  // the answers they give, in order (cancelled when none is left).
  struct FileDialog {
    std::string title;
    bool save;
    std::vector<std::string> filters;  // GBK
    std::string suggested;
    FileKind kind;
  };
  std::vector<FileDialog> fileDialogs;
  std::deque<FileChoice> chosenFiles;
  std::deque<std::string> chosenFolders;  // UTF-8
  std::vector<std::string> shownFolders;  // UTF-8
  bool folderShows = true;

 private:
  struct Window {
    WindowId id;
    bool open;
    bool visible;
  };
  const Window* Find(WindowId id) const {
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
      if (it->id == id && it->open) return &*it;
    }
    return nullptr;
  }
  Window* Find(WindowId id) {
    return const_cast<Window*>(static_cast<const ScriptedShell*>(this)->Find(id));
  }

  std::vector<Window> windows;  // the windows whose OpenWindow has not returned
};

// A voice that records what it was asked to say; the test sets its state,
// and the listeners hear of every change. With `triesWords`, a word spoken
// is tried until the test says it was heard (Heard) or the voice fails.
class ScriptedSpeech : public Speech {
 public:
  State state() override {
    ++stateQueries;
    return current;
  }
  std::string reason() const override { return current == State::Unavailable ? why : ""; }
  void Speak(const std::string& word) override {
    if (current != State::Ready) return;
    spoken.push_back(GbkToUtf8(word));
    tryingNow = triesWords;
  }
  bool trying() const override { return tryingNow; }
  void Heard() {
    tryingNow = triesWords = false;
    Notify();
  }
  int AddListener(std::function<void()> listener) override {
    listeners[next] = std::move(listener);
    return next++;
  }
  void RemoveListener(int token) override { listeners.erase(token); }

  void Set(State state, const std::string& utf8Reason = "") {
    current = state;
    why = Utf8ToGbk(utf8Reason);
    if (state != State::Ready) tryingNow = false;
    Notify();
  }
  void Notify() {
    const auto copy = listeners;
    for (const auto& entry : copy) entry.second();
  }

  State current = State::Ready;
  bool triesWords = false;
  bool tryingNow = false;
  std::string why;
  std::vector<std::string> spoken;  // UTF-8
  std::map<int, std::function<void()>> listeners;
  int next = 1;
  int stateQueries = 0;
};

inline const std::string& WordBookUtf8Name() {
  static const std::string name = "单词本.EDB";
  return name;
}

// A program directory with the shipped files, a clock and the Program.
struct TestWorld {
  explicit TestWorld(double today = 45000.0, bool withWordBook = true) : clock(today) {
    if (withWordBook) WriteEmptyWordBook(dir.File(WordBookUtf8Name()));
    settings = std::make_unique<Settings>(Utf8ToGbk(dir.path()));
    Restart();
  }

  // A new run of the program in the same directory: fresh database list and
  // program-wide state (the word book is not opened yet).
  void Restart() {
    program.reset();
    database = std::make_unique<Database>();
    program = std::make_unique<Program>(*database, *settings, clock, prompter, shell);
    program->SetSpeech(&speech);
  }
  // Opens the word book as start-up does.
  void OpenWordBook() {
    if (!database->OpenDatabase(GBK("单词本"))) throw std::runtime_error("word book did not open");
  }

  Database& Db() { return *database; }
  Program& P() { return *program; }
  AppState& State() { return program->state(); }

  // Appends a word as entry does; the serial number is the next record number.
  void AddWord(int32_t group, const std::string& utf8Word, double date, int32_t proficiency = 1,
               const std::string& utf8Meaning = "") {
    Database& db = *database;
    const int32_t serial = db.RecordCount() + 1;
    const std::string meaning = utf8Meaning.empty() ? utf8Word + "-义" : utf8Meaning;
    if (!db.AddRecord({Value::Int(group), Value::Text(Utf8ToGbk(utf8Word)),
                       Value::Text(Utf8ToGbk(meaning)), Value::DateTime(date),
                       Value::Int(proficiency), Value::Int(serial)})) {
      throw std::runtime_error("AddRecord failed");
    }
  }
  // A course as a learner builds it: groups 1..`groups` of `perGroup` words
  // each, group g entered on `day1` + g - 1, proficiencies spread over 1 to
  // 100; groupnumber then names the newest group.
  void AddCourse(int groups, int perGroup, double day1) {
    // One change of the book: a course of thousands of words costs a few
    // syncs, not a few for every word.
    WholeFileScope scope(*database);
    if (!scope.ok()) throw std::runtime_error("the word book's lock was not taken");
    for (int g = 1; g <= groups; ++g) {
      for (int w = 0; w < perGroup; ++w) {
        AddWord(g, "word" + std::to_string(g) + "_" + std::to_string(w), day1 + g - 1,
                (g * 7 + w * 13) % 100 + 1, "释义" + std::to_string(w));
      }
    }
    if (!scope.End()) throw std::runtime_error("the course was not stored");
    if (groups > 0) WriteConfig("groupnumber", std::to_string(groups));
    program->LoadCurrentGroup();
  }

  // Group numbers of today's due list, in order.
  std::vector<int32_t> DueGroups() const {
    std::vector<int32_t> groups;
    for (const DueEntry& e : program->state().DueList) groups.push_back(e.GroupNumber);
    return groups;
  }

  // Writes a plan table with the given lines (UTF-8 = ASCII digits).
  void WritePlanTable(const std::vector<std::string>& lines) const {
    std::ofstream out(dir.File("艾宾浩斯.txt"), std::ios::binary);
    for (const std::string& line : lines) out << line << "\n";
  }
  // The shipped table: line N lists N, N-1, N-2, N-4, N-7, N-15, N-30 (>= 1).
  void WriteStandardPlanTable() const {
    std::vector<std::string> lines;
    for (int n = 1; n <= 88; ++n) {
      std::string line;
      for (int k : {0, 1, 2, 4, 7, 15, 30}) {
        if (n - k < 1) continue;
        if (!line.empty()) line += ' ';
        line += std::to_string(n - k);
      }
      lines.push_back(line);
    }
    WritePlanTable(lines);
  }
  void WriteConfig(const std::string& key, const std::string& value) {
    settings->WriteSetting("Config", key, value);
  }
  std::string Config(const std::string& key) const { return settings->ReadSetting("Config", key); }
  // The newest group, as entry leaves it: in the settings file, and read
  // into the program.
  void SetCurrentGroup(int32_t group) {
    WriteConfig("groupnumber", std::to_string(group));
    program->LoadCurrentGroup();
  }
  // The state after a full reset, as shipped.
  void WriteFreshConfig() {
    WriteConfig("reviewnumber", "1");
    WriteConfig("groupnumber", "1");
    WriteConfig("plus", "false");
    WriteConfig("minus", "false");
  }

  TempWorkDir dir{"cindral-test"};
  ManualClock clock;
  ScriptedPrompter prompter;
  ScriptedShell shell;
  ScriptedSpeech speech;
  std::unique_ptr<Database> database;
  std::unique_ptr<Settings> settings;
  std::unique_ptr<Program> program;
};

}  // namespace cindral::test
