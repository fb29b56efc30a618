// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dictionary pages of the learning card, as the card sees them: three
// places in the card's tabs to fill, and the word's three addresses to show.
//
// The pages that show the services live in a module of their own
// (cindral-pages.so beside the program, or in lib/<architecture>/cindral
// beside its bin folder), loaded when the first card opens: the web engine and the many
// libraries it needs cost a start-up nothing. When the module cannot be
// loaded, each place shows the address as a line of plain text, and the
// card goes on working.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "lookup/DictionaryAddresses.h"

class QWidget;

namespace cindral {

class DictionaryPages {
 public:
  using Places = std::array<QWidget*, kDictionaryPages>;

  virtual ~DictionaryPages() = default;

  // Puts a page into each place (in tab order); the places keep them until
  // Release().
  virtual void Attach(const Places& places) = 0;
  // Takes the pages back, emptied, so the next card never shows this
  // card's word.
  virtual void Release() = 0;
  // The first and the second page show no dialog of their own.
  virtual void PrepareDictionaryViews() = 0;
  // Shows the three addresses (GBK, as built); returns at once. `word` and
  // `meaning` (GBK) fill the page shown when a service cannot be reached.
  virtual void LoadDictionaryPages(const DictionaryAddresses& addresses, const std::string& word,
                                   const std::string& meaning) = 0;
  // Starts what the first card's pages need (the web engine and its
  // helper processes) ahead of it; again, it does nothing.
  virtual void WarmUp() {}
};

// Makes the pages of the program: from the first of `modules` (paths of
// the pages module, UTF-8) that loads, or address lines when none does.
std::unique_ptr<DictionaryPages> OpenDictionaryPages(const std::vector<std::string>& modules);
// The same, from where the program keeps its pages module.
std::unique_ptr<DictionaryPages> OpenDictionaryPages();

// The name of the function the module gives the pages by:
//   extern "C" DictionaryPages* cindral_dictionary_pages();
// The caller owns what it returns.
inline constexpr const char* kPagesModuleEntry = "cindral_dictionary_pages";
using PagesModuleEntry = DictionaryPages* (*)();

}  // namespace cindral
