// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/GameWindow.h"

#include <QFileDialog>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "store/Gbk.h"
#include "ui/ControlText.h"
#include "ui/PictureFile.h"
#include "ui/RecentFolders.h"
#include "ui/SpeakerControl.h"

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
    : LogicWindow(program, GameWindowLayout(), parent),
      ui_(this),
      buttons_{ui_.button1, ui_.button2, ui_.button3, ui_.button4,
               ui_.button5, ui_.button6, ui_.button7, ui_.button8} {
  for (int i = 1; i <= GameWindowLogic::kButtons; ++i) {
    PictureButton* button = buttons_[static_cast<size_t>(i - 1)];
    // Checked = chosen by the first click of a pair; the logic decides.
    button->setCheckable(true);
    connect(button, &PictureButton::clicked, this,
            [this, i] { Handle([this, i] { logic_.Click(i); }); });
  }
  HandleClicks(ui_.dealAgain, &GameWindowLogic::DealAgain);
  connect(ui_.nextBackground, &QPushButton::clicked, this, [this] {
    Handle(&GameWindowLogic::NextBackground);
    ShowBuiltInBackground(logic_.background());
  });
  connect(ui_.ownBackground, &QPushButton::clicked, this, [this] { ChooseBackgroundFile(); });

  ui_.fileDialog->setWindowTitle(QStringLiteral("选择背景图片"));
  ui_.fileDialog->setNameFilters(PictureNameFilters());

  speaker_ = std::make_unique<SpeakerControl>(
      this, GameSpeakerButton(), program.speech(),
      [this] { Handle(&GameWindowLogic::SpeakerButton); }, [this] { Show(); });

  ui_.picture->setScaledContents(false);
  Handle(&GameWindowLogic::Opened);
  ShowBuiltInBackground(logic_.background());
}

GameWindow::~GameWindow() = default;

QString GameWindow::BackgroundResource(int index) {
  return QStringLiteral(":/game/background%1.bmp").arg(index);
}

void GameWindow::Show() {
  for (int i = 1; i <= GameWindowLogic::kButtons; ++i) {
    PictureButton* button = buttons_[static_cast<size_t>(i - 1)];
    if (ControlText(button) != logic_.caption(i)) SetControlText(button, logic_.caption(i));
    button->setChecked(logic_.selection() == i);
    button->setVisible(logic_.visible(i));
  }
  SetControlText(ui_.count, logic_.countText());
  speaker_->Show(logic_.speaker().look());
  if (logic_.closed()) CloseWindow();
}

void GameWindow::ShowBuiltInBackground(int index) {
  if (index < 1 || index > GameWindowLogic::kBuiltInBackgrounds) {
    ui_.picture->clear();
    return;
  }
  ShowPicture(QImage(BackgroundResource(index)));
}

void GameWindow::ShowPicture(const QImage& picture) {
  if (picture.isNull()) {
    ui_.picture->clear();
    return;
  }
  ui_.picture->setPixmap(CoverPixmap(picture, ui_.picture->size(), devicePixelRatioF()));
}

void GameWindow::ChooseBackgroundFile() {
  ui_.fileDialog->setDirectory(StartFolder(FileKind::GameBackground));
  if (ui_.fileDialog->exec() != QDialog::Accepted) return;
  const QStringList chosen = ui_.fileDialog->selectedFiles();
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
      ui_.picture->clear();
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
