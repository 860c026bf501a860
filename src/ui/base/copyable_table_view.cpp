#include "ui/base/copyable_table_view.h"
#include "ui/base/text.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>

#include <algorithm>
#include <climits>

namespace orvalt {

namespace {

std::string Cell(const QVariant& value) { return value.toString().trimmed().toStdString(); }

} // namespace

CopyableTableView::CopyableTableView(QString cornerTitle, QWidget* parent)
    : QTableView(parent), cornerTitle_(std::move(cornerTitle)) {
    auto* copy = new QAction(QStringLiteral("コピー(&C)"), this);
    copy->setObjectName(QStringLiteral("actCopy"));
    connect(copy, &QAction::triggered, this, &CopyableTableView::copyToClipboard);
    addAction(copy);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void CopyableTableView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copyToClipboard();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

CellTable CopyableTableView::wholeTable() const {
    const QAbstractItemModel* m = model();
    CellTable cells;
    std::vector<std::string> header{cornerTitle_.toStdString()};
    for (int column = 0; column < m->columnCount(); ++column)
        header.push_back(Cell(m->headerData(column, Qt::Horizontal)));
    cells.push_back(std::move(header));
    for (int row = 0; row < m->rowCount(); ++row) {
        std::vector<std::string> line{Cell(m->headerData(row, Qt::Vertical))};
        for (int column = 0; column < m->columnCount(); ++column)
            line.push_back(Cell(m->index(row, column).data()));
        cells.push_back(std::move(line));
    }
    return cells;
}

CellTable CopyableTableView::selectedCells() const {
    // The rectangle around the selection; cells inside it that are not
    // selected stay empty, so the pasted cells keep their places.
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    int top = INT_MAX, left = INT_MAX, bottom = -1, right = -1;
    for (const QModelIndex& index : selected) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
        left = std::min(left, index.column());
        right = std::max(right, index.column());
    }
    CellTable cells(static_cast<std::size_t>(bottom - top + 1),
                    std::vector<std::string>(static_cast<std::size_t>(right - left + 1)));
    for (const QModelIndex& index : selected)
        cells[static_cast<std::size_t>(index.row() - top)]
             [static_cast<std::size_t>(index.column() - left)] = Cell(index.data());
    return cells;
}

CellTable CopyableTableView::cellsToCopy() const {
    if (model() == nullptr) return {};
    if (selectionModel() == nullptr || !selectionModel()->hasSelection()) return wholeTable();
    return selectedCells();
}

void CopyableTableView::copyToClipboard() const {
    const CellTable cells = cellsToCopy();
    if (cells.empty()) return;
    auto* data = new QMimeData;
    data->setText(FromUtf8(ComposeTabSeparatedText(cells, LineEnd::CrLf)));
    data->setHtml(FromUtf8(ComposeHtmlTable(cells)));
    QGuiApplication::clipboard()->setMimeData(data);
}

} // namespace orvalt
