#include "core/services/IniFile.h"

#include "TempFolder.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace korvex;
using korvex::test::ReadBytes;
using korvex::test::TempFolder;
using korvex::test::WriteBytes;

namespace {

std::string Fixture()
{
    return ReadBytes(std::string(KORVEX_TEST_DATA) + "/settings/foreign.ini");
}

int FileCount(const std::string& dir)
{
    int n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir))
        ++n;
    return n;
}

} // namespace

TEST(IniFile, ReadsAForeignFileAsTheProfileReaderWould)
{
    TempFolder dir;
    WriteBytes(dir / "a.ini", Fixture());
    IniFile ini(dir / "a.ini");
    ASSERT_TRUE(ini.reload());
    EXPECT_EQ(ini.readString("Main", "ExcelPath", "-"), "C:\\Programme\\Office\\excel.exe");
    EXPECT_EQ(ini.readInteger("main", "LANGUAGE", 0), 3); // first of the duplicates
    EXPECT_EQ(ini.readString("Main", "Quoted", "-"), "  spaced  ");
    EXPECT_EQ(ini.readInteger("Child", "AxisMin", 0), -20);
    EXPECT_FALSE(ini.valueExists("Main", "Extra")); // repeated section is not read
    EXPECT_EQ(ini.readString("Labels:3", "t1[°c]", "-"), "Kollektor ä");
    EXPECT_FALSE(ini.valueExists("Labels:3", "NoValueLine"));
    EXPECT_FALSE(ini.valueExists("Labels:3", ";Commented"));
    EXPECT_EQ(ini.readString("Labels:3", "Last", "-"), "end");
    EXPECT_TRUE(ini.sectionExists("CHILD"));
    EXPECT_FALSE(ini.sectionExists("Dev:Default"));
    EXPECT_EQ(ini.readString("Nowhere", "Last", "dflt"), "dflt");
}

TEST(IniFile, AWriteChangesOnlyTheConcernedLine)
{
    TempFolder dir;
    const std::string original = Fixture();
    WriteBytes(dir / "a.ini", original);
    IniFile ini(dir / "a.ini");
    ASSERT_TRUE(ini.reload());

    std::string expected = original;
    auto replace = [&](const std::string& from, const std::string& to) {
        const auto at = expected.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        expected.replace(at, from.size(), to);
    };
    ASSERT_TRUE(ini.writeInteger("CHILD", "axismin", 5));
    replace("AxisMin=-20\r\n", "AxisMin=5\r\n");
    EXPECT_EQ(ReadBytes(dir / "a.ini"), expected);

    // A new key goes after the last key of the first matching section.
    ASSERT_TRUE(ini.writeBool("main", "New", true));
    replace("Quoted = \"  spaced  \"\r\n", "Quoted = \"  spaced  \"\r\nNew=1\r\n");
    EXPECT_EQ(ReadBytes(dir / "a.ini"), expected);

    // The last line had no line break; appending gives it one.
    ASSERT_TRUE(ini.writeString("Labels:3", "T2[°C]", "Speicher"));
    expected += "\r\nT2[\xB0"
                "C]=Speicher\r\n";
    EXPECT_EQ(ReadBytes(dir / "a.ini"), expected);

    ASSERT_TRUE(ini.writeString("Dev:3", "LineWidth", "2"));
    expected += "[Dev:3]\r\nLineWidth=2\r\n";
    EXPECT_EQ(ReadBytes(dir / "a.ini"), expected);
    EXPECT_EQ(ini.readInteger("dev:3", "linewidth", 0), 2);
}

TEST(IniFile, StoresWindows1252OnDiskAndReadsItBack)
{
    TempFolder dir;
    IniFile ini(dir / "new.ini");
    ASSERT_TRUE(ini.reload());
    ASSERT_TRUE(ini.writeString("Labels:1", "T1[°C]", "Wärme ÄÖÜß € 90°"));
    EXPECT_EQ(ReadBytes(dir / "new.ini"), "[Labels:1]\r\nT1[\xB0"
                                          "C]=W\xE4rme \xC4\xD6\xDC\xDF \x80 90\xB0\r\n");
    IniFile again(dir / "new.ini");
    ASSERT_TRUE(again.reload());
    EXPECT_EQ(again.readString("labels:1", "T1[°C]", ""), "Wärme ÄÖÜß € 90°");
}

TEST(IniFile, ValuesReadBackAsWritten)
{
    TempFolder dir;
    IniFile ini(dir / "v.ini");
    for (const std::string v : {"  padded ", "\"quoted\"", "'single'", "", "a=b;c", "x\"", "\"  \"",
                                "\"mixed'", "trailing "}) {
        ASSERT_TRUE(ini.writeString("S", "K", v));
        IniFile other(dir / "v.ini");
        ASSERT_TRUE(other.reload());
        EXPECT_EQ(other.readString("S", "K", "-"), v);
        EXPECT_EQ(ini.readString("S", "K", "-"), v);
    }
    // A line break cannot be stored; it must not split the file.
    ASSERT_TRUE(ini.writeString("S", "K", "two\r\nlines"));
    EXPECT_EQ(ini.readString("S", "K", "-"), "two  lines");
    // Characters outside the code page: memory shows what the file holds.
    ASSERT_TRUE(ini.writeString("S", "K", "a→b"));
    EXPECT_EQ(ini.readString("S", "K", "-"), "a?b");
}

TEST(IniFile, UnmatchedQuotesAreKept)
{
    TempFolder dir;
    WriteBytes(dir / "q.ini", "[S]\r\nA=\"mixed'\r\nB='mixed\"\r\nC = \"open\r\n");
    IniFile ini(dir / "q.ini");
    ASSERT_TRUE(ini.reload());
    EXPECT_EQ(ini.readString("S", "A", "-"), "\"mixed'");
    EXPECT_EQ(ini.readString("S", "B", "-"), "'mixed\"");
    EXPECT_EQ(ini.readString("S", "C", "-"), "\"open");
}

TEST(IniFile, RefusesNamesThatCannotBeStored)
{
    TempFolder dir;
    IniFile ini(dir / "n.ini");
    EXPECT_FALSE(ini.writeString("S", "", "1"));
    EXPECT_FALSE(ini.writeString("S", "a=b", "1"));
    EXPECT_FALSE(ini.writeString("S", "[x]", "1"));
    EXPECT_FALSE(ini.writeString("S", ";x", "1"));
    EXPECT_FALSE(ini.writeString("", "k", "1"));
    EXPECT_FALSE(ini.writeString("S\nT", "k", "1"));
    EXPECT_FALSE(std::filesystem::exists(dir / "n.ini"));
}

TEST(IniFile, ReadsIntegersStrictly)
{
    TempFolder dir;
    WriteBytes(dir / "i.ini",
               "[I]\r\ndec= 42 \r\nneg=-7\r\nplus=+5\r\nhex=0x1F\r\nHEX=0XfF\r\nbad=12abc\r\n"
               "empty=\r\nbare0x=0x\r\nneghex=-0x5\r\nhuge=99999999999999999999\r\nf=1.5\r\n"
               "yes=2\r\nno=0\r\nword=true\r\n");
    IniFile ini(dir / "i.ini");
    ASSERT_TRUE(ini.reload());
    EXPECT_EQ(ini.readInteger("I", "dec", 0), 42);
    EXPECT_EQ(ini.readInteger("I", "neg", 0), -7);
    EXPECT_EQ(ini.readInteger("I", "plus", 0), 5);
    EXPECT_EQ(ini.readInteger("I", "hex", 0), 31);
    for (const char* bad : {"bad", "empty", "bare0x", "neghex", "huge", "f", "missing"})
        EXPECT_EQ(ini.readInteger("I", bad, -99), -99) << bad;
    EXPECT_TRUE(ini.readBool("I", "yes", false));
    EXPECT_FALSE(ini.readBool("I", "no", true));
    EXPECT_TRUE(ini.readBool("I", "word", true));
    EXPECT_FALSE(ini.readBool("I", "word", false));
}

TEST(IniFile, KeepsChangesMadeMeanwhileByAnotherWriter)
{
    TempFolder dir;
    IniFile first(dir / "s.ini");
    IniFile second(dir / "s.ini");
    ASSERT_TRUE(first.writeString("Main", "A", "1"));
    ASSERT_TRUE(second.writeString("main", "b", "2")); // second never saw A
    ASSERT_TRUE(first.writeString("Main", "a", "3"));
    EXPECT_EQ(ReadBytes(dir / "s.ini"), "[Main]\r\nA=3\r\nb=2\r\n");
    EXPECT_EQ(first.readString("Main", "B", "-"), "2");
}

TEST(IniFile, AFailedWriteLeavesDiskAndMemoryAsBefore)
{
    TempFolder dir;
    const std::string original = "[Main]\r\nA=1\r\n";
    WriteBytes(dir / "f.ini", original);
    IniFile ini(dir / "f.ini");
    ASSERT_TRUE(ini.reload());

    // Works for root too: the file size limit makes the temporary file's write fail.
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tiny = saved;
    tiny.rlim_cur = 8;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const bool written = ini.writeString("Main", "A", "a much longer value");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(dir / "f.ini"), original);
    EXPECT_EQ(ini.readString("Main", "A", "-"), "1");
    EXPECT_EQ(FileCount(dir.path()), 2); // the file and its lock: no temporary file left behind

    IniFile nowhere(dir / "missing-folder/x.ini");
    EXPECT_TRUE(nowhere.reload());
    EXPECT_FALSE(nowhere.writeString("Main", "A", "1"));
}

TEST(IniFile, AReadOnlyFolderRefusesTheWrite)
{
    TempFolder dir;
    const std::string sub = dir / "ro";
    std::filesystem::create_directory(sub);
    WriteBytes(sub + "/f.ini", "[Main]\r\nA=1\r\n");
    chmod(sub.c_str(), 0555);
    if (access(sub.c_str(), W_OK) == 0)
        GTEST_SKIP() << "folder permissions do not bind this user";
    IniFile ini(sub + "/f.ini");
    ASSERT_TRUE(ini.reload());
    EXPECT_FALSE(ini.writeString("Main", "A", "2"));
    EXPECT_EQ(ReadBytes(sub + "/f.ini"), "[Main]\r\nA=1\r\n");
    EXPECT_EQ(ini.readString("Main", "A", "-"), "1");
}

TEST(IniFile, AnUpdateWritesTheFileOnce)
{
    TempFolder dir;
    IniFile ini(dir / "u.ini");
    ASSERT_TRUE(ini.beginUpdate());
    EXPECT_TRUE(ini.writeString("Dev:Default", "LineWidth", "2"));
    EXPECT_TRUE(ini.sectionExists("dev:default")); // reads see pending writes
    EXPECT_TRUE(ini.writeString("Dev:1", "LineWidth", "2"));
    EXPECT_FALSE(std::filesystem::exists(dir / "u.ini"));
    ASSERT_TRUE(ini.endUpdate());
    EXPECT_EQ(ReadBytes(dir / "u.ini"),
              "[Dev:Default]\r\nLineWidth=2\r\n[Dev:1]\r\nLineWidth=2\r\n");

    // A failing update restores memory to the state before it.
    const std::string sub = dir / "gone";
    std::filesystem::create_directory(sub);
    IniFile doomed(sub + "/g.ini");
    ASSERT_TRUE(doomed.writeString("S", "K", "old"));
    ASSERT_TRUE(doomed.beginUpdate());
    ASSERT_TRUE(doomed.writeString("S", "K", "new"));
    ASSERT_TRUE(doomed.writeString("T", "K", "new"));
    std::filesystem::remove_all(sub);
    EXPECT_FALSE(doomed.endUpdate());
    EXPECT_FALSE(doomed.inUpdate());
    EXPECT_EQ(doomed.readString("S", "K", "-"), "old");
    EXPECT_FALSE(doomed.valueExists("T", "K"));

    // A folder in the file's place cannot be read, so no update starts.
    std::filesystem::create_directory(dir / "dir.ini");
    IniFile blocked(dir / "dir.ini");
    EXPECT_FALSE(blocked.reload());
    EXPECT_FALSE(blocked.beginUpdate());
    EXPECT_FALSE(blocked.writeString("S", "K", "1"));
}

TEST(IniFile, KeepsAUtf8FileInUtf8)
{
    TempFolder dir;
    WriteBytes(dir / "b.ini", "\xEF\xBB\xBF[Labels:1]\nT1=Wärme\n");
    IniFile ini(dir / "b.ini");
    ASSERT_TRUE(ini.reload());
    EXPECT_EQ(ini.readString("Labels:1", "T1", "-"), "Wärme");
    ASSERT_TRUE(ini.writeString("Labels:1", "T2", "Kälte"));
    EXPECT_EQ(ReadBytes(dir / "b.ini"), "\xEF\xBB\xBF[Labels:1]\nT1=Wärme\nT2=Kälte\r\n");
}

TEST(IniFile, WritesThroughALinkAndKeepsThePermissions)
{
    TempFolder dir;
    WriteBytes(dir / "real.ini", "[S]\r\n");
    chmod((dir / "real.ini").c_str(), 0640);
    std::filesystem::create_symlink(dir / "real.ini", dir / "link.ini");
    IniFile ini(dir / "link.ini");
    ASSERT_TRUE(ini.writeString("S", "K", "1"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.ini"));
    EXPECT_EQ(ReadBytes(dir / "real.ini"), "[S]\r\nK=1\r\n");
    struct stat st {};
    ASSERT_EQ(stat((dir / "real.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(IniFile, AnyFileSurvivesAnAppendByteForByte)
{
    TempFolder dir;
    std::uint32_t seed = 12345;
    auto next = [&] { return (seed = seed * 1664525u + 1013904223u) >> 24; };
    const char structural[] = "[]=; \t\r\n";
    for (int round = 0; round < 200; ++round) {
        std::string bytes;
        const int length = static_cast<int>(next() % 200);
        for (int i = 0; i < length; ++i) {
            const unsigned r = next();
            bytes.push_back(r < 128 ? structural[r % 8] : static_cast<char>(next()));
        }
        if (bytes.rfind("\xEF\xBB\xBF", 0) == 0)
            continue;
        WriteBytes(dir / "r.ini", bytes);
        IniFile ini(dir / "r.ini");
        ASSERT_TRUE(ini.reload());
        ASSERT_TRUE(ini.writeString("Zz New", "k", "v"));
        const bool open = !bytes.empty() && bytes.back() != '\r' && bytes.back() != '\n';
        EXPECT_EQ(ReadBytes(dir / "r.ini"), bytes + (open ? "\r\n" : "") + "[Zz New]\r\nk=v\r\n")
            << "round " << round;
    }
}

TEST(IniFile, WritesWithinAnUpdateKeepTheLookupExact)
{
    TempFolder dir;
    WriteBytes(dir / "m.ini", "[A]\r\na1=1\r\n\r\n[B]\r\nb1=1\r\n[a]\r\nx=dup\r\n[C]\r\nc1=1\r\n");
    IniFile ini(dir / "m.ini");
    ASSERT_TRUE(ini.beginUpdate());
    ASSERT_TRUE(ini.writeString("A", "a2", "2"));
    ASSERT_TRUE(ini.writeString("C", "c1", "changed"));
    ASSERT_TRUE(ini.writeString("A", "a3", "3"));
    ASSERT_TRUE(ini.writeString("B", "b1", "changed"));
    ASSERT_TRUE(ini.writeString("B", "b2", "2"));
    ASSERT_TRUE(ini.writeString("D", "d1", "4"));
    ASSERT_TRUE(ini.writeString("A", "A2", "again"));
    ASSERT_TRUE(ini.writeString("D", "d2", "5"));
    ASSERT_TRUE(ini.endUpdate());
    EXPECT_EQ(ReadBytes(dir / "m.ini"),
              "[A]\r\na1=1\r\na2=again\r\na3=3\r\n\r\n[B]\r\nb1=changed\r\nb2=2\r\n[a]\r\nx=dup\r\n"
              "[C]\r\nc1=changed\r\n[D]\r\nd1=4\r\nd2=5\r\n");
    ASSERT_TRUE(ini.writeString("B", "b3", "6")); // after the update: from the fresh file
    EXPECT_EQ(ini.readString("A", "a2", "-"), "again");
    EXPECT_EQ(ini.readString("D", "d2", "-"), "5");
    EXPECT_EQ(ini.readString("B", "b3", "-"), "6");
    EXPECT_FALSE(ini.valueExists("A", "x"));
}
