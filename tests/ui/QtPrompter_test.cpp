// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The standard message boxes as the learner sees them: the text given,
// caption and icon, Chinese button texts, Yes/No where only Yes confirms,
// and modal over the window that was active.

#include <QLabel>
#include <QPushButton>

#include "store/Gbk.h"
#include "WindowTest.h"
#include "ui/Layouts.h"
#include "ui/ModalWindow.h"
#include "ui/QtPrompter.h"
#include "Screenshot.h"
#include "ui/Text.h"

using namespace cindral;
using cindral::testing::AnswerNextBox;
using cindral::testing::ShownText;

namespace {

struct Seen {
  bool shown = false;
  QString text;
  QString caption;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
  QWidget* owner = nullptr;
  bool modal = false;
};

// Reads the next box into `seen`, then presses the button `press`.
void ReadAndPress(Seen& seen, QMessageBox::StandardButton press) {
  AnswerNextBox([&seen, press](QMessageBox* box) {
    if (box == nullptr) return;
    seen.shown = true;
    seen.text = box->text();
    seen.caption = box->windowTitle();
    seen.icon = box->icon();
    seen.owner = box->parentWidget();
    seen.modal = box->isModal();
    for (QAbstractButton* button : box->buttons()) seen.buttons << ShownText(button);
    seen.buttons.sort();
    box->button(press)->click();
  });
}

// Reads the next box, then answers with Escape.
void ReadAndEscape(Seen& seen) {
  AnswerNextBox([&seen](QMessageBox* box) {
    if (box == nullptr) return;
    seen.shown = true;
    QTest::keyClick(box, Qt::Key_Escape);
  });
}

}  // namespace

class QtPrompterTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY(cindral::testing::TranslationsLoaded()); }

  void informationShowsTextCaptionAndOneConfirmButton() {
    QtPrompter prompter;
    Seen seen;
    ReadAndPress(seen, QMessageBox::Ok);
    prompter.Inform(GBK("打乱成功！"), GBK("成功！"));
    QVERIFY(seen.shown);
    QCOMPARE(seen.text, QStringLiteral("打乱成功！"));
    QCOMPARE(seen.caption, QStringLiteral("成功！"));
    QCOMPARE(seen.icon, QMessageBox::Information);
    QCOMPARE(seen.buttons, QStringList{QStringLiteral("确定")});
    QVERIFY(seen.modal);
  }

  void errorShowsTheErrorIcon() {
    QtPrompter prompter;
    Seen seen;
    ReadAndPress(seen, QMessageBox::Ok);
    prompter.Fail(GBK("删除失败，请再试！"), GBK("出错了"));
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.caption, QStringLiteral("出错了"));
  }

  void questionConfirmsOnlyWithYes() {
    QtPrompter prompter;
    Seen yes;
    ReadAndPress(yes, QMessageBox::Yes);
    QVERIFY(prompter.Ask(GBK("您确认要清除单词本吗？"), GBK("询问")));
    QCOMPARE(yes.icon, QMessageBox::Question);
    QCOMPARE(yes.text, QStringLiteral("您确认要清除单词本吗？"));
    QCOMPARE(yes.caption, QStringLiteral("询问"));
    // As on the Chinese desktop the program was made for: "是(Y)" and "否(N)".
    QCOMPARE(yes.buttons, (QStringList{QStringLiteral("否(N)"), QStringLiteral("是(Y)")}));

    Seen no;
    ReadAndPress(no, QMessageBox::No);
    QVERIFY(!prompter.Ask(GBK("您确认要清除单词本吗？"), GBK("询问")));
    QVERIFY(no.shown);

    Seen escaped;
    ReadAndEscape(escaped);
    QVERIFY(!prompter.Ask(GBK("您确定要删除吗？"), GBK("询问")));
    QVERIFY(escaped.shown);
  }

  void questionMayCarryTheInformationIcon() {
    QtPrompter prompter;
    Seen seen;
    ReadAndPress(seen, QMessageBox::Yes);
    QVERIFY(
        prompter.Ask(GBK("是否接着上次复习的单词继续？"), GBK("提示"), MessageIcon::Information));
    QCOMPARE(seen.icon, QMessageBox::Information);
    QCOMPARE(seen.buttons.size(), 2);
  }

  void textIsShownLiterally() {
    QtPrompter prompter;
    Seen seen;
    QString format;
    AnswerNextBox([&](QMessageBox* box) {
      if (box == nullptr) return;
      seen.shown = true;
      seen.text = box->text();
      format =
          box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->textFormat() == Qt::PlainText
              ? QStringLiteral("plain")
              : QStringLiteral("rich");
      box->button(QMessageBox::Ok)->click();
    });
    prompter.Inform("<b>x</b>\n" + GBK("第二行"), GBK("提示"));
    QCOMPARE(seen.text, QStringLiteral("<b>x</b>\n第二行"));
    QCOMPARE(format, QStringLiteral("plain"));
  }

  void aChoiceOffersItsButtonsInOrderAndEscapeStandsForOne() {
    QtPrompter prompter;
    Choice choice;
    choice.text =
        GBK("同步软件在单词本旁边留下了一份冲突副本（sync-conflict-20261210-081500-ABCDEFG）："
            "两台电脑都改过单词本，同步软件没法把它们合在一起。请选择保留哪一份；"
            "另一份会整个移到 backups 文件夹里，不会删掉。\n\n"
            "这台电脑上的单词本：1204 个单词，61 组，最后录入 2026-12-09，熟练度合计 "
            "48210；复习位置 3，当前第 61 组\n"
            "冲突副本：1198 个单词，61 组，最后录入 2026-12-09，熟练度合计 47986；"
            "复习位置 1，当前第 61 组\n\n不同的单词：9 个");
    choice.caption = GBK("冲突副本");
    choice.details = GBK("apple：熟练度 35 / 55\npear：只在这台电脑上的单词本里（第 61 组）\n");
    choice.buttons = {GBK("保留这台电脑上的"), GBK("改用冲突副本"), GBK("以后再说")};
    choice.escape = 2;
    for (int press = 0; press < 3; ++press) {
      QStringList buttons;
      QString details;
      AnswerNextBox([&](QMessageBox* box) {
        if (box == nullptr) return;
        for (QAbstractButton* b : box->buttons()) {
          // Besides the box's own button that shows the details.
          if (box->buttonRole(b) == QMessageBox::ActionRole &&
              !b->text().startsWith(QStringLiteral("显示")) &&
              !b->text().startsWith(QStringLiteral("Show"))) {
            buttons << b->text();
          }
        }
        details = box->detailedText();
        if (press == 0) {
          box->adjustSize();
          QVERIFY(SaveScreenshot(
              box, cindral::testing::ScreenshotPath(QStringLiteral("conflict-copies-choice"))));
        }
        QAbstractButton* wanted = nullptr;
        for (QAbstractButton* b : box->buttons()) {
          if (b->text() == ToQString(choice.buttons[static_cast<std::size_t>(press)])) wanted = b;
        }
        wanted->click();
      });
      QCOMPARE(prompter.Choose(choice), press);
      QCOMPARE(buttons, (QStringList{QStringLiteral("保留这台电脑上的"),
                                     QStringLiteral("改用冲突副本"), QStringLiteral("以后再说")}));
      QCOMPARE(details, QStringLiteral(
                            "apple：熟练度 35 / 55\npear：只在这台电脑上的单词本里（第 61 组）\n"));
    }
    bool shown = false;
    AnswerNextBox([&shown](QMessageBox* box) {
      if (box == nullptr) return;
      shown = true;
      QTest::keyClick(box, Qt::Key_Escape);
    });
    QCOMPARE(prompter.Choose(choice), 2);
    QVERIFY(shown);
  }

  void boxIsModalOverTheOpenWindow() {
    QtPrompter prompter;
    ModalWindow window(EntryWindowLayout());
    Seen seen;
    QTimer::singleShot(20, &window, [&] {
      ReadAndPress(seen, QMessageBox::Ok);
      prompter.Inform(GBK("请将单词和释义录入完整！"), GBK("提示"));
      window.CloseWindow();
    });
    window.Open();
    QVERIFY(seen.shown);
    QCOMPARE(seen.owner, &window);
    QVERIFY(seen.modal);
  }
};

CINDRAL_WINDOW_TEST_MAIN(QtPrompterTest, QApplication)
#include "QtPrompter_test.moc"
