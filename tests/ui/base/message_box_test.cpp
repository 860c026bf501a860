// The real message service: a QMessageBox with the program's title, icon and
// buttons, whose answer comes back as the program's own answer.
#include <QAbstractButton>
#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

#include <utility>

#include "ui/base/message_box.h"

namespace orvalt::test {
namespace {

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
    EXPECT_TRUE(quit.buttons.contains(QStringLiteral("キャンセル")))
        << quit.buttons.join('|').toStdString();

    Seen stop;
    answerWith(stop, QMessageBox::Ok);
    EXPECT_EQ(service.Show(nullptr, QStringLiteral("a\nb"), MessageIcon::Stop, MessageButtons::Ok),
              MessageAnswer::Ok);
    EXPECT_EQ(stop.icon, QMessageBox::Critical);
    EXPECT_EQ(stop.buttons.size(), 1);

    Seen plain;
    answerWith(plain, QMessageBox::Ok);
    EXPECT_EQ(
        service.Show(nullptr, QStringLiteral("x"), MessageIcon::None, MessageButtons::OkCancel),
        MessageAnswer::Ok);
    EXPECT_EQ(plain.icon, QMessageBox::NoIcon);

    // The save question: its own three buttons, each giving its answer.
    const std::pair<QMessageBox::StandardButton, MessageAnswer> saveAnswers[] = {
        {QMessageBox::Save, MessageAnswer::Save},
        {QMessageBox::Discard, MessageAnswer::Discard},
        {QMessageBox::Cancel, MessageAnswer::Cancel},
    };
    for (const auto& [press, answer] : saveAnswers) {
        Seen save;
        answerWith(save, press);
        EXPECT_EQ(service.Show(nullptr, QStringLiteral("a.o99case への変更を保存しますか"),
                               MessageIcon::Exclamation, MessageButtons::SaveDiscardCancel),
                  answer);
        EXPECT_EQ(save.buttons.size(), 3);
        for (const char16_t* caption : {u"保存", u"保存しない", u"キャンセル"})
            EXPECT_TRUE(save.buttons.contains(QString::fromUtf16(caption)))
                << save.buttons.join('|').toStdString();
    }
    QApplication::removeTranslator(&translator);
}

} // namespace
} // namespace orvalt::test
