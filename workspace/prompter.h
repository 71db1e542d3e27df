#pragma once

#include <optional>
#include <string>

namespace veldora {

// The workspace's only way to talk to the user. The program's windows implement it with modal
// message boxes (Persian text, no icon); tests and the command line with recorders.
// The common file dialog as the file commands set it up.
struct FileDialogRequest {
  // The save dialog asks before replacing a file; the open dialog accepts a name that does not
  // exist, so that Open can say so.
  bool save = false;
  std::string title;
  std::string filter;         // "description(*.ext)"
  std::string defaultSuffix;  // added to a name typed without extension
  std::string startName;      // the name chosen last in either dialog
};

class Prompter {
 public:
  virtual ~Prompter() = default;
  // An error box with a single OK button.
  virtual void showMessage(const std::string& title, const std::string& text) = 0;
  // A confirmation with Yes and No; true for Yes.
  virtual bool askYesNo(const std::string& title, const std::string& text) = 0;
  // The chosen file's full path, or nothing when the user cancelled.
  virtual std::optional<std::string> chooseFile(const FileDialogRequest& request) = 0;
};

}  // namespace veldora
