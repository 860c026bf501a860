// The 弛度観測 view the stringing chart windows share: two boxes (the number
// N of return waves timed, the sighting height a in metres, empty for equal
// sighting), the crew's sheet as a table that copies as cells, and a note.
// A box is read when its text is entered (Return, or the focus leaving it);
// text it cannot take is refused with a message naming the box, and the box
// goes back to what it held.
//
// The view keeps the units its window shows (kg units or SI): the sheet's
// cells are metres and seconds either way, and its printout heads the sheet
// with the wire and conditions in those units (sheetText).
#pragma once

#include <QString>
#include <QWidget>

#include <optional>
#include <string>

#include "engine/calculation/calculation_state.h"
#include "engine/number/units.h"
#include "engine/output/field_sheet_text.h"

class QLabel;
class QLineEdit;

namespace orvalt {

class CopyableTableView;
class FieldSheetModel;
class MessageService;

class FieldCheckView final : public QWidget {
    Q_OBJECT

public:
    FieldCheckView(MessageService& messages, QWidget* parent);

    int waves() const { return waves_; }
    std::optional<double> sight() const { return sight_; }
    // Shows N and a as the boxes' texts and takes them, without
    // settingsChanged: where a new window starts.
    void setSettings(int waves, std::optional<double> sight);
    // Shows `sheet`, whose N and a are this view's.
    void showSheet(const FieldSheet& sheet);
    CopyableTableView* table() const { return grdField_; }
    // The units the sheet is printed in; the window tells it where it is
    // created (the document's) and whenever the engineer chooses others.
    UnitSystem units() const { return units_; }
    void showUnits(UnitSystem units) { units_ = units; }
    // The printout of `sheet` of `calculation` in this view's units.
    QString sheetText(const CalculationState& calculation, const FieldSheet& sheet) const;

signals:
    // N or a was changed: the window shows its sheet again.
    void settingsChanged();

private:
    void Waves_Entered();
    void Sight_Entered();
    void refuse(QLineEdit* box, const QString& message, const QString& accepted);

    MessageService& messages_;
    int waves_ = kDefaultWaves;
    std::optional<double> sight_;
    UnitSystem units_ = UnitSystem::kKgf;
    QString wavesText_, sightText_; // as last taken
    QLineEdit* txtWaves_ = nullptr;
    QLineEdit* txtSight_ = nullptr;
    FieldSheetModel* model_ = nullptr;
    CopyableTableView* grdField_ = nullptr;
    QLabel* lblNote_ = nullptr;
};

// A wrapped note line named lblLongSpan (the 長径間 note of a window), or
// null when `note` is empty.
QLabel* LongSpanNoteLabel(const std::string& note, QWidget* parent);

} // namespace orvalt
