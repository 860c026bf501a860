// Saving a file the user names: the name proposed fits the file system, and
// a failed save says why in Japanese.
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "ui/base/file_saving.h"

namespace orvalt {
namespace {

struct FitCase {
    const char* name;
    QString head;
    QString tail;
    qsizetype kept; // characters of head kept
};

class FitFileNameTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitFileNameTest, KeepsTheLongestHeadThatFits) {
    const FitCase& c = GetParam();
    const QString fitted = FitFileName(c.head, c.tail);
    EXPECT_EQ(fitted, c.head.left(c.kept));
    EXPECT_LE((fitted + c.tail).size(), 100);
    EXPECT_LE((fitted + c.tail).toUtf8().size(), 255);
}

INSTANTIATE_TEST_SUITE_P(
    Names, FitFileNameTest,
    ::testing::Values(FitCase{"short", QStringLiteral("ACSR 160"), QStringLiteral("_90℃.csv"), 8},
                      FitCase{"latin", QString(300, u'A'), QStringLiteral("_90℃.csv"), 92},
                      // Three bytes a character: the bytes run out before 100.
                      FitCase{"kanji", QString(300, u'線'), QStringLiteral("_-5℃_グラフ.csv"), 78},
                      // A character outside the BMP is never cut in half.
                      FitCase{"surrogates", QString::fromUtf8("𩸽").repeated(60),
                              QStringLiteral("_0℃.csv"), 92}),
    [](const ::testing::TestParamInfo<FitCase>& info) { return std::string(info.param.name); });

TEST(SaveBytesTest, FailuresGiveTheReasonInJapanese) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const struct {
        QString path;
        QString reason;
    } cases[] = {
        {folder.filePath(QString(200, u'線') + QStringLiteral(".csv")),
         QStringLiteral("ファイル名が長すぎます")},
        {folder.filePath(QStringLiteral("none/a.csv")),
         QStringLiteral("保存先のフォルダーがありません")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SaveBytes(c.path, "x"), c.reason);
        EXPECT_FALSE(QFile::exists(c.path));
    }
    EXPECT_EQ(SaveBytes(folder.filePath(QString(80, u'線') + QStringLiteral(".csv")), "x"),
              std::nullopt);
}

} // namespace
} // namespace orvalt
