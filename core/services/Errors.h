#pragma once

#include <stdexcept>
#include <string>

namespace korvex {

// Every error the program raises for the user: the message is a catalogue text in the current
// language (UTF-8), sometimes followed by line breaks and a file name.
class KorvexError : public std::runtime_error {
public:
    explicit KorvexError(const std::string& message) : std::runtime_error(message) {}
};

// Raised when the settings file cannot be opened or written (text 94).
class SettingsFileError : public KorvexError {
public:
    using KorvexError::KorvexError;
};

} // namespace korvex
