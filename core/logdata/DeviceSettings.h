#pragma once

#include "core/logdata/FieldCategory.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace korvex {

class AppSettings;

// Identity and field catalogue of one bus device within an analysis: per field (in field-index
// order) key name, unit, label, colour and derived flag; per device line width and styles.
// Every operation taking a field index throws KorvexError(Text(TextId::DeviceSettingOutOfRange)) outside 0..fieldCount()-1.
class DeviceSettings {
public:
    static constexpr int kPaletteSize = 20;
    static const std::array<Colour, kPaletteSize>& Palette();
    // Palette entry n mod 20.
    static Colour DefaultColour(int n);

    DeviceSettings(int number, std::string name, bool standardName);
    ~DeviceSettings();
    // A copy of all values, without the other's backup.
    DeviceSettings(const DeviceSettings& other);
    DeviceSettings& operator=(const DeviceSettings& other);

    int number() const { return number_; }
    const std::string& name() const { return name_; }
    bool standardName() const { return standardName_; }
    // With a standard name: the number's standard display name in the current language, which
    // is also stored as the new name. Otherwise the stored name.
    const std::string& displayName();

    int fieldCount() const { return static_cast<int>(fields_.size()); }
    int inputsCount() const { return inputs_; }
    int othersCount() const { return others_; }
    int outputsCount() const { return outputs_; }

    const std::string& unit(int i) const;
    const std::string& key(int i) const;
    const std::string& label(int i) const;
    // Key name followed by unit, as the settings file names the field ("T1[°C]").
    std::string settingsKey(int i) const;
    void setLabel(int i, const std::string& text);
    Colour colour(int i) const;
    void setColour(int i, Colour c);
    bool derived(int i) const;
    void setDerived(int i, bool on);
    FieldCategory category(int i) const;
    // Index after the last field of the category: the insertion position of a new field.
    int count(FieldCategory category) const;
    bool contains(std::string_view name) const { return find(name) >= 0; }
    // Index of the first key equal to name (exact, case-sensitive), or -1.
    int find(std::string_view name) const;

    // Registers a field at the end of its category, reading label and colour of device
    // number() from the settings file (defaults: the name and the palette colour). Nothing
    // happens when the key exists. Returns the field's index. Throws SettingsFileError
    // (text 94) before inserting anything when the settings object cannot be created.
    int registerField(const std::string& name, const std::string& unit, FieldCategory category);
    // The same with an explicit settings object (or none: defaults only); never throws for
    // the settings file.
    int registerField(const std::string& name, const std::string& unit, FieldCategory category,
                      const AppSettings* settings);

    unsigned lineWidth() const { return lineWidth_; }
    // 0 is stored as 1.
    void setLineWidth(unsigned width) { lineWidth_ = width == 0 ? 1 : width; }
    bool othersAsBars() const { return othersAsBars_; }
    void setOthersAsBars(bool on) { othersAsBars_ = on; }
    bool outputsAsBars() const { return outputsAsBars_; }
    void setOutputsAsBars(bool on) { outputsAsBars_ = on; }

    // Copies every value and fresh copies of the field lists; the own backup is discarded.
    void copyFrom(const DeviceSettings& other);
    // Backup for the settings dialog: restore copies it back and discards it; both do nothing
    // without a backup.
    void makeBackup();
    void restoreBackup();
    void discardBackup();
    bool hasBackup() const { return backup_ != nullptr; }

    // After a language switch: labels of day/month sum fields made of text 64 or 65 of any
    // language take the current language's text, keeping the " (...)" rest.
    void translateSumLabels();

private:
    struct Field {
        std::string key;
        std::string unit;
        std::string label;
        Colour colour = 0;
        bool derived = false;
    };
    const Field& at(int i) const;
    Field& at(int i);

    int number_;
    std::string name_;
    bool standardName_;
    std::unique_ptr<DeviceSettings> backup_;
    std::vector<Field> fields_;
    // Key -> index, so that a header of thousands of columns registers in linear time.
    std::unordered_map<std::string, int> lookup_;
    int inputs_ = 0;
    int others_ = 0;
    int outputs_ = 0;
    unsigned lineWidth_ = 2;
    bool othersAsBars_ = true;
    bool outputsAsBars_ = false;
};

// Writes the device's Dev:, Labels: and Colors: sections and their Default variants (written
// once per settings key) into the settings file. Does nothing when the file is not open.
// A failed Dev write raises SettingsFileError(Text(TextId::SettingsFileAccessFailed)); a failed per-field write is skipped.
void SaveDeviceSettings(AppSettings& settings, const DeviceSettings& device);
// Takes the line width and both styles saved in the device's Dev: section, when it has one;
// a missing key or a width outside 1..10 keeps the current value. Dev:Default is not read.
void LoadDeviceStyle(const AppSettings& settings, DeviceSettings& device);

} // namespace korvex
