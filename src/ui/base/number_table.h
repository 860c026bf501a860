// A table of numbers edited as in a spreadsheet, one numbered row an item
// (a span, a support, a ground point), its columns given by the window that
// uses it. Typing starts editing the current cell; Tab moves to the next
// cell; Enter moves exactly one row down (from the last column to the next
// row's first, so a row is typed "120 Tab 5 Enter") and, on the last row
// once it holds something, adds a row. Insert adds a row below the current
// one, Ctrl+Delete removes the current row, Delete clears the selected cells.
// Ctrl+V pastes a block copied from a spreadsheet (tab-separated lines, at
// most the columns from the current cell on); Ctrl+C copies the selected
// cells as tab-separated text.
//
// Typed and pasted cells are read the same way, as the condition boxes read
// numbers (full-width digits yes, "1,200" or "120m" no), and a cell that is
// no number is named the same way: 「径間 1 の径間長「1,200」は数値ではありません」.
// A typed one is named when Enter or Tab leaves it (the text stays); a
// pasted block with one is refused whole. A first pasted line with no number
// in it is a header copied along: it is skipped and noted().
#pragma once

#include <QString>
#include <QStringList>
#include <QTableWidget>

#include <optional>
#include <vector>

class QInputMethodEvent;

namespace orvalt {

class MessageService;

// Makes `table` one typed into as this one is: columns sharing its width,
// row numbers right-aligned, any key opening the current cell's editor, Tab
// moving between cells, and Enter in an editor committing and closing it at
// once and going no further (the table moves on itself).
void SetUpTypedTable(QTableWidget& table);

// A Japanese input method commits its first characters to the table, not to
// an editor: they open the current cell's editor and go into it, as a typed
// key does, instead of being lost. False when there was no editor to open.
bool OpenEditorForInputMethod(QAbstractItemView& view, QInputMethodEvent* event);

struct NumberColumn {
    QString heading; // "径間長[m]"
    QString name;    // in messages: "径間長"
    bool required;   // an empty cell is refused; otherwise it reads as 0
    // A column of words rather than numbers (a crossing's 種別): a cell is
    // one of these, read as its index; a cell that is none of them is named
    // as a number that is none would be.
    QStringList choices = {};
};

struct NumberTableShape {
    QString rowName; // in messages: "径間" (径間 3 の高低差)
    std::vector<NumberColumn> columns;
    int maxRows;
};

class NumberTable : public QTableWidget {
    Q_OBJECT

public:
    NumberTable(NumberTableShape shape, MessageService& messages, QWidget* parent);

    // The values of the filled rows (empty rows at the end are none), a row
    // a vector with one value a column. An empty required cell, a cell that
    // is no number or too many rows: the message naming the cell is shown,
    // the focus goes to it and the result is empty.
    std::optional<std::vector<std::vector<double>>> readRows();
    // The texts of every row, trimmed, one string a column.
    std::vector<QStringList> rowTexts() const;
    // Shows `rows` of cell texts (one empty row when there are none).
    void showRows(const std::vector<QStringList>& rows);

    void appendRow(); // after the last row
    void insertRowBelow();
    void removeCurrentRow(); // one row always stays
    void paste();
    void copySelection() const;

    const NumberTableShape& shape() const { return shape_; }
    // "径間 3 の径間長"
    QString cellName(int row, int column) const;
    // Shows `message`, puts the focus on the cell.
    void refuse(const QString& message, int row, int column);

signals:
    // A remark on the last action that needs no answer (a skipped header).
    void noted(const QString& note);
    // Cells were typed, pasted, cleared, added or removed.
    void edited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    QString cellText(int row, int column) const;

private:
    void moveDown();
    // The value of `text` in `column`: a number, or a choice's index.
    std::optional<double> readCell(int column, const QString& text) const;
    // 「…「text」は数値ではありません」, or the choices of a word column.
    QString badCell(int row, int column, const QString& text) const;
    // False after naming a typed cell that is no number.
    bool checkTypedCell(int row, int column);
    // The cells of `text` (lines of tab-separated cells), or nothing after
    // telling why they cannot be pasted at the current cell.
    std::optional<std::vector<QStringList>> pastedCells(const QString& text);

    NumberTableShape shape_;
    MessageService& messages_;
};

} // namespace orvalt
