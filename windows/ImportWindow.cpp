// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/ImportWindow.h"

#include <QCheckBox>
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

// Rows for which `dim` says so are greyed: they will not be taken.
void Fill(QTableWidget* table, int rows, const std::function<QStringList(int)>& row,
          const std::function<bool(int)>& dim = nullptr) {
  table->setUpdatesEnabled(false);
  table->clearContents();
  table->setRowCount(rows);
  const QBrush grey = table->palette().brush(QPalette::Disabled, QPalette::Text);
  for (int r = 0; r < rows; ++r) {
    const QStringList cells = row(r);
    const bool dimmed = dim && dim(r);
    for (int c = 0; c < cells.size(); ++c) {
      QTableWidgetItem* item = Cell(cells[c]);
      if (dimmed) item->setForeground(grey);
      table->setItem(r, c, item);
    }
  }
  table->resizeColumnToContents(0);
  table->setUpdatesEnabled(true);
}

}  // namespace

ImportWindow::ImportWindow(Program& program, QWidget* parent)
    : LogicWindow(program, ImportWindowLayout(), parent), ui_(this) {
  ui_.words->setColumnWidth(1, 150);
  ui_.words->setColumnWidth(2, 220);
  HandleClicks(ui_.importButton, &ImportWindowLogic::ImportButton);
  HandleClicks(ui_.cancelButton, &ImportWindowLogic::CancelButton);
  for (QComboBox* combo : {ui_.wordColumn.get(), ui_.meaningColumn.get()}) {
    connect(combo, QOverload<int>::of(&QComboBox::activated), this, [this] {
      const int word = ui_.wordColumn->currentIndex();
      const int meaning = ui_.meaningColumn->currentIndex();
      if (word < 0 || meaning < 0) return;
      Handle([this, word, meaning] {
        logic_.ChooseColumns(static_cast<std::size_t>(word), static_cast<std::size_t>(meaning));
      });
    });
  }
  // An e-reader's meanings are edited in the table.
  connect(ui_.words, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (filling_ || item->column() != 2) return;
    const std::size_t row = static_cast<std::size_t>(item->row());
    if (!logic_.Editable(row)) return;
    std::string meaning = FromQString(item->text());
    // After the edit has ended: showing the result fills the table anew,
    // which takes away the item being edited.
    QMetaObject::invokeMethod(
        this, [this, row, meaning] { Handle([&] { logic_.EditMeaning(row, meaning); }); },
        Qt::QueuedConnection);
  });
  connect(ui_.takeKnown, &QCheckBox::clicked, this,
          [this](bool checked) { Handle([this, checked] { logic_.TakeKnownWords(checked); }); });
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
  SetControlText(ui_.oneGroup, logic_.groupText());
  ui_.takeKnown->setVisible(logic_.knownWordsChoice());
  ui_.takeKnown->setChecked(logic_.takeKnownWords());
  ShowColumns();
  const auto& words = logic_.words();
  filling_ = true;
  Fill(
      ui_.words, static_cast<int>(words.size()),
      [&](int r) {
        const ListedWord& w = words[static_cast<size_t>(r)];
        return QStringList{QString::number(w.line), ToQString(w.word), ToQString(w.meaning),
                           ToQString(logic_.marks()[static_cast<size_t>(r)])};
      },
      [&](int r) { return !logic_.Takes(static_cast<size_t>(r)); });
  ShowMeanings();
  if (logic_.fromEReader()) ShowEReaderWords();
  filling_ = false;
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
  if (logic_.fromEReader()) {
    ui_.words->setColumnCount(6);
    ui_.words->setHorizontalHeaderLabels({QStringLiteral("序号"), QStringLiteral("单词"),
                                          QStringLiteral("释义（可修改）"), QStringLiteral("已有"),
                                          QStringLiteral("例句"), QStringLiteral("书名")});
    // The sentence gets the room; 已有 only when a word is in the book.
    const int widths[] = {36, 100, 150, 120, 240, 110};
    for (int c = 0; c < 6; ++c) ui_.words->setColumnWidth(c, widths[c]);
    ui_.words->setColumnHidden(3, !logic_.knownWordsChoice());
    return;
  }
  ui_.words->setHorizontalHeaderLabels({QStringLiteral("行"), heading(logic_.wordColumn(), "单词"),
                                        heading(logic_.meaningColumn(), "释义"),
                                        QStringLiteral("已有")});
}

void ImportWindow::ShowMeanings() {
  QTableWidget* table = ui_.words;
  const QColor suggested = table->palette().color(QPalette::Link);
  for (int r = 0; r < table->rowCount(); ++r) {
    const std::size_t i = static_cast<std::size_t>(r);
    if (!logic_.Editable(i)) continue;
    QTableWidgetItem* meaning = table->item(r, 2);
    meaning->setFlags(meaning->flags() | Qt::ItemIsEditable);
    if (logic_.Suggested(i)) {
      meaning->setForeground(suggested);
      meaning->setToolTip(QStringLiteral("释义索引（CC-CEDICT）的建议，双击可以修改"));
    } else {
      meaning->setToolTip(QStringLiteral("双击可以修改；没有释义的单词不导入"));
    }
  }
}

void ImportWindow::ShowEReaderWords() {
  QTableWidget* table = ui_.words;
  const std::vector<EReaderWord>& met = logic_.met();
  for (int r = 0; r < table->rowCount(); ++r) {
    const std::size_t i = static_cast<std::size_t>(r);
    table->setItem(r, 4, Cell(ToQString(met[i].sentence)));
    table->setItem(r, 5, Cell(ToQString(met[i].book)));
    table->item(r, 4)->setToolTip(ToQString(met[i].sentence));
  }
}

void RunImportWindow(Program& program, QWidget* parent) {
  ImportWindow window(program, parent);
  window.Run();
}

}  // namespace cindral
