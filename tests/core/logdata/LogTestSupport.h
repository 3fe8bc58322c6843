#pragma once

#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/LogFileReader.h"
#include "core/services/AppSettings.h"
#include "core/services/DayTime.h"
#include "core/services/Errors.h"
#include "core/services/TextCatalogue.h"
#include "tests/core/logdata/FakeChartHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace korvex::test {

struct Point {
    double minute; // minutes after the day start
    double y;      // NaN = null point
};

inline std::string ReaderFixture(const std::string& relative)
{
    return std::string(KORVEX_TEST_DATA) + "/reader/" + relative;
}

// English texts, a private settings folder, and a data set on two fake charts.
class LogDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SelectTextBlock(BlockEnglish);
        const char* xdg = std::getenv("XDG_CONFIG_HOME");
        savedXdg_ = xdg ? std::optional<std::string>(xdg) : std::nullopt;
        configDir_ = std::filesystem::temp_directory_path() /
                     ("korvex-logdata-" + std::to_string(::getpid()) + "-" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(configDir_);
        std::filesystem::create_directories(configDir_);
        ::setenv("XDG_CONFIG_HOME", configDir_.c_str(), 1);
        AppSettings::Release();
    }

    void TearDown() override
    {
        AppSettings::Release();
        if (savedXdg_)
            ::setenv("XDG_CONFIG_HOME", savedXdg_->c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        std::filesystem::remove_all(configDir_);
        SelectTextBlock(BlockGerman);
    }

    // Writes Korvex.ini (UTF-8 text is written as Windows-1252 by the caller's choice of
    // ASCII content) before the settings object is first requested.
    void writeSettings(const std::string& content)
    {
        std::filesystem::create_directories(configDir_ / "Halvo");
        std::ofstream(configDir_ / "Halvo" / "Korvex.ini", std::ios::binary) << content;
        AppSettings::Release();
    }

    std::filesystem::path settingsPath() const { return configDir_ / "Halvo" / "Korvex.ini"; }

    AnalysisDataSet& makeSet()
    {
        sets_.push_back(std::make_unique<AnalysisDataSet>(EncodeDate(2008, 5, 1),
                                                          EncodeDate(2008, 6, 1), &main, &outputs));
        return *sets_.back();
    }

    // Loads a fixture, collecting warnings; returns the error message or "".
    std::string load(AnalysisDataSet& set, const std::string& relative)
    {
        LogFileReader reader([this](const std::string& m) { warnings.push_back(m); });
        try {
            reader.load(set, ReaderFixture(relative));
        } catch (const KorvexError& e) {
            return e.what();
        }
        return std::string();
    }

    // Loads bytes given in the test, as if read from the named file.
    std::string loadBytes(AnalysisDataSet& set, const std::string& name, const std::string& bytes)
    {
        LogFileReader reader([this](const std::string& m) { warnings.push_back(m); });
        try {
            reader.loadBytes(set, "/logs/" + name, bytes);
        } catch (const KorvexError& e) {
            return e.what();
        }
        return std::string();
    }

    static int field(const AnalysisDataSet& set, const std::string& name)
    {
        return set.deviceSettings() ? set.deviceSettings()->find(name) : -1;
    }

    // The points of a field as (minutes after day, y).
    static std::vector<Point> points(const AnalysisDataSet& set, const std::string& name,
                                     DayTime day)
    {
        std::vector<Point> out;
        const Series* s = set.series(field(set, name));
        if (!s)
            return out;
        for (int i = 0; i < s->count(); ++i)
            out.push_back({std::round((s->x(i) - day) * 1440.0 * 1000.0) / 1000.0, s->y(i)});
        return out;
    }

    FakeChartHost main;
    FakeChartHost outputs;
    std::vector<std::string> warnings;

private:
    std::filesystem::path configDir_;
    std::optional<std::string> savedXdg_;
    std::vector<std::unique_ptr<AnalysisDataSet>> sets_;
};

// "(minute, y)" list for readable failures; nulls print as "null".
inline std::string Describe(const std::vector<Point>& pts)
{
    std::string s;
    for (const auto& p : pts) {
        char buf[64];
        if (std::isnan(p.y))
            std::snprintf(buf, sizeof buf, "(%g,null)", p.minute);
        else
            std::snprintf(buf, sizeof buf, "(%g,%g)", p.minute, p.y);
        s += buf;
    }
    return s;
}

} // namespace korvex::test
