// The main window's case file commands: 開く, 上書き保存 and 名前を付けて保存,
// the question before unsaved changes would be lost, and the document's part
// of the caption.
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include "engine/case/case_document.h"
#include "engine/forms/conditions_form.h"
#include "ui/app/main_window.h"
#include "ui/base/file_saving.h"
#include "ui/base/message_box.h"

namespace orvalt {

namespace {

QString CaseExtension() {
    return QString::fromUtf8(kCaseFileExtension.data(),
                             static_cast<qsizetype>(kCaseFileExtension.size()));
}

QString CaseFilter() {
    return QStringLiteral("ケースファイル (*%1);;すべてのファイル (*)").arg(CaseExtension());
}

std::filesystem::path FilePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Why a case file could not be written, for the user.
QString WriteFailureReason(const AtomicWriteResult& result) {
    if (result.readOnly) return QStringLiteral("読み取り専用のファイルです");
    return QString::fromStdString(FileErrorReason(result.error));
}

} // namespace

QString frmMain::documentPath() const {
    return QFile::decodeName(QByteArray::fromStdString(document_.path().string()));
}

// "  -  file.o99case" and the title behind it when the case has one. Qt's
// modified mark stands after the file's name and shows as "*" while there
// are unsaved changes; a design never saved keeps the caption the conditions
// window gives it (the quit question still asks about its changes).
QString frmMain::caseCaption() const {
    QString part;
    if (document_.hasFile())
        part = QStringLiteral("  -  ") + QFileInfo(documentPath()).fileName() +
               QStringLiteral("[*]");
    const QString title = QString::fromStdString(document_.content().title);
    if (!title.isEmpty()) part += QStringLiteral("  ") + title;
    return part;
}

bool frmMain::captionMarked() const {
    return document_.hasFile() && document_.hasUnsavedChanges();
}

void frmMain::showCaption() {
    setWindowTitle(caption_ + caseCaption());
    setWindowModified(captionMarked());
}

// A sub-window that hides clears the modified mark of the window it lives in
// (Qt's MDI area does so for the controls of a maximized child): the mark
// follows the document and nothing else.
void frmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ModifiedChange && isWindowModified() != captionMarked())
        setWindowModified(captionMarked());
}

bool frmMain::settleUnsavedChanges() {
    if (!document_.hasUnsavedChanges()) return true;
    const QString question = QStringLiteral("%1への変更を保存しますか")
                                 .arg(QString::fromStdString(document_.displayName()));
    switch (messages_.Show(this, question, MessageIcon::Exclamation,
                           MessageButtons::SaveDiscardCancel)) {
        case MessageAnswer::Save: return saveDocument();
        case MessageAnswer::Discard: return true;
        default: return false;
    }
}

void frmMain::mnuOpen_Click() {
    // The conditions window would store its own boxes over the case on OK.
    if (bookkeeping_.conditionsWindowOpen) {
        messages_.Show(this, QStringLiteral("条件設定画面を閉じてから開いてください"),
                       MessageIcon::None, MessageButtons::Ok);
        return;
    }
    if (!settleUnsavedChanges()) return;
    const QString folder = document_.hasFile()
                               ? QFileInfo(documentPath()).absolutePath()
                               : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path =
        openDialogs_->ChooseOpenFile(this, QStringLiteral("開く"), folder, CaseFilter());
    if (!path.isEmpty()) openCaseFile(path);
}

bool frmMain::openCaseFile(const QString& path) {
    const CaseReadResult read = document_.open(FilePath(QFileInfo(path).absoluteFilePath()));
    if (!read.caseFile) {
        messages_.Show(this, EngineMessage(read.error), MessageIcon::Exclamation,
                       MessageButtons::Ok);
        return false;
    }
    ApplyCase(document_.content(), state_);
    showUnits(document_.units());
    setCommandEnabled(HostCommand::Calculate, true);
    setCaption(QString::fromStdString(
        MainWindowCaption(state_.currentWire.wireName, state_.temperatureStudy)));
    updateMenus();
    if (!read.warnings.empty()) {
        QStringList lines;
        for (const std::string& warning : read.warnings) lines << EngineMessage(warning);
        messages_.Show(this, lines.join(QLatin1Char('\n')), MessageIcon::Information,
                       MessageButtons::Ok);
    }
    return true;
}

bool frmMain::saveCase(const QString& path) {
    const AtomicWriteResult written = document_.save(FilePath(QFileInfo(path).absoluteFilePath()));
    if (!written.ok) {
        messages_.Show(this,
                       QStringLiteral("ケースファイルを保存できませんでした。\n%1\n理由: %2")
                           .arg(path, WriteFailureReason(written)),
                       MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    return true;
}

bool frmMain::saveDocument() {
    if (!document_.hasFile()) return saveDocumentAs();
    return saveCase(documentPath());
}

bool frmMain::saveDocumentAs() {
    const QString extension = CaseExtension();
    const QString proposed = document_.hasFile()
                                 ? documentPath()
                                 : proposedFileName(state_, QString()) + extension;
    QString path = saveDialogs_->ChooseSaveFile(this, QStringLiteral("名前を付けて保存"), proposed,
                                                CaseFilter());
    if (path.isEmpty()) return false;
    // A name typed without an extension gets the case file's.
    if (QFileInfo(path).suffix().isEmpty()) path += extension;
    return saveCase(path);
}

void frmMain::mnuSave_Click() { saveDocument(); }

void frmMain::mnuSaveAs_Click() { saveDocumentAs(); }

} // namespace orvalt
