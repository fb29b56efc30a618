// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A tool that reads a book through mappings of its files (see
// RecordFile::ReadThroughMappings) holds a guard for as long as it does.
// The whole-file lock keeps every program of the book from changing the
// files meanwhile, but a program that ignores the lock may still cut one
// short: a read of the bytes it cut off then faults (SIGBUS). While a guard
// lives, that fault ends the process with a message on standard error and
// exit status 1, the status of a book that cannot be read, instead of a
// crash. Nothing has been written out by then: a tool reads under the lock
// and writes after it.

#include <csignal>

namespace cindral {

class CutShortGuard {
 public:
  CutShortGuard();
  ~CutShortGuard();
  CutShortGuard(const CutShortGuard&) = delete;
  CutShortGuard& operator=(const CutShortGuard&) = delete;

 private:
  struct sigaction before_ {};
};

}  // namespace cindral
