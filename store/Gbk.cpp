// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Gbk.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace cindral {
namespace {

// One conversion descriptor per direction and thread, opened on first use:
// opening one costs more than converting a line.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Runs iconv over the whole input; each undecodable byte is skipped and
// replaced by `replacement` (already in the target encoding).
std::string Convert(const Converter& converter, std::string_view in, std::string_view replacement) {
  // Both encodings write ASCII as it is.
  if (IsAscii(in) || !converter.ok()) return std::string(in);
  iconv_t cd = converter.get();
  // A conversion cut short by a failure elsewhere leaves no state behind.
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::string out;
  out.reserve(in.size() * 2 + 8);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char buffer[1024];
  while (srcLeft > 0) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, sizeof buffer - dstLeft);
    if (rc == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (a truncated sequence at the end): skip one byte.
      out.append(replacement);
      ++src;
      --srcLeft;
    }
  }
  char* dst = buffer;
  size_t dstLeft = sizeof buffer;
  iconv(cd, nullptr, nullptr, &dst, &dstLeft);
  out.append(buffer, sizeof buffer - dstLeft);
  return out;
}

// The whole input or nothing: any byte that does not convert fails it.
std::optional<std::string> ConvertStrictly(const Converter& converter, std::string_view in) {
  if (IsAscii(in)) return std::string(in);
  if (!converter.ok()) return std::nullopt;
  iconv_t cd = converter.get();
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::string out;
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char buffer[1024];
  while (srcLeft > 0) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, sizeof buffer - dstLeft);
    if (rc == static_cast<size_t>(-1) && errno != E2BIG) return std::nullopt;
  }
  return out;
}

// The UTF-8 of each two-byte character, taken from the converter one lead
// byte at a time when that lead byte first comes up, so that ordinary
// Chinese text is decoded by lookup instead of a converter call per value.
class PairTable {
 public:
  // Appends the character `lead` `trail`; false when the table holds no
  // character for the pair (not a two-byte character, or the converter
  // answered in a way the table does not keep).
  bool Append(unsigned char lead, unsigned char trail, const Converter& converter,
              std::string* out) {
    std::unique_ptr<Row>& row = rows_[lead];
    if (!row) {
      row = std::make_unique<Row>();
      if (!converter.ok() || !Fill(converter.get(), lead, row.get())) *row = Row();
    }
    const unsigned char length = row->length[trail];
    if (length == 0) return false;
    out->append(row->utf8[trail], length);
    return true;
  }

 private:
  struct Row {
    unsigned char length[256] = {};  // 0: no character
    char utf8[256][4] = {};
  };

  static std::size_t Utf8Length(unsigned char c) {
    return c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
  }

  // Converts every pair of `lead` with a trail byte (0x40-0x7E, 0x80-0xFE)
  // in one pass and gives each pair its own character; pairs the converter
  // refuses keep none. False when the output cannot be shared out one
  // character per pair.
  static bool Fill(iconv_t cd, unsigned char lead, Row* row) {
    constexpr std::size_t kPairs = 190;
    char in[kPairs * 2];
    unsigned char trails[kPairs];
    std::size_t n = 0;
    for (int t = 0x40; t <= 0xFE; ++t) {
      if (t == 0x7F) continue;
      in[2 * n] = static_cast<char>(lead);
      in[2 * n + 1] = static_cast<char>(t);
      trails[n++] = static_cast<unsigned char>(t);
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    for (std::size_t pair = 0; pair < n;) {
      char* src = in + 2 * pair;
      std::size_t srcLeft = 2 * (n - pair);
      char buffer[kPairs * 4];
      char* dst = buffer;
      std::size_t dstLeft = sizeof buffer;
      const std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
      const auto consumed = static_cast<std::size_t>(src - in);
      if (consumed % 2 != 0) return false;
      const char* at = buffer;
      for (std::size_t k = pair; k < consumed / 2; ++k) {
        const std::size_t length = at < dst ? Utf8Length(static_cast<unsigned char>(*at)) : 0;
        if (length == 0 || at + length > dst) return false;
        std::memcpy(row->utf8[trails[k]], at, length);
        row->length[trails[k]] = static_cast<unsigned char>(length);
        at += length;
      }
      if (at != dst) return false;
      pair = consumed / 2;
      if (rc == static_cast<std::size_t>(-1)) {
        if (errno != EILSEQ && errno != EINVAL) return false;
        ++pair;  // a pair the converter refuses: none kept
      }
    }
    return true;
  }

  std::unique_ptr<Row> rows_[256];
};

}  // namespace

void AppendGbkAsUtf8(std::string_view gbk, std::string* out) {
  static constexpr char kReplacement[] = "\xEF\xBF\xBD";
  thread_local const Converter converter("UTF-8", "GB18030");
  thread_local PairTable pairs;
  // Single bytes and two-byte characters from the table; a four-byte
  // character or bytes that are not text send the whole value through the
  // converter, so the result is always the converter's.
  const std::size_t start = out->size();
  for (std::size_t i = 0; i < gbk.size();) {
    const auto c = static_cast<unsigned char>(gbk[i]);
    if (c < 0x80) {
      std::size_t end = i + 1;
      while (end < gbk.size() && static_cast<unsigned char>(gbk[end]) < 0x80) ++end;
      out->append(gbk.data() + i, end - i);
      i = end;
    } else if (i + 1 < gbk.size() &&
               pairs.Append(c, static_cast<unsigned char>(gbk[i + 1]), converter, out)) {
      i += 2;
    } else {
      out->resize(start);
      out->append(Convert(converter, gbk, kReplacement));
      return;
    }
  }
}

std::string GbkToUtf8(std::string_view gbk) {
  std::string out;
  if (IsAscii(gbk)) return out.assign(gbk);
  out.reserve(gbk.size() + gbk.size() / 2);
  AppendGbkAsUtf8(gbk, &out);
  return out;
}

std::string Utf8ToGbk(std::string_view utf8) {
  thread_local const Converter converter("GB18030", "UTF-8");
  return Convert(converter, utf8, "?");
}

std::optional<std::string> ToStrictGbk(std::string_view text) {
  thread_local const Converter converter("GBK", "GB18030");
  return ConvertStrictly(converter, text);
}

std::optional<std::string> FromStrictGbk(std::string_view gbk) {
  thread_local const Converter converter("GB18030", "GBK");
  return ConvertStrictly(converter, gbk);
}

}  // namespace cindral
