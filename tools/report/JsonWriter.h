#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvex::report {

// A small streaming JSON writer: commas and nesting are tracked, strings escaped.
class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view key);

    JsonWriter& String(std::string_view text);
    JsonWriter& Int(long long value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();
    // Shortest text that reads back to the same double; null for NaN and infinities.
    JsonWriter& Number(double value);
    // Fixed decimals, trailing zeros dropped (at least one decimal kept when keepDecimal).
    JsonWriter& Fixed(double value, int decimals, bool keepDecimal);

    const std::string& str() const { return out_; }
    std::string take() { return std::move(out_); }

    // JSON string literal of UTF-8 text; invalid bytes become U+FFFD.
    static std::string Quote(std::string_view text);

private:
    void Separate();

    std::string out_;
    // Per open container: whether it has members yet.
    std::vector<bool> hasMembers_;
    bool afterKey_ = false;
};

} // namespace korvex::report
