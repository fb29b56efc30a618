// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PictureFile.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace cindral {
namespace {

// Sets Qt's limit on a decoded picture's memory for one read.
class AllocationLimit {
 public:
  explicit AllocationLimit(int megabytes) : previous_(QImageReader::allocationLimit()) {
    QImageReader::setAllocationLimit(megabytes);
  }
  ~AllocationLimit() { QImageReader::setAllocationLimit(previous_); }
  AllocationLimit(const AllocationLimit&) = delete;
  AllocationLimit& operator=(const AllocationLimit&) = delete;

 private:
  int previous_;
};

}  // namespace

PictureFile ReadPictureFile(const QString& path, const PictureLimits& limits) {
  PictureFile result;
  const QFileInfo info(path);
  // Only regular files: a pipe or a device could block or never end.
  if (!info.isFile()) return result;
  if (info.size() > limits.maxFileBytes) {
    result.outcome = PictureFile::Outcome::TooLarge;
    return result;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return result;
  QImageReader reader(&file);
  reader.setDecideFormatFromContent(true);
  if (!reader.canRead()) return result;
  const QSize size = reader.size();
  if (size.isValid() && qint64{size.width()} * size.height() > limits.maxPixels) {
    result.outcome = PictureFile::Outcome::TooLarge;
    return result;
  }
  // Formats that cannot tell their size beforehand are held by the limit.
  const qint64 megabytes = limits.maxPixels * 4 / (1024 * 1024) + 1;
  const AllocationLimit limit(static_cast<int>(qMin<qint64>(megabytes, 1024)));
  QImage image = reader.read();
  if (image.isNull()) return result;
  result.outcome = PictureFile::Outcome::Loaded;
  result.image = std::move(image);
  return result;
}

QStringList PictureNameFilters() {
  QStringList patterns;
  for (const QByteArray& format : QImageReader::supportedImageFormats()) {
    patterns << QStringLiteral("*.") + QString::fromLatin1(format);
  }
  return {QStringLiteral("图片文件 (%1)").arg(patterns.join(QLatin1Char(' '))),
          QStringLiteral("所有文件 (*)")};
}

}  // namespace cindral
