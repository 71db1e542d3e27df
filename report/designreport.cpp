#include "report/designreport.h"

#include "files/diskfile.h"
#include "presentation/bidi.h"
#include "presentation/fonts.h"
#include "report/compositionchart.h"
#include "report/html.h"
#include "report/pdftext.h"
#include "report/reporttexts.h"
#include "report/sections.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

#include <algorithm>

namespace veldora {
namespace {

namespace rt = reporttexts;

constexpr double kMarginMm = 15;
constexpr double kFooterMm = 8;

const QString kChartPlaceholder = QStringLiteral("@@composition-chart@@");

// A file name as the report shows it, its start and end kept, in a paragraph of its own direction:
// a path of Persian folders reads left to right. A left-to-right mark on each side of every
// separator keeps each Persian folder a run of its own, so the folders read in their order.
QString displayedFileName(const std::string& name) {
  constexpr QChar kLeftToRightMark(0x200E);
  QString text = reporthtml::elided(name, 150, true);
  for (const QChar separator : {QChar(u'/'), QChar(u'\\')}) {
    text.replace(separator, QString(kLeftToRightMark) + separator + kLeftToRightMark);
  }
  return text;
}

// Moves to the next page a heading that would end a page, and a short table (with its heading)
// that would be split, as long as the report stays within pageLimit pages; a table split anyway
// repeats its heading row.
void keepTogether(QTextDocument& document, int pageLimit) {
  QAbstractTextDocumentLayout* layout = document.documentLayout();
  const double pageHeight = document.pageSize().height();
  const auto pageOf = [pageHeight](double y) { return static_cast<int>(y / pageHeight); };
  const auto top = [layout](const QTextFrame::iterator& item) {
    return item.currentFrame() ? layout->frameBoundingRect(item.currentFrame()).top()
                               : layout->blockBoundingRect(item.currentBlock()).top();
  };
  const auto setPageBreak = [](const QTextFrame::iterator& item,
                               QTextFormat::PageBreakFlags flags) {
    if (QTextFrame* frame = item.currentFrame()) {
      QTextFrameFormat format = frame->frameFormat();
      format.setPageBreakPolicy(flags);
      frame->setFrameFormat(format);
    } else {
      QTextCursor cursor(item.currentBlock());
      QTextBlockFormat format = cursor.blockFormat();
      format.setPageBreakPolicy(flags);
      cursor.setBlockFormat(format);
    }
  };
  // Breaks the page before item; undone when the report would grow past its pages.
  const auto breakBefore = [&](const QTextFrame::iterator& item) {
    setPageBreak(item, QTextFormat::PageBreak_AlwaysBefore);
    if (document.pageCount() > pageLimit) setPageBreak(item, QTextFormat::PageBreak_Auto);
  };
  const auto isHeading = [](const QTextFrame::iterator& item) {
    return !item.currentFrame() && item.currentBlock().blockFormat().headingLevel() > 0;
  };
  QTextFrame::iterator previous;
  for (auto item = document.rootFrame()->begin(); !item.atEnd(); previous = item++) {
    if (isHeading(item)) {
      auto next = item;
      ++next;
      if (!next.atEnd() && pageOf(top(item)) != pageOf(top(next))) breakBefore(item);
    } else if (QTextFrame* table = item.currentFrame()) {
      const QRectF box = layout->frameBoundingRect(table);
      if (box.height() < pageHeight / 3 && pageOf(box.top()) != pageOf(box.bottom())) {
        breakBefore(!previous.atEnd() && isHeading(previous) ? previous : item);
      }
    }
  }
}

}  // namespace

DesignReport::DesignReport(const WorkspaceState& state, const ReportSettings& settings, QDate today)
    : mRun(*state.completedRun), mSettings(settings), mToday(today) {
  if (settings.includeAdjustment) mAdjustment = state.completedAdjustment;
  // A name of blanks only is no name.
  if (QString::fromStdString(settings.projectName).trimmed().isEmpty()) mSettings.projectName = "";
  if (state.file.savedUnderFilename) mFilename = state.file.filename;
  mMix = veldora::sheetMix(mRun.inputs, mRun.proportions, mRun.trace.moisture,
                           mAdjustment ? &mAdjustment->report : nullptr, mSettings.method);
  mSheet = batchingSheet(mMix, mSettings.batchVolume, mSettings.pourVolume, mSettings.bagMass);
}

QString DesignReport::html() const {
  const bool hasFile = mFilename.has_value();
  QString html = "<body dir='rtl'>" +
                 reportsections::batchingSheet(
                     {mRun, mSettings, mAdjustment.has_value(), hasFile, mToday, mMix, mSheet}) +
                 reportsections::calculation(mRun, mSettings, hasFile, mToday);
  if (mAdjustment) html += reportsections::adjustment(*mAdjustment, mRun.proportions);
  html += reporthtml::section(mAdjustment ? rt::kAdjustedChart : rt::kChart) + "<p>" +
          kChartPlaceholder + "</p></body>";
  // Superscripts from a font that has them (Nazli has none) at the size of Nazli's own figures:
  // the Persian font is set larger than its point size, its fallback would be too.
  return html
      .replace(QString::fromUtf8("²"), QString::fromUtf8("<span style='font-size: 75%'>²</span>"))
      .replace(QString::fromUtf8("³"), QString::fromUtf8("<span style='font-size: 75%'>³</span>"));
}

int DesignReport::paint(QPagedPaintDevice& device) const {
  device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                   QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                   QPageLayout::Millimeter));
  const double millimetre = device.logicalDpiY() / 25.4;
  const MixProportions& p = mRun.proportions;

  QTextDocument document;
  document.documentLayout()->setPaintDevice(&device);
  document.setDefaultFont(persianFont(7, false));
  // Right to left; a word longer than its cell (a long name) breaks where it must.
  QTextOption direction;
  direction.setTextDirection(Qt::RightToLeft);
  direction.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  document.setDefaultTextOption(direction);
  document.setDefaultStyleSheet(
      QStringLiteral("h1 { font-size: 16pt; margin: 0px; } h2 { font-size: 11pt; margin-top: 8px; "
                     "margin-bottom: 3px; }"
                     "h3 { font-size: 9.5pt; margin-top: 5px; margin-bottom: 2px; }"
                     "th { background-color: #e8e8e8; } p, td, th { line-height: 85%; }"));

  // The chart is of the sheet's mix: its shares are the absolute volumes of its materials before
  // the moisture correction and its air, its bars those masses, with the sand of each method.
  const AbsoluteVolumes& litres = mMix.volumes;
  const double sandByWeight =
      mAdjustment ? mAdjustment->report.dryByWeight.fineAggregate : p.fineAggregateMassByWeight;
  const double sandByVolume =
      mAdjustment ? mAdjustment->report.dryByVolume.fineAggregate : p.fineAggregateMassByVolume;
  const QColor water(70, 130, 200), cement(150, 150, 150), coarse(140, 100, 60),
      sand(230, 190, 110);
  const auto name = [](const char* text) { return reporthtml::persian(QString::fromUtf8(text)); };
  CompositionChart chart({{name(rt::kWater), water, litres.water},
                          {name(rt::kCementMaterial), cement, litres.cement},
                          {name(rt::kAir), QColor(230, 230, 250), litres.air},
                          {name(rt::kCoarse), coarse, litres.coarseAggregate},
                          {name(rt::kSand), sand, litres.fineAggregate}},
                         name(rt::kVolumeShares),
                         {{name(rt::kWater), water, mMix.dry.water},
                          {name(rt::kCementMaterial), cement, mMix.dry.cement},
                          {name(rt::kCoarse), coarse, mMix.dry.coarseAggregate},
                          {name(rt::kSandByWeight), sand, sandByWeight},
                          {name(rt::kSandByVolume), QColor(200, 160, 80), sandByVolume}},
                         name(rt::kMasses), persianFont(8, false), millimetre);
  document.documentLayout()->registerHandler(CompositionChart::kObjectType, &chart);
  document.setHtml(html());
  const QString& placeholder = reportsections::kFileNamePlaceholder;
  for (QTextCursor name = document.find(placeholder); !name.isNull();
       name = document.find(placeholder, name)) {
    QTextBlockFormat leftToRight = name.blockFormat();
    leftToRight.setLayoutDirection(Qt::LeftToRight);
    leftToRight.setAlignment(Qt::AlignLeft);
    name.setBlockFormat(leftToRight);
    name.insertText(displayedFileName(*mFilename));
  }
  QTextCursor chartPlace = document.find(kChartPlaceholder);
  if (!chartPlace.isNull()) {
    QTextCharFormat object;
    object.setObjectType(CompositionChart::kObjectType);
    chartPlace.insertText(QString(QChar::ObjectReplacementCharacter), object);
  }

  const QSizeF page(device.width(), device.height() - kFooterMm * millimetre);
  document.setPageSize(page);
  keepTogether(document, std::max(document.pageCount(), kReportPages));
  const int pages = document.pageCount();
  QPainter painter(&device);
  for (int i = 0; i < pages; ++i) {
    if (i > 0) device.newPage();
    painter.save();
    const QRectF visible(0, i * page.height(), page.width(), page.height());
    painter.translate(0, -visible.top());
    painter.setClipRect(visible);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = visible;
    document.documentLayout()->draw(&painter, context);
    painter.restore();
    painter.setFont(persianFont(7, false));
    painter.setLayoutDirection(Qt::RightToLeft);
    painter.drawText(QRectF(0, page.height(), page.width(), kFooterMm * millimetre),
                     Qt::AlignCenter,
                     QStringLiteral("VELDORA " VELDORA_VERSION "  ") +
                         reporthtml::persian(QString::fromUtf8(rt::kPage)) + " " +
                         isolatedNumber(QString::number(i + 1)) + " " +
                         reporthtml::persian(QString::fromUtf8(rt::kOf)) + " " +
                         isolatedNumber(QString::number(pages)));
  }
  return pages;
}

QString suggestedPdfName(const WorkspaceState& state, const ReportSettings& settings) {
  constexpr QLatin1StringView kMixFileSuffix(".vdr");
  if (state.file.savedUnderFilename) {
    QString name = QString::fromStdString(state.file.filename);
    if (name.endsWith(kMixFileSuffix, Qt::CaseInsensitive)) name.chop(kMixFileSuffix.size());
    return name + ".pdf";
  }
  // A name of the project's words that every system takes: no folder separators, no characters
  // Windows refuses in names (: * ? " < > |), no control characters, not hidden, not a Windows
  // device's name (CON, NUL, COM1), no dot or blank at its end, and short enough for a file name
  // of 255 bytes.
  QString name;
  for (const QChar c : QString::fromStdString(settings.projectName).simplified()) {
    name += QStringView(u"/\\:*?\"<>|").contains(c) || !c.isPrint() ? u'_' : c;
  }
  while (name.startsWith(u'.')) name.remove(0, 1);
  while (name.toUtf8().size() > 200) name.chop(1);
  while (name.endsWith(u'.') || name.endsWith(u' ')) name.chop(1);
  static const QRegularExpression device(QStringLiteral("^(con|prn|aux|nul|com\\d|lpt\\d)$"),
                                         QRegularExpression::CaseInsensitiveOption);
  if (device.match(name).hasMatch()) name += u'_';
  if (name.isEmpty()) name = QStringLiteral("VELDORA");
  return QDir::homePath() + u'/' + name + ".pdf";
}

QString reportDocumentTitle() { return QString::fromUtf8(reporttexts::kTitle); }
QString reportCreator() { return QStringLiteral("VELDORA " VELDORA_VERSION); }

std::optional<WriteProblem> writeReportPdf(const DesignReport& report, const std::string& path) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setCreator(reportCreator());
    writer.setTitle(reportDocumentTitle());
    report.paint(writer);
  }
  const QByteArray bytes = withLettersForText(buffer.data());
  if (bytes.isEmpty()) return WriteProblem::Other;
  return replaceFileAt(path,
                       std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

}  // namespace veldora
