#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace veldora {

// The lenient parse of a box text: blanks, tabs and line feeds removed, then the longest leading
// decimal number ("." as the point, optional exponent E or D); 0 when no digit was read. Never
// fails; a number too large for a double reads as an infinity.
double parseNumber(std::string_view text);

// The plain number-to-text form: " " or "-", then the magnitude to 15 significant digits in
// ordinary decimal notation, no trailing zeros, no zero before the point (0.5 -> " .5").
// Precondition: x is finite.
std::string plainText(double x);

// Rounding to a step, halves to even, under the default rounding mode. Never through an integer.
double roundToWhole(double x);
double roundToTenths(double x);
double roundToHundredths(double x);

// Rounding to a number of decimals as by hand, halves away from zero: a quantity that a product
// of typed decimals leaves a hair below a half (binary fractions cannot hold most decimals)
// still goes up.
double roundHalfUp(double x, int decimals);

// Whether every value is a finite number (neither infinite nor NaN).
bool allFinite(std::initializer_list<double> values);

}  // namespace veldora
