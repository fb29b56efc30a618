// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where a window goes when the window system cannot move or size it and it
// follows the pointer by itself.

#include <gtest/gtest.h>

#include "skin/WindowDrag.h"

namespace cindral {
namespace {

TEST(WindowDragTest, MovesByThePointersTravel) {
  EXPECT_EQ(WindowDrag::Dragged(QRect(100, 50, 640, 440), {}, QPoint(-30, 12), QSize(640, 440)),
            QRect(70, 62, 640, 440));
}

TEST(WindowDragTest, SizesFromTheDraggedEdgesDownToTheMinimum) {
  const QRect start(100, 50, 700, 500);
  const QSize minimum(640, 440);
  EXPECT_EQ(WindowDrag::Dragged(start, Qt::RightEdge, QPoint(25, 99), minimum),
            QRect(100, 50, 725, 500));
  EXPECT_EQ(WindowDrag::Dragged(start, Qt::BottomEdge | Qt::RightEdge, QPoint(-100, -100), minimum),
            QRect(100, 50, 640, 440));
  // The top edge moves; the bottom stays where it was.
  EXPECT_EQ(WindowDrag::Dragged(start, Qt::TopEdge, QPoint(0, -20), minimum),
            QRect(100, 30, 700, 520));
  EXPECT_EQ(WindowDrag::Dragged(start, Qt::TopEdge | Qt::RightEdge, QPoint(10, 200), minimum),
            QRect(100, 110, 710, 440));
}

}  // namespace
}  // namespace cindral
