// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HandOver.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace cindral {

namespace {

// A folder of this user's that nobody else can enter (not a link).
bool IsPrivateFolder(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
         (st.st_mode & 077) == 0;
}

std::string RuntimeFolder(const char* runtimeDir) {
  if (runtimeDir != nullptr && runtimeDir[0] == '/' && IsPrivateFolder(runtimeDir)) {
    return runtimeDir;
  }
  const std::string own = "/tmp/cindral-" + std::to_string(::geteuid());
  if (::mkdir(own.c_str(), 0700) != 0 && errno != EEXIST) return {};
  return IsPrivateFolder(own) ? own : std::string();
}

// The data folder's name in the runtime folder: FNV-1a of its real path, so
// that two spellings of one folder meet and two folders never do.
std::string FolderName(const std::string& dataDirectory) {
  std::string path = dataDirectory;
  if (char* real = ::realpath(dataDirectory.c_str(), nullptr)) {
    path = real;
    std::free(real);
  }
  uint64_t hash = 14695981039346656037ull;
  for (const char c : path) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  char name[32];
  std::snprintf(name, sizeof name, "cindral-%016llx", static_cast<unsigned long long>(hash));
  return name;
}

// Everything up to the first line break; nothing without one.
std::optional<std::string_view> FirstLine(std::string_view bytes) {
  const std::size_t end = bytes.find('\n');
  if (end == std::string_view::npos || end + 1 != bytes.size()) return std::nullopt;
  return bytes.substr(0, end);
}

}  // namespace

HandOverPlace HandOverPlaceFor(const std::string& dataDirectory, const char* runtimeDir) {
  const std::string folder = RuntimeFolder(runtimeDir);
  if (folder.empty()) return {};
  const std::string base = folder + "/" + FolderName(dataDirectory);
  // A socket's path has a fixed room in the system's address.
  if (base.size() + 7 >= sizeof(sockaddr_un{}.sun_path)) return {};
  return {base + ".socket", base + ".lock"};
}

ProgramLock::~ProgramLock() {
  if (fd_ < 0) return;
  // Removed while still held: whoever opened the file meanwhile finds it
  // gone once it has the lock, and opens a new one (Take).
  ::unlink(path_.c_str());
  ::close(fd_);
}

bool ProgramLock::Take(const std::string& path) {
  if (fd_ >= 0) return true;
  for (int tries = 0; tries < 3; ++tries) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      return false;
    }
    // The lock counts only on the file that is at the path now: the one
    // opened may have been removed by the program that held it last.
    struct stat held {};
    struct stat named {};
    if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
        held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
      fd_ = fd;
      path_ = path;
      return true;
    }
    ::close(fd);
  }
  return false;
}

std::string WordRequest(const std::string& word, const std::string& meaning) {
  return "add\t" + word + "\t" + meaning + "\n";
}

std::optional<std::pair<std::string, std::string>> ReadWordRequest(std::string_view bytes) {
  const auto line = FirstLine(bytes);
  if (!line || line->substr(0, 4) != "add\t") return std::nullopt;
  const std::string_view rest = line->substr(4);
  const std::size_t tab = rest.find('\t');
  if (tab == std::string_view::npos || rest.find('\t', tab + 1) != std::string_view::npos) {
    return std::nullopt;
  }
  return std::pair(std::string(rest.substr(0, tab)), std::string(rest.substr(tab + 1)));
}

std::string AnswerLine(const HandOverAnswer& answer) {
  if (answer.taken) return "taken\n";
  std::string why = answer.why;
  for (char& c : why) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return "refused\t" + why + "\n";
}

std::optional<HandOverAnswer> ReadAnswer(std::string_view bytes) {
  const auto line = FirstLine(bytes);
  if (!line) return std::nullopt;
  if (*line == "taken") return HandOverAnswer{true, {}};
  if (line->substr(0, 8) == "refused\t") return HandOverAnswer{false, std::string(line->substr(8))};
  return std::nullopt;
}

HandOverResult HandWordOver(const std::string& socketPath, const std::string& word,
                            const std::string& meaning, std::chrono::milliseconds limit,
                            HandOverAnswer* answer) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (socketPath.empty() || socketPath.size() >= sizeof address.sun_path) {
    return HandOverResult::kNoProgram;
  }
  socketPath.copy(address.sun_path, socketPath.size());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return HandOverResult::kNoProgram;
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  // A file left by a program that died refuses the connection; no file,
  // no program.
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    return HandOverResult::kNoProgram;
  }
  const std::string request = WordRequest(word, meaning);
  for (std::size_t sent = 0; sent < request.size();) {
    const ssize_t n = ::send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return HandOverResult::kNoAnswer;
    sent += static_cast<std::size_t>(n);
  }
  const auto end = std::chrono::steady_clock::now() + limit;
  std::string received;
  while (received.find('\n') == std::string::npos && received.size() < kLongestHandOver) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        end - std::chrono::steady_clock::now());
    if (left.count() <= 0) return HandOverResult::kNoAnswer;
    pollfd p{fd, POLLIN, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(std::min<long long>(left.count(), INT_MAX)));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return HandOverResult::kNoAnswer;
    char buffer[512];
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return HandOverResult::kNoAnswer;
    received.append(buffer, static_cast<std::size_t>(n));
  }
  const auto read = ReadAnswer(received.substr(0, received.find('\n') + 1));
  if (!read) return HandOverResult::kNoAnswer;
  *answer = *read;
  return HandOverResult::kAnswered;
}

std::optional<int> HandOverFromCommandLine(const HandOverPlace& place, const std::string& word,
                                           const std::string& meaning, ProgramLock* lock,
                                           std::FILE* err, std::chrono::milliseconds patience) {
  if (place.socket.empty()) return std::nullopt;
  const auto end = std::chrono::steady_clock::now() + patience;
  for (;;) {
    HandOverAnswer answer;
    switch (HandWordOver(place.socket, word, meaning, std::chrono::seconds(10), &answer)) {
      case HandOverResult::kAnswered:
        if (answer.taken) return 0;
        std::fprintf(err, "cindral: %s\n", answer.why.c_str());
        return 1;
      case HandOverResult::kNoAnswer:
        std::fputs("cindral: the program running on this word book did not answer\n", err);
        return 1;
      case HandOverResult::kNoProgram:
        break;
    }
    if (lock->Take(place.lock)) return std::nullopt;
    if (std::chrono::steady_clock::now() >= end) {
      std::fputs("cindral: the program running on this word book does not listen\n", err);
      return 1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

}  // namespace cindral
