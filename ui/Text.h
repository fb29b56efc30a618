// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one place where the core's GBK text meets Qt's QString.

#include <QString>
#include <string>

namespace cindral {

QString ToQString(const std::string& gbk);
std::string FromQString(const QString& text);

}  // namespace cindral
