// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/ListingFindBar.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/WindowBuilder.h"

namespace cindral {
namespace {

// The bar's controls: two rows, the query and the buttons over the options
// and the status line.
constexpr int kRowHeight = 26;
constexpr int kSecondRow = 30;
constexpr int kOptionHeight = 22;
constexpr FontLayout kBarFont{"微软雅黑", 14};

QPushButton* Button(QWidget* bar, const char* name, const char* caption, QRect place) {
  auto* button = new QPushButton(QString::fromUtf8(caption), bar);
  button->setObjectName(QString::fromUtf8(name));
  button->setGeometry(place);
  button->setAutoDefault(false);
  button->setFocusPolicy(Qt::TabFocus);
  return button;
}

QCheckBox* Option(QWidget* bar, const char* name, const char* caption, QRect place) {
  auto* box = new QCheckBox(QString::fromUtf8(caption), bar);
  box->setObjectName(QString::fromUtf8(name));
  box->setGeometry(place);
  box->setFocusPolicy(Qt::TabFocus);
  return box;
}

}  // namespace

ListingFindBar::ListingFindBar(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("查找栏"));
  setFont(LayoutFont(kBarFont));
  resize(kWidth, kHeight);

  query_ = new QLineEdit(this);
  query_->setObjectName(QStringLiteral("编辑框查找"));
  query_->setGeometry(0, 0, 320, kRowHeight);
  query_->setPlaceholderText(QStringLiteral("查找单词或释义"));
  query_->setClearButtonEnabled(true);
  query_->installEventFilter(this);
  QPushButton* previous = Button(this, "按钮上一个", "上一个", QRect(328, 0, 74, kRowHeight));
  QPushButton* next = Button(this, "按钮下一个", "下一个", QRect(406, 0, 74, kRowHeight));
  wholeWord_ = Option(this, "复选框全字匹配", "全字匹配", QRect(0, kSecondRow, 92, kOptionHeight));
  matchCase_ =
      Option(this, "复选框区分大小写", "区分大小写", QRect(100, kSecondRow, 106, kOptionHeight));
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("标签查找结果"));
  status_->setGeometry(212, kSecondRow, kWidth - 212, kOptionHeight);
  status_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  connect(previous, &QPushButton::clicked, this, [this] { emit FindRequested(true); });
  connect(next, &QPushButton::clicked, this, [this] { emit FindRequested(false); });
  connect(query_, &QLineEdit::textEdited, this, &ListingFindBar::QueryChanged);
  connect(wholeWord_, &QCheckBox::toggled, this, &ListingFindBar::QueryChanged);
  connect(matchCase_, &QCheckBox::toggled, this, &ListingFindBar::QueryChanged);
}

QString ListingFindBar::query() const { return query_->text(); }

FindOptions ListingFindBar::options() const {
  return FindOptions{wholeWord_->isChecked(), matchCase_->isChecked()};
}

void ListingFindBar::SetStatus(const QString& text, bool failed) {
  status_->setText(text);
  QPalette palette = this->palette();
  if (failed) palette.setColor(QPalette::WindowText, QColor(0xB0, 0x20, 0x20));
  status_->setPalette(palette);
}

void ListingFindBar::FocusQuery() {
  query_->setFocus(Qt::ShortcutFocusReason);
  query_->selectAll();
}

bool ListingFindBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == query_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      emit FindRequested(key->modifiers().testFlag(Qt::ShiftModifier));
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace cindral
