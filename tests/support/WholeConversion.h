// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system converter's own answer for a text it takes whole, for tests
// that hold the program's conversions against it; nothing when it refuses
// a byte.

#include <iconv.h>

#include <optional>
#include <string>
#include <string_view>

namespace cindral::testing {

inline std::optional<std::string> ConvertWhole(const char* to, const char* from,
                                               std::string_view bytes) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(bytes.size() * 4 + 8, '\0');
  char* src = const_cast<char*>(bytes.data());
  size_t srcLeft = bytes.size();
  char* dst = out.data();
  size_t dstLeft = out.size();
  const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1)) return std::nullopt;
  out.resize(out.size() - dstLeft);
  return out;
}

}  // namespace cindral::testing
