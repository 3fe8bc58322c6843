#pragma once

#include "core/services/AppSettings.h"
#include "core/services/TextCatalogue.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace korvex::test {

inline std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string ShellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted.push_back(c);
    }
    return quoted + "'";
}

struct ToolResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// A private temporary folder that also serves as the settings folder of this process and of
// the programs it starts, so that no test reads or writes the real one.
class ToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "korvex-tools-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        temp_ = pattern;
        config_ = temp_ / "config";
        std::filesystem::create_directories(config_);
        const char* xdg = std::getenv("XDG_CONFIG_HOME");
        savedXdg_ = xdg ? std::optional<std::string>(xdg) : std::nullopt;
        ::setenv("XDG_CONFIG_HOME", config_.c_str(), 1);
        AppSettings::Release();
        SelectTextBlock(BlockEnglish);
    }

    void TearDown() override
    {
        AppSettings::Release();
        if (savedXdg_)
            ::setenv("XDG_CONFIG_HOME", savedXdg_->c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        std::error_code ec;
        std::filesystem::remove_all(temp_, ec);
    }

    // Runs a program of the build's bin folder with the given arguments.
    ToolResult Run(const std::string& program, const std::vector<std::string>& args) const
    {
        return RunIn("C.UTF-8", program, args);
    }

    // The same under the given desktop locale (LC_ALL and LANG).
    ToolResult RunIn(const std::string& locale, const std::string& program,
                     const std::vector<std::string>& args) const
    {
        return RunWith({{"LC_ALL", locale}, {"LANG", locale}}, program, args);
    }

    // With exactly these locale variables (LC_ALL, LC_MESSAGES, LANG; the others unset).
    ToolResult RunWith(const std::vector<std::pair<std::string, std::string>>& locale,
                       const std::string& program, const std::vector<std::string>& args) const
    {
        std::string command = "env -u LC_ALL -u LC_MESSAGES -u LANG -u LANGUAGE";
        for (const auto& [name, value] : locale)
            command += " " + name + "=" + ShellQuote(value);
        command += " " + ShellQuote(std::string(KORVEX_BIN_DIR) + "/" + program);
        for (const std::string& a : args)
            command += " " + ShellQuote(a);
        const std::filesystem::path out = temp_ / "stdout";
        const std::filesystem::path err = temp_ / "stderr";
        command += " >" + ShellQuote(out.string()) + " 2>" + ShellQuote(err.string());
        const int status = std::system(command.c_str());
        ToolResult result;
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = ReadFile(out);
        result.err = ReadFile(err);
        return result;
    }

    ToolResult Report(const std::vector<std::string>& args) const
    {
        return Run("korvex-report", args);
    }

    static std::string Fixture(const std::string& relative)
    {
        return std::string(KORVEX_TEST_DATA) + "/report/" + relative;
    }

    std::filesystem::path temp_;
    std::filesystem::path config_;

private:
    std::optional<std::string> savedXdg_;
};

} // namespace korvex::test
