#include "windows/EntryWindow.h"

#include <QLineEdit>
#include <QPushButton>

#include "ui/ControlText.h"
#include "ui/Guard.h"
#include "ui/Layouts.h"
#include "ui/VirtualKey.h"
#include "ui/WindowBuilder.h"

namespace cindral {

EntryWindow::EntryWindow(Program& program, QWidget* parent)
    : ModalWindow(EntryWindowLayout(), parent),
      program_(program),
      logic_(program),
      wordBox_(Control<QLineEdit>(this, "编辑框输入单词")),
      meaningBox_(Control<QLineEdit>(this, "编辑框输入释义")) {
  connect(Control<QPushButton>(this, "按钮提交"), &QPushButton::clicked, this,
          [this] { Handle([this] { logic_.Submit(); }); });
  // Enter on the window or in either box submits.
  SetKeyHandler([this](QWidget* control, int key) {
    if (key != kKeyEnter) return false;
    if (control != this && control != wordBox_ && control != meaningBox_) return false;
    Handle([this] { logic_.KeyDown(kKeyEnter); });
    return true;
  });
  SetCloseQuery([this] {
    bool mayClose = false;
    RunGuarded(program_.prompter(), [&] { mayClose = logic_.QueryClose(); });
    return mayClose;
  });
  SetClosedHandler([this] { RunGuarded(program_.prompter(), [this] { logic_.Destroyed(); }); });
  Handle([this] { logic_.Created(); });
}

void EntryWindow::Handle(const std::function<void()>& handler) {
  logic_.SetWord(ControlText(wordBox_));
  logic_.SetMeaning(ControlText(meaningBox_));
  RunGuarded(program_.prompter(), handler);
  Show();
}

void EntryWindow::Show() {
  if (ControlText(wordBox_) != logic_.word()) SetControlText(wordBox_, logic_.word());
  if (ControlText(meaningBox_) != logic_.meaning()) SetControlText(meaningBox_, logic_.meaning());
  (logic_.focus() == EntryWindowLogic::Focus::Word ? wordBox_ : meaningBox_)->setFocus();
}

void RunEntryWindow(Program& program, QWidget* parent) {
  EntryWindow window(program, parent);
  window.Open();
}

}  // namespace cindral
