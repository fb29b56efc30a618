// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the command-line tools report a code of the engine.

#include <cstdint>
#include <cstdio>

#include "store/Database.h"
#include "store/Gbk.h"

namespace cindral {

// "error CODE TEXT" on standard error; returns the tool's exit status 1.
inline int Fail(int32_t code) {
  std::fprintf(stderr, "error %d %s\n", static_cast<int>(code),
               GbkToUtf8(DatabaseErrorText(code)).c_str());
  return 1;
}

}  // namespace cindral
