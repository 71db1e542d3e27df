#include "cli/reportwriter.h"

#include "presentation/fonts.h"
#include "report/designreport.h"

#include <QDate>
#include <QGuiApplication>

#include <cstdio>

namespace veldora::cli {

std::optional<WriteProblem> writePdfReport(const WorkspaceState& state,
                                           const ReportSettings& settings,
                                           const std::string& path) {
  if (!QGuiApplication::instance()) {
    static int argc = 1;
    static char name[] = "veldora-cli";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes about the platform are not the command line's output.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
      if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fputs(qPrintable(message + "\n"), stderr);
      }
    });
    static QGuiApplication application(argc, argv);
    loadBundledFonts();
  }
  return writeReportPdf(DesignReport(state, settings, QDate::currentDate()), path);
}

}  // namespace veldora::cli
