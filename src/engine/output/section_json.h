// A tension section as JSON for outside scripts (orvalt99-cli section --json):
// the ruling-span result and the exact one side by side, for the three load
// conditions and every temperature of the section's stringing chart.
//
//   { "equivalentSpan": 193.302,
//     "conditions": [ { "name": "高温季", "temperature": 15,
//                       "ruling": { "horizontalTension", "spans": [ { "sag",
//                                   "upperSupportTension", "lowerSupportTension",
//                                   "overMaxTension" } ] },
//                       "balanced": { "spans": [ { "horizontalTension", "sag",
//                                     "upperSupportTension", "lowerSupportTension",
//                                     "overMaxTension" } ],
//                                     "supports": [ { "displacement", "swing" } ] } },
//                     ... 低温季, 検討条件 ],
//     "chart": [ { "temperature": -10, "ruling": { "horizontalTension",
//                  "spans": [ { "sag" } ] }, "balanced": { as above } } ] }
//
// UTF-8, LF line ends, a final newline. `sag` is the vertical distance from
// the chord to the wire at midspan (the window's 斜弛度); spans in the
// section's order, one support per support; `swing` in degrees. Every number
// is the shortest text that reads back as the same value: a float of the
// ruling-span result as that float, a double of the exact one as that double.
//
// The numbers are in kg units (tensions in kg) unless SI is asked for; then
// the object starts with "units": "si" and every tension is in kN (the
// ruling-span float converted and rounded to float, the exact double
// converted as a double); the keys and everything else stay as they are.
#pragma once

#include <string>

#include "engine/calculation/balanced_section.h"
#include "engine/calculation/tension_section.h"
#include "engine/number/units.h"

namespace orvalt {

// `chart` and `balanced.chart` hold the same temperatures, and all three the
// same spans (as ComputeTensionSection, ComputeSectionStringingChart and
// ComputeBalancedSection give them for one section and one range).
std::string ComposeSectionJson(const TensionSection& ruling, const SectionStringingChart& chart,
                               const BalancedSection& balanced,
                               UnitSystem units = UnitSystem::kKgf);

} // namespace orvalt
