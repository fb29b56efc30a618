// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Little-endian integers in byte buffers, as every number in the database
// files is stored.

#include <cstdint>
#include <cstring>

namespace cindral {

inline int32_t GetInt32(const char* p) {
  const auto* u = reinterpret_cast<const unsigned char*>(p);
  return static_cast<int32_t>(static_cast<uint32_t>(u[0]) | static_cast<uint32_t>(u[1]) << 8 |
                              static_cast<uint32_t>(u[2]) << 16 |
                              static_cast<uint32_t>(u[3]) << 24);
}

inline void PutInt32(char* p, int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  p[0] = static_cast<char>(u & 0xFF);
  p[1] = static_cast<char>((u >> 8) & 0xFF);
  p[2] = static_cast<char>((u >> 16) & 0xFF);
  p[3] = static_cast<char>((u >> 24) & 0xFF);
}

inline int64_t GetInt64(const char* p) {
  const auto lo = static_cast<uint32_t>(GetInt32(p));
  const auto hi = static_cast<uint32_t>(GetInt32(p + 4));
  return static_cast<int64_t>(static_cast<uint64_t>(hi) << 32 | lo);
}

inline void PutInt64(char* p, int64_t v) {
  const auto u = static_cast<uint64_t>(v);
  PutInt32(p, static_cast<int32_t>(static_cast<uint32_t>(u & 0xFFFFFFFFu)));
  PutInt32(p + 4, static_cast<int32_t>(static_cast<uint32_t>(u >> 32)));
}

inline double GetDouble(const char* p) {
  const auto bits = static_cast<uint64_t>(GetInt64(p));
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

inline void PutDouble(char* p, double d) {
  uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  PutInt64(p, static_cast<int64_t>(bits));
}

inline float GetFloat(const char* p) {
  const auto bits = static_cast<uint32_t>(GetInt32(p));
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

inline void PutFloat(char* p, float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  PutInt32(p, static_cast<int32_t>(bits));
}

}  // namespace cindral
