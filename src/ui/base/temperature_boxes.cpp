#include "ui/base/temperature_boxes.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QString>

#include <utility>

namespace orvalt {
namespace {

QSpinBox* TemperatureBox(const QString& name, int minimum, int value, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(minimum, 32767);
    box->setValue(value);
    box->setSuffix(QStringLiteral(" ℃"));
    box->setKeyboardTracking(false);
    return box;
}

} // namespace

TemperatureBoxes AddTemperatureBoxes(QWidget* parent, std::int16_t from, std::int16_t to,
                                     std::int16_t step) {
    TemperatureBoxes boxes;
    boxes.from = TemperatureBox(QStringLiteral("spnFrom"), -32768, from, parent);
    boxes.to = TemperatureBox(QStringLiteral("spnTo"), -32768, to, parent);
    boxes.step = TemperatureBox(QStringLiteral("spnStep"), 1, step, parent);
    boxes.row = new QHBoxLayout;
    const std::pair<const char16_t*, QSpinBox*> labelled[] = {
        {u"開始温度", boxes.from}, {u"終了温度", boxes.to}, {u"刻み", boxes.step}};
    for (const auto& [caption, box] : labelled) {
        auto* label = new QLabel(QString::fromUtf16(caption), parent);
        label->setBuddy(box);
        boxes.row->addWidget(label);
        boxes.row->addWidget(box);
        boxes.row->addSpacing(12);
    }
    boxes.row->addStretch();
    return boxes;
}

} // namespace orvalt
