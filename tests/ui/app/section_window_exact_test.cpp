// The exact section in the section window, driven through keys: supports
// typed and pasted into their list, the stringing temperature, the refusals,
// and the exact results beside the ruling ones with their marks; a case's
// supports and stringing temperature opened, computed and saved back, and
// results greyed by an edit of either after 計算.
#include <QApplication>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "engine/calculation/balanced_section.h"
#include "engine/case/case_file.h"
#include "support/case_file_fixture.h"
#include "support/main_window_fixture.h"
#include "ui/windows/section_window.h"

namespace orvalt::test {
namespace {
// The list's rows as 種別|がいし連長|がいし連重量.
QStringList SupportTexts(QWidget* w) {
    QStringList texts;
    QAbstractItemModel* model = w->findChild<QTableView*>(QStringLiteral("grdSupports"))->model();
    for (int r = 0; r < model->rowCount(); ++r)
        texts << model->index(r, 0).data().toString() + u'|' +
                     model->index(r, 1).data().toString() + u'|' +
                     model->index(r, 2).data().toString();
    return texts;
}

class SectionExactTest : public MainWindowWithWiresTest {
protected:
    frmSection* openSection() {
        QWidget* conditions = OpenConditions();
        ChooseWire(conditions, 1);
        SetBox(conditions, 13, QStringLiteral("50"));
        Click(conditions, "Command1_0");
        Trigger("mnuSection");
        return qobject_cast<frmSection*>(ActiveChild());
    }
    static QTableView* table(QWidget* w, const char* name) {
        return Child<QTableView>(w, QString::fromLatin1(name));
    }
    static QStringList supportTexts(QWidget* w) { return SupportTexts(w); }
};

const QString kFourSpans = QStringLiteral("120\t5\r\n250\t30\r\n180\t-12\r\n90\t-40\r\n");

TEST_F(SectionExactTest, TypedSupportsGiveTheExactSectionBesideTheRulingOne) {
    frmSection* window = openSection();
    ASSERT_NE(window, nullptr);
    ClickCell(table(window, "grdSpans"), 0, 0);
    PasteText(kFourSpans);
    // A new section: dead ends at the ends, fixed supports between.
    EXPECT_EQ(supportTexts(window), QStringList({QStringLiteral("引留||"), QStringLiteral("固定||"),
                                                 QStringLiteral("固定||"), QStringLiteral("固定||"),
                                                 QStringLiteral("引留||")}));

    ClickCell(table(window, "grdSupports"), 2, 0);
    TypeText(QStringLiteral("懸垂"));
    PressTab();
    TypeText(QStringLiteral("1"));
    PressTab();
    TypeText(QStringLiteral("35"));
    PressKey(Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(supportTexts(window)[2], QStringLiteral("懸垂|1|35"));

    PressAccessKey(Qt::Key_E);
    ASSERT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("spnStringing"));
    PressKey(Qt::Key_A, Qt::ControlModifier);
    TypeText(QStringLiteral("20"));
    PressAccessKey(Qt::Key_R);
    ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'\n').toStdString();

    const BalancedSection& exact = window->balanced();
    EXPECT_EQ(exact.stringingTemperature, 20.0);
    ASSERT_EQ(exact.conditions[0].spans.size(), 4u);
    EXPECT_NE(exact.conditions[kStudyCondition].supports[2].displacement, 0.0)
        << "the string swings";
    EXPECT_EQ(exact.conditions[kStudyCondition].supports[1].displacement, 0.0) << "fixed";

    // Every span's row: the ruling tension, the exact one, and the marks as
    // the exact result has them; at least one 張力超過 on this wire.
    QAbstractItemModel* shown = table(window, "grdExact")->model();
    ASSERT_EQ(shown->rowCount(), 4);
    int overMax = 0;
    for (int i = 0; i < 4; ++i) {
        for (int c = 0; c < 3; ++c) {
            const BalancedSpan& span = exact.conditions[c].spans[i];
            const QString marks = shown->index(i, 9 * c + 8).data().toString();
            EXPECT_EQ(marks.contains(QStringLiteral("張力超過")), span.overMaxTension)
                << i << " " << c;
            overMax += span.overMaxTension;
        }
    }
    EXPECT_GT(overMax, 0);
    const QString message = Child<QLabel>(window, QStringLiteral("lblMessage"))->text();
    EXPECT_TRUE(message.contains(QStringLiteral("精算の印")) && message.contains(u"張力超過"))
        << message.toStdString();
    const QString legend = Child<QLabel>(window, QStringLiteral("lblLegend"))->text();
    // The legend names the marks the table shows, and only those.
    for (const char16_t* mark : {u"支持点外", u"張力超過", u"長径間"}) {
        bool shownInTable = false;
        for (int r = 0; r < shown->rowCount(); ++r)
            for (int c = 0; c < shown->columnCount(); ++c)
                shownInTable |=
                    shown->index(r, c).data().toString().contains(QString::fromUtf16(mark));
        EXPECT_EQ(legend.contains(QString::fromUtf16(mark)), shownInTable) << legend.toStdString();
    }
}

TEST_F(SectionExactTest, BadSupportsAreNamedAndABadPasteIsRefusedWhole) {
    frmSection* window = openSection();
    ASSERT_NE(window, nullptr);
    ClickCell(table(window, "grdSpans"), 0, 0);
    PasteText(kFourSpans);

    ClickCell(table(window, "grdSupports"), 1, 0);
    PasteText(QStringLiteral("懸垂\t1.5\t40\r\n懸垂\tx\t40\r\n"));
    EXPECT_EQ(MessageTexts(),
              QStringList({QStringLiteral(
                  "支持点 3 のがいし連長「x」は使えません。貼り付けは行いませんでした")}));
    EXPECT_EQ(supportTexts(window)[1], QStringLiteral("固定||")) << "nothing pasted";

    PasteText(QStringLiteral("懸垂\t\t40\r\n"));
    PressAccessKey(Qt::Key_R);
    EXPECT_EQ(MessageTexts().back(),
              QStringLiteral("支持点 2 のがいし連長は 0 より大きい数値で入力してください"));
    EXPECT_EQ(QApplication::focusWidget(), table(window, "grdSupports"));
    EXPECT_EQ(table(window, "grdSupports")->currentIndex().row(), 1);

    ClickCell(table(window, "grdSupports"), 1, 1);
    TypeText(QStringLiteral("1.5"));
    PressKey(Qt::Key_Return);
    QCoreApplication::processEvents();
    ClickCell(table(window, "grdSupports"), 4, 0);
    TypeText(QStringLiteral("固定"));
    PressKey(Qt::Key_Return);
    QCoreApplication::processEvents();
    PressAccessKey(Qt::Key_R);
    EXPECT_EQ(MessageTexts().back(),
              QStringLiteral("区間の両端の支持点（支持点 5）は引留にしてください"));
    EXPECT_EQ(MessageTexts().size(), 3);
}

// A 4-span case on a 297.6 mm², 1.1 kg/m wire: two suspension strings, a
// fixed support between them, strung at 20 ℃; and the same spans with no
// supports and no stringing temperature.
const char kCaseHead[] = R"({
  "format": "orvalt99-case",
  "version": 2,
  "wire": { "name": "現場の線", "diameterHigh": 22.4, "diameterLow": 22.4, "area": 297.6,
            "unitWeight": 1.1, "expansionCoeff": 18.9, "elasticModulus": 8000,
            "maxTension": 3000 },
  "conditions": { "windPressureHigh": 100, "windPressureLow": 50, "windPressureStudy": 0,
                  "temperatureHigh": 15, "temperatureLow": -15, "temperatureStudy": 90,
                  "spanStart": 100, "spanEnd": 400, "spanStep": 50 },
  "section": {
)";
const char kStringing[] = R"(    "stringingTemperature": 20,
)";
const char kSpans[] =
    R"(    "spans": [ { "length": 120, "heightDifference": 5 }, { "length": 250, "heightDifference": 30 },
               { "length": 180, "heightDifference": -12 }, { "length": 90, "heightDifference": -40 } ])";
const char kSupports[] = R"(,
    "supports": [ { "type": "deadEnd" }, { "type": "suspension", "stringLength": 1, "stringWeight": 35 },
                  { "type": "fixed" }, { "type": "suspension", "stringLength": 0.5, "stringWeight": 30 },
                  { "type": "deadEnd" } ])";
const char kCaseTail[] = R"( }
}
)";
const QByteArray kStrungCase = QByteArray(kCaseHead) + kStringing + kSpans + kSupports + kCaseTail;
const QByteArray kBareCase = QByteArray(kCaseHead) + kSpans + kCaseTail;

class SectionCaseTest : public CaseFileTest {
protected:
    QString OpenCase(QByteArray bytes) {
        const QString path = WriteFile(QStringLiteral("line.o99case"), bytes);
        OpenWithKeys(path);
        return path;
    }
    // 区間計算 with its access key.
    frmSection* OpenSectionByKey() {
        Press(Qt::Key_T, Qt::AltModifier);
        return qobject_cast<frmSection*>(ActiveChild());
    }
    static CaseSection SavedSection(const QString& path) {
        const CaseReadResult read = ReadCaseFile(FsPath(path));
        EXPECT_TRUE(read.caseFile) << read.error;
        return read.caseFile ? read.caseFile->section : CaseSection{};
    }
    static void ClickCell(QWidget* window, const char* name, int row, int column) {
        test::ClickCell(Child<QTableView>(window, QString::fromLatin1(name)), row, column);
    }
    static void TypeInCell(QWidget* window, int row, int column, const QString& text) {
        ClickCell(window, "grdSupports", row, column);
        // A key at a time, each to the widget focused then (the editor once
        // the first key opened it).
        for (const QChar c : text) TypeText(QString(c));
        PressKey(Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    // 架線温度 by its access key, typed over.
    static void TypeStringingTemperature(const QString& text) {
        PressAccessKey(Qt::Key_E);
        ASSERT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("spnStringing"));
        PressKey(Qt::Key_A, Qt::ControlModifier);
        TypeText(text);
        QCoreApplication::processEvents();
    }
    static bool Greyed(QWidget* window) {
        auto* tabs = Child<QTabWidget>(window, QStringLiteral("tabResults"));
        return !tabs->widget(0)->isEnabled() &&
               Child<QLabel>(window, QStringLiteral("lblStale"))->isVisible();
    }
};

// The section window opens with the case's supports and stringing
// temperature (a case without them: fixed inner supports and 15 ℃); a
// change typed there and computed is written by 上書き保存, and a case that
// had no supports keeps none while its list is the one it stands for.
TEST_F(SectionCaseTest, ACasesSupportsOpenAndComputedOnesAreSaved) {
    const std::vector<SectionSupport> strung = {{SupportType::kDeadEnd},
                                                {SupportType::kSuspension, 1.0, 35.0},
                                                {SupportType::kFixed},
                                                {SupportType::kSuspension, 0.5, 30.0},
                                                {SupportType::kDeadEnd}};
    std::vector<SectionSupport> longer = strung;
    longer[1].stringLength = 1.5;
    struct Row {
        const char* what;
        QByteArray file;
        QStringList shown;
        int stringing;
        std::function<void(QWidget*)> edit;
        std::vector<SectionSupport> savedSupports;
        int savedStringing;
    };
    const Row rows[] = {
        {"strung case, a string lengthened",
         kStrungCase,
         {QStringLiteral("引留||"), QStringLiteral("懸垂|1|35"), QStringLiteral("固定||"),
          QStringLiteral("懸垂|0.5|30"), QStringLiteral("引留||")},
         20,
         [](QWidget* w) { TypeInCell(w, 1, 1, QStringLiteral("1.5")); },
         longer,
         20},
        {"bare case, warmer stringing",
         kBareCase,
         {QStringLiteral("引留||"), QStringLiteral("固定||"), QStringLiteral("固定||"),
          QStringLiteral("固定||"), QStringLiteral("引留||")},
         15,
         [](QWidget*) { TypeStringingTemperature(QStringLiteral("25")); },
         {},
         25},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const QString path = OpenCase(row.file);
        ASSERT_EQ(SavedSection(path).spans.size(), 4u);
        frmSection* window = OpenSectionByKey();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(SupportTexts(window), row.shown);
        EXPECT_EQ(Child<QSpinBox>(window, QStringLiteral("spnStringing"))->value(), row.stringing);

        row.edit(window);
        PressAccessKey(Qt::Key_R);
        ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'\n').toStdString();
        EXPECT_EQ(window->balanced().stringingTemperature, row.savedStringing);
        EXPECT_TRUE(Caption().endsWith(QStringLiteral("line.o99case*"))) << Caption().toStdString();
        Press(Qt::Key_S, Qt::ControlModifier);
        EXPECT_TRUE(Caption().endsWith(QStringLiteral("line.o99case"))) << Caption().toStdString();
        const CaseSection saved = SavedSection(path);
        EXPECT_EQ(saved.supports, row.savedSupports);
        EXPECT_EQ(saved.stringingTemperature, row.savedStringing);
        EXPECT_EQ(saved.spans.size(), 4u);
        window->parentWidget()->close();
        FlushDeletes();
    }
}

// An edit of the support list or of 架線温度 after 計算 greys the results
// as an edit of the span list does; typing what was computed does not, and
// 計算 brings them back.
TEST_F(SectionCaseTest, EditingSupportsOrTheStringingTemperatureGreysTheResults) {
    struct Row {
        const char* what;
        std::function<void(QWidget*)> edit;
        bool greys;
    };
    const Row rows[] = {
        {"the same string length", [](QWidget* w) { TypeInCell(w, 1, 1, QStringLiteral("1")); },
         false},
        {"a string weight", [](QWidget* w) { TypeInCell(w, 3, 2, QStringLiteral("40")); }, true},
        {"a fixed support hung",
         [](QWidget* w) {
             ClickCell(w, "grdSupports", 2, 0);
             TypeText(QStringLiteral("懸垂"));
             PressTab();
             for (const char* key : {"1", ".", "2"}) TypeText(QString::fromLatin1(key));
             PressKey(Qt::Key_Return);
             QCoreApplication::processEvents();
         },
         true},
        {"the same stringing temperature",
         [](QWidget*) { TypeStringingTemperature(QStringLiteral("20")); }, false},
        {"the stringing temperature",
         [](QWidget*) { TypeStringingTemperature(QStringLiteral("-5")); }, true},
    };
    OpenCase(kStrungCase);
    frmSection* window = OpenSectionByKey();
    ASSERT_NE(window, nullptr);
    PressAccessKey(Qt::Key_R);
    ASSERT_FALSE(Greyed(window));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        row.edit(window);
        EXPECT_EQ(Greyed(window), row.greys);
        EXPECT_EQ(window->canPrint(), !row.greys);
        if (row.greys) {
            EXPECT_TRUE(
                Child<QLabel>(window, QStringLiteral("lblStale"))
                    ->text()
                    .startsWith(QStringLiteral("支持点一覧か架線温度が計算の後で変わりました")));
        }
        PressAccessKey(Qt::Key_R);
        EXPECT_FALSE(Greyed(window)) << MessageTexts().join(u'\n').toStdString();
    }
    EXPECT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'\n').toStdString();
}

} // namespace
} // namespace orvalt::test
