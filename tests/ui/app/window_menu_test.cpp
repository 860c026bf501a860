// The frame under the keyboard: the ウィンドウ menu and its letter, Ctrl+F4,
// Ctrl+Tab and Ctrl+Shift+Tab between the children, Esc in the conditions
// window, and windows that open large enough for what they show.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <gtest/gtest.h>

#include "support/main_window_fixture.h"
#include "ui/base/file_saving.h"
#include "ui/base/text_input.h"

namespace orvalt::test {
namespace {

class WindowMenuTest : public MainWindowWithWiresTest {
protected:
    // OK in the conditions window for the 50 mm worked example.
    void storeConditions() {
        QWidget* conditions = OpenConditions();
        ChooseWire(conditions, 1);
        SetBox(conditions, 13, QStringLiteral("50"));
        Click(conditions, "Command1_0");
    }
    // Opens ウィンドウ with Alt+M and reads the listed windows, the checked
    // one marked "* ".
    QStringList listedWindows() {
        auto* menu = main_->findChild<QMenu*>(QStringLiteral("mnuWindow"));
        PressAccessKey(Qt::Key_M);
        EXPECT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000));
        QStringList listed;
        for (QAction* action : main_->findChildren<QAction*>(QStringLiteral("mnuWindowList")))
            listed << (action->isChecked() ? QStringLiteral("* ") : QStringLiteral("  ")) +
                          action->text();
        QTest::keyClick(menu, Qt::Key_Escape);
        return listed;
    }
    static QString letter(const QString& text) {
        return QKeySequence::mnemonic(text).toString(QKeySequence::PortableText);
    }
};

// The letter of ウィンドウ is used by no other entry of the menu bar and by no
// button of any child window; Alt+M opens it with any child active.
TEST_F(WindowMenuTest, TheWindowMenuLetterClashesWithNothing) {
    QStringList barLetters;
    for (QAction* action : main_->menuBar()->actions())
        if (!action->isSeparator()) barLetters << letter(action->text());
    const QString window = letter(Action("mnuWindow")->text());
    ASSERT_FALSE(window.isEmpty());
    EXPECT_EQ(barLetters.count(window), 1) << barLetters.join(u' ').toStdString();

    QStringList childLetters;
    const auto collect = [&] {
        for (QMdiSubWindow* sub : main_->mdiArea()->subWindowList())
            for (QAbstractButton* button : sub->widget()->findChildren<QAbstractButton*>())
                if (!letter(button->text()).isEmpty()) childLetters << letter(button->text());
    };
    OpenConditions();
    collect();
    PressKey(Qt::Key_Escape);
    storeConditions();
    for (const char* command : {"mnuCalculate", "mnuSection", "mnuChart", "mnuGraph", "mnuWire"}) {
        Trigger(command);
        collect();
    }
    EXPECT_FALSE(childLetters.contains(window)) << childLetters.join(u' ').toStdString();
    ASSERT_NE(ActiveChild(), nullptr);
    EXPECT_EQ(listedWindows().size(), 5);
}

// Ctrl+Tab and Ctrl+Shift+Tab move between the children whatever has the
// focus in them (the section window's tabs would take Ctrl+Tab for their
// pages); the list names them, the active one checked; Ctrl+F4 closes the
// active one through its own close, so its unload runs.
TEST_F(WindowMenuTest, KeysMoveBetweenAndCloseTheChildren) {
    storeConditions();
    Trigger("mnuCalculate");
    Trigger("mnuSection");
    QWidget* section = ActiveChild();
    ASSERT_NE(section, nullptr);
    EXPECT_EQ(listedWindows(), QStringList({QStringLiteral("  &1 結果 : 計算例2 90℃"),
                                            QStringLiteral("* &2 区間計算 : 計算例2 90℃")}));
    PressKey(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_NE(ActiveChild(), section);
    EXPECT_EQ(listedWindows().front().left(1), QStringLiteral("*"));
    PressKey(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(ActiveChild(), section);

    OpenConditions();
    ASSERT_EQ(ActiveChild(), ConditionsWindow());
    ASSERT_TRUE(main_->bookkeeping().conditionsWindowOpen);
    PressKey(Qt::Key_F4, Qt::ControlModifier);
    FlushDeletes();
    EXPECT_EQ(ConditionsWindow(), nullptr);
    EXPECT_FALSE(main_->bookkeeping().conditionsWindowOpen) << "closed through its unload";
    EXPECT_EQ(main_->mdiArea()->subWindowList().size(), 2);
}

// Esc in the conditions window is キャンセル: the window closes and what was
// typed is not stored.
TEST_F(WindowMenuTest, EscapeInTheConditionsWindowCancels) {
    QWidget* conditions = OpenConditions();
    ChooseWire(conditions, 1);
    SetBox(conditions, 13, QStringLiteral("50"));
    PressKey(Qt::Key_Escape);
    FlushDeletes();
    EXPECT_EQ(ConditionsWindow(), nullptr);
    EXPECT_FALSE(main_->bookkeeping().conditionsWindowOpen);
    EXPECT_FALSE(Action("mnuCalculate")->isEnabled()) << "nothing stored";
}

// The shipped usage text opens with its longest line readable without
// scrolling sideways.
TEST_F(WindowMenuTest, TheUsageWindowOpensWideEnoughForItsText) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(ORVALT_SOURCE_DIR "/data/orvalt99.txt"),
                            ProgramFile(QStringLiteral("orvalt99.txt"))));
    Trigger("mnuUse");
    auto* text =
        Child<QPlainTextEdit>(ChildWindow(QStringLiteral("frmUsage")), QStringLiteral("Text1"));
    ASSERT_NE(text, nullptr);
    QCoreApplication::processEvents();
    EXPECT_EQ(text->horizontalScrollBar()->maximum(), 0);
}

// A maximized section window fills the area, also after the main window
// grows.
TEST_F(WindowMenuTest, AMaximizedSectionWindowFillsTheArea) {
    storeConditions();
    Trigger("mnuSection");
    QMdiSubWindow* sub = main_->mdiArea()->activeSubWindow();
    ASSERT_NE(sub, nullptr);
    sub->showMaximized();
    for (const QSize size : {QSize(1400, 900), QSize(1600, 1100)}) {
        main_->resize(size);
        QCoreApplication::processEvents();
        EXPECT_EQ(sub->size(), main_->mdiArea()->viewport()->size());
    }
}

// The wire box keeps its size; its open list shows the longest catalogue
// name whole, and each name is its entry's tooltip.
TEST_F(WindowMenuTest, TheWireListShowsLongNamesWhole) {
    CloseMain();
    WireRecord linnet = AcsrLinnet();
    linnet.wireName = "相当 (26/2.888+7/2.245) ACSR Linnet";
    WriteCatalogueOf({WorkedExample1(), WorkedExample2(), linnet});
    OpenMain(folder_.path());
    QWidget* conditions = OpenConditions();
    auto* combo = Child<QComboBox>(conditions, QStringLiteral("cmbWireName"));
    ASSERT_NE(combo, nullptr);
    const int width = combo->width();
    ChooseWire(conditions, 2);
    const QString name = combo->itemText(2);
    ASSERT_TRUE(name.contains(QStringLiteral("Linnet")));
    EXPECT_EQ(combo->width(), width);
    EXPECT_GE(combo->view()->viewport()->width(),
              combo->view()->fontMetrics().horizontalAdvance(name));
    EXPECT_EQ(combo->itemData(2, Qt::ToolTipRole).toString(), name);
    EXPECT_EQ(combo->toolTip(), name);
}

class AnswerText final : public TextInputService, public SaveDialogService {
public:
    std::optional<QString> AskText(QWidget*, const QString&, const QString&,
                                   const QString& text) override {
        shown = text;
        return answer;
    }
    QString ChooseSaveFile(QWidget*, const QString&, const QString&, const QString&) override {
        return path;
    }
    QString shown, path;
    std::optional<QString> answer;
};

// 表題 from the ファイル menu by its letters: the title goes into the caption
// and the case file's title; a cancel keeps it.
TEST_F(WindowMenuTest, TheTitleIsEditedFromTheFileMenuAndSaved) {
    AnswerText input;
    main_->setTextInputService(input);
    main_->setSaveDialogService(input);
    storeConditions();
    input.path = folder_.filePath(QStringLiteral("case.o99case"));
    Trigger("mnuSaveAs");
    auto* file = main_->findChild<QMenu*>(QStringLiteral("mnuFile"));
    const QString title = QStringLiteral("ＡＢ線 No.3〜No.7");
    for (const std::optional<QString>& answer :
         {std::optional<QString>(title), std::optional<QString>()}) {
        input.answer = answer;
        PressAccessKey(Qt::Key_F);
        ASSERT_TRUE(QTest::qWaitFor([file] { return file->isVisible(); }, 2000));
        QTest::keyClick(file, Qt::Key_H);
        FlushDeletes();
        EXPECT_TRUE(Caption().endsWith(QStringLiteral("case.o99case*  ") + title))
            << Caption().toStdString();
    }
    EXPECT_EQ(input.shown, title) << "the second ask starts from the title";
    Trigger("mnuSave");
    EXPECT_TRUE(Caption().endsWith(QStringLiteral("case.o99case  ") + title)) << "saved, unmarked";
    QFile saved(input.path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        QString::fromUtf8(saved.readAll()).contains(QStringLiteral("\"title\": \"") + title));
}

} // namespace
} // namespace orvalt::test
