#pragma once

#include <array>
#include <limits>

// The three tables of ACI 211.1-89 (metric form) that the design uses unchanged. Cells the
// standard leaves empty hold NaN; the steps refuse before they could read them.
namespace veldora::aci {

inline constexpr double kEmpty = std::numeric_limits<double>::quiet_NaN();

// Nominal maximum aggregate sizes, mm: the columns of Table 6.3.3, the rows of Table 6.3.6.
inline constexpr std::array<double, 8> kSizes = {9.5, 12.5, 19, 25, 37.5, 50, 75, 150};
using SizeRow = std::array<double, 8>;

// Table 6.3.3: mixing water, kg/m^3, by slump row (25-50, 75-100, 150-175 mm).
inline constexpr std::array<SizeRow, 3> kWaterNonAirEntrained = {{
    {207, 199, 190, 179, 166, 154, 130, 113},
    {228, 216, 205, 193, 181, 169, 145, 124},
    {243, 228, 216, 202, 190, 178, 160, kEmpty},
}};
inline constexpr std::array<SizeRow, 3> kWaterAirEntrained = {{
    {181, 175, 168, 160, 150, 142, 122, 107},
    {202, 193, 184, 175, 165, 157, 133, 119},
    {216, 205, 197, 184, 174, 166, 154, kEmpty},
}};
// Table 6.3.3: entrapped air of non-air-entrained concrete, percent.
inline constexpr SizeRow kEntrappedAir = {3, 2.5, 2, 1.5, 1, 0.5, 0.3, 0.2};
// Table 6.3.3: recommended total air of air-entrained concrete, percent, by exposure
// (mild, moderate, extreme).
inline constexpr std::array<SizeRow, 3> kRecommendedAir = {{
    {4.5, 4.0, 3.5, 3.0, 2.5, 2.0, 1.5, 1.0},
    {6.0, 5.5, 5.0, 4.5, 4.5, 4.0, 3.5, 3.0},
    {7.5, 7.0, 6.0, 6.0, 5.5, 5.0, 4.5, 4.0},
}};

// Table 6.3.4(a): water-cement ratio by 28-day strength, the MPa values read as kg/cm^2.
inline constexpr std::array<double, 6> kStrengths = {150, 200, 250, 300, 350, 400};
inline constexpr std::array<double, 6> kRatioNonAirEntrained = {0.79, 0.69, 0.61, 0.54, 0.47, 0.42};
inline constexpr std::array<double, 6> kRatioAirEntrained = {0.70, 0.60, 0.52, 0.45, 0.39, kEmpty};

// The maximum water-cement ratio for severe exposure (after Table 6.3.4(b)), by section type
// (thin or small cover, other): for freezing and thawing (air-entrained concrete only), and for
// seawater or sulfates by cement type (ordinary, sulfate-resisting).
inline constexpr std::array<double, 2> kFreezeThawRatioLimit = {0.45, 0.50};
inline constexpr std::array<std::array<double, 2>, 2> kSulfateRatioLimit = {{
    {0.40, 0.45},
    {0.42, 0.495},
}};

// The workability factors of the dry-rodded coarse aggregate volume: low, medium, high.
inline constexpr std::array<double, 3> kWorkabilityFactors = {1.1, 1, 0.9};

// Table 6.3.6: dry-rodded volume of coarse aggregate per unit volume of concrete, rows by
// maximum size (kSizes), columns by the fineness modulus of the sand.
inline constexpr std::array<double, 4> kFinenessModuli = {2.4, 2.6, 2.8, 3.0};
inline constexpr std::array<std::array<double, 4>, 8> kCoarseVolume = {{
    {0.50, 0.48, 0.46, 0.44},
    {0.59, 0.57, 0.55, 0.53},
    {0.66, 0.64, 0.62, 0.60},
    {0.71, 0.69, 0.67, 0.65},
    {0.75, 0.73, 0.71, 0.69},
    {0.78, 0.76, 0.74, 0.72},
    {0.82, 0.80, 0.78, 0.76},
    {0.87, 0.85, 0.83, 0.81},
}};

}  // namespace veldora::aci
