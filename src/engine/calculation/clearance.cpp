#include "engine/calculation/clearance.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "engine/calculation/calculation.h"

namespace orvalt {
namespace {

// A typed height difference may differ from the ground's by this much [m].
constexpr double kHeightTolerance = 0.005;
// Distances this close to a section end count as on it [m].
constexpr double kDistanceTolerance = 1e-6;

[[noreturn]] void Refuse(const std::string& detail) {
    throw CalculationError("離隔の計算ができませんでした。\n" + detail);
}

std::string Number(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string SpanName(std::size_t i) { return "径間 " + std::to_string(i + 1); }
std::string SupportName(std::size_t i) { return "支持点 " + std::to_string(i + 1); }
std::string PointName(std::size_t i) { return "地表の測点 " + std::to_string(i + 1); }
std::string CrossingName(std::size_t i, CrossingKind kind) {
    return "横断物 " + std::to_string(i + 1) + "（" +
           std::string(kCrossingKindNames[static_cast<std::size_t>(kind)]) + "）";
}

// "径間 1 の", "横断物 1（道路）の": a name with its particle.
std::string Of(const std::string& name) {
    return name.ends_with("）") ? name + "の" : name + " の";
}

bool Finite(double v) { return std::isfinite(v); }

void RequireFinite(double v, const std::string& what) {
    if (!Finite(v)) Refuse(what + "が数になっていません。");
}

void RequireNotNegative(double v, const std::string& what) {
    RequireFinite(v, what);
    if (v < 0.0) Refuse(what + "は 0 以上にしてください。");
}

void RequireInside(double distance, double length, const std::string& what) {
    RequireFinite(distance, Of(what) + "距離");
    if (distance < -kDistanceTolerance || distance > length + kDistanceTolerance) {
        Refuse(Of(what) + "距離 " + Number(distance) + " m が区間（0～" + Number(length) +
               " m）の外です。");
    }
}

// The supports' distances from the first one [m].
std::vector<double> SupportDistances(const std::vector<double>& lengths) {
    std::vector<double> x(lengths.size() + 1, 0.0);
    for (std::size_t i = 0; i < lengths.size(); ++i) x[i + 1] = x[i] + lengths[i];
    return x;
}

void CheckSpansAndSupports(const ClearanceProfile& p) {
    if (p.spanLengths.empty()) Refuse("径間がありません。");
    for (std::size_t i = 0; i < p.spanLengths.size(); ++i) {
        if (!(Finite(p.spanLengths[i]) && p.spanLengths[i] > 0.0)) {
            Refuse(SpanName(i) + " の径間長は 0 より大きい数にしてください。");
        }
    }
    if (p.supports.size() != p.spanLengths.size() + 1) {
        Refuse("支持点の数（" + std::to_string(p.supports.size()) + "）が径間の数より一つ多く" +
               "なっていません。");
    }
    for (std::size_t i = 0; i < p.supports.size(); ++i) {
        const SupportGround& s = p.supports[i];
        if (!s.groundElevation || !s.attachmentHeight) {
            Refuse(SupportName(i) +
                   " の地盤高と取付高さがありません。すべての支持点に両方を入力すると離隔を調べ"
                   "られます。");
        }
        RequireFinite(*s.groundElevation, SupportName(i) + " の地盤高");
        RequireNotNegative(*s.attachmentHeight, SupportName(i) + " の取付高さ");
    }
}

void CheckProfile(const ClearanceProfile& p) {
    CheckSpansAndSupports(p);
    const double length = SupportDistances(p.spanLengths).back();
    for (std::size_t i = 0; i < p.ground.size(); ++i) {
        RequireInside(p.ground[i].distance, length, PointName(i));
        RequireFinite(p.ground[i].elevation, PointName(i) + " の標高");
    }
    for (std::size_t i = 0; i < p.crossings.size(); ++i) {
        const Crossing& c = p.crossings[i];
        RequireInside(c.distance, length, CrossingName(i, c.kind));
        RequireFinite(c.elevation, Of(CrossingName(i, c.kind)) + "標高");
        if (c.requiredClearance) {
            RequireNotNegative(*c.requiredClearance, Of(CrossingName(i, c.kind)) + "必要離隔");
        }
    }
    if (p.groundClearance) RequireNotNegative(*p.groundClearance, "地表の必要離隔");
    if (p.creepAllowance < 0) Refuse("クリープ補正温度は 0 以上にしてください。");
}

void CheckWire(const ClearanceProfile& p, const std::array<WireCondition, 3>& wire) {
    for (std::size_t c = 0; c < wire.size(); ++c) {
        const WireCondition& w = wire[c];
        const std::string where(ConditionName(static_cast<int>(c)));
        if (!(Finite(w.load) && w.load > 0.0 && Finite(w.verticalLoad) && w.verticalLoad > 0.0 &&
              w.verticalLoad <= w.load * (1.0 + 1e-9))) {
            Refuse(where + "の電線の荷重が正しくありません。");
        }
        if (w.horizontalTension.size() != p.spanLengths.size()) {
            Refuse(where + "の水平張力の数が径間の数と合いません。");
        }
        for (std::size_t i = 0; i < w.horizontalTension.size(); ++i) {
            if (!(Finite(w.horizontalTension[i]) && w.horizontalTension[i] > 0.0)) {
                Refuse(SpanName(i) + " の" + where + "の水平張力が正でありません。");
            }
        }
        for (const auto* moves : {&w.clampShift, &w.clampRise}) {
            if (!moves->empty() && moves->size() != p.supports.size()) {
                Refuse(where + "の支持点の移動量の数が支持点の数と合いません。");
            }
            for (double m : *moves) RequireFinite(m, where + "の支持点の移動量");
        }
    }
}

// One span hanging in one condition: the catenary y(u) = C (cosh((u - um)/C)
// - cosh(um/C)) through (0, 0) and (S, h) in the wire's plane, u measured
// from the near clamp; its sag below the chord, times `ratio` (vertical over
// resultant load), is the vertical drop.
struct SpanCurve {
    double x0 = 0.0, z0 = 0.0; // near clamp [m]
    double S = 0.0, h = 0.0;   // clamp to clamp, horizontal and vertical [m]
    double C = 0.0, um = 0.0;  // catenary parameter and low point [m]
    double ratio = 1.0;

    double Elevation(double x) const {
        const double u = std::clamp(x - x0, 0.0, S);
        const double s = h / S;
        const double y = C * (std::cosh((u - um) / C) - std::cosh(um / C));
        return z0 + s * u - ratio * (s * u - y);
    }
    // Where the wire's elevation less a line of slope `g` is least.
    double LeastAgainstSlope(double g) const {
        const double s = h / S;
        return x0 + um + C * std::asinh((g - s * (1.0 - ratio)) / ratio);
    }
};

double At(const std::vector<double>& v, std::size_t i) { return v.empty() ? 0.0 : v[i]; }

SpanCurve CurveOf(const ClearanceProfile& p, const std::vector<double>& x, const WireCondition& w,
                  int condition, std::size_t i) {
    const double zA = *p.supports[i].groundElevation + *p.supports[i].attachmentHeight;
    const double zB = *p.supports[i + 1].groundElevation + *p.supports[i + 1].attachmentHeight;
    SpanCurve k;
    k.x0 = x[i] + At(w.clampShift, i);
    k.z0 = zA + At(w.clampRise, i);
    k.S = x[i + 1] + At(w.clampShift, i + 1) - k.x0;
    k.h = zB + At(w.clampRise, i + 1) - k.z0;
    k.C = w.horizontalTension[i] / w.load;
    k.ratio = w.verticalLoad / w.load;
    const std::string where = SpanName(i) + " の" + std::string(ConditionName(condition));
    if (!(k.S > 0.0)) Refuse(where + "で、支持点の移動により径間がなくなりました。");
    const double half = k.S / (2.0 * k.C);
    k.um = k.S / 2.0 - k.C * std::asinh(k.h / (2.0 * k.C * std::sinh(half)));
    if (!(Finite(k.um) && Finite(k.Elevation(k.x0 + k.um)) && Finite(std::cosh(half * 2.0)))) {
        Refuse(where + "で、電線の形が求められませんでした（張力に比べて荷重が大きすぎます）。");
    }
    return k;
}

// The ground: the supports' ground points and the survey points, by
// distance (stable, so equal distances keep both: a step).
std::vector<GroundPoint> GroundLine(const ClearanceProfile& p, const std::vector<double>& x) {
    std::vector<GroundPoint> line;
    line.reserve(p.supports.size() + p.ground.size());
    for (std::size_t i = 0; i < p.supports.size(); ++i) {
        line.push_back({x[i], *p.supports[i].groundElevation});
    }
    line.insert(line.end(), p.ground.begin(), p.ground.end());
    std::stable_sort(line.begin(), line.end(), [](const GroundPoint& a, const GroundPoint& b) {
        return a.distance < b.distance;
    });
    return line;
}

struct Least {
    double clearance = std::numeric_limits<double>::infinity();
    double distance = 0.0;
};

// The least of wire minus ground over the span's clamps, segment by segment.
Least LeastOverGround(const SpanCurve& k, const std::vector<GroundPoint>& line) {
    Least least;
    const double from = k.x0;
    const double to = k.x0 + k.S;
    auto consider = [&](double xAt, double ground) {
        const double c = k.Elevation(xAt) - ground;
        if (c < least.clearance) least = {c, xAt};
    };
    auto first = std::lower_bound(line.begin(), line.end(), from,
                                  [](const GroundPoint& g, double d) { return g.distance < d; });
    if (first != line.begin()) --first;
    for (auto a = first; a + 1 != line.end() && a->distance <= to; ++a) {
        const GroundPoint& g0 = *a;
        const GroundPoint& g1 = *(a + 1);
        const double lo = std::max(from, g0.distance);
        const double hi = std::min(to, g1.distance);
        if (g1.distance <= g0.distance) { // a step: both points count where they stand
            if (g0.distance >= from && g0.distance <= to) {
                consider(g0.distance, std::max(g0.elevation, g1.elevation));
            }
            continue;
        }
        if (hi < lo) continue;
        const double slope = (g1.elevation - g0.elevation) / (g1.distance - g0.distance);
        const double xs = std::clamp(k.LeastAgainstSlope(slope), lo, hi);
        consider(xs, g0.elevation + slope * (xs - g0.distance));
    }
    return least;
}

// The span a distance lies in: the last whose near support is not beyond it.
std::size_t SpanAt(const std::vector<double>& x, double distance) {
    const auto it = std::upper_bound(x.begin() + 1, x.end() - 1, distance);
    return static_cast<std::size_t>(it - x.begin()) - 1;
}

double GroundAt(const std::vector<GroundPoint>& line, double d) {
    double best = -std::numeric_limits<double>::infinity();
    for (std::size_t j = 0; j + 1 < line.size(); ++j) {
        const GroundPoint& a = line[j];
        const GroundPoint& b = line[j + 1];
        if (d < a.distance || d > b.distance) continue;
        const double g = b.distance > a.distance
                             ? a.elevation + (b.elevation - a.elevation) * (d - a.distance) /
                                                 (b.distance - a.distance)
                             : std::max(a.elevation, b.elevation);
        best = std::max(best, g);
    }
    return best;
}

std::int16_t CreepRaised(std::int16_t temperature, std::int16_t creep) {
    const int raised = static_cast<int>(temperature) + creep;
    if (raised > 32767) Refuse("クリープ補正温度が大きすぎます。");
    return static_cast<std::int16_t>(raised);
}

} // namespace

std::optional<CrossingKind> CrossingKindFromName(std::string_view name) {
    for (std::size_t i = 0; i < kCrossingKindNames.size(); ++i) {
        if (kCrossingKindNames[i] == name) return static_cast<CrossingKind>(i);
    }
    return std::nullopt;
}

std::optional<VoltageClass> VoltageClassFromName(std::string_view name) {
    for (std::size_t i = 0; i < kVoltageClassNames.size(); ++i) {
        if (kVoltageClassNames[i] == name) return static_cast<VoltageClass>(i);
    }
    return std::nullopt;
}

bool HasGroundProfile(const std::vector<SupportGround>& supports) {
    return !supports.empty() &&
           std::all_of(supports.begin(), supports.end(), [](const SupportGround& s) {
               return s.groundElevation.has_value() && s.attachmentHeight.has_value();
           });
}

std::vector<double> HeightDifferencesFromGround(const std::vector<SupportGround>& supports,
                                                const std::vector<std::optional<double>>& typed) {
    if (!HasGroundProfile(supports) || supports.size() != typed.size() + 1) {
        Refuse("高低差を地盤高と取付高さから求めるには、すべての支持点に両方が必要です。");
    }
    std::vector<double> h(typed.size());
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const SupportGround& a = supports[i];
        const SupportGround& b = supports[i + 1];
        h[i] =
            (*b.groundElevation + *b.attachmentHeight) - (*a.groundElevation + *a.attachmentHeight);
        RequireFinite(h[i], SpanName(i) + " の高低差");
        if (typed[i] && !(std::fabs(*typed[i] - h[i]) <= kHeightTolerance)) {
            Refuse(SpanName(i) + " の高低差 " + Number(*typed[i]) +
                   " m が、地盤高と取付高さから求めた " + Number(h[i]) +
                   " m と 5 mm を超えて違います。");
        }
    }
    return h;
}

ClearanceTable CheckClearance(const ClearanceProfile& p, const std::array<WireCondition, 3>& wire) {
    CheckProfile(p);
    CheckWire(p, wire);
    const std::vector<double> x = SupportDistances(p.spanLengths);
    const std::vector<GroundPoint> line = GroundLine(p, x);
    const double groundRequired =
        p.groundClearance ? *p.groundClearance : DefaultGroundClearance(p.voltage);

    ClearanceTable table;
    table.spans.resize(p.spanLengths.size());
    table.crossings.resize(p.crossings.size());
    std::vector<std::vector<std::size_t>> crossingsOfSpan(p.spanLengths.size());
    for (std::size_t j = 0; j < p.crossings.size(); ++j) {
        const Crossing& c = p.crossings[j];
        CrossingClearance& r = table.crossings[j];
        r.distance = c.distance;
        r.kind = c.kind;
        r.span = SpanAt(x, c.distance);
        r.clearance = std::numeric_limits<double>::infinity();
        r.required = c.requiredClearance ? *c.requiredClearance
                                         : DefaultRequiredClearance(p.voltage, c.kind);
        crossingsOfSpan[r.span].push_back(j);
    }
    for (std::size_t i = 0; i < p.spanLengths.size(); ++i) {
        SpanClearance& r = table.spans[i];
        r.minimumClearance = std::numeric_limits<double>::infinity();
        r.required = groundRequired;
        for (int c = 0; c < 3; ++c) {
            const SpanCurve k = CurveOf(p, x, wire[static_cast<std::size_t>(c)], c, i);
            const Least least = LeastOverGround(k, line);
            if (least.clearance < r.minimumClearance) {
                r.minimumClearance = least.clearance;
                r.distance = least.distance;
                r.condition = c;
            }
            for (const std::size_t j : crossingsOfSpan[i]) {
                CrossingClearance& cr = table.crossings[j];
                const double clearance = k.Elevation(cr.distance) - p.crossings[j].elevation;
                if (clearance < cr.clearance) {
                    cr.clearance = clearance;
                    cr.condition = c;
                }
            }
        }
        r.margin = r.minimumClearance - r.required;
        r.ok = r.margin >= 0.0;
    }
    for (CrossingClearance& cr : table.crossings) {
        cr.margin = cr.clearance - cr.required;
        cr.ok = cr.margin >= 0.0;
    }
    return table;
}

double WireElevation(const ClearanceProfile& p, const std::array<WireCondition, 3>& wire,
                     int condition, double distance) {
    CheckSpansAndSupports(p);
    CheckWire(p, wire);
    const std::vector<double> x = SupportDistances(p.spanLengths);
    RequireInside(distance, x.back(), "電線を求める点");
    const std::size_t i = SpanAt(x, distance);
    return CurveOf(p, x, wire[static_cast<std::size_t>(condition)], condition, i)
        .Elevation(distance);
}

double GroundElevation(const ClearanceProfile& p, double distance) {
    CheckProfile(p);
    const std::vector<double> x = SupportDistances(p.spanLengths);
    RequireInside(distance, x.back(), "地表を求める点");
    return GroundAt(GroundLine(p, x), distance);
}

std::array<std::array<double, 2>, 3> ConditionLoads(const CalculationState& state) {
    const double Wc = state.currentWire.unitWeight;
    const double ice = IceWeightPerMetre(state);
    return {{{state.loadFactorHigh * Wc, Wc},
             {state.loadFactorLow * Wc, Wc + ice},
             {state.loadFactorStudy * Wc, Wc}}};
}

std::array<WireCondition, 3> ClearanceWire(const CalculationState& state,
                                           const ClearanceProfile& p) {
    CheckProfile(p);
    std::vector<std::optional<double>> untyped(p.spanLengths.size());
    const std::vector<double> h = HeightDifferencesFromGround(p.supports, untyped);
    std::vector<SectionSpan> spans(p.spanLengths.size());
    for (std::size_t i = 0; i < spans.size(); ++i) {
        spans[i] = {static_cast<float>(p.spanLengths[i]), static_cast<float>(h[i])};
    }
    // The creep allowance heats the wire of the 検討条件 for this check only.
    CalculationState hotter = state;
    hotter.temperatureStudy = CreepRaised(state.temperatureStudy, p.creepAllowance);
    const std::vector<SectionSupport> supports =
        p.sectionSupports.empty() ? DefaultSectionSupports(spans.size()) : p.sectionSupports;
    const std::int16_t ts = p.stringingTemperature;
    const BalancedSection section = ComputeBalancedSection(hotter, spans, supports, ts, ts, ts, 1);
    const auto loads = ConditionLoads(state);
    std::array<WireCondition, 3> wire;
    for (std::size_t c = 0; c < 3; ++c) {
        const BalancedState& balanced = section.conditions[c];
        WireCondition& w = wire[c];
        w.load = balanced.load;
        w.verticalLoad = std::min(loads[c][1], balanced.load);
        for (const BalancedSpan& span : balanced.spans) {
            w.horizontalTension.push_back(span.horizontalTension);
        }
        for (const BalancedSupport& support : balanced.supports) {
            w.clampShift.push_back(support.displacement);
            w.clampRise.push_back(support.rise);
        }
    }
    return wire;
}

ClearanceTable ComputeClearance(const CalculationState& state, const ClearanceProfile& profile) {
    return CheckClearance(profile, ClearanceWire(state, profile));
}

} // namespace orvalt
