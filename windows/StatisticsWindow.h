// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The statistics window 窗口学习统计 on the desktop: the progress picture,
// painted from its logic, and a button that saves the picture as PNG.

#include <QImage>
#include <string>

#include "core/Program.h"
#include "logic/StatisticsWindowLogic.h"
#include "ui/Layouts.h"
#include "ui/ModalWindow.h"

namespace cindral {

class StatisticsWindow : public ModalWindow {
  Q_OBJECT

 public:
  StatisticsWindow(Program& program, QWidget* parent = nullptr);

  StatisticsWindowLogic& logic() { return logic_; }

  // The progress picture at `scale` device pixels per layout pixel.
  static QImage Picture(const StatisticsWindowLogic& logic, qreal scale);
  // The picture as a PNG file, drawn at twice the layout size (sharp when
  // printed); empty when it could not be made.
  std::string PngFile() const;

 private:
  void ChooseFileAndSave();

  Found<StatisticsWindowControls> ui_;
  Program& program_;
  StatisticsWindowLogic logic_;
};

// Opens the statistics window modally; returns when it has closed.
void RunStatisticsWindow(Program& program, QWidget* parent);

}  // namespace cindral
