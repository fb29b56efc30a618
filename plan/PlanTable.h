// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plan table file: line N lists the groups due on the day whose newest
// group is N, as decimal numbers separated by single spaces.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace cindral {

constexpr int32_t kPlanTableRows = 88;

// "艾宾浩斯.txt" (GBK), resolved against the current directory.
const std::string& PlanTableFileName();

// The bytes of the file that are read: 88 lines that each list every
// group a few times take a tenth of this. Whatever lies past it is left
// unread (with a note on standard error), so that a huge or binary file in
// the table's place costs no more than this.
constexpr std::size_t kPlanTableByteLimit = 1u << 20;

// The pieces of line `lineNumber` (1..88) split at each space. Empty when
// the number is out of range, the file has fewer lines, or it cannot be
// read (also when it is not a regular file). Lines end at a line feed (a
// carriage return right before it is dropped), a NUL or a Ctrl-Z.
std::vector<std::string> ReadPlanLine(const std::string& path, int32_t lineNumber);

}  // namespace cindral
