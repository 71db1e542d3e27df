// The whole program state driven by arbitrary commands: box texts, conditions, runs, the trial
// batch and its adjustment, option dialogs, New, and opening arbitrary bytes. Whatever state it
// reaches, a saved file reopens (as veldora-cli opens one, without the design run) and saves to
// the same bytes.
#include "files/diskfile.h"
#include "files/mixdocument.h"
#include "fuzz/check.h"
#include "workspace/workspace.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

namespace {

using namespace veldora;

// A folder of this process for the files the commands read and write, removed at exit.
const std::string& scratch() {
  // Never destroyed, so that the exit handler can still read it.
  static const std::string& folder = *[] {
    auto* path = new std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
    *path += "/veldora-fuzz-XXXXXX";
    if (!mkdtemp(path->data())) std::abort();
    std::atexit([] { std::filesystem::remove_all(scratch()); });
    return path;
  }();
  return folder;
}

class FuzzedPrompter : public Prompter {
 public:
  explicit FuzzedPrompter(FuzzedDataProvider& data) : mData(data) {}
  void showMessage(const std::string&, const std::string&) override {}
  bool askYesNo(const std::string&, const std::string&) override { return mData.ConsumeBool(); }
  std::optional<std::string> chooseFile(const FileDialogRequest&) override {
    if (mData.ConsumeBool()) return std::nullopt;
    return scratch() + "/chosen" + std::to_string(mData.ConsumeIntegralInRange(0, 2)) + ".vdr";
  }

 private:
  FuzzedDataProvider& mData;
};

void command(Workspace& ws, FuzzedDataProvider& data) {
  const auto box = [&] { return static_cast<Box>(data.ConsumeIntegralInRange(1, kBoxCount)); };
  const auto dialog = [&] {
    return kOptionDialogs[data.ConsumeIntegralInRange<size_t>(0, kOptionDialogs.size() - 1)];
  };
  DesignCommands& design = ws.design();
  ConditionCommands& conditions = ws.conditions();
  TrialBatchCommands& trial = ws.trialBatch();
  FileCommands& files = ws.files();
  switch (data.ConsumeIntegralInRange(0, 19)) {
    case 0:
      design.setText(box(), data.ConsumeRandomLengthString(40));
      break;
    case 1:
      conditions.choose(dialog(), data.ConsumeIntegralInRange(-1, 3));
      break;
    case 2:
      design.run();
      break;
    case 3:
      trial.open();
      break;
    case 4:
      trial.setText(data.ConsumeIntegralInRange(1, 4), data.ConsumeRandomLengthString(20));
      break;
    case 5:
      trial.ok();
      break;
    case 6:
      trial.cancel();
      break;
    case 7:
      trial.adjust();
      break;
    case 8:
      files.newDesign();
      break;
    case 9:
      conditions.openWindow();
      break;
    case 10:
      conditions.openDialog(dialog());
      break;
    case 11:
      conditions.selectOption(dialog(), data.ConsumeIntegralInRange(-1, 3));
      break;
    case 12:
      conditions.dialogOk(dialog());
      break;
    case 13:
      conditions.dialogCancel(dialog());
      break;
    case 14:
      conditions.ok();
      break;
    case 15:
      conditions.cancel();
      break;
    case 16:
      conditions.restoreDefaults();
      break;
    case 17:
      files.save();
      break;
    case 18:
      files.open();
      break;
    case 19: {
      const std::string path = scratch() + "/opened.vdr";
      replaceFileAt(path, data.ConsumeRandomLengthString(4096));
      files.open({path, data.ConsumeBool()});
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  FuzzedPrompter prompter(provider);
  Workspace ws(prompter);
  for (int i = 0; i < 64 && provider.remaining_bytes() > 0; ++i) command(ws, provider);

  const std::string saved = scratch() + "/saved.vdr";
  if (!ws.files().saveTo(saved)) return 0;  // refused: a box holds what Windows-1256 cannot
  const std::string first = readFileAt(saved, kMixFileSizeLimit).bytes;

  FuzzedDataProvider none(nullptr, 0);
  FuzzedPrompter quiet(none);
  Workspace reopened(quiet);
  VELDORA_FUZZ_CHECK(reopened.files().open({saved, false}));
  const std::string again = scratch() + "/again.vdr";
  VELDORA_FUZZ_CHECK(reopened.files().saveTo(again));
  VELDORA_FUZZ_CHECK(readFileAt(again, kMixFileSizeLimit).bytes == first);
  return 0;
}
