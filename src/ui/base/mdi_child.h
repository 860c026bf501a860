// What every child window does the same way: at most one window of a kind,
// brought to the front when asked for again; a fixed frame; centred in the
// area; closing itself through its sub-window so that its unload runs.
#pragma once

#include <QSize>
#include <QString>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace orvalt {

class WindowHost;

// The child window of `area` whose widget is called `objectName`, or null.
QWidget* FindChildWindow(const QMdiArea* area, const QString& objectName);

// Brings the open child window called `objectName` to the front and makes it
// the active one. False when none is open.
bool BringChildToFront(QMdiArea* area, const QString& objectName);

// Adds `child` to the host as a sub-window with a fixed single frame: a close
// box, no minimize or maximize button, not resizable.
QMdiSubWindow* AddFixedChildWindow(WindowHost& host, QWidget* child);

// Gives `child`'s sub-window `size`, no larger than the area, and shows and
// activates it where it lies wholly inside the area: where the area would
// put it when that fits, else moved up and left until it does.
void ShowChildWindowSized(QMdiArea* area, QWidget* child, QSize size);

// Shows the sub-window of `child` and makes it the active one.
void ShowChildWindow(QMdiArea* area, QWidget* child);

// Closes `child` through its sub-window (which closes the child first and so
// runs its unload), or the child itself when it has none.
void CloseChildWindow(QWidget* child);

// Moves `child`'s sub-window to the middle of the area:
// (client size - outer size) / 2 in single precision, rounded to whole
// pixels and not clamped, the left edge first, then the top.
void CenterInArea(const QMdiArea* area, QWidget* child);

} // namespace orvalt
