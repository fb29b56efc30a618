// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dictionary pages that show nothing, for the tests of what starts them:
// a warm-up runs the test's own step.

#include <functional>
#include <string>
#include <utility>

#include "lookup/DictionaryPages.h"

namespace cindral::test {

class StandInPages final : public DictionaryPages {
 public:
  explicit StandInPages(std::function<void()> warmUp) : warmUp_(std::move(warmUp)) {}

  void Attach(const Places&) override {}
  void Release() override {}
  void PrepareDictionaryViews() override {}
  void LoadDictionaryPages(const DictionaryAddresses&, const std::string&,
                           const std::string&) override {}
  void WarmUp() override { warmUp_(); }

 private:
  std::function<void()> warmUp_;
};

}  // namespace cindral::test
