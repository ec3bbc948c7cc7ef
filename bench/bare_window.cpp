// The baseline for startup.sh: the least Qt Widgets program that shows a
// window like the converter's (same title and size), no buttons, no icon.
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
