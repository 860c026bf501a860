// Small helpers shared by the windows that show wire records.
#pragma once

#include <QList>

#include "core/calculation_state.h"

class QLineEdit;
class QWidget;

namespace orvalt {

class frmMain;

// Moves `child` (a widget shown in an MDI sub-window of `main`) to the middle
// of the MDI area: (client size - outer size) / 2, computed in single
// precision and not clamped.
void CenterInMainWindow(frmMain& main, QWidget* child);

// Selects the whole text of the box, caret at the start when it is empty.
void SelectAllText(QLineEdit* textBox);

// Writes the seven constants of `record` into Text1(0..6) with the display
// patterns "##0.00", "####0", "0.0000", "###0.00", "##0.0", "##0.0", "###0".
void ShowWireRecord(const WireRecord& record, const QList<QLineEdit*>& text1);

} // namespace orvalt
