// The case file commands of the ファイル menu, through their shortcuts: a case
// opened with Ctrl+O calculates to the command-line program's report, what
// Ctrl+Shift+S writes opens again as it was, and a file or a moment that
// cannot take the case changes nothing.
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/calculation/calculation.h"
#include "engine/case/case_file.h"
#include "engine/output/clearance_text.h"
#include "support/case_file_fixture.h"
#include "ui/windows/result_window.h"

namespace orvalt::test {
namespace {

// The worked example 1 wire under a name the test catalogue does not hold:
// a case carries its own copy of the wire.
const char kCase[] = R"({
  "format": "orvalt99-case",
  "version": 1,
  "title": "○○線 No.12〜No.18",
  "wire": { "name": "現場の線", "diameterHigh": 18.2, "diameterLow": 18.2, "area": 160,
            "unitWeight": 0.6, "expansionCoeff": 18, "elasticModulus": 9000, "maxTension": 1500 },
  "conditions": { "windPressureHigh": 100, "windPressureLow": 50, "windPressureStudy": 0,
                  "temperatureHigh": 15, "temperatureLow": -15, "temperatureStudy": 90,
                  "spanStart": 100, "spanEnd": 400, "spanStep": 10 },
  "chart": { "from": -10, "to": 40, "step": 10 },
  "section": [ { "length": 120, "heightDifference": 0 }, { "length": 250, "heightDifference": 15 } ]
}
)";

TEST_F(CaseFileTest, CtrlOThenCalculateGivesTheCommandLinesReport) {
    const QString path = WriteFile(QStringLiteral("line.o99case"), kCase);
    OpenWithKeys(path);

    ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'|').toStdString();
    EXPECT_EQ(
        Caption(),
        QStringLiteral("最大使用張力計算  現場の線  90°  -  line.o99case  ○○線 No.12〜No.18"));
    EXPECT_TRUE(Action("mnuCalculate")->isEnabled());
    EXPECT_TRUE(Action("mnuSave")->isEnabled());
    Press(Qt::Key_C, Qt::AltModifier); // 計算
    const auto results = SubWindows(QStringLiteral("frmKekka"));
    ASSERT_EQ(results.size(), 1);
    const QString report = qobject_cast<frmKekka*>(results.front()->widget())->reportText();

    QProcess cli;
    cli.start(QStringLiteral(ORVALT_CLI_PROGRAM), {QStringLiteral("report"), path});
    ASSERT_TRUE(cli.waitForFinished(30000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    EXPECT_EQ(report.toStdString(), cli.readAllStandardOutput().toStdString());
}

// The chart temperatures, the section and the 弛度観測 N and a of the case
// (version 2) are where a new chart and a new section window start.
TEST_F(CaseFileTest, NewChartAndSectionWindowsStartFromTheOpenedCase) {
    QByteArray bytes(kCase);
    bytes.replace(R"("version": 1)", R"("version": 2)");
    bytes.replace(R"("chart": { "from": -10, "to": 40, "step": 10 })",
                  R"("chart": { "from": -5, "to": 35, "step": 5 })");
    bytes.replace(R"("section": [)", R"("section": { "stringingTemperature": 15, "spans": [)");
    bytes.replace(R"("heightDifference": 15 } ])",
                  R"("heightDifference": 15 } ] },
  "fieldCheck": { "waves": 4, "sightingA": 2.5 })");
    auto fieldCheckBoxes = [](QWidget* window) {
        QStringList texts;
        for (const char* box : {"txtWaves", "txtSight"})
            texts << window->findChild<QLineEdit*>(QLatin1String(box))->text();
        return texts;
    };
    OpenWithKeys(WriteFile(QStringLiteral("line.o99case"), bytes));
    Press(Qt::Key_C, Qt::AltModifier); // 計算
    Press(Qt::Key_K, Qt::AltModifier); // 架線弛度表
    QWidget* chart = ActiveChild();
    ASSERT_NE(chart, nullptr);
    ASSERT_EQ(chart->objectName(), QStringLiteral("frmChart"));
    std::vector<int> range;
    for (const char* box : {"spnFrom", "spnTo", "spnStep"})
        range.push_back(chart->findChild<QSpinBox*>(QLatin1String(box))->value());
    EXPECT_EQ(range, (std::vector<int>{-5, 35, 5}));
    EXPECT_EQ(fieldCheckBoxes(chart), (QStringList{"4", "2.5"}));

    Press(Qt::Key_T, Qt::AltModifier); // 区間計算
    QWidget* section = ActiveChild();
    ASSERT_NE(section, nullptr);
    ASSERT_EQ(section->objectName(), QStringLiteral("frmSection"));
    auto* spans = section->findChild<QTableWidget*>(QStringLiteral("grdSpans"));
    ASSERT_NE(spans, nullptr);
    QStringList cells;
    for (int row = 0; row < spans->rowCount(); ++row)
        for (int column = 0; column < 2; ++column) cells << spans->item(row, column)->text();
    EXPECT_EQ(cells, (QStringList{"120", "0", "250", "15"}));
    EXPECT_EQ(fieldCheckBoxes(section), (QStringList{"4", "2.5"}));
    EXPECT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'|').toStdString();
}

TEST_F(CaseFileTest, CtrlShiftSWritesTheStoredCaseAndItReopensAsItWas) {
    Press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(dialogs_.asked.empty()) << "saving before any OK";
    QWidget* conditions = OpenConditions();
    ChooseWire(conditions, 1);
    SetBox(conditions, 13, QStringLiteral("50"));
    Click(conditions, "Command1_0");
    Trigger("mnuCalculate");
    Trigger("mnuChart");
    QWidget* chart = ActiveChild();
    ASSERT_NE(chart, nullptr);
    ASSERT_EQ(chart->objectName(), QStringLiteral("frmChart"));
    auto* to = chart->findChild<QSpinBox*>(QStringLiteral("spnTo"))->findChild<QLineEdit*>();
    ClickAndType(to, QStringLiteral("60"));
    PressKey(Qt::Key_Return);
    const CaseFile saved = Stored();

    dialogs_.saveAnswer = cases_.filePath(QStringLiteral("second")); // typed without extension
    Press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    const QString path = cases_.filePath(QStringLiteral("second.o99case"));
    const CaseReadResult written = ReadCaseFile(FsPath(path));
    ASSERT_TRUE(written.caseFile) << written.error;
    EXPECT_EQ(written.caseFile->conditions, saved.conditions);
    EXPECT_EQ(written.caseFile->chart, (CaseChartRange{-10, 60, 10})); // the active chart's

    // Other conditions, then the saved case again.
    conditions = OpenConditions();
    SetBox(conditions, 13, QStringLiteral("25"));
    Click(conditions, "Command1_0");
    ASSERT_NE(Stored().conditions, saved.conditions);
    messages_.answers = {MessageAnswer::Discard}; // the new conditions are not kept
    OpenWithKeys(path);
    EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("second.o99caseへの変更を保存しますか")});
    EXPECT_EQ(Stored().conditions, saved.conditions);
    EXPECT_TRUE(Caption().endsWith(QStringLiteral("  -  second.o99case")));

    // Ctrl+S now writes over the same file without asking.
    const std::size_t asked = dialogs_.asked.size();
    QFile::remove(path);
    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs_.asked.size(), asked);
    EXPECT_TRUE(QFile::exists(path));
}

TEST_F(CaseFileTest, OpenIsRefusedWhileTheConditionsWindowIsOpen) {
    const QString path = WriteFile(QStringLiteral("line.o99case"), kCase);
    ASSERT_NE(OpenConditions(), nullptr);
    const CaseFile before = Stored();
    OpenWithKeys(path);
    EXPECT_TRUE(dialogs_.asked.empty());
    EXPECT_EQ(MessageTexts(),
              QStringList{QStringLiteral("条件設定画面を閉じてから開いてください")});
    EXPECT_EQ(Stored(), before);
    EXPECT_EQ(Caption(), QStringLiteral("最大使用張力計算"));
}

// A file refused by the reader leaves the start as it was (the same as
// `orvalt99 FILE` with such a file); one with a key of a later version opens
// and says what it left out.
TEST_F(CaseFileTest, ARefusedFileChangesNothingAndAnUnknownKeyIsTold) {
    struct Row {
        QByteArray bytes;
        bool opens;
        QString told;
    };
    const QByteArray good(kCase);
    const Row rows[] = {
        {QByteArray("{ not json"), false, QStringLiteral("JSON")},
        {QByteArray(good).replace("\"spanStep\": 10", "\"spanStep\": 0"), false,
         QStringLiteral("「conditions.spanStep」")},
        {QByteArray(good).replace("\"title\"", "\"colour\": 1, \"title\""), true,
         QStringLiteral("「colour」")},
    };
    for (const Row& row : rows) {
        CloseMain();
        messages_.shown.clear();
        OpenMain(folder_.path());
        main_->setOpenDialogService(dialogs_);
        OpenWithKeys(WriteFile(QStringLiteral("case.o99case"), row.bytes));
        SCOPED_TRACE(row.bytes.left(40).toStdString());
        ASSERT_EQ(messages_.shown.size(), 1u);
        EXPECT_TRUE(messages_.shown[0].text.contains(row.told))
            << messages_.shown[0].text.toStdString();
        EXPECT_EQ(Action("mnuCalculate")->isEnabled(), row.opens);
        EXPECT_EQ(Action("mnuSaveAs")->isEnabled(), row.opens);
        EXPECT_EQ(Caption().contains(QStringLiteral("case.o99case")), row.opens);
    }
}

// The new commands' letters stay apart from the menu's others, and the
// menu bar keeps its letters.
TEST_F(CaseFileTest, TheFileMenuAndTheMenuBarKeepDistinctLetters) {
    auto letters = [](const QList<QAction*>& actions) {
        QString found;
        for (const QAction* action : actions)
            if (!action->isSeparator())
                found += QKeySequence::mnemonic(action->text()).toString().right(1);
        return found;
    };
    auto* file = main_->findChild<QMenu*>(QStringLiteral("mnuFile"));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(letters(file->actions()), QStringLiteral("OSAHEIX"));
    // The design's letters, then ウィンドウ's.
    EXPECT_EQ(letters(main_->menuBar()->actions()), QStringLiteral("FSCTPKGWUM"));
}

// No window edits a section's ground and crossings yet: Ctrl+S after Ctrl+O
// writes them back as they were opened, beside the spans.
TEST_F(CaseFileTest, CtrlSKeepsTheGroundAndCrossingsOfTheOpenedCase) {
    QByteArray bytes(kCase);
    bytes.replace(R"("version": 1)", R"("version": 2)");
    bytes.replace(
        R"("section": [ { "length": 120, "heightDifference": 0 }, { "length": 250, "heightDifference": 15 } ])",
        R"("section": { "spans": [ { "length": 120, "heightDifference": 0 },
                                   { "length": 250, "heightDifference": 15 } ],
                       "supports": [ { "groundElevation": 100, "attachmentHeight": 12 },
                                     { "groundElevation": 100, "attachmentHeight": 12 },
                                     { "groundElevation": 112, "attachmentHeight": 15 } ],
                       "ground": [ { "distance": 200, "elevation": 104.5 } ],
                       "crossings": [ { "distance": 300, "kind": "鉄道", "elevation": 107 } ],
                       "voltageClass": "低圧", "creepAllowance": 10 })");
    const QString path = WriteFile(QStringLiteral("ground.o99case"), bytes);
    const CaseReadResult opened = ReadCaseFile(FsPath(path));
    ASSERT_TRUE(opened.caseFile) << opened.error;
    ASSERT_EQ(opened.caseFile->section.clearance.crossings.size(), 1u);
    OpenWithKeys(path);
    ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'|').toStdString();
    QFile::remove(path);
    Press(Qt::Key_S, Qt::ControlModifier);
    const CaseReadResult saved = ReadCaseFile(FsPath(path));
    ASSERT_TRUE(saved.caseFile) << saved.error;
    EXPECT_EQ(saved.caseFile->section.clearance, opened.caseFile->section.clearance);
    EXPECT_EQ(saved.caseFile->section, opened.caseFile->section);
}

// A four-span section over uneven ground with a road crossing, opened with
// Ctrl+O and computed in 区間計算: the 離隔 page marks the road 不可 at the
// case's 90 degC and 可 at 60 degC, as the command line does.
const char kGroundCase[] = R"({
  "format": "orvalt99-case",
  "version": 2,
  "title": "○○線 No.12～No.16 離隔",
  "wire": { "name": "計算例1", "diameterHigh": 18.2, "diameterLow": 18.2, "area": 160,
            "unitWeight": 0.6, "expansionCoeff": 18, "elasticModulus": 9000, "maxTension": 1500 },
  "conditions": { "windPressureHigh": 100, "windPressureLow": 50, "windPressureStudy": 0,
                  "temperatureHigh": 15, "temperatureLow": -15, "temperatureStudy": 90,
                  "spanStart": 100, "spanEnd": 400, "spanStep": 10 },
  "section": {
    "spans": [ { "length": 180, "heightDifference": 4.5 }, { "length": 220, "heightDifference": -7.5 },
               { "length": 160, "heightDifference": 4 }, { "length": 200, "heightDifference": 2 } ],
    "supports": [ { "groundElevation": 100.0, "attachmentHeight": 16.0 },
                  { "groundElevation": 104.5, "attachmentHeight": 16.0 },
                  { "groundElevation": 98.0, "attachmentHeight": 15.0 },
                  { "groundElevation": 101.0, "attachmentHeight": 16.0 },
                  { "groundElevation": 103.0, "attachmentHeight": 16.0 } ],
    "ground": [ { "distance": 60, "elevation": 101.2 }, { "distance": 120, "elevation": 103.8 },
                { "distance": 250, "elevation": 103.0 }, { "distance": 330, "elevation": 99.0 },
                { "distance": 480, "elevation": 99.5 }, { "distance": 640, "elevation": 102.0 } ],
    "crossings": [ { "distance": 300, "kind": "道路", "elevation": 100.75 } ],
    "voltageClass": "高圧"
  }
}
)";

TEST_F(CaseFileTest, SectionWindowJudgesTheRoadOfTheOpenedCase) {
    struct Row {
        int studyTemperature;
        QString verdict;
        QString note;
    } const rows[] = {{90, QStringLiteral("不可"), QStringLiteral("離隔が不可の箇所が 1 あります")},
                      {60, QStringLiteral("可"), QStringLiteral("離隔はすべて可です")}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.studyTemperature);
        QByteArray bytes(kGroundCase);
        bytes.replace("\"temperatureStudy\": 90",
                      "\"temperatureStudy\": " + QByteArray::number(row.studyTemperature));
        OpenWithKeys(WriteFile(QStringLiteral("ground.o99case"), bytes));
        ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'|').toStdString();
        Press(Qt::Key_T, Qt::AltModifier); // 区間計算
        QWidget* section = ActiveChild();
        ASSERT_NE(section, nullptr);
        ASSERT_EQ(section->objectName(), QStringLiteral("frmSection"));
        Click(section, "cmdCalculate");
        ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'|').toStdString();
        auto* tabs = section->findChild<QTabWidget*>(QStringLiteral("tabResults"));
        ASSERT_NE(tabs, nullptr);
        const int page = tabs->count() - 1;
        ASSERT_EQ(tabs->tabText(page), QStringLiteral("離隔"));
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {},
                          tabs->tabBar()->tabRect(page).center());
        ASSERT_EQ(tabs->currentIndex(), page);
        auto* note = section->findChild<QLabel*>(QStringLiteral("lblClearance"));
        ASSERT_NE(note, nullptr);
        EXPECT_EQ(note->text(), row.note);
        auto* crossings = section->findChild<QTableView*>(QStringLiteral("grdClearanceCrossings"));
        ASSERT_NE(crossings, nullptr);
        const QAbstractItemModel* model = crossings->model();
        ASSERT_EQ(model->rowCount(), 1);
        EXPECT_EQ(model->index(0, 1).data().toString(), QStringLiteral("道路"));
        EXPECT_EQ(model->index(0, model->columnCount() - 1).data().toString(), row.verdict);
        main_->findChild<QMdiArea*>()->closeAllSubWindows();
        FlushDeletes();
    }
}

// The same case with a suspension string on the second support: the 離隔
// page hangs the wire on the opened case's supports (the support list starts
// from them), so its crossing row is the command line's for that case and
// not the one on fixed supports.
TEST_F(CaseFileTest, SectionWindowChecksClearanceOnTheCasesSupports) {
    QByteArray bytes(kGroundCase);
    const std::pair<const char*, const char*> types[] = {
        {"{ \"groundElevation\": 100.0", "{ \"type\": \"deadEnd\", \"groundElevation\": 100.0"},
        {"{ \"groundElevation\": 104.5",
         "{ \"type\": \"suspension\", \"stringLength\": 2.0, \"stringWeight\": 30,"
         " \"groundElevation\": 104.5"},
        {"{ \"groundElevation\": 98.0", "{ \"type\": \"fixed\", \"groundElevation\": 98.0"},
        {"{ \"groundElevation\": 101.0", "{ \"type\": \"fixed\", \"groundElevation\": 101.0"},
        {"{ \"groundElevation\": 103.0", "{ \"type\": \"deadEnd\", \"groundElevation\": 103.0"}};
    for (const auto& [from, to] : types) {
        ASSERT_TRUE(bytes.contains(from)) << from;
        bytes.replace(from, to);
    }
    const QString path = WriteFile(QStringLiteral("strings.o99case"), bytes);
    const CaseReadResult read = ReadCaseFile(FsPath(path));
    ASSERT_TRUE(read.caseFile) << read.error;
    CalculationState state;
    ApplyCase(*read.caseFile, state);
    RunCalculation(state);
    const CellTable expected = ClearanceCrossingCells(ComputeCaseClearance(*read.caseFile, state));
    CaseFile fixedCase = *read.caseFile;
    fixedCase.section.supports.clear();
    ASSERT_NE(expected, ClearanceCrossingCells(ComputeCaseClearance(fixedCase, state)))
        << "the string should move the wire over the road";

    OpenWithKeys(path);
    ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'|').toStdString();
    Press(Qt::Key_T, Qt::AltModifier); // 区間計算
    QWidget* section = ActiveChild();
    ASSERT_NE(section, nullptr);
    Click(section, "cmdCalculate");
    ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'|').toStdString();
    auto* crossings = section->findChild<QTableView*>(QStringLiteral("grdClearanceCrossings"));
    ASSERT_NE(crossings, nullptr);
    const QAbstractItemModel* model = crossings->model();
    ASSERT_EQ(static_cast<std::size_t>(model->rowCount()) + 1, expected.size());
    for (int c = 0; c < model->columnCount(); ++c) {
        EXPECT_EQ(model->index(0, c).data().toString().toStdString(),
                  expected[1][static_cast<std::size_t>(c)])
            << c;
    }
}

} // namespace
} // namespace orvalt::test
