// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/RecordLayout.h"

#include <algorithm>
#include <cstring>

#include "store/Bytes.h"
#include "store/DatabaseErrors.h"

namespace cindral {

int32_t RecordLayout::Read(FileAccess& file, RecordLayout* out) {
  char h[kHeaderSize];
  std::size_t got = 0;
  if (file.ReadAt(0, h, sizeof h, &got) != 0) return kErrOpenFailed;
  if (got < sizeof h) return kErrNotDatabase;
  if (std::memcmp(h, "WCDB", 4) == 0) return kErrOpenFailed;  // needs a password
  if (std::memcmp(h, "WEDB", 4) != 0) return kErrNotDatabase;
  RecordLayout layout;
  layout.version_ = GetInt32(h + 4);
  layout.countAtRead_ = GetInt32(h + kCountOffset);
  layout.nextIdAtRead_ = GetInt32(h + kNextIdOffset);
  layout.recordSize_ = GetInt32(h + kRecordSizeOffset);
  if (layout.recordSize_ <= 0 || layout.countAtRead_ < 0 || layout.nextIdAtRead_ <= 0) {
    return kErrNotDatabase;
  }
  if (layout.version_ > kVersion) return kErrVersionTooHigh;
  // Every record starts with its 4-byte id.
  if (layout.recordSize_ < 4) return kErrNotDatabase;

  char countBytes[4];
  if (file.ReadAt(kFieldCountOffset, countBytes, 4, &got) != 0) return kErrOpenFailed;
  if (got < 4) return kErrNotDatabase;
  const int32_t fieldCount = GetInt32(countBytes);
  if (fieldCount <= 0) return kErrNotDatabase;
  int64_t length = 0;
  if (file.Size(&length) != 0) return kErrOpenFailed;
  // Absurd counts and sizes are refused before anything of their size is
  // allocated: the descriptors must lie in the file, and one record must fit
  // in the largest file the format can address.
  layout.firstRecord_ = kFieldCountOffset + 4 + int64_t{fieldCount} * kDescriptorSize;
  if (layout.firstRecord_ > length) return kErrNotDatabase;
  if (layout.recordSize_ > kMaxFileLength - layout.firstRecord_) return kErrNotDatabase;

  std::string descriptors(static_cast<std::size_t>(layout.firstRecord_ - kFieldCountOffset - 4),
                          '\0');
  if (file.ReadAt(kFieldCountOffset + 4, &descriptors[0], descriptors.size(), &got) != 0) {
    return kErrOpenFailed;
  }
  if (got < descriptors.size()) return kErrNotDatabase;

  layout.fields_.reserve(static_cast<std::size_t>(fieldCount));
  for (int32_t i = 0; i < fieldCount; ++i) {
    const char* d = descriptors.data() + int64_t{i} * kDescriptorSize;
    const void* zero = std::memchr(d, 0, 17);
    if (zero == nullptr) return kErrNotDatabase;
    FieldDescriptor field;
    field.name.assign(d, static_cast<std::size_t>(static_cast<const char*>(zero) - d));
    field.type = GetInt32(d + 20);
    field.offset = GetInt32(d + 24);
    field.declaredSize = GetInt32(d + 28);
    if (field.offset < 0 || field.type < kTypeByte || field.type > kTypeMemo) {
      return kErrNotDatabase;
    }
    if (field.type == kTypeText && field.declaredSize <= 0) return kErrNotDatabase;
    // A field whose bytes reach past the record would be read from and
    // written into the next record.
    if (int64_t{field.offset} + field.Width() > layout.recordSize_) return kErrNotDatabase;
    layout.fields_.push_back(std::move(field));
  }
  *out = std::move(layout);
  return 0;
}

int32_t RecordLayout::Build(const std::vector<FieldDescriptor>& fields, int32_t recordSize,
                            std::string* bytes) {
  if (fields.empty()) return kErrNotDatabase;
  int64_t offset = 4;
  std::string descriptors;
  for (const FieldDescriptor& f : fields) {
    if (f.name.size() > 16 || f.type < kTypeByte || f.type > kTypeMemo ||
        (f.type == kTypeText && f.declaredSize <= 0)) {
      return kErrNotDatabase;
    }
    char d[kDescriptorSize] = {};
    std::memcpy(d, f.name.data(), f.name.size());
    PutInt32(d + 20, f.type);
    PutInt32(d + 24, static_cast<int32_t>(offset));
    PutInt32(d + 28, f.type == kTypeText ? f.declaredSize : 0);
    descriptors.append(d, sizeof d);
    offset += f.Width();
    if (offset > kMaxFileLength / 2) return kErrNotDatabase;
  }
  const int64_t size = std::max<int64_t>(offset, recordSize);
  std::string header(kHeaderSize + 4, '\0');
  std::memcpy(&header[0], "WEDB", 4);
  PutInt32(&header[4], kVersion);
  PutInt32(&header[kCountOffset], 0);
  PutInt32(&header[kNextIdOffset], 1);
  PutInt32(&header[kRecordSizeOffset], static_cast<int32_t>(size));
  PutInt32(&header[kFieldCountOffset], static_cast<int32_t>(fields.size()));
  *bytes = header + descriptors;
  return 0;
}

bool RecordLayout::AnyInSideFile(const std::vector<FieldDescriptor>& fields) {
  return std::any_of(fields.begin(), fields.end(),
                     [](const FieldDescriptor& f) { return f.InSideFile(); });
}

}  // namespace cindral
