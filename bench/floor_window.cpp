// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of a start-up: a bare Qt Widgets window with five buttons,
// nothing read, nothing drawn by hand. goals_bench starts it beside the
// program and reports the program's start-up as a multiple of this one's.

#include <QApplication>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Cindral floor"));
  auto* layout = new QVBoxLayout(&window);
  for (int i = 1; i <= 5; ++i) {
    layout->addWidget(new QPushButton(QStringLiteral("Button %1").arg(i), &window));
  }
  window.resize(400, 300);
  window.show();
  return app.exec();
}
