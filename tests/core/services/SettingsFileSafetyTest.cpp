// The settings file under a full disk, a second writing process, a lock that is not released,
// hand-edited content and sizes far beyond a real settings file.
#include "core/services/AppSettings.h"
#include "core/services/IniFile.h"

#include "TempFolder.h"
#include "core/services/Errors.h"
#include "core/services/TextCatalogue.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace korvex;
using korvex::test::ReadBytes;
using korvex::test::TempFolder;
using korvex::test::WriteBytes;

namespace {

namespace fs = std::filesystem;

class SettingsFileSafety : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char* v = std::getenv("XDG_CONFIG_HOME"))
            savedXdg_ = v;
        ::setenv("XDG_CONFIG_HOME", base.path().c_str(), 1);
        AppSettings::Release();
        fs::create_directories(base / "Halvo");
        SelectTextBlock(BlockEnglish);
    }
    void TearDown() override
    {
        AppSettings::Release();
        ::setenv("XDG_CONFIG_HOME", savedXdg_.c_str(), 1);
    }

    std::string iniPath() const { return base / "Halvo/Korvex.ini"; }

    static int ExitCode(pid_t pid)
    {
        int status = 0;
        if (::waitpid(pid, &status, 0) != pid)
            return -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    int TemporaryFiles() const
    {
        int n = 0;
        for (const auto& e : fs::directory_iterator(base / "Halvo"))
            n += e.path().filename().string().rfind(".Korvex.ini.", 0) == 0;
        return n;
    }

    TempFolder base = TempFolder::Fast();

private:
    std::string savedXdg_;
};

// Every value the reader sees, with the keys a test wrote left out.
std::vector<IniFile::Entry> ValuesBesides(const std::string& path,
                                          const std::vector<std::string>& sections)
{
    IniFile file(path);
    EXPECT_TRUE(file.reload());
    std::vector<IniFile::Entry> out;
    for (IniFile::Entry& e : file.entries())
        if (std::find(sections.begin(), sections.end(), e.section) == sections.end())
            out.push_back(std::move(e));
    return out;
}

} // namespace

TEST_F(SettingsFileSafety, AFullDiskLeavesTheOldFileAndSaysSo)
{
    const std::string old = "[Main]\r\nLanguage=3\r\nLastUsedDir=/logs/\r\n[Labels:3]\r\n"
                            "T1[\xB0"
                            "C]=Kollektor\r\n";
    WriteBytes(iniPath(), old);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The quota lets the new file get part of the way only.
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{old.size() + 40, old.size() + 40};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            AppSettings& s = AppSettings::Get();
            ChildDefaults c;
            c.printTitle = std::string(300, 'T');
            try {
                s.setChildDefaults(c);
                ::_exit(10);
            } catch (const SettingsFileError& e) {
                if (std::string(e.what()) != Text(TextId::SettingsFileAccessFailed))
                    ::_exit(11);
            }
            try {
                s.setExcelPath(std::string(200, 'x'));
                ::_exit(12);
            } catch (const SettingsFileError&) {
            }
            ::_exit(0);
        } catch (...) {
            ::_exit(13);
        }
    }
    EXPECT_EQ(ExitCode(child), 0) << "10/12: a failed write passed as success; 11: not text 94";
    EXPECT_EQ(ReadBytes(iniPath()), old);
    EXPECT_EQ(TemporaryFiles(), 0);
}

TEST_F(SettingsFileSafety, TwoProcessesWritingAtOnceLoseNoKey)
{
    constexpr int kWrites = 500;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    auto writer = [&](bool grouped) {
        const pid_t pid = ::fork();
        if (pid != 0)
            return pid;
        char go = 0;
        if (::read(ready[0], &go, 1) != 1)
            ::_exit(20);
        IniFile file(iniPath());
        // Waiting for the other writer is fine here; that a lock not had in time fails is
        // tested on its own. Sanitizer builds on a busy machine write slowly.
        file.setLockTimeout(std::chrono::seconds(120));
        for (int i = 0; i < kWrites; ++i) {
            bool ok = false;
            if (grouped) {
                // Like a device save: one re-read and one replacement for two keys.
                ok = file.beginUpdate() &&
                     file.writeInteger("Colors:2", "B" + std::to_string(i), i * 7) &&
                     file.writeString("Labels:2", "B" + std::to_string(i), "b" + std::to_string(i));
                ok = file.endUpdate() && ok;
            } else {
                ok = file.writeString("Labels:1", "A" + std::to_string(i), std::to_string(i));
            }
            if (!ok)
                ::_exit(21);
            // Like a user's actions, writes come apart: the other process gets its turn.
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
        ::_exit(0);
    };
    const pid_t a = writer(false);
    const pid_t b = writer(true);
    ASSERT_GT(a, 0);
    ASSERT_GT(b, 0);
    ASSERT_EQ(::write(ready[1], "gg", 2), 2);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_EQ(ExitCode(a), 0);
    EXPECT_EQ(ExitCode(b), 0);

    IniFile file(iniPath());
    ASSERT_TRUE(file.reload());
    int lost = 0;
    for (int i = 0; i < kWrites; ++i) {
        const std::string n = std::to_string(i);
        lost += file.readString("Labels:1", "A" + n, "") != n;
        lost += file.readInteger("Colors:2", "B" + n, -1) != i * 7;
        lost += file.readString("Labels:2", "B" + n, "") != "b" + n;
    }
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(file.entries().size(), 3u * kWrites);
}

TEST_F(SettingsFileSafety, ALockNotHadInTimeFailsTheWriteInsteadOfHanging)
{
    WriteBytes(iniPath(), "[Main]\r\nLanguage=2\r\n");
    AppSettings& s = AppSettings::Get();
    s.file().setLockTimeout(std::chrono::milliseconds(150));
    // Another process (here: another open file description) holds the lock.
    const int held = ::open(s.file().lockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(s.file().writeString("Main", "ExcelPath", "/x"));
    EXPECT_FALSE(s.file().beginUpdate());
    try {
        s.setLanguageAndLastDir(4, "/logs/");
        ADD_FAILURE() << "a write without the lock passed";
    } catch (const SettingsFileError& e) {
        EXPECT_EQ(std::string(e.what()), Text(TextId::SettingsFileAccessFailed));
    }
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(3 * 150));
    EXPECT_LT(waited, std::chrono::seconds(5));
    EXPECT_EQ(ReadBytes(iniPath()), "[Main]\r\nLanguage=2\r\n");

    ::close(held);
    s.setLanguageAndLastDir(4, "/logs/");
    EXPECT_EQ(ReadBytes(iniPath()), "[Main]\r\nLanguage=4\r\nLastUsedDir=/logs/\r\n");
}

TEST_F(SettingsFileSafety, HandEditedFilesKeepEveryOtherKey)
{
    std::mt19937 random(94);
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary.push_back(static_cast<char>(random() & 0xFF));
    std::string repeated;
    for (int i = 0; i < 10000; ++i)
        repeated += "[Labels:3]\r\nK" + std::to_string(i % 37) + "=v" + std::to_string(i) + "\r\n";
    const std::string longLine(1 << 20, 'x');
    const std::string utf8Labels = "[Labels:3]\nT1[\xC2\xB0"
                                   "C]=Kollektor \xE2\x82\xAC\n";
    const struct {
        const char* what;
        std::string bytes;
    } files[] = {
        {"UTF-8 without mark", "[Main]\nLastUsedDir=/home/j\xC3\xBCrgen/Logs\n" + utf8Labels},
        {"binary bytes", "[Labels:3]\r\nA=1\r\n" + binary + "\r\n[Colors:3]\r\nB=2\r\n" +
                             std::string("\0\0[Main]\0\r\nC=\0\x81\x8D\r\n", 18)},
        {"a section repeated 10,000 times", repeated},
        {"lines of 1 MB", "[Labels:3]\r\nLong=" + longLine + "\r\n;" + longLine + "\r\n[" +
                              longLine + "]\r\nInside=1\r\n" + longLine + "\r\n"},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.what);
        AppSettings::Release();
        WriteBytes(iniPath(), f.bytes);
        const auto before = ValuesBesides(iniPath(), {"Main", "Child"});

        AppSettings& s = AppSettings::Get();
        ASSERT_TRUE(s.isOpen());
        ChildDefaults c;
        c.axisMin = -7;
        c.printTitle = "Anlage";
        s.setChildDefaults(c);
        s.setLanguageAndLastDir(5, "/logs/neu/");

        EXPECT_EQ(ValuesBesides(iniPath(), {"Main", "Child"}), before);
        AppSettings::Release();
        AppSettings& again = AppSettings::Get();
        EXPECT_EQ(again.childDefaults(), c);
        EXPECT_EQ(again.language(), 5);
        EXPECT_EQ(again.lastUsedDir(), "/logs/neu/");
        // Every line the writes did not concern is kept byte for byte (new sections go last).
        const std::string after = ReadBytes(iniPath());
        if (f.bytes.rfind("[Main]", 0) == 0)
            EXPECT_NE(after.find(utf8Labels), std::string::npos);
        else
            EXPECT_TRUE(after.substr(0, f.bytes.size()) == f.bytes);
    }
}

TEST_F(SettingsFileSafety, AFileBeyondTheLimitsIsNotReadNorReplaced)
{
    const std::string head =
        "[Main]\r\nLanguage=3\r\nLastUsedDir=/logs/\r\n[Child]\r\nAxisMin=5\r\n";
    const struct {
        const char* what;
        std::string bytes;  // the file's start
        std::uint64_t size; // grown to this with zero bytes (sparse: quick, takes no memory)
        bool read;
    } files[] = {
        {"at the size limit", head, IniFile::kMaxFileSize, true},
        {"one byte beyond the size limit", head, IniFile::kMaxFileSize + 1, false},
        {"50 MB", head, 50u << 20, false},
        {"beyond the line limit", head + std::string(IniFile::kMaxLines, '\n'), 0, false},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.what);
        AppSettings::Release();
        WriteBytes(iniPath(), f.bytes);
        if (f.size > 0)
            fs::resize_file(iniPath(), f.size);
        if (f.read) {
            AppSettings& s = AppSettings::Get();
            EXPECT_TRUE(s.isOpen());
            EXPECT_EQ(s.language(), 3);
            continue;
        }
        struct stat before {};
        ASSERT_EQ(::stat(iniPath().c_str(), &before), 0);
        // Said once; afterwards the program runs with the defaults and leaves the file alone.
        try {
            AppSettings::Get();
            ADD_FAILURE() << "no message";
        } catch (const SettingsFileError& e) {
            EXPECT_EQ(std::string(e.what()), Text(TextId::SettingsFileAccessFailed));
        }
        AppSettings& s = AppSettings::Get();
        EXPECT_FALSE(s.isOpen());
        EXPECT_EQ(s.language(), 0);
        EXPECT_EQ(s.childDefaults(), ChildDefaults{});
        EXPECT_NO_THROW(s.setLanguageAndLastDir(2, "/other/"));
        EXPECT_NO_THROW(s.setChildDefaults(ChildDefaults{}));
        EXPECT_EQ(s.language(), 2);

        IniFile direct(iniPath());
        EXPECT_FALSE(direct.reload());
        EXPECT_TRUE(direct.tooLarge());
        EXPECT_FALSE(direct.writeString("Main", "Language", "1"));
        // Neither replaced (same file) nor written to.
        struct stat after {};
        ASSERT_EQ(::stat(iniPath().c_str(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_size, before.st_size);
        EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
        EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
        std::ifstream in(iniPath(), std::ios::binary);
        std::string start(f.bytes.size(), '\0');
        in.read(start.data(), static_cast<std::streamsize>(start.size()));
        EXPECT_TRUE(start == f.bytes);
        EXPECT_EQ(TemporaryFiles(), 0);
    }
}
