// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The skinned message box's logic: breaking text into 32-byte lines without
// splitting a two-byte character, the height rule, buttons, default button,
// icons and title, hover and press states, and the results.

#include <gtest/gtest.h>

#include "skin/SkinMessage.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

std::vector<std::string> Lines(const std::string& text) { return SkinMessage::SplitLines(text); }

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

TEST(SkinMessageLinesTest, ShortPiecesStayWholeAndLinesBreakAt32Bytes) {
  EXPECT_EQ(Lines("hello"), std::vector<std::string>{"hello"});
  EXPECT_EQ(Lines(""), std::vector<std::string>{""});
  EXPECT_EQ(Lines(std::string(32, 'a')), std::vector<std::string>{std::string(32, 'a')});
  EXPECT_EQ(Lines(std::string(33, 'a')), (std::vector<std::string>{std::string(32, 'a'), "a"}));
  EXPECT_EQ(Lines(std::string(40, 'x')),
            (std::vector<std::string>{std::string(32, 'x'), std::string(8, 'x')}));
  EXPECT_EQ(Lines(std::string(64, 'y')).size(), 2u);
  EXPECT_EQ(Lines(std::string(65, 'y')).size(), 3u);
}

TEST(SkinMessageLinesTest, NeverSplitsATwoByteCharacter) {
  const std::string han = GBK("字");
  ASSERT_EQ(han.size(), 2u);
  // 17 characters, 34 bytes: 16 on the first line.
  EXPECT_EQ(Lines(Repeat(han, 17)), (std::vector<std::string>{Repeat(han, 16), han}));
  // One ASCII letter and 16 characters, 33 bytes: the first line ends one
  // byte early, at 31 bytes, and the 16th character starts the second.
  EXPECT_EQ(Lines("a" + Repeat(han, 16)), (std::vector<std::string>{"a" + Repeat(han, 15), han}));
  // A lead byte dangling at the very end counts as one byte.
  const std::string dangling = std::string(32, 'b') + "\xD7";
  EXPECT_EQ(Lines(dangling), (std::vector<std::string>{std::string(32, 'b'), "\xD7"}));
}

TEST(SkinMessageLinesTest, BreaksAtCarriageReturnLineFeedOnly) {
  EXPECT_EQ(Lines("one\r\ntwo"), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(Lines("one\r\n"), (std::vector<std::string>{"one", ""}));
  EXPECT_EQ(Lines("a\nb"), std::vector<std::string>{"a\nb"});
  EXPECT_EQ(Lines(std::string(40, 'x') + "\r\nend"),
            (std::vector<std::string>{std::string(32, 'x'), std::string(8, 'x'), "end"}));
}

TEST(SkinMessageTest, HeightGrowsBy14ForEveryLineBeyondTheThird) {
  EXPECT_EQ(SkinMessage("a").Height(), 140);
  EXPECT_EQ(SkinMessage("a\r\nb\r\nc").Height(), 140);
  EXPECT_EQ(SkinMessage("a\r\nb\r\nc\r\nd").Height(), 154);
  EXPECT_EQ(SkinMessage("a\r\nb\r\nc\r\nd\r\ne").Height(), 168);
  const SkinMessage five("1\r\n2\r\n3\r\n4\r\n5");
  for (const auto& b : five.Buttons()) EXPECT_EQ(b.rect.top, 168 - 30);
}

TEST(SkinMessageTest, ButtonsDefaultButtonIconAndTitle) {
  const SkinMessage ok("x", 1);
  ASSERT_EQ(ok.Buttons().size(), 1u);
  EXPECT_EQ(ok.Buttons()[0].label, GBK("确定"));
  EXPECT_EQ(ok.Buttons()[0].rect, (FrameRect{218, 110, 69, 21}));
  EXPECT_TRUE(ok.Buttons()[0].isDefault);
  EXPECT_EQ(ok.Buttons()[0].state, SkinMessage::kDefaultLook);

  const SkinMessage cancel("x", 2, 0, 2);
  ASSERT_EQ(cancel.Buttons().size(), 1u);
  EXPECT_EQ(cancel.Buttons()[0].label, GBK("取消"));
  EXPECT_FALSE(cancel.Buttons()[0].isDefault);  // no second button to be the default
  EXPECT_EQ(cancel.Buttons()[0].state, SkinMessage::kNormal);

  for (int buttons : {0, 3, -1}) {
    const SkinMessage both("x", buttons, 0, 2);
    ASSERT_EQ(both.Buttons().size(), 2u);
    EXPECT_EQ(both.Buttons()[0].rect.left, 140);
    EXPECT_EQ(both.Buttons()[1].rect.left, 218);
    EXPECT_FALSE(both.Buttons()[0].isDefault);
    EXPECT_TRUE(both.Buttons()[1].isDefault);
  }
  EXPECT_TRUE(SkinMessage("x", 0, 0, 7).Buttons()[0].isDefault);

  const SkinPicture icons[] = {SkinPicture::kBoxInformation, SkinPicture::kBoxSuccess,
                               SkinPicture::kBoxWarning, SkinPicture::kBoxError,
                               SkinPicture::kBoxQuestion};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(SkinMessage("x", 1, i).Icon(), icons[i]);
  EXPECT_EQ(SkinMessage("x", 1, 5).Icon(), SkinPicture::kBoxInformation);
  EXPECT_EQ(SkinMessage("x", 1, -1).Icon(), SkinPicture::kBoxInformation);

  EXPECT_EQ(SkinMessage("x").Title(), GBK("信息："));
  EXPECT_EQ(SkinMessage("x", 1, 1, 1, GBK("提示")).Title(), GBK("提示"));
  EXPECT_EQ(SkinMessage("x").Result(), 100);
}

TEST(SkinMessageTest, HoverAndLeaveOnTheButtonsAndTheCloseButton) {
  SkinMessage box("x");  // two buttons, the first the default
  using A = SkinMessage::Action;
  EXPECT_EQ(box.OnMouseMove(250, 0), A::kRedraw);
  EXPECT_EQ(box.CloseState(), SkinMessage::kHover);
  EXPECT_EQ(box.OnMouseMove(290, 20), A::kNone);  // both corners are the close button's
  EXPECT_EQ(box.OnMouseMove(150, 115), A::kRedraw);
  EXPECT_EQ(box.CloseState(), SkinMessage::kNormal);
  EXPECT_EQ(box.Buttons()[0].state, SkinMessage::kHover);
  EXPECT_EQ(box.OnMouseMove(220, 115), A::kRedraw);
  EXPECT_EQ(box.Buttons()[0].state, SkinMessage::kDefaultLook);  // back to the default look
  EXPECT_EQ(box.Buttons()[1].state, SkinMessage::kHover);
  EXPECT_EQ(box.OnMouseLeave(), A::kRedraw);
  EXPECT_EQ(box.Buttons()[1].state, SkinMessage::kNormal);
  // Pressed, it stays pressed while the pointer stays on it.
  EXPECT_EQ(box.OnLeftButtonDown(220, 115), A::kRedraw);
  box.OnMouseMove(221, 116);
  EXPECT_EQ(box.Buttons()[1].state, SkinMessage::kPressed);
  box.OnLeftButtonDown(260, 5);
  EXPECT_EQ(box.CloseState(), SkinMessage::kPressed);
  box.OnMouseLeave();
  EXPECT_EQ(box.CloseState(), SkinMessage::kNormal);
}

TEST(SkinMessageTest, ReleasesGiveTheResultsAndPressesElsewhereMoveTheBox) {
  using A = SkinMessage::Action;
  SkinMessage ok("x");
  EXPECT_EQ(ok.OnLeftButtonDown(100, 60), A::kMove);
  EXPECT_EQ(ok.OnLeftButtonUp(100, 60), A::kNone);
  EXPECT_EQ(ok.Result(), 100);
  EXPECT_EQ(ok.OnLeftButtonUp(140, 110), A::kClose);
  EXPECT_EQ(ok.Result(), 1);
  SkinMessage cancel("x");
  EXPECT_EQ(cancel.OnLeftButtonUp(287, 131), A::kClose);
  EXPECT_EQ(cancel.Result(), 0);
  SkinMessage onlyCancel("x", 2);
  EXPECT_EQ(onlyCancel.OnLeftButtonUp(250, 120), A::kClose);
  EXPECT_EQ(onlyCancel.Result(), 0);
  SkinMessage closed("x");
  EXPECT_EQ(closed.OnLeftButtonUp(250, 10), A::kClose);
  EXPECT_EQ(closed.Result(), -1);
}

}  // namespace
}  // namespace cindral
