// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Showing a folder on the desktop: the opener's exit status decides, since
// it starts whether or not a file manager answers; a missing opener falls
// back to Qt's own ways, which fail here (nothing answers offscreen).

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "WindowTest.h"
#include "ui/FolderView.h"

using namespace cindral;

namespace {

// A PATH that holds nothing but an xdg-open (when `body` is given) that
// notes the folder asked for, then runs `body`.
class FakeOpener {
 public:
  explicit FakeOpener(const QByteArray& body) : oldPath_(qgetenv("PATH")) {
    if (!body.isNull()) {
      QFile script(dir_.filePath(QStringLiteral("xdg-open")));
      script.open(QIODevice::WriteOnly);
      script.write("#!/bin/sh\nprintf '%s' \"$1\" > '" +
                   dir_.filePath(QStringLiteral("asked")).toLocal8Bit() + "'\n" + body + "\n");
      script.close();
      script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    }
    qputenv("PATH", dir_.path().toLocal8Bit());
  }
  ~FakeOpener() { qputenv("PATH", oldPath_); }
  QString Asked() const {
    QFile asked(dir_.filePath(QStringLiteral("asked")));
    return asked.open(QIODevice::ReadOnly) ? QString::fromUtf8(asked.readAll()) : QString();
  }

 private:
  QTemporaryDir dir_;
  QByteArray oldPath_;
};

}  // namespace

class FolderViewTest : public QObject {
  Q_OBJECT

 private slots:
  void theOpenersExitStatusTellsWhetherAFileManagerAnswered_data() {
    QTest::addColumn<QByteArray>("opener");
    QTest::addColumn<bool>("failed");
    QTest::newRow("a file manager answers") << QByteArray("exit 0") << false;
    QTest::newRow("no method available") << QByteArray("exit 3") << true;
    QTest::newRow("killed") << QByteArray("kill -9 $$") << true;
    QTest::newRow("stays while the file manager runs") << QByteArray("/bin/sleep 5") << false;
    QTest::newRow("no opener at all") << QByteArray() << true;
  }
  void theOpenersExitStatusTellsWhetherAFileManagerAnswered() {
    QFETCH(QByteArray, opener);
    QFETCH(bool, failed);
    FakeOpener fake(opener);
    const QString folder = QStringLiteral("/tmp/备份 folder");
    int told = 0;
    ShowFolderOnDesktop(folder, [&] { ++told; });
    if (!opener.isNull()) QTRY_COMPARE(fake.Asked(), folder);
    if (failed) {
      QTRY_COMPARE(told, 1);
    }
    QTest::qWait(1500);  // an opener that ends (or runs on) tells nothing more
    QCOMPARE(told, failed ? 1 : 0);
  }
};

CINDRAL_WINDOW_TEST_MAIN(FolderViewTest, QApplication)

#include "FolderView_test.moc"
