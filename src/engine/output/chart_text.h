// The stringing chart (架線弛度表) as fixed-column text for the report's
// fixed-pitch face, for printing beside the result report.
#pragma once

#include <string>

#include "engine/calculation/calculation_state.h"
#include "engine/calculation/stringing_chart.h"
#include "engine/number/units.h"

namespace orvalt {

// UTF-8, every line ending in CR LF:
//
//                       /* 架線弛度表 */
//   ///// 架渉線定数 /////            } the report's head lines, as the report
//   ...                              } writes them (AppendWireAndConditionLines)
//   検討条件  ...                     }
//   (empty)
//   無風・無氷（負荷係数 1）
//   (empty)
//   弛度 [m]
//   径間[m]     -10℃      15℃ ...     header: 7 columns, then 9 per temperature
//       100    1.452    2.191 ...     span "####" right-aligned in 7, sags
//   ...                               "#0.000" right-aligned in 9
//   (empty)
//   張力 [kg]
//   径間[m]     -10℃      15℃ ...
//       100  4637.53  ...             tensions "####.00" right-aligned in 9
//
// Widths count display columns: a full-width character (℃, kanji) takes two.
// A value longer than its column is written whole, as in the report. The
// lines grow with the number of temperatures (7 + 9 per column); the printing
// side decides how to fit them on the page.
// In SI the head lines as the SI report writes them and the tensions in kN
// ("張力 [kN]", "##0.000"); the sags stay.
std::string ComposeStringingChartText(const CalculationState& state, const StringingChart& chart,
                                      UnitSystem units = UnitSystem::kKgf);

} // namespace orvalt
