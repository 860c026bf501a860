// The exact section in the section window, driven through keys: supports
// typed and pasted into their list, the stringing temperature, the refusals,
// and the exact results beside the ruling ones with their marks.
#include <QApplication>
#include <QLabel>
#include <QSpinBox>
#include <QTableView>

#include <gtest/gtest.h>

#include "engine/calculation/balanced_section.h"
#include "support/main_window_fixture.h"
#include "ui/windows/section_window.h"

namespace orvalt::test {
namespace {

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
    static void clickCell(QTableView* view, int row, int column) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          view->visualRect(view->model()->index(row, column)).center());
        QCoreApplication::processEvents();
    }
    static QTableView* table(QWidget* w, const char* name) {
        return Child<QTableView>(w, QString::fromLatin1(name));
    }
    static QStringList supportTexts(QWidget* w) {
        QStringList texts;
        QAbstractItemModel* model = table(w, "grdSupports")->model();
        for (int r = 0; r < model->rowCount(); ++r)
            texts << model->index(r, 0).data().toString() + u'|' +
                         model->index(r, 1).data().toString() + u'|' +
                         model->index(r, 2).data().toString();
        return texts;
    }
};

const QString kFourSpans = QStringLiteral("120\t5\r\n250\t30\r\n180\t-12\r\n90\t-40\r\n");

TEST_F(SectionExactTest, TypedSupportsGiveTheExactSectionBesideTheRulingOne) {
    frmSection* window = openSection();
    ASSERT_NE(window, nullptr);
    clickCell(table(window, "grdSpans"), 0, 0);
    PasteText(kFourSpans);
    // A new section: dead ends at the ends, fixed supports between.
    EXPECT_EQ(supportTexts(window), QStringList({QStringLiteral("引留||"), QStringLiteral("固定||"),
                                                 QStringLiteral("固定||"), QStringLiteral("固定||"),
                                                 QStringLiteral("引留||")}));

    clickCell(table(window, "grdSupports"), 2, 0);
    TypeText(QStringLiteral("懸垂"));
    PressTab();
    TypeText(QStringLiteral("1"));
    PressTab();
    TypeText(QStringLiteral("35"));
    PressKey(Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(supportTexts(window)[2], QStringLiteral("懸垂|1|35"));

    PressAccessKey(Qt::Key_T);
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
                shownInTable |= shown->index(r, c).data().toString().contains(QString::fromUtf16(mark));
        EXPECT_EQ(legend.contains(QString::fromUtf16(mark)), shownInTable) << legend.toStdString();
    }
}

TEST_F(SectionExactTest, BadSupportsAreNamedAndABadPasteIsRefusedWhole) {
    frmSection* window = openSection();
    ASSERT_NE(window, nullptr);
    clickCell(table(window, "grdSpans"), 0, 0);
    PasteText(kFourSpans);

    clickCell(table(window, "grdSupports"), 1, 0);
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

    clickCell(table(window, "grdSupports"), 1, 1);
    TypeText(QStringLiteral("1.5"));
    PressKey(Qt::Key_Return);
    QCoreApplication::processEvents();
    clickCell(table(window, "grdSupports"), 4, 0);
    TypeText(QStringLiteral("固定"));
    PressKey(Qt::Key_Return);
    QCoreApplication::processEvents();
    PressAccessKey(Qt::Key_R);
    EXPECT_EQ(MessageTexts().back(),
              QStringLiteral("区間の両端の支持点（支持点 5）は引留にしてください"));
    EXPECT_EQ(MessageTexts().size(), 3);
}

} // namespace
} // namespace orvalt::test
