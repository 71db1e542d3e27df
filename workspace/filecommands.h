#pragma once

#include "files/mixdocument.h"
#include "workspace/workspacepart.h"

#include <optional>
#include <string>

namespace veldora {

// New, Open, Save and Save As, with the window title and the current file.
class FileCommands : public WorkspacePart {
 public:
  using WorkspacePart::WorkspacePart;

  void newDesign();  // asks first
  void open();       // the open dialog, then the file all or nothing, then the design run
  void save();       // to the current file, or as Save As where there is none
  void saveAs();     // the save dialog, then the file; the title changes once it is written

  // Writes the design to path as Save does, refusing texts a mix file cannot hold; true when
  // written. Messages and focus as Save gives them.
  bool saveTo(const std::string& path);
  // Open of a file named otherwise than in the open dialog (on the program's command line, or
  // dropped on the main window): as Open does once its dialog has returned path.
  void openChosen(const std::string& path);
  // Reads path and applies it as Open does, all or nothing, running the design at the end when
  // runDesign is set; false (with its message) when nothing is at path or it is not a mix file.
  bool openFile(const std::string& path, bool runDesign);
  // What Save would write now, or nothing where it would refuse. Like Save, it creates the
  // conditions window and loads the trial-batch window when they do not exist yet.
  std::optional<MixDocument> document();

 private:
  std::optional<Box> firstUnsavableBox() const;
  bool refuseUnsavableBoxes();
  void apply(const MixDocument& document);
  void setTitleFromFilename();
};

}  // namespace veldora
