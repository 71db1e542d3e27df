#pragma once

#include "workspace/prompter.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace veldora::testing_support {

// Stands in for the user: records every message and question the workspace puts (title and
// text), answers each question with answer, and answers each file dialog with the next of
// choices (a cancel once they run out).
class RecordingPrompter : public Prompter {
 public:
  struct Shown {
    std::string title;
    std::string text;
    bool question = false;
    friend bool operator==(const Shown&, const Shown&) = default;
  };

  void showMessage(const std::string& title, const std::string& text) override {
    shown.push_back({title, text, false});
    if (whileShown) whileShown();
  }
  bool askYesNo(const std::string& title, const std::string& text) override {
    shown.push_back({title, text, true});
    return answer;
  }
  std::optional<std::string> chooseFile(const FileDialogRequest& request) override {
    requests.push_back(request);
    if (choices.empty()) return std::nullopt;
    std::optional<std::string> choice = choices.front();
    choices.pop_front();
    return choice;
  }

  std::vector<Shown> shown;
  std::function<void()> whileShown;  // runs while each message is up, as the user reads it
  bool answer = false;
  std::deque<std::optional<std::string>> choices;
  std::vector<FileDialogRequest> requests;
};

}  // namespace veldora::testing_support
