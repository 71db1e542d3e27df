#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace veldora {

// The lenient parse of a box text: blanks, tabs and line feeds removed, then the longest leading
// decimal number ("." as the point, optional exponent E or D); 0 when no digit was read. Never
// fails; a number too large for a double reads as an infinity.
double parseNumber(std::string_view text);

// The number a text is wholly made of, blanks around it allowed, read as parseNumber reads it (an
// exponent E or D included); nothing where anything else stands in the text, where it has no
// digit, or where the number is beyond the doubles. What the command line and a batch take as a
// number, where the windows read a box leniently.
std::optional<double> readWholeNumber(std::string_view text);

// A number as the report's settings take it: the whole text, blanks or tabs around it aside, a
// finite decimal number with "." as the point whatever the locale, a sign allowed; nothing for
// anything else.
std::optional<double> readDecimalNumber(std::string_view text);

// A number as an engineer writes it: to exactly decimals decimals (fixedText), or to at most that
// many with trailing zeros dropped (decimalText); a zero before the point ("0.52", never ".52"),
// no float noise, and no sign on what rounds to nothing.
std::string fixedText(double x, int decimals);
std::string decimalText(double x, int decimals = 4);

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
