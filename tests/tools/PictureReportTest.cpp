// korvex-report --picture: the options, and the pictures of the analysis window that the tool
// saves without a display (only where the tool was built with the user interface).
#include "ToolTestSupport.h"

#include "core/services/DayTime.h"
#include "tools/report/ReportOptions.h"
#include "tools/samplegen/SampleLogs.h"

#include <optional>
#include <utility>

namespace korvex::test {
namespace {

using report::ParseReportOptions;
using report::UsageError;

TEST(PictureOptions, PictureViewAndGraphs)
{
    const auto chart = ParseReportOptions({"logs", "--picture", "a.jpg", "--span", "month"});
    ASSERT_TRUE(chart.picture);
    EXPECT_EQ(*chart.picture, "a.jpg");
    EXPECT_FALSE(chart.tableView);
    EXPECT_TRUE(chart.graphs.empty());

    const auto table =
        ParseReportOptions({"logs", "--picture", "out/t.bmp", "--view", "table", "--span", "day",
                            "--at", "2024-05-02", "--device", "10"});
    EXPECT_TRUE(table.tableView);
    EXPECT_EQ(*table.picture, "out/t.bmp");

    const auto graphs =
        ParseReportOptions({"logs", "--picture", "a.jpg", "--span", "day", "--graphs", "T1,V',R1"});
    EXPECT_EQ(graphs.graphs, (std::vector<std::string>{"T1", "V'", "R1"}));
}

TEST(PictureOptions, RefusedCombinations)
{
    const std::vector<std::vector<std::string>> refused = {
        {"logs", "--picture", "a.png", "--span", "day"},    // no picture extension
        {"logs", "--picture", "a.JPG", "--span", "day"},    // would become a.JPG.jpg
        {"logs", "--picture", "out/.jpg", "--span", "day"}, // no name
        {"logs", "--picture", "a.jpg"},                     // the span says what is shown
        {"logs", "--view", "table", "--span", "day"},       // a view without a picture
        {"logs", "--picture", "a.jpg", "--span", "day", "--view", "list"},
        {"logs", "--picture", "a.jpg", "--span", "day", "--json"},
        {"logs", "--graphs", "T1", "--span", "day"},
        {"logs", "--picture", "a.jpg", "--span", "day", "--graphs", "T1,,R1"},
    };
    for (const auto& args : refused)
        EXPECT_THROW(ParseReportOptions(args), UsageError) << ::testing::PrintToString(args);
}

// The frame size of a JPEG from its start-of-frame marker.
std::optional<std::pair<int, int>> JpegFrameSize(const std::string& bytes)
{
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() < 4 || byte(0) != 0xFF || byte(1) != 0xD8)
        return std::nullopt;
    std::size_t i = 2;
    while (i + 9 < bytes.size() && byte(i) == 0xFF) {
        const unsigned marker = byte(i + 1);
        const std::size_t length = byte(i + 2) << 8 | byte(i + 3);
        if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2)
            return std::make_pair(byte(i + 7) << 8 | byte(i + 8), byte(i + 5) << 8 | byte(i + 6));
        i += 2 + length;
    }
    return std::nullopt;
}

std::optional<std::pair<int, int>> BitmapSize(const std::string& bytes)
{
    if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M')
        return std::nullopt;
    auto u32 = [&](std::size_t at) {
        return static_cast<int>(static_cast<unsigned char>(bytes[at]) |
                                static_cast<unsigned char>(bytes[at + 1]) << 8 |
                                static_cast<unsigned char>(bytes[at + 2]) << 16 |
                                static_cast<unsigned char>(bytes[at + 3]) << 24);
    };
    return std::make_pair(u32(18), std::abs(u32(22)));
}

// Pixels of a 24-bit bitmap that are not white.
int NonWhitePixels(const std::string& bytes)
{
    if (bytes.size() < 54)
        return 0;
    const std::size_t offset =
        static_cast<unsigned char>(bytes[10]) | static_cast<unsigned char>(bytes[11]) << 8;
    int count = 0;
    for (std::size_t i = offset; i + 2 < bytes.size(); i += 3)
        count += (bytes[i] & bytes[i + 1] & bytes[i + 2] & 0xFF) != 0xFF ? 1 : 0;
    return count;
}

// Three days of samples every ten minutes for a solar controller and a heating circuit.
class PictureReport : public ToolTest {
protected:
    void SetUp() override
    {
        ToolTest::SetUp();
        logs_ = (temp_ / "logs").string();
        SampleOptions options;
        options.intervalMinutes = 10;
        options.faults = false;
        WriteSampleLogs(logs_, EncodeDate(2024, 5, 1), EncodeDate(2024, 5, 3), {10, 21}, options);
    }

    // Runs korvex-report; the core-only build refuses --picture, and the test is skipped there.
    ToolResult Picture(std::vector<std::string> args)
    {
        args.insert(args.begin(), logs_);
        const ToolResult r = Report(args);
        if (r.exitCode == 2 && r.err.find("built with the user interface") != std::string::npos) {
#if defined(KORVEX_REPORT_DRAWS_PICTURES)
            ADD_FAILURE() << "korvex-report did not hand the picture to its helper: " << r.err;
#endif
            skipped_ = true;
        }
        return r;
    }
    std::string Out(const std::string& name) const { return (temp_ / name).string(); }

    std::string logs_;
    bool skipped_ = false;
};

#define SKIP_WITHOUT_USER_INTERFACE()                                                              \
    if (skipped_)                                                                                  \
    GTEST_SKIP() << "korvex-report of this build has no user interface"

TEST_F(PictureReport, ChartPictureAsJpegAndBitmapWithoutDisplay)
{
    const ToolResult jpeg = Picture(
        {"--picture", Out("day.jpg"), "--span", "day", "--at", "2024-05-02", "--device", "10"});
    SKIP_WITHOUT_USER_INTERFACE();
    ASSERT_EQ(jpeg.exitCode, 0) << jpeg.err;
    EXPECT_EQ(jpeg.out, Out("day.jpg") + "\n");
    const auto size = JpegFrameSize(ReadFile(Out("day.jpg")));
    ASSERT_TRUE(size);
    EXPECT_EQ(*size, std::make_pair(1024, 768));

    const ToolResult bitmap = Picture(
        {"--picture", Out("month.bmp"), "--span", "month", "--device", "21", "--graphs", "T1,R1"});
    ASSERT_EQ(bitmap.exitCode, 0) << bitmap.err;
    const std::string bytes = ReadFile(Out("month.bmp"));
    EXPECT_EQ(BitmapSize(bytes), std::make_optional(std::make_pair(1024, 768)));
    // Two graphs, their legend, axes and title: a good part of the canvas is not white.
    EXPECT_GT(NonWhitePixels(bytes), 1024 * 768 / 100);
}

TEST_F(PictureReport, TablePictureHasTheTableSize)
{
    const ToolResult r = Picture(
        {"--picture", Out("table.bmp"), "--view", "table", "--span", "month", "--device", "10"});
    SKIP_WITHOUT_USER_INTERFACE();
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto size = BitmapSize(ReadFile(Out("table.bmp")));
    ASSERT_TRUE(size);
    // Two heading rows, three days and the total, 18 pixels each.
    EXPECT_EQ(size->second, 6 * 18);
    EXPECT_GT(size->first, 3 * 80);
}

TEST_F(PictureReport, FailuresAreReportedAndWriteNothing)
{
    const ToolResult unknown =
        Picture({"--picture", Out("x.jpg"), "--span", "day", "--graphs", "T9"});
    SKIP_WITHOUT_USER_INTERFACE();
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_NE(unknown.err.find("T9"), std::string::npos) << unknown.err;
    EXPECT_FALSE(std::filesystem::exists(Out("x.jpg")));

    const ToolResult folder = Picture({"--picture", Out("no/such/folder/x.jpg"), "--span", "day"});
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_NE(folder.err.find("no/such/folder/x.jpg"), std::string::npos) << folder.err;
    EXPECT_TRUE(folder.out.empty());
}

} // namespace
} // namespace korvex::test
