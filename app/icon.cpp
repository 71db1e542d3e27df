// Draws the program's icon at one size into a PNG file, for the icon theme: the same drawing the
// windows use.
#include "ui/programicon.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: veldora-icon SIZE OUT.png\n", stderr);
    return 2;
  }
  QGuiApplication app(argc, argv);
  return veldora::programIcon(std::atoi(argv[1])).save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
