// frmWireSetting itself; ShowWireSettingWindow in wire_setting_window.h is
// the way in.
#pragma once

#include <QList>
#include <QWidget>

#include <cstdint>
#include <optional>

#include "engine/catalogue/catalogue_file.h"
#include "engine/forms/wire_form.h"
#include "ui/base/child_window.h"
#include "ui/base/form_helpers.h"
#include "ui/windows/wire_setting_window.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orvalt {

class WindowHost;

class frmWireSetting final : public QWidget, public ChildWindow {
    Q_OBJECT

public:
    static constexpr bool kOneInstance = true;
    static constexpr bool kFixedFrame = true;
    static constexpr char kObjectName[] = "frmWireSetting";

    frmWireSetting(WindowHost& host, WireSettingMemory& memory);

    // The load steps: centre (only when slot 0 is shown), read the catalogue,
    // fill the list, show slot currentIndex. Its message is the read's
    // trouble (empty when there was none): information only when there is
    // no file yet.
    LoadOutcome Form_Load();
    void report(const std::string& message, bool trouble);

    QSize sizeHint() const override; // the client area, 5190 x 4005 twips

    // E, Wc and T and their unit labels in `units`; the catalogue file stays
    // in kg units, a value typed in SI is saved as its kg value.
    void showUnits(UnitSystem units) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void cmbWireName_Click(int index);
    void Command1_Click(int index);

private:
    void setTabOrderAndConnect();
    void Text1_GotFocus(int index);
    void save();
    void newRecord();
    void closeWindow();
    bool catalogueFull() const;
    // The record of `slot`, or an empty one for the "新規" slot: the list
    // beyond lastIndex may still hold records of an earlier, longer file.
    WireRecord slotRecord(int slot) const;
    void showSlot(int slot);
    void showRefusal(const FormRefusal& refusal);
    // Writes the catalogue with `record` in the slot shown.
    void store(const WireRecord& record, bool adding);
    // Form_Load again, reporting the read's trouble.
    void reload();

    WindowHost& host_;
    WireSettingMemory& memory_;
    QComboBox* cmbWireName_ = nullptr;
    QList<QLineEdit*> Text1_;
    WireValueBoxes valueBoxes_{{}};
    QList<QPushButton*> Command1_;
    QList<QLabel*> Label1_;
    QList<QLabel*> Label2_;
};

} // namespace orvalt
