// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a picture file that the learner chose, safely: anything Qt can
// decode is a picture; anything else (a text file, a directory, a device, a
// pipe, a damaged picture) is not. A file or picture too large for a
// background is refused before it is read into memory.

#include <QImage>
#include <QString>

namespace cindral {

struct PictureLimits {
  qint64 maxFileBytes = qint64{64} * 1024 * 1024;
  qint64 maxPixels = qint64{40} * 1000 * 1000;  // about 160 MB decoded
};

struct PictureFile {
  enum class Outcome { Loaded, NotAPicture, TooLarge };
  Outcome outcome = Outcome::NotAPicture;
  QImage image;  // set when Loaded
};

PictureFile ReadPictureFile(const QString& path, const PictureLimits& limits = {});

// The name filters of a file-open dialog for pictures: every format Qt
// reads, then all files.
QStringList PictureNameFilters();

}  // namespace cindral
