// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/AddressLine.h"

#include <QLabel>
#include <QVBoxLayout>

namespace cindral {

QLabel* AddAddressLine(QWidget* place) {
  auto* layout = qobject_cast<QVBoxLayout*>(place->layout());
  if (layout == nullptr) {
    layout = new QVBoxLayout(place);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
  }
  auto* line = new QLabel(place);
  line->setTextFormat(Qt::PlainText);
  line->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  line->setWordWrap(true);
  line->setTextInteractionFlags(Qt::TextSelectableByMouse);
  line->setContentsMargins(12, 12, 12, 12);
  layout->addWidget(line);
  return line;
}

}  // namespace cindral
