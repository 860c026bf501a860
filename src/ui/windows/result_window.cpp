#include "ui/windows/result_window.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

#include "engine/case/case_document.h"
#include "engine/number/number_text.h"
#include "engine/output/csv_text.h"
#include "engine/output/report_text.h"
#include "ui/base/fonts.h"
#include "ui/base/mdi_child.h"
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
        if (sub == except || !sub->isVisible()) continue;
        if (qobject_cast<const frmKekka*>(sub->widget()) != nullptr) return sub;
    }
    return nullptr;
}

} // namespace

frmKekka::frmKekka(WindowHost& host) : host_(host) {
    setObjectName(QLatin1String(kObjectName));
    text1_ = new QPlainTextEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text1_->setReadOnly(false);
    text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text1_->setFont(ReportFont());
}

// Destroyed without a close only when the main window itself goes away; the
// menus are gone by then, so there is nothing to update.
frmKekka::~frmKekka() = default;

QString frmKekka::reportText() const {
    QString text = text1_->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

LoadOutcome frmKekka::Form_Load() {
    calculation_ = std::make_shared<const CalculationState>(host_.state());
    const CalculationState& state = *calculation_;
    setWindowTitle(QStringLiteral("結果 : ") + QString::fromStdString(state.currentWire.wireName) +
                   QString::fromStdString(FormatPlainNumber(state.temperatureStudy)) +
                   QStringLiteral("℃"));
    units_ = host_.document().units();
    text1_->setPlainText(FromUtf8(ComposeResultReport(state, units_)));
    text1_->document()->setModified(false);
    ++host_.bookkeeping().resultWindowCount;
    loaded_ = true;
    host_.updateMenus();
    return {};
}

void frmKekka::print() {
    PrintWithDialog(host_.printService(), host_.messages(), host_.hostWidget(), reportText());
}

std::optional<ChildWindow::Csv> frmKekka::csv() const {
    return Csv{ComposeResultTableCsv(*calculation_, units_), {}};
}

void frmKekka::showUnits(UnitSystem units) {
    if (units == units_ || calculation_ == nullptr || text1_->document()->isModified()) return;
    units_ = units;
    text1_->setPlainText(FromUtf8(ComposeResultReport(*calculation_, units_)));
    text1_->document()->setModified(false);
}

void frmKekka::Form_Resize() { text1_->setGeometry(0, 0, width(), height()); }

void frmKekka::Form_Unload() {
    if (!loaded_) return;
    loaded_ = false;
    --host_.bookkeeping().resultWindowCount;
    host_.updateMenus();
}

void frmKekka::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmKekka::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void frmKekka::Form_Place(QMdiSubWindow& sub) {
    // Outer size = text size plus the sub-window's frame (its contents
    // margins, the title bar included), clamped to the area so that the
    // window never opens bigger than it.
    QMdiArea* area = host_.mdiArea();
    const QSize text = InitialTextSize(text1_);
    const QMargins frame = sub.contentsMargins();
    const int titleBar = sub.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &sub);
    const QSize areaSize = area->viewport()->size();
    QSize outer(text.width() + frame.left() + frame.right(),
                text.height() + frame.top() + frame.bottom());
    outer = outer.boundedTo(areaSize);
    sub.resize(outer);

    QPoint position(0, 0);
    if (QMdiSubWindow* previous = PreviousResultWindow(area, &sub)) {
        position = previous->pos() + QPoint(titleBar, titleBar);
        // Back to the top-left corner once the cascade would run out of the area.
        if (position.x() + outer.width() > areaSize.width() ||
            position.y() + outer.height() > areaSize.height())
            position = QPoint(0, 0);
    }
    sub.move(position);
}

frmKekka* BuildResultReport(WindowHost& host) { return OpenChildWindow<frmKekka>(host); }

} // namespace orvalt
