// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FontConfigurationReader.h"

#ifdef CINDRAL_HAS_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace cindral {

FontConfigurationReader::FontConfigurationReader() {
#ifdef CINDRAL_HAS_FONTCONFIG
  thread_ = std::thread([] { FcInit(); });
#endif
}

FontConfigurationReader::~FontConfigurationReader() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace cindral
