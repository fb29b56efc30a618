// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Text.h"

#include "store/Gbk.h"

namespace cindral {

QString ToQString(const std::string& gbk) { return QString::fromStdString(GbkToUtf8(gbk)); }

std::string FromQString(const QString& text) { return Utf8ToGbk(text.toStdString()); }

}  // namespace cindral
