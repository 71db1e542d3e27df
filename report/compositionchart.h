#pragma once

#include <QObject>
#include <QString>
#include <QTextObjectInterface>

#include <vector>

namespace veldora {

// One bar or segment of the chart: what it shows and its value.
struct ChartPart {
  QString name;
  QColor colour;
  double value = 0;
};

// The composition of a cubic metre of concrete as vector drawing inside the report's text: one
// bar of the absolute volumes as shares of the whole, and a bar for the mass of each material.
class CompositionChart : public QObject, public QTextObjectInterface {
  Q_OBJECT
  Q_INTERFACES(QTextObjectInterface)

 public:
  static constexpr int kObjectType = QTextFormat::UserObject + 1;

  // font: the report's; millimetre: device units per millimetre.
  // volumes: the absolute volumes of the materials, shown as shares of their sum on one bar;
  // masses: a bar each, to the scale of the largest.
  CompositionChart(std::vector<ChartPart> volumes, QString volumeTitle,
                   std::vector<ChartPart> masses, QString massTitle, QFont font, double millimetre);

  QSizeF intrinsicSize(QTextDocument* document, int position, const QTextFormat& format) override;
  void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int position,
                  const QTextFormat& format) override;

 private:
  std::vector<ChartPart> mVolumes;
  QString mVolumeTitle;
  std::vector<ChartPart> mMasses;
  QString mMassTitle;
  QFont mFont;
  double mMillimetre;
};

}  // namespace veldora
