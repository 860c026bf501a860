// frmUsage itself; ShowUsageWindow in usage_window.h is the way in.
#pragma once

#include <QString>
#include <QWidget>

#include <optional>

class QPlainTextEdit;

namespace orvalt {

class WindowHost;

// The usage text of `path`: code page 932, a line ends at CR LF, a lone CR or a
// lone LF, and every line of the result ends with "\r\n". Bytes that are not
// code page 932 become U+FFFD. nullopt with `error` set (Japanese, for the
// user) when the file cannot be opened or read.
std::optional<QString> ReadUsageText(const QString& path, QString& error);

class frmUsage final : public QWidget {
    Q_OBJECT

public:
    explicit frmUsage(WindowHost& host);

    // Disables 使い方, centres the window, shows `text` from its beginning.
    void Form_Load(const QString& text);

    QSize sizeHint() const override; // the client area, 4680 x 3195 twips

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Resize();
    void Form_Unload();

    WindowHost& host_;
    QPlainTextEdit* Text1_ = nullptr;
    bool unloaded_ = false;
};

} // namespace orvalt
