#include "ui/base/result_marks.h"

#include <QBrush>
#include <QStandardItem>

namespace orvalt {

const ResultMarkStyle& MarkStyle(ResultMark mark) {
    // Light enough for black text; told apart by hue (blue, orange, red,
    // violet) and by the short text in the tooltip and the legend.
    static const ResultMarkStyle styles[] = {
        {QStringLiteral("長径間"), QColor(0xc6, 0xdb, 0xf5),
         QStringLiteral("懸垂線の弛度が放物線の弛度と 1 % を超えて違う径間です")},
        {QStringLiteral("支持点外"), QColor(0xff, 0xd8, 0xa8),
         QStringLiteral("最低点が低い側の支持点の外にあり、電線が支持点を引き上げます")},
        {QStringLiteral("張力超過"), QColor(0xf8, 0xb4, 0xb4),
         QStringLiteral("張力が電線の最大使用張力を超えています")},
        {QStringLiteral("不可"), QColor(0xd9, 0xc2, 0xef),
         QStringLiteral("離隔が必要な値に足りません")},
    };
    return styles[static_cast<int>(mark)];
}

void MarkItem(QStandardItem& item, ResultMark mark, const QString& why) {
    const ResultMarkStyle& style = MarkStyle(mark);
    QStringList marks = item.data(kResultMarkRole).toStringList();
    if (marks.contains(style.text)) return;
    if (marks.isEmpty()) item.setBackground(QBrush(style.colour));
    marks << style.text;
    item.setData(marks, kResultMarkRole);
    const QString line = style.text + QStringLiteral(": ") + (why.isEmpty() ? style.note : why);
    item.setToolTip(item.toolTip().isEmpty() ? line : item.toolTip() + u'\n' + line);
}

QString MarkLegend(const std::set<ResultMark>& seen) {
    QStringList lines;
    for (const ResultMark mark : seen) {
        const ResultMarkStyle& style = MarkStyle(mark);
        lines << QStringLiteral("<span style=\"background:%1\">&nbsp;%2&nbsp;</span> %3")
                     .arg(style.colour.name(), style.text.toHtmlEscaped(),
                          style.note.toHtmlEscaped());
    }
    return lines.join(QStringLiteral("<br>"));
}

QStringList MarkNotes(const std::set<ResultMark>& seen) {
    QStringList lines;
    for (const ResultMark mark : seen)
        lines << MarkStyle(mark).text + QStringLiteral(": ") + MarkStyle(mark).note;
    return lines;
}

} // namespace orvalt
