#include "engine/calculation/balanced_section.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "engine/calculation/stringing_chart.h"

namespace orvalt {
namespace {

constexpr double kTolerance = 1e-9;        // relative, on H
constexpr int kMaxSpanIterations = 200;    // one span's length equation
constexpr int kMaxSectionIterations = 100; // the clamps' balance
constexpr double kMaxStepSwing = 0.2;      // [rad], one Newton step of a clamp
constexpr double kPi = 3.14159265358979323846;
constexpr double kSwingLimit = 80.0 * kPi / 180.0; // a string beyond this has swung out

[[noreturn]] void Refuse(const std::string& detail) {
    throw CalculationError("区間の精算ができませんでした。\n" + detail);
}

std::string SupportName(std::size_t index) { return "支持点 " + std::to_string(index + 1); }
std::string SpanName(std::size_t index) { return "径間 " + std::to_string(index + 1); }

void CheckSupports(const std::vector<SectionSupport>& supports, std::size_t spanCount) {
    if (supports.size() != spanCount + 1) {
        Refuse("支持点が " + std::to_string(supports.size()) + " あります。" +
               std::to_string(spanCount) + " 径間の区間には " + std::to_string(spanCount + 1) +
               " の支持点が要ります。");
    }
    if (supports.front().type != SupportType::kDeadEnd ||
        supports.back().type != SupportType::kDeadEnd) {
        Refuse("区間の両端の支持点は引留にしてください。");
    }
    for (std::size_t j = 0; j < supports.size(); ++j) {
        const SectionSupport& s = supports[j];
        if (s.type != SupportType::kSuspension) continue;
        if (!(std::isfinite(s.stringLength) && s.stringLength > 0.0)) {
            Refuse(SupportName(j) + " のがいし連長は 0 より大きい数にしてください。");
        }
        if (!(std::isfinite(s.stringWeight) && s.stringWeight >= 0.0)) {
            Refuse(SupportName(j) + " のがいし連重量は 0 以上の数にしてください。");
        }
    }
}

// sinh(a) - a cosh(a), which loses its digits to cancellation for small a.
double SinhMinusACosh(double a, double sinhA, double coshA) {
    if (std::fabs(a) < 1e-2) {
        const double a2 = a * a;
        return -a * a2 / 3.0 * (1.0 + a2 / 10.0 + a2 * a2 / 280.0);
    }
    return sinhA - a * coshA;
}

// A catenary of horizontal tension H under w between clamps S apart
// horizontally and h apart vertically. The lowest point (of the whole curve)
// is the origin; the midspan lies at x = C m, the clamps at C (m -+ a).
struct Shape {
    double H, w, S, h;
    double C; // H / w
    double a; // S / 2C
    double sinhA, coshA;
    double sinhM, coshM; // sinh m = h / (2 C sinh a)
    double Q;            // 2 C sinh a
    double length;       // L
    double meanTension;  // T
    bool finite;         // false when the wire is so slack that the numbers overflow
};

Shape ShapeOf(double H, double w, double S, double h) {
    Shape s{};
    s.H = H;
    s.w = w;
    s.S = S;
    s.h = h;
    s.C = H / w;
    s.a = S / (2.0 * s.C);
    // sinh and cosh from one exponential, without cancellation for small a.
    const double e = std::expm1(s.a);
    s.sinhA = 0.5 * e * (1.0 + 1.0 / (1.0 + e));
    s.coshA = 1.0 + 0.5 * e * e / (1.0 + e);
    s.Q = 2.0 * s.C * s.sinhA;
    s.sinhM = h / s.Q;
    s.coshM = std::sqrt(1.0 + s.sinhM * s.sinhM);
    s.length = std::sqrt(h * h + s.Q * s.Q);
    // The arc integral of H cosh(x/C) ds = H cosh^2(x/C) dx between the
    // clamps: H (S/2 + (C/4)(sinh 2(m+a) - sinh 2(m-a))), and
    // sinh 2(m+a) - sinh 2(m-a) = 2 cosh 2m sinh 2a.
    const double cosh2M = 1.0 + 2.0 * s.sinhM * s.sinhM;
    s.meanTension = H * (S / 2.0 + s.C * cosh2M * s.sinhA * s.coshA) / s.length;
    s.finite = std::isfinite(s.length) && std::isfinite(s.meanTension) && s.length > 0.0;
    return s;
}

// dL/dH at fixed S and h.
double LengthByTension(const Shape& s) {
    return 2.0 * s.Q * SinhMinusACosh(s.a, s.sinhA, s.coshA) / (s.length * s.w);
}

// dT/dH at fixed S and h, with T = H N / L, N = S/2 + C cosh(2m) sinh(a) cosh(a).
double MeanTensionByTension(const Shape& s) {
    const double Q_C = 2.0 * SinhMinusACosh(s.a, s.sinhA, s.coshA);
    const double u = s.sinhM;
    const double u_C = -s.h * Q_C / (s.Q * s.Q);
    const double K = 1.0 + 2.0 * u * u;
    const double K_C = 4.0 * u * u_C;
    const double P = s.sinhA * s.coshA;
    const double P_C = -(s.coshA * s.coshA + s.sinhA * s.sinhA) * s.a / s.C;
    const double N = s.S / 2.0 + s.C * K * P;
    const double N_C = K * P + s.C * (K_C * P + K * P_C);
    const double L = s.length;
    const double L_C = s.Q * Q_C / L;
    return N / L + s.C * N_C / L - s.C * N * L_C / (L * L);
}

} // namespace

CatenarySpan Catenary(double H, double w, double S, double h) {
    const Shape s = ShapeOf(H, w, S, h);
    return {s.length, s.meanTension};
}

namespace {

// The clamped state fixes, per span, what its length equation needs.
struct SpanReference {
    double length;      // L_s [m]
    double meanTension; // T_s [kg]
};

// What one state asks of a span's wire.
struct StateLoad {
    double w;              // [kg/m]
    double thermal;        // 1 + alpha (t - t_s)
    double axialStiffness; // E A [kg]
};

// The length equation f(H) = L(H) - L_s (1 + alpha dt)(1 + (T(H) - T_s)/EA),
// falling in H, by Newton's method kept inside a bracket. Returns the shape
// at the root, or a shape with finite = false when it does not settle.
Shape SolveSpan(double S, double h, const SpanReference& ref, const StateLoad& load,
                double startH) {
    const double free = ref.length * load.thermal;
    double lo = 0.0;
    double hi = std::numeric_limits<double>::infinity();
    double H = startH;
    for (int i = 0; i < kMaxSpanIterations; ++i) {
        Shape s = ShapeOf(H, load.w, S, h);
        if (!s.finite) { // far too slack: the tension lies above
            lo = H;
            H = std::isfinite(hi) ? 0.5 * (lo + hi) : 2.0 * H;
            continue;
        }
        const double needed =
            free * (1.0 + (s.meanTension - ref.meanTension) / load.axialStiffness);
        const double f = s.length - needed;
        if (f > 0.0) {
            lo = H;
        } else {
            hi = H;
        }
        const double slope =
            LengthByTension(s) - free * MeanTensionByTension(s) / load.axialStiffness;
        const double step = -f / slope;
        // Within a tenth of the tolerance the shape at H is the answer.
        if (std::fabs(step) <= 0.1 * kTolerance * H) return s;
        double next = H + step;
        if (!(next > lo && next < hi)) {
            next = std::isfinite(hi) ? (lo > 0.0 ? 0.5 * (lo + hi) : 0.5 * hi) : 2.0 * H;
        }
        H = next;
    }
    Shape failed{};
    failed.finite = false;
    return failed;
}

// One span solved, with what the clamps' balance needs: the derivatives of H
// and of the downward pulls on its two clamps by S and by h.
struct SpanBalance {
    Shape shape;
    double leftPull, rightPull; // [kg], downward on the left and right clamp
    double H_S, H_h;
    double left_S, left_h, right_S, right_h;
};

SpanBalance BalanceSpan(const Shape& s, const StateLoad& load, const SpanReference& ref) {
    SpanBalance b{};
    b.shape = s;
    const double L = s.length;
    const double cothA = s.coshA / s.sinhA;
    const double G = s.h * cothA;
    b.leftPull = s.w * (L - G) / 2.0;
    b.rightPull = s.w * (L + G) / 2.0;

    const double free = ref.length * load.thermal;
    const double L_H = LengthByTension(s);
    const double f_H = L_H - free * MeanTensionByTension(s) / load.axialStiffness;
    const double L_S = s.Q * s.coshA / L;
    const double L_h = s.h / L;
    b.H_S = -L_S / f_H;
    b.H_h = -L_h / f_H;

    // G = h coth a, a = S / 2C = S w / 2H.
    const double dCoth = -1.0 / (s.sinhA * s.sinhA);
    const double a_H = -s.a / s.H;
    const double G_S = s.h * dCoth * (1.0 / (2.0 * s.C) + a_H * b.H_S);
    const double G_h = cothA + s.h * dCoth * a_H * b.H_h;
    const double Lt_S = L_S + L_H * b.H_S;
    const double Lt_h = L_h + L_H * b.H_h;
    b.left_S = s.w * (Lt_S - G_S) / 2.0;
    b.left_h = s.w * (Lt_h - G_h) / 2.0;
    b.right_S = s.w * (Lt_S + G_S) / 2.0;
    b.right_h = s.w * (Lt_h + G_h) / 2.0;
    return b;
}

struct Section {
    const std::vector<SectionSpan>& spans;
    const std::vector<SectionSupport>& supports;
    std::vector<SpanReference> references;
    double maxTension;
};

// A state's working values: the swings and each span's last H.
struct Balance {
    std::vector<double> swing;     // phi [rad], per support
    std::vector<double> tension;   // H [kg], per span, the start of the next solve
    std::vector<SpanBalance> span; // per span
};

double Displacement(const SectionSupport& s, double phi) { return s.stringLength * std::sin(phi); }
double Rise(const SectionSupport& s, double phi) { return s.stringLength * (1.0 - std::cos(phi)); }

// Solves every span for the current swings. Refuses (with `where`) a span
// that does not settle or whose clamps have crossed.
void SolveSpans(const Section& section, const StateLoad& load, Balance& balance,
                const std::string& where) {
    for (std::size_t i = 0; i < section.spans.size(); ++i) {
        const SectionSupport& left = section.supports[i];
        const SectionSupport& right = section.supports[i + 1];
        const double S = section.spans[i].length + Displacement(right, balance.swing[i + 1]) -
                         Displacement(left, balance.swing[i]);
        const double h = section.spans[i].heightDifference + Rise(right, balance.swing[i + 1]) -
                         Rise(left, balance.swing[i]);
        if (!(S > 0.0)) {
            Refuse(where + SpanName(i) + " の両側の支持点が振れて重なります。");
        }
        const Shape s = SolveSpan(S, h, section.references[i], load, balance.tension[i]);
        if (!s.finite) {
            Refuse(where + SpanName(i) + " の張力が求まりません。");
        }
        balance.tension[i] = s.H;
        balance.span[i] = BalanceSpan(s, load, section.references[i]);
    }
}

// The clamps' balance by Newton's method: row j of the tridiagonal system is
// support j, an identity row for a support that does not swing.
void BalanceClamps(const Section& section, const StateLoad& load, Balance& balance,
                   const std::string& where) {
    const std::vector<SectionSupport>& supports = section.supports;
    const std::size_t n = supports.size();
    bool anySwinging = false;
    for (const SectionSupport& s : supports) anySwinging |= s.type == SupportType::kSuspension;
    SolveSpans(section, load, balance, where);
    if (!anySwinging) return;

    std::vector<double> lower(n), diag(n), upper(n), rhs(n);
    std::vector<double> previous;
    for (int iteration = 0; iteration < kMaxSectionIterations; ++iteration) {
        for (std::size_t j = 0; j < n; ++j) {
            lower[j] = upper[j] = rhs[j] = 0.0;
            diag[j] = 1.0;
            const SectionSupport& s = supports[j];
            if (s.type != SupportType::kSuspension) continue;
            const SpanBalance& L = balance.span[j - 1]; // the span on the left
            const SpanBalance& R = balance.span[j];     // the span on the right
            const double phi = balance.swing[j];
            const double t = std::tan(phi);
            const double pull = L.rightPull + R.leftPull + s.stringWeight / 2.0;
            if (!(pull > 0.0)) {
                Refuse(where + SupportName(j) + " のがいし連が浮き上がります。");
            }
            rhs[j] = -(R.shape.H - L.shape.H - pull * t);
            // d S / d phi and d h / d phi of the clamp itself.
            const double dS = s.stringLength * std::cos(phi);
            const double dh = s.stringLength * std::sin(phi);
            // The clamp is the right end of L and the left end of R.
            const double dHL = L.H_S * dS + L.H_h * dh;
            const double dHR = -(R.H_S * dS + R.H_h * dh);
            const double dPull =
                (L.right_S * dS + L.right_h * dh) - (R.left_S * dS + R.left_h * dh);
            diag[j] = dHR - dHL - dPull * t - pull * (1.0 + t * t);
            const SectionSupport& before = supports[j - 1];
            if (before.type == SupportType::kSuspension) {
                const double dS0 = before.stringLength * std::cos(balance.swing[j - 1]);
                const double dh0 = before.stringLength * std::sin(balance.swing[j - 1]);
                // The support before is the left end of L.
                lower[j] = (L.H_S * dS0 + L.H_h * dh0) + t * (L.right_S * dS0 + L.right_h * dh0);
            }
            const SectionSupport& after = supports[j + 1];
            if (after.type == SupportType::kSuspension) {
                const double dS2 = after.stringLength * std::cos(balance.swing[j + 1]);
                const double dh2 = after.stringLength * std::sin(balance.swing[j + 1]);
                // The support after is the right end of R.
                upper[j] = (R.H_S * dS2 + R.H_h * dh2) - t * (R.left_S * dS2 + R.left_h * dh2);
            }
        }
        // Thomas's algorithm; the system is diagonally dominant.
        for (std::size_t j = 1; j < n; ++j) {
            const double m = lower[j] / diag[j - 1];
            diag[j] -= m * upper[j - 1];
            rhs[j] -= m * rhs[j - 1];
        }
        rhs[n - 1] /= diag[n - 1];
        for (std::size_t j = n - 1; j-- > 0;) {
            rhs[j] = (rhs[j] - upper[j] * rhs[j + 1]) / diag[j];
        }
        double largest = 0.0;
        for (std::size_t j = 0; j < n; ++j) largest = std::max(largest, std::fabs(rhs[j]));
        if (!std::isfinite(largest)) break;
        const double scale = largest > kMaxStepSwing ? kMaxStepSwing / largest : 1.0;
        for (std::size_t j = 0; j < n; ++j) {
            if (supports[j].type != SupportType::kSuspension) continue;
            balance.swing[j] += scale * rhs[j];
            if (!(std::fabs(balance.swing[j]) < kSwingLimit)) {
                Refuse(where + SupportName(j) + " のがいし連が振れ切れます。");
            }
        }
        previous = balance.tension;
        SolveSpans(section, load, balance, where);
        double change = 0.0;
        for (std::size_t i = 0; i < previous.size(); ++i) {
            change = std::max(change, std::fabs(balance.tension[i] - previous[i]) / previous[i]);
        }
        if (scale == 1.0 && change <= kTolerance) return;
    }
    Refuse(where + "支持点のつり合いが求まりません。");
}

BalancedState ResultOf(const Section& section, const Balance& balance, double t, double w) {
    BalancedState state;
    state.temperature = t;
    state.load = w;
    state.spans.resize(section.spans.size());
    for (std::size_t i = 0; i < section.spans.size(); ++i) {
        const Shape& s = balance.span[i].shape;
        BalancedSpan& r = state.spans[i];
        r.horizontalTension = s.H;
        r.sag = s.C * s.coshM * (s.coshA - 1.0);
        const double m = std::asinh(std::fabs(s.sinhM));
        r.lowPointOffset = s.C * m;
        r.lowPointOutside = m > s.a;
        // H cosh(m -+ a) at the left and right clamp.
        const double left = s.H * (s.coshM * s.coshA - s.sinhM * s.sinhA);
        const double right = s.H * (s.coshM * s.coshA + s.sinhM * s.sinhA);
        r.upperSupportTension = std::max(left, right);
        r.lowerSupportTension = std::min(left, right);
        r.overMaxTension = r.upperSupportTension > section.maxTension;
    }
    state.supports.resize(section.supports.size());
    for (std::size_t j = 0; j < section.supports.size(); ++j) {
        const SectionSupport& s = section.supports[j];
        if (s.type != SupportType::kSuspension) continue;
        const double phi = balance.swing[j];
        state.supports[j] = {Displacement(s, phi), phi * 180.0 / kPi, Rise(s, phi)};
    }
    return state;
}

} // namespace

std::vector<SectionSupport> DefaultSectionSupports(std::size_t spanCount) {
    std::vector<SectionSupport> supports(spanCount + 1);
    supports.front().type = SupportType::kDeadEnd;
    supports.back().type = SupportType::kDeadEnd;
    return supports;
}

BalancedSection ComputeBalancedSection(const CalculationState& state,
                                       const std::vector<SectionSpan>& spans,
                                       const std::vector<SectionSupport>& supports,
                                       std::int16_t stringingTemperature, std::int16_t chartFrom,
                                       std::int16_t chartTo, std::int16_t chartStep) {
    const std::vector<std::int16_t> temperatures = ChartTemperatures(chartFrom, chartTo, chartStep);
    // The clamped tension, with the section's refusals of its spans.
    const SectionStringingChart clamped =
        ComputeSectionStringingChart(state, spans, stringingTemperature, stringingTemperature, 1);
    CheckSupports(supports, spans.size());

    const WireRecord& wire = state.currentWire;
    const double Wc = wire.unitWeight;
    const double EA = static_cast<double>(wire.elasticModulus) * wire.area;
    const double alpha = static_cast<double>(wire.expansionCoeff) * 1e-6;
    if (!(Wc > 0.0 && EA > 0.0 && std::isfinite(EA) && std::isfinite(alpha))) {
        Refuse("電線の単位重量・断面積・弾性係数は 0 より大きい数にしてください。");
    }

    BalancedSection result;
    result.stringingTemperature = stringingTemperature;
    result.clampedTension = clamped.tension[0];
    const double Hs = result.clampedTension;
    if (!(Hs > 0.0 && std::isfinite(Hs))) {
        Refuse("架線温度 " + std::to_string(stringingTemperature) + "℃の張力が求まりません。");
    }

    Section section{spans, supports, {}, static_cast<double>(wire.maxTension)};
    section.references.reserve(spans.size());
    for (const SectionSpan& span : spans) {
        const CatenarySpan c = Catenary(Hs, Wc, span.length, span.heightDifference);
        section.references.push_back({c.length, c.meanTension});
    }

    const Balance clampedBalance{std::vector<double>(supports.size(), 0.0),
                                 std::vector<double>(spans.size(), Hs),
                                 std::vector<SpanBalance>(spans.size())};
    const auto solve = [&](Balance& balance, double t, double q, const std::string& where) {
        const StateLoad load{q * Wc, 1.0 + alpha * (t - stringingTemperature), EA};
        BalanceClamps(section, load, balance, where);
        return ResultOf(section, balance, t, load.w);
    };

    const float factors[3] = {state.loadFactorHigh, state.loadFactorLow, state.loadFactorStudy};
    const std::int16_t conditionTemperatures[3] = {state.temperatureHigh, state.temperatureLow,
                                                   state.temperatureStudy};
    for (std::size_t c = 0; c < 3; ++c) {
        Balance balance = clampedBalance;
        result.conditions[c] = solve(balance, conditionTemperatures[c], factors[c],
                                     std::string(ConditionName(static_cast<int>(c))) + "で、");
    }
    // Each temperature starts from the two before, carried on in a line.
    Balance balance = clampedBalance;
    Balance before = clampedBalance;
    result.chart.reserve(temperatures.size());
    for (std::size_t k = 0; k < temperatures.size(); ++k) {
        const std::int16_t t = temperatures[k];
        Balance start = balance;
        if (k >= 2) {
            for (std::size_t j = 0; j < start.swing.size(); ++j) {
                const double phi = 2.0 * balance.swing[j] - before.swing[j];
                if (std::fabs(phi) < 0.5 * kSwingLimit) start.swing[j] = phi;
            }
            for (std::size_t i = 0; i < start.tension.size(); ++i) {
                const double H = 2.0 * balance.tension[i] - before.tension[i];
                if (H > 0.0) start.tension[i] = H;
            }
        }
        result.chart.push_back(
            solve(start, t, 1.0, "架線弛度表の温度 " + std::to_string(t) + "℃で、"));
        before = std::move(balance);
        balance = std::move(start);
    }
    return result;
}

} // namespace orvalt
