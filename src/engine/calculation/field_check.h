// What the crew needs to check a strung wire's sag in the field, and how far
// the parabola behind every sag of this program may be trusted.
//
// Return-wave (stopwatch) method: strike the wire near a support and time N
// waves coming back; the time depends on the sag alone,
//   t = N * sqrt(32 D / g),  g = 9.80665 m/s2   (D = 1.23 m: 2.003 s a wave).
// Sighting (等長法, 異長法): a line of sight from a metres below one support to
// b metres below the other just touches the wire when
//   D = (sqrt(a) + sqrt(b))^2 / 4,  so  b = (2 sqrt(D) - sqrt(a))^2,
// which holds for inclined spans with D the slant sag; equal sighting is
// a = b = D, and a target exists while a <= 4 D.
// Catenary: a level span S at horizontal tension H under w kg/m sags
//   D_c = C (cosh(S / 2C) - 1),  C = H / w,
// a little more than the parabola's w S^2 / 8H, the more so the longer the span.
//
// Pure functions in double arithmetic, no rounding to single. A value no
// calculation could mean throws CalculationError with a message.
#pragma once

#include <optional>

#include "engine/number/units.h" // kStandardGravity

namespace orvalt {

// Seconds for `waves` return waves on a wire of sag `sag` [m].
double ReturnWaveSeconds(double sag, int waves);

// The sighting target b [m] below the other support for a sight a [m] below
// this one; nullopt when a < 0 or a > 4 * sag (no line touches the wire).
std::optional<double> SightingTarget(double sag, double a);

// Mid-span sag [m] of the catenary of a level span [m] at a horizontal
// tension [kg] under a load [kg/m].
double CatenarySag(double span, double horizontalTension, double loadPerMetre);

} // namespace orvalt
