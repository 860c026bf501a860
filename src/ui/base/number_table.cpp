#include "ui/base/number_table.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cmath>

#include "engine/number/number_text.h"
#include "engine/output/csv_text.h"
#include "ui/base/message_box.h"
#include "ui/base/text.h"

namespace orvalt {

namespace {

std::optional<double> ReadCell(const QString& text) {
    const std::optional<double> value = ReadBoxNumber(text.toStdString());
    if (!value || !std::isfinite(*value)) return std::nullopt;
    return value;
}

// Qt's own delegate answers Enter in an editor by committing it later, from
// a queued call, and lets the key go on to the table as well: the table then
// moves a row for the key and another for the commit, and the late commit
// finds its editor gone ("commitData called with an editor that does not
// belong to this view"). Here Enter commits and closes at once and stops.
class EnterCommitsDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            auto* editor = qobject_cast<QWidget*>(object);
            if (editor != nullptr && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::SubmitModelCache);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }
};

} // namespace

void SetUpTypedTable(QTableWidget& table) {
    table.horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table.verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table.setItemDelegate(new EnterCommitsDelegate(&table));
    table.setTabKeyNavigation(true);
    table.setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                          QAbstractItemView::EditKeyPressed);
}

namespace {

QString NotANumber(const QString& cell, const QString& text) {
    return cell + QStringLiteral("「%1」は数値ではありません").arg(text);
}

} // namespace

NumberTable::NumberTable(NumberTableShape shape, MessageService& messages, QWidget* parent)
    : QTableWidget(1, static_cast<int>(shape.columns.size()), parent),
      shape_(std::move(shape)),
      messages_(messages) {
    QStringList headings;
    for (const NumberColumn& column : shape_.columns) headings << column.heading;
    setHorizontalHeaderLabels(headings);
    SetUpTypedTable(*this);
    setCurrentCell(0, 0);
    connect(this, &QTableWidget::itemChanged, this, &NumberTable::edited);
}

QString NumberTable::cellText(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell != nullptr ? cell->text().trimmed() : QString();
}

QString NumberTable::cellName(int row, int column) const {
    return QStringLiteral("%1 %2 の%3")
        .arg(shape_.rowName)
        .arg(row + 1)
        .arg(shape_.columns[static_cast<std::size_t>(column)].name);
}

void NumberTable::refuse(const QString& message, int row, int column) {
    messages_.Show(window(), message, MessageIcon::Exclamation, MessageButtons::Ok);
    setCurrentCell(row, column);
    setFocus();
}

std::vector<QStringList> NumberTable::rowTexts() const {
    std::vector<QStringList> rows;
    for (int row = 0; row < rowCount(); ++row) {
        QStringList texts;
        for (int column = 0; column < columnCount(); ++column) texts << cellText(row, column);
        rows.push_back(texts);
    }
    return rows;
}

void NumberTable::showRows(const std::vector<QStringList>& rows) {
    clearContents();
    setRowCount(std::max<int>(1, static_cast<int>(rows.size())));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row)
        for (int column = 0; column < rows[static_cast<std::size_t>(row)].size(); ++column)
            setItem(row, column, new QTableWidgetItem(rows[static_cast<std::size_t>(row)][column]));
    setCurrentCell(0, 0);
}

std::optional<std::vector<std::vector<double>>> NumberTable::readRows() {
    const int columns = columnCount();
    const auto rowEmpty = [&](int row) {
        for (int column = 0; column < columns; ++column)
            if (!cellText(row, column).isEmpty()) return false;
        return true;
    };
    int rows = rowCount();
    while (rows > 0 && rowEmpty(rows - 1)) --rows;
    if (rows == 0) {
        refuse(shape_.columns.front().name + QStringLiteral("を入力してください"), 0, 0);
        return std::nullopt;
    }
    if (rows > shape_.maxRows) {
        refuse(QStringLiteral("%1は %2 までです").arg(shape_.rowName).arg(shape_.maxRows), rows - 1,
               0);
        return std::nullopt;
    }
    std::vector<std::vector<double>> values;
    for (int row = 0; row < rows; ++row) {
        std::vector<double> line;
        for (int column = 0; column < columns; ++column) {
            const QString text = cellText(row, column);
            if (text.isEmpty() && shape_.columns[static_cast<std::size_t>(column)].required) {
                refuse(cellName(row, column) + QStringLiteral("を入力してください"), row, column);
                return std::nullopt;
            }
            const std::optional<double> value = text.isEmpty() ? 0.0 : readCell(column, text);
            if (!value) {
                refuse(badCell(row, column, text), row, column);
                return std::nullopt;
            }
            line.push_back(*value);
        }
        values.push_back(std::move(line));
    }
    return values;
}

void NumberTable::appendRow() {
    const int column = std::max(currentColumn(), 0);
    insertRow(rowCount());
    setCurrentCell(rowCount() - 1, column);
    emit edited();
}

void NumberTable::insertRowBelow() {
    const int row = currentRow() + 1;
    insertRow(row);
    setCurrentCell(row, std::max(currentColumn(), 0));
    emit edited();
}

void NumberTable::removeCurrentRow() {
    const int row = std::max(currentRow(), 0);
    if (rowCount() == 1) {
        for (int column = 0; column < columnCount(); ++column) setItem(0, column, nullptr);
    } else {
        QTableWidget::removeRow(row);
        setCurrentCell(std::min(row, rowCount() - 1), std::max(currentColumn(), 0));
    }
    emit edited();
}

std::optional<std::vector<QStringList>> NumberTable::pastedCells(const QString& text) {
    QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    const int top = std::max(currentRow(), 0), left = std::max(currentColumn(), 0);
    std::vector<QStringList> cells;
    for (const QString& line : lines) cells.push_back(line.split(u'\t'));
    // A header copied along with the numbers: no cell of the first line is
    // a value of its column (a number, or one of a word column's words), and
    // some cell holds text.
    if (cells.size() > 1) {
        const QStringList& first = cells.front();
        const bool text = std::any_of(first.begin(), first.end(),
                                      [](const QString& c) { return !c.trimmed().isEmpty(); });
        bool number = false;
        for (int c = 0; c < first.size() && left + c < columnCount(); ++c)
            number = number || readCell(left + c, first[c].trimmed()).has_value();
        if (text && !number) {
            emit noted(QStringLiteral("1 行目「%1」は見出しとみなして貼り付けませんでした")
                           .arg(first.join(u' ').trimmed()));
            cells.erase(cells.begin());
        }
    }
    QStringList names;
    for (std::size_t c = static_cast<std::size_t>(left); c < shape_.columns.size(); ++c)
        names << shape_.columns[c].name;
    for (std::size_t r = 0; r < cells.size(); ++r) {
        const int row = top + static_cast<int>(r);
        if (left + cells[r].size() > columnCount()) {
            refuse(QStringLiteral("貼り付けられるのは%1の %2 列までです")
                       .arg(names.join(u'と'))
                       .arg(names.size()),
                   row, left);
            return std::nullopt;
        }
        if (row >= shape_.maxRows) {
            refuse(QStringLiteral("%1は %2 までです").arg(shape_.rowName).arg(shape_.maxRows), top,
                   left);
            return std::nullopt;
        }
        for (int c = 0; c < cells[r].size(); ++c) {
            const QString cell = cells[r][c].trimmed();
            if (!cell.isEmpty() && !readCell(left + c, cell)) {
                refuse(
                    badCell(row, left + c, cell) + QStringLiteral("。貼り付けは行いませんでした"),
                    top, left);
                return std::nullopt;
            }
        }
    }
    return cells;
}

void NumberTable::paste() {
    const std::optional<std::vector<QStringList>> cells =
        pastedCells(QGuiApplication::clipboard()->text());
    if (!cells) return;
    const int top = std::max(currentRow(), 0), left = std::max(currentColumn(), 0);
    if (top + static_cast<int>(cells->size()) > rowCount())
        setRowCount(top + static_cast<int>(cells->size()));
    {
        const QSignalBlocker quiet(this);
        for (std::size_t r = 0; r < cells->size(); ++r)
            for (int c = 0; c < (*cells)[r].size(); ++c)
                setItem(top + static_cast<int>(r), left + c,
                        new QTableWidgetItem((*cells)[r][c].trimmed()));
    }
    emit edited();
}

void NumberTable::copySelection() const {
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

void NumberTable::moveDown() {
    const int row = std::max(currentRow(), 0);
    const int column = currentColumn() == columnCount() - 1 ? 0 : std::max(currentColumn(), 0);
    if (row == rowCount() - 1) {
        bool empty = true;
        for (int c = 0; c < columnCount(); ++c) empty = empty && cellText(row, c).isEmpty();
        if (empty) return;
        insertRow(rowCount());
    }
    setCurrentCell(row + 1, column);
}

std::optional<double> NumberTable::readCell(int column, const QString& text) const {
    const QStringList& choices = shape_.columns[static_cast<std::size_t>(column)].choices;
    if (choices.isEmpty()) return ReadCell(text);
    const qsizetype index = choices.indexOf(text);
    return index < 0 ? std::nullopt : std::optional<double>(static_cast<double>(index));
}

QString NumberTable::badCell(int row, int column, const QString& text) const {
    const QStringList& choices = shape_.columns[static_cast<std::size_t>(column)].choices;
    if (choices.isEmpty()) return NotANumber(cellName(row, column), text);
    return cellName(row, column) +
           QStringLiteral("「%1」は %2 のどれかです").arg(text, choices.join(QStringLiteral("、")));
}

bool NumberTable::checkTypedCell(int row, int column) {
    const QString text = cellText(row, column);
    if (text.isEmpty() || readCell(column, text)) return true;
    refuse(badCell(row, column, text), row, column);
    return false;
}

// Enter (SubmitModelCache) and Tab (EditNextItem) leave a typed cell: a cell
// that is no number is named at once and the cursor stays on it.
void NumberTable::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const int row = currentRow(), column = currentColumn();
    const bool leaving = hint == QAbstractItemDelegate::SubmitModelCache ||
                         hint == QAbstractItemDelegate::EditNextItem ||
                         hint == QAbstractItemDelegate::EditPreviousItem;
    if (leaving && row >= 0 && column >= 0 && !cellText(row, column).isEmpty() &&
        !readCell(column, cellText(row, column))) {
        QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
        checkTypedCell(row, column);
        return;
    }
    QTableWidget::closeEditor(editor, hint);
    if (hint == QAbstractItemDelegate::SubmitModelCache) moveDown();
}

bool OpenEditorForInputMethod(QAbstractItemView& view, QInputMethodEvent* event) {
    const QModelIndex cell = view.currentIndex();
    if (!cell.isValid() || event->commitString().isEmpty() || view.indexWidget(cell) != nullptr)
        return false;
    view.edit(cell);
    QWidget* editor = view.indexWidget(cell);
    if (editor == nullptr) return false;
    QCoreApplication::sendEvent(editor, event);
    return true;
}

void NumberTable::inputMethodEvent(QInputMethodEvent* event) {
    if (!OpenEditorForInputMethod(*this, event)) QTableWidget::inputMethodEvent(event);
}

void NumberTable::keyPressEvent(QKeyEvent* event) {
    const bool control = event->modifiers() & Qt::ControlModifier;
    if (event->matches(QKeySequence::Paste)) {
        paste();
    } else if (event->matches(QKeySequence::Copy)) {
        copySelection();
    } else if (event->key() == Qt::Key_Insert && !control) {
        insertRowBelow();
    } else if (event->key() == Qt::Key_Delete && control) {
        removeCurrentRow();
    } else if (event->key() == Qt::Key_Delete) {
        for (QTableWidgetItem* cell : selectedItems()) cell->setText(QString());
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        moveDown();
    } else {
        QTableWidget::keyPressEvent(event);
    }
}

} // namespace orvalt
