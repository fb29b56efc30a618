// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The word game 窗口连连看 on the desktop, bound to its logic: the eight
// picture buttons over the picture box, the built-in backgrounds carried in
// the program, and a background from a picture file of the learner's.

#include <QImage>
#include <array>
#include <memory>

#include "core/Program.h"
#include "logic/GameWindowLogic.h"
#include "ui/Layouts.h"
#include "ui/LogicWindow.h"

namespace cindral {

class SpeakerControl;

class GameWindow : public LogicWindow<GameWindowLogic> {
  Q_OBJECT

 public:
  GameWindow(Program& program, QWidget* parent = nullptr);
  ~GameWindow() override;

  // The resource that holds built-in background 1..6.
  static QString BackgroundResource(int index);
  // "自定义背景" with the file already chosen: shows the picture in that
  // file, nothing for a file that is not a picture, and refuses (with a
  // message, keeping the background) a file too large to be a background.
  void ShowBackgroundFile(const QString& path);

 private:
  void Show() override;
  void ShowBuiltInBackground(int index);
  void ShowPicture(const QImage& picture);
  void ChooseBackgroundFile();

  Found<GameWindowControls> ui_;
  std::array<PictureButton*, GameWindowLogic::kButtons> buttons_;
  std::unique_ptr<SpeakerControl> speaker_;
};

// Opens the game modally; returns when it has closed. With too few words
// the message is shown and the window never appears.
void RunGameWindow(Program& program, QWidget* parent);

}  // namespace cindral
