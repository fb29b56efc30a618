// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's file dialogs: each kind (import, export, the saved picture)
// opens in the folder last used for that kind, else in the home folder, and
// the folders are kept for the next run in the user's configuration.

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "Screenshot.h"
#include "TestWorld.h"
#include "app/DesktopShell.h"
#include "core/IniFile.h"
#include "logic/ExportLogic.h"
#include "store/Gbk.h"
#include "WindowTest.h"
#include "ui/QtPrompter.h"
#include "ui/RecentFolders.h"
#include "ui/Text.h"

using namespace cindral;
using cindral::testing::WhenOpen;

namespace {

// Asks `shell` for a file of `kind`; the dialog's folder goes to `opened`,
// and `answer` (a full path) is typed into it and taken, or, when empty,
// the dialog is cancelled.
FileChoice Choose(DesktopShell& shell, FileKind kind, bool save, const QString& answer,
                  QString* opened) {
  WhenOpen<QFileDialog>([=](QFileDialog* dialog) {
    if (dialog == nullptr) return;
    *opened = dialog->directory().absolutePath();
    if (answer.isEmpty()) {
      dialog->reject();
      return;
    }
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    name->setText(answer);
    QTest::keyClick(name, Qt::Key_Return);
  });
  return shell.ChooseFile(kind, GBK("文件"), save, {GBK("单词表 (*.tsv *.txt)")},
                          save ? GBK("单词本.tsv") : "");
}

}  // namespace

class FileDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void eachKindOpensWhereItsLastFileWasChosenAcrossRuns() {
    QTemporaryDir configuration;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configuration.path()));
    QTemporaryDir files;
    const QString lists = files.filePath(QStringLiteral("单词表"));
    const QString exports = files.filePath(QStringLiteral("导出"));
    QVERIFY(QDir().mkpath(lists) && QDir().mkpath(exports));
    const QString list = QDir(lists).filePath(QStringLiteral("words.tsv"));
    QFile(list).open(QIODevice::WriteOnly);
    DesktopShell shell;
    QString opened;

    // The first time: the home folder.
    FileChoice chosen = Choose(shell, FileKind::Import, false, list, &opened);
    QCOMPARE(opened, QDir::homePath());
    QCOMPARE(ToQString(chosen.path), list);
    chosen = Choose(shell, FileKind::Export, true,
                    QDir(exports).filePath(QStringLiteral("mine.tsv")), &opened);
    QCOMPARE(opened, QDir::homePath());
    QCOMPARE(ToQString(chosen.path), QDir(exports).filePath(QStringLiteral("mine.tsv")));
    // Then each where its last file was; a cancelled dialog changes nothing.
    for (int i = 0; i < 2; ++i) {
      QVERIFY(Choose(shell, FileKind::Import, false, {}, &opened).path.empty());
      QCOMPARE(opened, lists);
      QVERIFY(Choose(shell, FileKind::Export, true, {}, &opened).path.empty());
      QCOMPARE(opened, exports);
      QVERIFY(Choose(shell, FileKind::Picture, true, {}, &opened).path.empty());
      QCOMPARE(opened, QDir::homePath());
    }

    // Kept in the user's configuration, in a folder of the user's alone:
    // the next run reads them from there.
    const QString kept = configuration.filePath(QStringLiteral("cindral/folders.ini"));
    QCOMPARE(RecentFoldersFile(), kept);
    struct stat info {};
    QCOMPARE(
        ::stat(QFile::encodeName(configuration.filePath(QStringLiteral("cindral"))).constData(),
               &info),
        0);
    QCOMPARE(info.st_mode & 0777, 0700u);
    QTemporaryDir nextRun;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(nextRun.path()));
    QCOMPARE(StartFolder(FileKind::Import), QDir::homePath());
    QVERIFY(QDir().mkpath(nextRun.filePath(QStringLiteral("cindral"))));
    QVERIFY(QFile::copy(kept, nextRun.filePath(QStringLiteral("cindral/folders.ini"))));
    QCOMPARE(StartFolder(FileKind::Import), lists);
    QCOMPARE(StartFolder(FileKind::Export), exports);
    // A folder no longer there: the home folder again.
    QVERIFY(QDir(exports).removeRecursively());
    QVERIFY(Choose(shell, FileKind::Export, true, {}, &opened).path.empty());
    QCOMPARE(opened, QDir::homePath());
  }

  // The folders file cannot be replaced (a full disk, a rename that fails):
  // the folder is not kept, the file is as it was, and nothing is left of
  // the attempt.
  void aFolderThatCannotBeKeptLeavesTheKeptOnesAsTheyWere() {
    QTemporaryDir configuration, files;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configuration.path()));
    const QString first = files.filePath(QStringLiteral("第一"));
    const QString second = files.filePath(QStringLiteral("second"));
    QVERIFY(QDir().mkpath(first) && QDir().mkpath(second));
    QVERIFY(RememberFolder(FileKind::Import, first + QStringLiteral("/a.tsv")));
    QFile kept(RecentFoldersFile());
    QVERIFY(kept.open(QIODevice::ReadOnly));
    const QByteArray before = kept.readAll();
    kept.close();
    const QStringList entries = QDir(configuration.filePath(QStringLiteral("cindral")))
                                    .entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    const auto fullDisk = [&] {
      rlimit saved{};
      getrlimit(RLIMIT_FSIZE, &saved);
      rlimit small = saved;
      small.rlim_cur = 16;
      const auto handler = ::signal(SIGXFSZ, SIG_IGN);
      setrlimit(RLIMIT_FSIZE, &small);
      const bool kept = RememberFolder(FileKind::Import, second + QStringLiteral("/b.tsv"));
      setrlimit(RLIMIT_FSIZE, &saved);
      ::signal(SIGXFSZ, handler);
      return kept;
    };
    const auto failingRename = [&] {
      SetProfileRenameForTesting([](const char*, const char*) {
        errno = EIO;
        return -1;
      });
      const bool kept = RememberFolder(FileKind::Import, second + QStringLiteral("/b.tsv"));
      SetProfileRenameForTesting(nullptr);
      return kept;
    };
    for (const auto& attempt :
         {std::function<bool()>(fullDisk), std::function<bool()>(failingRename)}) {
      QVERIFY(!attempt());
      QVERIFY(kept.open(QIODevice::ReadOnly));
      QCOMPARE(kept.readAll(), before);
      kept.close();
      QCOMPARE(QDir(configuration.filePath(QStringLiteral("cindral")))
                   .entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
               entries);
      QCOMPARE(StartFolder(FileKind::Import), first);
    }
    // Kept once the disk is well again.
    QVERIFY(RememberFolder(FileKind::Import, second + QStringLiteral("/b.tsv")));
    QCOMPARE(StartFolder(FileKind::Import), second);
  }

  // 导出单词… on the desktop: the file dialog, then a message that says
  // where the file went.
  void anExportSaysWhereTheFileWent() {
    QTemporaryDir configuration;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configuration.path()));
    test::TestWorld world(45000.0);
    world.WriteStandardPlanTable();
    world.WriteFreshConfig();
    world.OpenWordBook();
    world.AddWord(1, "apple", 45000.0, 35, "苹果");
    world.AddWord(1, "pear", 45000.0, 10, "梨");
    QtPrompter prompter;
    DesktopShell shell;
    Program program(world.Db(), *world.settings, world.clock, prompter, shell);
    const QString folder = QString::fromStdString(world.dir.File("导出的单词"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = QDir(folder).filePath(QStringLiteral("单词本-2023-03-15.tsv"));
    QString opened, text;
    WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
      QVERIFY(dialog != nullptr);
      opened = dialog->directory().absolutePath();
      auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      name->setText(path);
      QTest::keyClick(name, Qt::Key_Return);
      cindral::testing::AnswerNextBox([&](QMessageBox* box) {
        QVERIFY(box != nullptr);
        text = box->text();
        QVERIFY(SaveScreenshot(box,
                               cindral::testing::ScreenshotPath(QStringLiteral("export-message"))));
        box->button(QMessageBox::Ok)->click();
      });
    });
    ExportLogic(program).Run();
    QCOMPARE(opened, QDir::homePath());
    QCOMPARE(text, QStringLiteral("已导出 2 个单词，文件在：\n") + path);
    QVERIFY(QFile::exists(path));
  }
};

CINDRAL_WINDOW_TEST_MAIN(FileDialogsTest, QApplication)

#include "FileDialogs_test.moc"
