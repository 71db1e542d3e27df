#include "ui/reportpreview.h"

#include "report/designreport.h"
#include "ui/captions.h"

#include <QChildEvent>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QPaintEngine>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include <utility>

namespace veldora {

ReportPreview::ReportPreview(Workspace& workspace, std::unique_ptr<QPrinter> printer,
                             QWidget* parent)
    : QPrintPreviewDialog(printer.get(), parent),
      mWorkspace(workspace),
      mPrinter(std::move(printer)) {
  setObjectName(QStringLiteral("ReportPreview"));
  setWindowTitle(QString::fromUtf8(captions::kReportCaption));
  mPrinter->setDocName(reportDocumentTitle());
  mPrinter->setCreator(reportCreator());
  connect(this, &QPrintPreviewDialog::paintRequested, this, &ReportPreview::paintReport);
  connect(this, &QDialog::finished, this, [this] {
    if (std::exchange(mPrintFailed, false)) {
      open();
    } else {
      mWorkspace.report().closePreview();
    }
  });
}

ReportPreview::~ReportPreview() = default;

void ReportPreview::bringUp() {
  if (isVisible()) return;
  const WorkspaceState& state = mWorkspace.state();
  mReport =
      std::make_unique<DesignReport>(state, state.reportDialog.previewed, QDate::currentDate());
  // A PDF is suggested under the design's own name. Naming the file makes the printer print to
  // PDF; a printer of the system stays the one chosen where there is one.
  const bool toPrinter = mPrinter->outputFormat() == QPrinter::NativeFormat;
  mPrinter->setOutputFileName(suggestedPdfName(state, state.reportDialog.previewed));
  if (toPrinter) mPrinter->setOutputFormat(QPrinter::NativeFormat);
  open();
  if (auto* pages = findChild<QPrintPreviewWidget*>()) pages->updatePreview();
}

void ReportPreview::paintReport(QPrinter* device) {
  if (!mReport) return;
  if (device->paintEngine()->type() != QPaintEngine::Pdf) {
    mReport->paint(*device);
    return;
  }
  // To a PDF file the printer paints nothing: the report writes the file itself.
  if (std::exchange(mPdfNameRefused, false)) {
    mPrintFailed = true;  // nothing written; the preview comes back
    return;
  }
  const std::string path = QDir::toNativeSeparators(device->outputFileName()).toStdString();
  mPrintFailed = true;
  if (!mWorkspace.report().mayWriteTo(path)) return;
  const std::optional<WriteProblem> problem = writeReportPdf(*mReport, path);
  if (problem) mWorkspace.report().notWritten(*problem);
  mPrintFailed = problem.has_value();
}

void ReportPreview::childEvent(QChildEvent* event) {
  // Where the preview asks for the PDF's name itself (on Windows), a cancelled dialog must write
  // nothing, though the preview then prints to the name suggested all the same. The dialog is a
  // child of the preview, made and asked within one call; it is looked at once it is whole.
  if (event->added()) {
    const QPointer<QObject> child = event->child();
    QMetaObject::invokeMethod(
        this,
        [this, child] {
          if (auto* dialog = qobject_cast<QFileDialog*>(child.data())) {
            connect(dialog, &QDialog::finished, this,
                    [this](int result) { mPdfNameRefused = result != QDialog::Accepted; });
          }
        },
        Qt::QueuedConnection);
  }
  QPrintPreviewDialog::childEvent(event);
}

}  // namespace veldora
