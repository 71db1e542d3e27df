// Prints the MIME type Qt's database gives a file name, its comment and its parents: the type a
// desktop that follows the shared-MIME-info standard sees (the data folders come from
// XDG_DATA_DIRS).
#include <QCoreApplication>
#include <QMimeDatabase>
#include <QTextStream>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QMimeType type =
      QMimeDatabase().mimeTypeForFile(app.arguments().value(1), QMimeDatabase::MatchExtension);
  QTextStream(stdout) << type.name() << "\n"
                      << type.comment() << "\n"
                      << type.parentMimeTypes().join(QStringLiteral(" ")) << "\n";
  return 0;
}
