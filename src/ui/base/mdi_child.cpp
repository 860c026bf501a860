#include "ui/base/mdi_child.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

#include <algorithm>
#include <cmath>

#include "ui/base/message_box.h"
#include "ui/base/window_host.h"

namespace orvalt {

namespace {

// Half the difference in single precision, then whole pixels, halves away
// from zero: a window wider than the area goes to a negative offset.
int HalfDifference(int clientExtent, int outerExtent) {
    const float half = static_cast<float>(clientExtent - outerExtent) / 2.0f;
    return static_cast<int>(std::lround(half));
}

} // namespace

QWidget* FindChildWindow(const QMdiArea* area, const QString& objectName) {
    for (const QMdiSubWindow* sub : area->subWindowList()) {
        QWidget* widget = sub->widget();
        if (widget != nullptr && widget->objectName() == objectName && !sub->isHidden())
            return widget;
    }
    return nullptr;
}

QWidget* BringChildToFront(QMdiArea* area, const QString& objectName) {
    QWidget* open = FindChildWindow(area, objectName);
    if (open == nullptr) return nullptr;
    auto* sub = qobject_cast<QMdiSubWindow*>(open->parentWidget());
    sub->showNormal();
    area->setActiveSubWindow(sub);
    sub->raise();
    return open;
}

QMdiSubWindow* AddChildWindow(WindowHost& host, QWidget* child) {
    return host.addChildWindow(child);
}

QMdiSubWindow* AddFixedChildWindow(WindowHost& host, QWidget* child) {
    QMdiSubWindow* sub = host.addChildWindow(child);
    sub->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    sub->setOption(QMdiSubWindow::RubberBandResize, false);
    sub->setFixedSize(sub->sizeHint());
    return sub;
}

void ShowChildWindow(QMdiArea* area, QWidget* child) {
    auto* sub = qobject_cast<QMdiSubWindow*>(child->parentWidget());
    if (sub == nullptr) {
        child->show();
        return;
    }
    sub->show();
    area->setActiveSubWindow(sub);
}

void SizeChildWindow(const QMdiArea* area, QMdiSubWindow& sub, QSize size) {
    const QSize client = area->viewport()->size();
    sub.resize(size.boundedTo(client));
    const int x = std::max(0, std::min(sub.x(), client.width() - sub.width()));
    const int y = std::max(0, std::min(sub.y(), client.height() - sub.height()));
    sub.move(x, y);
}

bool FinishOpening(WindowHost& host, QWidget* window, const LoadOutcome& load) {
    QWidget* over = window;
    if (load.show) {
        ShowChildWindow(host.mdiArea(), window);
    } else {
        over = host.hostWidget();
        QWidget* outer = window->parentWidget() != nullptr ? window->parentWidget() : window;
        delete outer;
    }
    if (!load.message.isEmpty())
        host.messages().Show(over, load.message, load.icon, MessageButtons::Ok);
    return load.show;
}

ChildWindow* ActiveChildWindow(const QMdiArea* area) {
    const QMdiSubWindow* sub = area != nullptr ? area->currentSubWindow() : nullptr;
    return sub != nullptr ? dynamic_cast<ChildWindow*>(sub->widget()) : nullptr;
}

void CloseChildWindow(QWidget* child) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(child->parentWidget()))
        sub->close();
    else
        child->close();
}

void CenterInArea(const QMdiArea* area, QWidget* child) {
    if (child == nullptr || area == nullptr) return;
    // The window that moves is the sub-window frame around `child`; its outer
    // size includes that frame.
    QWidget* outer = child;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(child->parentWidget())) outer = sub;
    const QSize client = area->viewport()->size();
    const int left = HalfDifference(client.width(), outer->frameGeometry().width());
    outer->move(left, outer->y());
    const int top = HalfDifference(client.height(), outer->frameGeometry().height());
    outer->move(outer->x(), top);
}

} // namespace orvalt
