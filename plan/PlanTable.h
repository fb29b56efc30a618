// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plan table file: line N lists the groups due on the day whose newest
// group is N, as decimal numbers separated by single spaces.

#include <cstdint>
#include <string>
#include <vector>

namespace cindral {

constexpr int32_t kPlanTableRows = 88;

// "艾宾浩斯.txt" (GBK), resolved against the current directory.
const std::string& PlanTableFileName();

// The pieces of line `lineNumber` (1..88) split at each space. Empty when
// the number is out of range, the file has fewer lines, or it cannot be
// read. Lines end at a line feed (a carriage return right before it is
// dropped), a NUL or a Ctrl-Z.
std::vector<std::string> ReadPlanLine(const std::string& path, int32_t lineNumber);

}  // namespace cindral
