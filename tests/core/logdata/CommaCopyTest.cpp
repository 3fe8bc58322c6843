#include "core/logdata/CommaCopy.h"
#include "core/services/Errors.h"
#include "core/services/TextCatalogue.h"
#include "tests/core/services/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace korvex {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

const std::string kFixture = std::string(KORVEX_TEST_DATA) + "/export/1010080515.csv";

TEST(CommaCopyName, TakesTheEightCharactersBeforeTheExtension)
{
    EXPECT_EQ(CommaCopyName("/logs/2008/1010080515.csv"), "10080515c.csv");
    EXPECT_EQ(CommaCopyName("1010080515.csv"), "10080515c.csv");
    // A folder name never leaks into the copy's name, however short the file name is.
    EXPECT_EQ(CommaCopyName("/logs/ab.csv"), "abc.csv");
}

TEST(CommaSeparatedText, LogFileBecomesCommaSeparatedWithDecimalCommasKept)
{
    const std::string copy = CommaSeparatedText(ReadBytes(kFixture));
    EXPECT_EQ(copy,
              "Solar controller,DATE & TIME,T1[\xB0"
              "C],T2[\xB0"
              "C],V'[l/min],P[W],Qday[kWh],R1[%]\r\n"
              "Solar controller,2008-05-15 00:00,\"21,5\",\"19,0\",\"0,0\",0,0,0\r\n"
              "Solar controller,2008-05-15 00:01,\"21,5\",\"19,0\",\"0,0\",0,0,0\r\n"
              "Solar controller,2008-05-15 12:00,\"65,2\",\"40,3\",\"6,5\",2350,\"4,2\",100\r\n"
              "\r\n");
}

TEST(CommaSeparatedText, LineBreaksBecomeCrLf)
{
    EXPECT_EQ(CommaSeparatedText(""), "");
    EXPECT_EQ(CommaSeparatedText("a;b"), "a,b\r\n");
    EXPECT_EQ(CommaSeparatedText("a\nb\rc\r\nd"), "a\r\nb\r\nc\r\nd\r\n");
    // LF then CR are two breaks; a final break adds the one empty line.
    EXPECT_EQ(CommaSeparatedText("a\n\rb\n"), "a\r\n\r\nb\r\n\r\n");
}

TEST(CommaSeparatedText, QuotesAndEmptyCellsSurvive)
{
    EXPECT_EQ(CommaSeparatedText(";x;;"), ",x,,\r\n");
    EXPECT_EQ(CommaSeparatedText("say \"hi\";1,5"), "\"say \"\"hi\"\"\",\"1,5\"\r\n");
}

TEST(CommaSeparatedText, LongLinesAreCopiedWhole)
{
    std::string line = "DATE & TIME";
    for (int i = 0; i < 400; ++i)
        line += ";T" + std::to_string(i) +
                "[\xB0"
                "C]";
    std::string expected = line;
    for (char& c : expected)
        if (c == ';')
            c = ',';
    EXPECT_EQ(CommaSeparatedText(line + "\r\n1;2"), expected + "\r\n1,2\r\n");
}

class CommaCopyFiles : public ::testing::Test {
protected:
    void SetUp() override { SelectTextBlock(BlockEnglish); }
    TempFolder folder_;
};

TEST_F(CommaCopyFiles, ReplacesAnExistingCopy)
{
    const std::string copy = folder_ / "10080515c.csv";
    WriteBytes(copy, std::string(5000, 'x'));
    WriteCommaCopy(kFixture, copy);
    EXPECT_EQ(ReadBytes(copy), CommaSeparatedText(ReadBytes(kFixture)));
}

TEST_F(CommaCopyFiles, MissingLogFileFailsWithoutCreatingTheCopy)
{
    const std::string copy = folder_ / "10080515c.csv";
    try {
        WriteCommaCopy(folder_ / "1010080599.csv", copy);
        FAIL() << "no error";
    } catch (const KorvexError& e) {
        EXPECT_EQ(std::string(e.what()), Text(TextId::ErrorOpeningFile) + "\n\n1010080599.csv");
    }
    EXPECT_FALSE(std::filesystem::exists(copy));
}

TEST_F(CommaCopyFiles, UncreatableCopyFailsWithText145)
{
    try {
        WriteCommaCopy(kFixture, folder_ / "missing/10080515c.csv");
        FAIL() << "no error";
    } catch (const KorvexError& e) {
        EXPECT_EQ(std::string(e.what()), Text(TextId::CouldNotCreateFile));
    }
}

TEST_F(CommaCopyFiles, MakeCommaCopyWritesIntoTheWorkingDirectory)
{
    const std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(folder_.path());
    std::string made;
    EXPECT_NO_THROW(made = MakeCommaCopy(kFixture));
    std::filesystem::current_path(saved);
    EXPECT_EQ(made, folder_ / "10080515c.csv");
    EXPECT_EQ(ReadBytes(made), CommaSeparatedText(ReadBytes(kFixture)));
}

} // namespace
} // namespace korvex
