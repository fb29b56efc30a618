// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The three speed figures of the program, each beside its floor measured in
// the same run, as medians of interleaved rounds:
//  - StartupToWindow: from starting the program to its main window painted
//    on an X server of our own (Xvfb, heard through its Damage extension),
//    for an empty word book and books of 1,000, 4,400 (a full course on
//    review day 5), 20,000 and 100,000 words on a later start of the day,
//    and the first start of a day (the decay due, no backup yet) at 1,000,
//    20,000 and 100,000 words; floor: a bare Qt Widgets window of five
//    buttons (floor-window) started the same way in the same round. Each
//    figure is the median of the per-round ratios, with their min and max,
//    and the load average at the end.
//  - WordBookListing: the listing window of 1,000, 20,000 and 100,000
//    words, from building it to its first paint on the same X server;
//    floor: a window of the same size with an empty text box. Also the
//    memory the listing takes, when its box holds every line (filled_ms)
//    and the longest it went without answering meanwhile.
//  - Dump: `cindral-db dump` of 1,000, 20,000 and 100,000 words to
//    /dev/null; floor: `cat` of the data and side file to /dev/null; the
//    median of the per-round ratios, with their min and max, and the load.
//  - WalkUnderLock: how long a walk of 20,000 words holds the whole-file
//    lock (no floor: the goal is about 10 ms).
// Counters ending in "_x" are multiples of the floor; "_ms" are milliseconds.
// CINDRAL_BENCH_PROGRAM and CINDRAL_BENCH_DB_TOOL time other builds of the
// program and the tool (the listing is always this build's);
// CINDRAL_BENCH_ROUNDS sets the number of rounds (31).

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "TempDir.h"
#include "WindowTiming.h"
#include "windows/WordBookWindow.h"
#include "store/Clock.h"
#include "store/Database.h"
#include "store/DateTime.h"
#include "store/Gbk.h"
#include "store/RecordFile.h"
#include "store/SideFile.h"
#include "store/WholeFileScope.h"
#include "store/WordRecord.h"

extern char** environ;

namespace cindral {
namespace {

namespace fs = std::filesystem;
using bench::Median;
using Clock = std::chrono::steady_clock;

constexpr int kWarmUpRounds = 2;

// Rounds measured, after the warm-up: 31 unless CINDRAL_BENCH_ROUNDS says
// otherwise (fewer for a quick look).
int Rounds() {
  const char* value = std::getenv("CINDRAL_BENCH_ROUNDS");
  const int rounds = value != nullptr ? std::atoi(value) : 0;
  return rounds > 0 ? rounds : 31;
}
const char* const kBookName = "单词本";

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// The median of per-round ratios to the floor as "<name>_x", with their
// least and greatest, and the load average at the end.
void CountRatios(benchmark::State& state, const std::string& name,
                 const std::vector<double>& ratios) {
  state.counters[name + "_x"] = Median(ratios);
  state.counters[name + "_min_x"] = *std::min_element(ratios.begin(), ratios.end());
  state.counters[name + "_max_x"] = *std::max_element(ratios.begin(), ratios.end());
  double load[1] = {0};
  if (::getloadavg(load, 1) == 1) state.counters["load"] = load[0];
}

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : fallback;
}

const test::TempDir& Scratch() {
  static const test::TempDir dir("cindral-goals");
  return dir;
}

// --- Word books ------------------------------------------------------------

// A word book of `groups` groups of `perGroup` words in `dir`, group g
// entered on `firstDay` + g - 1, every proficiency 50.
void MakeWordBook(const std::string& dir, int groups, int perGroup, double firstDay) {
  const std::string path = Utf8ToGbk(dir + "/" + kBookName + ".EDB");
  RecordFile::Create(path, WordRecordFields());
  Database db;
  if (!db.OpenDatabase(path)) throw std::runtime_error("cannot open the new word book");
  WholeFileScope scope(db);
  int serial = 0;
  for (int g = 1; g <= groups; ++g) {
    for (int w = 0; w < perGroup; ++w) {
      const std::string word = "word" + std::to_string(g) + "x" + std::to_string(w);
      const std::string meaning = GBK("释义") + std::to_string(g) + "-" + std::to_string(w);
      db.AddRecord({Value::Int(g), Value::Text(word), Value::Text(meaning),
                    Value::DateTime(firstDay + g - 1), Value::Int(50), Value::Double(++serial)});
    }
  }
  if (!scope.End()) throw std::runtime_error("cannot write the word book");
}

std::string BookFile(const std::string& dir, const char* extension) {
  return dir + "/" + kBookName + "." + extension;
}

void CopyBook(const std::string& from, const std::string& to) {
  for (const char* ext : {"EDB", "EDT"}) {
    fs::copy_file(BookFile(from, ext), BookFile(to, ext), fs::copy_options::overwrite_existing);
  }
  fs::remove(BookFile(to, "EDB") + "-journal");
}

double Today() { return DatePart(CurrentDateTime(SystemClock())); }

// A book of `words` words in 80 groups (20 of 50 below 4,000 words), the
// last entered today, made in its own directory `name`.
std::string MakeBookOf(const std::string& name, int words) {
  const std::string dir = Scratch().File(name);
  fs::create_directories(dir);
  const int groups = words < 4000 ? 20 : 80;
  MakeWordBook(dir, groups, words / groups, Today() - (groups - 1));
  return dir;
}

bool OpenTwentyThousandWords(const std::string& name, Database* db) {
  return db->OpenDatabase(Utf8ToGbk(BookFile(MakeBookOf(name, 20000), "EDB")));
}

// A program directory: the program (a hard link, so that it finds its
// files here), the plan table, the settings and a word book made from a
// template before every start.
struct ProgramDir {
  std::string dir;
  std::string program;
  std::string bookTemplate;  // a directory holding the word book's files
  int groups = 1;
  bool firstOfDay = false;

  // Before every start. A later start of the day finds the day's decay
  // and backup done and the book as the last start closed it; the first
  // start of a day finds the book as yesterday's last start closed it
  // clean, the decay due and no backup of today.
  void Prepare() const {
    const bool fresh = !fs::exists(BookFile(dir, "EDB"));
    if (!firstOfDay && !fresh) return;
    CopyBook(bookTemplate, dir);
    { Database closedClean; closedClean.OpenDatabase(Utf8ToGbk(BookFile(dir, "EDB"))); }
    fs::remove_all(dir + "/backups");
    std::ofstream(dir + "/Config.ini", std::ios::binary)
        << "[Config]\r\nreviewnumber=1\r\ngroupnumber=" << groups
        << "\r\nplus=false\r\nminus=false\r\n";
  }
};

ProgramDir MakeProgramDir(const std::string& name, const std::string& program, int groups,
                          int perGroup, double firstDay, bool firstOfDay) {
  ProgramDir p;
  p.dir = Scratch().File(name);
  p.bookTemplate = Scratch().File(name + "-book");
  fs::create_directories(p.dir);
  fs::create_directories(p.bookTemplate);
  MakeWordBook(p.bookTemplate, groups, perGroup, firstDay);
  p.program = p.dir + "/cindral";
  std::error_code linked;
  fs::create_hard_link(program, p.program, linked);
  if (linked) fs::copy_file(program, p.program, fs::copy_options::overwrite_existing);
  fs::copy_file(std::string(CINDRAL_SOURCE_DIR) + "/plan/艾宾浩斯.txt", p.dir + "/艾宾浩斯.txt",
                fs::copy_options::overwrite_existing);
  p.groups = std::max(groups, 1);
  p.firstOfDay = firstOfDay;
  return p;
}

// --- Processes ---------------------------------------------------------------

// Starts `argv` with `extraEnv` added, standard output to `out` (or
// /dev/null) and standard error to /dev/null.
pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv,
            const std::string& out = "/dev/null") {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    bool replaced = false;
    for (const std::string& extra : extraEnv) {
      replaced =
          replaced || entry.compare(0, extra.find('=') + 1, extra, 0, extra.find('=') + 1) == 0;
    }
    if (!replaced) env.push_back(entry);
  }
  env.insert(env.end(), extraEnv.begin(), extraEnv.end());
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> args = argv;
  std::vector<char*> argp;
  for (std::string& a : args) argp.push_back(a.data());
  argp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  if (posix_spawn(&pid, argp[0], &actions, nullptr, argp.data(), envp.data()) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

// Waits for `pid`; after `graceMs` it is killed. The end is heard at once
// through a process descriptor (a sleep between looks would add up to a
// millisecond to every command timed); without one, looks every 100 us.
int Reap(pid_t pid, int graceMs = 10000) {
  const auto until = Clock::now() + std::chrono::milliseconds(graceMs);
  const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
  int status = 0;
  for (;;) {
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid || done < 0) {
      if (pidfd >= 0) ::close(pidfd);
      return done == pid ? status : -1;
    }
    if (Clock::now() > until) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      if (pidfd >= 0) ::close(pidfd);
      return -1;
    }
    if (pidfd >= 0) {
      pollfd p = {pidfd, POLLIN, 0};
      ::poll(&p, 1, 50);
    } else {
      ::usleep(100);
    }
  }
}

// The time a command takes to run to its end.
double TimeCommand(const std::vector<std::string>& argv, bool* ok) {
  const auto start = Clock::now();
  const pid_t pid = Spawn(argv, {});
  const int status = pid > 0 ? Reap(pid) : -1;
  const double ms = Milliseconds(Clock::now() - start);
  *ok = *ok && status == 0;
  return ms;
}

// --- The X server --------------------------------------------------------------

// An Xvfb of our own, and a connection that hears every top-level window
// being mapped.
class XServer {
 public:
  XServer() {
    int ready[2];
    if (::pipe(ready) != 0) return;
    const std::string fd = std::to_string(ready[1]);
    const pid_t pid = ::fork();
    if (pid == 0) {
      ::close(ready[0]);
      const int null = ::open("/dev/null", O_WRONLY);
      ::dup2(null, 1);
      ::dup2(null, 2);
      ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
               "-nolisten", "tcp", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(ready[1]);
    pid_ = pid;
    std::string number;
    char c = 0;
    while (::read(ready[0], &c, 1) == 1 && c != '\n') number += c;
    ::close(ready[0]);
    if (number.empty()) return;
    display_ = ":" + number;
    connection_ = xcb_connect(display_.c_str(), nullptr);
    if (xcb_connection_has_error(connection_)) return;
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    netWmName_ = Atom("_NET_WM_NAME");
    // Damage tells when a window's contents are first drawn.
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection_, &xcb_damage_id);
    if (damage != nullptr && damage->present) {
      xcb_damage_query_version_reply_t* version = xcb_damage_query_version_reply(
          connection_, xcb_damage_query_version(connection_, 1, 1), nullptr);
      damageEvent_ = version != nullptr ? damage->first_event + XCB_DAMAGE_NOTIFY : -1;
      std::free(version);
    }
    xcb_flush(connection_);
  }
  ~XServer() {
    if (connection_ != nullptr) xcb_disconnect(connection_);
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;

  bool ok() const {
    return connection_ != nullptr && !xcb_connection_has_error(connection_) && damageEvent_ >= 0;
  }
  const std::string& display() const { return display_; }

  void DropEvents() {
    xcb_flush(connection_);
    while (xcb_generic_event_t* e = xcb_poll_for_event(connection_)) std::free(e);
  }

  // Waits until a top-level window is mapped and its contents drawn for the
  // first time, and gives the moment that was heard of and the window's
  // title; false after `timeoutMs`. Every top-level window is watched for
  // damage from its creation on, so no drawing goes unseen.
  bool WaitForPaint(int timeoutMs, Clock::time_point* when, std::string* title) {
    const auto until = Clock::now() + std::chrono::milliseconds(timeoutMs);
    xcb_window_t mapped = 0;
    std::vector<std::pair<xcb_window_t, xcb_damage_damage_t>> watched;
    auto forget = [&] {
      for (const auto& w : watched) xcb_damage_destroy(connection_, w.second);
      xcb_flush(connection_);
    };
    for (;;) {
      while (xcb_generic_event_t* e = xcb_poll_for_event(connection_)) {
        const auto now = Clock::now();
        const int type = e->response_type & 0x7F;
        if (type == XCB_CREATE_NOTIFY) {
          auto* create = reinterpret_cast<xcb_create_notify_event_t*>(e);
          if (create->parent == root_ && !create->override_redirect) {
            const xcb_damage_damage_t damage = xcb_generate_id(connection_);
            xcb_damage_create(connection_, damage, create->window,
                              XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
            xcb_flush(connection_);
            watched.emplace_back(create->window, damage);
          }
        } else if (type == XCB_MAP_NOTIFY) {
          auto* map = reinterpret_cast<xcb_map_notify_event_t*>(e);
          if (map->event == root_ && !map->override_redirect && mapped == 0) {
            mapped = map->window;
            *title = Title(mapped);
          }
        } else if (type == damageEvent_) {
          auto* damage = reinterpret_cast<xcb_damage_notify_event_t*>(e);
          if (mapped != 0 && damage->drawable == mapped) {
            std::free(e);
            *when = now;
            forget();
            return true;
          }
        }
        std::free(e);
      }
      const auto left = until - Clock::now();
      if (left <= Clock::duration::zero()) {
        forget();
        return false;
      }
      pollfd p{xcb_get_file_descriptor(connection_), POLLIN, 0};
      ::poll(&p, 1, static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count()));
    }
  }

 private:
  xcb_atom_t Atom(const char* name) {
    auto cookie = xcb_intern_atom(connection_, 0, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection_, cookie, nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
  }

  std::string Title(xcb_window_t window) {
    for (const xcb_atom_t property : {netWmName_, static_cast<xcb_atom_t>(XCB_ATOM_WM_NAME)}) {
      auto cookie =
          xcb_get_property(connection_, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
      xcb_get_property_reply_t* reply = xcb_get_property_reply(connection_, cookie, nullptr);
      std::string title;
      if (reply != nullptr) {
        title.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                     static_cast<std::size_t>(xcb_get_property_value_length(reply)));
        std::free(reply);
      }
      if (!title.empty()) return title;
    }
    return std::string();
  }

  pid_t pid_ = -1;
  std::string display_;
  xcb_connection_t* connection_ = nullptr;
  xcb_window_t root_ = 0;
  xcb_atom_t netWmName_ = XCB_ATOM_NONE;
  int damageEvent_ = -1;
};

XServer& Server() {
  static XServer server;
  return server;
}

// Starts `program` on our X server and gives the time until a window titled
// `title` is mapped and painted; the program is then ended (and waited
// for: its book closed before the next round). Negative on failure.
double TimeToWindow(const std::string& program, const std::string& title, std::string* error) {
  XServer& x = Server();
  x.DropEvents();
  const auto start = Clock::now();
  const pid_t pid =
      Spawn({program}, {"DISPLAY=" + x.display(), "QT_QPA_PLATFORM=xcb", "ASAN_OPTIONS="});
  if (pid <= 0) {
    *error = "cannot start " + program;
    return -1;
  }
  Clock::time_point painted;
  std::string seen;
  const bool shown = x.WaitForPaint(20000, &painted, &seen);
  ::kill(pid, SIGTERM);
  Reap(pid);
  if (!shown) {
    *error = program + " showed no window";
    return -1;
  }
  if (seen != title) {
    *error = program + " showed \"" + seen + "\" first";
    return -1;
  }
  return Milliseconds(painted - start);
}

// --- StartupToWindow -----------------------------------------------------------

void StartupToWindow(benchmark::State& state) {
  if (!Server().ok()) {
    state.SkipWithError("Xvfb (with its Damage extension) could not be started");
    return;
  }
  const std::string program = EnvOr("CINDRAL_BENCH_PROGRAM", CINDRAL_PROGRAM);
  const double today = Today();
  struct Subject {
    std::string name;
    ProgramDir dir;
    std::vector<double> ms, ratio;  // per round; the ratio to that round's floor
  };
  // Books of `words` words in groups of 50 (from 20,000 on: 80 groups),
  // entered one group a day up to today; 4,400 words: a full course on
  // review day 5.
  auto book = [&](const std::string& name, int words, bool first) {
    const int perGroup = words >= 20000 ? words / 80 : 50;
    const int groups = words / perGroup;
    const double firstDay = words == 4400 ? today - 88 - 5 : today - (groups - 1);
    return Subject{name, MakeProgramDir(name, program, groups, perGroup, firstDay, first), {}, {}};
  };
  std::vector<Subject> subjects;
  subjects.push_back({"empty", MakeProgramDir("empty", program, 0, 0, today, false), {}, {}});
  for (const int words : {1000, 4400, 20000, 100000}) {
    subjects.push_back(book("w" + std::to_string(words), words, false));
  }
  for (const int words : {1000, 20000, 100000}) {
    subjects.push_back(book("first_w" + std::to_string(words), words, true));
  }
  std::vector<double> floor;
  std::mt19937 shuffle(12345);
  std::vector<int> order = {-1};
  for (std::size_t i = 0; i < subjects.size(); ++i) order.push_back(static_cast<int>(i));
  std::string error;
  int round = 0;
  for (auto _ : state) {
    std::shuffle(order.begin(), order.end(), shuffle);
    std::vector<double> ms(subjects.size());
    double floorMs = 0;
    for (const int which : order) {
      double t = 0;
      if (which < 0) {
        t = floorMs = TimeToWindow(CINDRAL_FLOOR_WINDOW, "Cindral floor", &error);
      } else {
        Subject& s = subjects[static_cast<std::size_t>(which)];
        state.PauseTiming();
        s.dir.Prepare();
        state.ResumeTiming();
        t = ms[static_cast<std::size_t>(which)] = TimeToWindow(s.dir.program, "Cindral 单词本", &error);
      }
      if (t < 0) {
        state.SkipWithError(error.c_str());
        return;
      }
    }
    if (round++ < kWarmUpRounds) continue;
    floor.push_back(floorMs);
    for (std::size_t i = 0; i < subjects.size(); ++i) {
      subjects[i].ms.push_back(ms[i]);
      subjects[i].ratio.push_back(ms[i] / floorMs);
    }
  }
  state.counters["floor_ms"] = Median(floor);
  for (const Subject& s : subjects) {
    state.counters[s.name + "_ms"] = Median(s.ms);
    CountRatios(state, s.name, s.ratio);
  }
}
BENCHMARK(StartupToWindow)->Iterations(Rounds() + kWarmUpRounds)->Unit(benchmark::kMillisecond);

// --- WordBookListing -------------------------------------------------------------

QApplication& Application() {
  static int argc = 1;
  static char name[] = "goals_bench";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    ::setenv("DISPLAY", Server().display().c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    return new QApplication(argc, argv);
  }();
  return *app;
}

// Resident memory in bytes.
double ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE));
}

// Shows `window` and waits until it has been painted on the screen.
bool ShowAndPaint(QWidget& window) {
  window.show();
  if (!QTest::qWaitForWindowExposed(&window, 10000)) return false;
  QCoreApplication::processEvents();
  return true;
}

void WordBookListing(benchmark::State& state) {
  if (!Server().ok()) {
    state.SkipWithError("Xvfb could not be started");
    return;
  }
  Application();
  const int words = static_cast<int>(state.range(0));
  Database db;
  if (!db.OpenDatabase(Utf8ToGbk(
          BookFile(MakeBookOf("listing" + std::to_string(words), words), "EDB")))) {
    state.SkipWithError("cannot open the word book");
    return;
  }
  std::vector<double> listing, floor, memory, filled, longestStep;
  int round = 0;
  for (auto _ : state) {
    const bool floorFirst = round % 2 == 0;
    for (int k = 0; k < 2; ++k) {
      const bool isFloor = (k == 0) == floorFirst;
      const double before = ResidentBytes();
      const auto start = Clock::now();
      std::unique_ptr<QWidget> window;
      if (isFloor) {
        window = std::make_unique<QWidget>();
        window->resize(550, 400);
        auto* box = new QPlainTextEdit(window.get());
        box->setGeometry(32, 26, 480, 320);
        box->setReadOnly(true);
      } else {
        window = std::make_unique<WordBookWindow>(db);
      }
      if (!ShowAndPaint(*window)) {
        state.SkipWithError("the window was not shown");
        return;
      }
      const double ms = Milliseconds(Clock::now() - start);
      // The listing takes its earlier lines while it is up: until the box
      // holds every line, the longest the window went without answering.
      double longest = 0;
      if (!isFloor) {
        auto* box = window->findChild<QPlainTextEdit*>();
        while (box->document()->blockCount() <= words) {
          const auto step = Clock::now();
          QCoreApplication::processEvents();
          longest = std::max(longest, Milliseconds(Clock::now() - step));
          if (Milliseconds(Clock::now() - start) > 60000) break;
        }
      }
      const double full = Milliseconds(Clock::now() - start);
      const double grown = ResidentBytes() - before;
      window.reset();
      QCoreApplication::processEvents();
      if (round < kWarmUpRounds) continue;
      (isFloor ? floor : listing).push_back(ms);
      if (!isFloor) {
        memory.push_back(grown / (1024.0 * 1024.0));
        filled.push_back(full);
        longestStep.push_back(longest);
      }
    }
    ++round;
  }
  const double floorMs = Median(floor);
  state.counters["floor_ms"] = floorMs;
  state.counters["listing_ms"] = Median(listing);
  state.counters["listing_x"] = Median(listing) / floorMs;
  state.counters["listing_MB"] = Median(memory);
  state.counters["filled_ms"] = Median(filled);
  state.counters["longest_step_ms"] = Median(longestStep);
}
BENCHMARK(WordBookListing)
    ->Arg(1000)->Arg(20000)->Arg(100000)->ArgName("words")
    ->Iterations(Rounds() + kWarmUpRounds)
    ->Unit(benchmark::kMillisecond);

// --- Dump --------------------------------------------------------------------------

void Dump(benchmark::State& state) {
  const std::string tool = EnvOr("CINDRAL_BENCH_DB_TOOL", CINDRAL_DB_TOOL);
  const int words = static_cast<int>(state.range(0));
  const std::string dir = MakeBookOf("dump" + std::to_string(words), words);
  const std::string data = BookFile(dir, "EDB");
  const std::string side = BookFile(dir, "EDT");
  std::vector<double> dump, floor, ratio;
  bool ok = true;
  int round = 0;
  for (auto _ : state) {
    const bool floorFirst = round % 2 == 0;
    double ms[2] = {0, 0};  // floor, dump
    for (int k = 0; k < 2; ++k) {
      const bool isFloor = (k == 0) == floorFirst;
      ms[isFloor ? 0 : 1] = isFloor ? TimeCommand({"/bin/cat", data, side}, &ok)
                                    : TimeCommand({tool, "dump", data}, &ok);
    }
    if (round++ < kWarmUpRounds) continue;
    floor.push_back(ms[0]);
    dump.push_back(ms[1]);
    ratio.push_back(ms[1] / ms[0]);
  }
  if (!ok) {
    state.SkipWithError("a command failed");
    return;
  }
  state.counters["cat_ms"] = Median(floor);
  state.counters["dump_ms"] = Median(dump);
  CountRatios(state, "dump", ratio);
}
BENCHMARK(Dump)
    ->Arg(1000)->Arg(20000)->Arg(100000)->ArgName("words")
    ->Iterations(Rounds() + kWarmUpRounds)
    ->Unit(benchmark::kMillisecond);

// --- WalkUnderLock -------------------------------------------------------------------

// How long a walk of every field of 20,000 records holds the whole-file
// lock: the time from taking a shared scope to letting it go, the walk
// reading each record's six fields as the listing and the dump do. Others
// wait at most this long for the book.
void WalkUnderLock(benchmark::State& state) {
  Database db;
  if (!OpenTwentyThousandWords("walk", &db)) {
    state.SkipWithError("cannot open the word book");
    return;
  }
  std::vector<double> held;
  std::size_t bytes = 0;
  int round = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    {
      WholeFileScope scope(db, WholeFileScope::Kind::Shared);
      db.GoFirst();
      const int32_t count = db.RecordCount();
      for (int32_t i = 0; i < count; ++i) {
        for (int32_t f = 1; f <= 6; ++f) bytes += db.ReadField(f).bytes().size();
        db.Skip(1);
      }
    }
    const double ms = Milliseconds(Clock::now() - start);
    if (round++ >= kWarmUpRounds) held.push_back(ms);
  }
  benchmark::DoNotOptimize(bytes);
  state.counters["held_ms"] = Median(held);
}
BENCHMARK(WalkUnderLock)->Iterations(Rounds() + kWarmUpRounds)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cindral

BENCHMARK_MAIN();
