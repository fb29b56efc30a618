// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Message boxes as the logic sees them. The desktop answers through Qt's
// standard boxes; tests script the answers and read what was shown.

#include <string>
#include <vector>

namespace cindral {

enum class MessageIcon { Information, Error, Question };

// A box that offers a choice of several buttons, with a longer list the
// learner may open (the details).
struct Choice {
  std::string text;                  // GBK
  std::string caption;               // GBK
  std::string details;               // GBK; none when empty
  std::vector<std::string> buttons;  // GBK, left to right
  int escape = 0;                    // the button that Escape or closing the box stands for
};

struct Message {
  std::string text;     // GBK
  std::string caption;  // GBK
  MessageIcon icon = MessageIcon::Information;
  bool yesNo = false;  // Yes/No buttons instead of a single OK
};

class Prompter {
 public:
  virtual ~Prompter() = default;
  // Shows the box and returns when it is dismissed. For a Yes/No box the
  // result is true only for Yes; for a plain box it is true.
  virtual bool Show(const Message& message) = 0;

  void Inform(const std::string& text, const std::string& caption) {
    Show({text, caption, MessageIcon::Information, false});
  }
  void Fail(const std::string& text, const std::string& caption) {
    Show({text, caption, MessageIcon::Error, false});
  }
  // Shows the choice; returns the index of the button pressed.
  virtual int Choose(const Choice& choice) = 0;
  bool Ask(const std::string& text, const std::string& caption,
           MessageIcon icon = MessageIcon::Question) {
    return Show({text, caption, icon, true});
  }
};

}  // namespace cindral
