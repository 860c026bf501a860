// Helpers shared by the windows that show wire records (conditions, wire
// settings) and by the usage window.
#include "ui/base/form_helpers.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QAbstractItemView>
#include <QLineEdit>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

#include "engine/number/number_text.h"

namespace orvalt {

void SelectAllText(QLineEdit* textBox) {
    if (textBox == nullptr) return;
    const int length = static_cast<int>(textBox->text().size());
    if (length == 0) {
        textBox->deselect();
        textBox->setCursorPosition(0);
        return;
    }
    // Anchor at 0, caret after the last character.
    textBox->setSelection(0, length);
}

BoxFocusWatcher::BoxFocusWatcher(const QList<QLineEdit*>& boxes, std::function<void(int)> gotFocus,
                                 QObject* parent)
    : QObject(parent), boxes_(boxes), gotFocus_(std::move(gotFocus)) {
    for (QLineEdit* box : boxes_)
        if (box != nullptr) box->installEventFilter(this);
}

bool BoxFocusWatcher::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    const auto index = static_cast<int>(boxes_.indexOf(box));
    if (index < 0) return false;
    switch (event->type()) {
        case QEvent::FocusIn:
            clickedInto_ =
                static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason ? box : nullptr;
            gotFocus_(index);
            break;
        case QEvent::MouseButtonRelease:
            if (clickedInto_ == box) {
                clickedInto_ = nullptr;
                if (!box->hasSelectedText()) gotFocus_(index);
            }
            break;
        case QEvent::FocusOut: clickedInto_ = nullptr; break;
        default: break;
    }
    return false;
}

void MakeTypedNameBox(QComboBox* combo) {
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    // With duplicates allowed, Return does not look the text up in the list.
    combo->setDuplicatesEnabled(true);
    // Leaving the box would look the text up and select a matching entry.
    QObject::disconnect(combo->lineEdit(), &QLineEdit::editingFinished, combo, nullptr);
    FitNameList(combo);
}

// The open list as wide as its longest entry, each entry's full name as its
// tooltip; redone whenever the entries change.
void FitNameList(QComboBox* combo) {
    const auto fit = [combo] {
        const QFontMetrics metrics(combo->view()->font());
        int widest = 0;
        for (int i = 0; i < combo->count(); ++i) {
            const QString name = combo->itemText(i);
            widest = std::max(widest, metrics.horizontalAdvance(name));
            combo->setItemData(i, name, Qt::ToolTipRole);
        }
        const int frame = 2 * combo->view()->frameWidth() +
                          combo->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 16;
        combo->view()->setMinimumWidth(std::max(combo->width(), widest + frame));
    };
    QAbstractItemModel* model = combo->model();
    QObject::connect(model, &QAbstractItemModel::rowsInserted, combo, fit);
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, combo, fit);
    QObject::connect(model, &QAbstractItemModel::modelReset, combo, fit);
    QObject::connect(combo, &QComboBox::editTextChanged, combo,
                     [combo](const QString& text) { combo->setToolTip(text); });
}

void FocusNameBox(QComboBox* combo) {
    combo->setFocus(Qt::OtherFocusReason);
    if (QLineEdit* edit = combo->lineEdit()) edit->selectAll();
}

namespace {

// The display pattern of wire value box `box` in `units`.
std::string_view WireValuePattern(int box, UnitSystem units) {
    // The order of Text1(0)..Text1(6), which is the catalogue file's order.
    constexpr std::string_view kgPatterns[kWireValueBoxCount] = {
        "##0.00", "####0", "0.0000", "###0.00", "##0.0", "##0.0", "###0"};
    if (units == UnitSystem::kSi && box == kBoxMaxTension) return "##0.000"; // kN to the newton
    return kgPatterns[box];
}

QString WireValueText(int box, float kgValue, UnitSystem units) {
    const std::optional<UnitQuantity> quantity = WireValueQuantity(box);
    const float shown = quantity ? ShownValue(kgValue, *quantity, units) : kgValue;
    return QString::fromStdString(FormatWithPattern(shown, WireValuePattern(box, units)));
}

} // namespace

std::optional<UnitQuantity> WireValueQuantity(int box) {
    switch (box) {
        case kBoxElasticModulus: return UnitQuantity::kStress;
        case kBoxUnitWeight: return UnitQuantity::kUnitWeight;
        case kBoxMaxTension: return UnitQuantity::kTension;
        default: return std::nullopt;
    }
}

QString WireValueUnitCaption(int box, UnitSystem units) {
    constexpr const char16_t* kSymbols[kWireValueBoxCount] = {u"α", u"E", u"Wc", u"A",
                                                              u"d1", u"d2", u"T"};
    if (box == kBoxExpansionCoeff) return QStringLiteral("α(10^-6)/℃");
    const std::optional<UnitQuantity> quantity = WireValueQuantity(box);
    const QString unit = quantity ? QString::fromUtf8(UnitLabel(*quantity, units).data(),
                                                      static_cast<qsizetype>(
                                                          UnitLabel(*quantity, units).size()))
                                  : (box == kBoxArea ? QStringLiteral("mm2") : QStringLiteral("mm"));
    return QString::fromUtf16(kSymbols[box]) + QLatin1Char('(') + unit + QLatin1Char(')');
}

void ShowWireRecord(const WireRecord& record, const QList<QLineEdit*>& text1, UnitSystem units) {
    for (int i = 0; i < kWireValueBoxCount && i < text1.size(); ++i) {
        if (text1[i] == nullptr) continue;
        text1[i]->setText(
            WireValueText(i, record.*kWireValueFields[static_cast<std::size_t>(i)], units));
    }
}

QString ExactNumberText(float value) {
    // Wire constants carry at most seven significant digits and lie well
    // within 0.001 .. 10 000 000, so a few decimals always suffice.
    for (int decimals = 0; decimals <= 12; ++decimals) {
        const QString text = QString::number(static_cast<double>(value), 'f', decimals);
        if (static_cast<float>(text.toDouble()) == value) return text;
    }
    return QString::number(static_cast<double>(value), 'g', 9);
}

void WireValueBoxes::show(const WireRecord& record) {
    ShowWireRecord(record, boxes_, units_);
    for (int i = 0; i < kWireValueBoxCount && i < boxes_.size(); ++i) {
        const auto box = static_cast<std::size_t>(i);
        shownTexts_[box] = boxes_[i] != nullptr ? boxes_[i]->text() : QString();
        shownValues_[box] = record.*kWireValueFields[box];
        shown_[box] = true;
    }
}

bool WireValueBoxes::asShown(int i) const {
    const auto box = static_cast<std::size_t>(i);
    const QLineEdit* edit = i < boxes_.size() ? boxes_[i] : nullptr;
    // Typing sets the modified flag, even when it ends in the text shown:
    // an engineer who typed "18.3" over "18.3" means 18.3.
    return shown_[box] && edit != nullptr && !edit->isModified() &&
           edit->text() == shownTexts_[box];
}

void WireValueBoxes::showUnits(UnitSystem units) {
    if (units == units_) return;
    for (int i = 0; i < kWireValueBoxCount && i < boxes_.size(); ++i) {
        const auto box = static_cast<std::size_t>(i);
        QLineEdit* edit = boxes_[i];
        const std::optional<UnitQuantity> quantity = WireValueQuantity(i);
        if (edit == nullptr || !quantity) continue;
        if (!asShown(i)) {
            const std::optional<double> typed = ReadBoxNumber(edit->text().toStdString());
            const double kg = typed ? ToKg(*typed, *quantity, units_) : 0.0;
            if (!typed || !std::isfinite(kg)) continue; // left as typed
            shownValues_[box] = static_cast<float>(kg);
        }
        edit->setText(WireValueText(i, shownValues_[box], units));
        shownTexts_[box] = edit->text();
        shown_[box] = true;
    }
    units_ = units;
}

std::array<std::string, kWireValueBoxCount> WireValueBoxes::texts() const {
    std::array<std::string, kWireValueBoxCount> texts{};
    for (int i = 0; i < kWireValueBoxCount && i < boxes_.size(); ++i) {
        const auto box = static_cast<std::size_t>(i);
        const QLineEdit* edit = boxes_[i];
        const QString typed = edit != nullptr ? edit->text() : QString();
        if (asShown(i)) {
            texts[box] = ExactNumberText(shownValues_[box]).toStdString();
            continue;
        }
        texts[box] = typed.toStdString();
        const std::optional<UnitQuantity> quantity = WireValueQuantity(i);
        if (units_ == UnitSystem::kKgf || !quantity) continue;
        // A number typed in SI, handed on as its kg value: enough decimals
        // for the float the form rounds it to.
        if (const std::optional<double> number = ReadBoxNumber(texts[box])) {
            const double kg = ToKg(*number, *quantity, units_);
            if (std::isfinite(kg)) texts[box] = QString::number(kg, 'f', 12).toStdString();
        }
    }
    return texts;
}

} // namespace orvalt
