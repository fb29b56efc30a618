#pragma once
// A button drawn without a face of its own, so the picture behind it shows
// through: only its text (wrapped and centred, so long meanings stay
// readable), an optional picture, and light marks for hover, press and the
// checked state.

#include <QAbstractButton>

namespace cindral {

class PictureButton : public QAbstractButton {
  Q_OBJECT

 public:
  explicit PictureButton(QWidget* parent = nullptr);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  bool hovered_ = false;
};

}  // namespace cindral
