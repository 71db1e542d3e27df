#include "ui/program.h"

#include "ui/programicon.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QSessionManager>
#include <QTimer>
#include <QTranslator>

namespace veldora {
namespace {

// Qt's translation, but for the names of keys: the menus keep "Ctrl+N" as the program writes it.
class QtTranslation : public QTranslator {
 public:
  using QTranslator::QTranslator;
  bool load(const QString& folder) { return mQt.load(QStringLiteral("qtbase_fa"), folder); }
  QString translate(const char* context, const char* sourceText, const char* disambiguation,
                    int n) const override {
    if (qstrcmp(context, "QShortcut") == 0) return {};
    return mQt.translate(context, sourceText, disambiguation, n);
  }
  bool isEmpty() const override { return mQt.isEmpty(); }

 private:
  QTranslator mQt;
};

// Qt's own dialogs (printing, files, the preview's buttons and the message boxes' Yes and No) in
// Persian where Qt has a translation: Debian's qt6-translations-l10n, or translations/ beside the
// program.
void installQtTranslation() {
  auto* translation = new QtTranslation(qApp);
  for (const QString& folder : {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                                QCoreApplication::applicationDirPath() + "/translations"}) {
    if (translation->load(folder)) {
      QCoreApplication::installTranslator(translation);
      // The translation would turn every window right to left; the program's windows have their
      // own directions, as they are laid out.
      QGuiApplication::setLayoutDirection(Qt::LeftToRight);
      return;
    }
  }
  delete translation;
}

}  // namespace

Program::Program(const std::optional<std::string>& file)
    : mWorkspace(mPrompter), mWindow(mWorkspace) {
  installQtTranslation();
  guardFileDialogs();
  QApplication::setWindowIcon(programIcons());
  // A logout asks, as the close box does, where work would be lost; a No stops the logout.
  QObject::connect(qApp, &QGuiApplication::commitDataRequest, &mWindow,
                   [this](QSessionManager& manager) {
                     if (!mWorkspace.files().hasUnsavedWork()) return;
                     if (manager.allowsInteraction()) {
                       mWorkspace.windows().closeMainWindow();
                       if (!mWorkspace.state().mainWindow.programEnded) manager.cancel();
                       manager.release();
                     }
                   });
  mWindow.show();
  if (file) {
    QTimer::singleShot(0, &mWindow, [this, path = *file] { mWorkspace.files().open({path}); });
  }
}

}  // namespace veldora
