// A main window over the three test wires whose open and save dialogs answer
// with the paths a test chooses, in a folder of cases of its own, and the
// shortcuts of the case file commands pressed where the keyboard is.
#pragma once

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include "engine/case/case_file.h"
#include "support/fake_services.h"
#include "support/files.h"
#include "support/main_window_fixture.h"

namespace orvalt::test {

class CaseFileTest : public MainWindowWithWiresTest {
protected:
    void SetUp() override {
        MainWindowWithWiresTest::SetUp();
        main_->setOpenDialogService(dialogs_);
        main_->setSaveDialogService(dialogs_);
    }

    QString WriteFile(const QString& name, const QByteArray& bytes) {
        const QString path = cases_.filePath(name);
        WriteFileBytes(FsPath(path), bytes.toStdString());
        return path;
    }

    // A shortcut, pressed where the keyboard is (the main window itself
    // when no child has the focus).
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QWidget* target = QApplication::focusWidget();
        if (target == nullptr) target = main_.get();
        QTest::keyClick(target, key, modifiers);
        FlushDeletes();
    }

    void OpenWithKeys(const QString& path) {
        dialogs_.openAnswer = path;
        Press(Qt::Key_O, Qt::ControlModifier);
    }

    // The wire and conditions stored in the calculation state, as a case.
    CaseFile Stored() const { return CaseFromState(state_); }

    QTemporaryDir cases_;
    FakeFileDialogs dialogs_;
};

} // namespace orvalt::test
