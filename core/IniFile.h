// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Private-profile (INI) reading and writing over one file. Sections and keys
// match without regard to ASCII case; values are their exact bytes (GBK).
// Paths are GBK like every text of the core.
//
// The file, line by line (LF or CRLF):
//   [section]          blanks inside the brackets are ignored; text after ']' too
//   key = value        blanks around the key, the '=' and the value are ignored
//   ; comment          also "# comment"; kept as they are
// A value wrapped in a pair of matching quotes ("..." or '...') is read
// without them. The first of duplicate sections, and the first of duplicate
// keys within it, is the one read and written.

#include <string>

namespace cindral {

// The value of `key` in `section`, or `fallback` when the file, the section
// or the key is missing. At most bufferSize - 1 bytes are returned (never
// half a two-byte character); a file that cannot be read reads as empty.
std::string ReadProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& fallback = "",
                              std::size_t bufferSize = 10240);

// Stores `value`, creating the file, the section or the key as needed and
// leaving every other line as it was. The file is replaced atomically, and
// the read, the change and the replacement hold a lock on the file's
// directory, so that two writers (two programs, or a program and a tool)
// never lose each other's updates. Returns false when the file could not be
// written, or another writer held the lock for more than two seconds.
//
// An existing key's line becomes "key=value" (the key spelled as in the
// file); a new key goes after the last entry of its section, a new section
// at the end of the file. A value with blanks at either end, or one that is
// itself wrapped in matching quotes, is written inside double quotes so that
// it reads back exactly. Refused (false): an empty section or key, a line
// break in any of the three, ']' in the section, '=' in the key or a key
// starting with ';', '#' or '[', and an existing file that cannot be read
// (it is left alone rather than replaced by one holding only this value).
bool WriteProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value);

// The change WriteProfileString makes, on the text of a file: `*updated`
// is `text` with `value` stored (as above). False for the refused
// sections, keys and values.
bool EditProfileText(const std::string& text, const std::string& section, const std::string& key,
                     const std::string& value, std::string* updated);

// The file a write to `path` replaces (GBK): a symbolic link followed.
std::string ProfileTargetPath(const std::string& path);

// Test seam: the call that moves the finished temporary file over the old
// one (rename() when null). Lets tests make that last step fail.
using ProfileRenameFunction = int (*)(const char* from, const char* to);
void SetProfileRenameForTesting(ProfileRenameFunction function);

}  // namespace cindral
