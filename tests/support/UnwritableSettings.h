// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// While it lives, every write of the settings file fails as on a full disk:
// the file's own writes (through the rename they end with) and the new
// file a change of the word book puts in its place (through the failing
// file layer under the book).

#include <cerrno>
#include <memory>
#include <string>

#include "FailingFile.h"
#include "core/IniFile.h"

namespace cindral::test {

class UnwritableSettings {
 public:
  explicit UnwritableSettings(std::shared_ptr<WriteFailures> failures)
      : failures_(std::move(failures)) {
    SetProfileRenameForTesting([](const char*, const char*) {
      errno = ENOSPC;
      return -1;
    });
    failures_->failWhen = [](const std::string& path, int64_t, std::size_t) {
      // The temporary file the new contents are written to first.
      return path.find("/.Config.ini.") != std::string::npos;
    };
  }
  ~UnwritableSettings() {
    SetProfileRenameForTesting(nullptr);
    failures_->failWhen = nullptr;
  }
  UnwritableSettings(const UnwritableSettings&) = delete;
  UnwritableSettings& operator=(const UnwritableSettings&) = delete;

 private:
  std::shared_ptr<WriteFailures> failures_;
};

}  // namespace cindral::test
