// A host as small as a host can be, for the window tests that need no main
// window: the child windows live in an MDI area that is the central widget of
// a plain main window, with fake message and print services.
#pragma once

#include <QDir>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <map>

#include "engine/calculation/calculation_state.h"
#include "engine/case/case_document.h"
#include "support/fake_services.h"
#include "ui/base/window_host.h"

namespace orvalt::test {

class FakeHost final : public WindowHost {
public:
    FakeHost() {
        area_ = new QMdiArea;
        window_.setCentralWidget(area_);
        window_.resize(1400, 1000);
        window_.show();
    }

    CalculationState& state() override { return state_; }
    MessageService& messages() override { return messages_; }
    PrintService& printService() override { return printing_; }
    WindowBookkeeping& bookkeeping() override { return bookkeeping_; }
    CaseDocument& document() override { return document_; }
    QWidget* hostWidget() override { return &window_; }
    QMdiArea* mdiArea() const override { return area_; }
    QMdiSubWindow* addChildWindow(QWidget* child) override {
        QMdiSubWindow* sub = area_->addSubWindow(child);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        return sub;
    }
    void setCommandEnabled(HostCommand command, bool enabled) override {
        commands[command] = enabled;
    }
    void updateMenus() override { ++menuUpdates; }
    void setCaption(const QString& caption) override { window_.setWindowTitle(caption); }
    QString programFilePath(const QString& fileName) const override {
        return QDir::temp().filePath(fileName);
    }
    QMainWindow& window() { return window_; }

    std::map<HostCommand, bool> commands;
    int menuUpdates = 0;
    FakeMessageService messages_;
    FakePrintService printing_;

private:
    CalculationState state_;
    WindowBookkeeping bookkeeping_;
    CaseDocument document_;
    QMainWindow window_;
    QMdiArea* area_ = nullptr;
};

} // namespace orvalt::test
