#pragma once

#include "core/services/IniFile.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace korvex {

// The seven Child values that analysis windows and the settings dialog exchange.
struct ChildDefaults {
    std::string printTitle;
    int axisMin = -10;
    int axisMax = 120;
    bool dynamicScaling = true;
    int headerWidth0 = 130;
    int headerWidth1 = 36;
    int headerWidth2 = 36;

    bool operator==(const ChildDefaults&) const = default;
};

// What the analysis window shows for reading the charts.
struct ReadingOptions {
    bool readout = true;     // cursor line and value box over the charts
    bool statistics = false; // statistics panel of the shown window
    bool functionCheck = false; // the function check's panel

    bool operator==(const ReadingOptions&) const = default;
};

// Ticked graphs of one device by field settings key ("T1[°C]" -> shown).
using GraphChoice = std::map<std::string, bool>;
// The two ticks of a graph-list row: shown in the device's charts, marked for the Overview.
enum class GraphList { Device, Overview };

constexpr int kRecentDirCount = 8;

// Folder of the running program's executable, with a trailing '/'.
std::string ProgramDirectory();

// The bundled sample logs of an installed program: the folder the build's install layout puts
// them in, seen from the given program folder, lexically normalised, with a trailing '/'; ""
// when no such folder exists (as in the build tree).
std::string InstalledSamplesDirectory(const std::string& programDirectory);

// LastUsedDir before the first analysis: the installed sample logs, else the program's folder,
// where a build keeps its samples.
std::string DefaultLogDirectory();

// $XDG_CONFIG_HOME, else $HOME/.config; created with its parents when missing. Below it the
// folder Halvo (one level) and Korvex.ini. Relative values count as unset. Throws
// SettingsFileError (text 94) when neither variable is usable or a folder cannot be created
// (also when a plain file named Halvo is in the way).
std::string ResolveSettingsPath();

// The one process-wide settings object.
class AppSettings {
public:
    // Returns the object, creating and loading it on first request. Creation failure throws
    // SettingsFileError with text 94; no object exists then and the next call tries again.
    // A settings file above the size limits is not read: the creating call throws text 94
    // once, and from then on the object exists, not open, with every default.
    static AppSettings& Get();
    // The object if it exists, else nullptr; never creates.
    static AppSettings* Instance();
    static void Release();

    bool isOpen() const { return open_; }
    const std::string& path() const { return file_.path(); }

    const std::string& excelPath() const { return excelPath_; }
    void setExcelPath(const std::string& path);

    int language() const { return language_; }
    const std::string& lastUsedDir() const { return lastUsedDir_; }
    // Writes Main/Language, then Main/LastUsedDir, in one replacement of the file. A failure
    // throws SettingsFileError (text 94) with the values in memory already changed; so do the
    // other setters.
    void setLanguageAndLastDir(int language, const std::string& lastUsedDir);

    const ChildDefaults& childDefaults() const { return child_; }
    // Writes AxisMin, AxisMax, PrintTitle, DynamicScaling, HeaderWidth0..2 in this order, in one
    // replacement of the file.
    void setChildDefaults(const ChildDefaults& values);

    // Label and colour of a field as stored in Labels:n / Colors:n (n in decimal), or the given
    // defaults. Colours are 0x00BBGGRR, stored as decimal integers.
    std::string readLabel(int deviceNumber, const std::string& settingsKey,
                          const std::string& defaultLabel) const;
    std::uint32_t readColor(int deviceNumber, const std::string& settingsKey,
                            std::uint32_t defaultColor) const;

    // A value of any section as stored (nothing when absent), and whether a section exists: for
    // readers of their own sections (the function check's roles and thresholds).
    std::optional<std::string> readValue(std::string_view section, std::string_view key) const;
    bool sectionExists(std::string_view section) const;

    // Whether a graph choice is stored for the device (section Graphs:n for the device list,
    // Overview:n for its Overview column), and the stored state of one field by its settings key
    // (nothing when that key is not stored).
    bool hasGraphChoice(int deviceNumber, GraphList list = GraphList::Device) const;
    std::optional<bool> readGraphShown(int deviceNumber, const std::string& settingsKey,
                                       GraphList list = GraphList::Device) const;
    // Writes the whole choice of a device in one replacement of the file (text 94 on failure).
    void writeGraphChoice(int deviceNumber, const GraphChoice& choice,
                          GraphList list = GraphList::Device);

    // Directories analysed, newest first, at most kRecentDirCount (section RecentDirs); with
    // existingOnly those that no longer exist are left out.
    std::vector<std::string> recentDirs(bool existingOnly) const;
    // Puts dir first (once), keeps the newest kRecentDirCount, in one replacement of the file.
    void addRecentDir(const std::string& dir);

    const ReadingOptions& readingOptions() const { return reading_; }
    void setReadingOptions(const ReadingOptions& options);
    // The statistics panel's height in pixels as the user last dragged it ([Reading]
    // StatisticsHeight); 0 until then.
    int statisticsHeight() const { return statisticsHeight_; }
    void setStatisticsHeight(int height);

    IniFile& file() { return file_; }
    const IniFile& file() const { return file_; }

    ~AppSettings();

private:
    explicit AppSettings(std::string path);
    void load();
    [[noreturn]] static void fail();

    IniFile file_;
    bool open_ = false;
    bool refusedNotice_ = false;
    std::string excelPath_;
    int language_ = 0;
    std::string lastUsedDir_;
    ChildDefaults child_;
    ReadingOptions reading_;
    int statisticsHeight_ = 0;

    static std::unique_ptr<AppSettings> instance_;
};

} // namespace korvex
