#include "mixfilestore.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace veldora {

bool DiskMixFileStore::exists(const std::string& path) const {
  return QFileInfo(QString::fromStdString(path)).isFile();
}

std::optional<std::string> DiskMixFileStore::read(const std::string& path) const {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  return bytes.toStdString();
}

bool DiskMixFileStore::write(const std::string& path, const std::string& bytes) {
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (!writeBytes(file, bytes)) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

bool DiskMixFileStore::writeBytes(QIODevice& file, const std::string& bytes) {
  return file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
         static_cast<qint64>(bytes.size());
}

}  // namespace veldora
