// A main window over a temporary program folder, with the fake message and
// print services, for driving the windows by their names.
#pragma once

#include <QAction>
#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

#include "engine/calculation_state.h"
#include "ui/app/main_window.h"
#include "support/fake_services.h"
#include "support/user_input.h"

// Readable Qt strings in gtest's failure messages.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace orvalt::test {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        OpenMain(folder_.path());
    }

    void TearDown() override { CloseMain(); }

    void OpenMain(const QString& programFolder) {
        main_ = std::make_unique<frmMain>(state_, messages_, printing_, programFolder);
        main_->show();
        main_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main_.get()));
    }

    void CloseMain() {
        if (!main_) return;
        main_->mdiArea()->closeAllSubWindows();
        FlushDeletes();
        main_.reset();
        FlushDeletes();
    }

    static void FlushDeletes() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    QString ProgramFile(const QString& name) const { return folder_.filePath(name); }

    static void WriteBytes(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    static QByteArray ReadBytes(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return {};
        return file.readAll();
    }

    QAction* Menu(const char* name) const {
        return main_->findChild<QAction*>(QString::fromLatin1(name));
    }

    // The widget of the active sub-window, or null.
    QWidget* ActiveChild() const {
        QMdiSubWindow* sub = main_->mdiArea()->activeSubWindow();
        return sub != nullptr ? sub->widget() : nullptr;
    }

    // Messages shown so far, as one text each.
    QStringList MessageTexts() const {
        QStringList texts;
        for (const ShownMessage& m : messages_.shown) texts << m.text;
        return texts;
    }

    ModalWatchdog watchdog_;
    QTemporaryDir folder_;
    CalculationState state_;
    FakeMessageService messages_;
    FakePrintService printing_;
    std::unique_ptr<frmMain> main_;
};

} // namespace orvalt::test
