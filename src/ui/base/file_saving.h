// Saving a file the user names: the save dialog comes in through an
// interface (tests answer it without a dialog), and the bytes go through
// QSaveFile, so an interrupted save leaves the old file as it was. The open
// dialog comes in the same way.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class QWidget;

namespace orvalt {

class SaveDialogService {
public:
    virtual ~SaveDialogService() = default;
    // Asks where to save, proposing `proposedPath`; empty when cancelled.
    virtual QString ChooseSaveFile(QWidget* parent, const QString& caption,
                                   const QString& proposedPath, const QString& filter) = 0;
};

// The real one: QFileDialog::getSaveFileName.
class QtSaveDialogService final : public SaveDialogService {
public:
    QString ChooseSaveFile(QWidget* parent, const QString& caption, const QString& proposedPath,
                           const QString& filter) override;
};

// Choosing a file to open, the same way: tests answer without a dialog.
class OpenDialogService {
public:
    virtual ~OpenDialogService() = default;
    // Asks for an existing file, starting in `folder`; empty when cancelled.
    virtual QString ChooseOpenFile(QWidget* parent, const QString& caption, const QString& folder,
                                   const QString& filter) = 0;
};

// The real one: QFileDialog::getOpenFileName.
class QtOpenDialogService final : public OpenDialogService {
public:
    QString ChooseOpenFile(QWidget* parent, const QString& caption, const QString& folder,
                           const QString& filter) override;
};

// Writes `bytes` to `path` as a whole or not at all. nullopt when written;
// otherwise the reason, in Japanese where the system's reason is known
// (Qt's own text otherwise).
std::optional<QString> SaveBytes(const QString& path, const QByteArray& bytes);

// `name` with the characters that a file name cannot hold on any desktop
// (/ \ : * ? " < > |, control characters) replaced by "_".
QString FileNameSafe(const QString& name);

// The longest leading part of `head`, in whole characters, with which
// head + tail stays a file name that every desktop takes: at most 100
// characters and 255 bytes of UTF-8.
QString FitFileName(const QString& head, const QString& tail);

} // namespace orvalt
