// What the main window's commands ask of the active child window. A child
// window widget implements it beside QWidget; the commands find it with one
// dynamic_cast of the active sub-window's widget and never ask which kind of
// window it is. Everything has a "not offered" default, so a window states
// only what it offers.
#pragma once

#include <QString>

#include <memory>
#include <optional>
#include <string>

#include "engine/number/units.h"
#include "ui/base/image_export.h"
#include "ui/base/message_box.h"

class QMdiArea;

namespace orvalt {

struct CalculationState;

class ChildWindow {
public:
    // A CSV file the window offers: its bytes, and what the proposed file
    // name gets after the wire and the temperature.
    struct Csv {
        std::string bytes;
        QString suffix;
    };
    // An image the window offers: how to draw it, and the file name suffix.
    struct Image {
        DrawingFunction draw;
        QString suffix;
    };

    virtual ~ChildWindow() = default;

    // The calculation the window shows; null when it shows none.
    virtual std::shared_ptr<const CalculationState> calculation() const { return nullptr; }
    // Whether 計算結果印刷 prints something with this window active.
    virtual bool canPrint() const { return false; }
    // What 計算結果印刷 does with this window active.
    virtual void print() {}
    virtual std::optional<Csv> csv() const { return std::nullopt; }
    virtual std::optional<Image> image() const { return std::nullopt; }
    // The engineer chose other units (kg units or SI) for the design: the
    // window shows its values, captions and axes in `units` from now on.
    // The values it holds do not change.
    virtual void showUnits(UnitSystem /*units*/) {}
};

// The active child window of `area` (the current one, which stays so while
// the menu bar or a message box has the focus), or null.
ChildWindow* ActiveChildWindow(const QMdiArea* area);

// What a window's load step tells whoever opens it.
struct LoadOutcome {
    bool show = true; // false: the window is discarded without being shown
    QString message;  // told over the shown window (or instead of it) unless empty
    MessageIcon icon = MessageIcon::Exclamation;
};

} // namespace orvalt
