#pragma once

// Facts CMake knows about the build: the project's version is written only there.
namespace korvex {

// "2.03"
const char* ProgramVersion();

// The application id shared by the desktop entry, the icon, the metadata and the running program.
const char* ApplicationId();

// Where the installed programs find the bundled sample logs, relative to their own folder,
// e.g. "../share/korvex/samples".
const char* SamplesFromProgramDirectory();

} // namespace korvex
