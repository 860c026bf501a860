// The wire settings window driven by its control names over a catalogue in a
// temporary program folder: viewing, changing, adding, the full catalogue,
// names the file cannot keep, and saves that fail.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>

#include <gtest/gtest.h>

#include <unistd.h>
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "engine/catalogue/catalogue_file.h"
#include "engine/forms/wire_form.h"
#include "support/files.h"
#include "support/form_layout.h"
#include "support/main_window_fixture.h"

namespace orvalt::test {
namespace {

// The three wire types of the shipped catalogue, as written by the program:
// name, alpha, E, Wc, A, d1, d2, T.
const std::string kThreeWires =
    "\x8c\x76\x8e\x5a\x97\xe1\x31\r\n 18 \r\n 9000 \r\n .6 \r\n 160 \r\n 18.2 \r\n 18.2 \r\n 1500 "
    "\r\n"
    "\x8c\x76\x8e\x5a\x97\xe1\x32\r\n 19 \r\n 8000 \r\n 2 \r\n 600 \r\n 50 \r\n 50 \r\n 6000 \r\n"
    "ACSR\r\n 19.2 \r\n 8902 \r\n .6885 \r\n 198.1 \r\n 18.29 \r\n 18.29 \r\n 2557 \r\n";

class WireSettingTest : public MainWindowTest {
protected:
    QString CataloguePath() const { return ProgramFile("wiredata.dat"); }

    void WriteCatalogue(const std::string& bytes) {
        WriteFileBytes(FsPath(CataloguePath()), bytes);
    }
    std::optional<std::string> CatalogueBytes() const {
        return ReadFileBytes(FsPath(CataloguePath()));
    }

    void WriteRecords(int count) {
        WireList list{};
        for (int i = 0; i < count; ++i)
            list[static_cast<std::size_t>(i)] = {.wireName = "W" + std::to_string(i),
                                                 .diameterHigh = 10.0f + i,
                                                 .diameterLow = 10.0f + i,
                                                 .area = 100.0f + i,
                                                 .unitWeight = 0.5f,
                                                 .expansionCoeff = 18.0f,
                                                 .elasticModulus = 9000.0f,
                                                 .maxTension = 1000.0f + i};
        std::string refusal;
        const auto bytes =
            EncodeWireCatalogue(list, static_cast<std::int16_t>(count - 1), &refusal);
        ASSERT_TRUE(bytes.has_value()) << refusal;
        WriteCatalogue(*bytes);
    }

    // The catalogue as the program reads it back.
    std::pair<WireList, int> ReadBack() const {
        WireList list{};
        std::int16_t last = 0;
        const CatalogueReadResult r = ReadWireCatalogue(FsPath(CataloguePath()), list, last);
        EXPECT_EQ(r.status, CatalogueReadResult::Status::kRead) << r.message;
        return {list, last};
    }

    void Open() { Action("mnuWire")->trigger(); }

    QWidget* Window() const {
        for (QWidget* w : main_->findChildren<QWidget*>(QStringLiteral("frmWireSetting")))
            if (w->isVisible()) return w;
        return nullptr;
    }
    template <class T>
    T* Control(const QString& name) const {
        QWidget* window = Window();
        return window != nullptr ? window->findChild<T*>(name) : nullptr;
    }
    QComboBox* Combo() const { return Control<QComboBox>(QStringLiteral("cmbWireName")); }
    QLineEdit* Box(int i) const { return Control<QLineEdit>(QStringLiteral("Text1_%1").arg(i)); }
    QPushButton* Button(int i) const {
        return Control<QPushButton>(QStringLiteral("Command1_%1").arg(i));
    }

    QStringList Boxes() const {
        QStringList texts;
        for (int i = 0; i < 7; ++i) texts << Box(i)->text();
        return texts;
    }
    QStringList ListEntries() const {
        QStringList entries;
        for (int i = 0; i < Combo()->count(); ++i) entries << Combo()->itemText(i);
        return entries;
    }
    // Choosing an entry from the open list with the mouse, as the user does.
    void Choose(int index) { ChooseFromList(Combo(), index); }
    // Typing the values into Text1(0), Text1(1), ... moving on with Tab.
    void Type(const QStringList& values) {
        ClickOn(Box(0));
        for (int i = 0; i < values.size(); ++i) {
            if (i > 0) PressTab();
            ASSERT_EQ(Focused(), Box(i));
            TypeText(values[i]);
        }
    }
    // Clicks into the name box and types over its whole text.
    void TypeName(const QString& name) { ClickAndType(Combo(), name); }
    // A new record's boxes start at 0, which no wire has: types a plausible
    // wire into the boxes of `window` (this copy's window when null).
    void TypeWireValues(QWidget* window = nullptr) {
        if (window == nullptr) window = Window();
        const char* values[] = {"18", "9000", "0.6", "160", "18.2", "18.2", "1500"};
        for (int i = 0; i < 7; ++i)
            ClickAndType(window->findChild<QLineEdit*>(QStringLiteral("Text1_%1").arg(i)),
                         QString::fromLatin1(values[i]));
    }
    void SetBox(int i, const QString& text) { ClickAndType(Box(i), text); }
    void CloseByCloseBox() {
        qobject_cast<QMdiSubWindow*>(Window()->parentWidget())->close();
        FlushDeletes();
    }
};

TEST_F(WireSettingTest, OpensWithTheCatalogueAndShowsSlotZero) {
    WriteCatalogue(kThreeWires);
    Open();
    ASSERT_NE(Window(), nullptr);
    EXPECT_EQ(Window()->windowTitle(), QStringLiteral("電線種類設定"));
    EXPECT_EQ(ListEntries(), (QStringList{"計算例1", "計算例2", "ACSR", "新規"}));
    EXPECT_EQ(Combo()->currentText(), QStringLiteral("計算例1"));
    EXPECT_EQ(Boxes(), (QStringList{"18.00", "9000", "0.6000", "160.00", "18.2", "18.2", "1500"}));
    EXPECT_TRUE(Button(2)->isEnabled());
    EXPECT_TRUE(messages_.shown.empty()) << MessageTexts().join("|").toStdString();

    // A fixed frame with a close box only, centred in the MDI area.
    auto* sub = qobject_cast<QMdiSubWindow*>(Window()->parentWidget());
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->minimumSize(), sub->maximumSize());
    EXPECT_TRUE(sub->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(sub->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(sub->windowFlags() & Qt::WindowMaximizeButtonHint);
    const QSize client = main_->mdiArea()->viewport()->size();
    EXPECT_NEAR(sub->x(), (client.width() - sub->frameGeometry().width()) / 2.0, 1.0);
    EXPECT_NEAR(sub->y(), (client.height() - sub->frameGeometry().height()) / 2.0, 1.0);

    Choose(2);
    EXPECT_EQ(Combo()->currentText(), QStringLiteral("ACSR"));
    EXPECT_EQ(Boxes(), (QStringList{"19.20", "8902", "0.6885", "198.10", "18.3", "18.3", "2557"}));

    // Opening again while open only brings it to the front.
    Open();
    FlushDeletes();
    EXPECT_EQ(main_->findChildren<QWidget*>(QStringLiteral("frmWireSetting")).size(), 1);
    EXPECT_EQ(Combo()->currentText(), QStringLiteral("ACSR"));
}

TEST_F(WireSettingTest, TabRunsDownTheBoxesBesideTheLabelsThatNameThem) {
    WriteCatalogue(kThreeWires);
    Open();
    ASSERT_NE(Window(), nullptr);
    ExpectNothingOverlaps(Window());

    // From the name box, Tab visits the value boxes top down, each beside
    // the label that refusals name it by, then the three buttons.
    ClickOn(Combo());
    QList<QWidget*> visited;
    for (int i = 0; i < 10; ++i) {
        PressTab();
        visited << Focused();
    }
    for (int box = 0; box < kWireValueBoxCount; ++box) {
        auto* edit = qobject_cast<QLineEdit*>(visited[box]);
        ASSERT_NE(edit, nullptr) << "Tab " << box + 1 << " reached no box";
        if (box > 0) {
            EXPECT_GT(edit->y(), visited[box - 1]->y());
        }
        QLabel* label = LabelBeside(edit, true);
        ASSERT_NE(label, nullptr) << box;
        EXPECT_EQ(label->text().toStdString(), kWireValueCaptions[box]) << box;
        EXPECT_NE(LabelBeside(edit, false), nullptr) << "no unit after box " << box;
    }
    const QList<QWidget*> buttons = {Button(0), Button(1), Button(2)};
    for (int i = kWireValueBoxCount; i < visited.size(); ++i)
        EXPECT_TRUE(buttons.contains(visited[i])) << "Tab " << i + 1;
    // The buttons read 新規, 保存, 閉じる from left to right, under the boxes.
    EXPECT_LT(Button(2)->x(), Button(0)->x());
    EXPECT_LT(Button(0)->x(), Button(1)->x());
    EXPECT_GT(Button(0)->y(), Box(6)->geometry().bottom());
}

TEST_F(WireSettingTest, SavingAnExistingRecordStoresTheBoxesAsTyped) {
    WriteCatalogue(kThreeWires);
    Open();
    Choose(1);
    SetBox(2, QStringLiteral("0.60123"));
    SetBox(6, QStringLiteral("7000"));
    ClickOn(Button(0));
    EXPECT_TRUE(messages_.shown.empty()) << MessageTexts().join("|").toStdString();

    auto [list, last] = ReadBack();
    ASSERT_EQ(last, 2);
    EXPECT_EQ(list[1].wireName, "計算例2");
    EXPECT_EQ(list[1].unitWeight, 0.60123f);
    EXPECT_EQ(list[1].maxTension, 7000.0f);
    EXPECT_EQ(list[0].wireName, "計算例1");
    EXPECT_EQ(list[2].wireName, "ACSR");
    // Shown again through the display patterns.
    EXPECT_EQ(Boxes(), (QStringList{"19.00", "8000", "0.6012", "600.00", "50.0", "50.0", "7000"}));
    EXPECT_EQ(Combo()->currentText(), QStringLiteral("計算例2"));

    // Saving again unchanged keeps 0.60123: the display rounds, the file not.
    ClickOn(Button(0));
    EXPECT_EQ(ReadBack().first[1].unitWeight, 0.60123f);
}

// A box left as shown keeps the stored value in the file, however the display
// pattern rounds it; a box typed over holds exactly what was typed.
TEST_F(WireSettingTest, BoxesLeftAsShownKeepTheirStoredValuesInTheFile) {
    std::string stored = kThreeWires;
    stored.replace(stored.find(" 198.1 "), 7, " 198.105 ");
    WriteCatalogue(stored);
    Open();
    Choose(2);
    ASSERT_EQ(Boxes(), (QStringList{"19.20", "8902", "0.6885", "198.11", "18.3", "18.3", "2557"}));
    SetBox(6, QStringLiteral("2600.25"));
    ClickOn(Button(0));
    EXPECT_TRUE(messages_.shown.empty()) << MessageTexts().join("|").toStdString();
    std::string expected = stored;
    expected.replace(expected.find(" 2557 "), 6, " 2600.25 ");
    EXPECT_EQ(CatalogueBytes(), expected);

    // Shown anew after the save, and saved again as it stands.
    EXPECT_EQ(Box(3)->text(), QStringLiteral("198.11"));
    ClickOn(Button(0));
    EXPECT_EQ(CatalogueBytes(), expected);
}

// Each box's text reaches the form as typed; one that is not a number is
// refused, naming the box, with nothing written.
struct TypedModulus {
    const char16_t* typed;
    std::optional<float> saved; // nullopt: refused
};
void PrintTo(const TypedModulus& c, std::ostream* os) {
    *os << '"' << QString::fromUtf16(c.typed).toStdString() << '"';
}

class TypedModulusTest : public WireSettingTest,
                         public ::testing::WithParamInterface<TypedModulus> {};

TEST_P(TypedModulusTest, IsSavedAsTypedOrRefused) {
    const TypedModulus& c = GetParam();
    WriteCatalogue(kThreeWires);
    Open();
    SetBox(kBoxElasticModulus, QString::fromUtf16(c.typed));
    ClickOn(Button(0));
    if (c.saved) {
        EXPECT_TRUE(messages_.shown.empty()) << MessageTexts().join("|").toStdString();
        EXPECT_EQ(ReadBack().first[0].elasticModulus, *c.saved);
        return;
    }
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(messages_.shown[0].text.contains(QStringLiteral("「等価弾性係数」")))
        << messages_.shown[0].text.toStdString();
    EXPECT_EQ(Focused(), Box(kBoxElasticModulus));
    EXPECT_EQ(Box(kBoxElasticModulus)->text(), QString::fromUtf16(c.typed));
    EXPECT_EQ(CatalogueBytes(), kThreeWires);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TypedModulusTest,
    ::testing::Values(TypedModulus{u"８４００", 8400.0f}, TypedModulus{u" 8400.5 ", 8400.5f},
                      TypedModulus{u"1,000", std::nullopt}, TypedModulus{u"8400x", std::nullopt},
                      TypedModulus{u"abc", std::nullopt}, TypedModulus{u"", std::nullopt}));

// Records of an earlier, longer file must not come back as the "新規" slot.
TEST_F(WireSettingTest, AFileReplacedByGarbageLeavesNoGhostRecord) {
    const std::string garbage = "garbage\r\nnot a number\r\n";
    for (bool byCloseBox : {false, true}) {
        SCOPED_TRACE(byCloseBox ? "closed by the close box" : "closed by 閉じる");
        WriteCatalogue(kThreeWires);
        Open();
        Choose(2);
        if (byCloseBox) {
            CloseByCloseBox();
        } else {
            ClickOn(Button(1));
            FlushDeletes();
        }
        WriteCatalogue(garbage);
        messages_.shown.clear();
        Open();
        ASSERT_NE(Window(), nullptr);
        EXPECT_EQ(ListEntries(), QStringList{"新規"});
        EXPECT_EQ(Combo()->currentText(), QString());
        EXPECT_EQ(Boxes(), (QStringList{"0.00", "0", "0.0000", "0.00", "0.0", "0.0", "0"}));

        messages_.shown.clear();
        ClickOn(Button(0));
        ASSERT_EQ(messages_.shown.size(), 1u) << "saving asks for a name";
        EXPECT_EQ(messages_.shown[0].text, QStringLiteral("電線種類を入力してください"));
        EXPECT_EQ(CatalogueBytes(), garbage);
        ClickOn(Button(1));
        FlushDeletes();
    }
}

TEST_F(WireSettingTest, RenamingKeepsTheSlotAndTrimsBlanks) {
    WriteCatalogue(kThreeWires);
    Open();
    Choose(2);
    TypeName(QStringLiteral("  ACSR 160  "));
    ClickOn(Button(0));
    auto [list, last] = ReadBack();
    EXPECT_EQ(last, 2);
    EXPECT_EQ(list[2].wireName, "ACSR 160");
    EXPECT_EQ(ListEntries(), (QStringList{"計算例1", "計算例2", "ACSR 160", "新規"}));
    EXPECT_EQ(Combo()->currentText(), QStringLiteral("ACSR 160"));
}

TEST_F(WireSettingTest, AddingAppendsTheRecord) {
    WriteCatalogue(kThreeWires);
    Open();
    ClickOn(Button(2));
    EXPECT_FALSE(Button(2)->isEnabled());
    EXPECT_EQ(Combo()->currentText(), QStringLiteral("新規"));
    EXPECT_EQ(Boxes(), (QStringList{"0.00", "0", "0.0000", "0.00", "0.0", "0.0", "0"}));

    TypeName(QStringLiteral("硬銅より線 60"));
    Type({"17", "12000", "0.5419", "60.10", "10.0", "10", "1000"});
    ClickOn(Button(0));
    EXPECT_TRUE(messages_.shown.empty()) << MessageTexts().join("|").toStdString();

    auto [list, last] = ReadBack();
    ASSERT_EQ(last, 3);
    EXPECT_EQ(list[3], (WireRecord{.wireName = "硬銅より線 60",
                                   .diameterHigh = 10.0f,
                                   .diameterLow = 10.0f,
                                   .area = 60.1f,
                                   .unitWeight = 0.5419f,
                                   .expansionCoeff = 17.0f,
                                   .elasticModulus = 12000.0f,
                                   .maxTension = 1000.0f}));
    EXPECT_EQ(ListEntries(), (QStringList{"計算例1", "計算例2", "ACSR", "硬銅より線 60", "新規"}));
    EXPECT_EQ(Combo()->currentText(), QStringLiteral("硬銅より線 60"));
    EXPECT_TRUE(Button(2)->isEnabled());

    // The next save of the same window edits slot 3, it adds nothing.
    SetBox(6, QStringLiteral("1100"));
    ClickOn(Button(0));
    auto [again, lastAgain] = ReadBack();
    EXPECT_EQ(lastAgain, 3);
    EXPECT_EQ(again[3].maxTension, 1100.0f);
}

struct EmptyNameCase {
    const char* typed;
};
class NewRecordNameTest : public WireSettingTest,
                          public ::testing::WithParamInterface<EmptyNameCase> {};

TEST_P(NewRecordNameTest, NewOrEmptyNameIsAskedForAndNothingIsWritten) {
    WriteCatalogue(kThreeWires);
    Open();
    ClickOn(Button(2));
    TypeName(QString::fromUtf8(GetParam().typed));
    SetBox(1, QStringLiteral("5000"));
    ClickOn(Button(0));
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, QStringLiteral("電線種類を入力してください"));
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(CatalogueBytes(), kThreeWires);
    EXPECT_EQ(Box(1)->text(), QStringLiteral("5000"));
    EXPECT_EQ(ListEntries().size(), 4);
    EXPECT_FALSE(Button(2)->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Names, NewRecordNameTest,
                         ::testing::Values(EmptyNameCase{"新規"}, EmptyNameCase{""}));

TEST_F(WireSettingTest, BlanksOnlyNameOfANewRecordIsStoredEmpty) {
    WriteCatalogue(kThreeWires);
    Open();
    ClickOn(Button(2));
    TypeName(QStringLiteral("   "));
    TypeWireValues();
    ClickOn(Button(0));
    EXPECT_TRUE(messages_.shown.empty()) << MessageTexts().join("|").toStdString();
    auto [list, last] = ReadBack();
    ASSERT_EQ(last, 3);
    EXPECT_EQ(list[3].wireName, "");
}

TEST_F(WireSettingTest, EmptyCatalogueShowsOnlyNewAndSavesRecordZero) {
    WriteCatalogue("");
    Open();
    EXPECT_EQ(ListEntries(), QStringList{"新規"});
    EXPECT_EQ(Combo()->currentText(), QString());
    TypeName(QStringLiteral("最初の電線"));
    TypeWireValues();
    ClickOn(Button(0));
    auto [list, last] = ReadBack();
    ASSERT_EQ(last, 0);
    EXPECT_EQ(list[0].wireName, "最初の電線");
    EXPECT_EQ(ListEntries(), (QStringList{"最初の電線", "新規"}));
}

TEST_F(WireSettingTest, MissingCatalogueIsToldAndStartsEmpty) {
    Open();
    ASSERT_NE(Window(), nullptr);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Information);
    EXPECT_TRUE(messages_.shown[0].text.contains(CataloguePath()))
        << messages_.shown[0].text.toStdString();
    EXPECT_EQ(ListEntries(), QStringList{"新規"});
}

TEST_F(WireSettingTest, ABadCatalogueIsReportedAndKeptAsBackupOnSave) {
    std::string bad = kThreeWires;
    bad.replace(bad.find(" 8000 "), 6, "eight");
    WriteCatalogue(bad);
    Open();
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(messages_.shown[0].text.contains(CataloguePath()));
    EXPECT_EQ(ListEntries(), (QStringList{"計算例1", "新規"}));

    messages_.shown.clear();
    ClickOn(Button(0)); // saves record 0 over the file that was not read whole
    ASSERT_EQ(messages_.shown.size(), 1u);
    // The old file is kept under a name of its own, which the message gives.
    const QStringList backups =
        QDir(folder_.path()).entryList({QStringLiteral("wiredata.dat.*.bak")}, QDir::Files);
    ASSERT_EQ(backups.size(), 1) << backups.join("|").toStdString();
    EXPECT_TRUE(messages_.shown[0].text.contains(backups[0]))
        << messages_.shown[0].text.toStdString();
    EXPECT_EQ(ReadFileBytes(FsPath(ProgramFile(backups[0]))), bad);
    EXPECT_EQ(ReadBack().second, 0);
}

TEST_F(WireSettingTest, FullCatalogueRefusesAFiftySecondRecord) {
    WriteRecords(51);
    const std::optional<std::string> before = CatalogueBytes();
    ASSERT_TRUE(before);
    Open();
    ASSERT_EQ(Combo()->count(), 52);
    EXPECT_EQ(Combo()->itemText(51), QStringLiteral("新規"));
    EXPECT_FALSE(Button(2)->isEnabled());

    Choose(7);
    EXPECT_EQ(Combo()->currentText(), QStringLiteral("W7"));
    Choose(51);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_TRUE(messages_.shown[0].text.contains(QStringLiteral("51")));
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Exclamation);
    // Back to the record shown before.
    EXPECT_EQ(Combo()->currentIndex(), 7);
    EXPECT_EQ(Combo()->currentText(), QStringLiteral("W7"));
    EXPECT_EQ(Box(6)->text(), QStringLiteral("1007"));
    EXPECT_FALSE(Button(2)->isEnabled());

    // Saving now edits W7; no 52nd record is written.
    TypeName(QStringLiteral("W7 改"));
    ClickOn(Button(0));
    auto [list, last] = ReadBack();
    EXPECT_EQ(last, 50);
    EXPECT_EQ(list[7].wireName, "W7 改");
    EXPECT_NE(CatalogueBytes(), before);
    EXPECT_FALSE(Button(2)->isEnabled());
}

TEST_F(WireSettingTest, FiftiethRecordFillsTheCatalogue) {
    WriteRecords(50);
    Open();
    ClickOn(Button(2));
    TypeName(QStringLiteral("W50"));
    TypeWireValues();
    ClickOn(Button(0));
    EXPECT_EQ(ReadBack().second, 50);
    EXPECT_FALSE(Button(2)->isEnabled()) << "51 records: the catalogue is full";
    EXPECT_EQ(Combo()->count(), 52);
}

struct RefusedName {
    const char* typed;
    const char* inMessage;
};
void PrintTo(const RefusedName& n, std::ostream* os) { *os << n.typed; }

class RefusedNameTest : public WireSettingTest,
                        public ::testing::WithParamInterface<RefusedName> {};

TEST_P(RefusedNameTest, IsRefusedWithNothingStoredAndTheTypingKept) {
    WriteCatalogue(kThreeWires);
    Open();
    for (bool adding : {false, true}) {
        SCOPED_TRACE(adding ? "new record" : "existing record");
        messages_.shown.clear();
        if (adding) {
            ClickOn(Button(2));
        } else {
            Choose(1);
        }
        const QString typed = QString::fromUtf8(GetParam().typed);
        TypeName(typed);
        SetBox(3, QStringLiteral("123.45"));
        ClickOn(Button(0));
        ASSERT_EQ(messages_.shown.size(), 1u);
        EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Exclamation);
        EXPECT_TRUE(messages_.shown[0].text.contains(QString::fromUtf8(GetParam().inMessage)))
            << messages_.shown[0].text.toStdString();
        EXPECT_EQ(CatalogueBytes(), kThreeWires);
        EXPECT_EQ(Combo()->currentText(), typed);
        EXPECT_EQ(Box(3)->text(), QStringLiteral("123.45"));
        EXPECT_EQ(ListEntries().size(), 4);
    }
}

INSTANTIATE_TEST_SUITE_P(FormatCannotKeep, RefusedNameTest,
                         ::testing::Values(RefusedName{"ACSR,160", "カンマ"},
                                           RefusedName{"\"ACSR", "二重引用符"},
                                           RefusedName{"Müller線", "ü"}, RefusedName{"電線€", "€"},
                                           RefusedName{"線\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
                                           RefusedName{"A\tB", "制御文字"}));

TEST_F(WireSettingTest, JisLookAlikesAreStoredAsTheirTwins) {
    WriteCatalogue(kThreeWires);
    Open();
    Choose(0);
    TypeName(QStringLiteral("銅〜線−1"));
    ClickOn(Button(0));
    EXPECT_TRUE(messages_.shown.empty()) << MessageTexts().join("|").toStdString();
    EXPECT_EQ(ReadBack().first[0].wireName, "銅～線－1");
    EXPECT_EQ(Combo()->currentText(), QStringLiteral("銅～線－1"));
}

TEST_F(WireSettingTest, CloseBoxKeepsTheRecordShownAndCloseButtonResetsIt) {
    WriteCatalogue(kThreeWires);
    Open();
    Choose(2);
    CloseByCloseBox();
    EXPECT_EQ(Window(), nullptr);
    Open();
    EXPECT_EQ(Combo()->currentText(), QStringLiteral("ACSR"));
    EXPECT_EQ(Box(6)->text(), QStringLiteral("2557"));

    ClickOn(Button(1)); // 閉じる
    FlushDeletes();
    EXPECT_EQ(Window(), nullptr);
    Open();
    EXPECT_EQ(Combo()->currentText(), QStringLiteral("計算例1"));
}

TEST_F(WireSettingTest, ReopeningAfterTheFileShrankKeepsTheSlotWithinTheList) {
    WriteCatalogue(kThreeWires);
    Open();
    Choose(2);
    CloseByCloseBox();
    WriteRecords(1); // edited outside the program meanwhile
    Open();
    // Slot 2 no longer exists: the window is at "新規" (slot 1), and saving
    // appends right after the last record, leaving no gap.
    EXPECT_EQ(Combo()->currentIndex(), 1);
    TypeName(QStringLiteral("追加"));
    TypeWireValues();
    ClickOn(Button(0));
    auto [list, last] = ReadBack();
    ASSERT_EQ(last, 1);
    EXPECT_EQ(list[1].wireName, "追加");
}

TEST_F(WireSettingTest, FailedWriteLeavesListLastIndexAndFileAsTheyWere) {
    WriteCatalogue(kThreeWires);
    Open();
    // The folder becomes a path under a regular file: every write fails
    // (ENOTDIR), whatever the rights of the user running the test.
    const QString blocker = ProgramFile("plain-file");
    WriteFileBytes(FsPath(blocker), "x");
    const std::string good = main_->bookkeeping().wireDataPath;
    main_->bookkeeping().wireDataPath = (blocker + "/wiredata.dat").toStdString();

    ClickOn(Button(2));
    TypeName(QStringLiteral("新しい線"));
    TypeWireValues();
    SetBox(0, QStringLiteral("20"));
    ClickOn(Button(0));
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(messages_.shown[0].text.contains(blocker)) << messages_.shown[0].text.toStdString();
    EXPECT_EQ(ListEntries(), (QStringList{"計算例1", "計算例2", "ACSR", "新規"}));
    EXPECT_EQ(Combo()->currentText(), QStringLiteral("新しい線"));
    EXPECT_EQ(Box(0)->text(), QStringLiteral("20"));
    EXPECT_EQ(CatalogueBytes(), kThreeWires);

    // lastIndex was not advanced: once the folder is back, the same save
    // appends the record as slot 3, right after the last one.
    main_->bookkeeping().wireDataPath = good;
    messages_.shown.clear();
    ClickOn(Button(0));
    EXPECT_TRUE(messages_.shown.empty()) << MessageTexts().join("|").toStdString();
    auto [list, last] = ReadBack();
    ASSERT_EQ(last, 3);
    EXPECT_EQ(list[3].wireName, "新しい線");
    EXPECT_EQ(list[3].expansionCoeff, 20.0f);
}

// A program folder that the user cannot write into: a folder of mode 0555,
// or, when the tests run as root (whom modes do not stop), /sys, where nobody
// may create a file.
class ReadOnlyFolderTest : public WireSettingTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        const QString mine = ProgramFile("readonly");
        ASSERT_TRUE(QDir(folder_.path()).mkdir("readonly"));
        WriteFileBytes(FsPath(mine + "/wiredata.dat"), kThreeWires);
        ASSERT_TRUE(QFile::setPermissions(mine, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                    QFileDevice::ReadGroup |
                                                    QFileDevice::ExeGroup));
        if (!Writable(mine)) {
            readOnly_ = mine;
            hasCatalogue_ = true;
        } else if (!Writable(QStringLiteral("/sys")) && !QFile::exists("/sys/wiredata.dat")) {
            readOnly_ = QStringLiteral("/sys");
        }
        if (readOnly_.isEmpty()) GTEST_SKIP() << "no folder here that this user cannot write into";
        OpenMain(readOnly_);
    }
    void TearDown() override {
        CloseMain();
        QFile::setPermissions(ProgramFile("readonly"), QFileDevice::ReadOwner |
                                                           QFileDevice::WriteOwner |
                                                           QFileDevice::ExeOwner);
    }
    static bool Writable(const QString& folder) {
        return ::access(QFile::encodeName(folder).constData(), W_OK) == 0 &&
               QFile(folder + "/.probe").open(QIODevice::WriteOnly) &&
               QFile::remove(folder + "/.probe");
    }
    QString readOnly_;
    bool hasCatalogue_ = false;
};

TEST_F(ReadOnlyFolderTest, SavingSaysSoWithThePath) {
    Open();
    ASSERT_NE(Window(), nullptr);
    messages_.shown.clear();
    const QStringList before = ListEntries();
    ClickOn(Button(2));
    TypeName(QStringLiteral("保存できない線"));
    TypeWireValues();
    ClickOn(Button(0));
    ASSERT_EQ(messages_.shown.size(), 1u);
    const QString text = messages_.shown[0].text;
    EXPECT_TRUE(text.contains(readOnly_ + "/wiredata.dat")) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("保存できません"))) << text.toStdString();
    EXPECT_EQ(ListEntries(), before);
    if (hasCatalogue_) {
        EXPECT_EQ(ReadFileBytes(FsPath(readOnly_ + "/wiredata.dat")), kThreeWires);
    } else {
        EXPECT_FALSE(QFile::exists(readOnly_ + "/wiredata.dat"));
    }
}

TEST_F(WireSettingTest, BoxThatGetsTheFocusHasItsWholeTextSelected) {
    WriteCatalogue(kThreeWires);
    Open();
    ClickOn(Box(2));
    PressTab();
    ASSERT_EQ(Focused(), Box(3));
    EXPECT_EQ(Box(3)->selectedText(), QStringLiteral("160.00"));
}

} // namespace
} // namespace orvalt::test

namespace orvalt::test {
namespace {

// What the hands do in the wire settings window: typing a name never selects
// the record it matches, a click into a value box selects its text, and
// 新規 leaves "新規" selected for the new name to replace.
class WireSettingTypingTest : public WireSettingTest {};

TEST_F(WireSettingTypingTest, ANewNameThatPrefixesAnExistingOneIsAppended) {
    WriteCatalogue(kThreeWires);
    Open();
    ClickOn(Button(2)); // 新規
    ASSERT_EQ(Focused(), Combo()) << "新規 puts the focus in the name box";
    EXPECT_EQ(Combo()->lineEdit()->selectedText(), QStringLiteral("新規"));
    TypeText(QStringLiteral("ACS"));
    PressTab();
    EXPECT_EQ(Combo()->currentText(), QStringLiteral("ACS")) << "no name was filled in";
    EXPECT_EQ(Boxes(), (QStringList{"0.00", "0", "0.0000", "0.00", "0.0", "0.0", "0"}));
    EXPECT_FALSE(Button(2)->isEnabled()) << "still adding";
    ASSERT_EQ(Focused(), Box(0));
    for (const char* value : {"19", "8000", "0.5", "100", "12", "12"}) {
        TypeText(QString::fromLatin1(value));
        PressTab();
    }
    TypeText(QStringLiteral("1000"));
    ClickOn(Button(0));
    EXPECT_TRUE(messages_.shown.empty()) << MessageTexts().join("|").toStdString();

    // The three records keep their bytes; the new one follows them.
    const std::string bytes = CatalogueBytes().value_or("");
    ASSERT_GE(bytes.size(), kThreeWires.size());
    EXPECT_EQ(bytes.substr(0, kThreeWires.size()), kThreeWires);
    EXPECT_EQ(bytes.substr(kThreeWires.size()),
              "ACS\r\n 19 \r\n 8000 \r\n .5 \r\n 100 \r\n 12 \r\n 12 \r\n 1000 \r\n");
}

TEST_F(WireSettingTypingTest, AnExactNameTypedOverAnotherRecordRenamesInPlace) {
    WriteCatalogue(kThreeWires);
    Open();
    // Over record 0: the name of record 2, then Return and Tab. The boxes
    // keep record 0's constants and the save renames slot 0.
    TypeName(QStringLiteral("ACSR"));
    PressKey(Qt::Key_Return);
    PressTab();
    EXPECT_EQ(Boxes(), (QStringList{"18.00", "9000", "0.6000", "160.00", "18.2", "18.2", "1500"}));
    ClickOn(Button(0));
    auto [list, last] = ReadBack();
    ASSERT_EQ(last, 2);
    WireRecord renamed = WorkedExample1();
    renamed.wireName = "ACSR";
    EXPECT_EQ(list[0], renamed);
    EXPECT_EQ(list[2].maxTension, 2557.0f);

    // While adding, an existing name is a new record of that name.
    ClickOn(Button(2));
    TypeText(QStringLiteral("計算例2"));
    PressTab();
    EXPECT_EQ(Box(1)->text(), QStringLiteral("0")) << "計算例2's constants were not loaded";
    TypeWireValues();
    SetBox(0, QStringLiteral("7"));
    ClickOn(Button(0));
    auto [added, lastAdded] = ReadBack();
    ASSERT_EQ(lastAdded, 3);
    EXPECT_EQ(added[1].expansionCoeff, 19.0f);
    EXPECT_EQ(added[3].wireName, "計算例2");
    EXPECT_EQ(added[3].expansionCoeff, 7.0f);
}

TEST_F(WireSettingTypingTest, AClickIntoAValueBoxSelectsItsText) {
    WriteCatalogue(kThreeWires);
    Open();
    ClickOn(Box(1));
    TypeText(QStringLiteral("5"));
    EXPECT_EQ(Box(1)->text(), QStringLiteral("5"));
    // Tab into the next box selects it too.
    PressTab();
    TypeText(QStringLiteral("0.7"));
    EXPECT_EQ(Box(2)->text(), QStringLiteral("0.7"));
}

} // namespace
} // namespace orvalt::test

namespace orvalt::test {
namespace {

TEST_F(WireSettingTypingTest, AValueBeyondTheFloatRangeIsRefusedAsTooLarge) {
    WriteCatalogue(kThreeWires);
    Open();
    for (const char* huge : {"1e39", "-1e39"}) {
        messages_.shown.clear();
        SetBox(1, QString::fromLatin1(huge));
        ClickOn(Button(0));
        ASSERT_EQ(messages_.shown.size(), 1u) << huge;
        EXPECT_TRUE(
            messages_.shown[0].text.contains(QStringLiteral("「等価弾性係数」の値が大きすぎます")))
            << messages_.shown[0].text.toStdString();
        EXPECT_EQ(Focused(), Box(1));
        EXPECT_EQ(Box(1)->selectedText(), QString::fromLatin1(huge));
        EXPECT_EQ(CatalogueBytes(), kThreeWires);
    }
    // A value too small for a float would be 0, which no wire has.
    messages_.shown.clear();
    SetBox(1, QStringLiteral("1e-50"));
    ClickOn(Button(0));
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text,
              QStringLiteral("「等価弾性係数」には 0 より大きい値を入力してください。"));
    EXPECT_EQ(CatalogueBytes(), kThreeWires);
}

// Two copies of the program started from one folder, each adding a record:
// the second save finds the file changed, writes nothing, says so and shows
// the current records, on which the engineer adds the record again.
TEST_F(WireSettingTypingTest, ASecondCopysSaveNeverDropsTheFirstCopysRecord) {
    WriteCatalogue(kThreeWires);
    CalculationState otherState;
    FakeMessageService otherMessages;
    FakePrintService otherPrinting;
    frmMain other(otherState, otherMessages, otherPrinting, folder_.path());
    other.show();
    other.findChild<QAction*>(QStringLiteral("mnuWire"))->trigger();
    auto* otherWindow = other.findChild<QWidget*>(QStringLiteral("frmWireSetting"));
    ASSERT_NE(otherWindow, nullptr);

    // This copy adds 甲 and saves.
    Open();
    ClickOn(Button(2));
    TypeText(QStringLiteral("甲"));
    TypeWireValues();
    ClickOn(Button(0));
    ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join("|").toStdString();
    const std::optional<std::string> afterFirst = CatalogueBytes();
    ASSERT_TRUE(afterFirst);

    // The other copy, whose list was read before, adds 乙 and saves.
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    auto* otherCombo = otherWindow->findChild<QComboBox*>(QStringLiteral("cmbWireName"));
    auto* otherNew = otherWindow->findChild<QPushButton*>(QStringLiteral("Command1_2"));
    auto* otherSave = otherWindow->findChild<QPushButton*>(QStringLiteral("Command1_0"));
    ClickOn(otherNew);
    TypeText(QStringLiteral("乙"));
    TypeWireValues(otherWindow);
    ClickOn(otherSave);
    ASSERT_EQ(otherMessages.shown.size(), 1u);
    EXPECT_TRUE(
        otherMessages.shown[0].text.contains(QStringLiteral("今回の変更は保存していません")))
        << otherMessages.shown[0].text.toStdString();
    EXPECT_EQ(CatalogueBytes(), afterFirst) << "nothing was written";
    // The list now holds 甲, and the window is ready for the new record.
    QStringList entries;
    for (int i = 0; i < otherCombo->count(); ++i) entries << otherCombo->itemText(i);
    EXPECT_EQ(entries, (QStringList{"計算例1", "計算例2", "ACSR", "甲", "新規"}));
    EXPECT_EQ(otherCombo->currentText(), QStringLiteral("新規"));

    TypeText(QStringLiteral("乙"));
    TypeWireValues(otherWindow);
    ClickOn(otherSave);
    EXPECT_EQ(otherMessages.shown.size(), 1u);
    auto [list, last] = ReadBack();
    ASSERT_EQ(last, 4);
    EXPECT_EQ(list[3].wireName, "甲");
    EXPECT_EQ(list[4].wireName, "乙");
    other.findChild<QMdiArea*>()->closeAllSubWindows();
    FlushDeletes();
}

} // namespace
} // namespace orvalt::test
