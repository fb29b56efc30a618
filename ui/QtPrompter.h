// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logic's message boxes as the desktop's standard boxes: modal over the
// window that is active, with the text, caption and icon, and Yes/No
// where a question is asked (only Yes answers true; Escape or closing the
// box answers No).

#include "core/Prompter.h"

namespace cindral {

class QtPrompter : public Prompter {
 public:
  bool Show(const Message& message) override;
  // The buttons as given, the details behind the box's own "show details"
  // button; the first is the default.
  int Choose(const Choice& choice) override;
};

}  // namespace cindral
