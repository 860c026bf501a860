// fontconfig on its own maps the Windows face names to DejaVu Serif, whose
// kanji are not twice as wide as its Latin letters: the report's columns drift.
// Qt's substitution table sends each name to a face of the same style and
// pitch instead; the lists are in order of preference and were measured to
// keep the report's columns straight at 8-14 pt.
#include "ui/base/fonts.h"

#include <QStringList>

namespace orvalt {

namespace {

QString Face(const char16_t* name) { return QString::fromUtf16(name); }

} // namespace

void InstallFontSubstitutions() {
    QFont::insertSubstitutions(
        Face(kMinchoFace), {QStringLiteral("IPAMincho"), QStringLiteral("Noto Sans Mono CJK JP"),
                            QStringLiteral("IPAGothic")});
    QFont::insertSubstitutions(
        Face(kGothicFace), {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP")});
    QFont::insertSubstitutions(Face(kPMinchoFace),
                               {QStringLiteral("IPAPMincho"), QStringLiteral("Noto Serif CJK JP")});
    QFont::insertSubstitutions(Face(kPGothicFace),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
}

QFont JapaneseFont(const QString& face, double points) {
    QFont font(face);
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

QFont ReportFont() { return JapaneseFont(Face(kMinchoFace), 12.0); }
QFont UsageFont() { return JapaneseFont(Face(kPMinchoFace), 11.25); }
QFont FormFont() { return JapaneseFont(Face(kPGothicFace), 9.0); }
QFont LabelFont() { return JapaneseFont(Face(kMinchoFace), 12.0); }
QFont EntryFont(double points) { return JapaneseFont(Face(kPGothicFace), points); }

} // namespace orvalt
