// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/AccessibleAreas.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <map>
#include <memory>

namespace cindral {
namespace {

// Holds a window's source, as a child object the accessibility factory
// finds the window by.
class AreaSourceHolder : public QObject {
 public:
  AreaSourceHolder(QWidget* window, AccessibleAreaSource source)
      : QObject(window), source_(std::move(source)) {
    setObjectName(QStringLiteral("cindral-accessible-areas"));
  }
  std::vector<AccessibleArea> Areas() const { return source_(); }

 private:
  AccessibleAreaSource source_;
};

AreaSourceHolder* HolderOf(QObject* object) {
  return object == nullptr ? nullptr
                           : object->findChild<AreaSourceHolder*>(
                                 QStringLiteral("cindral-accessible-areas"),
                                 Qt::FindDirectChildrenOnly);
}

// A click at the area's middle, through the window's own events, once the
// accessibility call has returned (a press may open a window of its own
// and wait for it).
void ClickAt(QWidget* window, QPoint point) {
  QPointer<QWidget> target(window);
  QTimer::singleShot(0, window, [target, point] {
    for (const QEvent::Type type :
         {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      if (target == nullptr) return;
      const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
      const Qt::MouseButtons held =
          type == QEvent::MouseButtonPress ? Qt::MouseButtons(Qt::LeftButton) : Qt::NoButton;
      QMouseEvent event(type, QPointF(point), QPointF(target->mapToGlobal(point)), button, held,
                        Qt::NoModifier);
      QCoreApplication::sendEvent(target, &event);
    }
  });
}

class AccessibleAreaItem : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  AccessibleAreaItem(QAccessibleInterface* parent, QWidget* window, int index)
      : parent_(parent), window_(window), index_(index) {}

  bool isValid() const override { return window_ != nullptr && Area() != nullptr; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return parent_->window(); }
  QAccessibleInterface* parent() const override { return parent_; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  void setText(QAccessible::Text, const QString&) override {}

  QString text(QAccessible::Text kind) const override {
    const std::unique_ptr<AccessibleArea> area = Area();
    return area != nullptr && kind == QAccessible::Name ? area->name : QString();
  }
  QAccessible::Role role() const override {
    const std::unique_ptr<AccessibleArea> area = Area();
    return area != nullptr ? area->role : QAccessible::NoRole;
  }
  QAccessible::State state() const override {
    QAccessible::State state;
    const std::unique_ptr<AccessibleArea> area = Area();
    if (area == nullptr) {
      state.invalid = true;
      return state;
    }
    state.invisible = !area->shown || !window_->isVisible();
    state.checkable = area->checkable;
    state.checked = area->checked;
    return state;
  }
  QRect rect() const override {
    const std::unique_ptr<AccessibleArea> area = Area();
    if (area == nullptr) return {};
    return QRect(window_->mapToGlobal(area->rect.topLeft()), area->rect.size());
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
  }
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& action) override {
    const std::unique_ptr<AccessibleArea> area = Area();
    if (area == nullptr || !area->shown || action != pressAction()) return;
    ClickAt(window_, area->rect.center());
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  std::unique_ptr<AccessibleArea> Area() const {
    AreaSourceHolder* holder = HolderOf(window_);
    if (holder == nullptr) return nullptr;
    std::vector<AccessibleArea> areas = holder->Areas();
    if (index_ >= static_cast<int>(areas.size())) return nullptr;
    return std::make_unique<AccessibleArea>(std::move(areas[index_]));
  }

  QAccessibleInterface* parent_;
  QPointer<QWidget> window_;
  int index_;
};

// The window, with its drawn areas after its child widgets.
class AccessibleAreasWindow : public QAccessibleWidget {
 public:
  explicit AccessibleAreasWindow(QWidget* window)
      : QAccessibleWidget(window, window->isWindow() ? QAccessible::Window : QAccessible::Client) {}
  ~AccessibleAreasWindow() override {
    for (const auto& [index, id] : items_) QAccessible::deleteAccessibleInterface(id);
  }

  int childCount() const override { return QAccessibleWidget::childCount() + AreaCount(); }
  QAccessibleInterface* child(int index) const override {
    const int widgets = QAccessibleWidget::childCount();
    if (index < widgets) return QAccessibleWidget::child(index);
    const int area = index - widgets;
    if (area < 0 || area >= AreaCount()) return nullptr;
    auto found = items_.find(area);
    if (found != items_.end()) return QAccessible::accessibleInterface(found->second);
    auto* item = new AccessibleAreaItem(const_cast<AccessibleAreasWindow*>(this), widget(), area);
    items_[area] = QAccessible::registerAccessibleInterface(item);
    return item;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (const auto& [index, id] : items_) {
      if (QAccessible::accessibleInterface(id) == child) {
        return QAccessibleWidget::childCount() + index;
      }
    }
    return QAccessibleWidget::indexOfChild(child);
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    for (int i = childCount() - 1; i >= 0; --i) {
      QAccessibleInterface* c = child(i);
      if (c != nullptr && !c->state().invisible && c->rect().contains(x, y)) return c;
    }
    return nullptr;
  }

 private:
  int AreaCount() const {
    AreaSourceHolder* holder = HolderOf(widget());
    return holder == nullptr ? 0 : static_cast<int>(holder->Areas().size());
  }

  mutable std::map<int, QAccessible::Id> items_;
};

QAccessibleInterface* AreasFactory(const QString&, QObject* object) {
  if (!object->isWidgetType() || HolderOf(object) == nullptr) return nullptr;
  return new AccessibleAreasWindow(static_cast<QWidget*>(object));
}

}  // namespace

void ExposeAccessibleAreas(QWidget* window, AccessibleAreaSource source) {
  static const bool installed = (QAccessible::installFactory(AreasFactory), true);
  (void)installed;
  new AreaSourceHolder(window, std::move(source));
}

}  // namespace cindral
