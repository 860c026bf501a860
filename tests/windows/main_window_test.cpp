// The main window: start-up state, menus and their enabling, the guards, the
// calculate command and the quit question.
#include <QDir>
#include <QLibraryInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>
#include <QTranslator>

#include "engine/calculation.h"
#include "engine/report_text.h"
#include "ui/windows/result_window.h"
#include "ui/base/message_box.h"
#include "window_fixture.h"

namespace orvalt::test {
namespace {

using MainWindowTest = WindowTest;

TEST_F(MainWindowTest, StartsWithTheStartUpCaptionStateAndMenus) {
    EXPECT_EQ(main_->windowTitle(), QStringLiteral("最大使用張力計算"));
    EXPECT_TRUE(main_->mdiArea()->subWindowList().isEmpty());

    struct Command {
        const char* name;
        const char16_t* caption;
        bool enabled;
    };
    const Command commands[] = {
        {"mnuFile", u"ファイル(&F)", true}, {"mnuFile_End", u"終了(&X)", true},
        {"mnuCondition", u"計算条件(&S)", true}, {"mnuCalculate", u"計算(&C)", false},
        {"mnuPrint", u"計算結果印刷(&P)", false}, {"mnuWire", u"電線設定(&W)", true},
        {"mnuUse", u"使い方(&U)", true},
    };
    for (const Command& c : commands) {
        QAction* a = action(c.name);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(), QString::fromUtf16(c.caption)) << c.name;
        EXPECT_EQ(a->isEnabled(), c.enabled) << c.name;
        EXPECT_TRUE(a->shortcut().isEmpty()) << c.name;
    }
    // The commands other than ファイル stand in the bar itself, in this order.
    const QList<QAction*> bar = main_->menuBar()->actions();
    ASSERT_EQ(bar.size(), 6);
    const char* order[] = {"mnuFile", "mnuCondition", "mnuCalculate", "mnuPrint", "mnuWire", "mnuUse"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(bar[i]->objectName(), QLatin1String(order[i]));
    EXPECT_NE(bar[0]->menu(), nullptr);
    for (int i = 1; i < 6; ++i) EXPECT_EQ(bar[i]->menu(), nullptr) << order[i];

    const CalculationState defaults;
    EXPECT_EQ(state_.windPressureHigh, defaults.windPressureHigh);
    EXPECT_EQ(state_.temperatureLow, defaults.temperatureLow);
    EXPECT_EQ(state_.spanStep, defaults.spanStep);
    EXPECT_EQ(state_.loadFactorStudy, 1.0f);
    EXPECT_TRUE(state_.resultTable.empty());
    EXPECT_EQ(state_.resultWindowCount, 0);
    EXPECT_FALSE(state_.conditionsWindowOpen);
    EXPECT_EQ(state_.currentWire, WireRecord{});
    EXPECT_EQ(QString::fromStdString(state_.wireDataPath),
              folder_.path() + QDir::separator() + QStringLiteral("wiredata.dat"));
}

TEST_F(MainWindowTest, StartUpResetsAStateLeftFromBefore) {
    main_.reset();
    state_.windPressureHigh = 1.0f;
    state_.conditionsWindowOpen = true;
    state_.resultWindowCount = 4;
    state_.currentWire.wireName = "old";
    createMainWindow();
    EXPECT_EQ(state_.windPressureHigh, 100.0f);
    EXPECT_FALSE(state_.conditionsWindowOpen);
    EXPECT_EQ(state_.resultWindowCount, 0);
    EXPECT_TRUE(state_.currentWire.wireName.empty());
}

TEST_F(MainWindowTest, ProgramFilesAreJoinedWithThePlatformSeparator) {
    EXPECT_EQ(main_->programFilePath(QStringLiteral("orvalt99.txt")),
              folder_.path() + QDir::separator() + QStringLiteral("orvalt99.txt"));
}

TEST_F(MainWindowTest, WireSettingsAreRefusedWhileTheConditionsWindowIsOpen) {
    QWidget* conditions = openConditions();
    ASSERT_NE(conditions, nullptr);
    const int before = static_cast<int>(main_->mdiArea()->subWindowList().size());

    trigger("mnuWire");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, QStringLiteral("条件設定画面を閉じてから設定してください"));
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(messages_.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(main_->mdiArea()->subWindowList().size(), before);

    // Also while it is minimized behind others.
    qobject_cast<QMdiSubWindow*>(conditions->parentWidget())->showMinimized();
    trigger("mnuWire");
    EXPECT_EQ(messages_.shown.size(), 2u);

    // Once it is closed, 電線設定 opens its window without a word.
    click(conditions, "Command1_1");
    ASSERT_EQ(conditionsWindow(), nullptr);
    EXPECT_FALSE(state_.conditionsWindowOpen);
    trigger("mnuWire");
    EXPECT_EQ(messages_.shown.size(), 2u);
    EXPECT_EQ(subWindows(QStringLiteral("frmWireSetting")).size(), 1);
}

TEST_F(MainWindowTest, ConditionsCommandBringsTheOneWindowToTheFront) {
    QWidget* first = openConditions();
    ASSERT_NE(first, nullptr);
    trigger("mnuCondition");
    EXPECT_EQ(subWindows(QStringLiteral("frmSetting")).size(), 1);
    EXPECT_EQ(conditionsWindow(), first);
    EXPECT_EQ(main_->activeChildTag(), QStringLiteral("setting"));
}

class CalculateTest : public WindowTest {
protected:
    void confirm(int wire, const QString& start, const QString& end, const QString& step) {
        QWidget* window = openConditions();
        ASSERT_NE(window, nullptr);
        chooseWire(window, wire);
        setBox(window, 15, start);
        setBox(window, 14, end);
        setBox(window, 13, step);
        click(window, "Command1_0");
        ASSERT_EQ(conditionsWindow(), nullptr);
    }
    QList<QMdiSubWindow*> results() const { return subWindows(QStringLiteral("frmKekka")); }
};

TEST_F(CalculateTest, TwoCalculationsOpenTwoResultWindowsAndPrintFollowsThem) {
    confirm(0, "100", "400", "10");
    EXPECT_TRUE(action("mnuCalculate")->isEnabled());
    trigger("mnuCalculate");
    confirm(1, "100", "400", "50");
    trigger("mnuCalculate");
    EXPECT_TRUE(messages_.shown.empty());

    auto windows = results();
    ASSERT_EQ(windows.size(), 2);
    EXPECT_EQ(state_.resultWindowCount, 2);
    EXPECT_TRUE(action("mnuPrint")->isEnabled());
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
    EXPECT_EQ(results().size(), 1);
    EXPECT_EQ(state_.resultWindowCount, 1);
    EXPECT_TRUE(action("mnuPrint")->isEnabled());
    results().front()->close();
    FlushDeletes();
    EXPECT_TRUE(results().isEmpty());
    EXPECT_EQ(state_.resultWindowCount, 0);
    EXPECT_FALSE(action("mnuPrint")->isEnabled());
    // 計算 stays enabled for the rest of the run.
    EXPECT_TRUE(action("mnuCalculate")->isEnabled());
}

TEST_F(CalculateTest, AFailedCalculationShowsItsMessageAndOpensNoWindow) {
    confirm(0, "100", "400", "10");
    trigger("mnuCalculate");
    ASSERT_EQ(results().size(), 1);
    auto* earlier = qobject_cast<frmKekka*>(results().front()->widget());
    const QString earlierText = earlier->reportText();
    const QString earlierCaption = earlier->windowTitle();

    // A span range that yields no row: the calculation stops.
    confirm(0, "400", "390", "10");
    CalculationState copy = state_;
    std::string expected;
    try {
        RunCalculation(copy);
        FAIL() << "the calculation was expected to fail";
    } catch (const CalculationError& error) {
        expected = error.what();
    }
    trigger("mnuCalculate");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, QString::fromStdString(expected));
    EXPECT_FALSE(messages_.shown[0].text.isEmpty());
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Stop);
    EXPECT_EQ(messages_.shown[0].buttons, MessageButtons::Ok);
    ASSERT_EQ(results().size(), 1);
    EXPECT_EQ(results().front()->widget(), earlier);
    EXPECT_EQ(earlier->reportText(), earlierText);
    EXPECT_EQ(earlier->windowTitle(), earlierCaption);
    EXPECT_EQ(state_.resultWindowCount, 1);
}

TEST_F(CalculateTest, CalculateUsesTheLastConfirmedConditionsNotTheOpenWindow) {
    confirm(0, "100", "400", "10");
    QWidget* window = openConditions();
    setBox(window, 13, "100");
    trigger("mnuCalculate");
    ASSERT_EQ(results().size(), 1);
    auto* result = qobject_cast<frmKekka*>(results().front()->widget());
    EXPECT_EQ(result->reportText().count(QStringLiteral("\r\n")), 22 + 31);
}

TEST_F(CalculateTest, PrintDispatchesOnTheActiveChild) {
    confirm(0, "100", "400", "10");
    trigger("mnuCalculate");
    auto* result = qobject_cast<frmKekka*>(results().front()->widget());
    main_->mdiArea()->setActiveSubWindow(results().front());
    ASSERT_EQ(main_->activeChildTag(), QStringLiteral("kekka"));
    trigger("mnuPrint");
    EXPECT_EQ(printing_.dialogsShown, 1);
    ASSERT_EQ(printing_.jobs.size(), 1);
    EXPECT_EQ(printing_.jobs[0], result->reportText());
    EXPECT_TRUE(messages_.shown.empty());

    // The conditions window active: a message, nothing printed.
    QWidget* conditions = openConditions();
    ASSERT_NE(conditions, nullptr);
    ASSERT_EQ(main_->activeChildTag(), QStringLiteral("setting"));
    trigger("mnuPrint");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text,
              QStringLiteral("計算結果フォームをアクティブにしてから印刷メニューを選んでください"));
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(printing_.dialogsShown, 1);

    // No tagged child active: nothing at all.
    main_->mdiArea()->setActiveSubWindow(nullptr);
    ASSERT_TRUE(main_->activeChildTag().isEmpty());
    trigger("mnuPrint");
    EXPECT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(printing_.dialogsShown, 1);
}

class QuitTest : public CalculateTest {};

TEST_F(QuitTest, CancelKeepsEverythingAsItWas) {
    confirm(0, "100", "400", "10");
    trigger("mnuCalculate");
    openConditions();
    const QString caption = main_->windowTitle();
    messages_.answers = {MessageAnswer::Cancel};
    trigger("mnuFile_End");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, QStringLiteral("終了しますか"));
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(messages_.shown[0].buttons, MessageButtons::OkCancel);
    EXPECT_TRUE(main_->isVisible());
    EXPECT_EQ(main_->windowTitle(), caption);
    EXPECT_EQ(results().size(), 1);
    EXPECT_NE(conditionsWindow(), nullptr);
    EXPECT_TRUE(state_.conditionsWindowOpen);
    EXPECT_EQ(state_.resultWindowCount, 1);
    EXPECT_TRUE(action("mnuPrint")->isEnabled());
}

TEST_F(QuitTest, OkClosesEveryChildThroughItsOwnUnloadAndEnds) {
    confirm(0, "100", "400", "10");
    trigger("mnuCalculate");
    trigger("mnuCalculate");
    openConditions();
    ASSERT_TRUE(state_.conditionsWindowOpen);
    messages_.answers = {MessageAnswer::Ok};
    trigger("mnuFile_End");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_FALSE(main_->isVisible());
    EXPECT_TRUE(main_->mdiArea()->subWindowList().isEmpty());
    EXPECT_FALSE(state_.conditionsWindowOpen);
    EXPECT_EQ(state_.resultWindowCount, 0);
    EXPECT_FALSE(action("mnuPrint")->isEnabled());
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

// The real message box: titled "Orvalt99", buttons in Japanese once the
// qtbase_ja translator is installed, the answer mapped back. A watchdog
// closes anything left open so that the test fails rather than hangs.
TEST(QtMessageServiceTest, TitleIconButtonsAndAnswers) {
    QTranslator translator;
    ASSERT_TRUE(translator.load(QStringLiteral("qtbase_ja"),
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    QApplication::installTranslator(&translator);

    struct Seen {
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList buttons;
    };
    auto answerWith = [](Seen& seen, QMessageBox::StandardButton press) {
        QTimer::singleShot(0, [&seen, press] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            seen.title = box->windowTitle();
            seen.text = box->text();
            seen.icon = box->icon();
            for (QAbstractButton* b : box->buttons()) seen.buttons << b->text();
            box->button(press)->click();
        });
        QTimer::singleShot(5000, [] {
            if (QWidget* w = QApplication::activeModalWidget()) w->close();
        });
    };

    QtMessageService service;
    Seen quit;
    answerWith(quit, QMessageBox::Cancel);
    EXPECT_EQ(service.Show(nullptr, QStringLiteral("終了しますか"), MessageIcon::Exclamation,
                           MessageButtons::OkCancel),
              MessageAnswer::Cancel);
    EXPECT_EQ(quit.title, QStringLiteral("Orvalt99"));
    EXPECT_EQ(quit.text, QStringLiteral("終了しますか"));
    EXPECT_EQ(quit.icon, QMessageBox::Warning);
    EXPECT_TRUE(quit.buttons.contains(QStringLiteral("キャンセル"))) << quit.buttons.join('|').toStdString();

    Seen stop;
    answerWith(stop, QMessageBox::Ok);
    EXPECT_EQ(service.Show(nullptr, QStringLiteral("a\nb"), MessageIcon::Stop, MessageButtons::Ok),
              MessageAnswer::Ok);
    EXPECT_EQ(stop.icon, QMessageBox::Critical);
    EXPECT_EQ(stop.buttons.size(), 1);

    Seen plain;
    answerWith(plain, QMessageBox::Ok);
    EXPECT_EQ(service.Show(nullptr, QStringLiteral("x"), MessageIcon::None, MessageButtons::OkCancel),
              MessageAnswer::Ok);
    EXPECT_EQ(plain.icon, QMessageBox::NoIcon);
    QApplication::removeTranslator(&translator);
}

} // namespace
} // namespace orvalt::test
