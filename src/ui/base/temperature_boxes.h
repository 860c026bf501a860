// The stringing temperatures of a chart, as a person sets them: 開始温度,
// 終了温度 and 刻み, each a spin box in ℃ behind its label, in one row. The
// 架線弛度表 and the section window's chart share them.
#pragma once

#include <cstdint>

class QHBoxLayout;
class QSpinBox;
class QWidget;

namespace orvalt {

struct TemperatureBoxes {
    QSpinBox* from = nullptr; // spnFrom
    QSpinBox* to = nullptr;   // spnTo
    QSpinBox* step = nullptr; // spnStep
    QHBoxLayout* row = nullptr;
};

// The three boxes on `parent`, showing `from`, `to` and `step`. A chart is
// computed when a value is entered (Return, Tab, the arrows), not at every
// keystroke of "-15": the boxes do not track the keyboard.
TemperatureBoxes AddTemperatureBoxes(QWidget* parent, std::int16_t from, std::int16_t to,
                                     std::int16_t step);

} // namespace orvalt
