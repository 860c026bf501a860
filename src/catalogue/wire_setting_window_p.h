// frmWireSetting itself; ShowWireSettingWindow in wire_setting_window.h is
// the way in.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <optional>

#include "catalogue/catalogue_file.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orvalt {

class frmMain;
class frmWireSetting;

// What the window keeps from one opening to the next: the catalogue copy, the
// last record read and the slot shown. It belongs to the main window, so it
// lives as long as the program while the window itself comes and goes.
class WireSettingMemory final : public QObject {
    Q_OBJECT

public:
    explicit WireSettingMemory(QObject* parent) : QObject(parent) {}

    WireList wireList{};
    std::int16_t lastIndex = 0;    // index of the last record read; 0 before the first read
    std::int16_t currentIndex = 0; // slot shown; lastIndex + 1 while a new record is entered
    bool lastReadWhole = true;     // the last read took in the whole file
    std::optional<FileSnapshot> lastSeen; // the file as the last read found it
    QPointer<frmWireSetting> window; // the open window, null while closed
};

class frmWireSetting final : public QWidget {
    Q_OBJECT

public:
    frmWireSetting(frmMain& main, WireSettingMemory& memory);

    // The load steps: centre (only when slot 0 is shown), read the catalogue,
    // fill the list, show slot currentIndex. Reports the read's trouble, if
    // any.
    void Form_Load();

    QSize sizeHint() const override; // the client area, 5190 x 4005 twips

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void cmbWireName_Click(int index);
    void Command1_Click(int index);

private:
    void Text1_GotFocus(int index);
    void Save();
    void NewRecord();
    void CloseWindow();
    bool CatalogueFull() const;
    void ShowSlot(int slot);
    void Report(const std::string& message, bool trouble);

    frmMain& main_;
    WireSettingMemory& memory_;
    QComboBox* cmbWireName_ = nullptr;
    QList<QLineEdit*> Text1_;
    QList<QPushButton*> Command1_;
    QList<QLabel*> Label1_;
    QList<QLabel*> Label2_;
};

} // namespace orvalt
