// Small helpers shared by the windows that show wire records.
#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <string>

#include "engine/calculation/calculation_state.h"
#include "engine/forms/wire_form.h"
#include "engine/number/units.h"

class QComboBox;
class QLineEdit;
class QWidget;

namespace orvalt {

// Selects the whole text of the box, caret at the start when it is empty.
void SelectAllText(QLineEdit* textBox);

// Calls `gotFocus(i)` whenever box i of `boxes` receives the focus, and keeps
// the box's whole text selected however the focus came: by Tab, by the
// program, or by a click (a click places the caret after the focus arrives,
// so the text is selected again when the button is released, unless the
// user dragged over part of it).
class BoxFocusWatcher final : public QObject {
public:
    BoxFocusWatcher(const QList<QLineEdit*>& boxes, std::function<void(int)> gotFocus,
                    QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QLineEdit*> boxes_;
    std::function<void(int)> gotFocus_;
    QLineEdit* clickedInto_ = nullptr; // focused by a press whose release is still to come
};

// An editable wire-name box whose typed text stays as typed: no completer
// fills in names, and neither Return nor leaving the box looks the text up in
// the list. Only a choice from the list (mouse, arrow keys, the open list)
// selects an entry; two entries may share a name. The box keeps its size;
// its open list is as wide as the longest name, and the full name of the
// box and of every entry is its tooltip, so that a long catalogue name
// ("相当 (26/2.888+7/2.245) ACSR Linnet") is never only seen cut off.
void MakeTypedNameBox(QComboBox* combo);
void FitNameList(QComboBox* combo);

// Gives the combo box the focus with its whole text selected, so that what
// the user types next replaces it.
void FocusNameBox(QComboBox* combo);

// Writes the seven constants of `record` into Text1(0..6) with the display
// patterns "##0.00", "####0", "0.0000", "###0.00", "##0.0", "##0.0", "###0";
// in SI E, Wc and T in N/mm2 ("####0"), N/m ("0.0000") and kN ("##0.000").
void ShowWireRecord(const WireRecord& record, const QList<QLineEdit*>& text1,
                    UnitSystem units = UnitSystem::kKgf);

// The quantity whose unit follows the unit system in wire value box `box`
// (E, Wc and T), or none (α, A and the diameters).
std::optional<UnitQuantity> WireValueQuantity(int box);
// The unit caption beside wire value box `box`: "E(kg/mm2)", "E(N/mm2)",
// "T(kg)", "T(kN)", "A(mm2)" whatever the units.
QString WireValueUnitCaption(int box, UnitSystem units);

// The shortest plain decimal text ("18.29", "8902", "0.6885") that reads back
// as exactly `value` once rounded to float.
QString ExactNumberText(float value);

// The seven value boxes of a wire window, with what the window last put into
// them. The display patterns round (a stored 18.29 shows as "18.3"), so a box
// the engineer has not typed into is read as the value it stands for, and
// only a box typed into is read as typed.
class WireValueBoxes {
public:
    explicit WireValueBoxes(const QList<QLineEdit*>& boxes) : boxes_(boxes) {}

    // Shows `record` with ShowWireRecord in the boxes' units and remembers it.
    void show(const WireRecord& record);

    // Shows the boxes in `units` from now on. A box as shown shows the value
    // it stands for again; a box typed into that reads as a number is taken
    // as that number in the units it was typed in and shown converted; an
    // unreadable one keeps its text. No value changes: back in the first
    // units every box as shown shows the same digits as before.
    void showUnits(UnitSystem units);
    UnitSystem units() const { return units_; }

    // The boxes' texts for the form reader in kg units, Text1(0) first: the
    // stored value's exact text for a box still as shown and not typed into,
    // the box's text otherwise; in SI a typed number of E, Wc or T converted
    // to kg units (a box that reads as no number is handed on as typed).
    std::array<std::string, kWireValueBoxCount> texts() const;

private:
    bool asShown(int box) const;

    QList<QLineEdit*> boxes_;
    UnitSystem units_ = UnitSystem::kKgf;
    std::array<bool, kWireValueBoxCount> shown_{};
    std::array<QString, kWireValueBoxCount> shownTexts_{};
    std::array<float, kWireValueBoxCount> shownValues_{};
};

} // namespace orvalt
