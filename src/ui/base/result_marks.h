// One visual language for the marks on results, shared by every result table
// and plot: each mark has its own colour, a short text and a note. A marked
// cell carries its marks under kResultMarkRole (their short texts), its
// colour (that of its first mark) and a tooltip giving each mark's reason;
// a legend lists the marks seen with their colours and notes, and printed
// pages end with the same notes.
//   長径間   the catenary's sag more than 1 % off the parabola's
//   支持点外 the lowest point beyond the lower support
//   張力超過 a tension above the wire's maximum working tension
//   不可     a clearance below what is required
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <set>

class QStandardItem;

namespace orvalt {

enum class ResultMark { LongSpan, LowPointOutside, OverTension, NotAllowed };

// The cell data role holding a marked cell's short texts (a QStringList).
inline constexpr int kResultMarkRole = Qt::UserRole + 0x4d4b;

struct ResultMarkStyle {
    QString text;  // "長径間"
    QColor colour; // the cell's background
    QString note;  // what the mark means, for legends and printed pages
};

const ResultMarkStyle& MarkStyle(ResultMark mark);

// Adds `mark` to `item`: its short text under kResultMarkRole, the colour of
// the item's first mark, "長径間: <why>" as a line of its tooltip.
void MarkItem(QStandardItem& item, ResultMark mark, const QString& why);

// A rich-text legend: a coloured square, the short text and the note of each
// mark in `seen`, one a line; empty when none was seen.
QString MarkLegend(const std::set<ResultMark>& seen);

// The notes of the marks in `seen` as plain lines for a printed page
// ("長径間: 懸垂線の弛度が…"), one a line.
QStringList MarkNotes(const std::set<ResultMark>& seen);

} // namespace orvalt
