#include "tools/report/ProgressBar.h"

#include "tools/report/ReportMessages.h"

#include <charconv>
#include <string>

namespace korvex::report {

void ProgressBar::Update(std::size_t done, std::size_t total, std::uintmax_t bytes)
{
    done_ = done;
    total_ = total;
    bytes_ = bytes;
    // Redrawing costs a write per call; ten times a second is enough for the eye.
    const Clock::time_point now = Clock::now();
    if (drawn_ && done < total && now - lastDraw_ < std::chrono::milliseconds(100))
        return;
    lastDraw_ = now;
    Draw();
}

void ProgressBar::Finish()
{
    if (!drawn_)
        return;
    Draw();
    std::fputc('\n', out_);
    std::fflush(out_);
}

void ProgressBar::Draw()
{
    constexpr int kWidth = 30;
    const double fraction = total_ ? static_cast<double>(done_) / static_cast<double>(total_) : 1.0;
    const int filled = static_cast<int>(fraction * kWidth);
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(kWidth - filled), '-');
    const double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
    const double rate = seconds > 0 ? static_cast<double>(bytes_) / 1e6 / seconds : 0.0;
    char rateText[32];
    const auto printed =
        std::to_chars(rateText, rateText + sizeof rateText - 1, rate, std::chars_format::fixed, 1);
    *(printed.ec == std::errc() ? printed.ptr : rateText) = '\0';
    const std::string files =
        Message("%1/%2 files", {std::to_string(done_), std::to_string(total_)});
    std::fprintf(out_, "\r[%s] %s  %s MB/s ", bar.c_str(), files.c_str(), rateText);
    std::fflush(out_);
    drawn_ = true;
}

} // namespace korvex::report
