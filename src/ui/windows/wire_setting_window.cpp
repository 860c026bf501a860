// frmWireSetting: the engineer views the wire catalogue, changes a wire type's
// name or constants, and appends new wire types. Every save rewrites the
// whole catalogue file at once; there is no deletion and no reordering, so a
// record keeps its slot for good.
//
// The list holds the names of slots 0 .. lastIndex followed by "新規", which
// stands for slot lastIndex + 1. With 51 records the catalogue is full: "新規"
// then stands for a slot that does not exist, so adding is refused.
#include "ui/windows/wire_setting_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>
#include <string>

#include "engine/case/case_document.h"
#include "engine/forms/wire_form.h"
#include "engine/number/number_text.h"
#include "ui/base/fonts.h"
#include "ui/base/form_helpers.h"
#include "ui/base/mdi_child.h"
#include "ui/base/message_box.h"
#include "ui/base/text.h"
#include "ui/base/twips.h"
#include "ui/base/window_host.h"
#include "ui/windows/wire_setting_window_p.h"

namespace orvalt {

namespace {

const QString kNewEntry = QStringLiteral("新規");

// Client area of the window, twips.
constexpr double kClientWidth = 5190;
constexpr double kClientHeight = 4005;

struct Place {
    const char16_t* caption;
    double left, top, width, height;
};

// Label1(0..7): the field names; Label1(0..6) say the value boxes' captions
// (the ones messages name them by), Label1(7) names the combo box.
constexpr Place kLabel1[8] = {
    {nullptr, 480, 720, 1815, 255},  {nullptr, 240, 1080, 1455, 255},
    {nullptr, 960, 1440, 735, 255},  {nullptr, 960, 1800, 735, 255},
    {nullptr, 480, 2160, 1215, 255}, {nullptr, 480, 2520, 1215, 255},
    {nullptr, 240, 2880, 1455, 255}, {u"電線種類", 720, 240, 975, 255},
};

// Label2(0..6): the units beside Text1(0..6).
constexpr Place kLabel2[7] = {
    {u"α(10^-6)/℃", 3480, 720, 1695, 255}, {u"E(kg/mm2)", 3480, 1080, 1695, 255},
    {u"Wc(kg/m)", 3480, 1440, 1695, 255},  {u"A(mm2)", 3480, 1800, 1695, 255},
    {u"d1(mm)", 3480, 2160, 1695, 255},    {u"d2(mm)", 3480, 2520, 1695, 255},
    {u"T(kg)", 3480, 2880, 1695, 255},
};

// Command1(0..2): save, close, new; on screen they read 新規, 保存, 閉じる.
constexpr Place kCommand1[3] = {
    {u"保存(&S)", 2640, 3360, 1215, 615},
    {u"閉じる(&C)", 3960, 3360, 1215, 615},
    {u"新規(&N)", 1320, 3360, 1215, 615},
};

QString FromCaption(const char16_t* caption) { return QString::fromUtf16(caption); }

// Label `name`_i for each place, with the place's caption or else the value
// box caption i.
QList<QLabel*> AddLabels(QWidget* parent, const char* name, const Place* places, int count) {
    QList<QLabel*> labels;
    for (int i = 0; i < count; ++i) {
        const Place& p = places[i];
        const QString caption = p.caption != nullptr
                                    ? FromCaption(p.caption)
                                    : FromUtf8(kWireValueCaptions[static_cast<std::size_t>(i)]);
        auto* label = new QLabel(caption, parent);
        label->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i));
        label->setFont(LabelFont());
        label->setGeometry(TwipsRect(p.left, p.top, p.width, p.height));
        labels.push_back(label);
    }
    return labels;
}

std::filesystem::path CataloguePath(WindowHost& host) {
    return std::filesystem::path(host.bookkeeping().wireDataPath);
}

} // namespace

frmWireSetting::frmWireSetting(WindowHost& host, WireSettingMemory& memory)
    : host_(host), memory_(memory) {
    setObjectName(QLatin1String(kObjectName));
    setWindowTitle(QStringLiteral("電線種類設定"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(FormFont());
    setFixedSize(sizeHint());

    cmbWireName_ = new QComboBox(this);
    cmbWireName_->setObjectName(QStringLiteral("cmbWireName"));
    MakeTypedNameBox(cmbWireName_);
    cmbWireName_->setFont(EntryFont(11.25));
    cmbWireName_->setGeometry(TwipsRect(1920, 120, 2655, 345));
    cmbWireName_->addItem(kNewEntry);

    for (int i = 0; i < 7; ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("Text1_%1").arg(i));
        box->setGeometry(TwipsRect(1920, 720 + 360 * i, 1455, 270));
        Text1_.push_back(box);
    }
    valueBoxes_ = WireValueBoxes(Text1_);
    for (int i = 0; i < 3; ++i) {
        const Place& p = kCommand1[i];
        auto* button = new QPushButton(FromCaption(p.caption), this);
        button->setObjectName(QStringLiteral("Command1_%1").arg(i));
        button->setGeometry(TwipsRect(p.left, p.top, p.width, p.height));
        Command1_.push_back(button);
    }
    Label1_ = AddLabels(this, "Label1", kLabel1, 8);
    Label2_ = AddLabels(this, "Label2", kLabel2, 7);

    setTabOrderAndConnect();
}

void frmWireSetting::setTabOrderAndConnect() {
    // Tab order: the combo box, Text1(0..6), 保存, 閉じる, then 新規.
    QWidget* previous = cmbWireName_;
    for (QLineEdit* box : Text1_) {
        setTabOrder(previous, box);
        previous = box;
    }
    for (int i : {0, 1, 2}) {
        setTabOrder(previous, Command1_[i]);
        previous = Command1_[i];
    }

    new BoxFocusWatcher(
        Text1_, [this](int index) { Text1_GotFocus(index); }, this);
    connect(cmbWireName_, &QComboBox::activated, this, &frmWireSetting::cmbWireName_Click);
    for (int i = 0; i < 3; ++i)
        connect(Command1_[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
}

QSize frmWireSetting::sizeHint() const { return TwipsSize(kClientWidth, kClientHeight); }

bool frmWireSetting::catalogueFull() const { return memory_.lastIndex >= kWireListSize - 1; }

WireRecord frmWireSetting::slotRecord(int slot) const {
    if (slot < 0 || slot > memory_.lastIndex) return {};
    return memory_.wireList[static_cast<std::size_t>(slot)];
}

void frmWireSetting::showSlot(int slot) { valueBoxes_.show(slotRecord(slot)); }

void frmWireSetting::showUnits(UnitSystem units) {
    valueBoxes_.showUnits(units);
    for (int box = 0; box < kWireValueBoxCount && box < Label2_.size(); ++box)
        Label2_[box]->setText(WireValueUnitCaption(box, units));
}

void frmWireSetting::report(const std::string& message, bool trouble) {
    if (message.empty()) return;
    host_.messages().Show(this, EngineMessage(message),
                          trouble ? MessageIcon::Exclamation : MessageIcon::Information,
                          MessageButtons::Ok);
}

LoadOutcome frmWireSetting::Form_Load() {
    if (memory_.currentIndex == 0) CenterInArea(host_.mdiArea(), this);
    showUnits(host_.document().units());

    cmbWireName_->clear();
    const CatalogueReadResult read =
        ReadWireCatalogue(CataloguePath(host_), memory_.wireList, memory_.lastIndex,
                          [this](const WireRecord& record, int) {
                              cmbWireName_->addItem(QString::fromStdString(record.wireName));
                          });
    memory_.lastReadWhole = read.readWhole;
    memory_.lastSeen = read.seen;
    cmbWireName_->addItem(kNewEntry);

    // The file may have shrunk since the slot was chosen (edited outside the
    // program): a slot beyond "新規" would be stored past a gap of stale
    // records, so the slot shown is kept within the list.
    const int highest = catalogueFull() ? memory_.lastIndex : memory_.lastIndex + 1;
    if (memory_.currentIndex > highest) memory_.currentIndex = static_cast<std::int16_t>(highest);

    const int slot = memory_.currentIndex;
    showSlot(slot);
    cmbWireName_->setCurrentIndex(slot);
    cmbWireName_->setEditText(QString::fromStdString(slotRecord(slot).wireName));
    Command1_[2]->setEnabled(!catalogueFull());

    // A missing file is a fact to know (the catalogue starts empty); anything
    // else is trouble that the engineer should look at.
    const bool trouble = read.status != CatalogueReadResult::Status::kMissing;
    return {.message = read.message.empty() ? QString() : EngineMessage(read.message),
            .icon = trouble ? MessageIcon::Exclamation : MessageIcon::Information};
}

void frmWireSetting::cmbWireName_Click(int index) {
    if (index < 0) return;
    if (index > memory_.lastIndex && catalogueFull()) {
        host_.messages().Show(this,
                              QStringLiteral("電線種類は%1種類まで登録できます。\n"
                                             "これ以上は追加できません。")
                                  .arg(kWireListSize),
                              MessageIcon::Exclamation, MessageButtons::Ok);
        // Back to the record shown before.
        cmbWireName_->setCurrentIndex(memory_.currentIndex);
        showSlot(memory_.currentIndex);
        return;
    }
    memory_.currentIndex = static_cast<std::int16_t>(index);
    Command1_[2]->setEnabled(memory_.currentIndex <= memory_.lastIndex && !catalogueFull());
    showSlot(memory_.currentIndex);
}

void frmWireSetting::Command1_Click(int index) {
    switch (index) {
        case 0: save(); break;
        case 1: closeWindow(); break;
        case 2: newRecord(); break;
        default: break;
    }
}

void frmWireSetting::newRecord() {
    const int entry = memory_.lastIndex + 1;
    cmbWireName_->setCurrentIndex(entry);
    cmbWireName_Click(entry);
    Command1_[2]->setEnabled(false);
    // The new name is typed over "新規".
    FocusNameBox(cmbWireName_);
}

void frmWireSetting::closeWindow() {
    memory_.currentIndex = 0;
    CloseChildWindow(this);
}

void frmWireSetting::save() {
    const bool adding = memory_.currentIndex > memory_.lastIndex;
    if (adding && catalogueFull()) { // not reachable through the list; kept as the last guard
        cmbWireName_Click(memory_.lastIndex + 1);
        return;
    }
    const WireFormInput input{cmbWireName_->currentText().toStdString(), valueBoxes_.texts(),
                              adding};
    const WireFormResult form = ReadWireForm(input);
    if (form.refusal)
        showRefusal(*form.refusal);
    else
        store(form.record, adding);
}

void frmWireSetting::reload() {
    const LoadOutcome reread = Form_Load();
    if (!reread.message.isEmpty())
        host_.messages().Show(this, reread.message, reread.icon, MessageButtons::Ok);
}

void frmWireSetting::store(const WireRecord& record, bool adding) {
    // Build the new catalogue beside the window's own copy: a failed write
    // must leave the list and lastIndex as they were.
    WireList list = memory_.wireList;
    const auto last = static_cast<std::int16_t>(adding ? memory_.lastIndex + 1 : memory_.lastIndex);
    list[static_cast<std::size_t>(memory_.currentIndex)] = record;

    const CatalogueWriteResult written = WriteWireCatalogue(
        CataloguePath(host_), list, last, memory_.lastReadWhole, memory_.lastSeen);
    if (written.changedOnDisk) {
        // Another window or another copy of the program saved since this
        // list was read: show the records as they are now. An added record
        // is entered again on "新規"; an edited one shows its current values.
        report(written.message, true);
        reload();
        if (adding && !catalogueFull()) newRecord();
        return;
    }
    if (!written.ok) {
        report(written.message, true);
        return;
    }
    memory_.wireList = list;
    memory_.lastIndex = last;

    reload();
    Command1_[2]->setEnabled(!catalogueFull());
    if (written.backupPath) report(written.message, false);
}

// Refused before anything changes, with the typing left in the boxes.
void frmWireSetting::showRefusal(const FormRefusal& refusal) {
    host_.messages().Show(this, EngineMessage(refusal.message), MessageIcon::Exclamation,
                          MessageButtons::Ok);
    if (refusal.box == kBoxWireName) {
        cmbWireName_->setFocus();
        return;
    }
    Text1_[refusal.box]->setFocus(Qt::OtherFocusReason);
    SelectAllText(Text1_[refusal.box]);
}

void frmWireSetting::Text1_GotFocus(int index) { SelectAllText(Text1_[index]); }

void frmWireSetting::closeEvent(QCloseEvent* event) {
    // Closing keeps the memory: the close box keeps currentIndex, 閉じる has
    // reset it to 0 before closing.
    event->accept();
}

void ShowWireSettingWindow(WindowHost& host, WireSettingMemory& memory) {
    OpenChildWindow<frmWireSetting>(host, memory);
}

} // namespace orvalt
