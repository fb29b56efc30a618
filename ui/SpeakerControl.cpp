// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SpeakerControl.h"

#include <QLabel>
#include <QTimer>

#include "ui/SpeakerButton.h"
#include "ui/Text.h"
#include "ui/WindowBuilder.h"

namespace cindral {

SpeakerControl::SpeakerControl(QWidget* window, const ControlLayout& place, Speech& speech,
                               std::function<void()> clicked, std::function<void()> speechChanged)
    : speech_(speech),
      button_(qobject_cast<SpeakerButton*>(BuildControls(window, {place}).front())),
      note_(new QLabel(window)),
      noteTimer_(new QTimer(note_)),
      listener_(speech.AddListener(std::move(speechChanged))) {
  QObject::connect(button_, &SpeakerButton::clicked, button_,
                   [clicked = std::move(clicked)] { clicked(); });
  note_->setObjectName(QStringLiteral("标签朗读说明"));
  note_->setFocusPolicy(Qt::NoFocus);
  note_->setAttribute(Qt::WA_TransparentForMouseEvents);
  note_->setStyleSheet(
      QStringLiteral("QLabel { background: #fff8dc; color: #333; border: 1px solid #d8b860;"
                     " border-radius: 4px; padding: 4px 8px; }"));
  note_->hide();
  noteTimer_->setSingleShot(true);
  QObject::connect(noteTimer_, &QTimer::timeout, note_, &QLabel::hide);
}

SpeakerControl::~SpeakerControl() { speech_.RemoveListener(listener_); }

void SpeakerControl::Show(const SpeakerLook& look) {
  button_->setEnabled(look.enabled);
  button_->SetTrying(look.trying);
  const QString text = ToQString(look.tip);
  if (button_->toolTip() != text) button_->setToolTip(text);
  if (look.noteSerial == noteSerial_) return;
  noteSerial_ = look.noteSerial;
  noteTimer_->stop();
  if (look.note.empty()) {
    note_->hide();
    return;
  }
  note_->setText(ToQString(look.note));
  PlaceNote();
  note_->show();
  note_->raise();
  // A note that the voice is tried stays while it is; one about a failure
  // for a few seconds.
  if (!look.trying) noteTimer_->start(kNoteMs);
}

void SpeakerControl::PlaceNote() {
  const QWidget* window = note_->parentWidget();
  const QRect button = button_->geometry();
  const int gap = 6;
  // One line when it fits, else wrapped at the widest a note may be.
  const int widest = qMax(120, qMin(340, window->width() - 2 * gap));
  note_->setWordWrap(false);
  QSize size = note_->sizeHint();
  if (size.width() > widest) {
    note_->setWordWrap(true);
    size = QSize(widest, note_->heightForWidth(widest));
  }
  note_->resize(size);
  // Beside the button, on the side with room (right first), level with it.
  int x = button.right() + gap;
  if (x + size.width() > window->width() - gap) x = button.left() - gap - size.width();
  x = qBound(gap, x, qMax(gap, window->width() - gap - size.width()));
  int y = button.center().y() - size.height() / 2;
  y = qBound(gap, y, qMax(gap, window->height() - gap - size.height()));
  note_->move(x, y);
}

}  // namespace cindral
