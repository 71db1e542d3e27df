#pragma once

#include <string>

namespace veldora {

// The workspace's only way to talk to the user. The program's windows implement it with modal
// message boxes (Persian text, no icon); tests and the command line with recorders.
class Prompter {
 public:
  virtual ~Prompter() = default;
  // An error box with a single OK button.
  virtual void showMessage(const std::string& title, const std::string& text) = 0;
  // A confirmation with Yes and No; true for Yes.
  virtual bool askYesNo(const std::string& title, const std::string& text) = 0;
};

}  // namespace veldora
