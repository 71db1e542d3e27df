// Draws the program's icon, with the same drawing the windows use: at one size into a PNG file,
// for the icon theme, or at every size into one Windows icon file (PNG images in an ICO
// directory), for the Windows programs, their Start-menu entry and the mix files they open.
#include "ui/programicon.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

QByteArray littleEndian16(int value) {
  QByteArray bytes(2, '\0');
  qToLittleEndian(static_cast<quint16>(value), bytes.data());
  return bytes;
}

QByteArray littleEndian32(qsizetype value) {
  QByteArray bytes(4, '\0');
  qToLittleEndian(static_cast<quint32>(value), bytes.data());
  return bytes;
}

// ICONDIR, then one ICONDIRENTRY per image (a side of 256 written as 0), then the images.
QByteArray windowsIcon() {
  QList<QByteArray> images;
  for (const int side : veldora::kIconSizes) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    veldora::programIcon(side).save(&buffer, "PNG");
    images.append(png);
  }
  const qsizetype count = images.size();
  QByteArray icon = littleEndian16(0) + littleEndian16(1) + littleEndian16(static_cast<int>(count));
  qsizetype offset = 6 + 16 * count;
  for (qsizetype i = 0; i < count; ++i) {
    const int side = veldora::kIconSizes[i];
    icon += static_cast<char>(side >= 256 ? 0 : side);
    icon += static_cast<char>(side >= 256 ? 0 : side);
    icon += QByteArray(2, '\0');  // no palette, reserved
    icon += littleEndian16(1) + littleEndian16(32) + littleEndian32(images[i].size()) +
            littleEndian32(offset);
    offset += images[i].size();
  }
  for (const QByteArray& image : images) icon += image;
  return icon;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: veldora-icon SIZE OUT.png | veldora-icon --ico OUT.ico\n", stderr);
    return 2;
  }
  QGuiApplication app(argc, argv);
  const QString out = QString::fromLocal8Bit(argv[2]);
  if (std::strcmp(argv[1], "--ico") == 0) {
    QFile file(out);
    return file.open(QIODevice::WriteOnly) && file.write(windowsIcon()) >= 0 && file.flush() ? 0
                                                                                             : 1;
  }
  return veldora::programIcon(std::atoi(argv[1])).save(out) ? 0 : 1;
}
