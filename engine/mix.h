#pragma once

#include <array>
#include <optional>
#include <string>

namespace veldora {

// The twelve numbers of a design, read from the main window's boxes Text1..Text12 at the start of
// every run.
struct MixInputs {
  double requiredSlump = 0;          // mm
  double maximumAggregateSize = 0;   // nominal, mm
  double requiredStrength = 0;       // 28-day cylinder strength, kg/cm^2
  double finenessModulus = 0;        // of the fine aggregate (sand)
  double coarseRoddedDensity = 0;    // dry-rodded bulk density of the coarse aggregate, kg/m^3
  double cementRelativeDensity = 0;  // specific gravity
  double coarseRelativeDensity = 0;  // of the coarse aggregate (gravel)
  double fineRelativeDensity = 0;    // of the fine aggregate (sand)
  double coarseMoisture = 0;         // total moisture of the coarse aggregate, % of dry mass
  double fineMoisture = 0;           // total moisture of the fine aggregate, % of dry mass
  double coarseAbsorption = 0;       // saturated-surface-dry moisture of the coarse aggregate, %
  double fineAbsorption = 0;         // saturated-surface-dry moisture of the fine aggregate, %
};

// The condition codes a run hands to the steps: 1 + the index of the selected option.
struct ConditionCodes {
  double concreteType = 0;  // 1 non-air-entrained, 2 air-entrained
  double environment = 0;   // 1 normal (mild), 2 moderate, 3 severe
  double exposure = 0;      // 1 normal, 2 wet with freezing and thawing, 3 seawater or sulfates
  double cement = 0;        // 1 ordinary, 2 sulfate-resisting
  double section = 0;       // 1 thin or small cover, 2 other
  double workability = 0;   // 1 low, 2 medium, 3 high
};

// What a run computes, per cubic metre of concrete. Aggregate masses are oven-dry unless named
// batch masses, which are corrected for the moisture the aggregates carry.
struct MixProportions {
  double mixingWater = 0;                     // kg, to 0.1
  double airContent = 0;                      // % of the concrete volume
  double waterCementRatio = 0;                // by mass, to 0.01
  double cementContent = 0;                   // kg, to 0.1
  double coarseAggregateMass = 0;             // kg, whole
  double fineAggregateMassByWeight = 0;       // kg, whole; weight method
  double unitWeightByWeight = 0;              // kg/m^3, whole; weight method (estimated)
  double fineAggregateMassByVolume = 0;       // kg, whole; absolute-volume method
  double unitWeightByVolume = 0;              // kg/m^3, whole; sum of the absolute-volume masses
  double batchWater = 0;                      // kg, whole; for both fine-aggregate methods
  double batchCoarseAggregateMass = 0;        // kg, whole
  double batchFineAggregateMassByWeight = 0;  // kg, whole
  double batchFineAggregateMassByVolume = 0;  // kg, whole
};

// The main window's input boxes, numbered as the controls are.
enum class Box {
  Text1 = 1,
  Text2,
  Text3,
  Text4,
  Text5,
  Text6,
  Text7,
  Text8,
  Text9,
  Text10,
  Text11,
  Text12
};

inline constexpr int kBoxCount = 12;

// The members of MixInputs in the order of their boxes, Text1..Text12.
inline constexpr std::array<double MixInputs::*, kBoxCount> kInputsInBoxOrder = {
    &MixInputs::requiredSlump,         &MixInputs::maximumAggregateSize,
    &MixInputs::requiredStrength,      &MixInputs::finenessModulus,
    &MixInputs::coarseRoddedDensity,   &MixInputs::cementRelativeDensity,
    &MixInputs::coarseRelativeDensity, &MixInputs::fineRelativeDensity,
    &MixInputs::coarseMoisture,        &MixInputs::fineMoisture,
    &MixInputs::coarseAbsorption,      &MixInputs::fineAbsorption};

// A message that ends a run or refuses a command: always an error box with an OK button.
struct Stop {
  std::string title;
  std::string message;
  std::optional<Box> focus;  // the box that receives the keyboard focus, if any
};

}  // namespace veldora
