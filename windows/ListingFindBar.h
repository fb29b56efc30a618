// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The find bar 查找栏 under the word book listing: the query box, 上一个 and
// 下一个, 全字匹配 and 区分大小写, and the status line. Enter in the query box
// asks for the next match, Shift+Enter for the previous one; typing or
// changing an option asks to find again from where the current match starts.
// Clicking a button or an option leaves the keyboard in the query box.

#include <QString>
#include <QWidget>

#include "logic/ListingFind.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace cindral {

class ListingFindBar : public QWidget {
  Q_OBJECT

 public:
  // The bar's size and its place under the listing box, in the window's
  // layout pixels.
  static constexpr int kWidth = 480;
  static constexpr int kHeight = 52;
  static constexpr int kGapAbove = 8;
  static constexpr int kMarginBelow = 26;

  explicit ListingFindBar(QWidget* parent);

  QString query() const;
  FindOptions options() const;
  // The status line; `failed` shows it as a failure (nothing found).
  void SetStatus(const QString& text, bool failed);
  // Puts the keyboard in the query box with its text selected.
  void FocusQuery();

 signals:
  void FindRequested(bool backward);
  void QueryChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* query_;
  QCheckBox* wholeWord_;
  QCheckBox* matchCase_;
  QLabel* status_;
};

}  // namespace cindral
