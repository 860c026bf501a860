// The files shipped beside the program, and the build rule that places them
// there without overwriting a file the engineer has edited.
#include <QFile>
#include <QProcess>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/catalogue/catalogue_file.h"
#include "support/files.h"

namespace orvalt::test {
namespace {

// A file in one of the test's temporary folders.
std::filesystem::path In(const QTemporaryDir& folder, const char* name) {
    return std::filesystem::path(folder.path().toStdString()) / name;
}

TEST(ShippedDataTest, UsageTextIsCodePage932WithCrLfLineEnds) {
    const std::string bytes = ReadFileBytes(ORVALT_SOURCE_DIR "/data/orvalt99.txt").value_or("");
    ASSERT_FALSE(bytes.empty());
    ASSERT_TRUE(bytes.ends_with("\r\n"));
    // Every LF follows a CR and every CR precedes an LF.
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "byte " << i;
        }
        if (bytes[i] == '\r') {
            ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "byte " << i;
        }
    }
    QStringDecoder decoder("windows-932", QStringDecoder::Flag::Stateless);
    ASSERT_TRUE(decoder.isValid());
    const QString text =
        decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    EXPECT_FALSE(decoder.hasError());
    EXPECT_FALSE(text.contains(QChar::ReplacementCharacter));
    // What the text must cover.
    for (const char16_t* topic : {u"計算条件", u"計算結果印刷", u"臨界径間", u"線膨張係数",
                                  u"kg/m2", u"最大使用張力", u"メーカー", u"電線設定"})
        EXPECT_TRUE(text.contains(QString::fromUtf16(topic)))
            << QString::fromUtf16(topic).toStdString();
}

TEST(ShippedDataTest, CatalogueReadsWholeWithTheWorkedExamplesFirst) {
    WireList list{};
    std::int16_t last = -1;
    const CatalogueReadResult read = ReadWireCatalogue(
        std::filesystem::path(ORVALT_SOURCE_DIR "/data/wiredata.dat"), list, last);
    ASSERT_EQ(read.status, CatalogueReadResult::Status::kRead) << read.message;
    ASSERT_GE(last, 1);
    EXPECT_EQ(list[0].diameterHigh, 18.2f);
    EXPECT_EQ(list[0].area, 160.0f);
    EXPECT_EQ(list[1].diameterHigh, 50.0f);
    EXPECT_EQ(list[1].maxTension, 6000.0f);
}

// Runs the copy rule as the build runs it.
bool RunCopyRule(const QStringList& files, const QString& destination) {
    QProcess cmake;
    cmake.start(QStringLiteral(ORVALT_CMAKE_COMMAND),
                {QStringLiteral("-DFILES=") + files.join(QLatin1Char(';')),
                 QStringLiteral("-DDESTINATION=") + destination, QStringLiteral("-P"),
                 QStringLiteral(ORVALT_COPY_IF_MISSING_SCRIPT)});
    return cmake.waitForFinished(60000) && cmake.exitStatus() == QProcess::NormalExit &&
           cmake.exitCode() == 0;
}

TEST(ShippedDataTest, TheBuildPlacesMissingFilesAndKeepsExistingOnes) {
    QTemporaryDir source, build;
    ASSERT_TRUE(source.isValid() && build.isValid());
    WriteFileBytes(In(source, "wiredata.dat"), "shipped catalogue\r\n");
    WriteFileBytes(In(source, "orvalt99.txt"), "shipped usage\r\n");
    WriteFileBytes(In(build, "wiredata.dat"), "edited by the engineer\r\n");
    const QStringList files = {source.path() + "/wiredata.dat", source.path() + "/orvalt99.txt",
                               source.path() + "/not_there_yet.dat"};
    ASSERT_TRUE(RunCopyRule(files, build.path()));
    EXPECT_EQ(ReadFileBytes(In(build, "wiredata.dat")), "edited by the engineer\r\n");
    EXPECT_EQ(ReadFileBytes(In(build, "orvalt99.txt")), "shipped usage\r\n");
    EXPECT_FALSE(QFile::exists(build.path() + "/not_there_yet.dat"));

    // A second build changes nothing, even after the shipped file changed.
    WriteFileBytes(In(source, "orvalt99.txt"), "new shipped usage\r\n");
    WriteFileBytes(In(build, "orvalt99.txt"), "read by the engineer\r\n");
    ASSERT_TRUE(RunCopyRule(files, build.path()));
    EXPECT_EQ(ReadFileBytes(In(build, "orvalt99.txt")), "read by the engineer\r\n");
}

} // namespace
} // namespace orvalt::test
