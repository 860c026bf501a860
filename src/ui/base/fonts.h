// The Japanese faces of the program in one place. The windows ask for the
// Windows faces ("ＭＳ 明朝" and friends); InstallFontSubstitutions maps them to
// the faces that exist here so that the fixed-pitch report keeps its columns.
#pragma once

#include <QFont>
#include <QString>

namespace orvalt {

// The Windows face names the windows ask for.
inline constexpr char16_t kMinchoFace[] = u"ＭＳ 明朝";        // fixed pitch
inline constexpr char16_t kGothicFace[] = u"ＭＳ ゴシック";    // fixed pitch
inline constexpr char16_t kPMinchoFace[] = u"ＭＳ Ｐ明朝";     // proportional
inline constexpr char16_t kPGothicFace[] = u"ＭＳ Ｐゴシック"; // proportional

// Call once after QApplication exists, before any window.
void InstallFontSubstitutions();

// `face` (one of the names above) at `points`, regular weight.
QFont JapaneseFont(const QString& face, double points);

QFont ReportFont();             // "ＭＳ 明朝" 12 pt, fixed pitch (result window, printout)
QFont UsageFont();              // "ＭＳ Ｐ明朝" 11.25 pt, proportional (usage window)
QFont FormFont();               // "ＭＳ Ｐゴシック" 9 pt: a data-entry window's own font,
                                // which its boxes use unless they name another
QFont LabelFont();              // "ＭＳ 明朝" 12 pt: the labels of the data-entry windows
QFont EntryFont(double points); // "ＭＳ Ｐゴシック" at `points`: combo box, condition boxes

} // namespace orvalt
