#pragma once

#include "engine/strength.h"

#include <QString>

namespace veldora {

// A number as the program's plain form writes it (15 significant digits, no zero before the
// point), without the blank that stands for a positive sign: the result lines' form.
QString plainNumber(double x);

// A number as an engineer writes it: to at most decimals decimals, trailing zeros dropped, a zero
// before the point ("0.52", never ".52"), no float noise; "0" for what rounds to nothing.
QString decimalNumber(double x, int decimals = 4);

// A number to exactly decimals decimals, trailing zeros kept, a zero before the point: a ratio as
// a batching sheet writes it ("0.50", "1 : 2.93 : 4.28").
QString fixedNumber(double x, int decimals);

// The same with the whole digits grouped by thousands with ",": "12,345.6".
QString groupedNumber(double x, int decimals);

// A strength in kilograms-force per square centimetre with its megapascals beside it, the one way
// the program converts between the two for a reader: "210 kg/cm² (20.6 MPa)".
QString strengthText(double kilogramsPerSquareCentimetre);

// The rule that governed a required average strength, as its formula in megapascals:
// "f'cr = f'c + 1.34ks".
QString strengthRuleText(StrengthRule rule);

// A required average strength as its rule gives it and as the design takes it, rounded up to a
// whole kg/cm^2: "27.34 MPa → 279 kg/cm² (27.4 MPa)".
QString strengthRequirementText(const StrengthBasis& basis);

}  // namespace veldora
