#include "widgetprompter.h"

#include <QApplication>
#include <QMessageBox>

#include "fonts.h"

namespace veldora {
namespace {

int ask(const std::string& title, const std::string& text, QMessageBox::StandardButtons buttons) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                  QString::fromStdString(text), buttons, QApplication::activeWindow());
  box.setLayoutDirection(Qt::RightToLeft);
  box.setFont(lotusFont(9.75));
  return box.exec();
}

}  // namespace

void WidgetPrompter::showMessage(const std::string& title, const std::string& text) {
  ask(title, text, QMessageBox::Ok);
}

bool WidgetPrompter::askYesNo(const std::string& title, const std::string& text) {
  return ask(title, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace veldora
