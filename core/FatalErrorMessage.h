// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The box shown for a fatal run-time error before the program ends.

#include "core/Prompter.h"
#include "store/Database.h"

namespace cindral {

// Caption "错误", error icon; the text is "运行时出错!", two line breaks,
// for numbered errors "错误代码：", the number and two line breaks, then
// "错误信息：", the error text and one line break. All GBK.
Message FatalErrorMessage(const FatalError& error);

}  // namespace cindral
