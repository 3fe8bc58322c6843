#include "core/logdata/AnalysisDataSet.h"

#include "core/logdata/CustomSeries.h"
#include "core/logdata/DeviceNames.h"
#include "core/logdata/LogFileReader.h"
#include "core/services/AppSettings.h"
#include "core/services/Errors.h"
#include "core/services/TextCatalogue.h"

#include <cmath>
#include <cstdio>
#include <new>

namespace korvex {

namespace {

const std::string& EmptyText()
{
    static const std::string empty;
    return empty;
}

std::string DayText(const DayBlock& block)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04u%02u%02u", static_cast<unsigned>(block.year) % 10000u,
                  static_cast<unsigned>(block.month) % 100u,
                  static_cast<unsigned>(block.dayOfMonth) % 100u);
    return text;
}

} // namespace

DayBlock DayBlock::ForDay(DayTime day)
{
    DayBlock block;
    block.day = std::floor(day);
    block.lastTime = block.day;
    int year = 0, month = 0, dayOfMonth = 0;
    DecodeDate(block.day, year, month, dayOfMonth);
    block.year = static_cast<std::uint16_t>(year);
    block.month = static_cast<std::uint8_t>(month);
    block.dayOfMonth = static_cast<std::uint8_t>(dayOfMonth);
    return block;
}

AnalysisDataSet::AnalysisDataSet(DayTime rangeStart, DayTime rangeEnd, ChartHost* mainChart,
                                 ChartHost* outputsChart)
    : mainChart_(mainChart), outputsChart_(outputsChart), rangeEnd_(rangeEnd),
      rangeStart_(rangeStart)
{}

AnalysisDataSet::~AnalysisDataSet()
{
    detachFromCharts();
}

void AnalysisDataSet::load(const std::string& path)
{
    LogFileReader reader;
    reader.load(*this, path);
}

void AnalysisDataSet::load(const ParsedLogFile& file)
{
    LogFileReader reader;
    reader.loadParsed(*this, file);
}

void AnalysisDataSet::insertSlot(int index, FieldCategory category, bool isSum)
{
    if (index < 0 || index > slotCount())
        throw KorvexError(Text(TextId::DataStructureIndexError));
    try {
        FieldSlot slot;
        slot.category = category;
        slot.chart = chartFor(category);
        slot.series = MakeFieldSeries(category, isSum, slot.chart);
        slots_.insert(slots_.begin() + index, std::move(slot));
        if (!selection_.empty())
            selection_.insert(selection_.begin() + index, 0);
    } catch (const std::bad_alloc&) {
        throw KorvexError(Text(TextId::DataStructureNoMemory));
    }
}

void AnalysisDataSet::insertUnit(int index, const std::string& unit)
{
    if (index < 0 || index > static_cast<int>(units_.size()))
        throw KorvexError(Text(TextId::DataStructureIndexError));
    units_.insert(units_.begin() + index, unit);
}

void AnalysisDataSet::setUnit(int i, const std::string& unit)
{
    if (i >= 0 && i < static_cast<int>(units_.size()))
        units_[static_cast<std::size_t>(i)] = unit;
}

void AnalysisDataSet::createDeviceSettings(int number, const std::string& name, bool standardName)
{
    settings_ = std::make_unique<DeviceSettings>(number, name, standardName);
    // What "save for future analyses" stored for this device comes back with it. A settings file
    // that cannot be opened is reported by the first field registration, not here.
    try {
        LoadDeviceStyle(AppSettings::Get(), *settings_);
    } catch (const SettingsFileError&) {
    }
}

void AnalysisDataSet::appendDayBlock(const DayBlock& block)
{
    blocks_.push_back(block);
}

void AnalysisDataSet::appendFileName(const std::string& path)
{
    fileNames_.push_back(path);
    ++fileCount_;
}

void AnalysisDataSet::shrinkToFit()
{
    // A series sized from the period's expected points has little to spare: trimming it would
    // copy every point once more for capacity that was never written and takes no memory. Fields
    // that log on change miss the guess by up to a fifth; a year of them took a millisecond more.
    for (FieldSlot& slot : slots_) {
        if (slot.series &&
            slot.series->capacity() - static_cast<std::size_t>(slot.series->count()) >
                slot.series->capacity() / 4)
            slot.series->shrinkToFit();
    }
}

bool AnalysisDataSet::shownOrRemembered(int i) const
{
    if (i < 0 || i >= slotCount())
        return false;
    return slot(i).shown || slot(i).remembered;
}

bool AnalysisDataSet::shown(int i) const
{
    return i >= 0 && i < slotCount() && slot(i).shown;
}

bool AnalysisDataSet::available(int i) const
{
    return hasData() && i >= 0 && i < slotCount() && slot(i).available;
}

bool AnalysisDataSet::selected(int i) const
{
    return i >= 0 && i < static_cast<int>(selection_.size()) &&
           selection_[static_cast<std::size_t>(i)] != 0;
}

void AnalysisDataSet::addErrRuns(const std::string& key, const ErrRuns& runs)
{
    if (!runs.empty()) {
        ErrRuns& all = errRuns_[key];
        all.insert(all.end(), runs.begin(), runs.end());
    }
}

const AnalysisDataSet::ErrRuns& AnalysisDataSet::errRuns(const std::string& key) const
{
    static const ErrRuns kNone;
    const auto it = errRuns_.find(key);
    return it == errRuns_.end() ? kNone : it->second;
}

void AnalysisDataSet::select(int i, bool on)
{
    if (i >= 0 && i < static_cast<int>(selection_.size()))
        selection_[static_cast<std::size_t>(i)] = on ? 1 : 0;
}

const std::string& AnalysisDataSet::unit(int i) const
{
    if (i < 0 || i >= static_cast<int>(units_.size()))
        return EmptyText();
    return units_[static_cast<std::size_t>(i)];
}

std::string AnalysisDataSet::fileNameAt(DayTime t) const
{
    if (fileNames_.empty() || blocks_.empty())
        return std::string();
    if (t <= rangeStart_)
        return fileNames_.front();
    if (t >= rangeEnd_)
        return fileNames_.back();
    const double whole = std::floor(t);
    const std::size_t n = std::min(blocks_.size(), fileNames_.size());
    for (std::size_t k = 0; k < n; ++k) {
        const DayBlock& f = blocks_[k];
        if (f.day < whole)
            continue;
        if (k == 0)
            return fileNames_[0];
        const DayBlock& p = blocks_[k - 1];
        if (t - p.day < std::trunc(f.day - t))
            return fileNames_[k - 1];
        return fileNames_[k];
    }
    return fileNames_.back();
}

void AnalysisDataSet::addDaysTo(DayTextList& list) const
{
    for (const DayBlock& block : blocks_)
        list.emplace(DayText(block), static_cast<int>(block.day));
}

void AnalysisDataSet::collectUnits(bool selectedOnly, std::vector<std::string>& list,
                                   FieldCategory category) const
{
    for (int i = 0; i < slotCount(); ++i) {
        if (slot(i).category != category || !slot(i).shown)
            continue;
        if (selectedOnly && !selected(i))
            continue;
        list.push_back(unit(i));
    }
}

Series* AnalysisDataSet::series(int i) const
{
    if (i < 0 || i >= slotCount())
        return nullptr;
    return slot(i).series.get();
}

ChartHost* AnalysisDataSet::chartFor(FieldCategory category) const
{
    return category == FieldCategory::Outputs ? outputsChart_ : mainChart_;
}

std::size_t AnalysisDataSet::memoryBytes() const
{
    std::size_t bytes = sizeof(*this) + selection_.capacity() +
                        blocks_.capacity() * sizeof(DayBlock) +
                        slots_.capacity() * sizeof(FieldSlot);
    for (const std::string& s : units_)
        bytes += sizeof(std::string) + s.capacity();
    for (const std::string& s : fileNames_)
        bytes += sizeof(std::string) + s.capacity();
    for (const FieldSlot& slot : slots_) {
        if (slot.series)
            bytes += slot.series->memoryBytes();
    }
    if (settings_)
        bytes += sizeof(DeviceSettings) +
                 static_cast<std::size_t>(settings_->fieldCount()) * 4 * sizeof(std::string);
    return bytes;
}

std::size_t AnalysisDataSet::pointCount() const
{
    std::size_t n = 0;
    for (const FieldSlot& slot : slots_) {
        if (slot.series)
            n += static_cast<std::size_t>(slot.series->count());
    }
    return n;
}

void AnalysisDataSet::setOthersAxis(VerticalAxis axis)
{
    for (FieldSlot& slot : slots_) {
        if (slot.category != FieldCategory::Others || !slot.series)
            continue;
        slot.series->setAxis(axis);
        if (slot.chart)
            slot.chart->attachToAxis(*slot.series, axis);
    }
}

void AnalysisDataSet::updateAvailability()
{
    for (int i = 0; i < slotCount(); ++i) {
        FieldSlot& s = slot(i);
        if (!s.series)
            continue;
        const bool derived = settings_ && i < settings_->fieldCount() && settings_->derived(i);
        s.available = s.series->count() > 0 && !derived;
    }
}

void AnalysisDataSet::detachFromCharts()
{
    for (FieldSlot& slot : slots_) {
        if (slot.shown && slot.series && slot.chart)
            slot.chart->removeSeries(*slot.series);
    }
}

void AnalysisDataSet::forgetCharts()
{
    mainChart_ = nullptr;
    outputsChart_ = nullptr;
    for (FieldSlot& slot : slots_) {
        slot.chart = nullptr;
        for (Series* s = slot.series.get(); s; s = s->source())
            s->setChart(nullptr);
    }
}

int DataSetIndexForFile(const std::vector<std::string>& deviceTexts, const std::string& path)
{
    const std::string text = DeviceNumberText(path);
    for (std::size_t i = 0; i < deviceTexts.size(); ++i) {
        if (deviceTexts[i] == text)
            return static_cast<int>(i);
    }
    throw KorvexError(Text(TextId::LogFileNotAssigned) + "\n(" + path + ")");
}

std::vector<std::pair<std::string, int>>
CollectAnalysisDays(const std::vector<const AnalysisDataSet*>& sets)
{
    DayTextList days;
    for (const AnalysisDataSet* set : sets) {
        if (set)
            set->addDaysTo(days);
    }
    if (days.empty())
        throw KorvexError(Text(TextId::NoFileToOpen));
    return {days.begin(), days.end()};
}

} // namespace korvex
