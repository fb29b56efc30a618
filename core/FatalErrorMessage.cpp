// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FatalErrorMessage.h"

#include <string>

#include "store/Gbk.h"

namespace cindral {

Message FatalErrorMessage(const FatalError& error) {
  std::string text = GBK("运行时出错!") + "\n\n";
  if (error.number != 0) {
    text += GBK("错误代码：") + std::to_string(error.number) + "\n\n";
  }
  text += GBK("错误信息：") + error.text + "\n";
  return Message{text, GBK("错误"), MessageIcon::Error, false};
}

}  // namespace cindral
