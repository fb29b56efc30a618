#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Cindral"));
  window.resize(640, 420);
  window.show();
  return app.exec();
}
