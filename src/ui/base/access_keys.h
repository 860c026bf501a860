// Access keys (Alt+letter) of the buttons in the child windows.
//
// Every child window lives inside the one main window, so Qt would treat the
// underlined letters of all open children's buttons and of the menu bar as
// one window-wide set: a letter used twice does nothing, and a child's button
// can lose its letter to the menu bar. Here the buttons keep their underlined
// letter but register no shortcut of their own; an Alt+letter pressed while a
// child window is active goes to that child's enabled button with the letter,
// as a click would, and otherwise to the menu bar as before. The letters of
// inactive children never act.
#pragma once

#include <QObject>

class QAbstractButton;
class QKeyEvent;
class QMdiArea;
class QWidget;

namespace orvalt {

class ChildAccessKeys final : public QObject {
public:
    // Watches the key events of the whole application for the windows of
    // `area`; lives as long as `parent`.
    ChildAccessKeys(QMdiArea* area, QObject* parent);

    // Takes the window-wide shortcuts off the buttons of `child`, a window
    // about to be shown in the area; their letters stay underlined.
    static void TakeOver(QWidget* child);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractButton* buttonFor(QObject* receiver, const QKeyEvent& key) const;

    QMdiArea* area_;
};

} // namespace orvalt
