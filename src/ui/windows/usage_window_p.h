// frmUsage itself; ShowUsageWindow in usage_window.h is the way in.
#pragma once

#include <QString>
#include <QWidget>

#include <optional>

#include "ui/base/child_window.h"

class QPlainTextEdit;

namespace orvalt {

class WindowHost;

// The usage text of `path`: code page 932, a line ends at CR LF, a lone CR or a
// lone LF, and every line of the result ends with "\r\n". Bytes that are not
// code page 932 become U+FFFD. nullopt with `error` set (Japanese, for the
// user) when the file cannot be opened or read.
std::optional<QString> ReadUsageText(const QString& path, QString& error);

class frmUsage final : public QWidget, public ChildWindow {
    Q_OBJECT

public:
    static constexpr bool kOneInstance = true;
    static constexpr bool kFixedFrame = false;
    static constexpr char kObjectName[] = "frmUsage";

    explicit frmUsage(WindowHost& host);

    // Reads the usage text (at every opening); a file that cannot be read is
    // reported and the window not shown, with 使い方 left enabled. Otherwise
    // disables 使い方, centres the window, shows the text from its beginning.
    LoadOutcome Form_Load();

    QSize sizeHint() const override; // the client area, 4680 x 3195 twips

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Resize();
    QSize readingSize(const QString& text, const QWidget& sub) const;
    void Form_Unload();

    WindowHost& host_;
    QPlainTextEdit* Text1_ = nullptr;
    bool unloaded_ = false;
};

} // namespace orvalt
