// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Speech.h"

#include "store/Gbk.h"

namespace cindral {

std::string NoSpeech::reason() const { return GBK("没有找到语音引擎，无法朗读单词"); }

}  // namespace cindral
