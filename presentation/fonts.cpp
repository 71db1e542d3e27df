#include "presentation/fonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QStringList>

namespace veldora {
namespace {

// Nazli's letters are about three quarters the height of Lotus's at the same point size.
constexpr qreal kNazliScale = 1.3;

bool hasLotus() {
  static const bool has = QFontDatabase::families().contains(QStringLiteral("Lotus"));
  return has;
}

}  // namespace

QFont persianFont(qreal pointSize, bool bold, bool italic) {
  QFont font;
  if (hasLotus()) {
    font.setFamilies({QStringLiteral("Lotus")});
    font.setPointSizeF(pointSize);
  } else {
    font.setFamilies({QStringLiteral("Nazli"), QStringLiteral("Noto Naskh Arabic"),
                      QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(pointSize * kNazliScale);
  }
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

void loadBundledFonts() {
  const QDir folder(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
  for (const QString& name : folder.entryList({QStringLiteral("*.ttf")}, QDir::Files)) {
    // Read here and handed over as bytes: the font engine of the report's own program on Windows
    // opens a named file through the ANSI code page, which has no Persian letters where Windows'
    // language for programs is not Persian, and the folder may have a Persian name.
    QFile file(folder.filePath(name));
    if (file.open(QIODevice::ReadOnly)) QFontDatabase::addApplicationFontFromData(file.readAll());
  }
}

}  // namespace veldora
