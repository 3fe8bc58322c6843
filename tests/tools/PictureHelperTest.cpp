// korvex-report hands --picture runs to korvex-report-picture: which runs go, and where the helper
// is found in a build folder and in an installation.
#include "ToolTestSupport.h"

#include "tools/report/PictureHelper.h"

#include <fstream>
#include <sys/stat.h>

namespace korvex::test {
namespace {

using report::FindPictureHelper;
using report::WantsPicture;

TEST(PictureHelper, OnlyPictureRunsThatParseGo)
{
    EXPECT_TRUE(WantsPicture({"logs", "--picture", "a.jpg", "--span", "day"}));
    EXPECT_TRUE(WantsPicture({"logs", "--span", "quarter", "--picture", "out/b.bmp", "--device", "10"}));
    // These stay, so that korvex-report itself answers or refuses them.
    EXPECT_FALSE(WantsPicture({"logs", "--json"}));
    EXPECT_FALSE(WantsPicture({"logs", "--picture", "a.png", "--span", "day"}));
    EXPECT_FALSE(WantsPicture({"logs", "--picture"}));
    EXPECT_FALSE(WantsPicture({"--help", "--picture", "a.jpg"}));
    EXPECT_FALSE(WantsPicture({"--version"}));
    EXPECT_FALSE(WantsPicture({"logs", "--graphs", "--picture"}));
}

class PictureHelperPlace : public ToolTest {
protected:
    std::filesystem::path File(const std::filesystem::path& relative, bool executable)
    {
        const std::filesystem::path path = temp_ / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << "#!/bin/sh\n";
        ::chmod(path.c_str(), executable ? 0755 : 0644);
        return path;
    }
};

TEST_F(PictureHelperPlace, BesideTheProgramOrInTheInstalledFolder)
{
    const auto program = File("usr/bin/korvex-report", true);
    EXPECT_FALSE(FindPictureHelper(program.string(), "../libexec/korvex"));

    // Not executable: as good as missing.
    File("usr/libexec/korvex/korvex-report-picture", false);
    EXPECT_FALSE(FindPictureHelper(program.string(), "../libexec/korvex"));

    const auto installed = File("usr/libexec/korvex/korvex-report-picture", true);
    const auto found = FindPictureHelper(program.string(), "../libexec/korvex");
    ASSERT_TRUE(found);
    EXPECT_TRUE(std::filesystem::equivalent(*found, installed));
    EXPECT_EQ(*found, std::filesystem::path(*found).lexically_normal().string());

    // A build folder keeps both side by side, and that one wins.
    const auto beside = File("usr/bin/korvex-report-picture", true);
    EXPECT_TRUE(std::filesystem::equivalent(
        *FindPictureHelper(program.string(), "../libexec/korvex"), beside));

    // Through a link to the program (as /proc/self/exe is), the program's real folder counts.
    const auto link = temp_ / "elsewhere" / "korvex-report";
    std::filesystem::create_directories(link.parent_path());
    std::filesystem::create_symlink(program, link);
    EXPECT_TRUE(std::filesystem::equivalent(
        *FindPictureHelper(link.string(), "../libexec/korvex"), beside));

    EXPECT_FALSE(FindPictureHelper((temp_ / "no-such-program").string(), "."));
}

} // namespace
} // namespace korvex::test
