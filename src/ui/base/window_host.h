// What a child window may ask of the window that holds it. The main window
// implements it; tests can give a fake. A child never reaches for the main
// window itself, so the windows depend on this interface and not the other
// way round.
#pragma once

#include <QString>

#include <cstdint>
#include <string>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace orvalt {

class CaseDocument;
struct CalculationState;
class MessageService;
class PrintService;

// What the host keeps about its windows for the whole run; none of it is
// part of a calculation. Start-up values as a new host starts.
struct WindowBookkeeping {
    // The program folder followed by the catalogue's file name; set at start-up.
    std::string wireDataPath;
    // The open result windows: each counts itself in on load and out on unload.
    std::int16_t resultWindowCount = 0;
    // True exactly while the conditions window is loaded (電線設定 and 開く
    // refuse then).
    bool conditionsWindowOpen = false;
};

// The menu commands whose enabling the child windows set themselves.
enum class HostCommand { Calculate, Use };

class WindowHost {
public:
    virtual ~WindowHost() = default;

    // The calculation state shared by every window of the run.
    virtual CalculationState& state() = 0;
    virtual MessageService& messages() = 0;
    virtual PrintService& printService() = 0;
    virtual WindowBookkeeping& bookkeeping() = 0;

    // The host's own widget: the parent of its messages, and the owner of
    // what a child keeps from one opening to the next.
    virtual QWidget* hostWidget() = 0;
    // The area the child windows live in.
    virtual QMdiArea* mdiArea() const = 0;
    // Adds `child` as a sub-window that deletes itself when closed.
    virtual QMdiSubWindow* addChildWindow(QWidget* child) = 0;

    virtual void setCommandEnabled(HostCommand command, bool enabled) = 0;
    // Derives the enabling of the commands that follow the calculations and
    // the active child again; a child calls it when it loads or unloads.
    virtual void updateMenus() = 0;
    // The host's caption, which names the wire of the confirmed conditions.
    virtual void setCaption(const QString& caption) = 0;

    // The path of a file of the program folder ("wiredata.dat", "orvalt99.txt").
    virtual QString programFilePath(const QString& fileName) const = 0;

    // The design being worked on. A window starts from what it holds (a new
    // stringing chart from its temperatures, a section window from its
    // spans) and hands every change the engineer makes to it, which marks
    // it modified.
    virtual CaseDocument& document() = 0;
};

} // namespace orvalt
