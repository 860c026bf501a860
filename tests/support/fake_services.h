// Test doubles for the platform services: they record what the program would
// have shown or printed and answer as the test tells them, so no modal dialog
// ever blocks a headless test.
#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

#include "ui/base/printing.h"
#include "ui/base/message_box.h"

namespace orvalt::test {

struct ShownMessage {
    QString text;
    MessageIcon icon;
    MessageButtons buttons;
};

class FakeMessageService final : public MessageService {
public:
    MessageAnswer Show(QWidget*, const QString& text, MessageIcon icon,
                       MessageButtons buttons) override {
        shown.push_back({text, icon, buttons});
        if (answers.empty()) return MessageAnswer::Ok;
        MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<ShownMessage> shown;
    std::deque<MessageAnswer> answers; // next answers; Ok when empty
};

class FakePrintService final : public PrintService {
public:
    int ChoosePrinter(QWidget*) override {
        ++dialogsShown;
        return copies;
    }
    bool PrintDocument(const QString& text) override {
        if (failAfterJobs >= 0 && static_cast<int>(jobs.size()) >= failAfterJobs) return false;
        jobs.push_back(text);
        return true;
    }

    int copies = 1;         // 0 means the user cancels the dialog
    int failAfterJobs = -1; // fail the job after this many succeeded; -1 never
    int dialogsShown = 0;
    QStringList jobs;
};

} // namespace orvalt::test
