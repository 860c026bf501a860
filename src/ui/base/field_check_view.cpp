#include "ui/base/field_check_view.h"

#include <QAbstractTableModel>
#include <QBrush>
#include <QColor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QVBoxLayout>

#include <cmath>
#include <utility>
#include <vector>

#include "engine/number/number_parse.h"
#include "engine/output/section_text.h"
#include "ui/base/copyable_table_view.h"
#include "ui/base/fonts.h"
#include "ui/base/message_box.h"
#include "ui/base/text.h"

namespace orvalt {

namespace {

const QString kWavesCaption = QStringLiteral("返り波数 N");
const QString kSightCaption = QStringLiteral("視準高 a [m]");
const QColor kMarked(255, 224, 178);

QLineEdit* Box(const QString& name, const QString& text, QWidget* parent) {
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(name);
    box->setFixedWidth(90);
    box->setAlignment(Qt::AlignRight);
    return box;
}

QString Note(const FieldSheet& sheet) {
    QString note = QStringLiteral(
                       "返り波法: 支持点近くで電線を打ち、%1 回目の返り波までの秒数。"
                       "視準法: 一方の支持点から a 下がった点と、他方の支持点から b "
                       "下がった点を結ぶ視線が電線に接する。")
                       .arg(sheet.waves);
    note += sheet.sight ? QStringLiteral("「—」は a が弛度の 4 倍を超え、視準できない欄です。")
                        : QStringLiteral("a を空欄にすると等長法（a = b = 弛度）です。");
    if (sheet.equivalentSpan > 0.0f)
        note += QStringLiteral("「支持点外」は最低点が低い側の支持点の外にある温度です。");
    return note;
}

} // namespace

// The crew's sheet for a view, each cell composed when the view asks for it:
// a chart of thousands of spans shows only the rows on screen. The span's
// name heads its rows; a cell with no sighting target or the outside mark
// is coloured.
class FieldSheetModel final : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setSheet(FieldSheet sheet) {
        beginResetModel();
        sheet_ = std::move(sheet);
        header_ = FieldSheetHeader(sheet_);
        perSpan_ = FieldSheetRowsPerSpan(sheet_);
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(sheet_.spans.size() * perSpan_);
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() || header_.empty() ? 0 : static_cast<int>(header_.size()) - 1;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        if (role == Qt::TextAlignmentRole && index.column() > 0)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole && role != Qt::BackgroundRole) return {};
        const std::string cell = FieldSheetCell(sheet_, static_cast<std::size_t>(index.row()),
                                                static_cast<std::size_t>(index.column()) + 1);
        if (role == Qt::DisplayRole) return FromUtf8(cell);
        return cell == kOutsideMark || cell == kNoTarget ? QVariant(QBrush(kMarked)) : QVariant();
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole) return {};
        if (orientation == Qt::Horizontal)
            return FromUtf8(header_[static_cast<std::size_t>(section) + 1]);
        return FromUtf8(FieldSheetCell(sheet_, static_cast<std::size_t>(section), 0));
    }

private:
    FieldSheet sheet_;
    std::vector<std::string> header_;
    std::size_t perSpan_ = 3;
};

FieldCheckView::FieldCheckView(MessageService& messages, QWidget* parent)
    : QWidget(parent), messages_(messages), wavesText_(QString::number(kDefaultWaves)) {
    txtWaves_ = Box(QStringLiteral("txtWaves"), wavesText_, this);
    txtSight_ = Box(QStringLiteral("txtSight"), QString(), this);
    txtSight_->setPlaceholderText(QStringLiteral("等長法"));
    auto* boxes = new QHBoxLayout;
    for (const auto& [caption, box] :
         {std::pair{kWavesCaption, txtWaves_}, {kSightCaption, txtSight_}}) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(box);
        boxes->addWidget(label);
        boxes->addWidget(box);
        boxes->addSpacing(12);
    }
    boxes->addStretch();
    model_ = new FieldSheetModel(this);
    grdField_ = new CopyableTableView(QStringLiteral("径間"), this);
    grdField_->setObjectName(QStringLiteral("grdField"));
    grdField_->setModel(model_);
    grdField_->setFont(EntryFont(10.5));
    grdField_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdField_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grdField_->verticalHeader()->setDefaultSectionSize(grdField_->fontMetrics().height() + 4);
    lblNote_ = new QLabel(this);
    lblNote_->setObjectName(QStringLiteral("lblFieldNote"));
    lblNote_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addWidget(grdField_, 1);
    layout->addWidget(lblNote_);
    connect(txtWaves_, &QLineEdit::editingFinished, this, &FieldCheckView::Waves_Entered);
    connect(txtSight_, &QLineEdit::editingFinished, this, &FieldCheckView::Sight_Entered);
}

void FieldCheckView::setSettings(int waves, std::optional<double> sight) {
    waves_ = waves;
    sight_ = sight;
    wavesText_ = QString::number(waves);
    sightText_ = sight ? QString::number(*sight, 'g', QLocale::FloatingPointShortest) : QString();
    txtWaves_->setText(wavesText_);
    txtSight_->setText(sightText_);
}

void FieldCheckView::showSheet(const FieldSheet& sheet) {
    model_->setSheet(sheet);
    lblNote_->setText(Note(sheet));
}

QString FieldCheckView::sheetText(const CalculationState& calculation,
                                  const FieldSheet& sheet) const {
    return FromUtf8(ComposeFieldSheetText(calculation, sheet, units_));
}

void FieldCheckView::refuse(QLineEdit* box, const QString& message, const QString& accepted) {
    box->setText(accepted); // before the message takes the focus: no second refusal
    messages_.Show(this, message, MessageIcon::Exclamation, MessageButtons::Ok);
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
}

void FieldCheckView::Waves_Entered() {
    const QString text = txtWaves_->text();
    if (text == wavesText_) return;
    const std::optional<double> value = ReadBoxNumber(text.toStdString());
    if (!value || *value != std::floor(*value) || *value < kFewestWaves || *value > kMostWaves) {
        refuse(txtWaves_,
               QStringLiteral("「%1」は %2 から %3 までの整数を入力してください。")
                   .arg(kWavesCaption)
                   .arg(kFewestWaves)
                   .arg(kMostWaves),
               wavesText_);
        return;
    }
    waves_ = static_cast<int>(*value);
    wavesText_ = text;
    emit settingsChanged();
}

void FieldCheckView::Sight_Entered() {
    const QString text = txtSight_->text();
    if (text == sightText_) return;
    std::optional<double> value;
    if (!text.trimmed().isEmpty()) {
        value = ReadBoxNumber(text.toStdString());
        if (!value || !std::isfinite(*value) || *value < 0.0) {
            refuse(txtSight_,
                   QStringLiteral("「%1」は 0 以上の数値（m）を入力してください。"
                                  "空欄にすると等長法です。")
                       .arg(kSightCaption),
                   sightText_);
            return;
        }
    }
    sight_ = value;
    sightText_ = text;
    emit settingsChanged();
}

QLabel* LongSpanNoteLabel(const std::string& note, QWidget* parent) {
    if (note.empty()) return nullptr;
    auto* label = new QLabel(FromUtf8(note), parent);
    label->setObjectName(QStringLiteral("lblLongSpan"));
    label->setWordWrap(true);
    return label;
}

} // namespace orvalt
