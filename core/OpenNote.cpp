// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/OpenNote.h"

#include <unistd.h>

#include <cstdio>
#include <utility>

#include "core/IniFile.h"
#include "core/WholeFiles.h"
#include "store/DateTime.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

constexpr const char* kSection = "Open";

constexpr const char* kTimeFormat = "%04d-%02d-%02d %02d:%02d:%02d";

// A time as kTimeFormat writes it; 0 for anything else.
double ParseTime(const std::string& text) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
  char end = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s, &end) != 6 ||
      y < 1900 || y > 9999 || mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 59 ||
      h < 0 || mi < 0 || s < 0) {
    return 0;
  }
  return MakeDateTime(y, mo, d, h, mi, s);
}

}  // namespace

OpenNote::OpenNote(const std::string& directory, std::string host, std::string computerId)
    : path_(directory + "/" + GBK("单词本") + ".EDB-open"),
      host_(std::move(host)),
      id_(std::move(computerId)) {}

bool OpenNote::Read(OpenNoteContent* content) const {
  if (::access(GbkToUtf8(path_).c_str(), F_OK) != 0) return false;
  content->host = ReadProfileString(path_, kSection, "host");
  content->id = ReadProfileString(path_, kSection, "id");
  content->since = ParseTime(ReadProfileString(path_, kSection, "since"));
  content->refreshed = ParseTime(ReadProfileString(path_, kSection, "refreshed"));
  return !content->id.empty();
}

bool OpenNote::OpenElsewhere(double now, OpenNoteContent* other) const {
  OpenNoteContent note;
  if (!Read(&note) || note.id == id_) return false;
  // Refreshed within the last day (a clock a little ahead of this one's
  // still counts as fresh).
  if (note.refreshed == 0 || now - note.refreshed >= 1 || note.refreshed - now >= 1) return false;
  *other = std::move(note);
  return true;
}

bool OpenNote::Write(double now) {
  const double since = since_ != 0 ? since_ : now;
  std::string text = "[Open]\r\n";
  text += "host=" + host_ + "\r\n";
  text += "id=" + id_ + "\r\n";
  text += "since=" + DateTimeText(since, kTimeFormat) + "\r\n";
  text += "refreshed=" + DateTimeText(now, kTimeFormat) + "\r\n";
  if (!WriteFileWhole(GbkToUtf8(path_), text)) return false;
  since_ = since;
  return true;
}

void OpenNote::Remove() {
  OpenNoteContent note;
  if (since_ == 0 || !Read(&note) || note.id != id_) return;
  const std::string path = GbkToUtf8(path_);
  if (::unlink(path.c_str()) == 0) SyncDirectory(path.substr(0, path.rfind('/')));
}

}  // namespace cindral
