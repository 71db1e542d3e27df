#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace veldora {

// The standard sieves of a sieve analysis (ASTM C136 with the openings of ASTM E11), largest
// first; the order is the order of a stack of sieves and of every table of an analysis.
enum class Sieve {
  Mm75,
  Mm63,
  Mm50,
  Mm37_5,
  Mm25,
  Mm19,
  Mm12_5,
  Mm9_5,
  Mm4_75,
  Mm2_36,
  Mm1_18,
  Um600,
  Um300,
  Um150,
};

inline constexpr std::array<Sieve, 14> kSieves = {
    Sieve::Mm75,   Sieve::Mm63,   Sieve::Mm50,  Sieve::Mm37_5, Sieve::Mm25,
    Sieve::Mm19,   Sieve::Mm12_5, Sieve::Mm9_5, Sieve::Mm4_75, Sieve::Mm2_36,
    Sieve::Mm1_18, Sieve::Um600,  Sieve::Um300, Sieve::Um150};

// A sieve's opening in micrometres: whole numbers, so that openings compare exactly.
constexpr int micrometres(Sieve sieve) {
  constexpr std::array<int, kSieves.size()> kOpenings = {
      75000, 63000, 50000, 37500, 25000, 19000, 12500, 9500, 4750, 2360, 1180, 600, 300, 150};
  return kOpenings[static_cast<std::size_t>(sieve)];
}

// The sieves whose cumulative percentages retained make the fineness modulus (ASTM C125): 150 mm
// and each opening half the one before, down to 150 µm. 150 mm is no sieve of an analysis here.
inline constexpr std::array<int, 11> kFinenessSieveMicrometres = {
    150000, 75000, 37500, 19000, 9500, 4750, 2360, 1180, 600, 300, 150};

// A limit of a grading: the percentage passing a sieve, from lowest to highest, inclusive.
struct PassingLimit {
  Sieve sieve;
  double lowest;
  double highest;
};

// The grading limits of ASTM C33/C33M for concrete aggregates: its Table 1 for the fine aggregate,
// its Table 3 for the coarse aggregate size numbers used here. Percent passing, by mass.
inline constexpr std::array<PassingLimit, 7> kFineGrading = {{
    {Sieve::Mm9_5, 100, 100},
    {Sieve::Mm4_75, 95, 100},
    {Sieve::Mm2_36, 80, 100},
    {Sieve::Mm1_18, 50, 85},
    {Sieve::Um600, 25, 60},
    {Sieve::Um300, 5, 30},
    {Sieve::Um150, 0, 10},
}};
// ASTM C33: the fine aggregate has no more than 45 % passing any sieve and retained on the next
// consecutive sieve of Table 1, and a fineness modulus from 2.3 to 3.1.
inline constexpr double kMostBetweenConsecutiveSieves = 45;
inline constexpr double kLowestFinenessModulus = 2.3;
inline constexpr double kHighestFinenessModulus = 3.1;

// ASTM C136: a loss in sieving of more than 0.3 % of the original dry mass makes the results
// unfit for acceptance.
inline constexpr double kMostLossPercent = 0.3;

// The coarse aggregate size numbers of ASTM C33 Table 3 that this program checks.
enum class SizeNumber { No3, No357, No4, No467, No57, No6, No67, No7, No8 };

struct CoarseGrading {
  SizeNumber number;
  std::string_view name;   // "57"
  std::string_view sizes;  // the nominal size, "25 to 4.75 mm"
  std::array<PassingLimit, 5> limits;
};

inline constexpr std::array<CoarseGrading, 9> kCoarseGradings = {{
    {SizeNumber::No3,
     "3",
     "50 to 25 mm",
     {{{Sieve::Mm63, 100, 100},
       {Sieve::Mm50, 90, 100},
       {Sieve::Mm37_5, 35, 70},
       {Sieve::Mm25, 0, 15},
       {Sieve::Mm12_5, 0, 5}}}},
    {SizeNumber::No357,
     "357",
     "50 to 4.75 mm",
     {{{Sieve::Mm63, 100, 100},
       {Sieve::Mm50, 95, 100},
       {Sieve::Mm25, 35, 70},
       {Sieve::Mm12_5, 10, 30},
       {Sieve::Mm4_75, 0, 5}}}},
    {SizeNumber::No4,
     "4",
     "37.5 to 19 mm",
     {{{Sieve::Mm50, 100, 100},
       {Sieve::Mm37_5, 90, 100},
       {Sieve::Mm25, 20, 55},
       {Sieve::Mm19, 0, 15},
       {Sieve::Mm9_5, 0, 5}}}},
    {SizeNumber::No467,
     "467",
     "37.5 to 4.75 mm",
     {{{Sieve::Mm50, 100, 100},
       {Sieve::Mm37_5, 95, 100},
       {Sieve::Mm19, 35, 70},
       {Sieve::Mm9_5, 10, 30},
       {Sieve::Mm4_75, 0, 5}}}},
    {SizeNumber::No57,
     "57",
     "25 to 4.75 mm",
     {{{Sieve::Mm37_5, 100, 100},
       {Sieve::Mm25, 95, 100},
       {Sieve::Mm12_5, 25, 60},
       {Sieve::Mm4_75, 0, 10},
       {Sieve::Mm2_36, 0, 5}}}},
    {SizeNumber::No6,
     "6",
     "19 to 9.5 mm",
     {{{Sieve::Mm25, 100, 100},
       {Sieve::Mm19, 90, 100},
       {Sieve::Mm12_5, 20, 55},
       {Sieve::Mm9_5, 0, 15},
       {Sieve::Mm4_75, 0, 5}}}},
    {SizeNumber::No67,
     "67",
     "19 to 4.75 mm",
     {{{Sieve::Mm25, 100, 100},
       {Sieve::Mm19, 90, 100},
       {Sieve::Mm9_5, 20, 55},
       {Sieve::Mm4_75, 0, 10},
       {Sieve::Mm2_36, 0, 5}}}},
    {SizeNumber::No7,
     "7",
     "12.5 to 4.75 mm",
     {{{Sieve::Mm19, 100, 100},
       {Sieve::Mm12_5, 90, 100},
       {Sieve::Mm9_5, 40, 70},
       {Sieve::Mm4_75, 0, 15},
       {Sieve::Mm2_36, 0, 5}}}},
    {SizeNumber::No8,
     "8",
     "9.5 to 2.36 mm",
     {{{Sieve::Mm12_5, 100, 100},
       {Sieve::Mm9_5, 85, 100},
       {Sieve::Mm4_75, 10, 30},
       {Sieve::Mm2_36, 0, 10},
       {Sieve::Mm1_18, 0, 5}}}},
}};

constexpr const CoarseGrading& coarseGrading(SizeNumber number) {
  return kCoarseGradings[static_cast<std::size_t>(number)];
}

}  // namespace veldora
