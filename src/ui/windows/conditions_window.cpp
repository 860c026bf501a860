#include "ui/windows/conditions_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>
#include <string>

#include "engine/forms/conditions_form.h"
#include "engine/number/number_text.h"
#include "ui/base/fonts.h"
#include "ui/base/form_helpers.h"
#include "ui/base/mdi_child.h"
#include "ui/base/message_box.h"
#include "ui/base/text.h"
#include "ui/base/twips.h"
#include "ui/base/window_host.h"

namespace orvalt {

namespace {

constexpr int kLabelCount = 18;

// Which tab of SSTab1 holds Text1(index).
int TabOfBox(int index) {
    if (index <= 7) return 0;
    if (index == 8 || index == 9 || index == 16) return 1;
    if (index >= 10 && index <= 12) return 2;
    return 3;
}

QString PlainNumber(float value) { return FromUtf8(FormatPlainNumber(value)); }
QString PlainNumber(std::int16_t value) { return FromUtf8(FormatPlainNumber(value)); }

} // namespace

frmSetting::frmSetting(WindowHost& host) : host_(host) {
    setObjectName(QLatin1String(kObjectName));
    setWindowTitle(QStringLiteral("条件設定"));
    setFont(FormFont());
    setFixedSize(sizeHint());
    buildControls();
}

frmSetting::~frmSetting() = default;

QSize frmSetting::sizeHint() const { return TwipsSize(5295, 4860); }

QLabel* frmSetting::addLabel(QWidget* page, const QString& name, const QString& caption,
                             const QFont& font, double left, double top) {
    auto* label = new QLabel(caption, page);
    label->setObjectName(name);
    label->setFont(font);
    tabPlacements_.push_back({label, left, top, 0, 0, true});
    return label;
}

QLineEdit* frmSetting::addBox(QWidget* page, int index, const QFont& font, double left, double top,
                              double width, double height) {
    auto* box = new QLineEdit(page);
    box->setObjectName(QStringLiteral("Text1_%1").arg(index));
    box->setFont(font);
    Text1_[index] = box;
    tabPlacements_.push_back({box, left, top, width, height, false});
    return box;
}

void frmSetting::buildControls() {
    Text1_ = QList<QLineEdit*>(kConditionsBoxCount, nullptr);
    Label1_ = QList<QLabel*>(kLabelCount, nullptr);
    Label2_ = QList<QLabel*>(kConditionsBoxCount, nullptr);

    SSTab1_ = new QTabWidget(this);
    SSTab1_->setObjectName(QStringLiteral("SSTab1"));
    SSTab1_->setGeometry(TwipsRect(0, 0, 5295, 4215));
    SSTab1_->setStyleSheet(
        QStringLiteral("QTabBar::tab { min-height: %1px; }").arg(TwipsToPixels(520) - 6));
    const QStringList tabCaptions = {QStringLiteral("電線条件"), QStringLiteral("風圧条件"),
                                     QStringLiteral("温度条件"), QStringLiteral("径間条件")};
    QList<QWidget*> pages;
    for (int i = 0; i < tabCaptions.size(); ++i) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("SSTab1_Tab%1").arg(i));
        SSTab1_->addTab(page, tabCaptions[i]);
        pages.push_back(page);
    }

    const QFont labelFont = LabelFont();
    auto label1 = [&](int tab, int index, const QString& caption, double left, double top) {
        Label1_[index] = addLabel(pages[tab], QStringLiteral("Label1_%1").arg(index), caption,
                                  labelFont, left, top);
    };
    auto label2 = [&](int tab, int index, const QString& caption, double left, double top) {
        Label2_[index] = addLabel(pages[tab], QStringLiteral("Label2_%1").arg(index), caption,
                                  labelFont, left, top);
    };

    // Tab 0 "電線条件": the wire and its constants, in the window's own font.
    label1(0, 17, QStringLiteral("電線種類"), 600, 600);
    cmbWireName_ = new QComboBox(pages[0]);
    cmbWireName_->setObjectName(QStringLiteral("cmbWireName"));
    MakeTypedNameBox(cmbWireName_);
    cmbWireName_->setFont(EntryFont(11.25));
    tabPlacements_.push_back({cmbWireName_, 1920, 480, 2655, 345, false});

    struct ConstantRow {
        int index;
        double top;
        const char16_t* label;
        double labelLeft;
        const char16_t* unit;
    };
    const ConstantRow rows[] = {
        {0, 1080, u"線膨張係数", 480, u"α(10^-6)/℃"}, {1, 1440, u"等価弾性係数", 240, u"E(kg/mm2)"},
        {2, 1800, u"自重量", 960, u"Wc(kg/m)"},       {3, 2160, u"断面積", 960, u"A(mm2)"},
        {4, 2520, u"高温季外径", 480, u"d1(mm)"},     {5, 2880, u"低温季外径", 480, u"d2(mm)"},
        {6, 3240, u"最大使用張力", 240, u"T(kg)"},    {7, 3600, u"被　　氷", 720, u"(mm)"},
    };
    for (const ConstantRow& row : rows) {
        label1(0, row.index, QString::fromUtf16(row.label), row.labelLeft, row.top);
        addBox(pages[0], row.index, FormFont(), 1920, row.top, 1455, 270);
        label2(0, row.index, QString::fromUtf16(row.unit), row.index == 7 ? 3360 : 3480, row.top);
    }

    // Tabs 1 to 3 "風圧条件", "温度条件", "径間条件": one box per condition, its
    // label to the left and its unit to the right; box size and unit per tab.
    const QFont boxFont = EntryFont(12.0);
    struct ConditionTab {
        double boxLeft, boxWidth, boxHeight;
        const char16_t* unit;
        double unitLeft;
    };
    const ConditionTab conditionTabs[] = {
        {}, // tab 0 holds the wire
        {2040, 735, 375, u"kg/m2", 3000},
        {3720, 495, 375, u"℃", 4320},
        {3240, 855, 405, u"m", 4200},
    };
    struct ConditionRow {
        int tab;
        int index;
        double top;
        const char16_t* label;
        double labelLeft;
    };
    const ConditionRow conditionRows[] = {
        {1, 9, 720, u"高温季風圧", 720},
        {1, 8, 1320, u"低温季風圧", 720},
        {1, 16, 1800, u"検討時風圧", 720},
        {2, 12, 960, u"高温季荷重条件温度", 1440},
        {2, 11, 1440, u"低温季荷重条件温度", 1440},
        {2, 10, 1920, u"検討温度", 2640},
        {3, 15, 1200, u"計算開始径間長", 1320},
        {3, 14, 1680, u"計算終り径間長", 1320},
        {3, 13, 2160, u"計算単位径間", 1320},
    };
    for (const ConditionRow& row : conditionRows) {
        const ConditionTab& tab = conditionTabs[row.tab];
        label1(row.tab, row.index, QString::fromUtf16(row.label), row.labelLeft, row.top);
        addBox(pages[row.tab], row.index, boxFont, tab.boxLeft, row.top, tab.boxWidth,
               tab.boxHeight);
        label2(row.tab, row.index, QString::fromUtf16(tab.unit), tab.unitLeft, row.top);
    }
    Text1_[16]->setReadOnly(true);

    // The two buttons under the tabs.
    const QStringList captions = {QStringLiteral("OK(&O)"), QStringLiteral("キャンセル(&C)")};
    const QRect buttonRects[] = {TwipsRect(2760, 4320, 1215, 495),
                                 TwipsRect(3960, 4320, 1215, 495)};
    for (int i = 0; i < 2; ++i) {
        auto* button = new QPushButton(captions[i], this);
        button->setObjectName(QStringLiteral("Command1_%1").arg(i));
        button->setGeometry(buttonRects[i]);
        button->setAutoDefault(false);
        Command1_.push_back(button);
        connect(button, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }

    new BoxFocusWatcher(
        Text1_, [this](int index) { Text1_GotFocus(index); }, this);
    connect(cmbWireName_->lineEdit(), &QLineEdit::textEdited, this,
            &frmSetting::cmbWireName_Change);
    connect(cmbWireName_, &QComboBox::activated, this, &frmSetting::cmbWireName_Click);

    SSTab1_->setCurrentIndex(0);
    setTabOrder();
    placeTabControls();
}

// The layout gives tab controls relative to the whole tab container, tab row
// included; a QTabWidget page starts below its tab row. The page's offset is
// known once the container has laid itself out, so the controls are placed
// again when the window is first shown.
void frmSetting::placeTabControls() {
    QPoint pageOffset(0, 0);
    if (QWidget* page = SSTab1_->widget(0); page != nullptr && tabControlsPlaced_)
        pageOffset = page->mapTo(SSTab1_, QPoint(0, 0));
    else
        pageOffset = QPoint(0, TwipsToPixels(520));
    for (const Placement& p : tabPlacements_) {
        const int x = TwipsToPixels(p.left) - pageOffset.x();
        const int y = std::max(1, TwipsToPixels(p.top) - pageOffset.y());
        if (p.naturalSize) {
            p.control->adjustSize();
            p.control->move(x, y);
        } else {
            p.control->setGeometry(x, y, TwipsToPixels(p.width), TwipsToPixels(p.height));
        }
    }
}

void frmSetting::setTabOrder() {
    // The tab order of the window (the numbers are the controls' tab indexes); it
    // runs up the wire constants, from the ice box to 線膨張係数.
    const std::pair<int, QWidget*> order[] = {
        {0, SSTab1_},     {1, cmbWireName_}, {2, Text1_[7]},     {3, Text1_[6]},
        {4, Text1_[5]},   {5, Text1_[4]},    {6, Text1_[3]},     {7, Text1_[2]},
        {8, Text1_[1]},   {9, Text1_[0]},    {26, Text1_[8]},    {27, Text1_[9]},
        {32, Text1_[10]}, {33, Text1_[11]},  {34, Text1_[12]},   {41, Text1_[13]},
        {42, Text1_[14]}, {43, Text1_[15]},  {50, Command1_[0]}, {51, Command1_[1]},
        {52, Text1_[16]},
    };
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1].second, order[i].second);
}

void frmSetting::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!tabControlsPlaced_) {
        tabControlsPlaced_ = true;
        placeTabControls();
    }
}

void frmSetting::Text1_GotFocus(int index) { SelectAllText(Text1_[index]); }

// Fills the list from the catalogue file; returns what went wrong, for the
// user, or an empty text.
QString frmSetting::readCatalogue() {
    const std::string& path = host_.state().wireDataPath;
    cmbWireName_->clear();
    const CatalogueReadResult read = ReadWireCatalogue(
        std::filesystem::path(path), wireList_, lastIndex_, [this](const WireRecord& record, int) {
            cmbWireName_->addItem(FromUtf8(record.wireName));
        });
    if (read.status == CatalogueReadResult::Status::kMissing)
        return QStringLiteral(
                   "電線データファイルが見つかりません。\n%1\n"
                   "まだ電線が登録されていません。"
                   "「電線設定」メニューで電線を登録してください。")
            .arg(FromUtf8(path));
    if (read.status != CatalogueReadResult::Status::kRead) return EngineMessage(read.message);
    return {};
}

LoadOutcome frmSetting::Form_Load() {
    CenterInArea(host_.mdiArea(), this);
    CalculationState& state = host_.state();
    state.conditionsWindowOpen = true;
    suppressChange_ = true;

    const QString trouble = readCatalogue();
    ShowWireRecord(wireList_[0],
                   QList<QLineEdit*>(Text1_.begin(), Text1_.begin() + kWireValueBoxCount));
    Text1_[7]->setText(PlainNumber(state.iceThickness));
    // The window's own change of the combo box text; the handler swallows it.
    cmbWireName_->setEditText(FromUtf8(wireList_[0].wireName));
    cmbWireName_Change();

    Text1_[9]->setText(PlainNumber(state.windPressureHigh));
    Text1_[8]->setText(PlainNumber(state.windPressureLow));
    Text1_[16]->setText(PlainNumber(state.windPressureStudy));
    Text1_[12]->setText(PlainNumber(state.temperatureHigh));
    Text1_[11]->setText(PlainNumber(state.temperatureLow));
    Text1_[10]->setText(PlainNumber(state.temperatureStudy));
    Text1_[15]->setText(PlainNumber(state.spanStart));
    Text1_[14]->setText(PlainNumber(state.spanEnd));
    Text1_[13]->setText(PlainNumber(state.spanStep));
    loaded_ = true;
    return {.message = trouble};
}

void frmSetting::print() {
    host_.messages().Show(
        host_.hostWidget(),
        QStringLiteral("計算結果フォームをアクティブにしてから印刷メニューを選んでください"),
        MessageIcon::None, MessageButtons::Ok);
}

void frmSetting::cmbWireName_Change() {
    if (suppressChange_) {
        suppressChange_ = false;
        return;
    }
    // The typed text stays; OK stores it as the wire name.
    host_.messages().Show(this,
                          QStringLiteral("ここでは変更できません\n設定メニューで設定してください"),
                          MessageIcon::Stop, MessageButtons::Ok);
}

void frmSetting::cmbWireName_Click(int index) {
    if (index < 0 || index >= kWireListSize) return;
    ShowWireRecord(wireList_[static_cast<std::size_t>(index)],
                   QList<QLineEdit*>(Text1_.begin(), Text1_.begin() + kWireValueBoxCount));
}

void frmSetting::Command1_Click(int index) {
    if (index == 0) {
        if (!commitConditions()) return;
    }
    closeWindow();
}

void frmSetting::refuseBox(int index, const QString& message) {
    host_.messages().Show(this, message, MessageIcon::Exclamation, MessageButtons::Ok);
    SSTab1_->setCurrentIndex(TabOfBox(index));
    Text1_[index]->setFocus(Qt::OtherFocusReason);
    SelectAllText(Text1_[index]);
}

// Reads every box first and refuses OK on the first one that cannot be
// stored, so that a refused OK leaves the state, the caption and the menus
// exactly as they were.
bool frmSetting::commitConditions() {
    ConditionsFormInput input;
    for (int i = 0; i < kConditionsBoxCount; ++i) input.boxes[i] = Text1_[i]->text().toStdString();
    input.wireName = cmbWireName_->currentText().toStdString(); // untrimmed, as typed
    const ConditionsFormResult form = ReadConditionsForm(input);
    if (form.refusal) {
        refuseBox(form.refusal->box, EngineMessage(form.refusal->message));
        return false;
    }
    ApplyConditions(form.values, host_.state());
    host_.setCommandEnabled(HostCommand::Calculate, true);
    host_.setCaption(
        FromUtf8(MainWindowCaption(form.values.wire.wireName, form.values.temperatureStudy)));
    return true;
}

void frmSetting::closeWindow() { CloseChildWindow(this); }

void frmSetting::Form_Unload() {
    if (!loaded_) return;
    loaded_ = false;
    host_.state().conditionsWindowOpen = false;
}

void frmSetting::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void ShowConditionsWindow(WindowHost& host) { OpenChildWindow<frmSetting>(host); }

} // namespace orvalt
