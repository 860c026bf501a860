// The main window's case file commands: 開く, 上書き保存 and 名前を付けて保存,
// and the case file's part of the caption.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include "engine/forms/conditions_form.h"
#include "ui/app/main_window.h"
#include "ui/base/child_window.h"
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

// "  -  file.o99case" with the title behind it when the case has one.
QString frmMain::caseCaption() const {
    if (casePath_.isEmpty()) return {};
    QString part = QStringLiteral("  -  ") + QFileInfo(casePath_).fileName();
    if (!caseTitle_.empty()) part += QStringLiteral("  ") + QString::fromStdString(caseTitle_);
    return part;
}

void frmMain::mnuOpen_Click() {
    // The conditions window would store its own boxes over the case on OK.
    if (state_.conditionsWindowOpen) {
        messages_.Show(this, QStringLiteral("条件設定画面を閉じてから開いてください"),
                       MessageIcon::None, MessageButtons::Ok);
        return;
    }
    const QString folder = casePath_.isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                               : QFileInfo(casePath_).absolutePath();
    const QString path =
        openDialogs_->ChooseOpenFile(this, QStringLiteral("開く"), folder, CaseFilter());
    if (!path.isEmpty()) openCaseFile(path);
}

bool frmMain::openCaseFile(const QString& path) {
    const CaseReadResult read = ReadCaseFile(FilePath(path));
    if (!read.caseFile) {
        messages_.Show(this, EngineMessage(read.error), MessageIcon::Exclamation,
                       MessageButtons::Ok);
        return false;
    }
    const CaseFile& opened = *read.caseFile;
    ApplyCase(opened, state_);
    casePath_ = QFileInfo(path).absoluteFilePath();
    caseTitle_ = opened.title;
    caseChart_ = opened.chart;
    caseSection_ = opened.section;
    caseFieldCheck_ = opened.fieldCheck;
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

CaseFile frmMain::currentCase() const {
    const ChildWindow* child = activeChild();
    CaseChartRange chart = caseChart_;
    CaseSection section = caseSection_;
    if (child != nullptr) {
        if (auto temperatures = child->chartTemperatures()) chart = *temperatures;
        if (auto spans = child->sectionSpans()) section.spans = std::move(*spans);
    }
    CaseFile current = CaseFromState(state_, caseTitle_, chart, std::move(section));
    current.fieldCheck = caseFieldCheck_;
    return current;
}

bool frmMain::saveCase(const QString& path) {
    const CaseFile saved = currentCase();
    const AtomicWriteResult written = WriteCaseFile(FilePath(path), saved);
    if (!written.ok) {
        messages_.Show(this,
                       QStringLiteral("ケースファイルを保存できませんでした。\n%1\n理由: %2")
                           .arg(path, WriteFailureReason(written)),
                       MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    casePath_ = QFileInfo(path).absoluteFilePath();
    caseChart_ = saved.chart;
    caseSection_ = saved.section;
    setCaption(caption_);
    return true;
}

void frmMain::mnuSave_Click() {
    if (casePath_.isEmpty()) {
        mnuSaveAs_Click();
        return;
    }
    saveCase(casePath_);
}

void frmMain::mnuSaveAs_Click() {
    const QString extension = CaseExtension();
    const QString proposed =
        casePath_.isEmpty() ? proposedFileName(state_, QString()) + extension : casePath_;
    QString path = saveDialogs_->ChooseSaveFile(this, QStringLiteral("名前を付けて保存"), proposed,
                                                CaseFilter());
    if (path.isEmpty()) return;
    // A name typed without an extension gets the case file's.
    if (QFileInfo(path).suffix().isEmpty()) path += extension;
    saveCase(path);
}

} // namespace orvalt
