// Asking for one line of text (the case's 表題) through a small interface, so
// that tests answer without a dialog.
#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace orvalt {

class TextInputService {
public:
    virtual ~TextInputService() = default;
    // Shows `text` for editing under `label`; nullopt when cancelled.
    virtual std::optional<QString> AskText(QWidget* parent, const QString& caption,
                                           const QString& label, const QString& text) = 0;
};

// The real one: QInputDialog::getText.
class QtTextInputService final : public TextInputService {
public:
    std::optional<QString> AskText(QWidget* parent, const QString& caption, const QString& label,
                                   const QString& text) override;
};

} // namespace orvalt
