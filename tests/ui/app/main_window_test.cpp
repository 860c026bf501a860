// The main window: start-up state, menus and their enabling, the guards, the
// calculate command and the quit question.
#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QMenuBar>
#include <QPlainTextEdit>

#include "support/main_window_fixture.h"
#include "ui/base/message_box.h"
#include "ui/windows/result_window.h"

namespace orvalt::test {
namespace {

TEST_F(MainWindowWithWiresTest, StartsWithTheStartUpCaptionStateAndMenus) {
    EXPECT_EQ(Caption(), QStringLiteral("最大使用張力計算"));
    EXPECT_TRUE(main_->mdiArea()->subWindowList().isEmpty());

    struct Command {
        const char* name;
        const char16_t* caption;
        bool enabled;
        const char* shortcut = "";
    };
    const Command commands[] = {
        {"mnuFile", u"ファイル(&F)", true},
        {"mnuOpen", u"開く(&O)…", true, "Ctrl+O"},
        {"mnuSave", u"上書き保存(&S)", false, "Ctrl+S"},
        {"mnuSaveAs", u"名前を付けて保存(&A)…", false, "Ctrl+Shift+S"},
        {"mnuFile_End", u"終了(&X)", true},
        {"mnuCondition", u"計算条件(&S)", true},
        {"mnuCalculate", u"計算(&C)", false},
        {"mnuSection", u"区間計算(&T)", false},
        {"mnuPrint", u"計算結果印刷(&P)", false},
        {"mnuWire", u"電線設定(&W)", true},
        {"mnuUse", u"使い方(&U)", true},
        {"mnuChart", u"架線弛度表(&K)", false},
        {"mnuGraph", u"グラフ(&G)", false},
        {"mnuCsv", u"CSV で保存(&E)…", false},
        {"mnuImage", u"画像として保存(&I)…", false},
    };
    for (const Command& c : commands) {
        QAction* a = Action(c.name);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(), QString::fromUtf16(c.caption)) << c.name;
        EXPECT_EQ(a->isEnabled(), c.enabled) << c.name;
        EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromLatin1(c.shortcut))) << c.name;
    }
    // The commands other than ファイル stand in the bar itself, in this order;
    // the ウィンドウ menu comes after them.
    const QList<QAction*> bar = main_->menuBar()->actions();
    const char* order[] = {"mnuFile",  "mnuCondition", "mnuCalculate", "mnuSection", "mnuPrint",
                           "mnuChart", "mnuGraph",     "mnuWire",      "mnuUse"};
    ASSERT_EQ(bar.size(), std::ssize(order) + 1);
    EXPECT_EQ(bar.back()->objectName(), QStringLiteral("mnuWindow"));
    EXPECT_NE(bar.back()->menu(), nullptr);
    for (int i = 0; i < std::ssize(order); ++i)
        EXPECT_EQ(bar[i]->objectName(), QLatin1String(order[i]));
    EXPECT_NE(bar[0]->menu(), nullptr);
    for (int i = 1; i < std::ssize(order); ++i) EXPECT_EQ(bar[i]->menu(), nullptr) << order[i];
    // ファイル: the case file commands and 表題, a separator, the two save commands of
    // the active window, a separator, 終了.
    const QList<QAction*> file = bar[0]->menu()->actions();
    const char* fileOrder[] = {"mnuOpen", "mnuSave",  "mnuSaveAs", "mnuTitle",   "",
                               "mnuCsv",  "mnuImage", "",          "mnuFile_End"};
    ASSERT_EQ(file.size(), std::ssize(fileOrder));
    for (int i = 0; i < std::ssize(fileOrder); ++i) {
        EXPECT_EQ(file[i]->isSeparator(), *fileOrder[i] == '\0') << i;
        if (*fileOrder[i] != '\0') {
            EXPECT_EQ(file[i]->objectName(), QLatin1String(fileOrder[i]));
        }
    }

    const CalculationState defaults;
    EXPECT_EQ(state_.windPressureHigh, defaults.windPressureHigh);
    EXPECT_EQ(state_.temperatureLow, defaults.temperatureLow);
    EXPECT_EQ(state_.spanStep, defaults.spanStep);
    EXPECT_EQ(state_.loadFactorStudy, 1.0f);
    EXPECT_TRUE(state_.resultTable.empty());
    EXPECT_EQ(main_->bookkeeping().resultWindowCount, 0);
    EXPECT_FALSE(main_->bookkeeping().conditionsWindowOpen);
    EXPECT_EQ(state_.currentWire, WireRecord{});
    EXPECT_EQ(QString::fromStdString(main_->bookkeeping().wireDataPath),
              folder_.path() + QDir::separator() + QStringLiteral("wiredata.dat"));
}

TEST_F(MainWindowWithWiresTest, StartUpResetsAStateLeftFromBefore) {
    main_.reset();
    state_.windPressureHigh = 1.0f;
    state_.resultTable.resize(3);
    state_.currentWire.wireName = "old";
    OpenMain(folder_.path());
    EXPECT_EQ(state_.windPressureHigh, 100.0f);
    EXPECT_TRUE(state_.resultTable.empty());
    EXPECT_TRUE(state_.currentWire.wireName.empty());
}

TEST_F(MainWindowWithWiresTest, ProgramFilesAreJoinedWithThePlatformSeparator) {
    EXPECT_EQ(main_->programFilePath(QStringLiteral("orvalt99.txt")),
              folder_.path() + QDir::separator() + QStringLiteral("orvalt99.txt"));
}

TEST_F(MainWindowWithWiresTest, WireSettingsAreRefusedWhileTheConditionsWindowIsOpen) {
    QWidget* conditions = OpenConditions();
    ASSERT_NE(conditions, nullptr);
    const int before = static_cast<int>(main_->mdiArea()->subWindowList().size());

    Trigger("mnuWire");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, QStringLiteral("条件設定画面を閉じてから設定してください"));
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(messages_.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(main_->mdiArea()->subWindowList().size(), before);

    // Also while it is minimized behind others.
    qobject_cast<QMdiSubWindow*>(conditions->parentWidget())->showMinimized();
    Trigger("mnuWire");
    EXPECT_EQ(messages_.shown.size(), 2u);

    // Once it is closed, 電線設定 opens its window without a word.
    Click(conditions, "Command1_1");
    ASSERT_EQ(ConditionsWindow(), nullptr);
    EXPECT_FALSE(main_->bookkeeping().conditionsWindowOpen);
    Trigger("mnuWire");
    EXPECT_EQ(messages_.shown.size(), 2u);
    EXPECT_EQ(SubWindows(QStringLiteral("frmWireSetting")).size(), 1);
}

TEST_F(MainWindowWithWiresTest, ConditionsCommandBringsTheOneWindowToTheFront) {
    QWidget* first = OpenConditions();
    ASSERT_NE(first, nullptr);
    Trigger("mnuCondition");
    EXPECT_EQ(SubWindows(QStringLiteral("frmSetting")).size(), 1);
    EXPECT_EQ(ConditionsWindow(), first);
    EXPECT_EQ(ActiveChild(), first);
}

class CalculateTest : public MainWindowWithWiresTest {
protected:
    void Confirm(int wire, const QString& start, const QString& end, const QString& step) {
        QWidget* window = OpenConditions();
        ASSERT_NE(window, nullptr);
        ChooseWire(window, wire);
        SetBox(window, 15, start);
        SetBox(window, 14, end);
        SetBox(window, 13, step);
        Click(window, "Command1_0");
        ASSERT_EQ(ConditionsWindow(), nullptr);
    }
    QList<QMdiSubWindow*> Results() const { return SubWindows(QStringLiteral("frmKekka")); }
};

TEST_F(CalculateTest, TwoCalculationsOpenTwoResultWindowsAndPrintFollowsThem) {
    Confirm(0, "100", "400", "10");
    EXPECT_TRUE(Action("mnuCalculate")->isEnabled());
    Trigger("mnuCalculate");
    Confirm(1, "100", "400", "50");
    Trigger("mnuCalculate");
    EXPECT_TRUE(messages_.shown.empty());

    auto windows = Results();
    ASSERT_EQ(windows.size(), 2);
    EXPECT_EQ(main_->bookkeeping().resultWindowCount, 2);
    EXPECT_TRUE(Action("mnuPrint")->isEnabled());
    // Each window keeps the report and caption of its own calculation.
    EXPECT_EQ(windows[0]->widget()->windowTitle(), QStringLiteral("結果 : 計算例1 90℃"));
    EXPECT_EQ(windows[1]->widget()->windowTitle(), QStringLiteral("結果 : 計算例2 90℃"));
    EXPECT_EQ(windows[1]->windowTitle(), QStringLiteral("結果 : 計算例2 90℃"));
    auto* first = qobject_cast<frmKekka*>(windows[0]->widget());
    auto* second = qobject_cast<frmKekka*>(windows[1]->widget());
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->reportText().count(QStringLiteral("\r\n")), 22 + 31);
    EXPECT_EQ(second->reportText().count(QStringLiteral("\r\n")), 22 + 7);
    // The second cascades from the first.
    EXPECT_GT(windows[1]->pos().x(), windows[0]->pos().x());
    EXPECT_GT(windows[1]->pos().y(), windows[0]->pos().y());

    windows[0]->close();
    FlushDeletes();
    EXPECT_EQ(Results().size(), 1);
    EXPECT_EQ(main_->bookkeeping().resultWindowCount, 1);
    EXPECT_TRUE(Action("mnuPrint")->isEnabled());
    Results().front()->close();
    FlushDeletes();
    EXPECT_TRUE(Results().isEmpty());
    EXPECT_EQ(main_->bookkeeping().resultWindowCount, 0);
    EXPECT_FALSE(Action("mnuPrint")->isEnabled());
    // 計算 stays enabled for the rest of the run.
    EXPECT_TRUE(Action("mnuCalculate")->isEnabled());
}

TEST_F(CalculateTest, AFailedCalculationShowsItsMessageAndOpensNoWindow) {
    Confirm(0, "100", "400", "10");
    Trigger("mnuCalculate");
    ASSERT_EQ(Results().size(), 1);
    auto* earlier = qobject_cast<frmKekka*>(Results().front()->widget());
    const QString earlierText = earlier->reportText();
    const QString earlierCaption = earlier->windowTitle();

    // A span range that yields no row: the calculation stops.
    Confirm(0, "400", "390", "10");
    Trigger("mnuCalculate");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(
        messages_.shown[0].text,
        QStringLiteral("計算できませんでした。\n径間の行数の計算中に"
                       "計算する径間がありません（終了径間が刻みの向きと逆の側にあります）。"));
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Stop);
    EXPECT_EQ(messages_.shown[0].buttons, MessageButtons::Ok);
    ASSERT_EQ(Results().size(), 1);
    EXPECT_EQ(Results().front()->widget(), earlier);
    EXPECT_EQ(earlier->reportText(), earlierText);
    EXPECT_EQ(earlier->windowTitle(), earlierCaption);
    EXPECT_EQ(main_->bookkeeping().resultWindowCount, 1);
}

TEST_F(CalculateTest, CalculateUsesTheLastConfirmedConditionsNotTheOpenWindow) {
    Confirm(0, "100", "400", "10");
    QWidget* window = OpenConditions();
    SetBox(window, 13, "100");
    Trigger("mnuCalculate");
    ASSERT_EQ(Results().size(), 1);
    auto* result = qobject_cast<frmKekka*>(Results().front()->widget());
    EXPECT_EQ(result->reportText().count(QStringLiteral("\r\n")), 22 + 31);
}

// The program's own question, asked when there is nothing unsaved: the
// conditions are saved first (unsaved changes ask whether to save them
// instead, see case_document_window_test.cpp).
class QuitTest : public CalculateTest {
protected:
    void SaveDesign() {
        dialogs_.saveAnswer = cases_.filePath(QStringLiteral("design.o99case"));
        main_->setSaveDialogService(dialogs_);
        Trigger("mnuSave");
        ASSERT_TRUE(QFile::exists(dialogs_.saveAnswer));
    }
    QTemporaryDir cases_;
    FakeFileDialogs dialogs_;
};

TEST_F(QuitTest, CancelKeepsEverythingAsItWas) {
    Confirm(0, "100", "400", "10");
    SaveDesign();
    Trigger("mnuCalculate");
    OpenConditions();
    const QString caption = Caption();
    messages_.answers = {MessageAnswer::Cancel};
    Trigger("mnuFile_End");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, QStringLiteral("終了しますか"));
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(messages_.shown[0].buttons, MessageButtons::OkCancel);
    EXPECT_TRUE(main_->isVisible());
    EXPECT_EQ(Caption(), caption);
    EXPECT_EQ(Results().size(), 1);
    EXPECT_NE(ConditionsWindow(), nullptr);
    EXPECT_TRUE(main_->bookkeeping().conditionsWindowOpen);
    EXPECT_EQ(main_->bookkeeping().resultWindowCount, 1);
    EXPECT_TRUE(Action("mnuPrint")->isEnabled());
}

TEST_F(QuitTest, OkClosesEveryChildThroughItsOwnUnloadAndEnds) {
    Confirm(0, "100", "400", "10");
    SaveDesign();
    Trigger("mnuCalculate");
    Trigger("mnuCalculate");
    OpenConditions();
    ASSERT_TRUE(main_->bookkeeping().conditionsWindowOpen);
    messages_.answers = {MessageAnswer::Ok};
    Trigger("mnuFile_End");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_FALSE(main_->isVisible());
    EXPECT_TRUE(main_->mdiArea()->subWindowList().isEmpty());
    EXPECT_FALSE(main_->bookkeeping().conditionsWindowOpen);
    EXPECT_EQ(main_->bookkeeping().resultWindowCount, 0);
    EXPECT_FALSE(Action("mnuPrint")->isEnabled());
}

TEST_F(QuitTest, TheCloseBoxAsksTheSameQuestion) {
    messages_.answers = {MessageAnswer::Cancel, MessageAnswer::Ok};
    EXPECT_FALSE(main_->close());
    EXPECT_TRUE(main_->isVisible());
    EXPECT_TRUE(main_->close());
    ASSERT_EQ(messages_.shown.size(), 2u);
    EXPECT_EQ(messages_.shown[1].text, QStringLiteral("終了しますか"));
    EXPECT_FALSE(main_->isVisible());
}

} // namespace
} // namespace orvalt::test
