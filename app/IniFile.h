#pragma once
// Private-profile (INI) reading and writing over one file. Sections and keys
// match without regard to ASCII case; values are their exact bytes (GBK).
// Paths are GBK like every text of the core.

#include <string>

namespace cindral {

// The value of `key` in `section`, or `fallback` when the file, the section
// or the key is missing. At most bufferSize - 1 bytes are returned.
std::string ReadProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& fallback = "",
                              std::size_t bufferSize = 10240);

// Stores `value`, creating the file, the section or the key as needed and
// leaving every other line as it was. The file is replaced atomically.
// Returns false when the file could not be written.
bool WriteProfileString(const std::string& path, const std::string& section,
                        const std::string& key, const std::string& value);

}  // namespace cindral
