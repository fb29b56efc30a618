// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The note beside the book that says a program has it open, on which
// computer and since when: "单词本.EDB-open". The file locks keep two
// programs on one computer apart, but a book in a folder that a sync tool
// shares between computers has no such guard; the note is how a start on
// one computer learns that the book is open on another.
//
// The note names the computer (its host name and the random id kept in the
// learner's configuration, see UserConfiguration.h) and holds two local
// times: when the program opened the book, and when it last refreshed the
// note (every kRefreshMilliseconds while it runs). A note not refreshed for
// a day is a program that ended without removing it (killed, or the power
// failed): it is ignored, as is a note of this computer's own. The note is
// GBK text in the settings file's form, written whole.

#include <string>

namespace cindral {

struct OpenNoteContent {
  std::string host;  // GBK
  std::string id;
  double since = 0;  // local date-time values
  double refreshed = 0;
};

class OpenNote {
 public:
  static constexpr int kRefreshMilliseconds = 60 * 60 * 1000;

  // The note in `directory` (GBK) for this computer.
  OpenNote(const std::string& directory, std::string host, std::string computerId);
  OpenNote(const OpenNote&) = delete;
  OpenNote& operator=(const OpenNote&) = delete;

  const std::string& path() const { return path_; }

  // Whether another computer's fresh note lies there (refreshed less than a
  // day before `now`); `*other` then holds it.
  bool OpenElsewhere(double now, OpenNoteContent* other) const;
  // Writes this computer's note, opened at the first write; a later write
  // refreshes it. False when it cannot be written.
  bool Write(double now);
  // Removes the note at a clean close, when it is still this computer's.
  void Remove();

 private:
  bool Read(OpenNoteContent* content) const;

  std::string path_;
  std::string host_;
  std::string id_;
  double since_ = 0;  // 0 until the first write
};

}  // namespace cindral
