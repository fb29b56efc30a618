// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The fatal run-time error box: caption, icon and the exact text layout,
// with and without an error number.

#include "core/FatalErrorMessage.h"

#include <gtest/gtest.h>

#include "store/Gbk.h"

namespace cindral {
namespace {

TEST(FatalErrorMessageTest, NumberedErrorCarriesItsCodeBetweenTheHeadAndTheText) {
  const Message box = FatalErrorMessage({2, GBK("未得到所需要的数值型数据")});
  EXPECT_EQ(box.text, GBK("运行时出错!\n\n错误代码：2\n\n错误信息：未得到所需要的数值型数据\n"));
  EXPECT_EQ(box.caption, GBK("错误"));
  EXPECT_EQ(box.icon, MessageIcon::Error);
  EXPECT_FALSE(box.yesNo);
}

TEST(FatalErrorMessageTest, UnnumberedErrorHasNoCodeLine) {
  const Message box = FatalErrorMessage({0, GBK("指定字段不存在")});
  EXPECT_EQ(box.text, GBK("运行时出错!\n\n错误信息：指定字段不存在\n"));
  EXPECT_EQ(box.caption, GBK("错误"));
}

TEST(FatalErrorMessageTest, ErrorTextIsCopiedByteForByte) {
  // GBK bytes pass through untouched, including a dangling lead byte.
  const std::string text = GBK("数据或数组类型不匹配") + "\xB0";
  const Message box = FatalErrorMessage({5, text});
  EXPECT_EQ(box.text, GBK("运行时出错!\n\n错误代码：5\n\n错误信息：") + text + "\n");
}

}  // namespace
}  // namespace cindral
