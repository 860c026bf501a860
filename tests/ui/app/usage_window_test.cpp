// The usage window: the file read in code page 932 at every opening, line by
// line whatever the line ends, 使い方 greyed out exactly while it is open, and
// a clear message instead of a window when the file cannot be read.
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <unistd.h>

#include "support/files.h"
#include "support/main_window_fixture.h"
#include "ui/windows/usage_window.h"

namespace orvalt::test {
namespace {

class UsageWindowTest : public MainWindowTest {
protected:
    QWidget* UsageWindow() const {
        for (QWidget* w : main_->findChildren<QWidget*>(QStringLiteral("frmUsage")))
            if (w->isVisible()) return w;
        return nullptr;
    }
    QPlainTextEdit* Text1() const {
        QWidget* window = UsageWindow();
        return window != nullptr ? window->findChild<QPlainTextEdit*>(QStringLiteral("Text1"))
                                 : nullptr;
    }
    void OpenUsage() { Action("mnuUse")->trigger(); }
    void WriteUsageText(const QByteArray& bytes) {
        WriteFileBytes(FsPath(ProgramFile(QStringLiteral("orvalt99.txt"))), bytes.toStdString());
    }
    void CloseUsage() {
        auto* sub = qobject_cast<QMdiSubWindow*>(UsageWindow()->parentWidget());
        ASSERT_NE(sub, nullptr);
        sub->close();
        FlushDeletes();
    }
};

struct UsageCase {
    const char* what;
    QByteArray bytes;
    QString shown; // the text box's text (the box hands line ends back as LF)
};

void PrintTo(const UsageCase& c, std::ostream* os) { *os << c.what; }

class UsageTextTest : public UsageWindowTest, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(UsageTextTest, ShowsTheFileLineByLine) {
    WriteUsageText(GetParam().bytes);
    OpenUsage();
    ASSERT_NE(Text1(), nullptr) << "no usage window; messages: "
                                << MessageTexts().join(" | ").toStdString();
    EXPECT_EQ(Text1()->toPlainText(), GetParam().shown);
    EXPECT_TRUE(messages_.shown.empty());
}

QByteArray Bytes(const char* data, std::size_t size) {
    return QByteArray(data, static_cast<qsizetype>(size));
}
#define BYTES(literal) Bytes(literal, sizeof(literal) - 1)

INSTANTIATE_TEST_SUITE_P(
    LineEndsAndCodePage, UsageTextTest,
    ::testing::Values(
        UsageCase{"empty file", QByteArray(), QString()},
        UsageCase{"CR LF", BYTES("one\r\ntwo\r\n"), QStringLiteral("one\ntwo\n")},
        UsageCase{"lone CR", BYTES("one\rtwo\r"), QStringLiteral("one\ntwo\n")},
        UsageCase{"lone LF (edited on Linux)", BYTES("one\ntwo\n"), QStringLiteral("one\ntwo\n")},
        UsageCase{"mixed ends", BYTES("a\r\nb\rc\nd"), QStringLiteral("a\nb\nc\nd\n")},
        UsageCase{"last line without a break", BYTES("one\r\ntwo"), QStringLiteral("one\ntwo\n")},
        UsageCase{"blank lines kept", BYTES("a\r\n\r\n\r\nb\r\n"), QStringLiteral("a\n\n\nb\n")},
        UsageCase{"LF CR is two breaks", BYTES("a\n\rb"), QStringLiteral("a\n\nb\n")},
        // あ 82A0, ソ 835C (0x5C as trail byte), \ 5C (a backslash in 932),
        // ～ 8160 (U+FF5E), ① 8740 (NEC row 13), ⅰ FA40 (IBM extension).
        UsageCase{"code page 932", BYTES("\x82\xa0\x83\x5c\x5c\x81\x60\x87\x40\xfa\x40\r\n"),
                  QStringLiteral("あソ\\～①ⅰ\n")},
        UsageCase{"half-width katakana", BYTES("\xb6\xc5\r\n"), QStringLiteral("ｶﾅ\n")},
        UsageCase{"invalid bytes become U+FFFD",
                  BYTES("a\xff"
                        "b\x85\x40"
                        "c\r\n"),
                  QStringLiteral("a\uFFFDb\uFFFDc\n")},
        UsageCase{"lead byte cut off by CR LF", BYTES("a\x82\r\nb\r\n"),
                  QStringLiteral("a\uFFFD\nb\n")},
        UsageCase{"lead byte at end of file", BYTES("a\x82"), QStringLiteral("a\uFFFD\n")},
        UsageCase{"NUL byte shown, not cut", BYTES("a\0b\r\n"),
                  QStringLiteral("a") + QChar(0) + QStringLiteral("b\n")}));

TEST_F(UsageWindowTest, OpensCentredReadOnlyNoWrapAtTheBeginning) {
    QByteArray text;
    for (int i = 0; i < 300; ++i)
        text += "line " + QByteArray::number(i) + QByteArray(300, 'x') + "\r\n";
    WriteUsageText(text);
    OpenUsage();
    QWidget* window = UsageWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("使い方"));
    QPlainTextEdit* box = Text1();
    EXPECT_TRUE(box->isReadOnly());
    EXPECT_EQ(box->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    // The proportional Mincho at 11.25 pt, in a face that has the text's kanji.
    EXPECT_EQ(box->font().family(), QStringLiteral("ＭＳ Ｐ明朝"));
    EXPECT_DOUBLE_EQ(box->font().pointSizeF(), 11.25);
    const QFontMetricsF metrics(box->font());
    for (const char32_t c : {U'使', U'方', U'張', U'径', U'℃'})
        EXPECT_TRUE(metrics.inFontUcs4(c))
            << "U+" << std::hex << static_cast<unsigned>(c) << " missing in "
            << QFontInfo(box->font()).family().toStdString();
    EXPECT_LT(metrics.horizontalAdvance(QStringLiteral("i")),
              metrics.horizontalAdvance(QStringLiteral("W")))
        << "the usage text is set in a proportional face";
    EXPECT_EQ(box->textCursor().position(), 0);
    EXPECT_EQ(box->verticalScrollBar()->value(), 0);
    EXPECT_EQ(box->horizontalScrollBar()->value(), 0);
    EXPECT_GT(box->horizontalScrollBar()->maximum(), 0) << "long lines must not wrap";
    EXPECT_EQ(box->blockCount(), 301);

    // Centred in the MDI area: (client - outer) / 2 on both axes, within a pixel.
    auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    const QSize client = main_->mdiArea()->viewport()->size();
    EXPECT_NEAR(sub->x(), (client.width() - sub->frameGeometry().width()) / 2.0, 1.0);
    EXPECT_NEAR(sub->y(), (client.height() - sub->frameGeometry().height()) / 2.0, 1.0);

    // The box fills the client area, also after a resize.
    EXPECT_EQ(box->geometry(), window->rect());
    sub->resize(sub->size() + QSize(120, 80));
    QCoreApplication::processEvents();
    EXPECT_EQ(box->geometry(), window->rect());
    sub->showMaximized();
    QCoreApplication::processEvents();
    EXPECT_EQ(box->geometry(), window->rect());
}

TEST_F(UsageWindowTest, UseIsGreyedOutExactlyWhileOpen) {
    WriteUsageText("first\r\n");
    QAction* mnuUse = Action("mnuUse");
    ASSERT_TRUE(mnuUse->isEnabled());
    OpenUsage();
    ASSERT_NE(UsageWindow(), nullptr);
    EXPECT_FALSE(mnuUse->isEnabled());
    CloseUsage();
    EXPECT_EQ(UsageWindow(), nullptr);
    EXPECT_TRUE(mnuUse->isEnabled());

    // The next opening reads the file as it is now, once.
    WriteUsageText("second\r\n");
    OpenUsage();
    ASSERT_NE(Text1(), nullptr);
    EXPECT_EQ(Text1()->toPlainText(), QStringLiteral("second\n"));
    EXPECT_EQ(main_->findChildren<QWidget*>(QStringLiteral("frmUsage")).size(), 1);
}

TEST_F(UsageWindowTest, OpeningAgainWhileOpenMakesNoSecondWindow) {
    WriteUsageText("text\r\n");
    OpenUsage();
    ShowUsageWindow(*main_); // as a second 使い方 would, were it not greyed out
    FlushDeletes();
    EXPECT_EQ(main_->findChildren<QWidget*>(QStringLiteral("frmUsage")).size(), 1);
}

TEST_F(UsageWindowTest, MissingFileShowsThePathAndOpensNothing) {
    OpenUsage();
    EXPECT_EQ(UsageWindow(), nullptr);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(messages_.shown[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(messages_.shown[0].text.contains(ProgramFile("orvalt99.txt")))
        << messages_.shown[0].text.toStdString();
    EXPECT_TRUE(messages_.shown[0].text.contains(QStringLiteral("ファイルがありません")));
    EXPECT_TRUE(Action("mnuUse")->isEnabled());
    EXPECT_TRUE(main_->mdiArea()->subWindowList().isEmpty());
}

TEST_F(UsageWindowTest, AFolderInPlaceOfTheFileShowsThePathAndOpensNothing) {
    ASSERT_TRUE(QDir(folder_.path()).mkdir(QStringLiteral("orvalt99.txt")));
    OpenUsage();
    EXPECT_EQ(UsageWindow(), nullptr);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Information);
    EXPECT_TRUE(messages_.shown[0].text.contains(ProgramFile("orvalt99.txt")));
    EXPECT_TRUE(Action("mnuUse")->isEnabled());
}

TEST_F(UsageWindowTest, UnreadableFileShowsThePathAndOpensNothing) {
    const QString path = ProgramFile("orvalt99.txt");
    WriteFileBytes(FsPath(path), "secret\r\n");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner));
    if (::access(QFile::encodeName(path).constData(), R_OK) == 0)
        GTEST_SKIP() << "running with rights that read any file (root): a mode of 0200 does not "
                        "stop the read";
    OpenUsage();
    EXPECT_EQ(UsageWindow(), nullptr);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_TRUE(messages_.shown[0].text.contains(path));
    EXPECT_TRUE(Action("mnuUse")->isEnabled());
}

TEST_F(UsageWindowTest, TypingChangesNothing) {
    WriteUsageText("fixed\r\n");
    OpenUsage();
    QPlainTextEdit* box = Text1();
    ASSERT_NE(box, nullptr);
    ClickOn(box);
    TypeText(QStringLiteral("a"));
    PressKey(Qt::Key_Delete);
    EXPECT_EQ(box->toPlainText(), QStringLiteral("fixed\n"));
}

} // namespace
} // namespace orvalt::test
