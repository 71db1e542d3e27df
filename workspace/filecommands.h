#pragma once

#include "files/mixdocument.h"
#include "workspace/workspacepart.h"

#include <optional>
#include <string>

namespace veldora {

// Where Open takes its file from and what it does once the file is read.
struct OpenRequest {
  std::optional<std::string> path;  // none: the open dialog asks for it
  bool runDesign = true;            // Open runs the design; the command line applies options first
};

// New, Open, Save and Save As, with the window title and the current file.
class FileCommands : public WorkspacePart {
 public:
  using WorkspacePart::WorkspacePart;

  void newDesign();  // asks first
  // Open: the file (from the open dialog, the program's command line or a drop on the main
  // window) read all or nothing, then the design run; false (with its message) when nothing was
  // opened.
  bool open(const OpenRequest& request = {});
  // To the current file (asking first where another program has written it since this one read
  // or wrote it), or as Save As where there is none.
  void save();
  void saveAs();  // the save dialog, then the file; the title changes once it is written

  // Writes the design to path as Save does, refusing texts a mix file cannot hold; true when
  // written. Messages and focus as Save gives them.
  bool saveTo(const std::string& path);
  // What Save would write now, or nothing where it would refuse.
  std::optional<MixDocument> document() const;
  // Whether the design differs from the one last opened or saved, or from the start-up design
  // where there is none: what closing the program without Save would lose.
  bool hasUnsavedWork() const;

 private:
  friend class Workspace;
  // Takes the design as it stands as the one opened, saved or started.
  void rememberSavedDesign();
  // Whether Save may replace the current file: asks where another program has written it since.
  bool mayReplaceCurrentFile();
  // The design of document(): what the user made, without what follows from the runs.
  std::optional<MixDocument> currentDesign() const;
  std::optional<Box> firstUnsavableBox() const;
  bool refuseUnsavableBoxes();
  void apply(const MixDocument& document);
  void setTitleFromFilename();
};

}  // namespace veldora
