#include "ui/base/access_keys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace orvalt {

ChildAccessKeys::ChildAccessKeys(QMdiArea* area, QObject* parent) : QObject(parent), area_(area) {
    qApp->installEventFilter(this);
}

void ChildAccessKeys::TakeOver(QWidget* child) {
    for (QAbstractButton* button : child->findChildren<QAbstractButton*>())
        if (!QKeySequence::mnemonic(button->text()).isEmpty()) button->setShortcut(QKeySequence());
}

QAbstractButton* ChildAccessKeys::buttonFor(QObject* receiver, const QKeyEvent& key) const {
    if (key.modifiers() != Qt::AltModifier) return nullptr;
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (widget == nullptr || widget->window() != area_->window()) return nullptr;
    const QMdiSubWindow* active = area_->activeSubWindow();
    if (active == nullptr || active->widget() == nullptr) return nullptr;

    const QKeySequence pressed(key.keyCombination());
    for (QAbstractButton* button : active->widget()->findChildren<QAbstractButton*>()) {
        if (!button->isEnabled() || !button->isVisible()) continue;
        if (QKeySequence::mnemonic(button->text()) == pressed) return button;
    }
    return nullptr;
}

bool ChildAccessKeys::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress) return false;
    QAbstractButton* button = buttonFor(watched, *static_cast<QKeyEvent*>(event));
    if (button == nullptr) return false;
    if (type == QEvent::ShortcutOverride) {
        // Claim the key from the shortcut map: it arrives as a key press.
        event->accept();
        return true;
    }
    button->setFocus(Qt::ShortcutFocusReason);
    button->click();
    return true;
}

} // namespace orvalt
