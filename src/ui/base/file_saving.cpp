#include "ui/base/file_saving.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>

namespace orvalt {

namespace {

constexpr qsizetype kMaxFileNameChars = 100;
constexpr qsizetype kMaxFileNameBytes = 255;

bool NameFits(const QString& name) {
    return name.size() <= kMaxFileNameChars && name.toUtf8().size() <= kMaxFileNameBytes;
}

// Why `file` could not be written, for the user.
QString Reason(const QSaveFile& file) {
    const QFileInfo info(file.fileName());
    if (info.fileName().toUtf8().size() > kMaxFileNameBytes)
        return QStringLiteral("ファイル名が長すぎます");
    if (!info.dir().exists()) return QStringLiteral("保存先のフォルダーがありません");
    switch (file.error()) {
        case QFileDevice::PermissionsError: return QStringLiteral("書き込みの権限がありません");
        case QFileDevice::ResourceError: return QStringLiteral("ディスクの空きが足りません");
        default: return file.errorString();
    }
}

} // namespace

QString QtSaveDialogService::ChooseSaveFile(QWidget* parent, const QString& caption,
                                            const QString& proposedPath, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, caption, proposedPath, filter);
}

QString QtOpenDialogService::ChooseOpenFile(QWidget* parent, const QString& caption,
                                            const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

std::optional<QString> SaveBytes(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return Reason(file);
    if (file.write(bytes) != bytes.size()) {
        const QString reason = Reason(file);
        file.cancelWriting();
        return reason;
    }
    if (!file.commit()) return Reason(file);
    return std::nullopt;
}

QString FileNameSafe(const QString& name) {
    QString safe = name;
    for (QChar& c : safe)
        if (c < u' ' || QStringLiteral("/\\:*?\"<>|").contains(c)) c = u'_';
    return safe;
}

QString FitFileName(const QString& head, const QString& tail) {
    QString fitted = head;
    while (!fitted.isEmpty() && !NameFits(fitted + tail)) {
        fitted.chop(1);
        if (!fitted.isEmpty() && fitted.back().isHighSurrogate()) fitted.chop(1);
    }
    return fitted;
}

} // namespace orvalt
