// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// cindral-db dump: every record of a book on one line of standard output.

#include <string>
#include <string_view>

namespace cindral {

// Prints the book's records (FILE in UTF-8): record number, record id and
// each field, separated by tabs, with tabs, line breaks and backslashes
// inside a value escaped. Exits with 1 when the book cannot be opened, a
// value cannot be read (after every line; each such record is named on
// standard error after its line), another program cuts the book short
// while it is read, or the lines cannot be written out.
int Dump(const std::string& file);

// Appends a value as a line of the tool shows it: GBK text as UTF-8, with
// tabs, line breaks and backslashes escaped. `scratch` keeps its memory
// from one value to the next.
void AppendEscaped(std::string* out, std::string_view gbk, std::string* scratch);

}  // namespace cindral
