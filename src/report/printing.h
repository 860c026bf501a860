// Printing the report of the active result window.
#pragma once

#include <QString>

class QWidget;

namespace orvalt {

class frmMain;

// What a print needs from the platform. The real service shows QPrintDialog
// with a high-resolution QPrinter; the test service records what would be
// printed and can cancel or fail on demand.
class PrintService {
public:
    virtual ~PrintService() = default;
    // Shows the print dialog. Returns the number of copies chosen, or 0 when
    // the user cancelled or the dialog failed.
    virtual int ChoosePrinter(QWidget* parent) = 0;
    // Prints `text` (lines ending in "\r\n") as one job. False on error.
    virtual bool PrintDocument(const QString& text) = 0;
};

// Prints Text1 of the active result window, one job per copy; a cancel or an
// error shows "印字はキャンセルされました。".
void PrintResultWindow(frmMain& main);

} // namespace orvalt
