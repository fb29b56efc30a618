// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small flat button that shows a loudspeaker, drawn here at any size (and
// greyed when disabled). Its tooltip says what it reads aloud, or why it
// cannot; disabled, it still shows the tooltip.

#include <QToolButton>

namespace cindral {

class SpeakerButton : public QToolButton {
  Q_OBJECT

 public:
  explicit SpeakerButton(QWidget* parent = nullptr);

  // The loudspeaker picture at `pixels` x `pixels` device pixels.
  static QPixmap Picture(int pixels);

 protected:
  void resizeEvent(QResizeEvent* event) override;
};

}  // namespace cindral
