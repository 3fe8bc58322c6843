#include "core/logdata/DeviceSettings.h"

#include "core/logdata/DeviceNames.h"
#include "core/logdata/FieldKeys.h"
#include "core/services/AppSettings.h"
#include "core/services/Errors.h"
#include "core/services/TextCatalogue.h"

namespace korvex {

namespace {} // namespace

const std::array<Colour, DeviceSettings::kPaletteSize>& DeviceSettings::Palette()
{
    static const std::array<Colour, kPaletteSize> palette = {
        0x0000FF, 0xFF0000, 0x00ECFF, 0x008000, 0x9B9B9B, 0x0A5E76, 0x000000,
        0xFF8000, 0x40FF00, 0x800080, 0xFF00FF, 0x808040, 0x000080, 0x32324E,
        0xFFFF00, 0x5FA55A, 0x626262, 0x7D9F1E, 0x00FFFF, 0x1AE6A8,
    };
    return palette;
}

Colour DeviceSettings::DefaultColour(int n)
{
    const int i = ((n % kPaletteSize) + kPaletteSize) % kPaletteSize;
    return Palette()[static_cast<std::size_t>(i)];
}

DeviceSettings::DeviceSettings(int number, std::string name, bool standardName)
    : number_(number), name_(std::move(name)), standardName_(standardName)
{}

DeviceSettings::~DeviceSettings() = default;

DeviceSettings::DeviceSettings(const DeviceSettings& other)
    : number_(other.number_), name_(other.name_), standardName_(other.standardName_),
      fields_(other.fields_), lookup_(other.lookup_), inputs_(other.inputs_),
      others_(other.others_), outputs_(other.outputs_), lineWidth_(other.lineWidth_),
      othersAsBars_(other.othersAsBars_), outputsAsBars_(other.outputsAsBars_)
{}

DeviceSettings& DeviceSettings::operator=(const DeviceSettings& other)
{
    copyFrom(other);
    return *this;
}

const std::string& DeviceSettings::displayName()
{
    if (standardName_ && number_ >= 0)
        name_ = StandardDisplayName(number_);
    return name_;
}

const DeviceSettings::Field& DeviceSettings::at(int i) const
{
    if (i < 0 || i >= fieldCount())
        throw KorvexError(Text(TextId::DeviceSettingOutOfRange));
    return fields_[static_cast<std::size_t>(i)];
}

DeviceSettings::Field& DeviceSettings::at(int i)
{
    if (i < 0 || i >= fieldCount())
        throw KorvexError(Text(TextId::DeviceSettingOutOfRange));
    return fields_[static_cast<std::size_t>(i)];
}

const std::string& DeviceSettings::unit(int i) const
{
    return at(i).unit;
}
const std::string& DeviceSettings::key(int i) const
{
    return at(i).key;
}
const std::string& DeviceSettings::label(int i) const
{
    return at(i).label;
}

std::string DeviceSettings::settingsKey(int i) const
{
    const Field& f = at(i);
    return f.key + f.unit;
}

void DeviceSettings::setLabel(int i, const std::string& text)
{
    at(i).label = text;
}
Colour DeviceSettings::colour(int i) const
{
    return at(i).colour;
}
void DeviceSettings::setColour(int i, Colour c)
{
    at(i).colour = c;
}
bool DeviceSettings::derived(int i) const
{
    return at(i).derived;
}
void DeviceSettings::setDerived(int i, bool on)
{
    at(i).derived = on;
}

FieldCategory DeviceSettings::category(int i) const
{
    at(i);
    if (i < inputs_)
        return FieldCategory::Inputs;
    if (i < inputs_ + others_)
        return FieldCategory::Others;
    return FieldCategory::Outputs;
}

int DeviceSettings::count(FieldCategory category) const
{
    switch (category) {
        case FieldCategory::Inputs:
            return inputs_;
        case FieldCategory::Others:
            return inputs_ + others_;
        case FieldCategory::Outputs:
        default:
            return fieldCount();
    }
}

int DeviceSettings::find(std::string_view name) const
{
    const auto hit = lookup_.find(std::string(name));
    return hit == lookup_.end() ? -1 : hit->second;
}

int DeviceSettings::registerField(const std::string& name, const std::string& unit,
                                  FieldCategory category)
{
    const int existing = find(name);
    if (existing >= 0)
        return existing;
    // Throws the settings-file error before anything is inserted.
    const AppSettings& settings = AppSettings::Get();
    return registerField(name, unit, category, &settings);
}

int DeviceSettings::registerField(const std::string& name, const std::string& unit,
                                  FieldCategory category, const AppSettings* settings)
{
    const int existing = find(name);
    if (existing >= 0)
        return existing;
    const int index = count(category);
    const int before = category == FieldCategory::Outputs ? outputs_ : inputs_ + others_;
    Field field;
    field.key = name;
    field.unit = unit;
    field.colour = DefaultColour(before);
    field.label = name;
    if (settings && settings->isOpen()) {
        const std::string settingsKey = name + unit;
        field.colour = settings->readColor(number_, settingsKey, field.colour);
        field.label = settings->readLabel(number_, settingsKey, name);
    }
    fields_.insert(fields_.begin() + index, std::move(field));
    if (index + 1 < fieldCount()) {
        for (auto& entry : lookup_) {
            if (entry.second >= index)
                ++entry.second;
        }
    }
    lookup_[name] = index;
    switch (category) {
        case FieldCategory::Inputs:
            ++inputs_;
            break;
        case FieldCategory::Others:
            ++others_;
            break;
        case FieldCategory::Outputs:
        default:
            ++outputs_;
            break;
    }
    return index;
}

void DeviceSettings::copyFrom(const DeviceSettings& other)
{
    if (&other == this)
        return;
    if (backup_.get() != &other)
        backup_.reset();
    number_ = other.number_;
    name_ = other.name_;
    standardName_ = other.standardName_;
    inputs_ = other.inputs_;
    others_ = other.others_;
    outputs_ = other.outputs_;
    lineWidth_ = other.lineWidth_;
    othersAsBars_ = other.othersAsBars_;
    outputsAsBars_ = other.outputsAsBars_;
    fields_ = other.fields_;
    lookup_ = other.lookup_;
}

void DeviceSettings::makeBackup()
{
    if (!backup_)
        backup_ = std::make_unique<DeviceSettings>(*this);
    else
        backup_->copyFrom(*this);
}

void DeviceSettings::restoreBackup()
{
    if (!backup_)
        return;
    std::unique_ptr<DeviceSettings> saved = std::move(backup_);
    copyFrom(*saved);
}

void DeviceSettings::discardBackup()
{
    backup_.reset();
}

void DeviceSettings::translateSumLabels()
{
    for (int i = inputs_; i < inputs_ + others_; ++i) {
        Field& f = fields_[static_cast<std::size_t>(i)];
        if (f.key.size() <= 3)
            continue;
        if (!IsDaySumKey(f.key) && !IsMonthSumKey(f.key))
            continue;
        const std::size_t cut = f.label.find(" (");
        const std::string head = f.label.substr(0, cut);
        const std::string rest = cut == std::string::npos ? std::string() : f.label.substr(cut);
        if (MatchesAnyLanguage(head, TextId::SumOfFlowRate))
            f.label = Text(TextId::SumOfFlowRate) + rest;
        else if (MatchesAnyLanguage(head, TextId::SumOfEnergy))
            f.label = Text(TextId::SumOfEnergy) + rest;
    }
}

} // namespace korvex
