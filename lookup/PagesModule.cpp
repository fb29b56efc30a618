// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The dictionary pages module: the web engine's pages, made for the
// program when its first learning card opens (see DictionaryPages.h).

#include <QtGlobal>

#include "lookup/DictionaryViews.h"
#include "lookup/SharedDrawingContext.h"

extern "C" Q_DECL_EXPORT cindral::DictionaryPages* cindral_dictionary_pages() {
  cindral::ShareDrawingContexts();
  return new cindral::DictionaryViews();
}
