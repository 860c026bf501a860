#include "ui/windows/section_window_spans.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "engine/forms/section_form.h"
#include "engine/number/number_text.h"
#include "engine/output/csv_text.h"
#include "ui/base/form_helpers.h"
#include "ui/base/message_box.h"
#include "ui/base/text.h"

namespace orvalt {

namespace {

QString SpanCell(int row, int column) {
    return QStringLiteral("径間 %1 の%2").arg(row + 1).arg(column == 0 ? u"径間長" : u"高低差");
}

std::optional<float> ReadCell(const QString& text) {
    const std::optional<double> value = ReadBoxNumber(text.toStdString());
    if (!value) return std::nullopt;
    return static_cast<float>(*value);
}

} // namespace

SectionSpanTable::SectionSpanTable(MessageService& messages, QWidget* parent)
    : QTableWidget(1, 2, parent), messages_(messages) {
    setHorizontalHeaderLabels(kSpanColumnTitles);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setTabKeyNavigation(true);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setCurrentCell(0, 0);
}

QString SectionSpanTable::cellText(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell != nullptr ? cell->text().trimmed() : QString();
}

void SectionSpanTable::refuse(const QString& message, int row, int column) {
    messages_.Show(window(), message, MessageIcon::Exclamation, MessageButtons::Ok);
    setCurrentCell(row, column);
    setFocus();
}

void SectionSpanTable::showSpans(const std::vector<SectionSpan>& spans) {
    setRowCount(std::max<int>(1, static_cast<int>(spans.size())));
    for (int row = 0; row < static_cast<int>(spans.size()); ++row) {
        const SectionSpan& span = spans[static_cast<std::size_t>(row)];
        setItem(row, 0, new QTableWidgetItem(ExactNumberText(span.length)));
        setItem(row, 1, new QTableWidgetItem(ExactNumberText(span.heightDifference)));
    }
    setCurrentCell(0, 0);
}

std::vector<SectionSpan> SectionSpanTable::readSpans() {
    std::vector<std::array<std::string, 2>> rows(static_cast<std::size_t>(rowCount()));
    for (int row = 0; row < rowCount(); ++row) {
        rows[static_cast<std::size_t>(row)] = {cellText(row, 0).toStdString(),
                                               cellText(row, 1).toStdString()};
    }
    SectionSpansResult read = ReadSectionSpans(rows);
    if (read.refusal) {
        refuse(FromUtf8(read.refusal->message), static_cast<int>(read.refusal->row),
               read.refusal->column);
        return {};
    }
    return std::move(read.spans);
}

void SectionSpanTable::addRow() {
    const int row = currentRow() + 1;
    insertRow(row);
    setCurrentCell(row, std::max(currentColumn(), 0));
}

void SectionSpanTable::removeRow() {
    const int row = std::max(currentRow(), 0);
    if (rowCount() == 1) {
        setItem(0, 0, nullptr);
        setItem(0, 1, nullptr);
        return;
    }
    QTableWidget::removeRow(row);
    setCurrentCell(std::min(row, rowCount() - 1), std::max(currentColumn(), 0));
}

std::optional<std::vector<QStringList>> SectionSpanTable::pastedCells(const QString& text) {
    QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    const int top = std::max(currentRow(), 0), left = std::max(currentColumn(), 0);
    std::vector<QStringList> cells;
    for (const QString& line : lines) cells.push_back(line.split(u'\t'));
    for (std::size_t r = 0; r < cells.size(); ++r) {
        const int row = top + static_cast<int>(r);
        if (left + cells[r].size() > 2) {
            refuse(QStringLiteral("貼り付けられるのは径間長と高低差の 2 列までです"), row, left);
            return std::nullopt;
        }
        if (row >= static_cast<int>(kMaxSectionSpans)) {
            refuse(QStringLiteral("径間は %1 までです").arg(kMaxSectionSpans), top, left);
            return std::nullopt;
        }
        for (int c = 0; c < cells[r].size(); ++c) {
            const QString cell = cells[r][c].trimmed();
            if (!cell.isEmpty() && !ReadCell(cell)) {
                refuse(SpanCell(row, left + c) +
                           QStringLiteral("「%1」は数値ではありません。貼り付けは行いませんでした")
                               .arg(cell),
                       top, left);
                return std::nullopt;
            }
        }
    }
    return cells;
}

void SectionSpanTable::paste() {
    const std::optional<std::vector<QStringList>> cells =
        pastedCells(QGuiApplication::clipboard()->text());
    if (!cells) return;
    const int top = std::max(currentRow(), 0), left = std::max(currentColumn(), 0);
    if (top + static_cast<int>(cells->size()) > rowCount())
        setRowCount(top + static_cast<int>(cells->size()));
    for (std::size_t r = 0; r < cells->size(); ++r)
        for (int c = 0; c < (*cells)[r].size(); ++c)
            setItem(top + static_cast<int>(r), left + c,
                    new QTableWidgetItem((*cells)[r][c].trimmed()));
}

void SectionSpanTable::copySelection() const {
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    if (ranges.isEmpty()) return;
    const QTableWidgetSelectionRange& range = ranges.front();
    CellTable cells;
    for (int row = range.topRow(); row <= range.bottomRow(); ++row) {
        std::vector<std::string> line;
        for (int column = range.leftColumn(); column <= range.rightColumn(); ++column)
            line.push_back(cellText(row, column).toStdString());
        cells.push_back(std::move(line));
    }
    QGuiApplication::clipboard()->setText(FromUtf8(ComposeTabSeparatedText(cells, LineEnd::CrLf)));
}

void SectionSpanTable::moveDown() {
    const int row = currentRow();
    const int column = currentColumn() == columnCount() - 1 ? 0 : std::max(currentColumn(), 0);
    if (row == rowCount() - 1) {
        if (cellText(row, 0).isEmpty() && cellText(row, 1).isEmpty()) return;
        insertRow(rowCount());
    }
    setCurrentCell(row + 1, column);
}

void SectionSpanTable::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    QTableWidget::closeEditor(editor, hint);
    if (hint == QAbstractItemDelegate::SubmitModelCache) moveDown();
}

// A Japanese input method commits its first characters to the table, not
// to an editor: they open the current cell's editor and go into it, as a
// typed key does, instead of being lost.
void SectionSpanTable::inputMethodEvent(QInputMethodEvent* event) {
    const QModelIndex cell = currentIndex();
    if (state() != EditingState && cell.isValid() && !event->commitString().isEmpty()) {
        edit(cell);
        if (QWidget* editor = indexWidget(cell)) {
            QCoreApplication::sendEvent(editor, event);
            return;
        }
    }
    QTableWidget::inputMethodEvent(event);
}

void SectionSpanTable::keyPressEvent(QKeyEvent* event) {
    const bool control = event->modifiers() & Qt::ControlModifier;
    if (event->matches(QKeySequence::Paste)) {
        paste();
    } else if (event->matches(QKeySequence::Copy)) {
        copySelection();
    } else if (event->key() == Qt::Key_Insert && !control) {
        addRow();
    } else if (event->key() == Qt::Key_Delete && control) {
        removeRow();
    } else if (event->key() == Qt::Key_Delete) {
        for (QTableWidgetItem* cell : selectedItems()) cell->setText(QString());
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        moveDown();
    } else {
        QTableWidget::keyPressEvent(event);
    }
}

} // namespace orvalt
