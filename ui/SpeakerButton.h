// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small flat button that shows a loudspeaker, drawn here at any size (and
// greyed when disabled). Its tooltip says what it reads aloud, or why it
// cannot; disabled, it still shows the tooltip. While the voice is tried
// its loudspeaker sends out a third, orange wave.

#include <QToolButton>

namespace cindral {

class SpeakerButton : public QToolButton {
  Q_OBJECT

 public:
  explicit SpeakerButton(QWidget* parent = nullptr);

  // The loudspeaker picture at `pixels` x `pixels` device pixels; `trying`:
  // the picture of a word being tried.
  static QPixmap Picture(int pixels, bool trying = false);

  void SetTrying(bool trying);
  bool trying() const { return trying_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  static QIcon Icon(bool trying);

  bool trying_ = false;
};

}  // namespace cindral
