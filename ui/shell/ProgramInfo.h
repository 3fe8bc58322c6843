#pragma once

#include "core/services/BuildInfo.h"

// Names that stand outside the text catalogue and are never translated.
namespace korvex {

inline constexpr const char* kProgramTitle = "Halvo Korvex 2";
inline const char* const kProgramVersion = ProgramVersion();

// The maker, as the about box shows it.
inline constexpr const char* kMakerName = "Halvo Systems GmbH";
inline constexpr const char* kMakerStreet = "Sonnenwall 17";
inline constexpr const char* kMakerTown = "D-34567 Lindenau";
inline constexpr const char* kMakerMail = "info@halvo.example";
inline constexpr const char* kMakerWeb = "https://www.halvo.example";

} // namespace korvex
