// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/DictionaryPages.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLibrary>
#include <QPointer>
#include <cstdio>

#include "lookup/AddressLine.h"
#include "ui/Text.h"

namespace cindral {
namespace {

// The pages when the module cannot be loaded: each place shows its address.
class AddressLines final : public DictionaryPages {
 public:
  void Attach(const Places& places) override {
    for (int i = 0; i < kDictionaryPages; ++i) {
      lines_[i] = places[i] != nullptr ? AddAddressLine(places[i]) : nullptr;
    }
  }
  void Release() override {
    for (QPointer<QLabel>& line : lines_) {
      delete line;
      line = nullptr;
    }
  }
  void PrepareDictionaryViews() override {}
  void LoadDictionaryPages(const DictionaryAddresses& addresses, const std::string&,
                           const std::string&) override {
    for (int i = 0; i < kDictionaryPages; ++i) {
      if (lines_[i] != nullptr) lines_[i]->setText(ToQString(addresses[i]));
    }
  }

 private:
  std::array<QPointer<QLabel>, kDictionaryPages> lines_;
};

}  // namespace

std::unique_ptr<DictionaryPages> OpenDictionaryPages(const std::vector<std::string>& modules) {
  QString why = QStringLiteral("no module named");
  for (const std::string& path : modules) {
    // Kept loaded for the rest of the run: the pages' code lives there.
    QLibrary module(QString::fromStdString(path));
    if (!module.load()) {
      why = module.errorString();
      continue;
    }
    auto entry = reinterpret_cast<PagesModuleEntry>(module.resolve(kPagesModuleEntry));
    if (entry == nullptr) {
      why = module.errorString();
      continue;
    }
    if (DictionaryPages* pages = entry()) return std::unique_ptr<DictionaryPages>(pages);
    why = QStringLiteral("the module made no pages");
  }
  std::fprintf(stderr, "cindral: dictionary pages shown as addresses: %s\n", qPrintable(why));
  return std::make_unique<AddressLines>();
}

std::unique_ptr<DictionaryPages> OpenDictionaryPages() {
  const std::string folder = QCoreApplication::applicationDirPath().toStdString();
  return OpenDictionaryPages(
      {folder + "/cindral-pages.so", folder + "/../" CINDRAL_MODULE_DIR "/cindral-pages.so"});
}

}  // namespace cindral
