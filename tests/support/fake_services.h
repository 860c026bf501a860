// Test doubles for the platform services: they record what the program would
// have shown or printed and answer as the test tells them, so no modal dialog
// ever blocks a headless test.
#pragma once

#include <QImage>
#include <QList>
#include <QPainter>
#include <QString>
#include <QStringList>

#include <functional>

#include <deque>
#include <vector>

#include "ui/base/file_saving.h"
#include "ui/base/message_box.h"
#include "ui/base/printing.h"

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
        if (answers.empty())
            return buttons == MessageButtons::SaveDiscardCancel ? MessageAnswer::Cancel
                                                                : MessageAnswer::Ok;
        MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<ShownMessage> shown;
    // Next answers; when empty, Ok, or Cancel to the save question (the
    // answer that loses nothing).
    std::deque<MessageAnswer> answers;
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
    // A page job is drawn into an image of an A4 landscape page at 50 dpi,
    // so a test can look at what would have been printed.
    bool PrintPage(const std::function<void(QPainter&, const QRectF&)>& draw) override {
        if (failAfterJobs >= 0 && static_cast<int>(pageJobs.size()) >= failAfterJobs) return false;
        QImage page(585, 413, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        draw(painter, QRectF(page.rect()));
        painter.end();
        pageJobs.push_back(page);
        return true;
    }

    int copies = 1;         // 0 means the user cancels the dialog
    int failAfterJobs = -1; // fail the job after this many succeeded; -1 never
    int dialogsShown = 0;
    QStringList jobs;
    QList<QImage> pageJobs;
};

// Answers the open and save dialogs with the paths the test chose, and keeps
// what each dialog was asked.
class FakeFileDialogs final : public OpenDialogService, public SaveDialogService {
public:
    QString ChooseOpenFile(QWidget*, const QString& caption, const QString& folder,
                           const QString& filter) override {
        asked.push_back({caption, folder, filter});
        return openAnswer;
    }
    QString ChooseSaveFile(QWidget*, const QString& caption, const QString& proposedPath,
                           const QString& filter) override {
        asked.push_back({caption, proposedPath, filter});
        return saveAnswer;
    }

    struct Question {
        QString caption;
        QString path; // the folder or the proposed file
        QString filter;
    };
    QString openAnswer; // empty: the user cancels
    QString saveAnswer;
    std::vector<Question> asked;
};

} // namespace orvalt::test
