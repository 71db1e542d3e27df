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

// The exposure dialog's OK offers the cement row for seawater or sulfates, then the section row
// for any exposure but normal; the concrete type dialog's offers the environment row for
// air-entrained concrete.
constexpr RowAvailability kExposureOffers[] = {
    {OptionDialog::Cement,
     [](const DesignConditions& c) { return c.exposure == ExposureClass::SeawaterSulfate; }},
    {OptionDialog::Section,
     [](const DesignConditions& c) { return c.exposure != ExposureClass::Normal; }},
};
constexpr RowAvailability kConcreteTypeOffers[] = {
    {OptionDialog::Environment,
     [](const DesignConditions& c) { return c.concreteType == ConcreteType::AirEntrained; }},
};

template <auto Field>
OptionDialogInfo dialog(const char* objectName, std::span<const RowAvailability> offers = {},
                        bool showsList = false) {
  return {objectName, captionsOf<Field>(), selectionOf<Field>, selectIn<Field>, offers, showsList};
}

}  // namespace

const OptionDialogInfo& optionDialogInfo(OptionDialog which) {
  using C = DesignConditions;
  static const std::array<OptionDialogInfo, kOptionDialogs.size()> kInfo = {
      dialog<&C::workability>("Dialog"),
      dialog<&C::environment>("Dialog1"),
      dialog<&C::exposure>("Dialog2", kExposureOffers),
      dialog<&C::cement>("Dialog3"),
      dialog<&C::concreteType>("Dialog4", kConcreteTypeOffers),
      dialog<&C::section>("Dialog5"),
      dialog<&C::method>("Dialog7"),
      dialog<&C::resultView>("Dialog8", {}, true),
  };
  return kInfo[static_cast<size_t>(which)];
}

}  // namespace veldora
