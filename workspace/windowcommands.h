#pragma once

#include "workspace/workspacepart.h"

namespace veldora {

// The program's windows as a whole: the guidance and About windows, and the end of the program.
class WindowCommands : public WorkspacePart {
 public:
  using WorkspacePart::WorkspacePart;

  // The main window's guidance and About buttons show their window (an open one comes to the
  // front); its OK, Escape or close box hides it.
  void showInfoWindow(InfoWindow window);
  void closeInfoWindow(InfoWindow window);

  // The exit button and "E&XIT": on Yes the program ends at once, nothing saved.
  void confirmExit();
  // The main window's frame close box: the program ends at once and nothing is asked.
  void closeMainWindow();
};

}  // namespace veldora
