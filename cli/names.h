#pragma once

#include "engine/mix.h"
#include "workspace/optiondialogs.h"
#include "workspace/state.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The design's inputs by the names the command line gives them (its options without the dashes,
// a batch's columns): the twelve boxes, the seven conditions with their words, the four trial
// values.
namespace veldora::cli {

struct BoxName {
  std::string_view name;
  Box box;
};
inline constexpr std::array<BoxName, kBoxCount> kBoxNames = {{
    {"slump", Box::Text1},
    {"max-size", Box::Text2},
    {"strength", Box::Text3},
    {"fineness", Box::Text4},
    {"rodded-density", Box::Text5},
    {"cement-density", Box::Text6},
    {"coarse-density", Box::Text7},
    {"fine-density", Box::Text8},
    {"coarse-moisture", Box::Text9},
    {"fine-moisture", Box::Text10},
    {"coarse-absorption", Box::Text11},
    {"fine-absorption", Box::Text12},
}};

// A condition, chosen through its dialog's OK: its words in the order of the dialog's options.
struct ConditionName {
  std::string_view name;
  OptionDialog dialog;
  std::array<std::string_view, 3> words;  // the unused ones empty

  // The option a word names, if it names one.
  std::optional<int> option(std::string_view word) const {
    for (size_t i = 0; i < words.size(); ++i) {
      if (!words[i].empty() && words[i] == word) return static_cast<int>(i);
    }
    return std::nullopt;
  }
  // "low|medium|high"
  std::string wordList() const {
    std::string list;
    for (std::string_view word : words) {
      if (word.empty()) continue;
      if (!list.empty()) list += '|';
      list += word;
    }
    return list;
  }
};
inline constexpr std::array<ConditionName, 7> kConditionNames = {{
    {"workability", OptionDialog::Workability, {"low", "medium", "high"}},
    {"environment", OptionDialog::Environment, {"normal", "moderate", "severe"}},
    {"exposure", OptionDialog::Exposure, {"normal", "wet-freeze-thaw", "seawater-sulfate"}},
    {"cement", OptionDialog::Cement, {"ordinary", "sulfate-resisting"}},
    {"concrete", OptionDialog::ConcreteType, {"non-air-entrained", "air-entrained"}},
    {"section", OptionDialog::Section, {"thin", "ordinary"}},
    {"method", OptionDialog::DesignMethod, {"aci89", "bs"}},
}};

struct TrialName {
  std::string_view name;
  TrialBox box;
};
inline constexpr std::array<TrialName, 4> kTrialNames = {{
    {"trial-slump", TrialBox::Slump},
    {"trial-unit-weight", TrialBox::UnitWeight},
    {"trial-air", TrialBox::Air},
    {"trial-water", TrialBox::Water},
}};

// The required-strength window's boxes, by the command line's options and a batch's columns.
inline constexpr std::array<std::string_view, 3> kStrengthNames = {
    "specified-strength", "standard-deviation", "test-count"};

// What the command line and a batch say of a required-strength value the window refuses: the
// option or column named as given ("--test-count", "test-count") and the text.
inline std::string strengthRefusal(StrengthBox box, std::string_view name, std::string_view text) {
  const std::string what = box == StrengthBox::Tests
                               ? " takes a whole number from 1, not '"
                               : " takes a number above 0, at most 1000, not '";
  return std::string(name) + what + std::string(text) + "'";
}

}  // namespace veldora::cli
