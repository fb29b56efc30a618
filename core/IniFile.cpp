// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/IniFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <string_view>

#include "store/DatabaseErrors.h"
#include "store/Gbk.h"
#include "store/PosixFile.h"

namespace cindral {
namespace {

std::atomic<ProfileRenameFunction> renameFunction{nullptr};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  // A trail byte is never a blank, so trimming byte by byte cannot split a
  // two-byte character.
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Position of the first `c`, stepping over two-byte characters (a trail byte
// may equal ']' or a letter).
std::size_t FindChar(std::string_view s, char c) {
  for (std::size_t i = 0; i < s.size(); i += GbkCharLength(s, i)) {
    if (s[i] == c) return i;
  }
  return std::string_view::npos;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// ASCII letters fold; two-byte characters compare exactly as wholes.
bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size();) {
    std::size_t la = GbkCharLength(a, i);
    if (GbkCharLength(b, i) != la) return false;
    if (la == 1) {
      if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    } else if (a[i] != b[i] || a[i + 1] != b[i + 1]) {
      return false;
    }
    i += la;
  }
  return true;
}

// True when the text ends in a lead byte with no trail byte: such a name
// would swallow the ']' or '=' after it in the file.
bool EndsInDanglingLead(std::string_view s) {
  std::size_t i = 0;
  std::size_t last = 1;
  while (i < s.size()) {
    last = GbkCharLength(s, i);
    if (last == 1 && static_cast<unsigned char>(s[i]) >= 0x80) return true;
    i += last;
  }
  return false;
}

enum class LineKind { kBlank, kComment, kSection, kKey, kOther };

struct Line {
  std::size_t begin = 0;
  std::size_t contentEnd = 0;  // before the line break ("\n" or "\r\n")
  std::size_t next = 0;        // start of the following line
  bool hasNewline = false;
  LineKind kind = LineKind::kBlank;
  std::string_view name;   // section or key, trimmed
  std::string_view value;  // key lines: trimmed, quotes still on
};

Line ParseLine(std::string_view text, std::size_t begin) {
  Line line;
  line.begin = begin;
  // Lines end at '\n' byte by byte: it is never the trail of a character,
  // and junk with a lead byte before it must not join two lines.
  std::size_t end = text.find('\n', begin);
  if (end == std::string_view::npos) {
    end = text.size();
    line.next = end;
  } else {
    line.hasNewline = true;
    line.next = end + 1;
  }
  if (end > begin && text[end - 1] == '\r') --end;
  line.contentEnd = end;

  std::string_view content = Trim(text.substr(begin, end - begin));
  if (content.empty()) {
    line.kind = LineKind::kBlank;
  } else if (content.front() == ';' || content.front() == '#') {
    line.kind = LineKind::kComment;
  } else if (content.front() == '[' && FindChar(content, ']') != std::string_view::npos) {
    line.kind = LineKind::kSection;
    line.name = Trim(content.substr(1, FindChar(content, ']') - 1));
  } else if (std::size_t eq = FindChar(content, '='); eq != std::string_view::npos) {
    line.kind = LineKind::kKey;
    line.name = Trim(content.substr(0, eq));
    line.value = Trim(content.substr(eq + 1));
  } else {
    line.kind = LineKind::kOther;
  }
  return line;
}

struct Lookup {
  bool sectionFound = false;
  bool keyFound = false;
  Line key;     // the key's line when found
  Line anchor;  // the section's header or its last entry: a new key goes after it
};

// Finds the first section named `section` and the first `key` in it.
Lookup Find(std::string_view text, std::string_view section, std::string_view key) {
  Lookup found;
  bool inSection = false;
  for (std::size_t pos = 0; pos < text.size();) {
    Line line = ParseLine(text, pos);
    pos = line.next;
    if (line.kind == LineKind::kSection) {
      if (inSection) break;  // the first matching section has ended
      if (EqualNoCase(line.name, section)) {
        found.sectionFound = true;
        found.anchor = line;
        inSection = true;
      }
    } else if (inSection && (line.kind == LineKind::kKey || line.kind == LineKind::kOther)) {
      found.anchor = line;
      if (line.kind == LineKind::kKey && EqualNoCase(line.name, key)) {
        found.keyFound = true;
        found.key = line;
        break;
      }
    }
  }
  return found;
}

bool ValidSection(std::string_view section) {
  return !section.empty() && section.find_first_of("\r\n") == std::string_view::npos &&
         FindChar(section, ']') == std::string_view::npos && !EndsInDanglingLead(section);
}

bool ValidKey(std::string_view key) {
  return !key.empty() && key.find_first_of("\r\n") == std::string_view::npos &&
         key.front() != ';' && key.front() != '#' && key.front() != '[' &&
         FindChar(key, '=') == std::string_view::npos && !EndsInDanglingLead(key);
}

bool ValidEntry(const std::string& section, const std::string& key, const std::string& value) {
  return ValidSection(Trim(section)) && ValidKey(Trim(key)) &&
         value.find_first_of("\r\n") == std::string::npos;
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

bool WrappedInQuotes(std::string_view v) {
  return v.size() >= 2 && IsQuote(v.front()) && v.back() == v.front();
}

// The longest prefix of at most maxBytes that does not split a character.
std::string_view CutToCharacters(std::string_view s, std::size_t maxBytes) {
  if (s.size() <= maxBytes) return s;
  std::size_t i = 0;
  while (i < s.size()) {
    std::size_t length = GbkCharLength(s, i);
    if (i + length > maxBytes) break;
    i += length;
  }
  return s.substr(0, i);
}

enum class FileState { kMissing, kUnreadable, kRead };

struct FileContents {
  FileState state = FileState::kMissing;
  std::string text;
  struct stat info {};
};

// Reads a regular file whole. Anything else (a directory, a pipe, a device)
// counts as unreadable: opening without blocking keeps a pipe from hanging us.
FileContents ReadWholeFile(const std::string& osPath) {
  FileContents file;
  int fd = open(osPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    file.state = (errno == ENOENT) ? FileState::kMissing : FileState::kUnreadable;
    return file;
  }
  file.state = FileState::kUnreadable;
  if (fstat(fd, &file.info) == 0 && S_ISREG(file.info.st_mode)) {
    if (file.info.st_size > 0) file.text.reserve(static_cast<std::size_t>(file.info.st_size));
    char buffer[65536];
    for (;;) {
      ssize_t n = read(fd, buffer, sizeof buffer);
      if (n > 0) {
        file.text.append(buffer, static_cast<std::size_t>(n));
      } else if (n == 0) {
        file.state = FileState::kRead;
        break;
      } else if (errno != EINTR) {
        break;
      }
    }
  }
  close(fd);
  if (file.state != FileState::kRead) file.text.clear();
  return file;
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t n = write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// The directory of a path and the file's name in it.
struct PathParts {
  std::string prefix;     // the directory with its trailing '/', or empty
  std::string base;       // the file's name
  std::string directory;  // the directory to open ("." for none)
};

PathParts SplitPath(const std::string& osPath) {
  const std::size_t slash = osPath.rfind('/');
  PathParts parts;
  parts.prefix = (slash == std::string::npos) ? "" : osPath.substr(0, slash + 1);
  parts.base = osPath.substr(parts.prefix.size());
  parts.directory = parts.prefix.empty() ? "." : parts.prefix;
  return parts;
}

// The temporary files of ReplaceFile that writers killed halfway left
// beside the file. Called under the directory's lock: every writer holds it
// while its temporary file exists, so any such file found then is stale.
void RemoveStaleTemporaryFiles(const PathParts& parts) {
  const std::string start = "." + parts.base + ".";
  if (DIR* dir = opendir(parts.directory.c_str())) {
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name.size() > start.size() + 4 && name.compare(0, start.size(), start) == 0 &&
          name.compare(name.size() - 4, 4, ".tmp") == 0) {
        unlink((parts.prefix + name).c_str());
      }
    }
    closedir(dir);
  }
}

// Writes `text` to a new file beside `osPath` and renames it over `osPath`,
// so that a crash or a full disk leaves either the old file or the new one.
bool ReplaceFile(const std::string& osPath, std::string_view text, const FileContents& old) {
  const PathParts parts = SplitPath(osPath);
  const std::string& prefix = parts.prefix;
  const std::string& base = parts.base;
  const std::string& directory = parts.directory;

  static std::atomic<unsigned> counter{0};
  const auto seed =
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  std::string tempPath;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    tempPath = prefix + "." + base + "." + std::to_string(getpid()) + "." +
               std::to_string(seed % 1000000) + "." + std::to_string(counter++) + ".tmp";
    // A new file gets the usual 0666 less the umask; a replacement starts
    // private and takes the old file's bits before any byte is written.
    fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
              old.state == FileState::kRead ? 0600 : 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;

  bool ok = true;
  if (old.state == FileState::kRead) {
    ok = fchmod(fd, old.info.st_mode & 07777) == 0;
    if (ok && (old.info.st_uid != geteuid() || old.info.st_gid != getegid())) {
      // Only root can give the file back to its owner; others keep their own.
      (void)!fchown(fd, old.info.st_uid, old.info.st_gid);
    }
  }
  ok = ok && WriteAll(fd, text) && fsync(fd) == 0;
  ok = (close(fd) == 0) && ok;
  if (ok) {
    ProfileRenameFunction move = renameFunction.load();
    ok = (move ? move : &::rename)(tempPath.c_str(), osPath.c_str()) == 0;
  }
  if (!ok) {
    unlink(tempPath.c_str());
    return false;
  }
  // Makes the rename itself survive a crash.
  int dirFd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    fsync(dirFd);
    close(dirFd);
  }
  return true;
}

// The file actually written: a symbolic link is followed, so that the link
// stays and its target gets the new contents.
std::string TargetPath(const std::string& osPath) {
  struct stat info {};
  if (lstat(osPath.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    if (char* resolved = realpath(osPath.c_str(), nullptr)) {
      std::string target(resolved);
      free(resolved);
      return target;
    }
  }
  return osPath;
}

}  // namespace

void SetProfileRenameForTesting(ProfileRenameFunction function) { renameFunction = function; }

std::string ReadProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& fallback,
                              std::size_t bufferSize) {
  if (bufferSize == 0) return std::string();
  const std::size_t maxBytes = bufferSize - 1;
  std::string_view wantedSection = Trim(section);
  std::string_view wantedKey = Trim(key);
  if (wantedSection.empty() || wantedKey.empty()) {
    return std::string(CutToCharacters(fallback, maxBytes));
  }
  FileContents file = ReadWholeFile(GbkToUtf8(path));
  Lookup found = Find(file.text, wantedSection, wantedKey);
  if (!found.keyFound) return std::string(CutToCharacters(fallback, maxBytes));
  std::string_view value = found.key.value;
  if (WrappedInQuotes(value)) value = value.substr(1, value.size() - 2);
  return std::string(CutToCharacters(value, maxBytes));
}

bool EditProfileText(const std::string& text, const std::string& section, const std::string& key,
                     const std::string& value, std::string* updated) {
  if (!ValidEntry(section, key, value)) return false;
  std::string_view wantedSection = Trim(section);
  std::string_view wantedKey = Trim(key);

  // Values that the reader would trim or unquote go inside quotes.
  std::string stored;
  if (!value.empty() &&
      (IsBlank(value.front()) || IsBlank(value.back()) || WrappedInQuotes(value))) {
    stored = "\"" + value + "\"";
  } else {
    stored = value;
  }

  // New lines follow the file's own line breaks: those of its first line.
  std::size_t firstBreak = text.find('\n');
  const std::string eol =
      (firstBreak != std::string::npos && firstBreak > 0 && text[firstBreak - 1] == '\r') ? "\r\n"
                                                                                          : "\n";
  // Completes a last line that has no line break before more is added.
  auto terminated = [&](std::size_t end) -> std::string {
    if (end == 0 || text[end - 1] == '\n') return std::string();
    return text[end - 1] == '\r' ? "\n" : eol;
  };

  Lookup found = Find(text, wantedSection, wantedKey);
  std::string out;
  if (found.keyFound) {
    const Line& line = found.key;
    out.reserve(text.size() + stored.size() + 8);
    out.append(text, 0, line.begin);
    out.append(line.name).append("=").append(stored);
    out.append(text, line.contentEnd, std::string::npos);
  } else if (found.sectionFound) {
    const std::size_t at = found.anchor.next;
    out.reserve(text.size() + wantedKey.size() + stored.size() + 8);
    out.append(text, 0, at);
    out.append(terminated(at));
    out.append(wantedKey).append("=").append(stored).append(eol);
    out.append(text, at, std::string::npos);
  } else {
    out = text;
    out.append(terminated(text.size()));
    out.append("[").append(wantedSection).append("]").append(eol);
    out.append(wantedKey).append("=").append(stored).append(eol);
  }
  *updated = std::move(out);
  return true;
}

std::string ProfileTargetPath(const std::string& path) {
  return Utf8ToGbk(TargetPath(GbkToUtf8(path)));
}

bool WriteProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
  if (!ValidEntry(section, key, value)) return false;
  const std::string osPath = TargetPath(GbkToUtf8(path));
  // From the read to the rename nobody else writes, so no update is lost.
  const PathParts parts = SplitPath(osPath);
  // The lock that every writer of the folder's files takes, in this process
  // or another (the word book's changes that carry the settings take it
  // too); the file itself is replaced at every write, so a lock on it would
  // go with the old file.
  std::unique_ptr<HeldLock> lock;
  if (PosixFile::LockDirectoryOf(Utf8ToGbk(osPath), &lock) == kErrLockViolation) return false;
  RemoveStaleTemporaryFiles(parts);
  FileContents file = ReadWholeFile(osPath);
  if (file.state == FileState::kUnreadable) return false;
  std::string updated;
  EditProfileText(file.text, section, key, value, &updated);
  if (file.state == FileState::kRead && updated == file.text) return true;  // nothing to change
  return ReplaceFile(osPath, updated, file);
}

}  // namespace cindral
