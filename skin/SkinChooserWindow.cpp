// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/SkinChooserWindow.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "draw/SkinColor.h"
#include "draw/SkinGraphics.h"
#include "draw/SkinRegion.h"
#include "skin/AccessibleAreas.h"
#include "skin/SkinChooser.h"

namespace cindral {

SkinChooserWindow::SkinChooserWindow(SkinChooser& chooser, QWidget* owner, bool composited)
    : chooser_(chooser), owner_(owner) {
  popup_ = new QWidget(owner, Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint);
  popup_->setObjectName(QStringLiteral("SkinEdit10"));
  popup_->setAttribute(Qt::WA_NoMouseReplay);
  popup_->setMouseTracking(true);
  popup_->setFixedSize(SkinChooser::kWidth, SkinChooser::kHeight);
  subclass_.Subclass(popup_, [this](QEvent* event) { return Procedure(event); });
  // Opaque, the soft edge of the picture falls on white, as it does on the
  // main window's client panel beneath.
  subclass_.SetLayered(composited, Qt::white);
  if (!composited) popup_->setMask(Outline());
  ExposeAccessibleAreas(popup_, [this] { return ChooserAreas(); });
}

std::vector<AccessibleArea> SkinChooserWindow::ChooserAreas() const {
  const auto rect = [](const FrameRect& r) { return QRect(r.left, r.top, r.width, r.height); };
  const auto selected = [](int state) {
    return state == SkinChooser::kSelected || state == SkinChooser::kSelectedHover;
  };
  std::vector<AccessibleArea> areas;
  const QString tabNames[] = {QStringLiteral("皮肤图片"), QStringLiteral("皮肤颜色")};
  for (size_t i = 0; i < chooser_.tabs().size(); ++i) {
    const SkinChooser::Tab& tab = chooser_.tabs()[i];
    areas.push_back({tabNames[i], QAccessible::PageTab, rect(tab.rect), true, true,
                     selected(tab.state)});
  }
  const bool pictures = chooser_.PicturesPageShown();
  for (const SkinChooser::Thumbnail& thumbnail : chooser_.thumbnails()) {
    areas.push_back({QStringLiteral("皮肤图片 %1").arg(thumbnail.index), QAccessible::Button,
                     rect(thumbnail.rect), pictures, true, selected(thumbnail.state)});
  }
  // A swatch by its colour as #RRGGBB.
  for (const SkinChooser::Swatch& swatch : chooser_.swatches()) {
    const QColor colour = SkinColor::ToQColor(SkinColor::Argb(swatch.colour, 255));
    const QString name = QStringLiteral("颜色 ") + colour.name(QColor::HexRgb).toUpper();
    areas.push_back({name, QAccessible::Button, rect(swatch.hit), !pictures, true,
                     swatch.state == SkinChooser::kSelected});
  }
  return areas;
}

QRegion SkinChooserWindow::Outline() {
  return SkinRegion::Rounded(0, 0, SkinChooser::kWidth + 1, SkinChooser::kHeight + 1, 8, 8);
}

SkinChooserWindow::~SkinChooserWindow() {
  subclass_.Unsubclass();
  delete popup_.data();
}

void SkinChooserWindow::Run(QPoint screenPosition) {
  popup_->move(screenPosition);
  // Another window or program becoming active takes the focus away.
  QObject guard;
  QObject::connect(qApp, &QGuiApplication::focusWindowChanged, &guard, [this](QWindow* focus) {
    if (focus == nullptr || popup_ == nullptr) return;
    // The main window's focus may come back late (from a box closed just
    // before), before Qt names it the active window.
    if (owner_ != nullptr && focus == owner_->windowHandle()) return;
    const QWidget* top = QApplication::activeWindow();
    if (focus != popup_->windowHandle() && top != popup_ && top != owner_) Close();
  });
  QObject::connect(qApp, &QGuiApplication::applicationStateChanged, &guard,
                   [this](Qt::ApplicationState state) {
                     if (state != Qt::ApplicationActive) Close();
                   });
  popup_->show();
  if (popup_ == nullptr || !popup_->isVisible()) Close();
  loop_.Run();
}

void SkinChooserWindow::Close() { loop_.Close(popup_); }

bool SkinChooserWindow::Procedure(QEvent* event) {
  switch (event->type()) {
    case QEvent::Paint: {
      QPainter& painter = subclass_.BeginLayeredPaint();
      SkinGraphics g(painter);
      g.SetSmoothingMode(SkinGraphics::kHighQuality);
      chooser_.Paint(g);
      subclass_.EndBufferedPaint();
      return true;
    }
    case QEvent::MouseMove: {
      const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
      if (chooser_.OnMouseMove(p.x(), p.y())) popup_->repaint();
      return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      const QPoint p = mouse->position().toPoint();
      if (mouse->button() == Qt::RightButton) {
        // A right press outside is a press that finds the chooser no longer in charge.
        if (!popup_->rect().contains(p)) Close();
        return true;
      }
      if (mouse->button() != Qt::LeftButton) return true;
      bool changed = false;
      if (chooser_.OnLeftButtonDown(p.x(), p.y(), &changed) == SkinChooser::Press::kClose) {
        Close();
      } else if (changed) {
        popup_->repaint();
      }
      return true;
    }
    case QEvent::WindowDeactivate:
    case QEvent::Close:
    case QEvent::Hide:
      Close();
      return false;
    case QEvent::KeyPress:
      // Escape closes it, as any popup.
      if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) Close();
      return true;
    default:
      return false;
  }
}

}  // namespace cindral
