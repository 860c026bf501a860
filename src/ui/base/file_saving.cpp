#include "ui/base/file_saving.h"

#include <QFileDialog>
#include <QSaveFile>

namespace orvalt {

QString QtSaveDialogService::ChooseSaveFile(QWidget* parent, const QString& caption,
                                            const QString& proposedPath, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, caption, proposedPath, filter);
}

std::optional<QString> SaveBytes(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit()) return file.errorString();
    return std::nullopt;
}

QString FileNameSafe(const QString& name) {
    QString safe = name;
    for (QChar& c : safe)
        if (c < u' ' || QStringLiteral("/\\:*?\"<>|").contains(c)) c = u'_';
    return safe;
}

} // namespace orvalt
