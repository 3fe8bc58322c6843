#include "core/services/AppSettings.h"

#include "core/services/BuildInfo.h"
#include "core/services/Errors.h"
#include "core/services/TextCatalogue.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace korvex {

namespace {

constexpr const char* kMain = "Main";
constexpr const char* kChild = "Child";
constexpr const char* kRecentDirs = "RecentDirs";
constexpr const char* kReading = "Reading";

std::string GraphSection(int deviceNumber, GraphList list = GraphList::Device)
{
    return (list == GraphList::Overview ? "Overview:" : "Graphs:") + std::to_string(deviceNumber);
}

std::string RecentDirKey(int i)
{
    return "Dir" + std::to_string(i + 1);
}

[[noreturn]] void SettingsError()
{
    throw SettingsFileError(Text(TextId::SettingsFileAccessFailed));
}

bool IsDirectory(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// One level; an existing folder is fine, anything else in the way is not.
bool MakeDirectory(const std::string& path)
{
    if (::mkdir(path.c_str(), 0700) == 0)
        return true;
    return errno == EEXIST && IsDirectory(path);
}

bool MakeDirectories(const std::string& path)
{
    if (IsDirectory(path))
        return true;
    for (std::size_t pos = path.find('/', 1); pos != std::string::npos;
         pos = path.find('/', pos + 1)) {
        const std::string part = path.substr(0, pos);
        if (!IsDirectory(part) && !MakeDirectory(part))
            return false;
    }
    return MakeDirectory(path);
}

std::string WithoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// Relative values are ignored, as the XDG rules ask.
std::string AbsoluteEnv(const char* name)
{
    const char* v = std::getenv(name);
    if (!v || v[0] != '/')
        return {};
    return v;
}

int ReadInt32(const IniFile& file, const char* section, const char* key, int defaultValue)
{
    const long long v = file.readInteger(section, key, defaultValue);
    return v < INT_MIN || v > INT_MAX ? defaultValue : static_cast<int>(v);
}

} // namespace

std::unique_ptr<AppSettings> AppSettings::instance_;

std::string ProgramDirectory()
{
    std::string buf(PATH_MAX, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
    if (n > 0) {
        buf.resize(static_cast<std::size_t>(n));
        const std::size_t slash = buf.rfind('/');
        if (slash != std::string::npos)
            return buf.substr(0, slash + 1);
    }
    char* cwd = ::getcwd(nullptr, 0);
    std::string dir = cwd ? cwd : "/";
    std::free(cwd);
    if (dir.back() != '/')
        dir += '/';
    return dir;
}

std::string InstalledSamplesDirectory(const std::string& programDirectory)
{
    if (programDirectory.empty())
        return {};
    const std::filesystem::path samples =
        (std::filesystem::path(programDirectory) / SamplesFromProgramDirectory())
            .lexically_normal();
    std::string dir = samples.string();
    if (!IsDirectory(dir))
        return {};
    if (dir.back() != '/')
        dir += '/';
    return dir;
}

std::string DefaultLogDirectory()
{
    const std::string program = ProgramDirectory();
    const std::string samples = InstalledSamplesDirectory(program);
    return samples.empty() ? program : samples;
}

std::string ResolveSettingsPath()
{
    std::string base = AbsoluteEnv("XDG_CONFIG_HOME");
    if (base.empty()) {
        const std::string home = AbsoluteEnv("HOME");
        if (home.empty())
            SettingsError();
        base = WithoutTrailingSlashes(home) + "/.config";
    }
    base = WithoutTrailingSlashes(base);
    if (!MakeDirectories(base))
        SettingsError();
    const std::string folder = (base == "/" ? std::string() : base) + "/Halvo";
    if (!MakeDirectory(folder))
        SettingsError();
    return folder + "/Korvex.ini";
}

AppSettings::AppSettings(std::string path) : file_(std::move(path)) {}

AppSettings::~AppSettings() = default;

void AppSettings::fail()
{
    SettingsError();
}

AppSettings& AppSettings::Get()
{
    if (instance_)
        return *instance_;
    std::unique_ptr<AppSettings> created;
    try {
        created.reset(new AppSettings(ResolveSettingsPath()));
        created->load();
    } catch (...) {
        fail();
    }
    instance_ = std::move(created);
    if (instance_->refusedNotice_) {
        // Said once; afterwards the object runs with its defaults and writes nothing.
        instance_->refusedNotice_ = false;
        fail();
    }
    return *instance_;
}

AppSettings* AppSettings::Instance()
{
    return instance_.get();
}

void AppSettings::Release()
{
    instance_.reset();
}

void AppSettings::load()
{
    // A file that exists but cannot be read counts as a file that cannot be opened. One too
    // large to read is left alone: replacing it would lose whatever the user keeps in it.
    if (!file_.reload()) {
        if (!file_.tooLarge())
            fail();
        refusedNotice_ = true;
        lastUsedDir_ = ProgramDirectory();
        return;
    }
    open_ = true;
    excelPath_ = file_.readString(kMain, "ExcelPath", "");
    lastUsedDir_ = file_.readString(kMain, "LastUsedDir", DefaultLogDirectory());
    // The range is checked on the whole number: narrowing to 8 bits first would turn e.g.
    // 260 into a valid language.
    const long long language = file_.readInteger(kMain, "Language", 0);
    language_ = language < 0 || language > 7 ? 0 : static_cast<int>(language);
    child_.axisMin = ReadInt32(file_, kChild, "AxisMin", -10);
    child_.axisMax = ReadInt32(file_, kChild, "AxisMax", 120);
    child_.printTitle = file_.readString(kChild, "PrintTitle", "");
    child_.dynamicScaling = file_.readBool(kChild, "DynamicScaling", true);
    child_.headerWidth0 = ReadInt32(file_, kChild, "HeaderWidth0", 130);
    child_.headerWidth1 = ReadInt32(file_, kChild, "HeaderWidth1", 36);
    child_.headerWidth2 = ReadInt32(file_, kChild, "HeaderWidth2", 36);
    reading_.readout = file_.readBool(kReading, "Readout", true);
    reading_.statistics = file_.readBool(kReading, "Statistics", false);
    reading_.functionCheck = file_.readBool(kReading, "FunctionCheck", false);
    // A hand-edited height beyond any screen is no height.
    const long long height = file_.readInteger(kReading, "StatisticsHeight", 0);
    statisticsHeight_ = height < 0 || height > 10000 ? 0 : static_cast<int>(height);
}

void AppSettings::setExcelPath(const std::string& path)
{
    excelPath_ = path;
    if (open_ && !file_.writeString(kMain, "ExcelPath", path))
        fail();
}

void AppSettings::setLanguageAndLastDir(int language, const std::string& lastUsedDir)
{
    language_ = language;
    lastUsedDir_ = lastUsedDir;
    if (!open_)
        return;
    if (!file_.beginUpdate())
        fail();
    const bool written = file_.writeInteger(kMain, "Language", language) &&
                         file_.writeString(kMain, "LastUsedDir", lastUsedDir);
    if (!file_.endUpdate() || !written)
        fail();
}

void AppSettings::setChildDefaults(const ChildDefaults& values)
{
    child_ = values;
    if (!open_)
        return;
    // One replacement of the file for the whole group: a failure leaves the file as it was.
    if (!file_.beginUpdate())
        fail();
    const bool written = file_.writeInteger(kChild, "AxisMin", values.axisMin) &&
                         file_.writeInteger(kChild, "AxisMax", values.axisMax) &&
                         file_.writeString(kChild, "PrintTitle", values.printTitle) &&
                         file_.writeBool(kChild, "DynamicScaling", values.dynamicScaling) &&
                         file_.writeInteger(kChild, "HeaderWidth0", values.headerWidth0) &&
                         file_.writeInteger(kChild, "HeaderWidth1", values.headerWidth1) &&
                         file_.writeInteger(kChild, "HeaderWidth2", values.headerWidth2);
    if (!file_.endUpdate() || !written)
        fail();
}

std::string AppSettings::readLabel(int deviceNumber, const std::string& settingsKey,
                                   const std::string& defaultLabel) const
{
    return file_.readString("Labels:" + std::to_string(deviceNumber), settingsKey, defaultLabel);
}

std::uint32_t AppSettings::readColor(int deviceNumber, const std::string& settingsKey,
                                     std::uint32_t defaultColor) const
{
    const long long v =
        file_.readInteger("Colors:" + std::to_string(deviceNumber), settingsKey, defaultColor);
    // Stored as a 32-bit integer, signed or not.
    if (v < INT_MIN || v > static_cast<long long>(UINT32_MAX))
        return defaultColor;
    return static_cast<std::uint32_t>(v);
}

std::optional<std::string> AppSettings::readValue(std::string_view section,
                                                 std::string_view key) const
{
    return file_.readValue(section, key);
}

bool AppSettings::sectionExists(std::string_view section) const
{
    return file_.sectionExists(section);
}

bool AppSettings::hasGraphChoice(int deviceNumber, GraphList list) const
{
    return file_.sectionExists(GraphSection(deviceNumber, list));
}

std::optional<bool> AppSettings::readGraphShown(int deviceNumber, const std::string& settingsKey,
                                                GraphList list) const
{
    const std::string section = GraphSection(deviceNumber, list);
    if (!file_.valueExists(section, settingsKey))
        return std::nullopt;
    return file_.readBool(section, settingsKey, false);
}

void AppSettings::writeGraphChoice(int deviceNumber, const GraphChoice& choice, GraphList list)
{
    if (!open_)
        return;
    const std::string section = GraphSection(deviceNumber, list);
    if (!file_.beginUpdate())
        fail();
    bool written = true;
    for (const auto& [key, shown] : choice)
        written = written && file_.writeBool(section, key, shown);
    if (!file_.endUpdate() || !written)
        fail();
}

std::vector<std::string> AppSettings::recentDirs(bool existingOnly) const
{
    std::vector<std::string> dirs;
    for (int i = 0; i < kRecentDirCount; ++i) {
        const std::string dir = file_.readString(kRecentDirs, RecentDirKey(i), "");
        if (dir.empty() || std::find(dirs.begin(), dirs.end(), dir) != dirs.end())
            continue;
        if (!existingOnly || IsDirectory(dir))
            dirs.push_back(dir);
    }
    return dirs;
}

void AppSettings::addRecentDir(const std::string& dir)
{
    if (dir.empty())
        return;
    std::vector<std::string> dirs = recentDirs(false);
    dirs.erase(std::remove(dirs.begin(), dirs.end(), dir), dirs.end());
    dirs.insert(dirs.begin(), dir);
    if (!open_)
        return;
    if (!file_.beginUpdate())
        fail();
    bool written = true;
    for (int i = 0; i < kRecentDirCount; ++i) {
        const std::string value = i < static_cast<int>(dirs.size()) ? dirs[i] : "";
        written = written && file_.writeString(kRecentDirs, RecentDirKey(i), value);
    }
    if (!file_.endUpdate() || !written)
        fail();
}

void AppSettings::setReadingOptions(const ReadingOptions& options)
{
    reading_ = options;
    if (!open_)
        return;
    if (!file_.beginUpdate())
        fail();
    const bool written = file_.writeBool(kReading, "Readout", options.readout) &&
                         file_.writeBool(kReading, "Statistics", options.statistics) &&
                         file_.writeBool(kReading, "FunctionCheck", options.functionCheck);
    if (!file_.endUpdate() || !written)
        fail();
}

void AppSettings::setStatisticsHeight(int height)
{
    statisticsHeight_ = height;
    if (!open_)
        return;
    if (!file_.beginUpdate())
        fail();
    const bool written = file_.writeInteger(kReading, "StatisticsHeight", height);
    if (!file_.endUpdate() || !written)
        fail();
}

} // namespace korvex
