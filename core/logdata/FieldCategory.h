#pragma once

#include <cstdint>

namespace korvex {

// Fields of a device are ordered by category; one field index addresses every per-field list.
enum class FieldCategory : std::uint8_t {
    Inputs = 0,  // temperatures
    Others = 1,  // flow, power, energy, pressure, irradiance and all derived sums
    Outputs = 2, // controller outputs in percent
};

// Colours are 0x00BBGGRR: red in the low byte, as the settings file stores them.
using Colour = std::uint32_t;

} // namespace korvex
