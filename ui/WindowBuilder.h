// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builds windows from their declared layouts (Layouts.h): each control as a
// child widget named after its name in the layout, at its rectangle and font.
//
// Kinds map to Qt as:
//   label           FittingLabel: plain text, wrapped or shrunk to show all of it
//   button          WrappingButton: never a default button (Enter goes to the
//                   window's key handler); a long caption wraps
//   edit box        QLineEdit
//   multi-line edit QPlainTextEdit
//   radio button    FittingRadioButton: a long caption shrinks
//   group box       QGroupBox; controls naming it as parent are placed inside
//   combo box       QComboBox, not editable, nothing chosen
//   progress bar    QProgressBar, 0..100, vertical when taller than wide
//   tab control     QTabWidget, one empty page per tab
//   web view        the web view factory's widget (a plain QWidget until set)
//   picture button  PictureButton
//   picture box     QLabel
//   timer           QTimer, not started
//   file dialog     QFileDialog for opening one existing file, not shown
//   speaker button  SpeakerButton
//   table           QTableWidget, read-only, whole rows selected, no rows yet
//
// Radio buttons whose names differ only in a trailing number
// ("单选框单词1".."单选框单词4") form one QButtonGroup named after the common
// part ("单选框单词"), with the numbers as the button ids.
//
// Edit boxes take typed Chinese through the desktop's input method (ibus or
// fcitx5, chosen by Qt from the environment): they carry
// Qt::WA_InputMethodEnabled, and nothing here overrides the input method.

#include <QFont>
#include <QObject>
#include <QString>
#include <QWidget>
#include <vector>

#include "ui/Layout.h"

class QTimer;

namespace cindral {

// The layout font: the face at the pixel height (which scales with the
// screen like every other layout size), normal weight.
QFont LayoutFont(const FontLayout& font);

// Builds `controls` as children of `parent`, in the listed order; returns the
// created objects in the same order. Picture boxes and tab controls are
// backgrounds and go beneath the controls that overlap them.
std::vector<QObject*> BuildControls(QWidget* parent, const std::vector<ControlLayout>& controls);

// Builds the whole window: its object name, caption, fixed size and controls.
std::vector<QObject*> BuildWindow(QWidget* window, const WindowLayout& layout);

// Finds a control of `window` by its name in the layout. Does not look into other
// windows opened as children of this one (they may use the same names).
QObject* FindControl(const QWidget* window, const QString& name);

template <class T>
T* Control(const QWidget* window, const char* name) {
  return qobject_cast<T*>(FindControl(window, QString::fromUtf8(name)));
}

// Sets a timer as the laid-out windows do: an interval of 0 stops it, any
// other interval (re)starts it.
void SetTimerInterval(QTimer* timer, int milliseconds);

}  // namespace cindral
