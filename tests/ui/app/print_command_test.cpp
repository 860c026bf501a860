// The print command over the windows: it acts on the active child, the
// result window is printed as its text shows, every copy is a job of its own,
// and a cancel or a printer fault says "印字はキャンセルされました。". What the
// printer receives is checked in tests/ui/base/printing_test.cpp.
#include <QMenu>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include "support/files.h"
#include "support/main_window_fixture.h"
#include "ui/base/text_input.h"
#include "ui/windows/result_window.h"

namespace orvalt::test {
namespace {

const QString kCancelled = QStringLiteral("印字はキャンセルされました。");

class PrintCommandTest : public MainWindowWithWiresTest {
protected:
    // A result window holding `text` (lines ending in CR LF), made active.
    QWidget* ResultWindow(const QString& text) {
        frmKekka* window = BuildResultReport(*main_);
        window->text1()->setPlainText(text);
        Activate(window);
        return window;
    }
    // A child window that is none of the program's windows, made active.
    QWidget* PlainChild() {
        auto* child = new QWidget;
        QMdiSubWindow* sub = main_->addChildWindow(child);
        sub->show();
        Activate(child);
        return child;
    }
    void Activate(QWidget* child) {
        auto* sub = qobject_cast<QMdiSubWindow*>(child->parentWidget());
        ASSERT_NE(sub, nullptr);
        main_->mdiArea()->setActiveSubWindow(sub);
        QCoreApplication::processEvents();
        ASSERT_EQ(main_->mdiArea()->activeSubWindow(), sub);
    }
    void Print() {
        QAction* mnuPrint = Action("mnuPrint");
        ASSERT_NE(mnuPrint, nullptr);
        ASSERT_TRUE(mnuPrint->isEnabled());
        mnuPrint->trigger();
    }
};

const QString kReport = QStringLiteral("  径間    弛度\r\n 100.0   1.23\r\n\r\n 110.0   1.45\r\n");

TEST_F(PrintCommandTest, ResultWindowIsPrintedAsItsTextShows) {
    ResultWindow(kReport);
    Print();
    EXPECT_EQ(printing_.dialogsShown, 1);
    EXPECT_EQ(printing_.jobs, QStringList{kReport});
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(PrintCommandTest, EditsTypedIntoTheResultWindowArePrinted) {
    QWidget* window = ResultWindow(kReport);
    auto* text1 = window->findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    ClickOn(text1);
    PressKey(Qt::Key_End, Qt::ControlModifier);
    TypeText(QStringLiteral("備考: 確認済み"));
    PressKey(Qt::Key_Return);
    Print();
    ASSERT_EQ(printing_.jobs.size(), 1);
    EXPECT_EQ(printing_.jobs[0], kReport + QStringLiteral("備考: 確認済み\r\n"));
}

TEST_F(PrintCommandTest, TheActiveOfTwoResultWindowsIsPrinted) {
    QWidget* first = ResultWindow(QStringLiteral("first\r\n"));
    ResultWindow(QStringLiteral("second\r\n"));
    Activate(first);
    Print();
    EXPECT_EQ(printing_.jobs, QStringList{QStringLiteral("first\r\n")});
}

TEST_F(PrintCommandTest, ConditionsWindowActiveWarnsAndPrintsNothing) {
    ResultWindow(kReport); // keeps the command enabled
    ASSERT_NE(OpenConditions(), nullptr);
    Print();
    EXPECT_EQ(printing_.dialogsShown, 0);
    EXPECT_TRUE(printing_.jobs.isEmpty());
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text,
              QStringLiteral("計算結果フォームをアクティブにしてから印刷メニューを選んでください"));
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::None);
}

TEST_F(PrintCommandTest, NoActiveChildOrAnUnknownOneDoesNothing) {
    ResultWindow(kReport);
    PlainChild();
    Print();
    main_->mdiArea()->setActiveSubWindow(nullptr);
    Print();
    EXPECT_EQ(printing_.dialogsShown, 0);
    EXPECT_TRUE(printing_.jobs.isEmpty());
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(PrintCommandTest, UsageAndWireSettingWindowsActiveDoNothing) {
    ResultWindow(kReport);
    WriteFileBytes(FsPath(ProgramFile(QStringLiteral("orvalt99.txt"))), "usage\r\n");
    WriteFileBytes(FsPath(ProgramFile(QStringLiteral("wiredata.dat"))), "");
    for (const char* menu : {"mnuUse", "mnuWire"}) {
        SCOPED_TRACE(menu);
        Action(menu)->trigger();
        ASSERT_NE(ActiveChild(), nullptr);
        EXPECT_NE(ActiveChild()->objectName(), QStringLiteral("frmKekka"));
        Print();
        EXPECT_EQ(printing_.dialogsShown, 0);
        EXPECT_TRUE(messages_.shown.empty());
    }
}

TEST_F(PrintCommandTest, CancelInTheDialogPrintsNothingAndSaysSo) {
    ResultWindow(kReport);
    printing_.copies = 0;
    Print();
    EXPECT_TRUE(printing_.jobs.isEmpty());
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, kCancelled);
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(messages_.shown[0].buttons, MessageButtons::Ok);
}

TEST_F(PrintCommandTest, ThreeCopiesAreThreeJobs) {
    ResultWindow(kReport);
    printing_.copies = 3;
    Print();
    EXPECT_EQ(printing_.dialogsShown, 1);
    EXPECT_EQ(printing_.jobs, (QStringList{kReport, kReport, kReport}));
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(PrintCommandTest, APrinterFailingMidWayKeepsTheCopiesSentAndStops) {
    ResultWindow(kReport);
    printing_.copies = 3;
    printing_.failAfterJobs = 1;
    Print();
    EXPECT_EQ(printing_.jobs, QStringList{kReport});
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, kCancelled);
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Information);
}

TEST_F(PrintCommandTest, APrinterFailingAtOnceSaysSo) {
    ResultWindow(kReport);
    printing_.failAfterJobs = 0;
    Print();
    EXPECT_TRUE(printing_.jobs.isEmpty());
    EXPECT_EQ(MessageTexts(), QStringList{kCancelled});
}

} // namespace
} // namespace orvalt::test

namespace orvalt::test {
namespace {

class AnswerTitle final : public TextInputService {
public:
    std::optional<QString> AskText(QWidget*, const QString&, const QString&,
                                   const QString&) override {
        return answer;
    }
    QString answer;
};

// The case's title, typed through ファイル > 表題 (Alt+F, H), heads every page of
// the next print as the page header; the text printed is the window's, as it
// was. A title blanked out again prints no header.
TEST_F(PrintCommandTest, TheCaseTitleHeadsThePrintedPagesAndLeavesTheTextAlone) {
    AnswerTitle input;
    main_->setTextInputService(input);
    auto* file = main_->findChild<QMenu*>(QStringLiteral("mnuFile"));
    ASSERT_NE(file, nullptr);
    const struct {
        const char16_t* typed; // nullptr: 表題 is not used
        const char16_t* header;
    } cases[] = {
        {nullptr, u""},
        {u"ＡＢ線 No.3-No.7", u"ＡＢ線 No.3-No.7"},
        {u"  第2工区   張替  ", u"第2工区 張替"},
        {u"   ", u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.header).toStdString());
        if (c.typed != nullptr) {
            input.answer = QString::fromUtf16(c.typed);
            PressAccessKey(Qt::Key_F);
            ASSERT_TRUE(QTest::qWaitFor([file] { return file->isVisible(); }, 2000));
            QTest::keyClick(file, Qt::Key_H);
            FlushDeletes();
        }
        printing_.jobs.clear();
        printing_.headers.clear();
        ResultWindow(kReport);
        Print();
        EXPECT_EQ(printing_.jobs, QStringList{kReport});
        EXPECT_EQ(printing_.headers, QStringList{QString::fromUtf16(c.header)});
    }
    EXPECT_TRUE(messages_.shown.empty());
}

} // namespace
} // namespace orvalt::test
