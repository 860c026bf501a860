// The 弛度観測 tab of the stringing chart window, driven through keys and
// clicks: N and a typed in, bad box text refused by name, the crew's sheet
// printed and saved; and the long-span mark of the chart.
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/golden_file.h"
#include "support/main_window_fixture.h"
#include "ui/base/file_saving.h"
#include "ui/windows/chart_window.h"

namespace orvalt::test {
namespace {

class FakeSaveDialog final : public SaveDialogService {
public:
    QString ChooseSaveFile(QWidget*, const QString&, const QString&, const QString&) override {
        return answer;
    }
    QString answer;
};

class FieldCheckTest : public MainWindowWithWiresTest {
protected:
    void SetUp() override {
        MainWindowWithWiresTest::SetUp();
        main_->setSaveDialogService(saveDialog_);
    }
    // The chart of `wire` for spans from `start` to `end` by `step`.
    frmChart* openChart(int wire, const char* start, const char* end, const char* step) {
        QWidget* conditions = OpenConditions();
        ChooseWire(conditions, wire);
        SetBox(conditions, 14, QString::fromLatin1(end));
        SetBox(conditions, 15, QString::fromLatin1(start));
        SetBox(conditions, 13, QString::fromLatin1(step));
        Click(conditions, "Command1_0");
        Trigger("mnuCalculate");
        Trigger("mnuChart");
        const auto charts = SubWindows(QStringLiteral("frmChart"));
        return charts.isEmpty() ? nullptr : qobject_cast<frmChart*>(charts.back()->widget());
    }
    // Types `text` over what the box holds and enters it.
    static void enter(QWidget* window, const char* box, const QString& text) {
        auto* edit = window->findChild<QLineEdit*>(QString::fromLatin1(box));
        ASSERT_NE(edit, nullptr) << box;
        ShowTabOf(edit);
        ClickOn(edit);
        PressKey(Qt::Key_A, Qt::ControlModifier);
        TypeText(text);
        PressKey(Qt::Key_Return);
    }
    static QString cell(const QTableView* view, int row, int column) {
        return view->model()->index(row, column).data().toString();
    }
    FakeSaveDialog saveDialog_;
};

TEST_F(FieldCheckTest, TypedWavesAndSightChangeTheSheetAndBadTextIsRefusedByName) {
    frmChart* chart = openChart(1, "100", "400", "50");
    ASSERT_NE(chart, nullptr);
    auto* field = chart->findChild<QTableView*>(QStringLiteral("grdField"));
    enter(chart, "txtWaves", QStringLiteral("5"));
    EXPECT_EQ(cell(field, 1, 0), QStringLiteral("5波[s]"));
    const QString sag = cell(field, 0, 1); // 100 m at -10 ℃
    EXPECT_EQ(cell(field, 2, 1), sag) << "equal sighting: b = D";
    enter(chart, "txtSight", QStringLiteral("３")); // full-width, as an input method types
    EXPECT_EQ(cell(field, 2, 1), QStringLiteral("—")) << "100 m: a = 3 m is beyond 4D";
    const QString longSag = cell(field, 18, 1); // 400 m
    EXPECT_NE(cell(field, 20, 1), longSag);
    EXPECT_NE(cell(field, 20, 1), QStringLiteral("—"));

    const struct {
        const char* box;
        QString text, caption, keeps;
    } refusals[] = {
        {"txtWaves", QStringLiteral("11"), QStringLiteral("「返り波数 N」"), QStringLiteral("5")},
        {"txtWaves", QStringLiteral("x"), QStringLiteral("「返り波数 N」"), QStringLiteral("5")},
        {"txtSight", QStringLiteral("-2"), QStringLiteral("「視準高 a [m]」"),
         QStringLiteral("３")}};
    for (const auto& refusal : refusals) {
        messages_.shown.clear();
        enter(chart, refusal.box, refusal.text);
        ASSERT_EQ(messages_.shown.size(), 1u) << refusal.text.toStdString();
        EXPECT_TRUE(messages_.shown[0].text.contains(refusal.caption));
        EXPECT_EQ(chart->findChild<QLineEdit*>(QString::fromLatin1(refusal.box))->text(),
                  refusal.keeps);
    }
    EXPECT_EQ(cell(field, 1, 0), QStringLiteral("5波[s]"));
}

TEST_F(FieldCheckTest, WithTheSheetShownPrintAndCsvGiveTheSheet) {
    frmChart* chart = openChart(1, "100", "400", "50");
    ASSERT_NE(chart, nullptr);
    Trigger("mnuPrint");
    ASSERT_EQ(printing_.jobs.size(), 1);
    EXPECT_TRUE(printing_.jobs[0].contains(QStringLiteral("/* 架線弛度表 */")));
    enter(chart, "txtWaves", QStringLiteral("4"));
    enter(chart, "txtSight", QStringLiteral("2.5"));
    Trigger("mnuPrint");
    ASSERT_EQ(printing_.jobs.size(), 2);
    EXPECT_TRUE(printing_.jobs[1].contains(QStringLiteral("/* 弛度観測表 */")));
    EXPECT_TRUE(printing_.jobs[1].contains(QStringLiteral("N = 4 波")));
    EXPECT_TRUE(printing_.jobs[1].contains(QStringLiteral("a = 2.500 m")));
    QTemporaryDir out;
    saveDialog_.answer = out.filePath(QStringLiteral("field.csv"));
    Trigger("mnuCsv");
    QFile saved(saveDialog_.answer);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    ExpectMatchesGolden(saved.readAll().toStdString(), "field_50mm.csv");
    EXPECT_TRUE(messages_.shown.empty());
}

// 計算例1 at 200 m and 600 m: the parabola holds at 200 m, not at 600 m.
TEST_F(FieldCheckTest, TheLongSpanMarkIsOnThe600mSpanAndNotOnThe200m) {
    frmChart* chart = openChart(0, "200", "600", "400");
    ASSERT_NE(chart, nullptr);
    auto* sag = chart->findChild<QTableView*>(QStringLiteral("grdSag"));
    ASSERT_EQ(sag->model()->rowCount(), 2);
    for (int column = 0; column < sag->model()->columnCount(); ++column) {
        EXPECT_FALSE(sag->model()->index(0, column).data(Qt::BackgroundRole).isValid());
        EXPECT_TRUE(sag->model()->index(1, column).data(Qt::BackgroundRole).isValid());
        EXPECT_TRUE(sag->model()
                        ->index(1, column)
                        .data(Qt::ToolTipRole)
                        .toString()
                        .startsWith(QStringLiteral("長径間: 懸垂線弛度")));
    }
    const QString note = chart->findChild<QLabel*>(QStringLiteral("lblLongSpan"))->text();
    EXPECT_TRUE(note.endsWith(QStringLiteral(": 600 m"))) << note.toStdString();
    Trigger("mnuGraph"); // the same spans in each load condition
    const auto graphs = SubWindows(QStringLiteral("frmGraph"));
    ASSERT_FALSE(graphs.isEmpty());
    auto* graphNote = graphs.back()->widget()->findChild<QLabel*>(QStringLiteral("lblLongSpan"));
    ASSERT_NE(graphNote, nullptr);
    EXPECT_FALSE(graphNote->text().contains(QStringLiteral("200")))
        << graphNote->text().toStdString();
    EXPECT_TRUE(graphNote->text().contains(QStringLiteral("検討条件 600 m")))
        << graphNote->text().toStdString();
}

} // namespace
} // namespace orvalt::test
