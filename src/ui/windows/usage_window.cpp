// frmUsage: the program's instructions, read from "orvalt99.txt" in the
// program folder every time the window opens, so they can be edited without
// rebuilding the program. The window only shows the text; it never writes it.
#include "ui/windows/usage_window.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QStyle>
#include <QTextCursor>

#include <algorithm>
#include <string_view>

#include "engine/catalogue/cp932.h"
#include "ui/base/fonts.h"
#include "ui/base/mdi_child.h"
#include "ui/base/message_box.h"
#include "ui/base/text.h"
#include "ui/base/twips.h"
#include "ui/base/window_host.h"
#include "ui/windows/usage_window_p.h"

namespace orvalt {

namespace {

QString ReadFailure(const QString& path, const QString& reason) {
    return QStringLiteral("使い方のファイルを読み込めません。\n%1\n%2").arg(path, reason);
}

} // namespace

std::optional<QString> ReadUsageText(const QString& path, QString& error) {
    QFile file(path);
    if (!file.exists()) {
        error = ReadFailure(path, QStringLiteral("ファイルがありません。"));
        return std::nullopt;
    }
    if (QFileInfo(path).isDir()) {
        error = ReadFailure(path, QStringLiteral("ファイルではなくフォルダーです。"));
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = ReadFailure(path, file.error() == QFileDevice::PermissionsError
                                      ? QStringLiteral("読み取りの権限がありません。")
                                      : file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = ReadFailure(path, file.errorString());
        return std::nullopt;
    }

    // CR and LF never occur as a trail byte in code page 932, so the file is
    // cut into lines before decoding; a bad byte then spoils one line at most.
    QString text;
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    while (start < size) {
        qsizetype end = start;
        while (end < size && bytes[end] != '\r' && bytes[end] != '\n') ++end;
        // Bytes that are not code page 932 show as U+FFFD.
        const std::string line = DecodeCp932ForDisplay(
            std::string_view(bytes.constData() + start, static_cast<std::size_t>(end - start)));
        text += FromUtf8(line);
        text += QStringLiteral("\r\n");
        if (end < size && bytes[end] == '\r' && end + 1 < size && bytes[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return text;
}

frmUsage::frmUsage(WindowHost& host) : host_(host) {
    setObjectName(QStringLiteral("frmUsage"));
    setWindowTitle(QStringLiteral("使い方"));
    setAttribute(Qt::WA_DeleteOnClose);

    Text1_ = new QPlainTextEdit(this);
    Text1_->setObjectName(QStringLiteral("Text1"));
    Text1_->setReadOnly(true);
    Text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1_->setFont(UsageFont());
    resize(sizeHint());
}

QSize frmUsage::sizeHint() const { return TwipsSize(4680, 3195); }

LoadOutcome frmUsage::Form_Load() {
    QString error;
    const std::optional<QString> text =
        ReadUsageText(host_.programFilePath(QStringLiteral("orvalt99.txt")), error);
    if (!text) return {.show = false, .message = error, .icon = MessageIcon::Information};
    host_.setCommandEnabled(HostCommand::Use, false);
    Text1_->clear();
    Text1_->setPlainText(*text);
    if (QWidget* sub = parentWidget()) sub->resize(readingSize(*text, *sub));
    CenterInArea(host_.mdiArea(), this);
    Text1_->moveCursor(QTextCursor::Start);
    Text1_->ensureCursorVisible();
    return {};
}

// Wide enough for the longest line of the text with no sideways scrolling
// and about 30 lines high, never smaller than the design's size nor larger
// than the area.
QSize frmUsage::readingSize(const QString& text, const QWidget& sub) const {
    const QFontMetrics metrics(Text1_->font());
    int widest = 0;
    for (const QString& line : text.split(QStringLiteral("\r\n")))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    const int scrollBar = Text1_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QSize frame = sub.size() - size();
    const QSize wanted(widest + scrollBar + 2 * Text1_->frameWidth() + 12,
                       30 * metrics.lineSpacing() + scrollBar);
    const QSize area = host_.mdiArea()->viewport()->size();
    return (wanted.expandedTo(sizeHint()) + frame).boundedTo(area);
}

void frmUsage::Form_Resize() { Text1_->setGeometry(0, 0, width(), height()); }

void frmUsage::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    host_.setCommandEnabled(HostCommand::Use, true);
}

void frmUsage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmUsage::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void ShowUsageWindow(WindowHost& host) { OpenChildWindow<frmUsage>(host); }

} // namespace orvalt
