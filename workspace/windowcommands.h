#pragma once

#include "workspace/workspacepart.h"

namespace veldora {

// The most characters a paste puts into a box. A box holds a longer text from a mix file.
inline constexpr int kLongestPaste = 1000;

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
  // The main window closed by the window manager (its close box, Alt+F4) or a logout: with work
  // that was never saved, asked as Exit asks; else the program ends at once.
  void closeMainWindow();
  // A paste into a box of more than kLongestPaste characters is refused whole, with a message.
  void refuseLongPaste();
};

}  // namespace veldora
