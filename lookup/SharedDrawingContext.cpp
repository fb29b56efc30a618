// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/SharedDrawingContext.h"

#include <QCoreApplication>
#include <QOpenGLContext>

// The toolkit's own setter of the program-wide context: exported by QtGui,
// though not declared in its public headers. It is what the application
// object calls when asked for the context at start-up.
void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace cindral {

void ShareDrawingContexts() {
  if (QOpenGLContext::globalShareContext() != nullptr) return;
  // The engine reads this to learn that contexts are shared (the toolkit
  // warns that it comes late: the context below is what it would have made).
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  // Kept even when it cannot be made (a screen without OpenGL), as the
  // toolkit keeps its own: the engine then asks it for its format and
  // draws in software.
  auto* context = new QOpenGLContext(QCoreApplication::instance());
  context->create();
  qt_gl_set_global_share_context(context);
}

}  // namespace cindral
