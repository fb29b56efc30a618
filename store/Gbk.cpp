#include "store/Gbk.h"

#include <iconv.h>

#include <cerrno>

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

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
  thread_local const Converter converter("UTF-8", "GB18030");
  return Convert(converter, gbk, "\xEF\xBF\xBD");
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
