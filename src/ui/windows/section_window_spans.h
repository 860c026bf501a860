// The span list of the section window: a table of 径間長 [m] and 高低差 [m],
// one numbered row a span, edited as in a spreadsheet. Typing starts editing
// the current cell; Tab moves to the next cell, Enter to the cell below, from
// the 高低差 column to the next row's 径間長 (so a row is typed "120 Tab 5
// Enter"), a new row after a filled last one; Insert adds a row below the current one,
// Ctrl+Delete removes the current row, Delete clears the selected cells.
// Ctrl+V pastes a block copied from a spreadsheet (tab-separated, at most the
// two columns from the current cell on), every cell read as the condition
// boxes read numbers; a block with a cell that is no number is refused whole
// with a message naming the span and the column. Ctrl+C copies the selected
// cells as tab-separated text.
#pragma once

#include <QString>
#include <QTableWidget>

#include <vector>

#include "engine/calculation/tension_section.h"

namespace orvalt {

class MessageService;

class SectionSpanTable final : public QTableWidget {
    Q_OBJECT

public:
    SectionSpanTable(MessageService& messages, QWidget* parent);

    // The spans of the filled rows (empty rows at the end are no spans; an
    // empty 高低差 is 0). A cell that is no number, a length that is not
    // above 0, an empty length or more than kMaxSectionSpans spans: the
    // message naming the span is shown, the focus goes to the cell, and the
    // result is empty.
    std::vector<SectionSpan> readSpans();
    // Shows `spans`, one row each (one empty row when there are none).
    void showSpans(const std::vector<SectionSpan>& spans);

    void addRow();    // below the current row
    void removeRow(); // the current row; one row always stays
    void paste();
    void copySelection() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    QString cellText(int row, int column) const;
    void moveDown();
    void refuse(const QString& message, int row, int column);
    // The cells of `text` (lines of tab-separated cells), or nothing after
    // telling why they cannot be pasted at the current cell.
    std::optional<std::vector<QStringList>> pastedCells(const QString& text);

    MessageService& messages_;
};

// The column headings, for the window's copy and tests.
inline const QStringList kSpanColumnTitles = {QStringLiteral("径間長[m]"),
                                              QStringLiteral("高低差[m]")};

} // namespace orvalt
