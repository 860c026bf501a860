// The real message service: a QMessageBox with the program's title, icon and
// buttons, whose answer comes back as the program's own answer.
#include <QAbstractButton>
#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

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
    QApplication::removeTranslator(&translator);
}

} // namespace
} // namespace orvalt::test
