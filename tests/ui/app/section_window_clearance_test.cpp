// The section window's 離隔 page, driven through keys: the supports' ground,
// the survey points and a road typed into their tables, 計算, the clearance
// judged and marked, the page printed through the fake printer, its CSV
// against the golden file (the command line's bytes), and the inputs saved
// with the case; a bad cell named, and an edit that greys only the results.
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

#include <gtest/gtest.h>

#include "engine/case/case_file.h"
#include "support/case_file_fixture.h"
#include "support/golden_file.h"
#include "support/main_window_fixture.h"
#include "ui/base/result_marks.h"
#include "ui/windows/section_window.h"
#include "ui/windows/section_window_clearance_plot.h"

namespace orvalt::test {
namespace {
// Four spans over uneven ground as a case holds them before the survey is
// typed: the spans and the voltage class, no ground, no crossing.
QByteArray BareCase(const char* studyTemperature) {
    return QByteArray(R"({
  "format": "orvalt99-case",
  "version": 2,
  "title": "○○線 No.12～No.16 離隔",
  "wire": { "name": "計算例1", "diameterHigh": 18.2, "diameterLow": 18.2, "area": 160,
            "unitWeight": 0.6, "expansionCoeff": 18, "elasticModulus": 9000, "maxTension": 1500 },
  "conditions": { "windPressureHigh": 100, "windPressureLow": 50, "windPressureStudy": 0,
                  "temperatureHigh": 15, "temperatureLow": -15, "temperatureStudy": )") +
           studyTemperature + R"(,
                  "spanStart": 100, "spanEnd": 400, "spanStep": 10 },
  "section": {
    "spans": [ { "length": 180, "heightDifference": 4.5 }, { "length": 220, "heightDifference": -7.5 },
               { "length": 160, "heightDifference": 4 }, { "length": 200, "heightDifference": 2 } ],
    "voltageClass": "高圧"
  }
}
)";
}

// The survey of tests/cli/cases/clearance_four_spans.o99case, as typed.
const QStringList kSupportGround = {"100", "\t", "16",  "\n", "104.5", "\t",  "16",
                                    "\n",  "98", "\t",  "15", "\n",    "101", "\t",
                                    "16",  "\n", "103", "\t", "16",    "\n"};
const QStringList kGroundPoints = {"60",  "\t", "101.2", "\n", "120", "\t", "103.8", "\n",
                                   "250", "\t", "103",   "\n", "330", "\t", "99",    "\n",
                                   "480", "\t", "99.5",  "\n", "640", "\t", "102",   "\n"};

class SectionClearanceTest : public CaseFileTest {
protected:
    frmSection* openCase(const QByteArray& bytes) {
        path_ = WriteFile(QStringLiteral("line.o99case"), bytes);
        OpenWithKeys(path_);
        Press(Qt::Key_T, Qt::AltModifier); // 区間計算
        auto* window = qobject_cast<frmSection*>(ActiveChild());
        if (window != nullptr) {
            auto* tabs = Child<QTabWidget>(window, QStringLiteral("tabResults"));
            QTabBar* bar = tabs->tabBar();
            for (int i = 0; i < bar->count(); ++i)
                if (bar->tabText(i) == QStringLiteral("離隔"))
                    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                                      bar->tabRect(i).center());
            QCoreApplication::processEvents();
        }
        return window;
    }
    static QTableView* table(QWidget* w, const char* name) {
        return Child<QTableView>(w, QString::fromLatin1(name));
    }
    void typeSurvey(QWidget* window, const QStringList& crossing) {
        ClickCell(table(window, "grdSupportGround"), 0, 0);
        TypeCells(kSupportGround);
        PressAccessKey(Qt::Key_N); // 地表の測点, at its first cell
        EXPECT_EQ(QApplication::focusWidget(), table(window, "grdGround"));
        TypeCells(kGroundPoints);
        PressAccessKey(Qt::Key_O); // 横断物
        EXPECT_EQ(QApplication::focusWidget(), table(window, "grdCrossings"));
        TypeCells(crossing);
    }
    QString path_;
};

// Whether any pixel of `page` has the 不可 mark's colour.
bool ShowsFailureColour(const QImage& page) {
    const QRgb fails = MarkStyle(ResultMark::NotAllowed).colour.rgb();
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixel(x, y) == fails) return true;
    return false;
}

struct Study {
    const char* temperature;
    const char* clearance; // of the road, as the table shows it
    bool fails;
    const char* golden;
};

// The road at 300 m: 5.74 m over it at 90 ℃ is short of 6 m; at 60 ℃ the
// wire hangs higher, 6.23 m, and passes.
TEST_F(SectionClearanceTest, ATypedSurveyAndRoadAreJudgedMarkedPrintedAndSaved) {
    for (const Study& study : {Study{"90", "5.74", true, "clearance_four_spans_90.csv"},
                               Study{"60", "6.23", false, "clearance_four_spans_60.csv"}}) {
        SCOPED_TRACE(study.temperature);
        messages_.shown.clear();
        printing_.pageJobs.clear();
        frmSection* window = openCase(BareCase(study.temperature));
        ASSERT_NE(window, nullptr);
        typeSurvey(window, {"300", "\t", QStringLiteral("道路"), "\t", "100.75", "\n"});
        PressAccessKey(Qt::Key_R); // 計算
        ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'\n').toStdString();

        QAbstractItemModel* crossings = table(window, "grdClearanceCrossings")->model();
        ASSERT_EQ(crossings->rowCount(), 1)
            << Child<QLabel>(window, QStringLiteral("lblClearance"))->text().toStdString() << "|"
            << Child<QLabel>(window, QStringLiteral("lblMessage"))->text().toStdString();
        EXPECT_EQ(crossings->index(0, 1).data().toString(), QStringLiteral("道路"));
        EXPECT_EQ(crossings->index(0, 4).data().toString(), QString::fromLatin1(study.clearance));
        EXPECT_EQ(crossings->index(0, 6).data().toString(), QStringLiteral("6.00"));
        const QModelIndex verdict = crossings->index(0, 8);
        EXPECT_EQ(verdict.data().toString(),
                  study.fails ? QStringLiteral("不可") : QStringLiteral("可"));
        EXPECT_EQ(verdict.data(kResultMarkRole).toStringList().contains(QStringLiteral("不可")),
                  study.fails);
        EXPECT_EQ(table(window, "grdClearanceSpans")->model()->rowCount(), 4);
        const QString summary = Child<QLabel>(window, QStringLiteral("lblClearance"))->text();
        EXPECT_EQ(summary.contains(QStringLiteral("不可")), study.fails) << summary.toStdString();

        // The drawing: the five poles, the road, and the failing mark on it.
        const auto* plot = Child<ClearanceProfilePlot>(window, QStringLiteral("pltClearance"));
        ASSERT_NE(plot, nullptr);
        EXPECT_EQ(plot->drawing().supports.size(), 5u);
        ASSERT_EQ(plot->drawing().crossings.size(), 1u);
        ASSERT_FALSE(plot->drawing().spots.empty());
        EXPECT_EQ(plot->drawing().spots.front().ok, !study.fails);

        Trigger("mnuPrint");
        ASSERT_EQ(printing_.pageJobs.size(), 1);
        EXPECT_TRUE(printing_.jobs.isEmpty()) << "the page, not the section's text";
        EXPECT_EQ(ShowsFailureColour(printing_.pageJobs[0]), study.fails);

        dialogs_.saveAnswer = cases_.filePath(QStringLiteral("clearance.csv"));
        Trigger("mnuCsv");
        QFile saved(dialogs_.saveAnswer);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        ExpectMatchesGolden(saved.readAll().toStdString(), study.golden);
        dialogs_.saveAnswer = cases_.filePath(QStringLiteral("clearance.png"));
        Trigger("mnuImage");
        const QImage image(dialogs_.saveAnswer);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(ShowsFailureColour(image), study.fails);

        // What was typed is the design's: saved, it is the survey of the
        // command line's example case.
        Press(Qt::Key_S, Qt::ControlModifier);
        const CaseReadResult read = ReadCaseFile(FsPath(path_));
        ASSERT_TRUE(read.caseFile) << read.error;
        const CaseReadResult example = ReadCaseFile(std::filesystem::path(ORVALT_SOURCE_DIR) /
                                                    "tests/cli/cases/clearance_four_spans.o99case");
        ASSERT_TRUE(example.caseFile) << example.error;
        EXPECT_EQ(read.caseFile->section.clearance, example.caseFile->section.clearance);
        main_->findChild<QMdiArea*>()->closeAllSubWindows();
        FlushDeletes();
    }
}

TEST_F(SectionClearanceTest, ABadKindIsNamedAndALaterEditGreysOnlyTheResults) {
    frmSection* window = openCase(BareCase("90"));
    ASSERT_NE(window, nullptr);
    ClickCell(table(window, "grdCrossings"), 0, 0);
    TypeCells({"300", "\t", QStringLiteral("国道"), "\t"});
    EXPECT_EQ(
        MessageTexts(),
        QStringList({QStringLiteral("横断物 1 の種別「国道」は 道路、鉄道、横断歩道橋、建造物、"
                                    "電線・通信線、その他 のどれかです")}));
    EXPECT_EQ(table(window, "grdCrossings")->currentIndex().column(), 1) << "stays on the cell";

    // One support with its ground but not its clamp height: named by 計算.
    ClickCell(table(window, "grdCrossings"), 0, 1);
    TypeCells({QStringLiteral("鉄道"), "\t", "100", "\n"});
    ClickCell(table(window, "grdSupportGround"), 1, 0);
    TypeCells({"104.5", "\n"});
    PressAccessKey(Qt::Key_R);
    ASSERT_EQ(MessageTexts().size(), 2);
    EXPECT_TRUE(
        MessageTexts().back().startsWith(QStringLiteral("支持点 2 の取付高さを入力してください")))
        << MessageTexts().back().toStdString();
    EXPECT_EQ(QApplication::focusWidget(), table(window, "grdSupportGround"));
    EXPECT_FALSE(Action("mnuPrint")->isEnabled()) << "refused: nothing computed";

    ClickCell(table(window, "grdSupportGround"), 1, 0);
    PressKey(Qt::Key_Delete);
    typeSurvey(window, {});
    PressAccessKey(Qt::Key_R);
    ASSERT_EQ(MessageTexts().size(), 2) << MessageTexts().back().toStdString();
    EXPECT_EQ(table(window, "grdClearanceCrossings")->model()->index(0, 1).data().toString(),
              QStringLiteral("鉄道"));
    EXPECT_TRUE(Action("mnuCsv")->isEnabled());

    // A survey point changed: the results grey, the inputs stay open.
    QTableView* ground = table(window, "grdGround");
    ClickCell(ground, ground->rowAt(0), 0); // the first row in sight
    PressKey(Qt::Key_Home, Qt::ControlModifier);
    PressKey(Qt::Key_Right);
    TypeCells({"102", "\n"});
    EXPECT_EQ(ground->model()->index(0, 1).data().toString(), QStringLiteral("102"));
    EXPECT_FALSE(table(window, "grdClearanceSpans")->isEnabled());
    EXPECT_TRUE(table(window, "grdGround")->isEnabled());
    EXPECT_TRUE(Child<QLabel>(window, QStringLiteral("lblStale"))
                    ->text()
                    .startsWith(QStringLiteral("離隔の入力")));
    EXPECT_FALSE(Action("mnuCsv")->isEnabled());
    PressAccessKey(Qt::Key_R);
    EXPECT_TRUE(table(window, "grdClearanceSpans")->isEnabled());
    EXPECT_TRUE(Action("mnuCsv")->isEnabled());

    // Every support on its ground: blank height differences follow from it.
    QTableView* spans = table(window, "grdSpans");
    ClickCell(spans, 0, 1);
    QTest::mouseClick(spans->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      spans->visualRect(spans->model()->index(3, 1)).center());
    PressKey(Qt::Key_Delete);
    const auto heights = [spans] {
        QStringList texts;
        for (int row = 0; row < 4; ++row) texts << spans->model()->index(row, 1).data().toString();
        return texts;
    };
    ASSERT_EQ(heights(), QStringList({"", "", "", ""}));
    PressAccessKey(Qt::Key_R);
    EXPECT_EQ(MessageTexts().size(), 2) << MessageTexts().back().toStdString();
    EXPECT_EQ(heights(), QStringList({"4.5", "-7.5", "4", "2"}));
    EXPECT_EQ(table(window, "grdClearanceSpans")->model()->rowCount(), 4);
}

} // namespace
} // namespace orvalt::test
