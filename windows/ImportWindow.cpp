#include "windows/ImportWindow.h"

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
    : ModalWindow(ImportWindowLayout(), parent), program_(program), logic_(program) {
  auto* words = Control<QTableWidget>(this, "表格单词");
  words->setColumnWidth(1, 200);
  connect(Control<QPushButton>(this, "按钮导入"), &QPushButton::clicked, this,
          [this] { Handle([this] { logic_.ImportButton(); }); });
  connect(Control<QPushButton>(this, "按钮取消"), &QPushButton::clicked, this,
          [this] { Handle([this] { logic_.CancelButton(); }); });
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
  const auto& words = logic_.words();
  Fill(Control<QTableWidget>(this, "表格单词"), static_cast<int>(words.size()), [&](int r) {
    const ListedWord& w = words[static_cast<size_t>(r)];
    return QStringList{QString::number(w.line), ToQString(w.word), ToQString(w.meaning)};
  });
  const auto& problems = logic_.problems();
  Fill(Control<QTableWidget>(this, "表格问题"), static_cast<int>(problems.size()), [&](int r) {
    const ListProblem& p = problems[static_cast<size_t>(r)];
    return QStringList{QString::number(p.line), ToQString(p.reason)};
  });
  Control<QPushButton>(this, "按钮导入")->setEnabled(logic_.importEnabled());
  if (logic_.closed() && !IsClosed()) CloseWindow();
}

void RunImportWindow(Program& program, QWidget* parent) {
  ImportWindow window(program, parent);
  window.Run();
}

}  // namespace cindral
