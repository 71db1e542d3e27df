// What a key costs in a box that holds a 40,000-character text from a mix file: the key, the
// workspace's command and the box laid out and painted again. Run with QT_QPA_PLATFORM=offscreen.
#include "tests/support/recordingprompter.h"
#include "ui/mainwindow.h"
#include "workspace/workspace.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <benchmark/benchmark.h>

namespace veldora {
namespace {

void BM_KeyInALongBox(benchmark::State& state) {
  testing_support::RecordingPrompter prompter;
  Workspace workspace(prompter);
  MainWindow window(workspace);
  window.show();
  workspace.design().setText(Box::Text7, std::string(static_cast<size_t>(state.range(0)), '7'));
  QLineEdit* box = window.box(Box::Text7);
  box->setFocus();
  for (auto _ : state) {
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClick(box, Qt::Key_8);
    box->repaint();
    QTest::keyClick(box, Qt::Key_Delete);
  }
}
BENCHMARK(BM_KeyInALongBox)->Arg(40000)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace veldora

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
