#pragma once

// The devices an analysis hands the function check: each loaded device with its roles and
// thresholds (stored in the settings file, else the defaults) and the days whose file failed.
// The analysis window and korvex-report build them alike.

#include "core/check/FunctionCheck.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace korvex {

class AppSettings;

// sets and numbers are parallel (an empty slot: a device whose every file failed, left out);
// failedPaths are the files the load could not read; only, when given, keeps that index alone.
// Without settings every device gets its default roles and thresholds.
std::vector<CheckDevice> CheckDevicesOf(const std::vector<std::unique_ptr<AnalysisDataSet>>& sets,
                                        const std::vector<std::string>& numbers,
                                        const std::vector<std::string>& failedPaths,
                                        const AppSettings* settings,
                                        std::optional<std::size_t> only = std::nullopt);

} // namespace korvex
