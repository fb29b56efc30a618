// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/CutShortGuard.h"

#include <unistd.h>

namespace cindral {
namespace {

void ReportCutShort(int) {
  static constexpr char kMessage[] =
      "the book was cut short by another program while it was read\n";
  // Only calls that are safe in a signal handler.
  ssize_t unused = ::write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
  (void)unused;
  ::_exit(1);
}

}  // namespace

CutShortGuard::CutShortGuard() {
  struct sigaction action {};
  action.sa_handler = ReportCutShort;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGBUS, &action, &before_);
}

CutShortGuard::~CutShortGuard() { ::sigaction(SIGBUS, &before_, nullptr); }

}  // namespace cindral
