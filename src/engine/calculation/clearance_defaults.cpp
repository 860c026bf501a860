// The default heights of the wire above crossings and ground, by voltage
// class: the one table of them in the program. Source: 電気設備の技術基準の
// 解釈 (the Ministry's interpretation of the technical standard for
// electrical installations), as the articles read in the 2013 renumbered
// edition and its later revisions. They are defaults only: the engineer
// confirms them for the line at hand (exceptions by wire type, 山地 and
// the like are not modelled) and overrides them per crossing or for the
// ground.
//
// 低圧・高圧, 第68条 (低高圧架空電線の高さ), 第68-1表:
//   道路を横断する場合            路面上 6 m
//   鉄道又は軌道を横断する場合    レール面上 5.5 m
//   横断歩道橋の上に施設する場合  路面上 低圧 3 m, 高圧 3.5 m
//   上記以外                      地表上 5 m
//   (The table allows 4 m for some low-voltage lines away from roads; the
//   default keeps 5 m, the general value.)
// 特別高圧, 第87条 (特別高圧架空電線の高さ), 第87-1表:
//   35 kV 以下: 道路横断 6 m, 鉄道・軌道横断 レール面上 5.5 m,
//     横断歩道橋 (特別高圧絶縁電線又はケーブル) 4 m, その他 5 m
//   35 kV 超 160 kV 以下: 山地等で人が容易に立ち入らない場所 5 m,
//     横断歩道橋 (ケーブル) 5 m, その他 6 m (roads and railways included)
//   160 kV 超: その他 6 m, 山地等 5 m, each plus 0.12 m for every 10 kV
//     or part of it above 160 kV. (A footbridge is not listed: その他.)
// The two kinds that the height articles do not cover come from the
// articles on approach and crossing; these are the least sure entries and
// are marked so in the comments below:
//   建造物 (above its upper structure): 第71条 for low and high voltage,
//     2 m (1 m with cable, not modelled); 第97条 for extra-high voltage,
//     3 m up to 35 kV, above that 3 m plus 0.15 m per 10 kV or part of it.
//   電線・通信線 (another line or a telecom line): 第74条・第76条 for low
//     and high voltage, 0.6 m and 0.8 m; 第106条 for extra-high voltage,
//     2 m up to 60 kV, above that plus 0.12 m per 10 kV or part of it.
#include <cmath>

#include "engine/calculation/clearance.h"

namespace orvalt {
namespace {

// Extra-high voltage starts above 7,000 V.
constexpr double kExtraHighFrom = 7.0; // [kV]

// "per 10 kV or part of it above `from`" [steps]
double StepsAbove(double kV, double from) {
    return kV > from ? std::ceil((kV - from) / 10.0 - 1e-9) : 0.0;
}

double CheckedExtraHighVoltage(const LineVoltage& v) {
    if (!(std::isfinite(v.voltage) && v.voltage > kExtraHighFrom)) {
        throw CalculationError(
            "離隔の計算ができませんでした。\n"
            "特別高圧の使用電圧 [kV] を 7 より大きい数で入力してください。");
    }
    return v.voltage;
}

double ExtraHigh(double kV, CrossingKind kind) {
    if (kind == CrossingKind::kBuilding) { // 第97条 (least sure, see above)
        return 3.0 + 0.15 * StepsAbove(kV, 35.0);
    }
    if (kind == CrossingKind::kLine) { // 第106条 (least sure, see above)
        return 2.0 + 0.12 * StepsAbove(kV, 60.0);
    }
    if (kV <= 35.0) {
        switch (kind) {
            case CrossingKind::kRoad: return 6.0;
            case CrossingKind::kRailway: return 5.5;
            case CrossingKind::kFootbridge: return 4.0;
            default: return 5.0;
        }
    }
    if (kV <= 160.0) {
        return kind == CrossingKind::kFootbridge ? 5.0 : 6.0;
    }
    return 6.0 + 0.12 * StepsAbove(kV, 160.0);
}

} // namespace

double DefaultRequiredClearance(const LineVoltage& v, CrossingKind kind) {
    if (v.voltageClass == VoltageClass::kExtraHigh) {
        return ExtraHigh(CheckedExtraHighVoltage(v), kind);
    }
    const bool low = v.voltageClass == VoltageClass::kLow;
    switch (kind) {
        case CrossingKind::kRoad: return 6.0;
        case CrossingKind::kRailway: return 5.5;
        case CrossingKind::kFootbridge: return low ? 3.0 : 3.5;
        case CrossingKind::kBuilding: return 2.0;         // 第71条 (least sure)
        case CrossingKind::kLine: return low ? 0.6 : 0.8; // 第74条・第76条 (least sure)
        case CrossingKind::kOther: return 5.0;
    }
    return 5.0;
}

double DefaultGroundClearance(const LineVoltage& v) {
    return DefaultRequiredClearance(v, CrossingKind::kOther);
}

std::string_view DefaultClearanceSource(const LineVoltage& v, CrossingKind kind) {
    const bool extraHigh = v.voltageClass == VoltageClass::kExtraHigh;
    switch (kind) {
        case CrossingKind::kBuilding: return extraHigh ? "解釈第97条" : "解釈第71条";
        case CrossingKind::kLine: return extraHigh ? "解釈第106条" : "解釈第74条・第76条";
        default: return extraHigh ? "解釈第87条" : "解釈第68条";
    }
}

} // namespace orvalt
