#include "ui/windows/result_window.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <cmath>

#include "engine/number/number_text.h"
#include "engine/output/report_text.h"
#include "ui/base/fonts.h"
#include "ui/base/message_box.h"
#include "ui/base/printing.h"
#include "ui/base/text.h"
#include "ui/base/window_host.h"

namespace orvalt {

namespace {

// A table line with a three-digit span is 83 half-width cells long and the
// column heading above it 84; the window opens wide enough for both and for
// about 30 lines.
constexpr int kInitialColumns = 84;
constexpr int kInitialLines = 30;

QSize InitialTextSize(QPlainTextEdit* text) {
    text->ensurePolished(); // the style's frame and scroll bar sizes
    const QFontMetricsF metrics(text->font());
    const int scrollBar = text->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, text);
    const int frame = 2 * text->frameWidth();
    // The document margin sits on both sides of the text.
    const double margin = 2.0 * text->document()->documentMargin();
    // One more column than the line: room for the caret at its end.
    const int width = static_cast<int>(std::ceil(
                          metrics.horizontalAdvance(QString(kInitialColumns + 1, u'0')) + margin)) +
                      scrollBar + frame;
    const int height = static_cast<int>(std::ceil(metrics.lineSpacing() * kInitialLines + margin)) +
                       scrollBar + frame;
    return {width, height};
}

// The most recently created result sub-window other than `except`.
QMdiSubWindow* PreviousResultWindow(QMdiArea* area, const QMdiSubWindow* except) {
    const auto windows = area->subWindowList(QMdiArea::CreationOrder);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        QMdiSubWindow* sub = *it;
        if (sub == except || sub->widget() == nullptr || !sub->isVisible()) continue;
        if (sub->widget()->property("tag").toString() == QLatin1String(kResultWindowTag))
            return sub;
    }
    return nullptr;
}

} // namespace

frmKekka::frmKekka(WindowHost& host) : host_(host) {
    setObjectName(QStringLiteral("frmKekka"));
    setProperty("tag", QString::fromLatin1(kResultWindowTag));
    text1_ = new QPlainTextEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text1_->setReadOnly(false);
    text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text1_->setFont(ReportFont());
    host_.addChildWindow(this);
    Form_Load();
}

// Destroyed without a close only when the main window itself goes away; the
// menus are gone by then, so there is nothing to update.
frmKekka::~frmKekka() = default;

QString frmKekka::reportText() const {
    QString text = text1_->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

void frmKekka::Form_Load() {
    const CalculationState& state = host_.state();
    setWindowTitle(QStringLiteral("結果 : ") + QString::fromStdString(state.currentWire.wireName) +
                   QString::fromStdString(FormatPlainNumber(state.temperatureStudy)) +
                   QStringLiteral("℃"));
    ++host_.state().resultWindowCount;
    host_.setCommandEnabled(HostCommand::Print, true);
    loaded_ = true;
}

void frmKekka::Form_Resize() { text1_->setGeometry(0, 0, width(), height()); }

void frmKekka::Form_Unload() {
    if (!loaded_) return;
    loaded_ = false;
    CalculationState& state = host_.state();
    --state.resultWindowCount;
    if (state.resultWindowCount == 0) host_.setCommandEnabled(HostCommand::Print, false);
}

void frmKekka::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmKekka::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

frmKekka* OpenResultWindow(WindowHost& host) {
    auto* window = new frmKekka(host);
    auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    QMdiArea* area = host.mdiArea();
    if (sub != nullptr && area != nullptr) {
        // Outer size = text size plus the sub-window's frame (its contents
        // margins, the title bar included), clamped to the area so that the
        // window never opens bigger than it.
        const QSize text = InitialTextSize(window->text1());
        const QMargins frame = sub->contentsMargins();
        const int titleBar = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub);
        const QSize areaSize = area->viewport()->size();
        QSize outer(text.width() + frame.left() + frame.right(),
                    text.height() + frame.top() + frame.bottom());
        outer = outer.boundedTo(areaSize);
        sub->resize(outer);

        QPoint position(0, 0);
        if (QMdiSubWindow* previous = PreviousResultWindow(area, sub)) {
            position = previous->pos() + QPoint(titleBar, titleBar);
            // Back to the top-left corner once the cascade would run out of the area.
            if (position.x() + outer.width() > areaSize.width() ||
                position.y() + outer.height() > areaSize.height())
                position = QPoint(0, 0);
        }
        sub->move(position);
        sub->show();
    } else {
        window->show();
    }
    return window;
}

frmKekka* BuildResultReport(WindowHost& host) {
    frmKekka* window = OpenResultWindow(host);
    window->calculation_ = host.state();
    window->text1()->setFont(ReportFont());
    window->text1()->clear();
    const std::string report = ComposeResultReport(host.state());
    window->text1()->setPlainText(FromUtf8(report));
    return window;
}

void PrintResultWindow(WindowHost& host) {
    // The current sub-window is the active child even while the menu bar has
    // the focus; its text is printed as it stands, with the user's edits.
    const QMdiSubWindow* sub = host.mdiArea()->currentSubWindow();
    const auto* result = sub != nullptr ? qobject_cast<const frmKekka*>(sub->widget()) : nullptr;
    PrintWithDialog(host.printService(), host.messages(), host.hostWidget(),
                    result != nullptr ? result->reportText() : QString());
}

} // namespace orvalt
