// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/UserConfiguration.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>

#include "core/IniFile.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

bool IsId(const std::string& id) {
  if (id.size() != 32) return false;
  for (const char c : id) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

std::string NewId() {
  unsigned char bytes[16] = {};
  bool random = false;
  const int fd = ::open("/dev/urandom", O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    random = ::read(fd, bytes, sizeof bytes) == static_cast<ssize_t>(sizeof bytes);
    ::close(fd);
  }
  if (!random) {
    std::random_device device;
    std::mt19937_64 mix(
        device() ^
        static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    for (unsigned char& b : bytes) b = static_cast<unsigned char>(mix());
  }
  std::string id;
  for (const unsigned char b : bytes) {
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02x", b);
    id += hex;
  }
  return id;
}

// Makes `path` and the folders above it, readable by the learner only.
bool MakeFolders(const std::string& utf8Path) {
  for (std::size_t slash = 1; slash != std::string::npos;) {
    slash = utf8Path.find('/', slash + 1);
    const std::string folder = utf8Path.substr(0, slash);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  struct stat st;
  return ::stat(utf8Path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::string UserConfigDirectory(const char* xdgConfigHome, const char* home) {
  if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') {
    return Utf8ToGbk(std::string(xdgConfigHome) + "/cindral");
  }
  if (home != nullptr && home[0] == '/') return Utf8ToGbk(std::string(home) + "/.config/cindral");
  return std::string();
}

ComputerIdentity ThisComputer(const std::string& configDirectory) {
  ComputerIdentity me;
  char host[256] = {};
  if (::gethostname(host, sizeof host - 1) == 0) me.host = Utf8ToGbk(host);
  if (me.host.empty()) me.host = "?";
  const std::string file = configDirectory + "/cindral.ini";
  if (!configDirectory.empty()) {
    me.id = ReadProfileString(file, "Computer", "id");
    if (IsId(me.id)) return me;
  }
  me.id = NewId();
  if (configDirectory.empty() || !MakeFolders(GbkToUtf8(configDirectory)) ||
      !WriteProfileString(file, "Computer", "id", me.id)) {
    std::fprintf(stderr, "cindral: this computer's id cannot be kept in %s/cindral.ini (%s)\n",
                 GbkToUtf8(configDirectory).c_str(), std::strerror(errno));
  }
  return me;
}

std::string ChosenDataFolder(const std::string& configDirectory) {
  if (configDirectory.empty()) return std::string();
  const std::string folder = ReadProfileString(configDirectory + "/cindral.ini", "Data", "folder");
  return !folder.empty() && folder[0] == '/' ? folder : std::string();
}

bool KeepChosenDataFolder(const std::string& configDirectory, const std::string& folder) {
  if (configDirectory.empty()) {
    errno = ENOENT;
    return false;
  }
  return MakeFolders(GbkToUtf8(configDirectory)) &&
         WriteProfileString(configDirectory + "/cindral.ini", "Data", "folder", folder);
}

}  // namespace cindral
