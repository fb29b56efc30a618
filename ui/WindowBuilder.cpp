// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowBuilder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <utility>

#include "ui/ControlText.h"
#include "ui/FittingLabel.h"
#include "ui/FittingRadioButton.h"
#include "ui/InstalledFace.h"
#include "ui/PictureButton.h"
#include "ui/SpeakerButton.h"
#include "ui/WrappingButton.h"

namespace cindral {
namespace {

QStringList Lines(const char* text) {
  if (text == nullptr || *text == '\0') return {};
  return QString::fromUtf8(text).split(QLatin1Char('\n'));
}

// "单选框单词3" -> ("单选框单词", 3); a name without a trailing number -> (name, 0).
std::pair<QString, int> SplitTrailingNumber(const QString& name) {
  qsizetype digits = 0;
  while (digits < name.size() && name[name.size() - 1 - digits].isDigit() &&
         name[name.size() - 1 - digits].unicode() < 128) {
    ++digits;
  }
  if (digits == 0 || digits > 6) return {name, 0};
  return {name.left(name.size() - digits), name.right(digits).toInt()};
}

QWidget* MakeWidget(const ControlLayout& layout, QWidget* parent) {
  const QString text = QString::fromUtf8(layout.text ? layout.text : "");
  switch (layout.kind) {
    case ControlKind::Label: {
      auto* label = new FittingLabel(parent);
      label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      SetControlQText(label, text);
      return label;
    }
    case ControlKind::Button: {
      auto* button = new WrappingButton(parent);
      button->setAutoDefault(false);
      button->setDefault(false);
      SetControlQText(button, text);
      return button;
    }
    case ControlKind::Edit: {
      auto* edit = new QLineEdit(parent);
      edit->setAttribute(Qt::WA_InputMethodEnabled, true);
      return edit;
    }
    case ControlKind::MultiLineEdit: {
      auto* memo = new QPlainTextEdit(parent);
      memo->setAttribute(Qt::WA_InputMethodEnabled, true);
      return memo;
    }
    case ControlKind::RadioButton: {
      auto* radio = new FittingRadioButton(parent);
      SetControlQText(radio, text);
      return radio;
    }
    case ControlKind::GroupBox: {
      auto* group = new QGroupBox(parent);
      SetControlQText(group, text);
      return group;
    }
    case ControlKind::ComboBox: {
      auto* combo = new QComboBox(parent);
      combo->setEditable(false);
      combo->addItems(Lines(layout.text));
      combo->setCurrentIndex(-1);
      return combo;
    }
    case ControlKind::ProgressBar: {
      auto* bar = new QProgressBar(parent);
      bar->setRange(0, 100);
      bar->setValue(0);
      bar->setTextVisible(false);
      bar->setOrientation(layout.height > layout.width ? Qt::Vertical : Qt::Horizontal);
      return bar;
    }
    case ControlKind::TabControl: {
      auto* tabs = new QTabWidget(parent);
      // The tab pages start 23 pixels down; the tab strip must end there
      // or the pages would cover the lower edge of the tabs.
      tabs->setStyleSheet(QStringLiteral("QTabBar::tab { height: 23px; }"));
      for (const QString& title : Lines(layout.text)) tabs->addTab(new QWidget, title);
      return tabs;
    }
    case ControlKind::WebView: {
      // An empty place; the learning card puts its dictionary pages there.
      return new QWidget(parent);
    }
    case ControlKind::PictureButton: {
      auto* button = new PictureButton(parent);
      SetControlQText(button, text);
      return button;
    }
    case ControlKind::PictureBox: {
      auto* picture = new QLabel(parent);
      picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return picture;
    }
    case ControlKind::SpeakerButton:
      return new SpeakerButton(parent);
    case ControlKind::Table: {
      auto* table = new QTableWidget(parent);
      const QStringList titles = Lines(layout.text);
      table->setColumnCount(static_cast<int>(titles.size()));
      table->setHorizontalHeaderLabels(titles);
      table->setEditTriggers(QAbstractItemView::NoEditTriggers);
      table->setSelectionBehavior(QAbstractItemView::SelectRows);
      table->setWordWrap(false);
      table->horizontalHeader()->setStretchLastSection(true);
      table->verticalHeader()->setVisible(false);
      return table;
    }
    case ControlKind::CheckBox: {
      auto* box = new QCheckBox(parent);
      SetControlQText(box, text);
      return box;
    }
    case ControlKind::Timer:
    case ControlKind::FileDialog:
      break;
  }
  return nullptr;
}

bool IsBackground(ControlKind kind) {
  return kind == ControlKind::PictureBox || kind == ControlKind::TabControl;
}

}  // namespace

QFont LayoutFont(const FontLayout& layout) {
  QFont font;
  SetLayoutFace(&font, QString::fromUtf8(layout.face));
  font.setPixelSize(layout.pixelHeight);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  return font;
}

std::vector<QObject*> BuildControls(QWidget* parent, const std::vector<ControlLayout>& controls) {
  std::vector<QObject*> built;
  built.reserve(controls.size());
  QHash<QString, QWidget*> groupBoxes;
  QHash<QString, QButtonGroup*> radioGroups;
  std::vector<QWidget*> backgrounds;

  for (const ControlLayout& layout : controls) {
    const QString name = QString::fromUtf8(layout.name);
    // A control inside a group box is the box's own, measured from its
    // corner; the box must be listed before it.
    QWidget* owner = parent;
    if (layout.parent != nullptr) {
      owner = groupBoxes.value(QString::fromUtf8(layout.parent), nullptr);
      Q_ASSERT_X(owner != nullptr, "BuildControls", "a group box is listed before its controls");
      if (owner == nullptr) owner = parent;
    }

    if (layout.kind == ControlKind::Timer) {
      auto* timer = new QTimer(parent);
      timer->setObjectName(name);
      built.push_back(timer);
      continue;
    }
    if (layout.kind == ControlKind::FileDialog) {
      auto* dialog = new QFileDialog(parent);
      dialog->setObjectName(name);
      dialog->setFileMode(QFileDialog::ExistingFile);
      dialog->setAcceptMode(QFileDialog::AcceptOpen);
      built.push_back(dialog);
      continue;
    }

    QWidget* widget = MakeWidget(layout, owner);
    widget->setObjectName(name);
    widget->setGeometry(layout.x, layout.y, layout.width, layout.height);
    if (layout.font.face != nullptr) widget->setFont(LayoutFont(layout.font));
    if (layout.kind == ControlKind::GroupBox) groupBoxes.insert(name, widget);
    if (IsBackground(layout.kind)) backgrounds.push_back(widget);

    if (layout.kind == ControlKind::RadioButton) {
      const auto [stem, id] = SplitTrailingNumber(name);
      QButtonGroup*& group = radioGroups[stem];
      if (group == nullptr) {
        group = new QButtonGroup(parent);
        group->setObjectName(stem);
        group->setExclusive(true);
      }
      group->addButton(static_cast<QRadioButton*>(widget), id > 0 ? id : -1);
    }
    built.push_back(widget);
  }

  // The last background listed lies lowest, so the first stays above it.
  for (auto it = backgrounds.rbegin(); it != backgrounds.rend(); ++it) (*it)->lower();
  return built;
}

std::vector<QObject*> BuildWindow(QWidget* window, const WindowLayout& layout) {
  window->setObjectName(QString::fromUtf8(layout.name));
  window->setWindowTitle(QString::fromUtf8(layout.caption));
  window->setFixedSize(layout.width, layout.height);
  return BuildControls(window, layout.controls);
}

QObject* FindControl(const QWidget* window, const QString& name) {
  if (window == nullptr) return nullptr;
  // Breadth first, so a window's own controls are found before those of its
  // group boxes; never into child windows.
  std::vector<const QObject*> level{window};
  while (!level.empty()) {
    std::vector<const QObject*> next;
    for (const QObject* object : level) {
      for (QObject* child : object->children()) {
        if (child->objectName() == name) {
          // The file dialog is a window of its own but one of this window's controls.
          auto* widget = qobject_cast<QWidget*>(child);
          if (widget == nullptr || !widget->isWindow() || qobject_cast<QFileDialog*>(widget)) {
            return child;
          }
        }
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget == nullptr || !widget->isWindow()) next.push_back(child);
      }
    }
    level = std::move(next);
  }
  return nullptr;
}

void SetTimerInterval(QTimer* timer, int milliseconds) {
  if (timer == nullptr) return;
  if (milliseconds <= 0) {
    timer->stop();
  } else {
    timer->start(milliseconds);
  }
}

}  // namespace cindral
