// startup.sh's baseline: the least Qt window of the same title and size.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Vantrel Article Converter"));
  window.resize(813, 466);
  window.show();
  return QApplication::exec();
}
