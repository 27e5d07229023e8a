// The baseline of the start-up benchmark: a bare Qt Widgets window of the size given on the
// command line (width and height), shown at once, doing nothing else.

#include <QApplication>
#include <QWidget>
#include <string>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle("Bare window");
  if (argc >= 3) window.resize(std::stoi(argv[1]), std::stoi(argv[2]));
  window.show();
  return application.exec();
}
