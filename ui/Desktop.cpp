// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Desktop.h"

#include <QApplication>
#include <QFont>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "ui/InstalledFace.h"

namespace cindral {

void PrepareDesktopProcess() {
  // Nothing is asked here for the web engine of the dictionary pages: its
  // module arranges what it needs when the first learning card opens.
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
      Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
}

bool PrepareDesktop(QApplication& app) {
  QFont::insertSubstitutions(
      QStringLiteral("微软雅黑"),
      {QStringLiteral("Microsoft YaHei"), QStringLiteral("WenQuanYi Micro Hei"),
       QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Droid Sans Fallback")});
  QFont::insertSubstitutions(
      QStringLiteral("宋体"),
      {QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN"),
       QStringLiteral("AR PL SungtiL GB"), QStringLiteral("Noto Serif CJK SC")});

  // Message boxes and controls without a layout font speak in the main
  // face, at the desktop's usual size.
  QFont font = QApplication::font();
  SetLayoutFace(&font, QStringLiteral("微软雅黑"));
  QApplication::setFont(font);

  // The desktop entry the windows belong to. A Wayland compositor knows a
  // window's program only by this id (the window's app id), and takes its
  // name and icon from the entry.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.cindral.Cindral"));

  auto* translator = new QTranslator(&app);
  if (translator->load(QStringLiteral("qtbase_zh_CN"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
      QCoreApplication::installTranslator(translator)) {
    return true;
  }
  delete translator;
  return false;
}

}  // namespace cindral
