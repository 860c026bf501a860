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

void ShowWireRecord(const WireRecord& record, const QList<QLineEdit*>& text1) {
    struct Field {
        float value;
        std::string_view pattern;
    };
    // The order of Text1(0)..Text1(6), which is the catalogue file's order.
    const Field fields[7] = {
        {record.expansionCoeff, "##0.00"}, {record.elasticModulus, "####0"},
        {record.unitWeight, "0.0000"},     {record.area, "###0.00"},
        {record.diameterHigh, "##0.0"},    {record.diameterLow, "##0.0"},
        {record.maxTension, "###0"},
    };
    for (int i = 0; i < 7 && i < text1.size(); ++i) {
        if (text1[i] == nullptr) continue;
        text1[i]->setText(
            QString::fromStdString(FormatWithPattern(fields[i].value, fields[i].pattern)));
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
    ShowWireRecord(record, boxes_);
    for (int i = 0; i < kWireValueBoxCount && i < boxes_.size(); ++i) {
        const auto box = static_cast<std::size_t>(i);
        shownTexts_[box] = boxes_[i] != nullptr ? boxes_[i]->text() : QString();
        shownValues_[box] = record.*kWireValueFields[box];
    }
    shown_ = true;
}

std::array<std::string, kWireValueBoxCount> WireValueBoxes::texts() const {
    std::array<std::string, kWireValueBoxCount> texts{};
    for (int i = 0; i < kWireValueBoxCount && i < boxes_.size(); ++i) {
        const auto box = static_cast<std::size_t>(i);
        const QLineEdit* edit = boxes_[i];
        const QString typed = edit != nullptr ? edit->text() : QString();
        // Typing sets the modified flag, even when it ends in the text shown:
        // an engineer who typed "18.3" over "18.3" means 18.3.
        const bool asShown =
            shown_ && edit != nullptr && !edit->isModified() && typed == shownTexts_[box];
        texts[box] = (asShown ? ExactNumberText(shownValues_[box]) : typed).toStdString();
    }
    return texts;
}

} // namespace orvalt
