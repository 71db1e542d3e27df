#pragma once

#include "ui/followingwindow.h"
#include "workspace/workspace.h"

#include <QPrintPreviewDialog>

#include <memory>

class QPrinter;

namespace veldora {

class DesignReport;

// The report's print preview: Qt's own, laid out from the design as it stood when the preview came
// up. Printed to a PDF file, the report is written as the command line writes it: complete or not
// at all, the failure said, never over the design's mix file; the preview then comes back, so that
// the user can choose another name. Closed, it tells the workspace.
class ReportPreview : public QPrintPreviewDialog, public FollowingWindow {
  Q_OBJECT
 public:
  ReportPreview(Workspace& workspace, std::unique_ptr<QPrinter> printer, QWidget* parent);
  ~ReportPreview() override;

  QWidget* widget() override { return this; }
  void bringUp() override;

 protected:
  void childEvent(QChildEvent* event) override;

 private:
  void paintReport(QPrinter* device);

  Workspace& mWorkspace;
  std::unique_ptr<QPrinter> mPrinter;
  std::unique_ptr<DesignReport> mReport;
  bool mPrintFailed = false;     // the last printing to a PDF file wrote nothing
  bool mPdfNameRefused = false;  // the preview's own dialog for the PDF's name was cancelled
};

}  // namespace veldora
