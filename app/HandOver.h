// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One program a word book: the program running on a data folder holds a
// lock file and listens on a local socket beside it, both in the user's
// runtime folder and named after the data folder, so that the programs of
// two data folders never meet. `cindral --add` hands its word over there;
// when nobody answers and it can take the lock, it is the program itself.
//
// The lock, not the socket file, says whether a program runs: a program
// that was killed leaves its socket file behind, but the system lets go of
// its lock, and the next program takes the lock and replaces the file.
//
// A request is one line, "add", the word and the meaning apart by tabs
// (UTF-8; the texts are one line each, without tabs: CommandLine::OneLine);
// the answer is one line, "taken", or "refused" and why after a tab. No Qt:
// the side that asks runs before any toolkit starts.

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace cindral {

struct HandOverPlace {
  std::string socket;  // empty: no safe runtime folder, nothing is handed over
  std::string lock;
};

// The place for the data folder `dataDirectory` (UTF-8): in `runtimeDir`
// ($XDG_RUNTIME_DIR) when it is an absolute path to a folder of this user,
// else in a folder of this user's own, /tmp/cindral-UID, made on the way
// and used only when nobody else can reach into it.
HandOverPlace HandOverPlaceFor(const std::string& dataDirectory, const char* runtimeDir);

// The lock of a data folder's program, held until the object goes (the
// program's end, which removes the file, or its death, which leaves it).
class ProgramLock {
 public:
  ProgramLock() = default;
  ~ProgramLock();
  ProgramLock(const ProgramLock&) = delete;
  ProgramLock& operator=(const ProgramLock&) = delete;

  // Takes the lock at `path`, without waiting; false when another program
  // holds it, or the file cannot be made.
  bool Take(const std::string& path);
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
  std::string path_;
};

struct HandOverAnswer {
  bool taken = false;
  std::string why;  // UTF-8, one line: why the word was not taken
};

// The longest request and answer, in bytes: the longest word and meaning
// the command line takes, with room to spare.
constexpr std::size_t kLongestHandOver = 4096;

std::string WordRequest(const std::string& word, const std::string& meaning);
// The word and the meaning of a whole request (its line break included);
// nothing when the bytes are no request.
std::optional<std::pair<std::string, std::string>> ReadWordRequest(std::string_view bytes);
std::string AnswerLine(const HandOverAnswer& answer);
std::optional<HandOverAnswer> ReadAnswer(std::string_view bytes);

enum class HandOverResult {
  kNoProgram,  // nothing listens at the socket (no file, or one left behind)
  kAnswered,   // the running program answered
  kNoAnswer,   // a program listens but did not answer within the limit
};

// Hands the word (UTF-8) to the program listening at `socket`, waiting at
// most `limit` for its answer.
HandOverResult HandWordOver(const std::string& socket, const std::string& word,
                            const std::string& meaning, std::chrono::milliseconds limit,
                            HandOverAnswer* answer);

// `cindral --add`: hands the word (UTF-8) to the program running on the
// data folder of `place` and returns the exit status: 0 when it took the
// word, 1 when it refused (why on `err`) or did not answer. Nothing when no
// program runs and this one took `lock` (it is the program now), or when
// nothing can be handed over here: this one starts with the word itself.
// A program that holds the lock but does not listen yet is starting: it is
// asked again until `patience` has passed.
std::optional<int> HandOverFromCommandLine(
    const HandOverPlace& place, const std::string& word, const std::string& meaning,
    ProgramLock* lock, std::FILE* err,
    std::chrono::milliseconds patience = std::chrono::seconds(20));

}  // namespace cindral
