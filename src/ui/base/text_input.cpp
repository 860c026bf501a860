#include "ui/base/text_input.h"

#include <QInputDialog>
#include <QLineEdit>

namespace orvalt {

std::optional<QString> QtTextInputService::AskText(QWidget* parent, const QString& caption,
                                                   const QString& label, const QString& text) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parent, caption, label, QLineEdit::Normal, text, &ok);
    if (!ok) return std::nullopt;
    return answer;
}

} // namespace orvalt
