// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where everything lies in a data file: the 112-byte header ("WEDB", the
// version, the record count, the next record id, the record size), the
// field count and the 72-byte field descriptors after it, and the records,
// each starting with its 4-byte id (negative when marked deleted).
//
// A layout is read once at open and cannot change while the file is open;
// the counts in the header can, and are read under their lock by whoever
// needs them.

#include <cstdint>
#include <string>
#include <vector>

#include "store/FieldCodec.h"
#include "store/FileAccess.h"

namespace cindral {

class RecordLayout {
 public:
  static constexpr int32_t kVersion = 0x00010000;
  static constexpr int64_t kHeaderSize = 112;
  static constexpr int64_t kDescriptorSize = 72;
  static constexpr int64_t kCountOffset = 16;
  static constexpr int64_t kNextIdOffset = 20;
  static constexpr int64_t kRecordSizeOffset = 24;
  static constexpr int64_t kFieldCountOffset = 112;
  // The format counts bytes in 32-bit integers and locks the whole file as
  // bytes 0 to 0x7FFFFFFE, so no record may reach past that.
  static constexpr int64_t kMaxFileLength = 0x7FFFFFFF;

  // Reads and checks the header and the descriptors; changes nothing. A
  // file that is not a database gives kErrNotDatabase, one written by a
  // newer program kErrVersionTooHigh, a failing read kErrOpenFailed.
  static int32_t Read(FileAccess& file, RecordLayout* out);
  // The bytes of a new, empty file with these fields laid out one after the
  // other from offset 4 (their offsets are ignored); `recordSize` may add
  // unused bytes at the record's end. kErrNotDatabase for fields the
  // format cannot hold.
  static int32_t Build(const std::vector<FieldDescriptor>& fields, int32_t recordSize,
                       std::string* bytes);

  int32_t version() const { return version_; }
  int32_t recordSize() const { return recordSize_; }
  int64_t firstRecord() const { return firstRecord_; }
  const std::vector<FieldDescriptor>& fields() const { return fields_; }
  const FieldDescriptor& field(int32_t index) const {
    return fields_[static_cast<std::size_t>(index)];
  }
  // Whether a field keeps its bytes in the side file.
  static bool AnyInSideFile(const std::vector<FieldDescriptor>& fields);
  bool NeedsSideFile() const { return AnyInSideFile(fields_); }
  // The record count and the next id as the header held them when read.
  int32_t countAtRead() const { return countAtRead_; }
  int32_t nextIdAtRead() const { return nextIdAtRead_; }

  int64_t RecordOffset(int32_t index) const { return firstRecord_ + int64_t{index} * recordSize_; }
  int64_t FieldOffset(int32_t index, int32_t field) const {
    return RecordOffset(index) + this->field(field).offset;
  }
  // How many whole records a file of `length` bytes holds.
  int64_t WholeRecords(int64_t length) const { return (length - firstRecord_) / recordSize_; }

 private:
  int32_t version_ = 0;
  int32_t recordSize_ = 0;
  int64_t firstRecord_ = 0;
  int32_t countAtRead_ = 0;
  int32_t nextIdAtRead_ = 0;
  std::vector<FieldDescriptor> fields_;
};

}  // namespace cindral
