// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A FrameWindow that records what the frame asks of it, for driving a
// SkinFrame without a screen.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "skin/FrameWindow.h"
#include "skin/SkinSettings.h"
#include "store/Gbk.h"

namespace cindral::test {

class FakeFrameWindow : public FrameWindow {
 public:
  FakeFrameWindow(int width = 640, int height = 440) : width(width), height(height) {}

  int Width() const override { return width; }
  int Height() const override { return height; }
  bool IsMaximized() const override { return maximized; }
  std::string Title() const override { return GBK("Cindral 单词本"); }
  QIcon SmallIcon() const override { return {}; }
  QPoint ScreenPosition() const override { return position; }

  void Invalidate(const FrameRect& rect) override { invalidated.push_back(rect); }
  void InvalidateAll() override { ++wholeRedraws; }
  void UpdateNow() override { ++updates; }
  void SetRoundedShape(int w, int h) override { shape = {0, 0, w, h}; }
  FrameCursor Cursor() const override { return cursor; }
  void SetCursor(FrameCursor c) override {
    cursor = c;
    ++cursorChanges;
  }

  void Close() override { commands.push_back("close"); }
  void Maximize() override { commands.push_back("maximize"); }
  void Restore() override { commands.push_back("restore"); }
  void Minimize() override { commands.push_back("minimize"); }
  void FitToWorkArea() override { commands.push_back("fit"); }
  void StartMove() override { commands.push_back("move"); }
  void StartResize(FrameEdge edge) override {
    const char* names[] = {"size right", "size top", "size top-right", "size bottom",
                           "size bottom-right"};
    commands.push_back(names[static_cast<int>(edge)]);
  }

  void RunChooser(SkinChooser& chooser, QPoint at) override {
    chooserAt = at;
    ++choosers;
    if (onChooser) onChooser(chooser);
  }
  void RunMessageBox(SkinMessage& box, QPoint at) override {
    boxAt = at;
    ++boxes;
    if (onMessageBox) onMessageBox(box);
  }

  std::string LastCommand() const { return commands.empty() ? "" : commands.back(); }

  int width, height;
  bool maximized = false;
  QPoint position{100, 50};
  std::vector<FrameRect> invalidated;
  int wholeRedraws = 0, updates = 0, cursorChanges = 0;
  FrameRect shape;
  FrameCursor cursor = FrameCursor::kArrow;
  std::vector<std::string> commands;
  int choosers = 0, boxes = 0;
  QPoint chooserAt, boxAt;
  std::function<void(SkinChooser&)> onChooser;
  std::function<void(SkinMessage&)> onMessageBox;
};

// Section "Skin" kept in memory; counts the writes.
class MemorySkinSettings : public SkinSettings {
 public:
  bool Exists() const override { return exists; }
  bool CreateEmpty() override {
    exists = true;
    ++creations;
    return true;
  }
  std::string Read(const std::string& key) const override {
    const auto it = values.find(key);
    return it == values.end() ? "" : it->second;
  }
  bool Write(const std::string& key, const std::string& value) override {
    values[key] = value;
    ++writes;
    return true;
  }

  bool exists = true;
  int creations = 0, writes = 0;
  std::map<std::string, std::string> values;
};

}  // namespace cindral::test
