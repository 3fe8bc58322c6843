#include "tools/samplegen/SampleLogs.h"

#include "tools/samplegen/SampleModel.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace korvex {

namespace {

using samplegen::Random;

enum class Kind { Solar, Heating, FreshWater, None };

Kind KindOf(int device)
{
    if (device >= 10 && device <= 20)
        return Kind::Solar;
    if (device >= 21 && device <= 29)
        return Kind::Heating;
    if (device >= 30 && device <= 39)
        return Kind::FreshWater;
    return Kind::None;
}

// Log lines are written by hand: a year of one-minute files is over a hundred megabytes.
class LineWriter {
public:
    explicit LineWriter(std::string& out) : out_(out) {}

    void Text(std::string_view text) { out_.append(text); }
    void Sep() { out_.push_back(';'); }
    void End() { out_.append("\r\n"); }

    void Int(long long value)
    {
        char buf[24];
        const auto res = std::to_chars(buf, buf + sizeof buf, value);
        out_.append(buf, res.ptr);
    }

    void TwoDigits(int value)
    {
        out_.push_back(static_cast<char>('0' + value / 10 % 10));
        out_.push_back(static_cast<char>('0' + value % 10));
    }

    // Fixed decimals with the decimal comma, as the controllers write them.
    void Fixed(double value, int decimals)
    {
        long long scale = 1;
        for (int i = 0; i < decimals; ++i)
            scale *= 10;
        long long units = std::llround(value * static_cast<double>(scale));
        if (units < 0) {
            out_.push_back('-');
            units = -units;
        }
        Int(units / scale);
        if (decimals > 0) {
            out_.push_back(',');
            long long frac = units % scale;
            char digits[20];
            for (int i = decimals - 1; i >= 0; --i) {
                digits[i] = static_cast<char>('0' + frac % 10);
                frac /= 10;
            }
            out_.append(digits, static_cast<std::size_t>(decimals));
        }
    }

private:
    std::string& out_;
};

struct DayFacts {
    int dayNumber;
    int year, month, day, dayOfYear;
};

DayFacts FactsOf(DayTime day)
{
    DayFacts f{};
    f.dayNumber = static_cast<int>(std::floor(day));
    DecodeDate(day, f.year, f.month, f.day);
    if (f.year < 2000 || f.year > 2099)
        throw std::invalid_argument("sample days must lie in the years 2000 to 2099");
    f.dayOfYear = f.dayNumber - static_cast<int>(EncodeDate(f.year, 1, 1)) + 1;
    return f;
}

// A few hours without lines (logger restarted, card full) and rare sensor faults.
struct Faults {
    int gapFrom = -1, gapTo = -1; // minutes without lines
    double errRate = 0;

    Faults(const DayFacts& f, int device, const SampleOptions& options)
    {
        if (!options.faults)
            return;
        Random r(samplegen::MixSeed(options.seed, static_cast<std::uint64_t>(device),
                                    static_cast<std::uint64_t>(f.dayNumber), 2));
        if (r.Uniform() < 0.04) {
            gapFrom = (1 + r.Below(21)) * 60 + r.Below(60);
            gapTo = gapFrom + 60 * (1 + r.Below(3));
        }
        errRate = r.Uniform() < 0.15 ? 0.002 : 0.0;
    }
    bool Skipped(int minute) const { return minute >= gapFrom && minute < gapTo; }
};

class DayWriter {
public:
    DayWriter(std::string& out, const DayFacts& f, bool dayFirst)
        : w_(out), f_(f), dayFirst_(dayFirst)
    {}

    LineWriter& W() { return w_; }

    void Stamp(int minute)
    {
        if (dayFirst_) {
            w_.TwoDigits(f_.day);
            w_.Text(".");
            w_.TwoDigits(f_.month);
            w_.Text(".");
            w_.Int(f_.year);
        } else {
            w_.Int(f_.year);
            w_.Text("-");
            w_.TwoDigits(f_.month);
            w_.Text("-");
            w_.TwoDigits(f_.day);
        }
        w_.Text(" ");
        w_.TwoDigits(minute / 60);
        w_.Text(":");
        w_.TwoDigits(minute % 60);
    }

    // A temperature cell, now and then "Err" when the sensor misreads.
    void Temperature(double value, Random& r, double errRate)
    {
        w_.Sep();
        if (errRate > 0 && r.Uniform() < errRate)
            w_.Text("Err");
        else
            w_.Fixed(value, 1);
    }

private:
    LineWriter w_;
    const DayFacts& f_;
    bool dayFirst_;
};

// "°" as the controllers write it: one Windows-1252 byte.
#define DEG "\xB0"

void WriteSolar(std::string& out, const DayFacts& f, int device, const SampleOptions& o)
{
    samplegen::Weather weather(f.dayNumber, f.dayOfYear, o.seed);
    Random r(samplegen::MixSeed(o.seed, static_cast<std::uint64_t>(device),
                                static_cast<std::uint64_t>(f.dayNumber), 3));
    samplegen::SolarSimulation sim(weather, r);
    const Faults faults(f, device, o);
    // The running total: what an average day yields since the installation, so that it grows
    // from file to file without replaying every earlier day.
    const double days = f.dayNumber - 36526.0;
    const double total = 1200 + days * 9.5 +
                         5 * 365.25 / (2 * 3.14159265) *
                             (1 - std::cos(2 * 3.14159265 * (f.dayOfYear - 80) / 365.25));

    DayWriter dw(out, f, false);
    LineWriter& w = dw.W();
    w.Text("Solar controller;DATE & TIME;T1[" DEG "C];T2[" DEG "C];T3[" DEG "C];T4[" DEG
           "C];V'[l/min];P[W];Qday[kWh];Qsum[kWh];R1[%];R2[%]");
    w.End();
    for (int minute = 0; minute < 1440; ++minute) {
        const samplegen::SolarState& s = sim.Step(minute);
        if (minute % o.intervalMinutes != 0 || faults.Skipped(minute))
            continue;
        w.Text("Solar controller;");
        dw.Stamp(minute);
        dw.Temperature(s.collector, r, faults.errRate);
        dw.Temperature(s.tankBottom, r, faults.errRate);
        dw.Temperature(s.tankTop, r, faults.errRate);
        dw.Temperature(s.outdoor, r, faults.errRate);
        w.Sep();
        w.Fixed(s.flow, 1);
        w.Sep();
        w.Int(static_cast<long long>(s.power));
        w.Sep();
        w.Fixed(s.yieldToday, 2);
        w.Sep();
        w.Fixed(total + s.yieldToday, 0);
        w.Sep();
        w.Int(s.pump);
        w.Sep();
        w.Int(s.backupHeater);
        w.End();
    }
}

void WriteHeating(std::string& out, const DayFacts& f, int device, const SampleOptions& o)
{
    samplegen::Weather weather(f.dayNumber, f.dayOfYear, o.seed);
    Random r(samplegen::MixSeed(o.seed, static_cast<std::uint64_t>(device),
                                static_cast<std::uint64_t>(f.dayNumber), 3));
    samplegen::HeatingSimulation sim(weather, r);
    const Faults faults(f, device, o);

    DayWriter dw(out, f, true);
    LineWriter& w = dw.W();
    w.Text("dd.mm.yy hh:mm;T1[" DEG "C];T2[" DEG "C];T3[" DEG "C];T4[" DEG "C];R1[%];R2[%];R3[%]");
    w.End();
    for (int minute = 0; minute < 1440; ++minute) {
        const samplegen::HeatingState& s = sim.Step(minute);
        if (minute % o.intervalMinutes != 0 || faults.Skipped(minute))
            continue;
        dw.Stamp(minute);
        dw.Temperature(s.outdoor, r, faults.errRate);
        dw.Temperature(s.flowTemp, r, faults.errRate);
        dw.Temperature(s.room, r, faults.errRate);
        dw.Temperature(s.returnTemp, r, faults.errRate);
        w.Sep();
        w.Int(s.pump);
        w.Sep();
        w.Int(s.mixerOpen);
        w.Sep();
        w.Int(s.mixerClose);
        w.End();
    }
}

void WriteFreshWater(std::string& out, const DayFacts& f, int device, const SampleOptions& o)
{
    samplegen::Weather weather(f.dayNumber, f.dayOfYear, o.seed);
    Random r(samplegen::MixSeed(o.seed, static_cast<std::uint64_t>(device),
                                static_cast<std::uint64_t>(f.dayNumber), 3));
    samplegen::FreshWaterSimulation sim(weather, r);
    const Faults faults(f, device, o);

    DayWriter dw(out, f, false);
    LineWriter& w = dw.W();
    w.Text("Fresh water;DATE & TIME;T1[" DEG "C];T2[" DEG "C];T3[" DEG "C];T4[" DEG
           "C];V'[l/min];P[W];R1[%]");
    w.End();
    for (int minute = 0; minute < 1440; ++minute) {
        const samplegen::FreshWaterState& s = sim.Step(minute);
        if (minute % o.intervalMinutes != 0 || faults.Skipped(minute))
            continue;
        w.Text("Fresh water;");
        dw.Stamp(minute);
        dw.Temperature(s.supply, r, faults.errRate);
        dw.Temperature(s.hotOut, r, faults.errRate);
        dw.Temperature(s.coldIn, r, faults.errRate);
        dw.Temperature(s.primaryReturn, r, faults.errRate);
        w.Sep();
        w.Fixed(s.flow, 1);
        w.Sep();
        w.Int(static_cast<long long>(s.power));
        w.Sep();
        w.Int(s.pump);
        w.End();
    }
}

#undef DEG

} // namespace

bool IsSampleDevice(int device)
{
    return KindOf(device) != Kind::None;
}

std::vector<int> DefaultSampleDevices()
{
    return {10, 21, 30};
}

std::string SampleFileName(int device, DayTime day)
{
    const DayFacts f = FactsOf(day);
    char name[16];
    std::snprintf(name, sizeof name, "%02d%02d%02d%02d.csv", device % 100, f.year % 100, f.month,
                  f.day);
    return name;
}

std::string SampleLogBytes(int device, DayTime day, const SampleOptions& options)
{
    if (options.intervalMinutes < 1 || options.intervalMinutes > 1440)
        throw std::invalid_argument("sample interval must lie in 1 to 1440 minutes");
    const DayFacts f = FactsOf(day);
    std::string out;
    out.reserve(static_cast<std::size_t>(140 * 1440 / options.intervalMinutes + 200));
    switch (KindOf(device)) {
        case Kind::Solar:
            WriteSolar(out, f, device, options);
            break;
        case Kind::Heating:
            WriteHeating(out, f, device, options);
            break;
        case Kind::FreshWater:
            WriteFreshWater(out, f, device, options);
            break;
        case Kind::None:
            throw std::invalid_argument("no sample device kind for number " +
                                        std::to_string(device));
    }
    return out;
}

std::size_t WriteSampleLogs(const std::string& dir, DayTime from, DayTime to,
                            const std::vector<int>& devices, const SampleOptions& options)
{
    namespace fs = std::filesystem;
    for (int device : devices)
        if (!IsSampleDevice(device))
            throw std::invalid_argument("no sample device kind for number " +
                                        std::to_string(device));
    std::size_t written = 0;
    const int first = static_cast<int>(std::floor(from));
    const int last = static_cast<int>(std::floor(to));
    for (int d = first; d <= last; ++d) {
        fs::path folder(dir);
        if (options.monthFolders) {
            int y = 0, m = 0, dd = 0;
            DecodeDate(d, y, m, dd);
            char name[16];
            std::snprintf(name, sizeof name, "%04d-%02d", y, m);
            folder /= name;
        }
        std::error_code ec;
        fs::create_directories(folder, ec);
        if (ec)
            throw std::runtime_error("cannot create " + folder.string() + ": " + ec.message());
        for (int device : devices) {
            const std::string bytes = SampleLogBytes(device, d, options);
            const fs::path path = folder / SampleFileName(device, d);
            std::ofstream file(path, std::ios::binary | std::ios::trunc);
            file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            file.close();
            if (!file)
                throw std::runtime_error("cannot write " + path.string());
            ++written;
        }
    }
    return written;
}

} // namespace korvex
