#include "ui/widgetprompter.h"

#include "presentation/fonts.h"
#include "ui/twips.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace veldora {
namespace {

int ask(const std::string& title, const std::string& text, QMessageBox::StandardButtons buttons) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), QString::fromStdString(text),
                  buttons, QApplication::activeWindow());
  box.setLayoutDirection(Qt::RightToLeft);
  box.setFont(persianFont(9.75));
  // Both questions (a new design, the exit) end the design shown: Enter alone must not.
  if (buttons & QMessageBox::No) box.setDefaultButton(QMessageBox::No);
  return box.exec();
}

}  // namespace

void WidgetPrompter::showMessage(const std::string& title, const std::string& text) {
  ask(title, text, QMessageBox::Ok);
}

bool WidgetPrompter::askYesNo(const std::string& title, const std::string& text) {
  return ask(title, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<std::string> WidgetPrompter::chooseFile(const FileDialogRequest& request) {
  QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(request.title));
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
