// frmWireSetting itself; ShowWireSettingWindow in wire_setting_window.h is
// the way in.
#pragma once

#include <QList>
#include <QObject>
#include <QWidget>

#include <cstdint>
#include <optional>

#include "engine/catalogue/catalogue_file.h"
#include "engine/forms/wire_form.h"
#include "ui/base/form_helpers.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orvalt {

class WindowHost;

// What the window keeps from one opening to the next: the catalogue copy, the
// last record read and the slot shown. It belongs to the host, so it lives as
// long as the program while the window itself comes and goes.
class WireSettingMemory final : public QObject {
    Q_OBJECT

public:
    explicit WireSettingMemory(QObject* parent) : QObject(parent) {}

    WireList wireList{};
    std::int16_t lastIndex = 0;           // index of the last record read; 0 before the first read
    std::int16_t currentIndex = 0;        // slot shown; lastIndex + 1 while a new record is entered
    bool lastReadWhole = true;            // the last read took in the whole file
    std::optional<FileSnapshot> lastSeen; // the file as the last read found it
};

class frmWireSetting final : public QWidget {
    Q_OBJECT

public:
    frmWireSetting(WindowHost& host, WireSettingMemory& memory);

    // The load steps: centre (only when slot 0 is shown), read the catalogue,
    // fill the list, show slot currentIndex. Returns the read's trouble for
    // Report (empty when there was none).
    struct LoadTrouble {
        std::string message;
        bool serious = false; // false: only a fact to know (no file yet)
    };
    LoadTrouble Form_Load();
    void report(const std::string& message, bool trouble);

    QSize sizeHint() const override; // the client area, 5190 x 4005 twips

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void cmbWireName_Click(int index);
    void Command1_Click(int index);

private:
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
