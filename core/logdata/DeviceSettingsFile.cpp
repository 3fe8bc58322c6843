#include "core/logdata/DeviceSettings.h"

#include "core/services/AppSettings.h"
#include "core/services/Errors.h"
#include "core/services/TextCatalogue.h"

#include <string>

namespace korvex {

namespace {

[[noreturn]] void SettingsWriteFailed()
{
    throw SettingsFileError(Text(TextId::SettingsFileAccessFailed));
}

} // namespace

void SaveDeviceSettings(AppSettings& settings, const DeviceSettings& device)
{
    if (!settings.isOpen())
        return;
    IniFile& file = settings.file();
    const std::string n = std::to_string(device.number());
    const std::string dev = "Dev:" + n;
    const std::string labels = "Labels:" + n;
    const std::string colours = "Colors:" + n;

    // One replacement of the file for the whole device: a failure leaves the file as it was.
    if (!file.beginUpdate())
        SettingsWriteFailed();
    bool written = true;
    if (!file.sectionExists("Dev:Default")) {
        written = file.writeInteger("Dev:Default", "LineWidth", device.lineWidth()) &&
                  file.writeBool("Dev:Default", "OthersUseBars", device.othersAsBars()) &&
                  file.writeBool("Dev:Default", "OutputsUseBars", device.outputsAsBars());
    }
    written = written && file.writeInteger(dev, "LineWidth", device.lineWidth()) &&
              file.writeBool(dev, "OthersUseBars", device.othersAsBars()) &&
              file.writeBool(dev, "OutputsUseBars", device.outputsAsBars());
    if (!written) {
        file.endUpdate();
        SettingsWriteFailed();
    }
    for (int i = 0; i < device.fieldCount(); ++i) {
        // A field that cannot be written is skipped; the next one follows.
        const std::string key = device.settingsKey(i);
        const std::string& label = device.label(i);
        const long long colour = device.colour(i);
        if (!file.valueExists("Labels:Default", key)) {
            file.writeString("Labels:Default", key, label);
            file.writeInteger("Colors:Default", key, colour);
        }
        file.writeString(labels, key, label);
        file.writeInteger(colours, key, colour);
    }
    if (!file.endUpdate())
        SettingsWriteFailed();
}

void LoadDeviceStyle(const AppSettings& settings, DeviceSettings& device)
{
    if (!settings.isOpen())
        return;
    const IniFile& file = settings.file();
    const std::string dev = "Dev:" + std::to_string(device.number());
    const long long width = file.readInteger(dev, "LineWidth", device.lineWidth());
    if (width >= 1 && width <= 10)
        device.setLineWidth(static_cast<unsigned>(width));
    device.setOthersAsBars(file.readBool(dev, "OthersUseBars", device.othersAsBars()));
    device.setOutputsAsBars(file.readBool(dev, "OutputsUseBars", device.outputsAsBars()));
}

} // namespace korvex
