// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/WordBookWindow.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>
#include <QTimer>

#include "core/KeyCodes.h"
#include "ui/Layouts.h"
#include "ui/Text.h"
#include "windows/ListingFindBar.h"

namespace cindral {

WordBookWindow::WordBookWindow(Database& db, QWidget* parent)
    : ModalWindow(WordBookWindowLayout(), parent), ui_(this), logic_(db) {
  ui_.listing->setReadOnly(true);
  ui_.listing->document()->setUndoRedoEnabled(false);
  logic_.Opened();
  // The last lines first, the box at its end; the rest in slices.
  const std::string& text = logic_.text();
  const std::size_t lines = LineOf(text, text.size()).number;
  linesAbove_ = lines > kFirstLines ? lines - kFirstLines : 0;
  shownFrom_ = LineStart(text, linesAbove_);
  ui_.listing->setPlainText(BoxText(shownFrom_, text.size()));
  ui_.listing->moveCursor(QTextCursor::End);
  ui_.listing->ensureCursorVisible();
  filler_ = new QTimer(this);
  filler_->setInterval(0);
  connect(filler_, &QTimer::timeout, this, [this] {
    if (!FillEarlierLines(false)) filler_->stop();
  });
  if (linesAbove_ > 0) filler_->start();
  // A found word stays marked while the keyboard is in the find bar.
  QPalette palette = ui_.listing->palette();
  for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  }
  ui_.listing->setPalette(palette);

  bar_ = new ListingFindBar(this);
  const QRect boxPlace = ui_.listing->geometry();
  bar_->move(boxPlace.left(), boxPlace.bottom() + 1 + ListingFindBar::kGapAbove);
  bar_->hide();
  connect(bar_, &ListingFindBar::FindRequested, this, [this](bool back) { Find(back, true); });
  connect(bar_, &ListingFindBar::QueryChanged, this, [this] { Find(false, false); });

  connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this,
          &WordBookWindow::ShowFindBar);
  connect(new QShortcut(QKeySequence(Qt::Key_F3), this), &QShortcut::activated, this,
          [this] { Find(false, true); });
  connect(new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), this), &QShortcut::activated, this,
          [this] { Find(true, true); });
  SetKeyHandler([this](QWidget*, int key) {
    if (key != kKeyEscape || !bar_->isVisible()) return false;
    HideFindBar();
    return true;
  });
  setFocus();
}

QString WordBookWindow::BoxText(std::size_t from, std::size_t to) const {
  // The listing's lines end in CR LF; the box breaks lines at LF alone. A
  // CR of its own (a meaning read from a file of CR LF lines split at LF)
  // shows as a space: the box would break the line there, and its lines
  // would no longer be the listing's.
  QString text = ToQString(logic_.text().substr(from, to - from));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char(' '));
  return text;
}

bool WordBookWindow::FillEarlierLines(bool all) {
  if (linesAbove_ == 0) return false;
  const std::size_t take = all ? linesAbove_ : std::min(linesAbove_, kSliceLines);
  const std::size_t from = LineStart(logic_.text(), linesAbove_ - take);
  // Whoever reads at the end stays at the end; anyone else keeps the lines
  // they are looking at.
  QScrollBar* scroll = ui_.listing->verticalScrollBar();
  const bool atEnd = scroll->value() == scroll->maximum();
  const int blocks = ui_.listing->document()->blockCount();
  QTextCursor top(ui_.listing->document());
  top.movePosition(QTextCursor::Start);
  top.insertText(BoxText(from, shownFrom_));
  linesAbove_ -= take;
  shownFrom_ = from;
  scroll->setValue(atEnd ? scroll->maximum()
                         : scroll->value() + ui_.listing->document()->blockCount() - blocks);
  return linesAbove_ > 0;
}

void WordBookWindow::ShowFindBar() {
  if (!bar_->isVisible()) {
    setFixedSize(WordBookWindowLayout().width,
                 bar_->y() + ListingFindBar::kHeight + ListingFindBar::kMarginBelow);
    bar_->show();
  }
  bar_->FocusQuery();
}

void WordBookWindow::HideFindBar() {
  bar_->hide();
  setFixedSize(WordBookWindowLayout().width, WordBookWindowLayout().height);
  ui_.listing->setFocus();
}

void WordBookWindow::Find(bool backward, bool again) {
  if (!bar_->isVisible()) ShowFindBar();
  // A find may land anywhere: every line in first.
  FillEarlierLines(true);
  filler_->stop();
  const QTextCursor cursor = ui_.listing->textCursor();
  const int from = backward || !again ? cursor.selectionStart() : cursor.selectionEnd();
  logic_.Find(FromQString(bar_->query()), bar_->options(), ListingOffset(from), backward);
  bar_->SetStatus(ToQString(logic_.findStatus()), !logic_.match().found);
  // No match selects nothing: the caret stays where the search started.
  const WordBookWindowLogic::Selection& shown = logic_.selection();
  const ListingLine first = LineOf(logic_.text(), shown.offset);
  QTextCursor selection(ui_.listing->document());
  selection.setPosition(BoxPosition(shown.offset, first));
  selection.setPosition(BoxPosition(shown.offset + shown.length, first), QTextCursor::KeepAnchor);
  ui_.listing->setTextCursor(selection);
  if (shown.length > 0) ui_.listing->ensureCursorVisible();
}

int WordBookWindow::BoxPosition(std::size_t offset, ListingLine known) const {
  const std::string& text = logic_.text();
  const ListingLine line = LineOf(text, offset, known);
  const QTextBlock block =
      ui_.listing->document()->findBlockByNumber(int(line.number - linesAbove_));
  if (!block.isValid()) return ui_.listing->document()->characterCount() - 1;
  const int column = int(ToQString(text.substr(line.start, offset - line.start)).size());
  return block.position() + std::min(column, block.length() - 1);
}

std::size_t WordBookWindow::ListingOffset(int position) const {
  const QTextBlock block = ui_.listing->document()->findBlock(position);
  if (!block.isValid()) return logic_.text().size();
  const std::size_t start =
      LineStart(logic_.text(), std::size_t(block.blockNumber()) + linesAbove_);
  return start + FromQString(block.text().left(position - block.position())).size();
}

void RunWordBookWindow(Database& db, QWidget* parent) {
  WordBookWindow window(db, parent);
  window.Open();
}

}  // namespace cindral
