// What every child window does the same way: at most one window of a kind,
// brought to the front when asked for again; a fixed frame; centred in the
// area; closing itself through its sub-window so that its unload runs.
#pragma once

#include <QSize>
#include <QString>

#include <utility>

#include "ui/base/child_window.h"
#include "ui/base/window_host.h"

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace orvalt {

// The child window of `area` whose widget is called `objectName`, or null.
QWidget* FindChildWindow(const QMdiArea* area, const QString& objectName);

// Brings the open child window called `objectName` to the front and makes it
// the active one. Null when none is open.
QWidget* BringChildToFront(QMdiArea* area, const QString& objectName);

// Adds `child` to the host as a sub-window.
QMdiSubWindow* AddChildWindow(WindowHost& host, QWidget* child);

// Adds `child` to the host as a sub-window with a fixed single frame: a close
// box, no minimize or maximize button, not resizable.
QMdiSubWindow* AddFixedChildWindow(WindowHost& host, QWidget* child);

// Gives the not yet shown `sub` `size`, no larger than the area, where it
// lies wholly inside the area: where the area put it when that fits, else
// moved up and left until it does.
void SizeChildWindow(const QMdiArea* area, QMdiSubWindow& sub, QSize size);

// Shows the sub-window of `child` and makes it the active one.
void ShowChildWindow(QMdiArea* area, QWidget* child);

// Closes `child` through its sub-window (which closes the child first and so
// runs its unload), or the child itself when it has none.
void CloseChildWindow(QWidget* child);

// Moves `child`'s sub-window to the middle of the area:
// (client size - outer size) / 2 in single precision, rounded to whole
// pixels and not clamped, the left edge first, then the top.
void CenterInArea(const QMdiArea* area, QWidget* child);

// After a window's load step: discards the window when it is not to be
// shown, else shows and activates its sub-window as placed; then tells the
// load's message over the window (over the host when it was discarded).
// False when discarded.
bool FinishOpening(WindowHost& host, QWidget* window, const LoadOutcome& load);

// The one way a child window opens. A window class T has
//   T(WindowHost&, args...)      builds its widgets only;
//   static constexpr bool kOneInstance, kFixedFrame;
//   LoadOutcome Form_Load()      fills it, after it has become a sub-window;
//   void Form_Place(QMdiSubWindow&) (optional) sizes and places it before it
//                                shows, so that it opens fully laid out even
//                                where the area maximizes it.
// A window of which only one may be open is brought to the front when it is.
// Returns the window, or null when its load refused to show it.
template <typename T, typename... Args>
T* OpenChildWindow(WindowHost& host, Args&&... args) {
    if constexpr (T::kOneInstance) {
        if (QWidget* open = BringChildToFront(host.mdiArea(), QLatin1String(T::kObjectName)))
            return static_cast<T*>(open);
    }
    auto* window = new T(host, std::forward<Args>(args)...);
    QMdiSubWindow* sub =
        T::kFixedFrame ? AddFixedChildWindow(host, window) : AddChildWindow(host, window);
    const LoadOutcome load = window->Form_Load();
    if constexpr (requires { window->Form_Place(*sub); }) {
        if (load.show) window->Form_Place(*sub);
    }
    return FinishOpening(host, window, load) ? window : nullptr;
}

} // namespace orvalt
