// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window declared as data: its size, caption and controls, each with its
// kind, rectangle, font and the caption it holds from the start. Names and
// texts are UTF-8 literals (the windows' Chinese names), never GBK: they
// never reach the core, only the widgets.

#include <vector>

namespace cindral {

enum class ControlKind {
  Label,
  Button,
  Edit,
  MultiLineEdit,
  RadioButton,
  GroupBox,
  ComboBox,
  ProgressBar,
  TabControl,
  WebView,
  PictureButton,
  PictureBox,
  Timer,
  FileDialog,
  SpeakerButton,  // a small button that reads a word aloud
  Table,          // rows of text cells under a header line
  CheckBox
};

struct FontLayout {
  const char* face = nullptr;  // nullptr: the control keeps the window's font
  int pixelHeight = 0;
};

struct ControlLayout {
  const char* name;
  ControlKind kind;
  int x, y, width, height;
  FontLayout font;
  // Label, button, radio button, check box, group box: the caption ("\n"
  // breaks lines).
  // Tab control: the tab titles, one per line. Combo box: its items, one per line.
  // Table: the column titles, one per line.
  const char* text = "";
  // The group box this control lies inside, its rectangle measured from
  // the box's top left; nullptr: the window itself.
  const char* parent = nullptr;
};

struct WindowLayout {
  const char* name;
  const char* caption;
  int width, height;  // the client area, in device-independent pixels
  std::vector<ControlLayout> controls;
};

}  // namespace cindral
