// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading and setting the text a control shows. Every text is shown
// literally: a learner's word such as "R&D" or "<b>" must not turn into a
// keyboard mnemonic or markup, and must read back byte for byte, because the
// windows compare captions with stored meanings.

#include <QString>
#include <string>

class QWidget;

namespace cindral {

// Labels, buttons (& is escaped), radio buttons, group boxes (title), edit
// boxes, multi-line edit boxes, combo boxes (current item) and windows (caption).
void SetControlQText(QWidget* control, const QString& text);
QString ControlQText(const QWidget* control);

// The same with GBK text, as the core holds it.
void SetControlText(QWidget* control, const std::string& gbk);
std::string ControlText(const QWidget* control);

}  // namespace cindral
