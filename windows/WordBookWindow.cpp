#include "windows/WordBookWindow.h"

#include <QPlainTextEdit>

#include "logic/WordBookWindowLogic.h"
#include "ui/Layouts.h"
#include "ui/Text.h"
#include "ui/WindowBuilder.h"

namespace cindral {

WordBookWindow::WordBookWindow(Database& db, QWidget* parent)
    : ModalWindow(WordBookWindowLayout(), parent) {
  auto* box = Control<QPlainTextEdit>(this, "编辑框单词本");
  box->setReadOnly(true);
  WordBookWindowLogic logic(db);
  logic.Opened();
  // The listing's lines end in CR LF; the box breaks lines at LF alone.
  QString text = ToQString(logic.text());
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  box->setPlainText(text);
  box->moveCursor(QTextCursor::End);
  box->ensureCursorVisible();
  setFocus();
}

void RunWordBookWindow(Database& db, QWidget* parent) {
  WordBookWindow window(db, parent);
  window.Open();
}

}  // namespace cindral
