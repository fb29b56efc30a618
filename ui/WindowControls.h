// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window's controls, declared once. Each window has a struct of its
// controls (ui/Layouts.h) in which every member is one control: its kind,
// its name, its place, its font and the text it holds from the start. The
// struct lists the controls' layouts in the order of its members, and the
// window is built from that list; once it is built, each member points at
// its control, typed:
//
//   struct SpellingWindowControls : WindowControls {
//     Label meaning{this, "标签释义", {22, 50, 500, 50}, YaHei(29)};
//     Button submit{this, "按钮提交", {118, 269, 110, 50}, YaHei(21), "提交"};
//   };
//
//   // In the window, built from SpellingWindowControls().Layouts():
//   Found<SpellingWindowControls> ui_{this};
//   SetControlText(ui_.meaning, text);                 // a FittingLabel
//   connect(ui_.submit, &QPushButton::clicked, ...);   // a WrappingButton
//
// A window thus reaches exactly the controls its layout builds, and a
// control that is not declared does not compile. Adding a control is adding
// its member. The controls keep their names as object names, which the
// tests and the accessibility interface read.

#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <functional>
#include <vector>

#include "ui/FittingLabel.h"
#include "ui/FittingRadioButton.h"
#include "ui/Layout.h"
#include "ui/PictureButton.h"
#include "ui/WrappingButton.h"

namespace cindral {

class WindowControls {
 public:
  WindowControls(const WindowControls&) = delete;
  WindowControls& operator=(const WindowControls&) = delete;

  // The controls' layouts, in the order of the members.
  std::vector<ControlLayout> Layouts() const;
  // Points every member at its control in `window`, built from Layouts().
  void Find(const QWidget* window);

  // A control's rectangle in its window: left, top, width, height.
  struct Place {
    int x, y, width, height;
  };

  template <class T, ControlKind kind>
  class Typed;
  using GroupBox = Typed<QGroupBox, ControlKind::GroupBox>;

  // One control of kind `kind`, which the window builder makes a T. A
  // control `inside` a group box (declared before it) is the box's own,
  // its place measured from the box's top left.
  template <class T, ControlKind kind>
  class Typed {
   public:
    Typed(WindowControls* window, const char* name, Place place, FontLayout font = {},
          const char* text = "", const GroupBox* inside = nullptr)
        : name_(name) {
      window->controls_.push_back(
          {{name, kind, place.x, place.y, place.width, place.height, font, text,
            inside != nullptr ? inside->name() : nullptr},
           [this](QObject* built) {
             control_ = qobject_cast<T*>(built);
             return control_ != nullptr;
           }});
    }
    Typed(const Typed&) = delete;
    Typed& operator=(const Typed&) = delete;

    T* get() const { return control_; }
    operator T*() const { return control_; }
    T* operator->() const { return control_; }
    const char* name() const { return name_; }

   private:
    const char* name_;
    T* control_ = nullptr;
  };

  // The kinds as WindowBuilder.h makes them. (A speaker button is not in a
  // layout: SpeakerControl places it beside the controls.)
  using Label = Typed<FittingLabel, ControlKind::Label>;
  using Button = Typed<WrappingButton, ControlKind::Button>;
  using Edit = Typed<QLineEdit, ControlKind::Edit>;
  using MultiLineEdit = Typed<QPlainTextEdit, ControlKind::MultiLineEdit>;
  using RadioButton = Typed<FittingRadioButton, ControlKind::RadioButton>;
  using ComboBox = Typed<QComboBox, ControlKind::ComboBox>;
  using ProgressBar = Typed<QProgressBar, ControlKind::ProgressBar>;
  using TabControl = Typed<QTabWidget, ControlKind::TabControl>;
  using WebView = Typed<QWidget, ControlKind::WebView>;
  using PictureButton = Typed<cindral::PictureButton, ControlKind::PictureButton>;
  using PictureBox = Typed<QLabel, ControlKind::PictureBox>;
  using Timer = Typed<QTimer, ControlKind::Timer>;
  using FileDialog = Typed<QFileDialog, ControlKind::FileDialog>;
  using Table = Typed<QTableWidget, ControlKind::Table>;

 protected:
  WindowControls() = default;
  ~WindowControls() = default;

 private:
  struct Entry {
    ControlLayout layout;
    // Takes the control built from `layout`; false when it is not one.
    std::function<bool(QObject* built)> take;
  };
  std::vector<Entry> controls_;
};

// A window's controls found in the window, once it is built:
//   Found<ChoiceWindowControls> ui_{this};
template <class Controls>
class Found : public Controls {
 public:
  explicit Found(const QWidget* window) { this->Find(window); }
};

}  // namespace cindral
