// The design as a document in the windows, driven through keys and clicks: a
// case's own wire comes through the conditions window unchanged, the caption
// marks unsaved changes after the file's name, and quitting or opening
// another case with unsaved changes asks one question, whether to save them.
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableView>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/case/case_file.h"
#include "engine/forms/conditions_form.h"
#include "support/case_file_fixture.h"

namespace orvalt::test {
namespace {

// A wire of the case's own, with constants finer than the conditions
// window's display patterns show them (0.60123 shows as 0.6012).
const char kOwnWireCase[] = R"({
  "format": "orvalt99-case",
  "version": 1,
  "wire": { "name": "現場の線", "diameterHigh": 18.25, "diameterLow": 18.25, "area": 160.07,
            "unitWeight": 0.60123, "expansionCoeff": 18.1, "elasticModulus": 9000,
            "maxTension": 1500.4 },
  "conditions": { "windPressureHigh": 100, "windPressureLow": 50, "windPressureStudy": 0,
                  "temperatureHigh": 15, "temperatureLow": -15, "temperatureStudy": 90,
                  "spanStart": 100, "spanEnd": 400, "spanStep": 50 }
}
)";

class CaseDocumentWindowTest : public CaseFileTest {
protected:
    // The case of `bytes` with the wire named `name`, written and opened
    // with Ctrl+O.
    QString OpenCase(const QString& fileName, QByteArray bytes, const char* name = "現場の線") {
        bytes.replace("現場の線", name);
        const QString path = WriteFile(fileName, bytes);
        OpenWithKeys(path);
        return path;
    }

    static CaseFile Read(const QString& path) {
        const CaseReadResult read = ReadCaseFile(FsPath(path));
        EXPECT_TRUE(read.caseFile) << read.error;
        return read.caseFile.value_or(CaseFile{});
    }

    // 計算条件 with its access key.
    QWidget* ConditionsByKey() {
        Press(Qt::Key_S, Qt::AltModifier);
        return ConditionsWindow();
    }

    static QComboBox* WireBox(QWidget* conditions) {
        return Child<QComboBox>(conditions, QStringLiteral("cmbWireName"));
    }
};

// Whether the catalogue holds the case's wire name or not, the window shows
// the case's wire (its own constants, not the catalogue's), and OK after a
// change of only 検討温度 keeps it: 上書き保存 writes it back bit for bit.
TEST_F(CaseDocumentWindowTest, TheCasesOwnWireSurvivesAChangeOfTheStudyTemperature) {
    struct Row {
        const char* name;
        int listEntry; // the entry selected, -1 for none
    };
    const Row rows[] = {{"現場の線", -1}, {"計算例2", 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = OpenCase(QStringLiteral("own.o99case"), kOwnWireCase, row.name);
        const WireRecord wire = Read(path).conditions.wire;
        ASSERT_EQ(wire.wireName, row.name);
        EXPECT_EQ(Caption(), QStringLiteral("最大使用張力計算  %1  90°  -  own.o99case")
                                 .arg(QString::fromUtf8(row.name)));

        QWidget* conditions = ConditionsByKey();
        ASSERT_NE(conditions, nullptr);
        EXPECT_EQ(WireBox(conditions)->currentText(), QString::fromUtf8(row.name));
        EXPECT_EQ(WireBox(conditions)->currentIndex(), row.listEntry);
        EXPECT_EQ(Box(conditions, kBoxUnitWeight)->text(), QStringLiteral("0.6012"));
        EXPECT_EQ(Box(conditions, kBoxMaxTension)->text(), QStringLiteral("1500"));
        SetBox(conditions, kBoxTemperatureStudy, QStringLiteral("80"));
        Click(conditions, "Command1_0");
        ASSERT_EQ(ConditionsWindow(), nullptr) << MessageTexts().join(u'|').toStdString();
        EXPECT_EQ(state_.currentWire, wire);
        EXPECT_TRUE(Caption().endsWith(QStringLiteral("own.o99case*"))) << Caption().toStdString();

        Press(Qt::Key_S, Qt::ControlModifier);
        const CaseFile saved = Read(path);
        EXPECT_EQ(saved.conditions.wire, wire);
        EXPECT_EQ(saved.conditions.temperatureStudy, 80);
        EXPECT_TRUE(Caption().endsWith(QStringLiteral("own.o99case")));
        EXPECT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'|').toStdString();
    }
}

// Without a case file the window keeps the design's rule, the catalogue's
// first wire at every opening; once the design is saved, it shows the
// design's wire.
TEST_F(CaseDocumentWindowTest, ReopeningShowsTheFirstCatalogueWireUntilTheDesignHasAFile) {
    QWidget* conditions = ConditionsByKey();
    ChooseWire(conditions, 2);
    Click(conditions, "Command1_0");
    ASSERT_EQ(state_.currentWire.wireName, "ACSR Linnet");

    conditions = ConditionsByKey();
    EXPECT_EQ(WireBox(conditions)->currentText(), QStringLiteral("計算例1"));
    Click(conditions, "Command1_1");

    dialogs_.saveAnswer = cases_.filePath(QStringLiteral("linnet.o99case"));
    Press(Qt::Key_S, Qt::ControlModifier); // never saved: asks for the name
    ASSERT_TRUE(QFile::exists(dialogs_.saveAnswer));
    conditions = ConditionsByKey();
    EXPECT_EQ(WireBox(conditions)->currentText(), QStringLiteral("ACSR Linnet"));
    EXPECT_EQ(WireBox(conditions)->currentIndex(), 2);
}

// Every change to what the document holds marks the caption, and 上書き保存
// writes it and clears the mark; OK without a change marks nothing.
TEST_F(CaseDocumentWindowTest, EveryChangeOfTheDesignMarksTheCaptionUntilSaved) {
    struct Row {
        const char* what;
        std::function<void()> edit;
        bool marks;
        std::function<bool(const CaseFile&)> saved;
    };
    const Row rows[] = {
        {"OK without a change",
         [this] { Click(ConditionsByKey(), "Command1_0"); },
         false,
         [](const CaseFile&) { return true; }},
        {"chart temperatures",
         [this] {
             Press(Qt::Key_C, Qt::AltModifier); // 計算
             Press(Qt::Key_K, Qt::AltModifier); // 架線弛度表
             auto* to = Child<QSpinBox>(ActiveChild(), QStringLiteral("spnTo"));
             ClickAndType(to->findChild<QLineEdit*>(), QStringLiteral("60"));
             PressKey(Qt::Key_Return);
         },
         true,
         [](const CaseFile& c) { return c.chart == CaseChartRange{-10, 60, 10}; }},
        {"section spans",
         [this] {
             Press(Qt::Key_T, Qt::AltModifier); // 区間計算
             QWidget* section = ActiveChild();
             auto* spans = Child<QTableView>(section, QStringLiteral("grdSpans"));
             QTest::mouseClick(spans->viewport(), Qt::LeftButton, Qt::NoModifier,
                               spans->visualRect(spans->model()->index(0, 0)).center());
             for (const char* key : {"1", "2", "0"}) TypeText(QString::fromLatin1(key));
             PressTab();
             TypeText(QStringLiteral("5"));
             PressKey(Qt::Key_Return);
             Click(section, "cmdCalculate");
         },
         true,
         [](const CaseFile& c) {
             return c.section.spans == std::vector<SectionSpan>{{120.0f, 5.0f}};
         }},
        {"弛度観測 N and a",
         [this] {
             Press(Qt::Key_C, Qt::AltModifier); // 計算
             Press(Qt::Key_K, Qt::AltModifier); // 架線弛度表
             for (const auto& [box, text] : {std::pair{"txtWaves", "4"}, {"txtSight", "2.5"}}) {
                 auto* edit = Child<QLineEdit>(ActiveChild(), QString::fromLatin1(box));
                 ShowTabOf(edit);
                 ClickAndType(edit, QString::fromLatin1(text));
                 PressKey(Qt::Key_Return);
             }
         },
         true,
         [](const CaseFile& c) { return c.fieldCheck == CaseFieldCheck{4, 2.5}; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CloseMain();
        OpenMain(folder_.path());
        main_->setSaveDialogService(dialogs_);
        main_->setOpenDialogService(dialogs_);
        const QString path = OpenCase(QStringLiteral("line.o99case"), kOwnWireCase);
        row.edit();
        EXPECT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'|').toStdString();
        EXPECT_EQ(Caption().endsWith(QStringLiteral("line.o99case*")), row.marks) << Caption().toStdString();
        Press(Qt::Key_S, Qt::ControlModifier);
        EXPECT_TRUE(Caption().endsWith(QStringLiteral("line.o99case"))) << Caption().toStdString();
        EXPECT_TRUE(row.saved(Read(path)));
    }
}

// Quitting or 開く with unsaved changes asks once whether to save them,
// naming the file (無題 for a design never saved): 保存 writes and goes on,
// 保存しない goes on without writing, キャンセル stays with nothing written.
TEST_F(CaseDocumentWindowTest, UnsavedChangesAskOnceWhetherToSave) {
    enum class Command { Quit, Open };
    struct Row {
        Command command;
        bool hasFile;
        MessageAnswer answer;
        const char* question;
        bool written; // the changed study temperature is in the file
        bool goesOn;  // quit: the window closed; 開く: the other case opened
    };
    const Row rows[] = {
        {Command::Quit, false, MessageAnswer::Save, "無題への変更を保存しますか", true, true},
        {Command::Quit, true, MessageAnswer::Save, "line.o99caseへの変更を保存しますか", true, true},
        {Command::Quit, true, MessageAnswer::Discard, "line.o99caseへの変更を保存しますか", false,
         true},
        {Command::Quit, true, MessageAnswer::Cancel, "line.o99caseへの変更を保存しますか", false,
         false},
        {Command::Open, true, MessageAnswer::Save, "line.o99caseへの変更を保存しますか", true, true},
        {Command::Open, false, MessageAnswer::Discard, "無題への変更を保存しますか", false, true},
        {Command::Open, true, MessageAnswer::Cancel, "line.o99caseへの変更を保存しますか", false,
         false},
    };
    const QString other = WriteFile(QStringLiteral("other.o99case"), kOwnWireCase);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.question + std::string(row.command == Command::Quit ? " quit " : " open ") +
                     std::to_string(static_cast<int>(row.answer)));
        CloseMain();
        OpenMain(folder_.path());
        main_->setSaveDialogService(dialogs_);
        main_->setOpenDialogService(dialogs_);
        const QString path = cases_.filePath(QStringLiteral("line.o99case"));
        QFile::remove(path);
        dialogs_.saveAnswer = path;
        QWidget* conditions = ConditionsByKey();
        Click(conditions, "Command1_0");
        if (row.hasFile) Press(Qt::Key_S, Qt::ControlModifier);
        conditions = ConditionsByKey();
        SetBox(conditions, kBoxTemperatureStudy, QStringLiteral("80"));
        Click(conditions, "Command1_0");
        messages_.shown.clear();
        dialogs_.asked.clear();

        messages_.answers = {row.answer};
        dialogs_.openAnswer = other;
        if (row.command == Command::Quit)
            Trigger("mnuFile_End");
        else
            Press(Qt::Key_O, Qt::ControlModifier);

        ASSERT_EQ(messages_.shown.size(), 1u) << MessageTexts().join(u'|').toStdString();
        EXPECT_EQ(messages_.shown[0].text, QString::fromUtf8(row.question));
        EXPECT_EQ(messages_.shown[0].buttons, MessageButtons::SaveDiscardCancel);
        EXPECT_EQ(QFile::exists(path) && Read(path).conditions.temperatureStudy == 80,
                  row.written);
        if (row.command == Command::Quit) {
            EXPECT_EQ(main_->isVisible(), !row.goesOn);
        } else {
            EXPECT_EQ(Caption().endsWith(QStringLiteral("other.o99case")), row.goesOn)
                << Caption().toStdString();
            EXPECT_EQ(state_.temperatureStudy, row.goesOn ? 90 : 80);
        }
    }
}

} // namespace
} // namespace orvalt::test
