#pragma once

#include "engine/mix.h"

#include <span>
#include <string_view>

namespace veldora {

// Each enumerator's value is the index of its option button in its dialog; its code is one more.
enum class DesignMethod { ACI89, BS };
enum class Workability { Low, Medium, High };
enum class EnvironmentClass { Normal, Moderate, Severe };
enum class ExposureClass { Normal, WetFreezeThaw, SeawaterSulfate };
enum class CementType { Ordinary, SulfateResisting };
enum class ConcreteType { NonAirEntrained, AirEntrained };
enum class SectionType { ThinOrSmallCover, Ordinary };
enum class ResultView { BeforeCorrection, AfterCorrection };

template <typename E>
constexpr int code(E e) {
  return static_cast<int>(e) + 1;
}

// The eight choices that steer a design; the defaults are the program's start-up selections.
struct DesignConditions {
  DesignMethod method = DesignMethod::ACI89;
  Workability workability = Workability::Medium;
  EnvironmentClass environment = EnvironmentClass::Normal;
  ExposureClass exposure = ExposureClass::Normal;
  CementType cement = CementType::Ordinary;
  ConcreteType concreteType = ConcreteType::NonAirEntrained;
  SectionType section = SectionType::Ordinary;
  ResultView resultView = ResultView::BeforeCorrection;

  friend bool operator==(const DesignConditions&, const DesignConditions&) = default;
};

// The option captions of each dialog, in option order. These are also the texts the conditions
// window shows for a choice.
std::span<const std::string_view> optionCaptions(DesignMethod);
std::span<const std::string_view> optionCaptions(Workability);
std::span<const std::string_view> optionCaptions(EnvironmentClass);
std::span<const std::string_view> optionCaptions(ExposureClass);
std::span<const std::string_view> optionCaptions(CementType);
std::span<const std::string_view> optionCaptions(ConcreteType);
std::span<const std::string_view> optionCaptions(SectionType);
std::span<const std::string_view> optionCaptions(ResultView);

template <typename E>
std::string_view caption(E e) {
  return optionCaptions(e)[static_cast<size_t>(e)];
}

}  // namespace veldora
