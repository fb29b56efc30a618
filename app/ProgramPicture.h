// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's own pictures, carried inside the program as PNG bytes
// (made by tools/pictures at build time): the icons of its four pages and
// the program's icon.

#include <string_view>

namespace cindral {

enum class ProgramPicture {
  kPageHome,  // 36 x 36
  kPageLearning,
  kPageTest,
  kPageIntensive,
  kIcon16,
  kIcon32,
  kIcon48,
  kCount
};

std::string_view ProgramPictureBytes(ProgramPicture picture);

}  // namespace cindral
