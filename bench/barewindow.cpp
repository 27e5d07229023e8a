// The baselines of the start-up benchmark: a bare Qt Widgets window of the size given on the
// command line (width and height), shown at once, doing nothing else; with a third argument,
// the same window showing that text in a label, which sets up the fonts as any window with
// words in it must.

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <string>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle("Bare window");
  if (argc >= 3) window.resize(std::stoi(argv[1]), std::stoi(argv[2]));
  if (argc >= 4) (new QVBoxLayout(&window))->addWidget(new QLabel(QString::fromLocal8Bit(argv[3])));
  window.show();
  return application.exec();
}
