#include "ui/widgetprompter.h"

#include "presentation/fonts.h"
#include "ui/twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QMessageBox>

#include <algorithm>

namespace veldora {
namespace {

int ask(const std::string& title, const std::string& text, QMessageBox::StandardButtons buttons) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), QString::fromStdString(text),
                  buttons, QApplication::activeWindow());
  box.setLayoutDirection(Qt::RightToLeft);
  box.setFont(persianFont(9.75));
  // Both questions (a new design, the exit) end the design shown: Enter alone must not.
  if (buttons & QMessageBox::No) box.setDefaultButton(QMessageBox::No);
  // Translated, "&بله" and "&نه" would be drawn with their letters torn apart by the underline.
  for (QAbstractButton* button : box.buttons()) {
    const QString caption = button->text();
    if (std::any_of(caption.begin(), caption.end(), [](QChar c) { return c.unicode() > 0x7F; })) {
      button->setText(QString(caption).remove(u'&'));
    }
  }
  return box.exec();
}

// Icons and types by the kind of entry and its suffix alone.
class NameIconProvider : public QAbstractFileIconProvider {
 public:
  QIcon icon(IconType type) const override { return QAbstractFileIconProvider::icon(type); }
  QIcon icon(const QFileInfo& info) const override {
    return icon(info.isDir() ? Folder : info.isRoot() ? Drive : File);
  }
  QString type(const QFileInfo& info) const override {
    const char* context = "QAbstractFileIconProvider";  // Qt's own words, translated as Qt's
    if (info.isDir()) return QCoreApplication::translate(context, "Folder", "All other platforms");
    if (info.suffix().isEmpty()) return QCoreApplication::translate(context, "File");
    return QCoreApplication::translate(context, "%1 File",
                                       "%1 is a file name suffix, for example txt")
        .arg(info.suffix());
  }
};

NameIconProvider& nameIcons() {
  static NameIconProvider provider;
  return provider;
}

class FileDialogGuard : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Polish) {
      if (auto* dialog = qobject_cast<QFileDialog*>(watched)) {
        if (dialog->iconProvider() != &nameIcons()) dialog->setIconProvider(&nameIcons());
      }
    }
    return false;
  }
};

}  // namespace

void guardFileDialogs() { qApp->installEventFilter(new FileDialogGuard(qApp)); }

void WidgetPrompter::showMessage(const std::string& title, const std::string& text) {
  ask(title, text, QMessageBox::Ok);
}

bool WidgetPrompter::askYesNo(const std::string& title, const std::string& text) {
  return ask(title, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<std::string> WidgetPrompter::chooseFile(const FileDialogRequest& request) {
  QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(request.title));
  dialog.setIconProvider(&nameIcons());  // before it lists the folder of the name chosen last
  dialog.setNameFilter(QString::fromStdString(request.filter));
  dialog.setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
  if (request.save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);  // asks before replacing a file
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);  // a missing name reaches Open's own message
  }
  if (!request.startName.empty()) dialog.selectFile(QString::fromStdString(request.startName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  // As the system writes names ("C:\\Users\\...\\mix.vdr" on Windows): the title and the report
  // show it.
  return QDir::toNativeSeparators(dialog.selectedFiles().constFirst()).toStdString();
}

}  // namespace veldora
