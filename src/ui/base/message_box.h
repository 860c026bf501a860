// Message boxes go through this interface so that windows can be driven by
// tests without a modal dialog. Every box carries the program's title
// "Orvalt99"; icons and buttons are those each window asks for.
#pragma once

#include <QString>

#include <string>

class QWidget;

namespace orvalt {

enum class MessageIcon { None, Exclamation, Stop, Information };
// SaveDiscardCancel is the question before unsaved work would be lost:
// 保存 (Save), 保存しない (Discard) and キャンセル (Cancel).
enum class MessageButtons { Ok, OkCancel, SaveDiscardCancel };
enum class MessageAnswer { Ok, Cancel, Save, Discard };

class MessageService {
public:
    virtual ~MessageService() = default;
    // Shows `text` (lines separated by "\n") and returns the button pressed;
    // closing the box without a button counts as Cancel (or Ok for an OK box).
    // Ok and Cancel answer the first two kinds of box, Save, Discard and
    // Cancel the third.
    virtual MessageAnswer Show(QWidget* parent, const QString& text, MessageIcon icon,
                               MessageButtons buttons) = 0;
};

// A message of the engine (UTF-8, lines joined by CR LF) as box text.
QString EngineMessage(const std::string& utf8);

// The real one: a QMessageBox titled "Orvalt99".
class QtMessageService final : public MessageService {
public:
    MessageAnswer Show(QWidget* parent, const QString& text, MessageIcon icon,
                       MessageButtons buttons) override;
};

} // namespace orvalt
