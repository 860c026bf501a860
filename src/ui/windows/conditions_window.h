// frmSetting: the conditions window. The engineer picks the wire from the
// catalogue, adjusts its constants for this calculation and sets the wind
// pressures, temperatures and span range; OK hands them to the calculation
// state and the host's document, enables 計算 and names the wire in the main
// window's caption. While the document has a case file, the window opens
// with the case's own wire instead of the catalogue's first.
#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/catalogue/catalogue_file.h"
#include "ui/base/child_window.h"
#include "ui/base/form_helpers.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace orvalt {

class WindowHost;
struct CalculationState;
struct ConditionsFormInput;

class frmSetting : public QWidget, public ChildWindow {
    Q_OBJECT

public:
    static constexpr bool kOneInstance = true;
    static constexpr bool kFixedFrame = true;
    static constexpr char kObjectName[] = "frmSetting";

    // Builds the window's controls; ShowConditionsWindow adds it to the
    // host, loads and shows it.
    explicit frmSetting(WindowHost& host);
    ~frmSetting() override;

    QSize sizeHint() const override;

    // Centres the window, reads the catalogue, fills the boxes from its
    // first record (or the case file's wire) and the state. Its message is what reading the catalogue
    // went wrong with, for the user; empty when the whole file was read.
    LoadOutcome Form_Load();

    // 計算結果印刷 with this window active asks for a result window.
    void print() override;

    // The wind pressures (Pa) and E, Wc and T (N/mm2, N/m, kN) and their unit
    // labels in `units`. Boxes as shown show their values again; a number
    // typed is taken in the units it was typed in (a wind pressure rounded
    // down there) and shown converted. OK stores kg units whatever is shown.
    void showUnits(UnitSystem units) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private slots:
    void cmbWireName_Change();
    void cmbWireName_Click(int index);
    void Command1_Click(int index);
    void cmbLoadClassHigh_Click(int index);
    void cmbLoadClassLow_Click(int index);
    void chkBundle_Click();

private:
    struct Placement {
        QWidget* control;
        double left, top, width, height; // twips, relative to SSTab1
        bool naturalSize;                // a label: its own width and height
    };

    // Where a box, its label and its unit label stand on their tab (twips).
    struct BoxPlace {
        double top, labelLeft, boxLeft, width, height;
        QString unit;
        double unitLeft;
    };

    void buildControls();
    QList<QWidget*> addTabs();
    void addWireRows(QWidget* page);
    void addIceGravityRow(QWidget* page);
    void addConditionRows(const QList<QWidget*>& pages);
    void addButtons();
    QLabel* addLabel(QWidget* page, const QString& name, const QString& caption, double left,
                     double top);
    // Label1(box) with the box's caption, Text1(box) and Label2(box).
    void addRow(QWidget* page, int box, const QFont& font, const BoxPlace& place);
    void placeTabControls();
    void setTabOrder();

    void showIce(const CalculationState& state);

    // The load classes (荷重区分) beside the wind boxes, on tab 1: a choice per
    // season that fills the boxes, the 多導体 mark, and a note of where the
    // values come from. Typing over a filled box makes its season 任意.
    void addLoadClassRows(QWidget* page);
    QList<QWidget*> loadClassTabOrder() const;
    void showLoadClasses(const CalculationState& state);
    void showLargerClassDecision(const CalculationState& state);
    void fillLoadClass(bool highSeason);
    // "外径 18.2 mm：甲種" beside the low season's choice.
    void showDecidedClass(double diameter, LoadClass decided);
    void loadClassBoxEdited(int box);
    void readLoadClasses(ConditionsFormInput& input) const;
    // The wire's low-season diameter typed over: 甲種・乙種の大きい方 is
    // decided again for the diameter typed, or becomes 任意 while the box
    // reads as no diameter.
    void diameterLowEdited();

    // The wind pressure boxes Text1(9), (8) and (16) in the window's units,
    // with the kg value each was last shown from.
    void showWindPressure(int box, float kgValue);
    bool windPressureAsShown(int box) const;
    // The value OK stores for a wind pressure box whose number the form read
    // (rounded down in the units shown): the value it was shown from when
    // not typed into, otherwise the number converted to kg units.
    float storedWindPressure(int box, float read) const;
    void showUnitLabels();

    QString readCatalogue();
    void Form_Unload();
    void Text1_GotFocus(int index);
    bool commitConditions(); // OK: false when a box is refused
    void refuseBox(int box, const QString& message);
    void showCaseWire(const WireRecord& wire);
    // The wire name of the entry chosen in the list, or of the case's wire.
    std::string selectedWireName() const;
    QString selectedName() const;
    void closeWindow();

    WindowHost& host_;
    QTabWidget* SSTab1_ = nullptr;
    QComboBox* cmbWireName_ = nullptr;
    QList<QLineEdit*> Text1_;                   // indexes 0..17
    std::unique_ptr<WireValueBoxes> wireBoxes_; // Text1(0..6)
    QList<QLabel*> Label1_;                     // indexes 0..17
    QList<QLabel*> Label2_;                     // unit labels, by the index of their box
    QList<QPushButton*> Command1_;
    QComboBox* cmbLoadClassHigh_ = nullptr;
    QComboBox* cmbLoadClassLow_ = nullptr;
    QCheckBox* chkBundle_ = nullptr;
    QLabel* lblLoadClassDecided_ = nullptr;
    QList<Placement> tabPlacements_;
    bool tabControlsPlaced_ = false;

    WireList wireList_{};
    std::int16_t lastIndex_ = -1;
    // The list entry whose record the boxes were filled from, or
    // kCaseWireSlot for a case's own wire that the catalogue does not hold.
    static constexpr int kCaseWireSlot = -1;
    int selectedSlot_ = 0;
    WireRecord caseWire_; // the wire of the case the window opened with
    bool suppressChange_ = false;
    UnitSystem units_ = UnitSystem::kKgf;
    struct ShownWindPressure {
        bool shown = false;
        float kgValue = 0.0f;
        QString text;
    };
    std::array<ShownWindPressure, 3> windShown_{}; // Text1(8), (9), (16)
    bool loaded_ = false;
};

// Shows the one conditions window: brings it to the front when it is open,
// otherwise creates and loads it, shows it and then tells the user about any
// trouble reading the catalogue.
void ShowConditionsWindow(WindowHost& host);

} // namespace orvalt
