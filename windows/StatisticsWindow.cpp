// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/StatisticsWindow.h"

#include <QBuffer>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "ui/Guard.h"
#include "ui/Text.h"
#include "ui/WindowBuilder.h"

namespace cindral {
namespace {

// The picture's size in layout pixels: the picture box of the layout.
constexpr int kWidth = 760;
constexpr int kHeight = 530;
// Saved pictures are drawn at twice the layout size, sharp when printed.
constexpr qreal kSavedScale = 2;

const QColor kInk(40, 48, 60);
const QColor kMuted(120, 128, 140);
const QColor kLearningDay(236, 240, 244);
const QColor kReviewDay(234, 228, 247);
const QColor kLearned(74, 144, 217);
const QColor kDue(245, 166, 35);
const QColor kToday(208, 2, 27);
const QColor kBar(74, 144, 217);
const std::array<QColor, 5> kBandColours{QColor(231, 76, 60), QColor(243, 156, 18),
                                         QColor(241, 196, 15), QColor(46, 204, 113),
                                         QColor(39, 174, 96)};

QFont Face(int pixels, bool bold = false) {
  QFont font = LayoutFont({"微软雅黑", pixels});
  font.setBold(bold);
  return font;
}

void Title(QPainter& p, int x, int y, const QString& text) {
  p.setFont(Face(15, true));
  p.setPen(kInk);
  p.drawText(QPoint(x, y), text);
}

void LegendItem(QPainter& p, int& x, int y, const QColor& fill, const QColor& frame,
                const QString& text) {
  p.setPen(frame.isValid() ? QPen(frame, 2) : QPen(Qt::NoPen));
  p.setBrush(fill);
  p.drawRoundedRect(QRectF(x, y - 10, 12, 12), 2, 2);
  p.setPen(kMuted);
  p.setFont(Face(12));
  p.drawText(QPoint(x + 17, y), text);
  x += 17 + p.fontMetrics().horizontalAdvance(text) + 18;
}

// The 100 days in four rows of 25.
void DrawTimeline(QPainter& p, const StatisticsWindowLogic& logic) {
  Title(p, 20, 72, QStringLiteral("100 天课程"));
  constexpr int kLeft = 20, kTop = 84, kCell = 26, kStep = 28, kPerRow = 25;
  p.setFont(Face(10));
  for (const StatisticsWindowLogic::CourseDay& day : logic.days()) {
    const int index = day.number - 1;
    const QRectF cell(kLeft + (index % kPerRow) * kStep, kTop + (index / kPerRow) * kStep, kCell,
                      kCell);
    QColor fill = day.review ? kReviewDay : kLearningDay;
    if (day.learned) fill = kLearned;
    if (day.due) fill = kDue;
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(cell, 4, 4);
    if (day.today) {
      p.setPen(QPen(kToday, 2.5));
      p.setBrush(Qt::NoBrush);
      p.drawRoundedRect(cell.adjusted(1, 1, -1, -1), 4, 4);
    }
    p.setPen(day.learned || day.due ? Qt::white : kMuted);
    p.drawText(cell, Qt::AlignCenter, QString::number(day.number));
  }
  int x = kLeft;
  const int y = kTop + 4 * kStep + 16;
  LegendItem(p, x, y, kLearned, {}, QStringLiteral("已学习"));
  LegendItem(p, x, y, kDue, {}, QStringLiteral("今日复习"));
  LegendItem(p, x, y, kLearningDay, {}, QStringLiteral("学习阶段（1–88 天）"));
  LegendItem(p, x, y, kReviewDay, {}, QStringLiteral("复习阶段（89–100 天）"));
  LegendItem(p, x, y, Qt::white, kToday, QStringLiteral("今天"));
  if (!logic.courseStarted()) {
    p.setPen(kMuted);
    p.setFont(Face(12));
    p.drawText(QPoint(kLeft, y + 22),
               QStringLiteral("还没有开始学习：录入第一组单词后，这里会显示每一天的进度。"));
  }
}

// One bar per group, the highest scaled to the chart's height.
void DrawGroups(QPainter& p, const StatisticsWindowLogic& logic) {
  const QRect chart(50, 290, 420, 200);
  Title(p, 20, 270, QStringLiteral("每组单词数"));
  p.setPen(QPen(kMuted, 1));
  p.drawLine(chart.bottomLeft(), chart.bottomRight());
  const auto& groups = logic.groups();
  if (groups.empty()) {
    p.setFont(Face(12));
    p.drawText(chart, Qt::AlignCenter, QStringLiteral("单词本里还没有单词"));
    return;
  }
  int32_t most = 1;
  for (const auto& [group, words] : groups) most = std::max(most, words);
  p.setFont(Face(10));
  p.drawText(QRect(0, chart.top() - 6, chart.left() - 6, 12), Qt::AlignRight | Qt::AlignVCenter,
             QString::number(most));
  p.drawText(QRect(0, chart.bottom() - 6, chart.left() - 6, 12), Qt::AlignRight | Qt::AlignVCenter,
             QStringLiteral("0"));
  const qreal step = static_cast<qreal>(chart.width()) / static_cast<qreal>(groups.size());
  const qreal barWidth = std::max<qreal>(1, step * 0.75);
  // Label every k-th group so that the numbers never run together.
  const int labelEvery = std::max(1, static_cast<int>(30 / std::max<qreal>(step, 1)) + 1);
  int i = 0;
  for (const auto& [group, words] : groups) {
    const qreal height = chart.height() * static_cast<qreal>(words) / most;
    const QRectF bar(chart.left() + i * step + (step - barWidth) / 2, chart.bottom() - height,
                     barWidth, height);
    p.setPen(Qt::NoPen);
    p.setBrush(kBar);
    p.drawRect(bar);
    if (i % labelEvery == 0) {
      p.setPen(kMuted);
      p.drawText(QRectF(bar.center().x() - 20, chart.bottom() + 3, 40, 14), Qt::AlignCenter,
                 QString::number(group));
    }
    ++i;
  }
  p.setPen(kMuted);
  p.drawText(QRect(chart.left(), chart.bottom() + 18, chart.width(), 14), Qt::AlignCenter,
             QStringLiteral("组号"));
}

// The five proficiency bands as horizontal bars, and today's due count.
void DrawBands(QPainter& p, const StatisticsWindowLogic& logic) {
  constexpr int kLeft = 510, kBarLeft = 575, kBarRight = 690;
  Title(p, kLeft - 10, 270, QStringLiteral("熟练度分布"));
  int32_t most = 1;
  for (const auto& band : logic.bands()) most = std::max(most, band.words);
  int y = 290;
  for (size_t i = 0; i < logic.bands().size(); ++i) {
    const auto& band = logic.bands()[i];
    const QString label = band.low == band.high
                              ? QString::number(band.low)
                              : QStringLiteral("%1–%2").arg(band.low).arg(band.high);
    p.setFont(Face(12));
    p.setPen(kInk);
    p.drawText(QRect(kLeft - 10, y, kBarLeft - kLeft, 20), Qt::AlignLeft | Qt::AlignVCenter, label);
    const qreal width = (kBarRight - kBarLeft) * static_cast<qreal>(band.words) / most;
    p.setPen(Qt::NoPen);
    p.setBrush(kBandColours[i]);
    p.drawRoundedRect(QRectF(kBarLeft, y + 3, std::max<qreal>(width, 1), 14), 3, 3);
    p.setPen(kInk);
    p.drawText(QRect(kBarRight + 6, y, 60, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QString::number(band.words));
    y += 26;
  }
  p.setPen(kMuted);
  p.setFont(Face(13));
  p.drawText(QPoint(kLeft - 10, 448), QStringLiteral("今日待复习"));
  p.setPen(kDue.darker(120));
  p.setFont(Face(30, true));
  p.drawText(QPoint(kLeft - 10, 486), QStringLiteral("%1 个").arg(logic.dueCount()));
}

}  // namespace

StatisticsWindow::StatisticsWindow(Program& program, QWidget* parent)
    : ModalWindow(StatisticsWindowLayout(), parent), ui_(this), program_(program), logic_(program) {
  RunGuarded(program_.prompter(), [this] { logic_.Opened(); });
  QPixmap picture = QPixmap::fromImage(Picture(logic_, devicePixelRatioF()));
  picture.setDevicePixelRatio(devicePixelRatioF());
  ui_.picture->setPixmap(picture);
  connect(ui_.save, &QPushButton::clicked, this, [this] { ChooseFileAndSave(); });
}

QImage StatisticsWindow::Picture(const StatisticsWindowLogic& logic, qreal scale) {
  QImage image(QSize(kWidth, kHeight) * scale, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(scale);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  p.setPen(kInk);
  p.setFont(Face(20, true));
  p.drawText(QPoint(20, 38), QStringLiteral("学习进度"));
  p.setFont(Face(13));
  p.setPen(kMuted);
  QString summary = QStringLiteral("单词 %1 个　·　今日待复习 %2 个")
                        .arg(logic.wordCount())
                        .arg(logic.dueCount());
  if (logic.todayNumber() > 0) {
    summary += QStringLiteral("　·　今天是第 %1 天").arg(logic.todayNumber());
  }
  p.drawText(QRect(200, 18, kWidth - 220, 26), Qt::AlignRight | Qt::AlignVCenter, summary);

  DrawTimeline(p, logic);
  DrawGroups(p, logic);
  DrawBands(p, logic);
  return image;
}

std::string StatisticsWindow::PngFile() const {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly)) return {};
  if (!Picture(logic_, kSavedScale).save(&buffer, "PNG")) return {};
  return bytes.toStdString();
}

void StatisticsWindow::ChooseFileAndSave() {
  RunGuarded(program_.prompter(), [this] { logic_.SavePicture([this] { return PngFile(); }); });
}

void RunStatisticsWindow(Program& program, QWidget* parent) {
  StatisticsWindow window(program, parent);
  window.Open();
}

}  // namespace cindral
