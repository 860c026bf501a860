#include "engine/calculation/field_check.h"

#include <cmath>
#include <string>

#include "engine/calculation/calculation_error.h"

namespace orvalt {
namespace {

void RequireSag(double sag) {
    if (!std::isfinite(sag) || sag < 0.0) {
        throw CalculationError("弛度は 0 以上の数値でなければなりません。");
    }
}

void RequirePositive(double value, const char* what) {
    if (!std::isfinite(value) || value <= 0.0) {
        throw CalculationError(std::string(what) + "は 0 より大きい数値でなければなりません。");
    }
}

} // namespace

double ReturnWaveSeconds(double sag, int waves) {
    RequireSag(sag);
    if (waves < 1) {
        throw CalculationError("戻り波の数は 1 以上でなければなりません。");
    }
    return waves * std::sqrt(32.0 * sag / kStandardGravity);
}

std::optional<double> SightingTarget(double sag, double a) {
    RequireSag(sag);
    if (!std::isfinite(a) || a < 0.0 || a > 4.0 * sag) {
        return std::nullopt;
    }
    const double root = 2.0 * std::sqrt(sag) - std::sqrt(a);
    return root * root;
}

double CatenarySag(double span, double horizontalTension, double loadPerMetre) {
    RequirePositive(span, "径間長");
    RequirePositive(horizontalTension, "水平張力");
    RequirePositive(loadPerMetre, "単位長さあたりの荷重");
    const double c = horizontalTension / loadPerMetre;
    // cosh(x) - 1 = 2 sinh^2(x / 2): no cancellation when the sag is small
    // against C, where the catenary must meet the parabola.
    const double half = std::sinh(span / (4.0 * c));
    const double sag = 2.0 * c * half * half;
    if (!std::isfinite(sag)) {
        throw CalculationError("カテナリー弛度が扱える範囲を超えました。");
    }
    return sag;
}

} // namespace orvalt
