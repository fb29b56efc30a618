// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "draw/SkinStream.h"

namespace cindral {

SkinStream::SkinStream(std::string_view bytes)
    : bytes_(bytes.data(), static_cast<qsizetype>(bytes.size())) {
  buffer_.setBuffer(&bytes_);
  buffer_.open(QIODevice::ReadOnly);
}

}  // namespace cindral
