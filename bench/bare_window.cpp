// The baseline for the start-up figures (startup.sh): the least Qt Widgets
// program that shows a window like the converter's (same title, same 813x466
// size) and runs the event loop, with no buttons, no icon and no settings of
// its own.
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
