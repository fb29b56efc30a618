// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A private copy of picture bytes with a readable stream over it, so that a
// picture is decoded from memory the stream owns.

#include <QBuffer>
#include <QByteArray>
#include <string_view>

namespace cindral {

class SkinStream {
 public:
  explicit SkinStream(std::string_view bytes);
  SkinStream(const SkinStream&) = delete;
  SkinStream& operator=(const SkinStream&) = delete;

  // Open for reading at the first byte.
  QIODevice* device() { return &buffer_; }

 private:
  QByteArray bytes_;
  QBuffer buffer_;
};

}  // namespace cindral
