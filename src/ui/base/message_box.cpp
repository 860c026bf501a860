// The real message box: a modal QMessageBox titled "Orvalt99". Its buttons
// read "OK" and "キャンセル" through the qtbase_ja translator that main()
// installs; the save question names its two other buttons itself.
#include "ui/base/message_box.h"

#include <QMessageBox>
#include <QPushButton>

namespace orvalt {

namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Exclamation: return QMessageBox::Warning;
        case MessageIcon::Stop: return QMessageBox::Critical;
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QString EngineMessage(const std::string& utf8) {
    QString text = QString::fromStdString(utf8);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

MessageAnswer QtMessageService::Show(QWidget* parent, const QString& text, MessageIcon icon,
                                     MessageButtons buttons) {
    QMessageBox box(parent);
    box.setWindowTitle(QStringLiteral("Orvalt99"));
    box.setIcon(ToQtIcon(icon));
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    if (buttons == MessageButtons::SaveDiscardCancel) {
        box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        box.button(QMessageBox::Save)->setText(QStringLiteral("保存"));
        box.button(QMessageBox::Discard)->setText(QStringLiteral("保存しない"));
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
    } else if (buttons == MessageButtons::OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
    }
    const int pressed = box.exec();
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    if (pressed == QMessageBox::Save) return MessageAnswer::Save;
    if (pressed == QMessageBox::Discard) return MessageAnswer::Discard;
    // Closing the box without a button counts as Cancel.
    return pressed == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

} // namespace orvalt
