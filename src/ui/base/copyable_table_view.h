// A table view whose cells go to a spreadsheet: Ctrl+C, or コピー in its
// context menu, puts the selected cells (or, with nothing selected, the whole
// table with its headers) on the clipboard as tab-separated text and as an
// HTML table, so that a paste gives cells, not one long line.
#pragma once

#include <QString>
#include <QTableView>

#include "engine/output/csv_text.h"

class QAction;

namespace orvalt {

class CopyableTableView final : public QTableView {
    Q_OBJECT

public:
    // `cornerTitle` heads the column of row headers in a whole-table copy
    // ("径間[m]").
    explicit CopyableTableView(QString cornerTitle, QWidget* parent = nullptr);

    // What a copy puts on the clipboard, as cells.
    CellTable cellsToCopy() const;
    void copyToClipboard() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    CellTable wholeTable() const;
    CellTable selectedCells() const;

    QString cornerTitle_;
};

} // namespace orvalt
