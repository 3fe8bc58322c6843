#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>

namespace korvex::report {

// One line on a terminal, redrawn in place: bar, files done / total, read speed.
class ProgressBar {
public:
    explicit ProgressBar(std::FILE* out) : out_(out), start_(Clock::now()) {}

    void Update(std::size_t done, std::size_t total, std::uintmax_t bytes);
    // Draws the final state and ends the line.
    void Finish();

private:
    using Clock = std::chrono::steady_clock;
    void Draw();

    std::FILE* out_;
    Clock::time_point start_;
    Clock::time_point lastDraw_{};
    std::size_t done_ = 0, total_ = 0;
    std::uintmax_t bytes_ = 0;
    bool drawn_ = false;
};

} // namespace korvex::report
