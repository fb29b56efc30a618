// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The files tests, fuzzers and benchmarks put under the engine (failing,
// slow, counting) wrap a file the way the engine's own do, overriding only
// the calls they change.

#include "store/ForwardingFile.h"

namespace cindral::testing {

using ForwardingFile = cindral::ForwardingFile;

}  // namespace cindral::testing
