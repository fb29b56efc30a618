// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/ImportWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

#include "ui/ControlText.h"
#include "ui/Guard.h"
#include "ui/Layouts.h"
#include "ui/Text.h"
#include "ui/WindowBuilder.h"

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
    : ModalWindow(ImportWindowLayout(), parent), program_(program), logic_(program) {
  auto* words = Control<QTableWidget>(this, "表格单词");
  words->setColumnWidth(1, 150);
  words->setColumnWidth(2, 220);
  connect(Control<QPushButton>(this, "按钮导入"), &QPushButton::clicked, this,
          [this] { Handle([this] { logic_.ImportButton(); }); });
  connect(Control<QPushButton>(this, "按钮取消"), &QPushButton::clicked, this,
          [this] { Handle([this] { logic_.CancelButton(); }); });
  for (const char* name : {"下拉单词列", "下拉释义列"}) {
    connect(Control<QComboBox>(this, name), QOverload<int>::of(&QComboBox::activated), this,
            [this] {
              const int word = Control<QComboBox>(this, "下拉单词列")->currentIndex();
              const int meaning = Control<QComboBox>(this, "下拉释义列")->currentIndex();
              if (word < 0 || meaning < 0) return;
              Handle([this, word, meaning] {
                logic_.ChooseColumns(static_cast<std::size_t>(word),
                                     static_cast<std::size_t>(meaning));
              });
            });
  }
  connect(Control<QCheckBox>(this, "复选框也导入已有"), &QCheckBox::clicked, this,
          [this](bool checked) { Handle([this, checked] { logic_.TakeKnownWords(checked); }); });
  SetClosedHandler([this] { RunGuarded(program_.prompter(), [this] { logic_.Destroyed(); }); });
}

void ImportWindow::Run() {
  Handle([this] { logic_.Opened(); });
  Open();
}

void ImportWindow::Load(const std::string& path) {
  Handle([this, path] { logic_.LoadFile(path); });
}

void ImportWindow::Handle(const std::function<void()>& handler) {
  RunGuarded(program_.prompter(), handler);
  Show();
}

void ImportWindow::Show() {
  SetControlText(Control<QWidget>(this, "标签文件"), logic_.fileText());
  SetControlText(Control<QWidget>(this, "标签编码"), logic_.encodingText());
  SetControlText(Control<QWidget>(this, "标签摘要"), logic_.summaryText());
  SetControlText(Control<QWidget>(this, "标签一组"), logic_.groupText());
  auto* known = Control<QCheckBox>(this, "复选框也导入已有");
  known->setVisible(logic_.knownWordsChoice());
  known->setChecked(logic_.takeKnownWords());
  ShowColumns();
  const auto& words = logic_.words();
  Fill(
      Control<QTableWidget>(this, "表格单词"), static_cast<int>(words.size()),
      [&](int r) {
        const ListedWord& w = words[static_cast<size_t>(r)];
        return QStringList{QString::number(w.line), ToQString(w.word), ToQString(w.meaning),
                           ToQString(logic_.marks()[static_cast<size_t>(r)])};
      },
      [&](int r) { return !logic_.Takes(static_cast<size_t>(r)); });
  const auto& problems = logic_.problems();
  Fill(Control<QTableWidget>(this, "表格问题"), static_cast<int>(problems.size()), [&](int r) {
    const ListProblem& p = problems[static_cast<size_t>(r)];
    return QStringList{QString::number(p.line), ToQString(p.reason)};
  });
  Control<QPushButton>(this, "按钮导入")->setEnabled(logic_.importEnabled());
  if (logic_.closed() && !IsClosed()) CloseWindow();
}

void ImportWindow::ShowColumns() {
  const std::vector<std::string>& names = logic_.columnNames();
  const bool choice = !names.empty();
  const std::pair<const char*, std::size_t> combos[] = {{"下拉单词列", logic_.wordColumn()},
                                                        {"下拉释义列", logic_.meaningColumn()}};
  for (const auto& [name, chosen] : combos) {
    auto* combo = Control<QComboBox>(this, name);
    combo->clear();
    for (const std::string& column : names) combo->addItem(ToQString(column));
    combo->setCurrentIndex(choice ? static_cast<int>(chosen) : -1);
    combo->setVisible(choice);
  }
  Control<QWidget>(this, "标签单词列")->setVisible(choice);
  Control<QWidget>(this, "标签释义列")->setVisible(choice);
  // A header line heads the table with its own names.
  const std::vector<std::string>& header = logic_.header();
  const auto heading = [&](std::size_t column, const char* otherwise) {
    return column < header.size() && !header[column].empty() ? ToQString(header[column])
                                                             : QString::fromUtf8(otherwise);
  };
  Control<QTableWidget>(this, "表格单词")
      ->setHorizontalHeaderLabels({QStringLiteral("行"), heading(logic_.wordColumn(), "单词"),
                                   heading(logic_.meaningColumn(), "释义"),
                                   QStringLiteral("已有")});
}

void RunImportWindow(Program& program, QWidget* parent) {
  ImportWindow window(program, parent);
  window.Run();
}

}  // namespace cindral
