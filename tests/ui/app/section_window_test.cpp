// The tension section window (区間計算), driven through keys and clicks: the
// command's enabling, typing a section as in a spreadsheet, refused cells
// and pastes, and what the computed section prints, saves and copies (the
// printout and the CSV against the engine's golden files).
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

#include <gtest/gtest.h>

#include "engine/number/number_text.h"
#include "engine/output/section_text.h"
#include "support/golden_file.h"
#include "support/main_window_fixture.h"
#include "ui/base/file_saving.h"
#include "ui/windows/section_window.h"

namespace orvalt::test {
namespace {

class AnswerWith final : public SaveDialogService {
public:
    QString ChooseSaveFile(QWidget*, const QString&, const QString&, const QString&) override {
        return answer;
    }
    QString answer;
};

class SectionWindowTest : public MainWindowWithWiresTest {
protected:
    void SetUp() override {
        MainWindowWithWiresTest::SetUp();
        main_->setSaveDialogService(saveDialogs_);
    }

    // OK in the conditions window for the 50 mm worked example (100 m to
    // 400 m by 50 m, or the given span range), then 区間計算.
    frmSection* openSection(const QStringList& startEndStep = {}) {
        QWidget* conditions = OpenConditions();
        ChooseWire(conditions, 1);
        SetBox(conditions, 13, QStringLiteral("50"));
        if (startEndStep.size() == 3) {
            SetBox(conditions, 15, startEndStep[0]);
            SetBox(conditions, 14, startEndStep[1]);
            SetBox(conditions, 13, startEndStep[2]);
        }
        Click(conditions, "Command1_0");
        Trigger("mnuSection");
        return qobject_cast<frmSection*>(ActiveChild());
    }

    // Keys one at a time to whatever has the focus: the first starts the
    // cell's editor, the rest go into it.
    static void typeCells(const QStringList& keys) {
        for (const QString& key : keys) {
            if (key == u"\t") {
                PressTab();
            } else if (key == u"\n") {
                PressKey(Qt::Key_Return);
                QCoreApplication::processEvents(); // the editor closes queued
            } else {
                for (const QChar c : key) TypeText(QString(c));
            }
        }
    }

    static void clickCell(QTableView* view, int row, int column) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          view->visualRect(view->model()->index(row, column)).center());
        QCoreApplication::processEvents();
    }

    static QTableView* spans(QWidget* w) {
        return Child<QTableView>(w, QStringLiteral("grdSpans"));
    }
    static QStringList spanTexts(QWidget* w) {
        QStringList texts;
        QAbstractItemModel* model = spans(w)->model();
        for (int r = 0; r < model->rowCount(); ++r)
            texts << model->index(r, 0).data().toString() + u'|' +
                         model->index(r, 1).data().toString();
        return texts;
    }

    AnswerWith saveDialogs_;
};

const QString kFourSpans = QStringLiteral("１２０\t５\r\n250\t30\r\n180\t-12\r\n90\t−40\r\n");

TEST_F(SectionWindowTest, TypedSpansMoveLikeASpreadsheetAndABadCellIsNamed) {
    EXPECT_FALSE(Action("mnuSection")->isEnabled());
    frmSection* window = openSection();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(Action("mnuSection")->isEnabled());
    // As the result window's: the wire, then the study temperature as its
    // caption writes it (" 90").
    EXPECT_EQ(window->windowTitle(), QStringLiteral("区間計算 : 計算例2 90℃"));
    EXPECT_FALSE(Action("mnuCsv")->isEnabled()) << "nothing computed yet";

    clickCell(spans(window), 0, 0);
    typeCells({"120", "\t", "5", "\n", "２５０", "\n", "1x0", "\n"});
    EXPECT_EQ(spanTexts(window), QStringList({"120|5", QStringLiteral("２５０|"), "1x0|", "|"}));

    Click(window, "cmdCalculate");
    ASSERT_EQ(
        MessageTexts(),
        QStringList({QStringLiteral("径間 3 の径間長は 0 より大きい数値で入力してください")}));
    EXPECT_EQ(QApplication::focusWidget(), spans(window));
    EXPECT_EQ(spans(window)->currentIndex().row(), 2);
    EXPECT_EQ(spanTexts(window).size(), 4) << "nothing lost";
    EXPECT_FALSE(Action("mnuCsv")->isEnabled());

    // Ctrl+Delete removes the bad row; the empty last row is no span.
    PressKey(Qt::Key_Delete, Qt::ControlModifier);
    Click(window, "cmdCalculate");
    EXPECT_EQ(MessageTexts().size(), 1);
    EXPECT_EQ(window->section().spans.size(), 2u);
    EXPECT_TRUE(Action("mnuCsv")->isEnabled());
}

TEST_F(SectionWindowTest, APasteWithABadCellIsRefusedWhole) {
    frmSection* window = openSection();
    ASSERT_NE(window, nullptr);
    clickCell(spans(window), 0, 0);
    typeCells({"300", "\n"});
    clickCell(spans(window), 0, 0);

    PasteText(QStringLiteral("120\t5\r\n250\tabc\r\n"));
    EXPECT_EQ(MessageTexts(),
              QStringList({QStringLiteral(
                  "径間 2 の高低差「abc」は数値ではありません。貼り付けは行いませんでした")}));
    EXPECT_EQ(spanTexts(window), QStringList({"300|", "|"}));
    PasteText(QStringLiteral("1\t2\t3\r\n"));
    EXPECT_EQ(MessageTexts().back(),
              QStringLiteral("貼り付けられるのは径間長と高低差の 2 列までです"));
    EXPECT_EQ(spanTexts(window), QStringList({"300|", "|"}));

    PasteText(kFourSpans);
    EXPECT_EQ(spanTexts(window), QStringList({QStringLiteral("１２０|５"), "250|30", "180|-12",
                                              QStringLiteral("90|−40")}));
}

// A section needs no span table: with a span range the table cannot be
// calculated for (400 m to 390 m by 10 m), the window still opens and saves
// the golden CSV of the same section.
TEST_F(SectionWindowTest, OpensWhateverTheSpanRange) {
    frmSection* window = openSection({"400", "390", "10"});
    ASSERT_NE(window, nullptr) << MessageTexts().join(u'\n').toStdString();
    clickCell(spans(window), 0, 0);
    PasteText(kFourSpans);
    PressAccessKey(Qt::Key_R);
    ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'\n').toStdString();
    saveDialogs_.answer = folder_.filePath(QStringLiteral("section.csv"));
    Trigger("mnuCsv");
    QFile saved(saveDialogs_.answer);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().toStdString(), GoldenBytes("section_4spans.csv"));
}

// The four-span inclined section of the engine's golden files: the window
// prints the same text and saves the same CSV bytes; Ctrl+C copies cells.
TEST_F(SectionWindowTest, AComputedSectionPrintsSavesAndCopies) {
    frmSection* window = openSection();
    ASSERT_NE(window, nullptr);
    clickCell(spans(window), 0, 0);
    PasteText(kFourSpans);
    PressAccessKey(Qt::Key_R);
    ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'\n').toStdString();
    EXPECT_EQ(Child<QLabel>(window, QStringLiteral("lblEquivalent"))->text(),
              QStringLiteral("等価径間  %1 m")
                  .arg(QString::fromStdString(
                      FormatWithPattern(window->section().equivalentSpan, "###0.000"))));
    EXPECT_TRUE(Child<QLabel>(window, QStringLiteral("lblMessage"))->text().contains(u"支持点外"));

    Trigger("mnuPrint");
    ASSERT_EQ(printing_.jobs.size(), 1u);
    EXPECT_EQ(printing_.jobs[0].toStdString(), GoldenBytes("section_4spans.txt"));

    saveDialogs_.answer = folder_.filePath(QStringLiteral("section.csv"));
    Trigger("mnuCsv");
    QFile saved(saveDialogs_.answer);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().toStdString(), GoldenBytes("section_4spans.csv"));

    auto* results = Child<QTableView>(window, QStringLiteral("grdResults"));
    clickCell(results, 3, 6); // span 4, 高温季 下側張力[kg]
    PressKey(Qt::Key_C, Qt::ControlModifier);
    const std::string expected =
        SectionSpanCells({{120.0f, 5.0f}, {250.0f, 30.0f}, {180.0f, -12.0f}, {90.0f, -40.0f}},
                         window->section())[4][7] +
        "\r\n";
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), expected);
}

// With the 弛度観測 tab in front, N and a typed into their boxes, 計算結果印刷
// gives the crew's sheet of the section, its spans beyond their lower
// support marked.
TEST_F(SectionWindowTest, TheFieldCheckTabPrintsTheCrewsSheet) {
    frmSection* window = openSection();
    ASSERT_NE(window, nullptr);
    clickCell(spans(window), 0, 0);
    PasteText(kFourSpans);
    PressAccessKey(Qt::Key_R);
    for (const auto& [box, text] :
         {std::pair{"txtWaves", QStringLiteral("5")}, {"txtSight", QStringLiteral("2")}}) {
        auto* edit = Child<QLineEdit>(window, QString::fromLatin1(box));
        ShowTabOf(edit);
        ClickAndType(edit, text);
        PressKey(Qt::Key_Return);
    }
    auto* field = Child<QTableView>(window, QStringLiteral("grdField"));
    EXPECT_EQ(field->model()->index(15, 1).data().toString(), QStringLiteral("支持点外"));
    Trigger("mnuPrint");
    ASSERT_EQ(printing_.jobs.size(), 1u);
    EXPECT_EQ(printing_.jobs[0].toStdString(), GoldenBytes("field_4spans.txt"));
    EXPECT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'\n').toStdString();
}

} // namespace
} // namespace orvalt::test
