// What a child window may ask of the window that holds it. The main window
// implements it; tests can give a fake. A child never reaches for the main
// window itself, so the windows depend on this interface and not the other
// way round.
#pragma once

#include <QString>

#include <vector>

#include "engine/case/case_file.h"

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace orvalt {

struct CalculationState;
class MessageService;
class PrintService;

// The menu commands whose enabling the child windows set themselves.
enum class HostCommand { Calculate, Use };

class WindowHost {
public:
    virtual ~WindowHost() = default;

    // The calculation state shared by every window of the run.
    virtual CalculationState& state() = 0;
    virtual MessageService& messages() = 0;
    virtual PrintService& printService() = 0;

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

    // What a new stringing chart starts with and the spans a new section
    // window shows: those of the case file last opened, else the defaults.
    virtual CaseChartRange chartTemperatures() const { return {}; }
    virtual std::vector<SectionSpan> sectionSpans() const { return {}; }
    // The opened case's section (its stringing temperature, ground and
    // crossings), for the section window's clearance check.
    virtual CaseSection caseSection() const { return {}; }
};

} // namespace orvalt
