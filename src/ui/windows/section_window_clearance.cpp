#include "ui/windows/section_window_clearance.h"

#include <QBrush>
#include <QHeaderView>
#include <QLabel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include "engine/output/clearance_text.h"
#include "ui/base/fonts.h"
#include "ui/base/message_box.h"
#include "ui/base/text.h"

namespace orvalt {
namespace {

QTableView* ClearanceView(const QString& name, QStandardItemModel* model, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(model);
    view->setFont(EntryFont(10.5));
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return view;
}

// The first row of `cells` as the headings, the rest as rows; a 不可 cell red.
void Fill(QStandardItemModel& model, const CellTable& cells) {
    model.clear();
    if (cells.empty()) return;
    QStringList headings;
    for (const std::string& cell : cells.front()) headings << FromUtf8(cell);
    model.setHorizontalHeaderLabels(headings);
    for (std::size_t r = 1; r < cells.size(); ++r) {
        QList<QStandardItem*> row;
        for (const std::string& cell : cells[r]) {
            auto* item = new QStandardItem(FromUtf8(cell));
            if (cell == kClearanceFails) item->setForeground(QBrush(Qt::red));
            row << item;
        }
        model.appendRow(row);
    }
}

} // namespace

SectionClearanceView::SectionClearanceView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pgClearance"));
    spanModel_ = new QStandardItemModel(this);
    crossingModel_ = new QStandardItemModel(this);
    lblClearance_ = new QLabel(this);
    lblClearance_->setObjectName(QStringLiteral("lblClearance"));
    lblClearance_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblClearance_);
    layout->addWidget(ClearanceView(QStringLiteral("grdClearanceSpans"), spanModel_, this), 1);
    layout->addWidget(ClearanceView(QStringLiteral("grdClearanceCrossings"), crossingModel_, this),
                      1);
}

void SectionClearanceView::showClearance(const CalculationState& state,
                                         const CaseSection& section) {
    spanModel_->clear();
    crossingModel_->clear();
    try {
        const ClearanceTable table = ComputeSectionClearance(section, state);
        Fill(*spanModel_, ClearanceSpanCells(table));
        Fill(*crossingModel_, ClearanceCrossingCells(table));
        std::size_t failing = 0;
        for (const SpanClearance& s : table.spans) failing += s.ok ? 0 : 1;
        for (const CrossingClearance& c : table.crossings) failing += c.ok ? 0 : 1;
        lblClearance_->setText(failing == 0
                                   ? QStringLiteral("離隔はすべて可です")
                                   : QStringLiteral("離隔が不可の箇所が %1 あります").arg(failing));
    } catch (const CalculationError& error) {
        lblClearance_->setText(EngineMessage(error.what()));
    }
}

} // namespace orvalt
