// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/GameWindow.h"

#include <QFileDialog>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "store/Gbk.h"
#include "ui/ControlText.h"
#include "ui/Guard.h"
#include "ui/Layouts.h"
#include "ui/PictureButton.h"
#include "ui/PictureFile.h"
#include "ui/RecentFolders.h"
#include "ui/SpeakerControl.h"
#include "ui/WindowBuilder.h"

namespace cindral {
namespace {

// The picture scaled to cover the whole box, its middle kept, drawn sharp
// on screens of any density.
QPixmap CoverPixmap(const QImage& picture, const QSize& box, qreal pixelRatio) {
  const QSize target = (QSizeF(box) * pixelRatio).toSize();
  const QImage scaled =
      picture.scaled(target, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
  const QRect middle(
      QPoint((scaled.width() - target.width()) / 2, (scaled.height() - target.height()) / 2),
      target);
  QPixmap pixmap = QPixmap::fromImage(scaled.copy(middle));
  pixmap.setDevicePixelRatio(pixelRatio);
  return pixmap;
}

}  // namespace

GameWindow::GameWindow(Program& program, QWidget* parent)
    : ModalWindow(GameWindowLayout(), parent),
      program_(program),
      logic_(program),
      pictureBox_(Control<QLabel>(this, "图片框")),
      countLabel_(Control<QLabel>(this, "标签提示背诵进度")),
      fileDialog_(Control<QFileDialog>(this, "通用对话框")) {
  for (int i = 1; i <= GameWindowLogic::kButtons; ++i) {
    const QByteArray name = "超级按钮" + QByteArray::number(i);
    PictureButton* button = Control<PictureButton>(this, name.constData());
    // Checked = chosen by the first click of a pair; the logic decides.
    button->setCheckable(true);
    connect(button, &PictureButton::clicked, this,
            [this, i] { Handle([this, i] { logic_.Click(i); }); });
    buttons_[static_cast<size_t>(i - 1)] = button;
  }
  connect(Control<QPushButton>(this, "按钮换重新选词"), &QPushButton::clicked, this,
          [this] { Handle([this] { logic_.DealAgain(); }); });
  connect(Control<QPushButton>(this, "按钮换背景"), &QPushButton::clicked, this, [this] {
    Handle([this] { logic_.NextBackground(); });
    ShowBuiltInBackground(logic_.background());
  });
  connect(Control<QPushButton>(this, "按钮自定义背景"), &QPushButton::clicked, this,
          [this] { ChooseBackgroundFile(); });

  fileDialog_->setWindowTitle(QStringLiteral("选择背景图片"));
  fileDialog_->setNameFilters(PictureNameFilters());

  speaker_ = std::make_unique<SpeakerControl>(
      this, GameSpeakerButton(), program.speech(),
      [this] { Handle([this] { logic_.SpeakerButton(); }); }, [this] { Show(); });

  pictureBox_->setScaledContents(false);
  Handle([this] { logic_.Opened(); });
  ShowBuiltInBackground(logic_.background());
}

GameWindow::~GameWindow() = default;

QString GameWindow::BackgroundResource(int index) {
  return QStringLiteral(":/game/background%1.bmp").arg(index);
}

void GameWindow::Handle(const std::function<void()>& handler) {
  RunGuarded(program_.prompter(), handler);
  Show();
}

void GameWindow::Show() {
  for (int i = 1; i <= GameWindowLogic::kButtons; ++i) {
    PictureButton* button = buttons_[static_cast<size_t>(i - 1)];
    if (ControlText(button) != logic_.caption(i)) SetControlText(button, logic_.caption(i));
    button->setChecked(logic_.selection() == i);
    button->setVisible(logic_.visible(i));
  }
  SetControlText(countLabel_, logic_.countText());
  speaker_->Show(logic_.speaker().enabled(), logic_.speaker().tip());
  if (logic_.closed()) CloseWindow();
}

void GameWindow::ShowBuiltInBackground(int index) {
  if (index < 1 || index > GameWindowLogic::kBuiltInBackgrounds) {
    pictureBox_->clear();
    return;
  }
  ShowPicture(QImage(BackgroundResource(index)));
}

void GameWindow::ShowPicture(const QImage& picture) {
  if (picture.isNull()) {
    pictureBox_->clear();
    return;
  }
  pictureBox_->setPixmap(CoverPixmap(picture, pictureBox_->size(), devicePixelRatioF()));
}

void GameWindow::ChooseBackgroundFile() {
  fileDialog_->setDirectory(StartFolder(FileKind::GameBackground));
  if (fileDialog_->exec() != QDialog::Accepted) return;
  const QStringList chosen = fileDialog_->selectedFiles();
  if (chosen.isEmpty()) return;
  RememberFolder(FileKind::GameBackground, chosen.first());
  ShowBackgroundFile(chosen.first());
}

void GameWindow::ShowBackgroundFile(const QString& path) {
  const PictureFile file = ReadPictureFile(path);
  switch (file.outcome) {
    case PictureFile::Outcome::Loaded:
      ShowPicture(file.image);
      break;
    case PictureFile::Outcome::NotAPicture:
      pictureBox_->clear();
      break;
    case PictureFile::Outcome::TooLarge:
      program_.prompter().Inform(GBK("这张图片太大了，请选择一张小一些的图片作为背景！"),
                                 GBK("提示"));
      break;
  }
}

void RunGameWindow(Program& program, QWidget* parent) {
  GameWindow window(program, parent);
  window.Open();
}

}  // namespace cindral
