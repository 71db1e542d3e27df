// The program as the desktop starts it: with a mix file named on its command line (a file
// manager's double-click), with files dropped on its window, and with arguments it refuses.
#include "engine/texts.h"
#include "tests/support/files.h"
#include "tests/support/recordingprompter.h"
#include "tests/support/windows.h"
#include "ui/program.h"
#include "ui/startup.h"
#include "workspace/messages.h"

#include <QAbstractButton>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QUrl>
#include <QtTest>

#include <memory>

namespace veldora {

class DesktopTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<testing_support::TemporaryFolder> folder;
  std::string mixFile;  // a design with a slump of 75 and air-entrained concrete

  static QString boxText(MainWindow& window, Box box) { return window.box(box)->text(); }

 private slots:
  void initTestCase() {
    folder = std::make_unique<testing_support::TemporaryFolder>();
    testing_support::RecordingPrompter prompter;
    Workspace ws(prompter);
    ws.design().setText(Box::Text1, "75");
    ws.conditions().choose(OptionDialog::ConcreteType, 1);
    mixFile = folder->path("design.vdr");
    QVERIFY(ws.files().saveTo(mixFile));
  }

  void startsWithTheFileOpenAndItsDesignRun() {
    Program program(mixFile);
    MainWindow& window = program.window();
    QTRY_COMPARE(boxText(window, Box::Text1), QStringLiteral("75"));
    QCOMPARE(window.windowTitle(), QString::fromStdString("VELDORA  " + mixFile));
    QCOMPARE(window.findChild<QListWidget*>(QStringLiteral("RESULTS"))->count(), 15);
    QCOMPARE(program.workspace().state().conditions.concreteType, ConcreteType::AirEntrained);
  }

  // A file that is missing or not a mix file says so over a window left as at start-up.
  void aBadFileShowsItsMessageOverTheFreshWindow() {
    testing_support::writeFile(folder->path("damaged.vdr"), "not a mix file\r\n");
    for (const auto& [name, title, text] :
         {std::tuple{"damaged.vdr", texts::kErrorTitle, messages::kInvalidFile},
          {"missing.vdr", messages::kMissingFileTitle, messages::kMissingFile}}) {
      QString shownTitle, shownText;
      Program program(folder->path(name));
      // After the program's own opening of the file, which waits for its event loop.
      testing_support::whenModal<QMessageBox>([&shownTitle, &shownText](QMessageBox* box) {
        shownTitle = box->windowTitle();
        shownText = box->text();
        box->button(QMessageBox::Ok)->click();
      });
      QTRY_COMPARE(shownText, QString::fromUtf8(text));
      QCOMPARE(shownTitle, QString::fromUtf8(title));
      QCOMPARE(program.window().windowTitle(), QString::fromUtf8(messages::kUntitledTitle));
      QCOMPARE(boxText(program.window(), Box::Text1), QStringLiteral("50"));
      QVERIFY(program.workspace().state().mainWindow.results.empty());
    }
  }

  // One local *.vdr file dropped on the window opens as Open does; anything else is ignored, and
  // so is any drop while another window of the program holds the user.
  void dropsOpenOneMixFileOnly() {
    Program program(std::nullopt);
    MainWindow& window = program.window();
    const auto drop = [&window](const QList<QUrl>& urls) {
      QMimeData data;
      data.setUrls(urls);
      QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
      QApplication::sendEvent(&window, &enter);
      QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
      QApplication::sendEvent(&window, &dropped);
      return enter.isAccepted() && dropped.isAccepted();
    };
    const QUrl file = QUrl::fromLocalFile(QString::fromStdString(mixFile));
    QVERIFY(!drop({QUrl(QStringLiteral("https://example.org/design.vdr"))}));
    QVERIFY(!drop({file, QUrl::fromLocalFile(QString::fromStdString(folder->path("b.vdr")))}));
    QVERIFY(!drop({QUrl::fromLocalFile(QString::fromStdString(folder->path("notes.txt")))}));
    QCOMPARE(boxText(window, Box::Text1), QStringLiteral("50"));

    program.workspace().conditions().openWindow();  // the conditions window holds the user
    QVERIFY(!drop({file}));
    QCOMPARE(boxText(window, Box::Text1), QStringLiteral("50"));
    program.window().findChild<QWidget*>(QStringLiteral("Form4"))->close();

    QVERIFY(drop({file}));
    QCOMPARE(boxText(window, Box::Text1), QStringLiteral("75"));
    QCOMPARE(window.windowTitle(), QString::fromStdString("VELDORA  " + mixFile));
  }

  // The real program refuses wrong arguments with one line and exit status 2, before any window.
  void refusesWrongArgumentsBeforeAnyWindow() {
    for (const QStringList& arguments : {QStringList{"a.vdr", "b.vdr"}, QStringList{"--colour"}}) {
      QProcess program;
      QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
      environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
      environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(folder->path()));
      program.setProcessEnvironment(environment);
      program.start(QStringLiteral(VELDORA_PROGRAM), arguments);
      QVERIFY(program.waitForFinished(10000));
      QCOMPARE(program.exitCode(), 2);
      QCOMPARE(program.readAllStandardOutput(), QByteArray());
      const QByteArray error = program.readAllStandardError();
      QCOMPARE(error.count('\n'), 1);
      QVERIFY2(error.startsWith("veldora: ") && error.contains(kStartupUsage), error.constData());
    }
  }
};

}  // namespace veldora

QTEST_MAIN(veldora::DesktopTest)
#include "desktop_test.moc"
