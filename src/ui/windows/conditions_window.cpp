#include "ui/windows/conditions_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "engine/calculation/load_classes.h"
#include "engine/case/case_document.h"
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
constexpr int kWireNameLabel = 17; // Label1(17) "電線種類"

// Tab 0 "電線条件": one row per wire constant and the ice, in the window's
// own font; the labels' captions are the ones the form's messages use.
struct ConstantRow {
    int box;
    double top, labelLeft;
    const char16_t* unit;
    double unitLeft;
};
constexpr ConstantRow kConstantRows[] = {
    {kBoxExpansionCoeff, 1080, 480, u"α(10^-6)/℃", 3480},
    {kBoxElasticModulus, 1440, 240, u"E(kg/mm2)", 3480},
    {kBoxUnitWeight, 1800, 960, u"Wc(kg/m)", 3480},
    {kBoxArea, 2160, 960, u"A(mm2)", 3480},
    {kBoxDiameterHigh, 2520, 480, u"d1(mm)", 3480},
    {kBoxDiameterLow, 2880, 480, u"d2(mm)", 3480},
    {kBoxMaxTension, 3240, 240, u"T(kg)", 3480},
    {kBoxIceThickness, 3600, 720, u"(mm)", 3360},
};

// Tabs 1 to 3 "風圧条件", "温度条件", "径間条件": one box per condition, its
// label to the left and its unit to the right; box size and unit per tab.
struct ConditionTab {
    double boxLeft, boxWidth, boxHeight;
    const char16_t* unit;
    double unitLeft;
};
constexpr ConditionTab kConditionTabs[] = {
    {}, // tab 0 holds the wire
    {2040, 735, 375, u"kg/m2", 3000},
    {3720, 495, 375, u"℃", 4320},
    {3240, 855, 405, u"m", 4200},
};
struct ConditionRow {
    int tab;
    int box;
    double top, labelLeft;
};
constexpr ConditionRow kConditionRows[] = {
    {1, kBoxWindPressureHigh, 720, 720},   {1, kBoxWindPressureLow, 1320, 720},
    {1, kBoxWindPressureStudy, 1800, 720}, {2, kBoxTemperatureHigh, 960, 1440},
    {2, kBoxTemperatureLow, 1440, 1440},   {2, kBoxTemperatureStudy, 1920, 2640},
    {3, kBoxSpanStart, 1200, 1320},        {3, kBoxSpanEnd, 1680, 1320},
    {3, kBoxSpanStep, 2160, 1320},
};

// The boxes in tab order between the combo box and the buttons: the ice box
// and its specific gravity, up the wire constants to 線膨張係数, then through
// the tabs. The
// read-only 検討時風圧 comes last, after the buttons.
constexpr int kBoxTabOrder[] = {
    kBoxIceThickness,
    kBoxIceSpecificGravity,
    kBoxMaxTension,
    kBoxDiameterLow,
    kBoxDiameterHigh,
    kBoxArea,
    kBoxUnitWeight,
    kBoxElasticModulus,
    kBoxExpansionCoeff,
    kBoxWindPressureLow,
    kBoxWindPressureHigh,
    kBoxTemperatureStudy,
    kBoxTemperatureLow,
    kBoxTemperatureHigh,
    kBoxSpanStep,
    kBoxSpanEnd,
    kBoxSpanStart,
};

// Which tab of SSTab1 holds Text1(box).
int TabOfBox(int box) {
    for (const ConditionRow& row : kConditionRows)
        if (row.box == box) return row.tab;
    return 0;
}

QString BoxCaption(int box) {
    return FromUtf8(std::string(kConditionsBoxCaptions[static_cast<std::size_t>(box)]));
}

QString PlainNumber(float value) { return FromUtf8(FormatPlainNumber(value)); }

// The wind pressure boxes, in the order of frmSetting::windShown_.
constexpr int kWindPressureBoxes[] = {kBoxWindPressureLow, kBoxWindPressureHigh,
                                      kBoxWindPressureStudy};

// How much wider a wind pressure box is in SI (twips).
constexpr double kSiWiden = 360;

std::size_t WindSlot(int box) {
    for (std::size_t slot = 0; slot < std::size(kWindPressureBoxes); ++slot)
        if (kWindPressureBoxes[slot] == box) return slot;
    return 0;
}

QString UnitText(std::string_view label) {
    return QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size()));
}
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
                             double left, double top) {
    auto* label = new QLabel(caption, page);
    label->setObjectName(name);
    label->setFont(LabelFont());
    tabPlacements_.push_back({label, left, top, 0, 0, true});
    return label;
}

void frmSetting::addRow(QWidget* page, int box, const QFont& font, const BoxPlace& place) {
    Label1_[box] = addLabel(page, QStringLiteral("Label1_%1").arg(box), BoxCaption(box),
                            place.labelLeft, place.top);
    auto* edit = new QLineEdit(page);
    edit->setObjectName(QStringLiteral("Text1_%1").arg(box));
    edit->setFont(font);
    Text1_[box] = edit;
    tabPlacements_.push_back({edit, place.boxLeft, place.top, place.width, place.height, false});
    Label2_[box] =
        addLabel(page, QStringLiteral("Label2_%1").arg(box), place.unit, place.unitLeft, place.top);
}

void frmSetting::buildControls() {
    Text1_ = QList<QLineEdit*>(kConditionsBoxCount, nullptr);
    Label1_ = QList<QLabel*>(kLabelCount, nullptr);
    Label2_ = QList<QLabel*>(kConditionsBoxCount, nullptr);

    const QList<QWidget*> pages = addTabs();
    addWireRows(pages[0]);
    addConditionRows(pages);
    addLoadClassRows(pages[1]);
    Text1_[kBoxWindPressureStudy]->setReadOnly(true);
    addButtons();
    wireBoxes_ = std::make_unique<WireValueBoxes>(
        QList<QLineEdit*>(Text1_.begin(), Text1_.begin() + kWireValueBoxCount));

    new BoxFocusWatcher(
        Text1_, [this](int index) { Text1_GotFocus(index); }, this);
    connect(cmbWireName_->lineEdit(), &QLineEdit::textEdited, this,
            &frmSetting::cmbWireName_Change);
    connect(cmbWireName_, &QComboBox::activated, this, &frmSetting::cmbWireName_Click);

    SSTab1_->setCurrentIndex(0);
    setTabOrder();
    placeTabControls();
}

QList<QWidget*> frmSetting::addTabs() {
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
    return pages;
}

void frmSetting::addWireRows(QWidget* page) {
    Label1_[kWireNameLabel] = addLabel(page, QStringLiteral("Label1_%1").arg(kWireNameLabel),
                                       QStringLiteral("電線種類"), 600, 600);
    cmbWireName_ = new QComboBox(page);
    cmbWireName_->setObjectName(QStringLiteral("cmbWireName"));
    MakeTypedNameBox(cmbWireName_);
    cmbWireName_->setFont(EntryFont(11.25));
    tabPlacements_.push_back({cmbWireName_, 1920, 480, 2655, 345, false});

    for (const ConstantRow& row : kConstantRows)
        addRow(
            page, row.box, FormFont(),
            {row.top, row.labelLeft, 1920, 1455, 270, QString::fromUtf16(row.unit), row.unitLeft});
    addIceGravityRow(page);
}

// The ice's specific gravity, Text1(17), on the ice's row after its unit
// "(mm)"; a plain number, so no unit label. Its label is not one of the
// design's Label1 array (Label1(17) names the combo box).
void frmSetting::addIceGravityRow(QWidget* page) {
    constexpr double kTop = 3600;
    addLabel(page, QStringLiteral("lblIceSpecificGravity"), BoxCaption(kBoxIceSpecificGravity),
             3960, kTop);
    auto* edit = new QLineEdit(page);
    edit->setObjectName(QStringLiteral("Text1_%1").arg(kBoxIceSpecificGravity));
    edit->setFont(FormFont());
    Text1_[kBoxIceSpecificGravity] = edit;
    tabPlacements_.push_back({edit, 4500, kTop, 675, 270, false});
}

// The ice boxes show what the calculation will use; the specific gravity
// exactly, so that OK on an unchanged box keeps the value.
void frmSetting::showIce(const CalculationState& state) {
    Text1_[kBoxIceThickness]->setText(PlainNumber(state.iceThickness));
    Text1_[kBoxIceSpecificGravity]->setText(
        FromUtf8(FormatPlainNumberExactly(state.iceSpecificGravity)));
}

void frmSetting::addConditionRows(const QList<QWidget*>& pages) {
    const QFont boxFont = EntryFont(12.0);
    for (const ConditionRow& row : kConditionRows) {
        const ConditionTab& tab = kConditionTabs[row.tab];
        addRow(pages[row.tab], row.box, boxFont,
               {row.top, row.labelLeft, tab.boxLeft, tab.boxWidth, tab.boxHeight,
                QString::fromUtf16(tab.unit), tab.unitLeft});
    }
}

// The two buttons under the tabs.
void frmSetting::addButtons() {
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
    // Esc is キャンセル, as in a dialog box.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, [this] { Command1_Click(1); });
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
    QList<QWidget*> order = {SSTab1_, cmbWireName_};
    for (int box : kBoxTabOrder) {
        order.push_back(Text1_[box]);
        if (box == kBoxWindPressureHigh) order << loadClassTabOrder();
    }
    order << Command1_[0] << Command1_[1] << Text1_[kBoxWindPressureStudy];
    for (qsizetype i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
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
    const std::string& path = host_.bookkeeping().wireDataPath;
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
    host_.bookkeeping().conditionsWindowOpen = true;
    const CalculationState& state = host_.state();
    suppressChange_ = true;
    units_ = host_.document().units();
    wireBoxes_->showUnits(units_);
    showUnitLabels();

    const QString trouble = readCatalogue();
    // A design opened from or saved to a case file shows its own wire;
    // otherwise the window starts from the catalogue's first wire, whatever
    // the state holds.
    const CaseDocument& document = host_.document();
    if (document.hasFile()) {
        showCaseWire(document.content().conditions.wire);
    } else {
        selectedSlot_ = 0;
        wireBoxes_->show(wireList_[0]);
    }
    showIce(state);
    showLoadClasses(state);
    // The window's own change of the combo box text; the handler swallows it.
    cmbWireName_->setEditText(selectedName());
    cmbWireName_Change();

    showWindPressure(kBoxWindPressureHigh, state.windPressureHigh);
    showWindPressure(kBoxWindPressureLow, state.windPressureLow);
    showWindPressure(kBoxWindPressureStudy, state.windPressureStudy);
    const std::pair<int, QString> conditions[] = {
        {kBoxTemperatureHigh, PlainNumber(state.temperatureHigh)},
        {kBoxTemperatureLow, PlainNumber(state.temperatureLow)},
        {kBoxTemperatureStudy, PlainNumber(state.temperatureStudy)},
        {kBoxSpanStart, PlainNumber(state.spanStart)},
        {kBoxSpanEnd, PlainNumber(state.spanEnd)},
        {kBoxSpanStep, PlainNumber(state.spanStep)},
    };
    for (const auto& [box, text] : conditions) Text1_[box]->setText(text);
    showLargerClassDecision(state);
    loaded_ = true;
    return {.message = trouble};
}

void frmSetting::print() {
    host_.messages().Show(
        host_.hostWidget(),
        QStringLiteral("計算結果フォームをアクティブにしてから印刷メニューを選んでください"),
        MessageIcon::None, MessageButtons::Ok);
}

// The case's wire is selected in the list when the catalogue has its name
// (the first entry of that name); otherwise the box shows its name over the
// list with no entry selected. The boxes show the case's constants either
// way, and OK keeps them unless typed over.
void frmSetting::showCaseWire(const WireRecord& wire) {
    caseWire_ = wire;
    selectedSlot_ = kCaseWireSlot;
    for (int slot = 0; slot < cmbWireName_->count(); ++slot)
        if (wireList_[static_cast<std::size_t>(slot)].wireName == wire.wireName) {
            selectedSlot_ = slot;
            break;
        }
    cmbWireName_->setCurrentIndex(selectedSlot_);
    wireBoxes_->show(wire);
}

std::string frmSetting::selectedWireName() const {
    if (selectedSlot_ == kCaseWireSlot) return caseWire_.wireName;
    return wireList_[static_cast<std::size_t>(selectedSlot_)].wireName;
}

QString frmSetting::selectedName() const { return FromUtf8(selectedWireName()); }

void frmSetting::cmbWireName_Change() {
    if (suppressChange_) {
        suppressChange_ = false;
        return;
    }
    host_.messages().Show(this,
                          QStringLiteral("ここでは変更できません\n設定メニューで設定してください"),
                          MessageIcon::Stop, MessageButtons::Ok);
    // The name is chosen from the list only: the typing is undone.
    cmbWireName_->setEditText(selectedName());
}

void frmSetting::cmbWireName_Click(int index) {
    if (index < 0 || index >= kWireListSize) return;
    selectedSlot_ = index;
    wireBoxes_->show(wireList_[static_cast<std::size_t>(index)]);
    // The larger of 甲種 and 乙種 depends on the wire's diameter.
    fillLoadClass(false);
}

void frmSetting::Command1_Click(int index) {
    if (index == 0) {
        if (!commitConditions()) return;
    }
    closeWindow();
}

void frmSetting::refuseBox(int box, const QString& message) {
    host_.messages().Show(this, message, MessageIcon::Exclamation, MessageButtons::Ok);
    SSTab1_->setCurrentIndex(TabOfBox(box));
    Text1_[box]->setFocus(Qt::OtherFocusReason);
    SelectAllText(Text1_[box]);
}

// Reads every box first and refuses OK on the first one that cannot be
// stored, so that a refused OK leaves the state, the caption and the menus
// exactly as they were.
bool frmSetting::commitConditions() {
    ConditionsFormInput input;
    const std::array<std::string, kWireValueBoxCount> wireTexts = wireBoxes_->texts();
    std::copy(wireTexts.begin(), wireTexts.end(), input.boxes.begin());
    for (int i = kWireValueBoxCount; i < kConditionsBoxCount; ++i)
        input.boxes[static_cast<std::size_t>(i)] = Text1_[i]->text().toStdString();
    input.wireName = selectedWireName();
    readLoadClasses(input);
    const ConditionsFormResult form = ReadConditionsForm(input);
    if (form.refusal) {
        refuseBox(form.refusal->box, EngineMessage(form.refusal->message));
        return false;
    }
    ConditionsValues values = form.values;
    values.windPressureHigh = storedWindPressure(kBoxWindPressureHigh, values.windPressureHigh);
    values.windPressureLow = storedWindPressure(kBoxWindPressureLow, values.windPressureLow);
    values.windPressureStudy = storedWindPressure(kBoxWindPressureStudy, values.windPressureStudy);
    ApplyConditions(values, host_.state());
    ApplyIce(form.ice, host_.state());
    host_.document().setConditions(values);
    host_.document().setIce(form.ice);
    host_.setCommandEnabled(HostCommand::Calculate, true);
    host_.setCaption(
        FromUtf8(MainWindowCaption(values.wire.wireName, values.temperatureStudy)));
    return true;
}

// ---------------------------------------------------------------------------
// Units

// In kg units the stored value as it is; in SI to 0.1 Pa as the report
// writes it (100 kg/m2: 980.7), a whole number of Pa as typed (980).
void frmSetting::showWindPressure(int box, float kgValue) {
    float shown = ShownValue(kgValue, UnitQuantity::kWindPressure, units_);
    if (units_ == UnitSystem::kSi && std::isfinite(shown))
        shown = static_cast<float>(std::round(static_cast<double>(shown) * 10.0) / 10.0);
    Text1_[box]->setText(PlainNumber(shown));
    windShown_[WindSlot(box)] = {true, kgValue, Text1_[box]->text()};
}

bool frmSetting::windPressureAsShown(int box) const {
    const ShownWindPressure& shown = windShown_[WindSlot(box)];
    return shown.shown && !Text1_[box]->isModified() && Text1_[box]->text() == shown.text;
}

float frmSetting::storedWindPressure(int box, float read) const {
    if (windPressureAsShown(box)) return windShown_[WindSlot(box)].kgValue;
    return static_cast<float>(ToKg(read, UnitQuantity::kWindPressure, units_));
}

void frmSetting::showUnitLabels() {
    for (int box = 0; box < kWireValueBoxCount; ++box)
        if (WireValueQuantity(box)) Label2_[box]->setText(WireValueUnitCaption(box, units_));
    for (int box : kWindPressureBoxes)
        Label2_[box]->setText(UnitText(UnitLabel(UnitQuantity::kWindPressure, units_)));
    // Pa take more digits than kg/m2: the wind boxes are wider in SI, their
    // unit labels further right.
    const ConditionTab& tab = kConditionTabs[TabOfBox(kBoxWindPressureHigh)];
    const bool si = units_ == UnitSystem::kSi;
    for (Placement& place : tabPlacements_) {
        for (int box : kWindPressureBoxes) {
            if (place.control == Text1_[box]) place.width = tab.boxWidth + (si ? kSiWiden : 0.0);
            if (place.control == Label2_[box]) place.left = tab.unitLeft + (si ? kSiWiden : 0.0);
        }
    }
    placeTabControls();
}

void frmSetting::showUnits(UnitSystem units) {
    if (units == units_) return;
    wireBoxes_->showUnits(units);
    std::array<std::optional<float>, std::size(kWindPressureBoxes)> kgValues{};
    for (int box : kWindPressureBoxes) {
        const std::size_t slot = WindSlot(box);
        if (windPressureAsShown(box)) {
            kgValues[slot] = windShown_[slot].kgValue;
        } else if (const std::optional<double> typed =
                       ReadBoxNumber(Text1_[box]->text().toStdString())) {
            // OK would round it down in the units it was typed in.
            const double kg = ToKg(std::floor(*typed), UnitQuantity::kWindPressure, units_);
            if (std::isfinite(kg) && std::abs(kg) <= std::numeric_limits<float>::max())
                kgValues[slot] = static_cast<float>(kg);
        }
    }
    units_ = units;
    for (int box : kWindPressureBoxes)
        if (const std::optional<float> kg = kgValues[WindSlot(box)]) showWindPressure(box, *kg);
    showUnitLabels();
}

void frmSetting::closeWindow() { CloseChildWindow(this); }

void frmSetting::Form_Unload() {
    if (!loaded_) return;
    loaded_ = false;
    host_.bookkeeping().conditionsWindowOpen = false;
}

void frmSetting::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

// ---------------------------------------------------------------------------
// Load classes (荷重区分)

namespace {

// Where the classes' values come from, under the choices.
constexpr char16_t kLoadClassSource[] = u"電気設備の技術基準の解釈 第58条";

LoadClass ChosenClass(const QComboBox* combo) {
    return static_cast<LoadClass>(combo->currentData().toInt());
}

void ChooseClass(QComboBox* combo, LoadClass loadClass) {
    const int index = combo->findData(static_cast<int>(loadClass));
    combo->setCurrentIndex(std::max(index, 0));
}

} // namespace

void frmSetting::addLoadClassRows(QWidget* page) {
    const QFont font = EntryFont(11.25);
    const auto addChoice = [&](const QString& name, const QString& caption, double top,
                               bool highSeason) {
        addLabel(page, QStringLiteral("lbl") + name.mid(3), caption, 720, top);
        auto* combo = new QComboBox(page);
        combo->setObjectName(name);
        combo->setFont(font);
        for (const LoadClassInfo& info : kLoadClasses) {
            if (highSeason ? info.highSeason : info.lowSeason)
                combo->addItem(FromUtf8(std::string(info.name)), static_cast<int>(info.loadClass));
        }
        tabPlacements_.push_back({combo, 2640, top - 30, 2415, 345, false});
        return combo;
    };
    cmbLoadClassHigh_ =
        addChoice(QStringLiteral("cmbLoadClassHigh"), QStringLiteral("高温季荷重区分"), 2400, true);
    cmbLoadClassLow_ =
        addChoice(QStringLiteral("cmbLoadClassLow"), QStringLiteral("低温季荷重区分"), 2880, false);

    chkBundle_ = new QCheckBox(QStringLiteral("多導体"), page);
    chkBundle_->setObjectName(QStringLiteral("chkBundle"));
    chkBundle_->setFont(LabelFont());
    tabPlacements_.push_back({chkBundle_, 720, 3330, 1500, 330, false});
    lblLoadClassDecided_ = addLabel(page, QStringLiteral("lblLoadClassDecided"), QString(), 2640, 3360);
    addLabel(page, QStringLiteral("lblLoadClassSource"), QString::fromUtf16(kLoadClassSource), 720,
             3720);

    connect(cmbLoadClassHigh_, &QComboBox::activated, this, &frmSetting::cmbLoadClassHigh_Click);
    connect(cmbLoadClassLow_, &QComboBox::activated, this, &frmSetting::cmbLoadClassLow_Click);
    connect(chkBundle_, &QCheckBox::clicked, this, &frmSetting::chkBundle_Click);
    connect(Text1_[kBoxDiameterLow], &QLineEdit::textEdited, this,
            &frmSetting::diameterLowEdited);
    for (int box : {kBoxWindPressureHigh, kBoxWindPressureLow, kBoxIceThickness,
                    kBoxIceSpecificGravity}) {
        connect(Text1_[box], &QLineEdit::textEdited, this, [this, box] { loadClassBoxEdited(box); });
    }
}

QList<QWidget*> frmSetting::loadClassTabOrder() const {
    return {cmbLoadClassHigh_, cmbLoadClassLow_, chkBundle_};
}

void frmSetting::showLoadClasses(const CalculationState& state) {
    ChooseClass(cmbLoadClassHigh_, state.loadClassHigh);
    ChooseClass(cmbLoadClassLow_, state.loadClassLow);
    chkBundle_->setChecked(state.bundle);
    lblLoadClassDecided_->clear();
}

// A design kept with the larger of 甲種 and 乙種 says which one the wire shown
// gets. The window may show another wire than the one decided for (the
// catalogue's first): when that wire's decision differs, the low season is
// filled for it, as choosing it from the list would.
void frmSetting::showLargerClassDecision(const CalculationState& state) {
    if (ChosenClass(cmbLoadClassLow_) != LoadClass::kKouOtsuLarger) return;
    const std::optional<double> diameter =
        ReadBoxNumber(wireBoxes_->texts()[static_cast<std::size_t>(kBoxDiameterLow)]);
    if (!diameter || !(*diameter > 0.0) || !std::isfinite(*diameter)) return;
    const LoadClass shown = LargerOfKouAndOtsu(*diameter);
    if (shown != LargerOfKouAndOtsu(state.currentWire.diameterLow)) {
        fillLoadClass(false);
        return;
    }
    showDecidedClass(*diameter, shown);
}

void frmSetting::cmbLoadClassHigh_Click(int) { fillLoadClass(true); }
void frmSetting::cmbLoadClassLow_Click(int) { fillLoadClass(false); }

void frmSetting::chkBundle_Click() {
    fillLoadClass(true);
    fillLoadClass(false);
}

// Puts the season's class into its boxes in the window's units. The larger of 甲種 and
// 乙種 is decided for the low-season diameter in Text1(5) as it stands.
void frmSetting::fillLoadClass(bool highSeason) {
    QComboBox* combo = highSeason ? cmbLoadClassHigh_ : cmbLoadClassLow_;
    const LoadClass chosen = ChosenClass(combo);
    if (!highSeason) lblLoadClassDecided_->clear();
    if (chosen == LoadClass::kCustom) return;
    double diameter = 0.0;
    if (chosen == LoadClass::kKouOtsuLarger) {
        const std::optional<double> read =
            ReadBoxNumber(wireBoxes_->texts()[static_cast<std::size_t>(kBoxDiameterLow)]);
        if (!read) {
            host_.messages().Show(this,
                                  QStringLiteral("「低温季外径」が数値として読めないため、"
                                                 "甲種と乙種のどちらが大きいかを決められません。"),
                                  MessageIcon::Exclamation, MessageButtons::Ok);
            ChooseClass(combo, LoadClass::kCustom);
            return;
        }
        diameter = *read;
    }
    const LoadClassFill fill =
        FillForLoadClass(chosen, chkBundle_->isChecked(), diameter, units_);
    if (fill.windPressure) {
        Text1_[highSeason ? kBoxWindPressureHigh : kBoxWindPressureLow]->setText(
            PlainNumber(static_cast<float>(*fill.windPressure)));
    }
    if (fill.iceThickness) Text1_[kBoxIceThickness]->setText(PlainNumber(*fill.iceThickness));
    if (fill.iceSpecificGravity) {
        Text1_[kBoxIceSpecificGravity]->setText(
            FromUtf8(FormatPlainNumberExactly(*fill.iceSpecificGravity)));
    }
    if (chosen == LoadClass::kKouOtsuLarger) showDecidedClass(diameter, fill.decided);
}

void frmSetting::showDecidedClass(double diameter, LoadClass decided) {
    lblLoadClassDecided_->setText(
        QStringLiteral("外径 %1 mm：%2")
            .arg(FromUtf8(FormatPlainNumber(static_cast<float>(diameter))).trimmed(),
                 FromUtf8(std::string(InfoOf(decided).name))));
    lblLoadClassDecided_->adjustSize();
}

// A box the engineer types into no longer holds the class's value; the
// thickness of 着雪時 is the engineer's to type.
void frmSetting::loadClassBoxEdited(int box) {
    if (box == kBoxWindPressureHigh) {
        ChooseClass(cmbLoadClassHigh_, LoadClass::kCustom);
        return;
    }
    if (box == kBoxIceThickness && ChosenClass(cmbLoadClassLow_) == LoadClass::kSnow) return;
    ChooseClass(cmbLoadClassLow_, LoadClass::kCustom);
    lblLoadClassDecided_->clear();
}

void frmSetting::diameterLowEdited() {
    if (ChosenClass(cmbLoadClassLow_) != LoadClass::kKouOtsuLarger) return;
    const std::optional<double> diameter =
        ReadBoxNumber(Text1_[kBoxDiameterLow]->text().toStdString());
    if (diameter && *diameter > 0.0 && std::isfinite(*diameter)) {
        fillLoadClass(false);
        return;
    }
    ChooseClass(cmbLoadClassLow_, LoadClass::kCustom);
    lblLoadClassDecided_->clear();
}

void frmSetting::readLoadClasses(ConditionsFormInput& input) const {
    input.loadClassHigh = ChosenClass(cmbLoadClassHigh_);
    input.loadClassLow = ChosenClass(cmbLoadClassLow_);
    input.bundle = chkBundle_->isChecked();
}

void ShowConditionsWindow(WindowHost& host) { OpenChildWindow<frmSetting>(host); }

} // namespace orvalt
