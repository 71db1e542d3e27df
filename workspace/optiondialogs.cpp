#include "workspace/optiondialogs.h"

#include <type_traits>

namespace veldora {
namespace {

template <auto Field>
int selectionOf(const DesignConditions& c) {
  return static_cast<int>(c.*Field);
}

template <auto Field>
void selectIn(DesignConditions& c, int option) {
  using Choice = std::remove_cvref_t<decltype(c.*Field)>;
  c.*Field = static_cast<Choice>(option);
}

template <auto Field>
std::span<const std::string_view> captionsOf() {
  using Choice = std::remove_cvref_t<decltype(DesignConditions{}.*Field)>;
  return optionCaptions(Choice{});
}

constexpr int kEnvironmentRow = 1;
constexpr int kCementRow = 3;
constexpr int kSectionRow = 5;

// The exposure dialog's OK offers the cement row for seawater or sulfates, then the section row
// for any exposure but normal; the concrete type dialog's offers the environment row for
// air-entrained concrete.
constexpr RowAvailability kExposureOffers[] = {
    {kCementRow,
     [](const DesignConditions& c) { return c.exposure == ExposureClass::SeawaterSulfate; }},
    {kSectionRow, [](const DesignConditions& c) { return c.exposure != ExposureClass::Normal; }},
};
constexpr RowAvailability kConcreteTypeOffers[] = {
    {kEnvironmentRow,
     [](const DesignConditions& c) { return c.concreteType == ConcreteType::AirEntrained; }},
};

template <auto Field>
OptionDialogInfo dialog(const char* objectName, int row,
                        std::span<const RowAvailability> offers = {}, bool showsList = false) {
  return {objectName, row,      captionsOf<Field>(), selectionOf<Field>, selectIn<Field>,
          offers,     showsList};
}

}  // namespace

const OptionDialogInfo& optionDialogInfo(OptionDialog which) {
  using C = DesignConditions;
  static const std::array<OptionDialogInfo, kOptionDialogs.size()> kInfo = {
      dialog<&C::workability>("Dialog", 0),
      dialog<&C::environment>("Dialog1", kEnvironmentRow),
      dialog<&C::exposure>("Dialog2", 2, kExposureOffers),
      dialog<&C::cement>("Dialog3", kCementRow),
      dialog<&C::concreteType>("Dialog4", 4, kConcreteTypeOffers),
      dialog<&C::section>("Dialog5", kSectionRow),
      dialog<&C::method>("Dialog7", -1),
      dialog<&C::resultView>("Dialog8", -1, {}, true),
  };
  return kInfo[static_cast<size_t>(which)];
}

}  // namespace veldora
