// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The windows as built from their layouts: names, rectangles, fonts, captions, the
// radio group, stacking of overlapping controls, and the geometry the
// layouts promise (the game's tiles, the learning window's right column).

#include <QButtonGroup>
#include <QComboBox>
#include <QFileDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegion>
#include <QSet>
#include <QTabWidget>
#include <QTimer>
#include <memory>

#include "AllWindowLayouts.h"
#include "WindowNames.h"
#include "draw/SkinFont.h"
#include "store/Gbk.h"
#include "WindowTest.h"
#include "ui/ControlText.h"
#include "ui/CoveringFont.h"
#include "ui/InstalledFace.h"
#include "ui/Layouts.h"
#include "ui/ModalWindow.h"
#include "ui/PictureButton.h"
#include "ui/WindowBuilder.h"
#include "windows/WindowTable.h"

using namespace cindral;

namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

// A window built from `layout` on a plain widget.
std::unique_ptr<QWidget> Build(const WindowLayout& layout) {
  auto window = std::make_unique<QWidget>();
  BuildWindow(window.get(), layout);
  return window;
}

QRect Rect(const ControlLayout& c) { return QRect(c.x, c.y, c.width, c.height); }

}  // namespace

class LayoutsTest : public QObject {
  Q_OBJECT

 private slots:
  void everyWindowBuildsAsLaidOut() {
    QSet<QString> windowNames;
    for (const WindowLayout* layout : AllWindowLayouts()) {
      QVERIFY2(!windowNames.contains(Q(layout->name)), layout->name);
      windowNames.insert(Q(layout->name));
      auto window = Build(*layout);
      QCOMPARE(window->objectName(), Q(layout->name));
      QCOMPARE(window->windowTitle(), Q(layout->caption));
      QCOMPARE(window->minimumSize(), QSize(layout->width, layout->height));
      QCOMPARE(window->maximumSize(), QSize(layout->width, layout->height));

      QSet<QString> names;
      for (const ControlLayout& c : layout->controls) {
        const QString name = Q(c.name);
        QVERIFY2(!names.contains(name), c.name);  // lookups by name must be unambiguous
        names.insert(name);
        QObject* object = FindControl(window.get(), name);
        QVERIFY2(object != nullptr, c.name);
        if (c.kind == ControlKind::Timer) {
          auto* timer = qobject_cast<QTimer*>(object);
          QVERIFY2(timer != nullptr, c.name);
          QVERIFY2(!timer->isActive(), c.name);
          continue;
        }
        if (c.kind == ControlKind::FileDialog) {
          auto* dialog = qobject_cast<QFileDialog*>(object);
          QVERIFY2(dialog != nullptr && !dialog->isVisible(), c.name);
          continue;
        }
        auto* widget = qobject_cast<QWidget*>(object);
        QVERIFY2(widget != nullptr, c.name);
        QCOMPARE(widget->geometry(), Rect(c));
        if (c.parent == nullptr) {
          QCOMPARE(widget->parentWidget(), window.get());
        } else {
          QCOMPARE(widget->parentWidget(), Control<QGroupBox>(window.get(), c.parent));
        }
        if (c.font.face != nullptr) {
          QCOMPARE(widget->font().pixelSize(), c.font.pixelHeight);
          QCOMPARE(widget->font().families().value(0), InstalledFace(Q(c.font.face)));
          QCOMPARE(widget->font().weight(), QFont::Normal);
          QVERIFY(!widget->font().italic() && !widget->font().underline());
        }
        if (c.kind == ControlKind::Edit || c.kind == ControlKind::MultiLineEdit) {
          QVERIFY2(widget->testAttribute(Qt::WA_InputMethodEnabled), c.name);
        }
        if (c.kind == ControlKind::Label || c.kind == ControlKind::Button ||
            c.kind == ControlKind::RadioButton || c.kind == ControlKind::GroupBox) {
          QCOMPARE(ControlQText(widget), Q(c.text));
        }
      }
    }
  }

  // The windows a learner uses every day stand where they stand now: a
  // rectangle changed in the layout table by mistake (a control moved onto
  // another one, a window resized) fails here, whatever the table says.
  void dailyWindowsKeepTheirRectangles() {
    struct Place {
      const char* control;
      QRect rect;
    };
    const struct {
      WindowId id;
      QSize size;
      std::vector<Place> places;
    } windows[] = {
        {WindowId::Entry,
         {450, 350},
         {
             {"标签输入单词", {72, 32, 70, 25}},
             {"编辑框输入单词", {72, 62, 300, 40}},
             {"标签输入释义", {72, 132, 70, 25}},
             {"编辑框输入释义", {72, 162, 300, 40}},
             {"标签导入结果", {72, 311, 156, 22}},
             {"按钮从文件导入", {232, 308, 140, 28}},
             {"按钮提交", {177, 239, 110, 50}},
         }},
        {WindowId::Spelling,
         {550, 400},
         {
             {"标签释义", {22, 50, 500, 50}},
             {"标签判断单词对错", {472, 159, 60, 60}},
             {"编辑框输入单词", {72, 165, 400, 60}},
             {"按钮提交", {118, 269, 110, 50}},
             {"按钮遗忘", {316, 269, 110, 50}},
         }},
        {WindowId::Learning,
         {1100, 700},
         {
             {"高级选择夹", {0, 0, 980, 700}},
             {"按钮删除单词", {988, 20, 100, 50}},
             {"超文本浏览框译典通", {0, 23, 980, 678}},
             {"超文本浏览框有道", {0, 23, 980, 678}},
             {"超文本浏览框必应", {0, 23, 980, 678}},
             {"按钮遗忘单词", {988, 80, 100, 50}},
             {"按钮已会单词", {988, 140, 100, 50}},
             {"按钮下一个单词", {988, 140, 100, 50}},
             {"标签提示", {988, 200, 110, 30}},
             {"进度条", {1045, 254, 10, 232}},
             {"标签单词熟练度", {1005, 284, 25, 110}},
             {"标签熟练度", {998, 409, 40, 30}},
             {"编辑框保证获取焦点", {1008, 496, 64, 24}},
             {"按钮更新单词", {988, 555, 100, 50}},
             {"标签当前进度", {982, 615, 80, 20}},
             {"标签左提示背诵进度", {981, 640, 45, 25}},
             {"标签中提示背诵进度", {1025, 640, 20, 25}},
             {"标签右提示背诵进度", {1045, 640, 45, 25}},
         }},
        {WindowId::Choice,
         {550, 400},
         {
             {"标签单词", {22, 40, 500, 50}},
             {"编辑框提供快捷键", {24, 136, 64, 32}},
             {"标签1", {100, 143, 25, 25}},
             {"单选框单词1", {130, 143, 400, 25}},
             {"标签2", {100, 197, 25, 25}},
             {"单选框单词2", {130, 197, 400, 25}},
             {"标签判断释义对错", {40, 200, 60, 60}},
             {"标签3", {100, 251, 25, 25}},
             {"单选框单词3", {130, 251, 400, 25}},
             {"标签4", {100, 306, 25, 25}},
             {"单选框单词4", {130, 306, 400, 25}},
             {"标签", {415, 340, 130, 30}},
         }},
        {WindowId::ForgottenReview,
         {550, 400},
         {
             {"标签单词", {22, 10, 500, 50}},
             {"标签释义", {44, 80, 456, 120}},
             {"按钮添加到生词本", {82, 230, 100, 50}},
             {"按钮上一个", {222, 230, 100, 50}},
             {"按钮下一个", {362, 230, 100, 50}},
             {"编辑框提供快捷键", {96, 304, 72, 32}},
             {"标签", {394, 340, 150, 30}},
         }},
    };
    for (const auto& window : windows) {
      const WindowLayout& layout = LayoutOf(window.id);
      auto built = Build(layout);
      QCOMPARE(built->size(), window.size);
      for (const Place& place : window.places) {
        const QString what = Q(layout.name) + '/' + Q(place.control);
        QVERIFY2(built->findChild<QWidget*>(Q(place.control)) != nullptr, qPrintable(what));
        QVERIFY2(Control<QWidget>(built.get(), place.control)->geometry() == place.rect,
                 qPrintable(what));
      }
    }
  }

  // No two controls of a window lie over each other, but for the few that
  // are laid out so (written out below): a control moved onto another one
  // (a button's x mistyped) hides it. Group boxes hold their controls, and
  // picture boxes and tab controls lie under the rest (their backgrounds);
  // the web views are the pages of a tab control, one shown at a time.
  void controlsDoNotOverlapButWhereLaidOutSo() {
    const QSet<QString> overlapping = {
        Q("窗口单词学习/按钮已会单词+按钮下一个单词"),
        Q("窗口单词学习/标签左提示背诵进度+标签中提示背诵进度"),
        Q("窗口熟练度复习/标签提示进度+标签左提示背诵进度"),
        Q("窗口熟练度复习/标签提示进度+标签中提示背诵进度"),
        Q("窗口熟练度复习/标签提示进度+标签右提示背诵进度"),
        Q("窗口熟练度复习/标签左提示背诵进度+标签中提示背诵进度"),
        Q("窗口熟练度复习/标签左提示背诵进度+标签单词"),
        Q("窗口熟练度复习/标签中提示背诵进度+标签单词"),
        Q("窗口熟练度复习/标签右提示背诵进度+标签单词"),
        Q("窗口熟练度复习/标签释义+编辑框离线释义"),
    };
    QStringList found;
    for (const WindowLayout* layout : AllWindowLayouts()) {
      const std::vector<ControlLayout>& controls = layout->controls;
      for (size_t i = 0; i < controls.size(); ++i) {
        for (size_t j = i + 1; j < controls.size(); ++j) {
          const ControlLayout& a = controls[i];
          const ControlLayout& b = controls[j];
          const auto under = [](const ControlLayout& c) {
            return c.kind == ControlKind::Timer || c.kind == ControlKind::FileDialog ||
                   c.kind == ControlKind::GroupBox || c.kind == ControlKind::PictureBox ||
                   c.kind == ControlKind::TabControl || c.kind == ControlKind::WebView;
          };
          if (under(a) || under(b)) continue;
          if ((a.parent == nullptr) != (b.parent == nullptr)) continue;
          if (!Rect(a).intersects(Rect(b))) continue;
          const QString pair = Q(layout->name) + '/' + Q(a.name) + '+' + Q(b.name);
          if (!overlapping.contains(pair)) found << pair;
        }
      }
    }
    QVERIFY2(found.isEmpty(), qPrintable(found.join(", ")));
  }

  // The shell finds an open window by its layout's name: every registered
  // window must have a layout of its own, named as it is registered.
  void everyRegisteredWindowHasItsOwnLayout() {
    const WindowId ids[] = {
#define CINDRAL_WINDOW_ID(id, window, name, owner) WindowId::id,
        CINDRAL_WINDOWS(CINDRAL_WINDOW_ID)
#undef CINDRAL_WINDOW_ID
    };
    QSet<QString> names;
    for (const WindowId id : ids) {
      const QString name = Q(LayoutOf(id).name);
      QCOMPARE(name, Q(WindowName(id).c_str()));
      QVERIFY2(!names.contains(name), qPrintable(name));
      names.insert(name);
    }
    QCOMPARE(names.size(), static_cast<qsizetype>(AllWindowLayouts().size()));
  }

  void layoutFacesRenderThroughInstalledChineseFonts() {
    const QFont yaHei = LayoutFont({"微软雅黑", 29});
    const QFontInfo yaHeiInfo(yaHei);
    QCOMPARE(yaHeiInfo.family(), QStringLiteral("WenQuanYi Micro Hei"));
    QCOMPARE(yaHeiInfo.pixelSize(), 29);

    const QFontInfo songInfo(LayoutFont({"宋体", 12}));
    QVERIFY2(songInfo.family().startsWith(QStringLiteral("AR PL UMing")),
             qPrintable(songInfo.family()));
    QCOMPARE(songInfo.pixelSize(), 12);

    // The faces must hold the characters the windows show.
    const QFontMetrics metrics(yaHei);
    for (const QChar c : Q("单词熟练度？√×→")) QVERIFY(metrics.inFontUcs4(c.unicode()));
  }

  // The fonts of a layout face ask for the installed face standing in for
  // it by name: asked for a face it lacks, the database searches every font
  // at each first use.
  void layoutFacesAskForTheirInstalledStandIns() {
    const struct {
      const char* face;
      const char* asked;
    } cases[] = {
        {"宋体", "AR PL UMing CN"},
        {"微软雅黑", "WenQuanYi Micro Hei"},
        {"DejaVu Sans", "DejaVu Sans"},    // installed: asked for as it is
        {"没有这种字体", "没有这种字体"},  // nothing stands in: left to the search
    };
    for (const auto& c : cases) {
      QCOMPARE(LayoutFont({c.face, 12}).families().value(0), Q(c.asked));
      QCOMPARE(SkinFont(Q(c.face), 12, SkinFont::kBold).font().families().value(0), Q(c.asked));
    }
    QCOMPARE(QApplication::font().families().value(0), Q("WenQuanYi Micro Hei"));
  }

  void aTextTheFaceHoldsIsPaintedWithoutMergingAnyOtherWithIt() {
    const QFont yaHei = LayoutFont({"微软雅黑", 16});
    struct Case {
      QString text;
      bool alone;  // the face alone paints it
    };
    const Case cases[] = {
        {Q("录入单词"), true},
        {Q("查看\t单词本\n"), true},  // blanks and line breaks are no characters to find
        {Q("录入") + QString::fromUcs4(U"\U0010FFFD"), false},  // no face holds this one
        {QString::fromUcs4(U"\U0010FFFD") + Q("单词"), false},
    };
    for (const Case& c : cases) {
      const QFont painted = FontCovering(yaHei, c.text);
      QCOMPARE(QFontInfo(painted).family(), QFontInfo(yaHei).family());
      QCOMPARE((painted.styleStrategy() & QFont::NoFontMerging) != 0, c.alone);
    }
  }

  void mainWindowButtonsAreTheFiveOfTheLayout() {
    auto parent = std::make_unique<QWidget>();
    BuildControls(parent.get(), MainWindowButtons());
    const struct {
      const char* name;
      const char* caption;
      QRect rect;
    } expected[] = {
        {"按钮录入单词", "录入单词", {151, 166, 128, 40}},
        {"按钮连连看", "连连看", {349, 166, 128, 40}},
        {"按钮查看单词本", "查看单词本", {80, 251, 128, 40}},
        {"按钮打乱单词本", "打乱单词本", {250, 251, 128, 40}},
        {"按钮清空单词本", "清空单词本", {420, 251, 128, 40}},
    };
    QCOMPARE(MainWindowButtons().size(), std::size(expected));
    for (const auto& e : expected) {
      auto* button = Control<QPushButton>(parent.get(), e.name);
      QVERIFY2(button != nullptr, e.name);
      QCOMPARE(button->geometry(), e.rect);
      QCOMPARE(button->text(), Q(e.caption));
      QCOMPARE(QFontInfo(button->font()).family(), QStringLiteral("WenQuanYi Micro Hei"));
    }
  }

  void entryAndUpdateWindowsKeepTheirOwnSubmitPlaces() {
    auto entry = Build(EntryWindowLayout());
    auto update = Build(UpdateWordWindowLayout());
    QCOMPARE(entry->windowTitle(), Q("输入单词"));
    QCOMPARE(entry->size(), QSize(450, 350));
    QCOMPARE(Control<QPushButton>(entry.get(), "按钮提交")->geometry(), QRect(177, 239, 110, 50));
    QCOMPARE(Control<QPushButton>(update.get(), "按钮提交")->geometry(), QRect(167, 239, 110, 50));
    QCOMPARE(Control<QLabel>(entry.get(), "标签输入释义")->text(), Q("输入释义"));
    QVERIFY(Control<QLineEdit>(entry.get(), "编辑框输入单词") != nullptr);
  }

  void choiceRadioButtonsAreOneGroupOfFour() {
    auto window = Build(ChoiceWindowLayout());
    auto* group = Control<QButtonGroup>(window.get(), "单选框单词");
    QVERIFY(group != nullptr);
    QVERIFY(group->exclusive());
    QCOMPARE(group->buttons().size(), 4);
    int previousTop = -1;
    for (int i = 1; i <= 4; ++i) {
      const QByteArray name = "单选框单词" + QByteArray::number(i);
      auto* radio = Control<QRadioButton>(window.get(), name.constData());
      QVERIFY(radio != nullptr);
      QCOMPARE(group->id(radio), i);
      QVERIFY(radio->y() > previousTop);  // numbered from top to bottom
      previousTop = radio->y();
      const QByteArray digit = "标签" + QByteArray::number(i);
      QCOMPARE(Control<QLabel>(window.get(), digit.constData())->text(), QString::number(i));
    }
    group->button(3)->click();
    group->button(1)->click();
    QCOMPARE(group->checkedId(), 1);
    QVERIFY(!group->button(3)->isChecked());
  }

  void gamePictureButtonsTileThePictureBoxAboveIt() {
    auto window = Build(GameWindowLayout());
    const QRect box = Control<QLabel>(window.get(), "图片框")->geometry();
    QCOMPARE(box, QRect(0, 0, 380, 400));
    QRegion covered;
    QSet<int> rows, columns;
    int area = 0;
    for (int i = 1; i <= 8; ++i) {
      const QByteArray name = "超级按钮" + QByteArray::number(i);
      auto* button = Control<PictureButton>(window.get(), name.constData());
      QVERIFY(button != nullptr);
      const QRect r = button->geometry();
      QVERIFY2(!covered.intersects(r), name.constData());
      covered += r;
      area += r.width() * r.height();
      rows.insert(r.y());
      columns.insert(r.x());
      // The background lies beneath: a click in the tile reaches the button.
      QCOMPARE(window->childAt(r.center()), button);
    }
    QCOMPARE(covered, QRegion(box));
    QCOMPARE(area, box.width() * box.height());
    QCOMPARE(rows.size(), 4);
    QCOMPARE(columns.size(), 2);
  }

  void learningWindowColumnStandsClearOfTheTabs() {
    const WindowLayout& layout = LearningWindowLayout();
    auto window = Build(layout);
    auto* tabs = Control<QTabWidget>(window.get(), "高级选择夹");
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->tabText(0), Q("必应词典"));
    QCOMPARE(tabs->tabText(2), Q("译典通词典"));
    const QRect tabArea = tabs->geometry();
    QCOMPARE(tabArea.right(), 979);

    int column = 0;
    for (const ControlLayout& c : layout.controls) {
      if (c.kind == ControlKind::Timer || c.x < 980) continue;
      ++column;
      const QRect r = Rect(c);
      QVERIFY2(!r.intersects(tabArea), c.name);
      QVERIFY2(c.x >= 981 && c.x + c.width <= 1098, c.name);
      QVERIFY2(r.bottom() < layout.height, c.name);
    }
    QCOMPARE(column, 14);

    // The pages lie over the tab control's page area, below its tab strip.
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    for (const char* name : {"超文本浏览框必应", "超文本浏览框有道", "超文本浏览框译典通"}) {
      QWidget* view = Control<QWidget>(window.get(), name);
      QVERIFY(view != nullptr);
      QVERIFY(view->y() > tabs->tabBar()->geometry().bottom());
    }
    QWidget* top = window->childAt(490, 350);
    QVERIFY(top != nullptr);
    QVERIFY(top->objectName().startsWith(Q("超文本浏览框")));

    // The two buttons sharing one place are both there; the mode picks one.
    QCOMPARE(Control<QPushButton>(window.get(), "按钮已会单词")->geometry(),
             Control<QPushButton>(window.get(), "按钮下一个单词")->geometry());
    auto* bar = Control<QProgressBar>(window.get(), "进度条");
    QCOMPARE(bar->orientation(), Qt::Vertical);
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 100);
  }

  // A group box holds the controls listed inside it, whole: none of them
  // reaches over its frame, and no control of the window lies across the
  // box without being listed inside it.
  void controlsListedInsideAGroupBoxLieInsideIt() {
    int inside = 0;
    for (const WindowLayout* layout : AllWindowLayouts()) {
      auto window = Build(*layout);
      for (const ControlLayout& box : layout->controls) {
        if (box.kind != ControlKind::GroupBox) continue;
        auto* group = Control<QGroupBox>(window.get(), box.name);
        for (const ControlLayout& c : layout->controls) {
          if (&c == &box || c.kind == ControlKind::Timer || c.kind == ControlKind::FileDialog) {
            continue;
          }
          const QString what = Q(layout->name) + '/' + Q(c.name);
          auto* control = Control<QWidget>(window.get(), c.name);
          const QRect onWindow(control->mapTo(window.get(), QPoint()), control->size());
          if (c.parent != nullptr && Q(c.parent) == Q(box.name)) {
            ++inside;
            QVERIFY2(QRect(QPoint(), QSize(box.width, box.height)).contains(Rect(c)),
                     qPrintable(what));
            QVERIFY2(group->geometry().contains(onWindow), qPrintable(what));
          } else {
            QVERIFY2(!group->geometry().intersects(onWindow), qPrintable(what));
          }
        }
      }
    }
    QCOMPARE(inside, 4);  // the chooser's drop-down, label, percent sign and edit box
  }

  void chooserControlsSitInsideTheGroupBox() {
    auto window = Build(IntensiveChooserWindowLayout());
    auto* group = Control<QGroupBox>(window.get(), "分组框");
    QCOMPARE(group->title(), Q("选择要强化复习的单词熟练度"));
    QCOMPARE(group->geometry(), QRect(72, 8, 230, 150));
    auto* combo = Control<QComboBox>(window.get(), "组合框");
    QCOMPARE(combo->parentWidget(), group);
    QCOMPARE(combo->mapTo(window.get(), QPoint()), QPoint(72 + 45, 8 + 30));
    QCOMPARE(combo->count(), 5);
    QCOMPARE(combo->itemText(0), Q("≥1%熟练度单词"));
    QCOMPARE(combo->itemText(4), Q("不选"));
    QCOMPARE(combo->currentIndex(), -1);  // nothing chosen until the learner picks
    QCOMPARE(Control<QPushButton>(window.get(), "按钮开始")->parentWidget(), window.get());
  }

  void controlsAreFoundOnlyInTheirOwnWindow() {
    auto entry = std::make_unique<ModalWindow>(EntryWindowLayout());
    // The update window opened over it uses the same control names.
    auto* update = new ModalWindow(UpdateWordWindowLayout(), entry.get());
    auto* own = Control<QLineEdit>(entry.get(), "编辑框输入单词");
    QVERIFY(own != nullptr);
    QCOMPARE(own->window(), entry.get());
    QCOMPARE(Control<QLineEdit>(update, "编辑框输入单词")->window(), update);
    QCOMPARE(Control<QLineEdit>(entry.get(), "no such control"), nullptr);
    QCOMPARE(Control<QPushButton>(entry.get(), "编辑框输入单词"), nullptr);  // wrong kind
  }

  void shownTextIsLiteralAndReadsBackExactly() {
    auto window = Build(ChoiceWindowLayout());
    auto* radio = Control<QRadioButton>(window.get(), "单选框单词2");
    SetControlText(radio, GBK("研究&开发 R&D"));
    QCOMPARE(ControlText(radio), GBK("研究&开发 R&D"));
    QVERIFY(radio->shortcut().isEmpty());  // no mnemonic was made of the &

    auto* label = Control<QLabel>(window.get(), "标签单词");
    SetControlText(label, "<b>bold</b>");
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QCOMPARE(ControlText(label), std::string("<b>bold</b>"));

    auto game = Build(GameWindowLayout());
    auto* tile = Control<PictureButton>(game.get(), "超级按钮5");
    SetControlText(tile, GBK("苹果&梨"));
    QCOMPARE(ControlText(tile), GBK("苹果&梨"));

    SetControlText(window.get(), GBK("单词选择"));
    QCOMPARE(window->windowTitle(), Q("单词选择"));
  }

  void editBoxesTakeTextFromTheInputMethod() {
    auto window = Build(SpellingWindowLayout());
    auto* edit = Control<QLineEdit>(window.get(), "编辑框输入单词");
    window->show();
    edit->setFocus();
    QInputMethodEvent composing(Q("pingguo"), {});
    QApplication::sendEvent(edit, &composing);
    QInputMethodEvent commit;
    commit.setCommitString(Q("苹果"));
    QApplication::sendEvent(edit, &commit);
    QCOMPARE(ControlText(edit), GBK("苹果"));

    auto book = Build(WordBookWindowLayout());
    auto* memo = Control<QPlainTextEdit>(book.get(), "编辑框单词本");
    QInputMethodEvent commitMemo;
    commitMemo.setCommitString(Q("释义"));
    QApplication::sendEvent(memo, &commitMemo);
    QCOMPARE(ControlText(memo), GBK("释义"));
  }

  void webViewPlacesFillTheCardBelowTheTabs() {
    auto window = Build(LearningWindowLayout());
    for (const char* name : {"超文本浏览框必应", "超文本浏览框有道", "超文本浏览框译典通"}) {
      QWidget* view = Control<QWidget>(window.get(), name);
      QCOMPARE(view->geometry(), QRect(0, 23, 980, 678));
      QCOMPARE(view->parentWidget(), window.get());
    }
  }

  // The speaker buttons come on top of the laid-out windows: each lies
  // inside its window and overlaps no control the learner sees, save the
  // pictures and tab pages that lie behind everything.
  void speakerButtonsCoverNoLaidOutControl() {
    const std::pair<const WindowLayout*, const ControlLayout*> speakers[] = {
        {&LearningWindowLayout(), &LearningSpeakerButton()},
        {&IntensiveReviewWindowLayout(), &DrillSpeakerButton()},
        {&GameWindowLayout(), &GameSpeakerButton()},
    };
    for (const auto& [layout, speaker] : speakers) {
      const QRect place = Rect(*speaker);
      QVERIFY2(QRect(0, 0, layout->width, layout->height).contains(place), layout->name);
      for (const ControlLayout& c : layout->controls) {
        if (c.kind == ControlKind::Timer || c.kind == ControlKind::FileDialog ||
            c.kind == ControlKind::PictureBox || c.kind == ControlKind::TabControl) {
          continue;
        }
        QVERIFY2(!place.intersects(Rect(c)), qPrintable(Q(layout->name) + '/' + Q(c.name)));
      }
      // Built on the window, it takes no name a laid-out control has.
      auto window = Build(*layout);
      BuildControls(window.get(), {*speaker});
      QCOMPARE(window->findChildren<QWidget*>(Q(speaker->name)).size(), 1);
    }
  }

  void timerIntervalZeroStops() {
    auto window = Build(ForgottenReviewWindowLayout());
    auto* timer = Control<QTimer>(window.get(), "时钟保证获取焦点");
    SetTimerInterval(timer, 500);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 500);
    SetTimerInterval(timer, 0);
    QVERIFY(!timer->isActive());
  }
};

CINDRAL_WINDOW_TEST_MAIN(LayoutsTest, QApplication)
#include "Layouts_test.moc"
