// Orvalt99: sag and tension of an overhead wire (最大使用張力計算).
// Keeps no settings: every start begins from the same default conditions,
// unless a case file is named on the command line (`orvalt99 FILE`, as a
// double-click on the file runs it), which is then opened as 開く opens it;
// a file that cannot be opened is told, and the start stays the default one.
// Its files (wiredata.dat, orvalt99.txt) are in the folder of the executable.
#include <QApplication>
#include <QLibraryInfo>
#include <QStringList>
#include <QTranslator>

#include "engine/calculation/calculation_state.h"
#include "ui/app/main_window.h"
#include "ui/base/fonts.h"
#include "ui/base/message_box.h"
#include "ui/base/printing.h"
#include "ui/base/program_icon.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvalt99"));
    QApplication::setWindowIcon(orvalt::ProgramIcon());

    // The program speaks Japanese whatever the locale: Qt's own buttons
    // (OK, キャンセル, the print dialog) too.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    orvalt::InstallFontSubstitutions();

    orvalt::CalculationState state;
    orvalt::QtMessageService messages;
    orvalt::QtPrintService printing;
    orvalt::frmMain mainWindow(state, messages, printing, QCoreApplication::applicationDirPath());
    mainWindow.showMaximized();
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) mainWindow.openCaseFile(arguments.at(1));
    return app.exec();
}
