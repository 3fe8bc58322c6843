#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace korvex {

// The lines of a log file held in memory, without copying them. A line ends with CR LF, a lone
// CR or a lone LF; a final line break does not start another line.
class LogLines {
public:
    class Cursor {
    public:
        Cursor(const char* begin, const char* end) : p_(begin), end_(end) {}

        bool next(std::string_view& line)
        {
            if (p_ >= end_)
                return false;
            if (!searched_ || lf_ < p_)
                lf_ = find(p_, '\n');
            if (!searched_ || cr_ < p_)
                cr_ = find(p_, '\r');
            searched_ = true;
            const char* stop = lf_ < cr_ ? lf_ : cr_;
            line = std::string_view(p_, static_cast<std::size_t>(stop - p_));
            if (stop == end_)
                p_ = end_;
            else if (*stop == '\r' && stop + 1 < end_ && stop[1] == '\n')
                p_ = stop + 2;
            else
                p_ = stop + 1;
            return true;
        }

        const char* position() const { return p_; }

    private:
        // Each search result is kept until the cursor passes it: a file with only CR line ends
        // is not searched to its end for a LF on every line.
        const char* find(const char* from, char c) const
        {
            const void* hit = std::memchr(from, c, static_cast<std::size_t>(end_ - from));
            return hit ? static_cast<const char*>(hit) : end_;
        }

        const char* p_;
        const char* end_;
        const char* lf_ = nullptr;
        const char* cr_ = nullptr;
        bool searched_ = false;
    };

    explicit LogLines(std::string_view bytes)
        : begin_(bytes.data()), end_(bytes.data() + bytes.size())
    {}

    // Skips leading empty lines; the first non-empty line is the header. Counts the data lines
    // after it. False when there is no non-empty line.
    bool findHeader(std::string_view& header)
    {
        Cursor cursor(begin_, end_);
        std::string_view line;
        while (cursor.next(line)) {
            if (!line.empty()) {
                header = line;
                data_ = cursor.position();
                count_ = 0;
                Cursor rest(data_, end_);
                while (rest.next(line))
                    ++count_;
                return true;
            }
        }
        return false;
    }

    std::size_t dataLineCount() const { return count_; }
    Cursor dataLines() const { return Cursor(data_, end_); }

private:
    const char* begin_;
    const char* end_;
    const char* data_ = nullptr;
    std::size_t count_ = 0;
};

} // namespace korvex
