// The Japanese faces of the program in one place. The design's faces are the
// Windows ones ("ＭＳ 明朝" and friends); InstallFontSubstitutions maps them to
// the faces that exist here so that the fixed-pitch report keeps its columns.
#pragma once

#include <QFont>

namespace orvalt {

// Call once after QApplication exists, before any window.
void InstallFontSubstitutions();

QFont ReportFont();     // "ＭＳ 明朝" 12 pt, fixed pitch (result window, printout)
QFont UsageFont();      // "ＭＳ Ｐ明朝" 11.25 pt, proportional (usage window)
QFont FormFont();       // the face of labels and boxes of the data-entry windows

} // namespace orvalt
