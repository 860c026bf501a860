// The program's faces, measured in the face that Qt really picks after the
// substitutions: the report and the labels need a fixed-pitch face in which a
// full-width character is exactly two half-width ones, or the report's
// columns drift; every face needs the kanji of the windows' texts (a face
// without them draws them from some other face, of another width).
#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QString>

#include <gtest/gtest.h>

#include <ostream>

#include "ui/base/fonts.h"

namespace orvalt::test {
namespace {

struct FaceCase {
    const char* name;
    QFont (*font)();
    const char16_t* face; // the Windows name the program asks for
    double points;
    bool fixedPitch;
};

void PrintTo(const FaceCase& c, std::ostream* os) { *os << c.name; }

QFont Entry12() { return EntryFont(12.0); }

class FaceTest : public ::testing::TestWithParam<FaceCase> {
protected:
    QString Resolved() const { return QFontInfo(GetParam().font()).family(); }
};

TEST_P(FaceTest, AsksForTheWindowsFaceAtItsSize) {
    const QFont font = GetParam().font();
    EXPECT_EQ(font.family(), QString::fromUtf16(GetParam().face));
    EXPECT_DOUBLE_EQ(font.pointSizeF(), GetParam().points);
    EXPECT_FALSE(font.bold());
    EXPECT_FALSE(font.italic());
}

TEST_P(FaceTest, HasTheGlyphsOfTheWindowsTexts) {
    const QFontMetricsF metrics(GetParam().font());
    // Kanji of the report and the captions, ℃, a circled digit and
    // half-width katakana that catalogue names use.
    for (const char32_t c : {U'線', U'張', U'径', U'弛', U'係', U'℃', U'①', U'ｶ', U'　'})
        EXPECT_TRUE(metrics.inFontUcs4(c)) << "U+" << std::hex << static_cast<unsigned>(c)
                                           << " is not in " << Resolved().toStdString();
}

TEST_P(FaceTest, FullWidthIsTwoHalfWidthColumnsInAFixedPitchFace) {
    const QFontMetricsF metrics(GetParam().font());
    const double zero = metrics.horizontalAdvance(QStringLiteral("0"));
    ASSERT_GT(zero, 0.0);
    const double i = metrics.horizontalAdvance(QStringLiteral("i"));
    const double w = metrics.horizontalAdvance(QStringLiteral("W"));
    if (!GetParam().fixedPitch) {
        EXPECT_LT(i, w) << Resolved().toStdString() << " is meant to be proportional";
        return;
    }
    SCOPED_TRACE(Resolved().toStdString());
    EXPECT_DOUBLE_EQ(i, zero);
    EXPECT_DOUBLE_EQ(w, zero);
    EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QStringLiteral(" ")), zero);
    EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QStringLiteral("ｶ")), zero);
    EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QStringLiteral("線")), 2.0 * zero);
    EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QStringLiteral("℃")), 2.0 * zero);
    EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QStringLiteral("\u3000")), 2.0 * zero);
    // A report label: 線, three full-width blanks, 種, ten blanks and a colon
    // end in column 21, like 計算断面積  [mm2]   : does.
    EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QStringLiteral("線\u3000\u3000\u3000種          :")),
                     metrics.horizontalAdvance(QStringLiteral("計算断面積  [mm2]   :")));
    EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QStringLiteral("計算断面積  [mm2]   :")),
                     21.0 * zero);
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, FaceTest,
    ::testing::Values(FaceCase{"ReportFont", &ReportFont, u"ＭＳ 明朝", 12.0, true},
                      FaceCase{"LabelFont", &LabelFont, u"ＭＳ 明朝", 12.0, true},
                      FaceCase{"UsageFont", &UsageFont, u"ＭＳ Ｐ明朝", 11.25, false},
                      FaceCase{"FormFont", &FormFont, u"ＭＳ Ｐゴシック", 9.0, false},
                      FaceCase{"EntryFont", &Entry12, u"ＭＳ Ｐゴシック", 12.0, false}),
    [](const ::testing::TestParamInfo<FaceCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace orvalt::test
