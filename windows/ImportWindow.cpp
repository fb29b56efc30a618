// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/ImportWindow.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

#include "ui/ControlText.h"
#include "ui/Text.h"

namespace cindral {
namespace {

// A cell that shows its text as it is (never as markup) and cannot be edited.
QTableWidgetItem* Cell(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return item;
}

void Fill(QTableWidget* table, int rows, const std::function<QStringList(int)>& row) {
  table->setUpdatesEnabled(false);
  table->clearContents();
  table->setRowCount(rows);
  for (int r = 0; r < rows; ++r) {
    const QStringList cells = row(r);
    for (int c = 0; c < cells.size(); ++c) table->setItem(r, c, Cell(cells[c]));
  }
  table->resizeColumnToContents(0);
  table->setUpdatesEnabled(true);
}

}  // namespace

ImportWindow::ImportWindow(Program& program, QWidget* parent)
    : LogicWindow(program, ImportWindowLayout(), parent), ui_(this) {
  ui_.words->setColumnWidth(1, 200);
  HandleClicks(ui_.importButton, &ImportWindowLogic::ImportButton);
  HandleClicks(ui_.cancelButton, &ImportWindowLogic::CancelButton);
  for (QComboBox* combo : {ui_.wordColumn.get(), ui_.meaningColumn.get()}) {
    connect(combo, QOverload<int>::of(&QComboBox::activated), this,
            [this] {
              const int word = ui_.wordColumn->currentIndex();
              const int meaning = ui_.meaningColumn->currentIndex();
              if (word < 0 || meaning < 0) return;
              Handle([this, word, meaning] {
                logic_.ChooseColumns(static_cast<std::size_t>(word),
                                     static_cast<std::size_t>(meaning));
              });
            });
  }
  HandleClose(&ImportWindowLogic::Destroyed);
}

void ImportWindow::Run() {
  Handle(&ImportWindowLogic::Opened);
  Open();
}

void ImportWindow::Load(const std::string& path) {
  Handle([this, path] { logic_.LoadFile(path); });
}

void ImportWindow::Show() {
  SetControlText(ui_.file, logic_.fileText());
  SetControlText(ui_.encoding, logic_.encodingText());
  SetControlText(ui_.summary, logic_.summaryText());
  ShowColumns();
  const auto& words = logic_.words();
  Fill(ui_.words, static_cast<int>(words.size()), [&](int r) {
    const ListedWord& w = words[static_cast<size_t>(r)];
    return QStringList{QString::number(w.line), ToQString(w.word), ToQString(w.meaning)};
  });
  const auto& problems = logic_.problems();
  Fill(ui_.problems, static_cast<int>(problems.size()), [&](int r) {
    const ListProblem& p = problems[static_cast<size_t>(r)];
    return QStringList{QString::number(p.line), ToQString(p.reason)};
  });
  ui_.importButton->setEnabled(logic_.importEnabled());
  if (logic_.closed() && !IsClosed()) CloseWindow();
}

void ImportWindow::ShowColumns() {
  const std::vector<std::string>& names = logic_.columnNames();
  const bool choice = !names.empty();
  const std::pair<QComboBox*, std::size_t> combos[] = {{ui_.wordColumn, logic_.wordColumn()},
                                                       {ui_.meaningColumn, logic_.meaningColumn()}};
  for (const auto& [combo, chosen] : combos) {
    combo->clear();
    for (const std::string& column : names) combo->addItem(ToQString(column));
    combo->setCurrentIndex(choice ? static_cast<int>(chosen) : -1);
    combo->setVisible(choice);
  }
  ui_.wordColumnTitle->setVisible(choice);
  ui_.meaningColumnTitle->setVisible(choice);
  // A header line heads the table with its own names.
  const std::vector<std::string>& header = logic_.header();
  const auto heading = [&](std::size_t column, const char* otherwise) {
    return column < header.size() && !header[column].empty() ? ToQString(header[column])
                                                             : QString::fromUtf8(otherwise);
  };
  ui_.words->setHorizontalHeaderLabels({QStringLiteral("行"), heading(logic_.wordColumn(), "单词"),
                                        heading(logic_.meaningColumn(), "释义")});
}

void RunImportWindow(Program& program, QWidget* parent) {
  ImportWindow window(program, parent);
  window.Run();
}

}  // namespace cindral
